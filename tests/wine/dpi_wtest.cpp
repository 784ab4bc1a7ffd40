// The main window at another DPI and while nothing of it can be seen: a DPI
// change moves it to the suggested rectangle and redraws it with that DPI's
// pictures; minimised or locked, its animations stop and go on afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include <wtsapi32.h>

#include <algorithm>
#include <string>

#include "PaintCanvas.h"
#include "ViewHarness.h"
#include "app/MainFrame.h"
#include "framework/Dpi.h"
#include "framework/DpiScale.h"
#include "framework/Gdi.h"
#include "objects/ClockObject.h"
#include "resource.h"
#include "view/PloverView.h"

using namespace plover;
using namespace plover::test;

namespace {

const LocalTime kToday{1996, 5, 12, 1, 9, 0, 0};

HWND StarWindow(HWND view)
{
    return ::FindWindowExW(view, nullptr, L"PloverRollStarObject", nullptr);
}

// The widest row of star yellow the left star shows over a few of its frames:
// the face-on frame is about 26 pixels wide at 100 % and twice that at 200 %.
int WidestStar(CViewHarness& h)
{
    const HWND star = StarWindow(h.View()->m_hWnd);
    RECT client{};
    ::GetClientRect(star, &client);
    int widest = 0;
    for (int shot = 0; shot < 30; ++shot) {
        h.Pump(15);
        CPaintCanvas canvas(client.right, client.bottom);
        const HDC dc = ::GetDC(star);
        ::BitBlt(canvas.Dc(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
        ::ReleaseDC(star, dc);
        for (int y = 0; y < client.bottom; ++y) {
            int left = client.right, right = -1;
            for (int x = 0; x < client.right; ++x) {
                if (canvas.Pixel(x, y) == RgbColour{255, 255, 0}) {
                    left = std::min(left, x);
                    right = x;
                }
            }
            widest = std::max(widest, right - left + 1);
        }
    }
    return widest;
}

CScheduleList Schedule()
{
    CScheduleList list;
    list.push_back(MakeEntry(L"卒業式", 1996, 5, 24));
    return list;
}

}  // namespace

TEST(Dpi, ADpiChangeTakesTheSuggestedRectangleAndTheStarsOfThatDpi)
{
    CViewHarness h(kToday);
    h.SetSchedule(Schedule(), 0);
    ASSERT_TRUE(h.Open(400, 300));
    const HWND frame = h.Frame()->m_hWnd;
    const HWND view = h.View()->m_hWnd;
    const int before = WidestStar(h);
    EXPECT_GE(before, 20);
    EXPECT_LE(before, 32);

    RECT suggested{40, 30, 840, 630};
    ::SendMessageW(frame, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    h.Pump(100);
    RECT now{};
    ::GetWindowRect(frame, &now);
    EXPECT_TRUE(::EqualRect(&now, &suggested)) << now.left << "," << now.top << " " << now.right << ","
                                                << now.bottom;
    EXPECT_EQ(h.View()->Dpi(), 192);
    RECT star{};
    ::GetWindowRect(StarWindow(view), &star);
    EXPECT_EQ(star.right - star.left, 60);
    EXPECT_EQ(star.bottom - star.top, 80);
    // Which frames a busy machine samples varies by a few pixels: the sets are told
    // apart by widths no frame of the other set reaches.
    EXPECT_GE(WidestStar(h), 40) << "the stars kept their 100 % pictures";

    // Back at 96 dpi, everything is as it was.
    suggested = RECT{40, 30, 440, 330};
    ::SendMessageW(frame, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));
    h.Pump(100);
    const int back = WidestStar(h);
    EXPECT_GE(back, 20);
    EXPECT_LE(back, 32) << "the stars kept their 200 % pictures";
}

TEST(Dpi, AnimationsStopWhileMinimisedOrLockedAndGoOnAfterwards)
{
    CViewHarness h(kToday);
    h.SetSchedule(Schedule(), 0);
    ASSERT_TRUE(h.Open(400, 300));
    const HWND frame = h.Frame()->m_hWnd;
    const HWND view = h.View()->m_hWnd;
    ASSERT_TRUE(h.View()->Clock()->IsRunning());

    ::ShowWindow(frame, SW_MINIMIZE);
    h.Pump();
    EXPECT_FALSE(h.View()->IsAnimating());
    EXPECT_FALSE(h.View()->Clock()->IsRunning());
    // A stopped star's window gets no timer: killing it again fails.
    EXPECT_FALSE(::KillTimer(StarWindow(view), 1)) << "the star's timer runs on";
    ::ShowWindow(frame, SW_RESTORE);
    h.Pump();
    EXPECT_TRUE(h.View()->IsAnimating());
    EXPECT_TRUE(h.View()->Clock()->IsRunning());

    ::SendMessageW(view, WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 0);
    EXPECT_FALSE(h.View()->Clock()->IsRunning());
    ::ShowWindow(frame, SW_MINIMIZE);
    ::ShowWindow(frame, SW_RESTORE);
    h.Pump();
    EXPECT_FALSE(h.View()->Clock()->IsRunning()) << "restored while still locked";
    ::SendMessageW(view, WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 0);
    EXPECT_TRUE(h.View()->Clock()->IsRunning());
    // A star that runs has its timer; it is set again for the rest of the test.
    EXPECT_TRUE(::KillTimer(StarWindow(view), 1));
    ::SetTimer(StarWindow(view), 1, 10, nullptr);
}

// Between two drawn sets (125 %, 175 %) a picture is the larger set's, scaled down
// to the 100 % size times the DPI: never the smaller one stretched up.
TEST(Dpi, BetweenTwoSetsAPictureIsTheLargerOneScaledDown)
{
    const auto resource = [](int set) {
        return CBitmap(static_cast<HBITMAP>(::LoadImageW(::GetModuleHandleW(nullptr),
                                                         MAKEINTRESOURCEW(ScaledResourceId(IDB_SHOOTING_STAR, set, ID_ASSET_SET_STEP)),
                                                         IMAGE_BITMAP, 0, 0, 0)));
    };
    // Pixels that differ between `a` and `b` drawn at w x h with the loader's stretch.
    const auto differing = [](HBITMAP a, HBITMAP b, int w, int h) {
        CPaintCanvas one(w, h), other(w, h);
        for (const auto& [canvas, bitmap] : {std::pair{&one, a}, std::pair{&other, b}}) {
            const SIZE size = BitmapSize(bitmap);
            const CMemoryDC from(canvas->Dc());
            const CSelectObject selected(from.Get(), bitmap);
            ::SetStretchBltMode(canvas->Dc(), COLORONCOLOR);
            ::StretchBlt(canvas->Dc(), 0, 0, w, h, from.Get(), 0, 0, size.cx, size.cy, SRCCOPY);
        }
        return one.Difference(other);
    };
    const SIZE base = BitmapSize(resource(0).Get());
    for (const auto& [dpi, set] : {std::pair{120, 1}, std::pair{168, 2}}) {
        const CBitmap loaded = LoadBitmapForDpi(IDB_SHOOTING_STAR, ID_ASSET_SET_STEP, dpi, false);
        const SIZE size = BitmapSize(loaded.Get());
        EXPECT_EQ(size.cx, ScaleToDpi(base.cx, dpi)) << dpi;
        EXPECT_EQ(size.cy, ScaleToDpi(base.cy, dpi)) << dpi;
        EXPECT_EQ(differing(loaded.Get(), resource(set).Get(), size.cx, size.cy), 0) << dpi;
        EXPECT_GT(differing(loaded.Get(), resource(set - 1).Get(), size.cx, size.cy), 0)
            << dpi << ": the sets cannot be told apart";
    }
}
