// The countdown view's state and creation: its settings, counts, target and
// pictures, its children made and destroyed, the document's changes, the timers
// and the mouse.
#include "view/PloverView.h"

#include <wtsapi32.h>

#include <cstdlib>
#include <ctime>

#include "framework/Dpi.h"
#include "framework/LateBound.h"
#include "framework/RectWin32.h"
#include "framework/TextConv.h"
#include "objects/ClockObject.h"
#include "objects/Frames.h"
#include "objects/RollStarObject.h"
#include "resource.h"
#include "schedule/PloverDoc.h"
#include "services/DataFolder.h"
#include "services/LocalTime.h"
#include "services/Settings.h"
#include "services/Sound.h"
#include "services/StartupEntry.h"
#include "view/MonthList.h"
#include "view/SelfTimer.h"
#include "view/ViewLayout.h"
#include "view/ViewTexts.h"

namespace plover {

namespace {

constexpr UINT kTickMilliseconds = 1000;
constexpr UINT kShootingStarMilliseconds = 100;

// High contrast keeps the shooting star's shape in the text colour: the picture
// becomes that colour where the mask is black and black where it is white, which
// is what (screen AND mask) OR picture needs.
void MakeSilhouette(const CBitmap& picture, const CBitmap& mask)
{
    constexpr DWORD kBrushAndNotSource = 0x00300F08;
    const SIZE size = BitmapSize(picture.Get());
    const CClientDC screen(nullptr);
    const CMemoryDC to(screen.Get());
    const CMemoryDC from(screen.Get());
    const CBrush ink = MakeSolidBrush(LookColour(0, COLOR_WINDOWTEXT));
    const CSelectObject toBitmap(to.Get(), picture.Get());
    const CSelectObject fromBitmap(from.Get(), mask.Get());
    const CSelectObject brush(to.Get(), ink.Get());
    ::BitBlt(to.Get(), 0, 0, size.cx, size.cy, from.Get(), 0, 0, kBrushAndNotSource);
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
    m_pStarImage = LoadBitmapForDpi(IDB_SHOOTING_STAR, ID_ASSET_SET_STEP, m_nDpi, false);
    m_pStarMask = LoadBitmapForDpi(IDB_SHOOTING_STAR_MASK, ID_ASSET_SET_STEP, m_nDpi, false);
    BITMAP info{};
    m_nStarWidth = m_nStarHeight = 0;
    if (m_pStarImage && ::GetObjectW(m_pStarImage.Get(), sizeof info, &info)) {
        m_nStarWidth = info.bmWidth;
        m_nStarHeight = info.bmHeight;
    }
    m_ShootingStar.SetStarSize(m_nStarWidth, m_nStarHeight);
    if (HighContrast() && m_pStarImage && m_pStarMask)
        MakeSilhouette(m_pStarImage, m_pStarMask);
    {
        CClientDC desktop(::GetDesktopWindow());
        m_pStarWork.Reset(::CreateBitmap(m_ShootingStar.WorkWidth(), m_ShootingStar.WorkHeight(), 1,
                                         ::GetDeviceCaps(desktop.Get(), BITSPIXEL), nullptr));
    }
    const auto frames = std::make_shared<const CStarFrames>(m_nDpi);
    m_pStarLeft->SetFrames(frames);
    m_pStarRight->SetFrames(frames);
    const int pen = ScaleToDpi(kBorderPenWidth, m_nDpi);
    m_pShadowPen = MakePen(PS_SOLID, pen, LookColour(ToColorRef(kBlack), COLOR_WINDOWTEXT));
    m_pLightPen = MakePen(PS_SOLID, pen, LookColour(ToColorRef(kWhite), COLOR_WINDOWTEXT));
    m_pBackBrush = MakeSolidBrush(LookColour(ToColorRef(kPlateGrey), COLOR_WINDOW));
}

void CPloverView::OnSystemLookChange()
{
    RefreshSystemLook();
    if (!m_hWnd || CurrentLook() == m_Look)
        return;
    m_Look = CurrentLook();
    LoadDpiPictures();
    m_pClock->ApplyLook();
    if (m_pMonthList)
        m_pMonthList->ApplyLook();
    m_pStarLeft->UpdateMotion();
    m_pStarRight->UpdateMotion();
    // The shooting star greets the start once; stilled, it is not seen again.
    if (StillPictures())
        StopShootingStar();
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void CPloverView::SetDpi(int dpi)
{
    if (dpi <= 0 || dpi == m_nDpi)
        return;
    m_nDpi = dpi;
    LoadDpiPictures();
    m_Picture.SetDpi(dpi);
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

CPloverView::~CPloverView()
{
    // A view that never had its WM_DESTROY still leaves no object pointing at it.
    if (m_pAccessible)
        m_pAccessible->Disconnect();
}

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
    m_Look = CurrentLook();
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

    if (settings.playSounds != 0 && !StartedBySignIn())
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
    if (m_pMonthList)
        return true;
    auto list = std::make_unique<CMonthList>();
    if (!list->Create(m_hWnd, IDC_MONTH_LIST, m_nDpi))
        return false;
    m_pMonthList = std::move(list);
    RefreshMonthList();
    return true;
}

HWND CPloverView::MonthList() const
{
    return m_pMonthList ? m_pMonthList->m_hWnd : nullptr;
}

void CPloverView::RefreshMonthList()
{
    const CPloverDoc* doc = GetDocument();
    if (!m_pMonthList || !doc)
        return;
    m_pMonthList->Refill(doc->m_ScheduleList,
                         CivilDate{doc->m_nTodayYear, doc->m_nTodayMonth, doc->m_nTodayDay},
                         doc->m_LeapDay);
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
    // While the view's window still stands, so the list goes before its font.
    m_pMonthList.reset();
    // Whoever still holds the accessible object finds it disconnected; the view
    // keeps no reference, and leaves the apartment it entered for it.
    m_bDestroyed = true;
    if (m_pAccessible)
        m_pAccessible->Disconnect();
    m_pAccessible.Reset();
    m_ComApartment.Leave();
}

LRESULT CPloverView::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    // lParam carries a DWORD that a 64-bit LPARAM does not sign-extend.
    if (static_cast<LONG>(lParam) != OBJID_CLIENT || m_bDestroyed || !m_ComApartment.Enter())
        return Default(WM_GETOBJECT, wParam, lParam);
    if (!m_pAccessible)
        m_pAccessible = CViewAccessible::Create(m_hWnd, *this);
    if (!m_pAccessible)
        return Default(WM_GETOBJECT, wParam, lParam);
    const LRESULT result = ::LresultFromObject(__uuidof(IAccessible), wParam,
                                               static_cast<IAccessible*>(m_pAccessible.Get()));
    // Failed, the standard object of the window stands in.
    return result < 0 ? Default(WM_GETOBJECT, wParam, lParam) : result;
}

std::wstring CPloverView::ClockText() const
{
    return m_pClock->ShownText();
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
    m_ShootingStar.Start(
        client.right, [] { return std::rand() % 32768; }, m_nDpi);
    RefreshMonthList();
}

void CPloverView::LoadTarget()
{
    m_Picture.Clear();
    CPloverDoc* doc = GetDocument();
    m_pTarget = doc ? doc->TargetEntry() : nullptr;
    const std::wstring picture = m_pTarget ? SjisToWide(m_pTarget->BmpFile()) : std::wstring();
    if (!picture.empty()) {
        m_Picture.Show(PicturePath(picture), m_hWnd);
        m_Picture.SetDpi(m_nDpi);
    }
    // Laid out once the picture is in, so that a screen reader hears of the new
    // target's panels in one go.
    Relayout();
    if (!m_pTarget) {
        m_pClock->ClearTargetTime();
        return;
    }
    m_pClock->SetTargetTime(MakeLocalTime(m_pTarget->m_wYear, m_pTarget->m_wMonth,
                                          m_pTarget->m_wDay, m_pTarget->m_wHour,
                                          m_pTarget->m_wMinute));
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

// The timers: the one-second tick (automatic minimise and close, and the check for
// a new day) and the shooting star.

void CPloverView::OnTimer(UINT_PTR id)
{
    switch (static_cast<ViewTimer>(id)) {
    case ViewTimer::Tick:
        CheckDate();
        // The clock sleeps while nothing shows; the target minute must still
        // bring the window to the front.
        if (!m_pClock->IsRunning())
            m_pClock->CheckTarget(Now());
        if (!m_bTickPaused)
            OnTick();
        break;
    case ViewTimer::ShootingStar:
        if (m_bStarFlying)
            OnStarTick();
        break;
    }
}

void CPloverView::StopShootingStar()
{
    m_ShootingStar.Finish();
    if (m_bStarFlying)
        ::KillTimer(m_hWnd, static_cast<UINT_PTR>(ViewTimer::ShootingStar));
    m_bStarFlying = false;
}

void CPloverView::OnTick()
{
    const HWND frame = ::GetParent(m_hWnd);
    if (!::IsIconic(frame) && m_nIconFlg == 1) {
        if (CountDown(m_nIconCount))
            ::ShowWindow(frame, SW_MINIMIZE);  // the frame reloads the count at once
    }
    if (m_nDestroyFlg == 1) {
        if (CountDown(m_nDestroyCount)) {
            // Nobody need be at the screen to answer if the schedule cannot be written.
            if (CPloverDoc* doc = GetDocument())
                doc->m_bUnattendedClose = true;
            ::PostMessageW(frame, WM_CLOSE, 0, 0);
        }
    }
}

void CPloverView::OnStarTick()
{
    m_ShootingStar.Step();
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    // Beyond the window nothing is invalid, so no paint would come to stop the
    // timer: it stops here.
    if (m_ShootingStar.HasLeft(client.right, client.bottom)) {
        StopShootingStar();
        return;
    }
    const RECT area = ToRECT(m_ShootingStar.GetRect());
    ::InvalidateRect(m_hWnd, &area, FALSE);
    ::UpdateWindow(m_hWnd);
}

// The mouse: double clicks cycle the title bar and the menu bar (as does the
// bar key), and a window without title bar moves by any press.

void CPloverView::CycleBars()
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
        CycleBars();
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
        if (header && m_pMonthList && m_pMonthList->OnNotify(*header, result))
            return result;
        return CView::WindowProc(message, wParam, lParam);
    }
    case WM_COMMAND:
        // The clock's target-time command goes where the menu's commands go.
        return ::SendMessageW(::GetParent(m_hWnd), message, wParam, lParam);
    case WM_GETOBJECT:
        return OnGetObject(wParam, lParam);
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
