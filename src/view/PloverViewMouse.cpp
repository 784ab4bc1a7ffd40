// The countdown view's menu commands and mouse actions: double clicks cycle the
// title bar and the menu bar, and a window without title bar moves by any press.
#include "view/PloverView.h"

#include "app/MainFrame.h"
#include "app/Settings.h"
#include "resource.h"

namespace plover {

bool CPloverView::OnCommand(UINT id)
{
    switch (id) {
    case IDM_TARGET_TIME:
        OnTargetTime();
        return true;
    // The dialogs of these commands are not part of the program yet.
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

void CPloverView::OnLButtonDblClk()
{
    CMainFrame* frame = Frame();
    if (!frame)
        return;
    switch (m_nBarState) {
    case 1:
        frame->DetachMenuBar(m_pMenu);
        Write(Settings(), cfg::MenuBarForSheet, 0);
        m_nBarState = 2;
        break;
    case 2:
        frame->RemoveTitleBar();
        Write(Settings(), cfg::TitleBarForSheet, 0);
        m_nBarState = 3;
        break;
    default:
        frame->RestoreTitleBar();
        if (!::GetMenu(frame->m_hWnd))
            ::SetMenu(frame->m_hWnd, m_pMenu);
        Write(Settings(), cfg::TitleBarForSheet, 1);
        Write(Settings(), cfg::MenuBarForSheet, 1);
        m_nBarState = 1;
        break;
    }
}

bool CPloverView::OnLButtonDown()
{
    if (m_nBarState != 3)
        return false;
    // Moving by the caption, which this window does not show.
    ::PostMessageW(::GetParent(m_hWnd), WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
    return true;
}

}  // namespace plover
