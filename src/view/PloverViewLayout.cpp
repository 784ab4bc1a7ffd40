// The countdown view's layout: the panels, the texts they show and where the
// children go, computed by ViewLayout for the present size and DPI.
#include "view/PloverView.h"

#include "framework/TextConv.h"
#include "objects/ClockObject.h"
#include "objects/RollStarObject.h"
#include "schedule/PloverDoc.h"
#include "view/MonthList.h"
#include "view/ViewLayout.h"
#include "view/ViewTexts.h"

namespace plover {

namespace {

void MoveChild(HWND child, const Rect& r)
{
    ::MoveWindow(child, r.left, r.top, r.Width(), r.Height(), TRUE);
}

}  // namespace

void CPloverView::OnSize()
{
    Relayout();
}

void CPloverView::Relayout()
{
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    const int width = client.right;
    const int height = client.bottom;
    m_Panels = LayoutPanels(width, height, m_nShowDate == 1, m_nShowTarget == 1, m_nShowPanel == 1);
    if (m_Panels.setsPanelFractions) {
        m_fPanelTop = m_Panels.panelTop;
        m_fPanelHeight = m_Panels.panelHeight;
    }
    const CPloverDoc* doc = GetDocument();
    m_Texts = m_pTarget && doc ? MakeTargetTexts(SjisToWide(m_pTarget->Name()), doc->m_nDaysLeft,
                                                 m_bCountUp ? doc->m_nDaysSince : 0)
                               : NoTargetTexts();
    // The title shows the countdown of the panel as it was last shown.
    if (m_Panels.showTarget)
        m_strCountdown = m_Texts.countdown;

    m_Lower = LayoutLowerPanel(m_Panels.lower, LowerContentFromSetting(m_nSCI), m_nDpi);
    const bool showList = m_Panels.showLower && m_Lower.showList && EnsureMonthList();
    const bool showClock = m_Panels.showLower && m_Lower.showClock;
    if (showList)
        m_pMonthList->Place(m_Lower.listRect, width, m_nDpi);
    if (showClock) {
        const Rect& r = m_Lower.clockRect;
        ::SetWindowPos(ClockWindow(), nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER);
    }
    if (m_pMonthList)
        m_pMonthList->Show(showList);
    ::ShowWindow(ClockWindow(), showClock ? SW_SHOWNA : SW_HIDE);
    MoveChild(m_pStarLeft->m_hWnd, LeftStarRect(m_nDpi));
    MoveChild(m_pStarRight->m_hWnd, RightStarRect(width, m_nDpi));
    if (m_bStarFlying && m_ShootingStar.HasLeft(width, height))
        StopShootingStar();
}

}  // namespace plover
