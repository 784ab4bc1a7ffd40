// CPU time the two rotating stars and the clock cost while they run, beside a bare
// window tree that runs the same timers (10 ms twice, 100 ms) and paints each tick
// with a single BitBlt: the floor no painting can go below.  Both run in the same
// process, one after the other, for the same time.
//   plover_paint_bench [SECONDS]      measure (20 s each by default)
//   plover_paint_bench --show SECONDS only show the objects, for a screenshot
//   plover_paint_bench --floor SECONDS only run the floor (measured from outside)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "framework/Gdi.h"
#include "framework/Wnd.h"
#include "objects/ClockObject.h"
#include "objects/Frames.h"
#include "objects/RollStarObject.h"
#include "resource.h"

using namespace plover;

namespace {

// The view's proportions for a small window in clock mode: a star near each upper
// corner and the clock inside its frames.
constexpr int kClientWidth = 360;
constexpr int kClientHeight = 200;
constexpr RECT kLeftStar{3, 15, 33, 55};
constexpr RECT kRightStar{kClientWidth - 33, 15, kClientWidth - 3, 55};
constexpr int kPanelX = 18, kPanelY = 70, kPanelW = kClientWidth - 36, kPanelH = 110;
constexpr RECT kClock{kPanelX + 15, kPanelY + 18, kPanelX + kPanelW - 15, kPanelY + kPanelH - 18};

long g_nStarPaints = 0;
long g_nClockPaints = 0;
long g_nBarePaints = 0;

class CCountedStar : public CRollStarObject {
public:
    void OnDraw(HDC dc) override
    {
        ++g_nStarPaints;
        CRollStarObject::OnDraw(dc);
    }
};

class CCountedClock : public CClockObject {
public:
    void OnDraw(HDC dc) override
    {
        ++g_nClockPaints;
        CClockObject::OnDraw(dc);
    }
};

// The plate the objects stand on, drawn only when uncovered.
class CPlate : public CWnd {
public:
    bool Create(const wchar_t* title)
    {
        RegisterClass(L"PloverBenchPlate", 0, ::LoadCursorW(nullptr, IDC_ARROW), nullptr, nullptr);
        RECT r{0, 0, kClientWidth, kClientHeight};
        const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | WS_VISIBLE;
        ::AdjustWindowRect(&r, style, FALSE);
        return CreateEx(0, L"PloverBenchPlate", title, style, 40, 40, r.right - r.left,
                        r.bottom - r.top, nullptr, nullptr);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_PAINT: {
            CPaintDC dc(m_hWnd);
            OnPaint(dc.Get());
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        default:
            return CWnd::WindowProc(message, wParam, lParam);
        }
    }

private:
    void OnPaint(HDC dc)
    {
        const CBrush plate = MakeSolidBrush(ToColorRef(kPlateGrey));
        const RECT all{0, 0, kClientWidth, kClientHeight};
        ::FillRect(dc, &all, plate.Get());
        const int x = kPanelX, y = kPanelY, w = kPanelW, h = kPanelH;
        DrawRaisedFrame(dc, {x, y + 7, x + w, y + h - 7});
        DrawSunkenFrame(dc, {x + 1, y + 8, x + w - 1, y + h - 8});
        ::SetBkMode(dc, OPAQUE);
        ::SetBkColor(dc, ToColorRef(kPlateGrey));
        const wchar_t caption[] = L" 只今の時間 ";
        ::TextOutW(dc, x + 10, y, caption, static_cast<int>(std::wcslen(caption)));
    }
};

// The floor: a window that on each tick of its timer repaints itself with one BitBlt
// from a picture it holds selected in a memory DC for its whole life.
class CBareWindow : public CWnd {
public:
    bool Create(HWND parent, const RECT& r, UINT period, HBITMAP picture)
    {
        m_nPeriod = period;
        m_hPicture = picture;
        RegisterClass(L"PloverBenchBare", CS_HREDRAW | CS_VREDRAW, nullptr, nullptr, nullptr);
        return CreateEx(0, L"PloverBenchBare", L"", WS_CHILD | WS_VISIBLE, r.left, r.top,
                        r.right - r.left, r.bottom - r.top, parent, nullptr);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_CREATE: {
            const CClientDC window(m_hWnd);
            m_memory.emplace(window.Get());
            m_selection.emplace(m_memory->Get(), m_hPicture);
            ::SetTimer(m_hWnd, 1, m_nPeriod, nullptr);
            return 0;
        }
        case WM_DESTROY:
            ::KillTimer(m_hWnd, 1);
            m_selection.reset();
            m_memory.reset();
            return 0;
        case WM_TIMER:
            ::InvalidateRect(m_hWnd, nullptr, FALSE);
            ::UpdateWindow(m_hWnd);
            return 0;
        case WM_PAINT: {
            ++g_nBarePaints;
            CPaintDC dc(m_hWnd);
            const RECT& r = dc.PaintRect();
            ::BitBlt(dc.Get(), r.left, r.top, r.right - r.left, r.bottom - r.top, m_memory->Get(),
                     r.left, r.top, SRCCOPY);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        default:
            return CWnd::WindowProc(message, wParam, lParam);
        }
    }

private:
    UINT m_nPeriod = 10;
    HBITMAP m_hPicture = nullptr;
    std::optional<CMemoryDC> m_memory;
    std::optional<CSelectObject> m_selection;
};

void PumpFor(DWORD milliseconds)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        const DWORD elapsed = ::GetTickCount() - start;
        if (elapsed >= milliseconds)
            return;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

double CpuSeconds()
{
    FILETIME created, exited, kernel, user;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& t) {
        ULARGE_INTEGER v;
        v.LowPart = t.dwLowDateTime;
        v.HighPart = t.dwHighDateTime;
        return static_cast<double>(v.QuadPart) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

struct Figures {
    double cpu = 0;
    long starPaints = 0;
    long clockPaints = 0;
};

// Lets the windows settle (first paints, font loading) before the clock starts.
constexpr DWORD kSettleMs = 1000;

Figures RunObjects(DWORD milliseconds)
{
    CPlate plate;
    plate.Create(L"Plover: stars and clock");
    CCountedStar left, right;
    CCountedClock clock;
    right.SetPhase(1, 0, 1);
    left.Create(plate.m_hWnd, kLeftStar, IDC_STAR_LEFT);
    right.Create(plate.m_hWnd, kRightStar, IDC_STAR_RIGHT);
    clock.Create(plate.m_hWnd, kClock, IDC_CLOCK);
    PumpFor(kSettleMs);

    g_nStarPaints = g_nClockPaints = 0;
    const double start = CpuSeconds();
    PumpFor(milliseconds);
    return {CpuSeconds() - start, g_nStarPaints, g_nClockPaints};
}

Figures RunFloor(DWORD milliseconds)
{
    CPlate plate;
    plate.Create(L"Plover: bare floor");
    const CClientDC screen(nullptr);
    const CBitmap star(::LoadBitmapW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_ROLL_STAR_1)));
    const CBitmap box(::CreateCompatibleBitmap(screen.Get(), kClock.right - kClock.left,
                                               kClock.bottom - kClock.top));
    CBareWindow left, right, clock;
    left.Create(plate.m_hWnd, kLeftStar, 10, star.Get());
    right.Create(plate.m_hWnd, kRightStar, 10, star.Get());
    clock.Create(plate.m_hWnd, kClock, 100, box.Get());
    PumpFor(kSettleMs);

