// The countdown view's mouse actions: double clicks cycle the title bar and the
// menu bar, and a window without title bar moves by any press.
#include "view/PloverView.h"

#include "services/Settings.h"

namespace plover {

void CPloverView::OnLButtonDblClk()
{
    IBarHost* frame = m_pBarHost;
    if (!frame)
        return;
    switch (m_nBarState) {
    case BarState::Both:
        frame->ShowMenu(false);
        Write(Settings(), cfg::MenuBarForSheet, 0);
        m_nBarState = BarState::TitleOnly;
        break;
    case BarState::TitleOnly:
        frame->ShowTitleBar(false);
        Write(Settings(), cfg::TitleBarForSheet, 0);
        m_nBarState = BarState::None;
        break;
    case BarState::None:
        frame->ShowTitleBar(true);
        frame->ShowMenu(true);
        Write(Settings(), cfg::TitleBarForSheet, 1);
        Write(Settings(), cfg::MenuBarForSheet, 1);
        m_nBarState = BarState::Both;
        break;
    }
}

void CPloverView::ShowBars(bool titleBar, bool menuBar)
{
    IBarHost* frame = m_pBarHost;
    if (!frame)
        return;
    frame->ShowTitleBar(titleBar);
    frame->ShowMenu(titleBar && menuBar);
    m_nBarState = !titleBar ? BarState::None : menuBar ? BarState::Both : BarState::TitleOnly;
}

bool CPloverView::OnLButtonDown()
{
    if (m_nBarState != BarState::None)
        return false;
    // Moving by the caption, which this window does not show.
    ::PostMessageW(::GetParent(m_hWnd), WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
    return true;
}

}  // namespace plover
