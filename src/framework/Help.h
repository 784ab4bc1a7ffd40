// The program's paths and its help: the executable's own path, and help requests
// in the platform's help commands (HELP_FINDER for the contents, HELP_CONTEXT with
// a topic number), handed to whichever viewer the program puts in place.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace plover {

// Full path of the running program, and the folder a path is in (up to and with
// its last backslash; "\\" for a bare name, which then stands in the root).
std::wstring ExecutablePath();
std::wstring FolderOf(const std::wstring& path);
// The program's folder: the sounds are there, and the schedule and pictures of a
// copy that may write there.
std::wstring ProgramFolder();

// Asks the viewer for help; nothing happens while there is none.
void ShowHelp(HWND owner, UINT command, ULONG_PTR data);
using HelpViewer = std::function<void(HWND owner, UINT command, ULONG_PTR data)>;
// The program's own help window, or a test's record of what was asked.
void SetHelpViewer(HelpViewer viewer);

// The help context of the main frame's own window, as help for a resource id.
constexpr ULONG_PTR kResourceHelpBase = 0x20000;

}  // namespace plover
