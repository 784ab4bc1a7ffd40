// The program's paths: the executable's own path and the folder it is in.
#pragma once

#include <string>

namespace plover {

// Full path of the running program, and the folder a path is in (up to and with
// its last backslash; "\\" for a bare name, which then stands in the root).
std::wstring ExecutablePath();
std::wstring FolderOf(const std::wstring& path);
// The program's folder: the sounds are there, and the schedule and pictures of a
// copy that may write there.
std::wstring ProgramFolder();

}  // namespace plover
