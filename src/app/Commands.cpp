#include "app/Commands.h"

#include "app/MainFrame.h"
#include "framework/Dialog.h"
#include "framework/Help.h"
#include "resource.h"
#include "view/PloverView.h"

namespace plover {

bool RunCommand(CMainFrame& frame, CPloverView& view, UINT id)
{
    switch (id) {
    case IDM_APP_EXIT:
        // The same way out as the close box: the schedule is written on the way.
        ::PostMessageW(frame.m_hWnd, WM_CLOSE, 0, 0);
        return true;
    case IDM_TARGET_TIME:
        frame.ComeToFront();
        return true;
    case IDM_HELP_FINDER:
    case IDM_HELP_INDEX:
    case IDM_DEFAULT_HELP:
        ShowHelp(frame.m_hWnd, HELP_FINDER, 0);
        return true;
    case IDM_HELP_SCIENCE:
        ShowHelp(frame.m_hWnd, HELP_CONTEXT, 101);
        return true;
    case IDM_HELP:
    case IDM_CONTEXT_HELP:
        // Help for the main window itself: no control of Plover has a topic of its
        // own, so the context-help mode would end on this topic wherever clicked.
        ShowHelp(frame.m_hWnd, HELP_CONTEXT, kResourceHelpBase + IDR_MAINFRAME);
        return true;
    // The dialogs of these commands are not part of the program yet; each will
    // run through RunModalDialog.
    case IDM_SCHEDULE_ADD:
    case IDM_SCHEDULE_EDIT:
    case IDM_SCHEDULE_DELETE:
    case IDM_TARGET_SELECT:
    case IDM_CONSTELLATION:
    case IDM_ZODIAC:
    case IDM_OPTIONS:
    case IDM_APP_ABOUT:
        return true;
    default:
        return false;
    }
}

INT_PTR RunModalDialog(CMainFrame& frame, CPloverView& view, CDialog& dialog)
{
    dialog.m_hCursor = frame.m_hCursor;
    const CModalGuard guard(&view);
    return dialog.DoModal();
}

}  // namespace plover
