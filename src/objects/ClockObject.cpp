#include "objects/ClockObject.h"

#include <string>

#include "framework/Dpi.h"
#include "framework/RectWin32.h"
#include "framework/SystemLook.h"
#include "objects/Frames.h"
#include "objects/TextFont.h"

namespace plover {

namespace {

constexpr UINT kPollMilliseconds = 100;

}  // namespace

const wchar_t* CClockObject::ClassName() const
{
    static constexpr const wchar_t* kName = L"PloverClockObject";
    // A resize changes the font, so the whole box must be drawn again.
    RegisterClass(kName, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursorW(nullptr, IDC_ARROW),
                  nullptr, nullptr);
    return kName;
}

LRESULT CClockObject::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        if (CView::WindowProc(message, wParam, lParam) == -1)
            return -1;
        return OnCreate();
    case WM_DESTROY:
        CView::WindowProc(message, wParam, lParam);
        OnDestroy();
        return 0;
    case WM_SIZE:
        CView::WindowProc(message, wParam, lParam);
        OnSize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_TIMER:
        OnTimer(wParam);
        return CView::WindowProc(message, wParam, lParam);
    default:
        return CView::WindowProc(message, wParam, lParam);
    }
}

void CClockObject::SetRunning(bool running)
{
    if (running == m_bRunning)
        return;
    m_bRunning = running;
    if (!m_hWnd)
        return;
    if (!running) {
        ::KillTimer(m_hWnd, m_nTimerID);
        // Paused within the target minute: the running clock has signalled it.
        m_bInTargetMinute = m_Face.IsTargetMinute(Now());
        return;
    }
    m_Face.SetTime(Now());
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    ::SetTimer(m_hWnd, m_nTimerID, kPollMilliseconds, nullptr);
}

void CClockObject::CheckTarget(const LocalTime& now)
{
    // The tick is a second apart at best: the first one inside the minute counts,
    // whichever of its first seconds it lands in.
    const bool inMinute = m_Face.IsTargetMinute(now);
    if (inMinute && !m_bInTargetMinute && m_hWnd)
        ::PostMessageW(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(kTargetTimeCommand, 0), 0);
    m_bInTargetMinute = inMinute;
}

void CClockObject::ApplyLook()
{
    m_pBkBrush = MakeSolidBrush(LookColour(ToColorRef(kClockBackground), COLOR_WINDOW));
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

int CClockObject::OnCreate()
{
    ApplyLook();
    if (m_bRunning)
        ::SetTimer(m_hWnd, m_nTimerID, kPollMilliseconds, nullptr);
    m_Face.SetTime(Now());
    return 0;
}

void CClockObject::OnDestroy()
{
    ::KillTimer(m_hWnd, m_nTimerID);
    m_pFont.Reset();
}

void CClockObject::OnSize(int cx, int cy)
{
    BuildFont(cx, cy);
    ReadClientSize();
}

void CClockObject::RecreateFont()
{
    ReadClientSize();
    BuildFont(m_cxClient, m_cyClient);
}

void CClockObject::ReadClientSize()
{
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    m_cxClient = client.right;
    m_cyClient = client.bottom;
}

void CClockObject::BuildFont(int cx, int cy)
{
    const FontSize size = ClockFontSize(cx, cy);
    m_pFont = MakeTextFont(size, ClockFaceName(m_nGMFont));
}

void CClockObject::SetTargetTime(const LocalTime& target)
{
    m_Face.SetTarget(target);
}

void CClockObject::ClearTargetTime()
{
    m_Face.ClearTarget();
}

void CClockObject::OnTimer(UINT_PTR id)
{
    if (id != m_nTimerID)
        return;
    const ClockTick tick = m_Face.Tick(Now(), m_cxClient, m_cyClient);
    if (tick.postTarget)
        ::PostMessageW(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(kTargetTimeCommand, 0), 0);
    if (tick.repaint) {
        const RECT area = ToRECT(tick.area);
        ::InvalidateRect(m_hWnd, &area, FALSE);
        ::UpdateWindow(m_hWnd);
    }
}

void CClockObject::OnDraw(HDC dc)
{
    const int w = m_cxClient, h = m_cyClient;
    ClipAndFill(dc, Rect{0, 0, w, h}, m_pBkBrush.Get());
    for (const FrameOutline& frame : ClockFrames(w, h, WindowDpi(m_hWnd)))
        DrawFrame(dc, frame);

    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, LookColour(ToColorRef(kBlack), COLOR_WINDOWTEXT));
    // Before the first resize there is no digit font; the DC's own font stands in.
    const CSelectObject font(dc, m_pFont ? m_pFont.Get() : ::GetCurrentObject(dc, OBJ_FONT));
    const std::wstring text = m_Face.Text(m_nHour24 != 0);
    RECT box{0, 0, w, h};
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box,
                DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}

}  // namespace plover
