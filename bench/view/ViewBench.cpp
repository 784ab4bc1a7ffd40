// The time of one full repaint of the countdown view at 400 x 300 and at
// 1920 x 1080.  (scripts/bench measures the running program's CPU time beside the
// floor from outside: Wine reports no CPU time for another process.)
#include <windows.h>

#include <chrono>
#include <cstdio>

#include "ViewHarness.h"
#include "WineTestSupport.h"
#include "framework/Gdi.h"
#include "view/PloverView.h"

using namespace plover;
using namespace plover::test;

namespace {

double RepaintMilliseconds(CViewHarness& harness, int width, int height, int rounds)
{
    const HWND view = harness.View()->m_hWnd;
    ::MoveWindow(view, 0, 0, width, height, FALSE);
    CClientDC screen(view);
    CMemoryDC dc(screen.Get());
    CBitmap canvas(::CreateCompatibleBitmap(screen.Get(), width, height));
    CSelectObject select(dc.Get(), canvas.Get());
    harness.View()->OnDraw(dc.Get());  // fonts and caches warm
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i)
        harness.View()->OnDraw(dc.Get());
    ::GdiFlush();
    const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
    return spent.count() / rounds;
}

}  // namespace

int main(int argc, char** argv)
{
    {
        CViewHarness harness(LocalTime{2026, 12, 9, 4, 12, 0, 0});
        CScheduleList list;
        list.push_back(MakeEntry(L"星空観察会", 2026, 12, 21));
        list.push_back(MakeEntry(L"忘年会", 2026, 12, 11));
        list.push_back(MakeEntry(L"大掃除", 2026, 12, 28));
        harness.SetSchedule(list, 0);
        harness.Open(400, 300);
        harness.FinishShootingStar();
        std::printf("countdown view, one full repaint (all panels, month list):\n");
        std::printf("  400 x 300    %7.3f ms\n", RepaintMilliseconds(harness, 400, 300, 500));
        std::printf("  1920 x 1080  %7.3f ms\n", RepaintMilliseconds(harness, 1920, 1080, 100));
        std::fflush(stdout);
    }

    return 0;
}
