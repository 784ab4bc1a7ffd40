#include "view/PloverView.h"

#include <commctrl.h>
#include <wtsapi32.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <iterator>

#include "framework/CommonControls.h"
#include "framework/Dpi.h"
#include "framework/LateBound.h"
#include "framework/RectWin32.h"
#include "framework/TextConv.h"
#include "objects/ClockObject.h"
#include "objects/Frames.h"
#include "objects/RollStarObject.h"
#include "objects/TextFont.h"
#include "resource.h"
#include "schedule/PloverDoc.h"
#include "services/DataFolder.h"
#include "services/LocalTime.h"
#include "services/Settings.h"
#include "services/Sound.h"
#include "view/ViewLayout.h"
#include "view/ViewTexts.h"

namespace plover {

namespace {

constexpr UINT kTickMilliseconds = 1000;
constexpr UINT kShootingStarMilliseconds = 100;
constexpr int kMonthListDaysWidth = 84;  // "あと 99日" in the list's font
constexpr int kMonthListFontHeight = -16;

void MoveChild(HWND child, const Rect& r)
{
    ::MoveWindow(child, r.left, r.top, r.Width(), r.Height(), TRUE);
}

}  // namespace

CPloverView::CPloverView()
{
    // The pictures wait for the window, whose DPI they are drawn for.
    m_pStarLeft = std::make_unique<CRollStarObject>(nullptr);
    m_pStarRight = std::make_unique<CRollStarObject>(nullptr);
    m_pClock = std::make_unique<CClockObject>();
}

void CPloverView::LoadDpiPictures()
{
    // The picture and its mask are scaled pixel for pixel, so they still agree.
    m_pStarImage = LoadBitmapForDpi(IDB_SHOOTING_STAR, m_nDpi, false);
    m_pStarMask = LoadBitmapForDpi(IDB_SHOOTING_STAR_MASK, m_nDpi, false);
    BITMAP info{};
    m_nStarWidth = m_nStarHeight = 0;
    if (m_pStarImage && ::GetObjectW(m_pStarImage.Get(), sizeof info, &info)) {
        m_nStarWidth = info.bmWidth;
        m_nStarHeight = info.bmHeight;
    }
    m_ShootingStar.SetStarSize(m_nStarWidth, m_nStarHeight);
    {
        CClientDC desktop(::GetDesktopWindow());
        m_pStarWork.Reset(::CreateBitmap(m_ShootingStar.WorkWidth(), m_ShootingStar.WorkHeight(), 1,
                                         ::GetDeviceCaps(desktop.Get(), BITSPIXEL), nullptr));
    }
    const auto frames = std::make_shared<const CStarFrames>(m_nDpi);
    m_pStarLeft->SetFrames(frames);
    m_pStarRight->SetFrames(frames);
    m_pShadowPen = MakePen(PS_SOLID, ScaleToDpi(kBorderPenWidth, m_nDpi), ToColorRef(kBlack));
    m_pLightPen = MakePen(PS_SOLID, ScaleToDpi(kBorderPenWidth, m_nDpi), ToColorRef(kWhite));
}

void CPloverView::SetDpi(int dpi)
{
    if (dpi <= 0 || dpi == m_nDpi)
        return;
    m_nDpi = dpi;
    LoadDpiPictures();
    m_Picture.SetDpi(dpi);
    MoveChild(m_pStarLeft->m_hWnd, LeftStarRect(m_nDpi));
    if (m_hMonthList) {
        m_pListFont = MakeTextFont(FontSize{ScaleToDpi(kMonthListFontHeight, m_nDpi), 0});
        ::SendMessageW(m_hMonthList, WM_SETFONT, reinterpret_cast<WPARAM>(m_pListFont.Get()), TRUE);
        ListView_SetColumnWidth(m_hMonthList, 1, ScaleToDpi(kMonthListDaysWidth, m_nDpi));
    }
    Relayout();
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CPloverView::SetMinimised(bool minimised)
{
    m_bMinimised = minimised;
    UpdateAnimation();
}

void CPloverView::OnSessionChange(WPARAM event)
{
    if (event == WTS_SESSION_LOCK)
        m_bLocked = true;
    else if (event == WTS_SESSION_UNLOCK)
        m_bLocked = false;
    else
        return;
    UpdateAnimation();
}

void CPloverView::UpdateAnimation()
{
    const bool run = IsAnimating();
    if (run == m_pClock->IsRunning())
        return;
    m_pStarLeft->SetRunning(run);
    m_pStarRight->SetRunning(run);
    m_pClock->SetRunning(run);
    if (m_bStarFlying) {
        if (run)
            ::SetTimer(m_hWnd, static_cast<UINT_PTR>(ViewTimer::ShootingStar),
                       kShootingStarMilliseconds, nullptr);
        else
            ::KillTimer(m_hWnd, static_cast<UINT_PTR>(ViewTimer::ShootingStar));
    }
}

CPloverView::~CPloverView() = default;

CPloverDoc* CPloverView::GetDocument() const
{
    return static_cast<CPloverDoc*>(CView::GetDocument());
}

HWND CPloverView::ClockWindow() const
{
    return m_pClock ? m_pClock->m_hWnd : nullptr;
}

bool CPloverView::OnCreate()
{
    m_pBackBrush = MakeSolidBrush(ToColorRef(kPlateGrey));
    m_nDpi = WindowDpi(m_hWnd);
    LoadDpiPictures();

    m_pStarLeft->Create(m_hWnd, ToRECT(LeftStarRect(m_nDpi)), IDC_STAR_LEFT);
    m_pStarRight->SetPhase(1, 0, 1);
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    m_pStarRight->Create(m_hWnd, ToRECT(RightStarRect(client.right, m_nDpi)), IDC_STAR_RIGHT);

    m_pClock->Create(m_hWnd, RECT{0, 0, 300, 300}, IDC_CLOCK);

    const CPloverSettings settings = LoadSettings(Settings());
    ApplySettings(settings);
    ::SetTimer(m_hWnd, static_cast<UINT_PTR>(ViewTimer::Tick), kTickMilliseconds, nullptr);
    RestartCounts(settings);

    m_nBarState = BarState::Both;
    if (settings.startWithoutMenuBar != 0)
        m_nBarState = BarState::TitleOnly;
    if (settings.startWithoutTitleBar != 0)
        m_nBarState = BarState::None;

    if (settings.playSounds != 0)
        PlaySoundFile(settings.startSound, false);
    if (!StillPictures()) {
        ::SetTimer(m_hWnd, static_cast<UINT_PTR>(ViewTimer::ShootingStar),
                   kShootingStarMilliseconds, nullptr);
        m_bStarFlying = true;
    }

    // Told when the session is locked, to stop drawing what nobody sees.
    using RegisterFn = BOOL(WINAPI*)(HWND, DWORD);
    if (const auto registerNotices =
            LateBound<RegisterFn>(L"wtsapi32.dll", "WTSRegisterSessionNotification"))
        m_bSessionNotices = registerNotices(m_hWnd, NOTIFY_FOR_THIS_SESSION) != FALSE;
    return true;
}

bool CPloverView::EnsureMonthList()
{
    if (m_hMonthList)
        return true;
    if (!CommonControls())
        return false;
    m_hMonthList = ::CreateWindowExW(
        0, WC_LISTVIEWW, L"",
        WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LVS_REPORT | LVS_SINGLESEL |
            LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER,
        0, 0, 100, 100, m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(IDC_MONTH_LIST)),
        ::GetModuleHandleW(nullptr), nullptr);
    if (!m_hMonthList)
        return false;
    // Headings are never shown; the first column's width follows the window.
    const wchar_t* headings[] = {L"予定", L"日数"};
    const int widths[] = {ScaleToDpi(150, m_nDpi), ScaleToDpi(kMonthListDaysWidth, m_nDpi)};
    for (int i = 0; i < 2; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        column.cx = widths[i];
        column.pszText = const_cast<wchar_t*>(headings[i]);
        column.iSubItem = i;
        ListView_InsertColumn(m_hMonthList, i, &column);
    }
    ListView_SetBkColor(m_hMonthList, ToColorRef(kListCyan));
    ListView_SetTextBkColor(m_hMonthList, ToColorRef(kListCyan));
    ::ShowWindow(m_hMonthList, SW_HIDE);

    m_pListFont = MakeTextFont(FontSize{ScaleToDpi(kMonthListFontHeight, m_nDpi), 0});
    ::SendMessageW(m_hMonthList, WM_SETFONT, reinterpret_cast<WPARAM>(m_pListFont.Get()), TRUE);
    RefreshMonthList();
    return true;
}

void CPloverView::OnDestroy()
{
    if (Read(Settings(), cfg::Sound) != 0)
        PlaySoundFile(Read(Settings(), cfg::EndWav), true);
    m_Picture.Clear();
    if (m_bSessionNotices) {
        using UnregisterFn = BOOL(WINAPI*)(HWND);
        if (const auto unregister =
                LateBound<UnregisterFn>(L"wtsapi32.dll", "WTSUnRegisterSessionNotification"))
            unregister(m_hWnd);
        m_bSessionNotices = false;
    }
    ::KillTimer(m_hWnd, static_cast<UINT_PTR>(ViewTimer::Tick));
    StopShootingStar();
    m_pTarget = nullptr;
}

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
    // The list is made the first time it shows: a window that never shows it need
    // not wait for the common controls at its start.
    const bool showList = m_Panels.showLower && m_Lower.showList && EnsureMonthList();
    const bool showClock = m_Panels.showLower && m_Lower.showClock;
    if (showList) {
        MoveChild(m_hMonthList, m_Lower.listRect);
        SetColumnWidth();
    }
    if (showClock) {
        const Rect& r = m_Lower.clockRect;
        ::SetWindowPos(ClockWindow(), nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER);
    }
    if (m_hMonthList)
        ::ShowWindow(m_hMonthList, showList ? SW_SHOWNA : SW_HIDE);
    ::ShowWindow(ClockWindow(), showClock ? SW_SHOWNA : SW_HIDE);
    MoveChild(m_pStarRight->m_hWnd, RightStarRect(width, m_nDpi));
    if (m_bStarFlying && m_ShootingStar.HasLeft(width, height))
        StopShootingStar();
}

