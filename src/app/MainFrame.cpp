#include "app/MainFrame.h"

#include <vector>

#include "app/Commands.h"
#include "app/ProgramCursor.h"
#include "app/StartPlacement.h"
#include "framework/Dpi.h"
#include "framework/Help.h"
#include "framework/RectWin32.h"
#include "framework/Resource.h"
#include "resource.h"
#include "services/Settings.h"
#include "schedule/PloverDoc.h"
#include "view/PloverView.h"

namespace plover {

namespace {

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
        ::OffsetRect(&r, info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top);
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
    if (Read(Settings(), cfg::StartMenuBar) != 0)
        ShowMenuBar(false);
    if (Read(Settings(), cfg::StartTitleBar) != 0)
        ShowTitleBar(false);
    return true;
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
    case HTCLIENT: case HTCAPTION: case HTSYSMENU: case HTMENU:
    case HTMINBUTTON: case HTMAXBUTTON: case HTCLOSE: {
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
    // The normal-state rectangle: a minimised window reports one far off-screen.
    StoreWindowRect(Settings(), NormalWindowRect(m_hWnd));
}

void CMainFrame::OnEndSession(bool ending)
{
    if (!ending)
        return;
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
    case WM_QUERYENDSESSION:
        return TRUE;  // never holds the session up; the write comes with WM_ENDSESSION
    case WM_ENDSESSION:
        OnEndSession(wParam != FALSE);
        return 0;
    case WM_TIMECHANGE:
        if (View())
            View()->CheckDate();
        return CFrameWnd::WindowProc(message, wParam, lParam);
    case WM_POWERBROADCAST:
        if ((wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND) && View())
            View()->CheckDate();
        return CFrameWnd::WindowProc(message, wParam, lParam);
    default:
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
