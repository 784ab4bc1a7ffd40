// What each of the program's commands does, in one table.  The main frame hands
// every command here first (the view passes its children's commands up to the
// frame); a command that opens a dialog runs it through RunModalDialog, so the
// view's tick pauses and a close waits until the dialog has ended.
#pragma once

#include <windows.h>

namespace plover {

class CDialog;
class CMainFrame;
class CPloverView;

// True when `id` is one of the program's commands.
bool RunCommand(CMainFrame& frame, CPloverView& view, UINT id);

// Runs `dialog` modally over the main window with the program's cursor, the
// view's tick paused meanwhile.
INT_PTR RunModalDialog(CMainFrame& frame, CPloverView& view, CDialog& dialog);

}  // namespace plover