void CPloverView::SetColumnWidth()
{
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    const bool morePages =
        ListView_GetItemCount(m_hMonthList) > ListView_GetCountPerPage(m_hMonthList);
    // The rule fills the list's outer width; its one-pixel border would leave the
    // columns two pixels too wide and bring up a horizontal scroll bar for them.
    const int border = 2 * ::GetSystemMetrics(SM_CXBORDER);
    const int width = std::max(0, MonthListColumnWidth(client.right, morePages, m_nDpi) - border);
    if (ListView_GetColumnWidth(m_hMonthList, 0) != width)
        ListView_SetColumnWidth(m_hMonthList, 0, width);
}

void CPloverView::OnActivateView(bool activate, CView* activated, CView* deactivated)
{
    if (activate && m_bFirstActivate)
        FirstActivate();
    CView::OnActivateView(activate, activated, deactivated);
}

void CPloverView::FirstActivate()
{
    LoadTarget();
    m_bFirstActivate = false;
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    m_ShootingStar.Start(client.right, [] { return std::rand() % 32768; }, m_nDpi);
    RefreshMonthList();
}

void CPloverView::LoadTarget()
{
    m_Picture.Clear();
    CPloverDoc* doc = GetDocument();
    m_pTarget = doc ? doc->TargetEntry() : nullptr;
    Relayout();
    if (!m_pTarget) {
        m_pClock->ClearTargetTime();
        return;
    }
    const std::wstring picture = SjisToWide(m_pTarget->BmpFile());
    if (!picture.empty()) {
        m_Picture.Show(PicturePath(picture), m_hWnd);
        m_Picture.SetDpi(m_nDpi);
    }
    m_pClock->SetTargetTime(MakeLocalTime(m_pTarget->m_wYear, m_pTarget->m_wMonth,
                                          m_pTarget->m_wDay, m_pTarget->m_wHour,
                                          m_pTarget->m_wMinute));
}

