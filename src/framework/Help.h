// The program's help: help requests in the platform's help commands (HELP_FINDER for the contents, HELP_CONTEXT with
// a topic number), handed to whichever viewer the program puts in place.
#pragma once

#include <windows.h>

#include <functional>

namespace plover {

// Asks the viewer for help; nothing happens while there is none.
void ShowHelp(HWND owner, UINT command, ULONG_PTR data);
using HelpViewer = std::function<void(HWND owner, UINT command, ULONG_PTR data)>;
// The program's own help window, or a test's record of what was asked.
void SetHelpViewer(HelpViewer viewer);

// The help context of the main frame's own window, as help for a resource id.
constexpr ULONG_PTR kResourceHelpBase = 0x20000;

}  // namespace plover
