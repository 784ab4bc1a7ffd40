#include "app/MainFrame.h"

#include <vector>

#include "app/Commands.h"
#include "app/Notifier.h"
#include "app/ProgramCursor.h"
#include "app/StartPlacement.h"
#include "framework/Dpi.h"
#include "framework/Help.h"
#include "framework/Menu.h"
#include "framework/RectWin32.h"
#include "framework/Resource.h"
#include "framework/TitleBarTheme.h"
#include "resource.h"
#include "services/Settings.h"
#include "schedule/PloverDoc.h"
#include "services/LocalTime.h"
#include "view/PloverView.h"

namespace plover {

namespace {

constexpr UINT kTrayMessage = WM_APP + 20;
// Posted as a menu's loop ends, so a command chosen in it (posted) comes first.
constexpr UINT kMenuLoopDone = WM_APP + 21;
constexpr UINT_PTR kNotifyTimer = 1;  // the frame's one timer
constexpr UINT kNotifyMilliseconds = 1000;

// Sent to every top-level window when Explorer starts again.
UINT TaskbarCreatedMessage()
{
    static const UINT message = ::RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

BOOL CALLBACK CollectWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM data)
{
    MONITORINFO info{sizeof info};
    if (::GetMonitorInfoW(monitor, &info)) {
        reinterpret_cast<std::vector<Rect>*>(data)->push_back(FromRECT(info.rcWork));
    }
    return TRUE;
}

std::vector<Rect> WorkAreas()
{
    std::vector<Rect> areas;
    ::EnumDisplayMonitors(nullptr, nullptr, CollectWorkArea, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

// The window's rectangle in its normal (not minimised or maximised) state, in
// screen coordinates; the placement gives it relative to the work area.
Rect NormalWindowRect(HWND window)
{
    WINDOWPLACEMENT placement{sizeof placement};
    ::GetWindowPlacement(window, &placement);
    RECT r = placement.rcNormalPosition;
    MONITORINFO info{sizeof info};
    if (::GetMonitorInfoW(::MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &info))
        ::OffsetRect(&r, info.rcWork.left - info.rcMonitor.left,
                     info.rcWork.top - info.rcMonitor.top);
    return FromRECT(r);
}

}  // namespace

CMainFrame::CMainFrame()
{
    m_Cursor = LoadProgramCursor(Read(Settings(), cfg::CursorNo), ScreenDpi());
    m_PrevCursor = CCursor::Shared(::LoadCursorW(nullptr, IDC_ARROW));
    m_strTitle = LoadResString(IDS_APP_TITLE);
}

CMainFrame::~CMainFrame()
{
    m_pNotifier.reset();
    ::SetCursor(m_PrevCursor.Get());
}

bool CMainFrame::PreCreateWindow(CREATESTRUCTW& cs)
{
    const Rect start = ComputeStartRect(Settings(), ::GetSystemMetrics(SM_CXSCREEN),
                                        ::GetSystemMetrics(SM_CYSCREEN), WorkAreas(), ScreenDpi());
    cs.x = start.left;
    cs.y = start.top;
    cs.cx = start.Width();
    cs.cy = start.Height();
    return CFrameWnd::PreCreateWindow(cs);
}

bool CMainFrame::OnCommand(UINT id)
{
    CPloverView* view = View();
    return (view && RunCommand(*this, *view, id)) || CFrameWnd::OnCommand(id);
}

void CMainFrame::ComeToFront()
{
    if (::IsIconic(m_hWnd))
        ::ShowWindow(m_hWnd, SW_RESTORE);
    else
        ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
}

bool CMainFrame::LoadFrame(UINT resourceId, DWORD style, CDocument* document,
                           std::function<std::unique_ptr<CView>()> makeView)
{
    if (!CFrameWnd::LoadFrame(resourceId, style, document, std::move(makeView)))
        return false;
    if (CPloverView* view = View()) {
        view->SetProgramCursor(m_Cursor.Get());
        view->SetBarHost(this);
    }
    m_pNotifier = std::make_unique<CNotifier>(
        m_hWnd, kTrayMessage, reinterpret_cast<HICON>(::GetClassLongPtrW(m_hWnd, GCLP_HICONSM)));
    ApplyNotifySettings(LoadSettings(Settings()));
    ::SetTimer(m_hWnd, kNotifyTimer, kNotifyMilliseconds, nullptr);
    if (Read(Settings(), cfg::StartMenuBar) != 0)
        ShowMenuBar(false);
    if (Read(Settings(), cfg::StartTitleBar) != 0)
        ShowTitleBar(false);
    FollowAppTheme(m_hWnd, false);
    return true;
}

void CMainFrame::ApplyNotifySettings(const CPloverSettings& settings)
{
    if (!m_pNotifier)
        return;
    m_pNotifier->Apply(settings);
    OnNotifyTick();
}

void CMainFrame::OnNotifyTick()
{
    CPloverView* view = View();
    if (!m_pNotifier || !view)
        return;
    const CPloverDoc* doc = view->GetDocument();
    m_pNotifier->Tick(Now(), doc ? doc->TargetEntry() : nullptr, view->Texts(), view->Dpi());
}

void CMainFrame::OnTrayCallback(LPARAM lParam)
{
    if (!m_pNotifier)
        return;
    switch (m_pNotifier->OnCallback(lParam)) {
    case CNotifier::Action::ShowWindow:
        ComeToFront();
        ::SetForegroundWindow(m_hWnd);
        break;
    case CNotifier::Action::ShowMenu:
        ShowTrayMenu();
        break;
    case CNotifier::Action::None:
        break;
    }
}

void CMainFrame::ShowTrayMenu()
{
    const CMenu menu(::CreatePopupMenu());
    if (!menu)
        return;
    ::AppendMenuW(menu.Get(), MF_STRING, IDM_TRAY_SHOW, L"表示");
    ::AppendMenuW(menu.Get(), MF_STRING, IDM_TARGET_SELECT, L"ﾀｰｹﾞｯﾄ選択");
    ::AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu.Get(), MF_STRING, IDM_APP_EXIT, L"終了");
    ::SetMenuDefaultItem(menu.Get(), IDM_TRAY_SHOW, FALSE);
    POINT at{};
    ::GetCursorPos(&at);
    // Without the foreground the menu would stay open after a click elsewhere.
    ::SetForegroundWindow(m_hWnd);
    const UINT chosen = static_cast<UINT>(
        ::TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0,
                         m_hWnd, nullptr));
    ::PostMessageW(m_hWnd, WM_NULL, 0, 0);
    if (chosen == IDM_TRAY_SHOW) {
        ComeToFront();
    } else if (chosen != 0) {
        // A schedule command on a hidden window would open its dialog unseen.
        ComeToFront();
        ::PostMessageW(m_hWnd, WM_COMMAND, chosen, 0);
    }
}

void CMainFrame::ShowTitleBar(bool show)
{
    const LONG_PTR style = ::GetWindowLongPtrW(m_hWnd, GWL_STYLE);
    const LONG_PTR caption = WS_CAPTION;
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, show ? style | caption : style & ~caption);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    if (show)
        return;
    // Taken away, the caption leaves its room until the platform lays the frame
    // out again, which only a resize does.
    RECT r{};
    ::GetWindowRect(m_hWnd, &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    ::MoveWindow(m_hWnd, r.left, r.top, width, height + 1, TRUE);
    ::MoveWindow(m_hWnd, r.left, r.top, width, height, TRUE);
}

void CMainFrame::OnKeyMenu(WPARAM wParam, LPARAM lParam)
{
    // Alt+Space is the system menu's, with or without the menu bar.
    if (lParam != L' ' && !HasMenuBar()) {
        m_bMenuForLoop = true;
        ShowMenuBar(true);
    }
    // The menu's loop has ended when this returns, also where a letter matched
    // no menu and none ran.
    CFrameWnd::WindowProc(WM_SYSCOMMAND, wParam, lParam);
    if (m_bMenuForLoop)
        ::PostMessageW(m_hWnd, kMenuLoopDone, 0, 0);
}

// A command of the menu (the bar key's own, the options) may have set the bars
// meanwhile: the view's state says whether the menu bar stays.
void CMainFrame::HideMenuAfterLoop()
{
    if (!m_bMenuForLoop)
        return;
    m_bMenuForLoop = false;
    if (!View() || View()->Bars() != BarState::Both)
        ShowMenuBar(false);
}

void CMainFrame::ReplaceCursor(int cursorNo)
{
    const CCursor old = std::move(m_Cursor);
    m_Cursor = LoadProgramCursor(cursorNo, View() ? View()->Dpi() : ScreenDpi());
    if (CPloverView* view = View())
        view->SetProgramCursor(m_Cursor.Get());
    // The pointer may show the old one still; it must not show a destroyed cursor.
    if (::GetCursor() == old.Get())
        ::SetCursor(m_Cursor.Get());
}

bool CMainFrame::OnSetCursor(UINT hitTest)
{
    switch (hitTest) {
    case HTCLIENT:
    case HTCAPTION:
    case HTSYSMENU:
    case HTMENU:
    case HTMINBUTTON:
    case HTMAXBUTTON:
    case HTCLOSE: {
        const HCURSOR previous = ::SetCursor(m_Cursor.Get());
        if (previous != m_Cursor.Get())
            m_PrevCursor = CCursor::Shared(previous);
        return true;
    }
    default:
        return false;  // the sizing borders keep the platform's arrows
    }
}

void CMainFrame::OnSize(UINT type)
{
    if (type == SIZE_MINIMIZED && m_pNotifier && m_pNotifier->HidesWhenMinimized())
        ::ShowWindow(m_hWnd, SW_HIDE);
    if (type == SIZE_MINIMIZED && View())
        View()->RestartIconCount();
    if (View())
        View()->SetMinimised(type == SIZE_MINIMIZED);
}

void CMainFrame::OnDpiChanged(int dpi, const RECT& suggested)
{
    // The suggested rectangle keeps the window the same size to the eye on the
    // new monitor; the view then draws with the new DPI's pictures.
    if (View()) {
        View()->SetDpi(dpi);
        ReplaceCursor(Read(Settings(), cfg::CursorNo));
    }
    ::SetWindowPos(m_hWnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMainFrame::RealizePicture(bool background)
{
    CPloverView* view = View();
    if (!view || !view->m_hWnd)
        return;
    if (background)
        view->Picture().OnPaletteChanged(view->m_hWnd);
    else
        view->Picture().OnActivate(view->m_hWnd);
}

void CMainFrame::OnActivate(UINT state)
{
    if (state == WA_ACTIVE || state == WA_CLICKACTIVE) {
        ::SetWindowTextW(m_hWnd, m_strTitle.c_str());
        RealizePicture(false);
    } else if (CPloverView* view = View()) {
        // Without a target there is no countdown to show.
        const std::wstring& countdown = view->Countdown();
        const std::wstring title =
            countdown.empty() ? m_strTitle : m_strTitle + L" [" + countdown + L"]";
        ::SetWindowTextW(m_hWnd, title.c_str());
    }
}

void CMainFrame::OnDestroy()
{
    ::KillTimer(m_hWnd, kNotifyTimer);
    m_pNotifier.reset();
    // The normal-state rectangle: a minimised window reports one far off-screen.
    StoreWindowRect(Settings(), NormalWindowRect(m_hWnd));
}

void CMainFrame::OnEndSession(bool ending)
{
    if (!ending)
        return;
    if (m_pNotifier)
        m_pNotifier->Remove();
    // What a normal close writes, without its questions: an open dialog counts as
    // cancelled, since the document holds only what an OK has committed.
    if (CPloverDoc* doc = View() ? View()->GetDocument() : nullptr)
        doc->SaveForEndSession();
    StoreWindowRect(Settings(), NormalWindowRect(m_hWnd));
}

LRESULT CMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETCURSOR:
        if (OnSetCursor(LOWORD(lParam)))
            return TRUE;
        return CFrameWnd::WindowProc(message, wParam, lParam);
    case WM_DESTROY:
        CFrameWnd::WindowProc(message, wParam, lParam);
        OnDestroy();
        return 0;
    case WM_SIZE: {
        const LRESULT result = CFrameWnd::WindowProc(message, wParam, lParam);
        OnSize(static_cast<UINT>(wParam));
        return result;
    }
    case WM_ACTIVATE: {
        const LRESULT result = CFrameWnd::WindowProc(message, wParam, lParam);
        OnActivate(LOWORD(wParam));
        return result;
    }
    case WM_QUERYNEWPALETTE: {
        const LRESULT result = CFrameWnd::WindowProc(message, wParam, lParam);
        RealizePicture(true);
        return result;
    }
    case WM_PALETTECHANGED: {
        const LRESULT result = CFrameWnd::WindowProc(message, wParam, lParam);
        if (reinterpret_cast<HWND>(wParam) != m_hWnd)
            RealizePicture(true);
        return result;
    }
    case WM_DPICHANGED:
        OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_TIMER:
        if (wParam == kNotifyTimer) {
            OnNotifyTick();
            return 0;
        }
        return CFrameWnd::WindowProc(message, wParam, lParam);
    case kTrayMessage:
        OnTrayCallback(lParam);
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) != SC_KEYMENU)
            return CFrameWnd::WindowProc(message, wParam, lParam);
        OnKeyMenu(wParam, lParam);
        return 0;
    case kMenuLoopDone:
        HideMenuAfterLoop();
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;  // never holds the session up; the write comes with WM_ENDSESSION
    case WM_ENDSESSION:
        OnEndSession(wParam != FALSE);
        return 0;
    case WM_TIMECHANGE:
        if (View())
            View()->CheckDate();
        return CFrameWnd::WindowProc(message, wParam, lParam);
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
        if (IsAppThemeChange(message, lParam))
            FollowAppTheme(m_hWnd, true);
        if (View())
            View()->OnSystemLookChange();
        return CFrameWnd::WindowProc(message, wParam, lParam);
    case WM_POWERBROADCAST:
        if ((wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND) && View())
            View()->CheckDate();
        return CFrameWnd::WindowProc(message, wParam, lParam);
    default:
        if (message == TaskbarCreatedMessage() && m_pNotifier) {
            m_pNotifier->AddAgain();
            return 0;
        }
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }
}

std::unique_ptr<CSingleDocTemplate> MakeMainTemplate(
    std::function<std::unique_ptr<CDocument>()> makeDocument)
{
    // The frame is made first and makes the view inside its own creation.
    auto frame = std::make_shared<CMainFrame*>(nullptr);
    return std::make_unique<CSingleDocTemplate>(
        IDR_MAINFRAME, std::move(makeDocument),
        [frame] {
            auto made = std::make_unique<CMainFrame>();
            *frame = made.get();
            return made;
        },
        [frame] {
            auto view = std::make_unique<CPloverView>();
            if (*frame)
                (*frame)->SetCountdownView(*view);
            return view;
        });
}

}  // namespace plover