void CPloverView::RefreshMonthList()
{
    const CPloverDoc* doc = GetDocument();
    if (!m_hMonthList || !doc)
        return;
    ListView_DeleteAllItems(m_hMonthList);
    m_bMonthListHint = doc->m_ScheduleList.empty();
    if (m_bMonthListHint) {
        std::wstring hint(kEmptyScheduleHints[0]);
        LVITEMW lv{};
        lv.mask = LVIF_TEXT;
        lv.pszText = hint.data();
        ListView_InsertItem(m_hMonthList, &lv);
    }
    int row = 0;
    for (const auto& entry : doc->m_ScheduleList) {
        if (!IsInMonthList(entry->m_wYear, entry->m_wMonth, entry->m_wDay, doc->m_nTodayYear,
                           doc->m_nTodayMonth, doc->m_nTodayDay))
            continue;
        MonthListItem item =
            MakeMonthListItem(entry->m_wDay, doc->m_nTodayDay, SjisToWide(entry->Name()));
        LVITEMW lv{};
        lv.mask = LVIF_TEXT;
        lv.iItem = row;
        lv.pszText = item.item.data();
        ListView_InsertItem(m_hMonthList, &lv);
        ListView_SetItemText(m_hMonthList, row, 1, item.days.data());
        ++row;
    }
    SetColumnWidth();
}

