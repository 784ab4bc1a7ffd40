// Plover's help window: the list of help pages beside the page chosen.  One at a
// time, modeless and owned by the main window, so it never holds the program up
// and goes with it.
#pragma once

#include <windows.h>

namespace plover {

// Shows help page `id` (the contents when there is no such page), in the open
// help window or a new one.
void ShowHelpPage(HWND owner, int id);

// The viewer for the platform's help commands: the contents for HELP_FINDER and
// the like, the page of a HELP_CONTEXT topic.
void ShowHelpForCommand(HWND owner, UINT command, ULONG_PTR data);

// The help window open now, or none.
HWND HelpWindow();

}  // namespace plover