    g_nBarePaints = 0;
    const double start = CpuSeconds();
    PumpFor(milliseconds);
    return {CpuSeconds() - start, g_nBarePaints, 0};
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--show") == 0) {
        RunObjects(static_cast<DWORD>(std::atof(argv[2]) * 1000));
        return 0;
    }
    // Only the floor, for a benchmark that measures this process from outside.
    if (argc == 3 && std::strcmp(argv[1], "--floor") == 0) {
        RunFloor(static_cast<DWORD>(std::atof(argv[2]) * 1000));
        return 0;
    }
    const double seconds = argc > 1 ? std::atof(argv[1]) : 20.0;
    const DWORD ms = static_cast<DWORD>(seconds * 1000);

    std::printf("paint: %.0f s each, CPU time of this process (user + kernel)\n", seconds);
    const Figures floor = RunFloor(ms);
    std::printf("  bare windows, one BitBlt a tick (the floor): %6.2f s CPU  (%.0f paints/s)\n",
                floor.cpu, floor.starPaints / seconds);
    std::fflush(stdout);
    const Figures objects = RunObjects(ms);
    std::printf("  two stars and the clock:                     %6.2f s CPU"
                "  (%.0f star paints/s, %.1f clock paints/s)\n",
                objects.cpu, objects.starPaints / seconds, objects.clockPaints / seconds);
    if (floor.cpu > 0)
        std::printf("  ratio to the floor: %.2f (goal: at most 1.25)\n", objects.cpu / floor.cpu);
    return 0;
}
