// The program's paths and its help: the executable's own path, the help file
// beside it (the same path with the extension .HLP), and requests to the platform's
// help viewer, which tests replace to see what would have been asked.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace plover {

// Full path of the running program, and the folder a path is in (up to and with
// its last backslash; "\\" for a bare name, which then stands in the root).
std::wstring ExecutablePath();
std::wstring FolderOf(const std::wstring& path);
// The program's folder: the schedule, the pictures and the sounds are there.
std::wstring ProgramFolder();
std::wstring HelpFilePath();

// WinHelp with the program's help file; the viewer reports a missing file itself.
void ShowHelp(HWND owner, UINT command, ULONG_PTR data);
void SetHelpHook(std::function<void(const std::wstring& file, UINT command, ULONG_PTR data)> hook);

// The help context of the main frame's own window, as help for a resource id.
constexpr ULONG_PTR kResourceHelpBase = 0x20000;

}  // namespace plover
