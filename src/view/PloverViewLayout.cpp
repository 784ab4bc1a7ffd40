// The countdown view's layout: the panels, the texts they show and where the
// children go, computed by ViewLayout for the present size and DPI.
#include "view/PloverView.h"

#include <utility>

#include "framework/TextConv.h"
#include "objects/ClockObject.h"
#include "objects/RollStarObject.h"
#include "schedule/PloverDoc.h"
#include "view/MonthList.h"
#include "view/ViewLayout.h"
#include "view/ViewTexts.h"

namespace plover {

namespace {

std::wstring_view Trimmed(std::wstring_view caption)
{
    const auto first = caption.find_first_not_of(L' ');
    if (first == std::wstring_view::npos)
        return {};
    return caption.substr(first, caption.find_last_not_of(L' ') - first + 1);
}

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
    UpdateAccessibleParts();
}

void CPloverView::UpdateAccessibleParts()
{
    std::vector<AccessiblePart> parts;
    const CPloverDoc* doc = GetDocument();
    if (m_Panels.showDate && doc)
        parts.push_back({PartKind::Date, m_Panels.date,
                         DateText(doc->m_nTodayYear, doc->m_nTodayMonth, doc->m_nTodayDay,
                                  doc->m_nTodayWeekday)});
    if (m_Panels.showTarget)
        parts.push_back({PartKind::Target, m_Panels.target, SpokenTarget(m_Texts)});
    if (m_Panels.showLower) {
        if (m_Lower.showList && m_pMonthList)
            parts.push_back(
                {PartKind::MonthList, m_Panels.lower, std::wstring(Trimmed(kListCaption))});
        else if (m_Lower.showClock)
            parts.push_back({PartKind::Clock, m_Panels.lower, {}});
        else if (m_Lower.content == LowerContent::Picture && !m_Picture.IsEmpty() && m_pTarget)
            parts.push_back({PartKind::Picture, m_Panels.lower, SjisToWide(m_pTarget->Name())});
    }
    const PartChanges changes = CompareParts(m_Parts, parts);
    m_Parts = std::move(parts);
    if (!std::exchange(m_bPartsKnown, true))
        return;
    if (changes.reordered)
        ::NotifyWinEvent(EVENT_OBJECT_REORDER, m_hWnd, OBJID_CLIENT, CHILDID_SELF);
    for (const long id : changes.renamed)
        ::NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, m_hWnd, OBJID_CLIENT, id);
}

}  // namespace plover