bool CPloverView::OnMonthListNotify(const NMHDR& header, LRESULT& result)
{
    if (!m_bMonthListHint)
        return false;
    if (header.code == LVN_ITEMCHANGING) {
        // The hint is no entry: a click or a key may neither select nor focus it.
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        const UINT picked = LVIS_SELECTED | LVIS_FOCUSED;
        result = (change.uChanged & LVIF_STATE) && (change.uNewState & picked) ? TRUE : FALSE;
        return true;
    }
    if (header.code != NM_CUSTOMDRAW)
        return false;
    const auto& draw = reinterpret_cast<const NMLVCUSTOMDRAW&>(header);
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
        result = CDRF_NOTIFYITEMDRAW;
        return true;
    }
    if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT)
        return false;
    DrawMonthListHint(draw.nmcd.hdc, static_cast<int>(draw.nmcd.dwItemSpec));
    result = CDRF_SKIPDEFAULT;
    return true;
}

void CPloverView::DrawMonthListHint(HDC dc, int row)
{
    RECT r{};
    RECT client{};
    if (!ListView_GetItemRect(m_hMonthList, row, &r, LVIR_BOUNDS) ||
        !::GetClientRect(m_hMonthList, &client))
        return;
    // Across both columns: the day column has nothing to show here.
    r.right = std::max(r.right, client.right);
    const int saved = ::SaveDC(dc);
    ::SelectObject(dc, m_pListFont.Get());
    ::SetBkColor(dc, ToColorRef(kListCyan));
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    r.left += ScaleToDpi(6, m_nDpi);
    r.right -= ScaleToDpi(2, m_nDpi);
    std::wstring_view hint = kEmptyScheduleHints[std::size(kEmptyScheduleHints) - 1];
    for (const std::wstring_view wording : kEmptyScheduleHints) {
        SIZE size{};
        if (::GetTextExtentPoint32W(dc, wording.data(), static_cast<int>(wording.size()), &size) &&
            size.cx <= r.right - r.left) {
            hint = wording;
            break;
        }
    }
    ::SetTextColor(dc, ToColorRef(kHintGrey));
    ::SetBkMode(dc, TRANSPARENT);
    ::DrawTextW(dc, hint.data(), static_cast<int>(hint.size()), &r,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    ::RestoreDC(dc, saved);
}

void CPloverView::ApplySettings(const CPloverSettings& settings)
{
    const int stars = settings.showStars == 0 ? SW_HIDE : SW_SHOW;
    ::ShowWindow(m_pStarLeft->m_hWnd, stars);
    ::ShowWindow(m_pStarRight->m_hWnd, stars);
    m_nShowDate = settings.showDate;
    m_nShowTarget = settings.showTarget;
    m_nShowPanel = settings.showLowerPanel;
    m_nSCI = settings.lowerPanel;
    m_bCountUp = settings.countUpWhenPassed == 1;
    m_nIconFlg = settings.minimizeByTimer;
    m_nDestroyFlg = settings.closeByTimer;
    m_pClock->m_nHour24 = settings.clock24Hour;
    if (m_pClock->m_nGMFont != settings.clockFont) {
        m_pClock->m_nGMFont = settings.clockFont;
        m_pClock->RecreateFont();
    }
    ::InvalidateRect(m_pClock->m_hWnd, nullptr, FALSE);
    Relayout();
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CPloverView::RestartCounts(const CPloverSettings& settings)
{
    m_nIconCount = settings.minimizeAfterSeconds;
    m_nDestroyCount = settings.closeAfterSeconds;
}

void CPloverView::RestartIconCount()
{
    m_nIconCount = Read(Settings(), cfg::IconSec);
}

void CPloverView::OnUpdate(unsigned hint)
{
    const auto change = static_cast<ScheduleChange>(hint);
    // Only the target's change touches what the view paints itself (LoadTarget lays
    // it out anew); the month list repaints on its own.
    if (Has(change, ScheduleChange::Target)) {
        LoadTarget();
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
    }
    if (Has(change, ScheduleChange::Entries))
        RefreshMonthList();
}

void CPloverView::CheckDate()
{
    CPloverDoc* doc = GetDocument();
    if (!doc || !doc->RefreshToday())
        return;
    RefreshMonthList();
    Relayout();
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

LRESULT CPloverView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        if (CView::WindowProc(message, wParam, lParam) == -1)
            return -1;
        return OnCreate() ? 0 : -1;
    case WM_DESTROY:
        CView::WindowProc(message, wParam, lParam);
        OnDestroy();
        return 0;
    case WM_SIZE:
        Default(message, wParam, lParam);
        OnSize();
        return 0;
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClk();
        return Default(message, wParam, lParam);
    case WM_LBUTTONDOWN:
        if (OnLButtonDown())
            return 0;
        return Default(message, wParam, lParam);
    case WM_TIMER:
        OnTimer(static_cast<UINT_PTR>(wParam));
        return Default(message, wParam, lParam);
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        LRESULT result = 0;
        if (header && m_hMonthList && header->hwndFrom == m_hMonthList &&
            OnMonthListNotify(*header, result))
            return result;
        return CView::WindowProc(message, wParam, lParam);
    }
    case WM_COMMAND:
        // The clock's target-time command goes where the menu's commands go.
        return ::SendMessageW(::GetParent(m_hWnd), message, wParam, lParam);
    case WM_WTSSESSION_CHANGE:
        OnSessionChange(wParam);
        return 0;
    case WM_SETCURSOR:
        if (!m_hCursor)
            return Default(message, wParam, lParam);
        ::SetCursor(m_hCursor);
        return TRUE;
    default:
        return CView::WindowProc(message, wParam, lParam);
    }
}

}  // namespace plover
