// The clock and the rotating stars as child windows of a test window: what they
// paint, when the clock signals the target minute, and that painting leaves no
// GDI object behind.
#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "PaintCanvas.h"
#include "framework/Cursor.h"
#include "framework/Gdi.h"
#include "framework/Menu.h"
#include "framework/Wnd.h"
#include "objects/ClockFace.h"
#include "objects/ClockObject.h"
#include "objects/Frames.h"
#include "objects/RollStarObject.h"
#include "objects/StarAnimation.h"
#include "resource.h"
#include "services/LocalTime.h"

using namespace plover;
using namespace plover::test;

namespace {

constexpr RgbColour kSentinel{1, 2, 3};

// A visible top-level window to hold the objects, as the view will.
class CHostWindow : public CWnd {
public:
    CHostWindow()
    {
        RegisterClass(L"PloverObjectsTestHost", 0, ::LoadCursorW(nullptr, IDC_ARROW),
                      reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), nullptr);
        CreateEx(0, L"PloverObjectsTestHost", L"objects", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE,
                 20, 20, 420, 260, nullptr, nullptr);
    }
};

RECT ClockRect(int width = 200, int height = 50)
{
    return RECT{40, 60, 40 + width, 60 + height};
}

// The clock's own pixels, read back from the screen.
void CaptureWindow(HWND window, CPaintCanvas& canvas)
{
    const CClientDC dc(window);
    ::BitBlt(canvas.Dc(), 0, 0, canvas.Width(), canvas.Height(), dc.Get(), 0, 0, SRCCOPY);
}

bool SamePixels(const CPaintCanvas& a, const CPaintCanvas& b)
{
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y))
                return false;
    return true;
}

int Brightness(const RgbColour& c)
{
    return c.red + c.green + c.blue;
}

class ClockObjectTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetNowSource([this] { return m_now; });
    }
    void TearDown() override { SetNowSource(nullptr); }

    void CreateClock(int width = 200, int height = 50)
    {
        ASSERT_TRUE(m_clock.Create(m_host.m_hWnd, ClockRect(width, height), IDC_CLOCK));
    }
    void TickAt(int hour, int minute, int second, int day = 24)
    {
        m_now = LocalTime{2026, 12, day, 5, hour, minute, second};
        ::SendMessageW(m_clock.m_hWnd, WM_TIMER, 1, 0);
    }
    // WM_COMMANDs waiting for the host; a filtered peek dispatches no timer, so the
    // clock's own ticks cannot add any.
    int TakeTargetCommands()
    {
        int count = 0;
        MSG msg;
        while (::PeekMessageW(&msg, m_host.m_hWnd, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {
            EXPECT_EQ(msg.wParam, static_cast<WPARAM>(IDM_TARGET_TIME));
            EXPECT_EQ(msg.lParam, 0);
            ++count;
        }
        return count;
    }
    void Paint(CPaintCanvas& canvas) { m_clock.OnDraw(canvas.Dc()); }

    LocalTime m_now{2026, 12, 24, 5, 9, 5, 7};
    CHostWindow m_host;
    CClockObject m_clock;
};

TEST_F(ClockObjectTest, PaintsMintBoxWithSunkenBorderAndBlackDigitsInside)
{
    CreateClock(200, 50);
    const int w = 200, h = 50;
    CPaintCanvas canvas(w + 30, h + 20, kSentinel);
    Paint(canvas);

    const auto frames = ClockFrames(w, h);
    int black = 0;
    int inkLeft = w, inkRight = -1, inkTop = h, inkBottom = -1;
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            const RgbColour pixel = canvas.Pixel(x, y);
            if (x >= w || y >= h) {
                ASSERT_EQ(pixel, kSentinel) << "outside the box at " << x << "," << y;
                continue;
            }
            if (x < 2 || y < 2 || x >= w - 2 || y >= h - 2) {
                // The inner outline is drawn last and wins where the two meet.
                RgbColour expected = kClockBackground;
                if (auto outer = FramePixel(frames[0], x, y))
                    expected = *outer;
                if (auto inner = FramePixel(frames[1], x, y))
                    expected = *inner;
                ASSERT_EQ(pixel, expected) << "border at " << x << "," << y;
                continue;
            }
            if (pixel == kClockBackground)
                continue;
            ASSERT_LT(Brightness(pixel), Brightness(kClockBackground)) << x << "," << y;
            black += pixel == kBlack;
            inkLeft = std::min(inkLeft, x);
            inkRight = std::max(inkRight, x);
            inkTop = std::min(inkTop, y);
            inkBottom = std::max(inkBottom, y);
        }
    }
    EXPECT_GT(black, 200);
    // Eight digits fill most of the width, centred.
    EXPECT_GT(inkRight - inkLeft, w * 6 / 10);
    EXPECT_LE(std::abs(inkLeft - (w - 1 - inkRight)), w / 20);
    EXPECT_GT(inkBottom - inkTop, h / 3);
}

TEST_F(ClockObjectTest, TwelveHourFormShowsTheHourModuloTwelve)
{
    m_now = LocalTime{2026, 12, 24, 5, 13, 0, 0};
    CreateClock();
    CPaintCanvas afternoon12(200, 50), one24(200, 50), afternoon24(200, 50);
    m_clock.m_nHour24 = 0;
    Paint(afternoon12);
    m_clock.m_nHour24 = 1;
    Paint(afternoon24);
    TickAt(0, 59, 59);  // a tick within the same second changes nothing
    TickAt(1, 0, 0);
    Paint(one24);
    EXPECT_TRUE(SamePixels(afternoon12, one24)) << "13:00:00 in 12-hour form reads 01:00:00";
    EXPECT_FALSE(SamePixels(afternoon24, one24));

    // Mornings keep their hour rather than going negative.
    TickAt(9, 5, 7);
    CPaintCanvas morning12(200, 50), morning24(200, 50);
    Paint(morning24);
    m_clock.m_nHour24 = 0;
    Paint(morning12);
    EXPECT_TRUE(SamePixels(morning12, morning24));
}

TEST_F(ClockObjectTest, ResizeAndFontChoiceRebuildTheDigitFont)
{
    CreateClock(200, 50);
    CPaintCanvas small(200, 50, kSentinel), gothic(300, 90, kSentinel), mincho(300, 90, kSentinel);
    Paint(small);
    ::MoveWindow(m_clock.m_hWnd, 40, 60, 300, 90, TRUE);
    Paint(gothic);
    auto inkHeight = [](const CPaintCanvas& c) {
        int top = c.Height(), bottom = -1;
        for (int y = 2; y < c.Height() - 2; ++y)
            for (int x = 2; x < c.Width() - 2; ++x)
                if (c.Pixel(x, y) == kBlack) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        return bottom - top;
    };
    EXPECT_GT(inkHeight(gothic), inkHeight(small) * 3 / 2);

    m_clock.m_nGMFont = 0;
    m_clock.RecreateFont();
    Paint(mincho);
    EXPECT_FALSE(SamePixels(gothic, mincho));
}

TEST_F(ClockObjectTest, TickRepaintsTheScreenWithTheNewTime)
{
    m_now = LocalTime{2026, 12, 24, 5, 10, 59, 9};
    CreateClock();
    ::RedrawWindow(m_clock.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    CPaintCanvas before(200, 50), screen(200, 50), expected(200, 50);
    CaptureWindow(m_clock.m_hWnd, before);

    // Each change repaints only its own digits; the screen must still read the
    // whole new time.
    const std::array<std::array<int, 3>, 4> times{{{10, 59, 10}, {10, 59, 11}, {11, 0, 0}, {11, 1, 0}}};
    for (const auto& t : times) {
        TickAt(t[0], t[1], t[2]);
        CaptureWindow(m_clock.m_hWnd, screen);
        Paint(expected);
        EXPECT_TRUE(SamePixels(screen, expected)) << t[0] << ":" << t[1] << ":" << t[2];
        EXPECT_FALSE(SamePixels(screen, before));
    }
}

TEST_F(ClockObjectTest, PostsTargetCommandOnlyDuringSecondZeroOfTargetMinute)
{
    CreateClock();
    TickAt(18, 0, 0);
    EXPECT_EQ(TakeTargetCommands(), 0) << "no target yet";

    m_clock.SetTargetTime(LocalTime{2026, 12, 24, 5, 18, 0, 0});
    TickAt(17, 59, 59);
    EXPECT_EQ(TakeTargetCommands(), 0);
    for (int i = 0; i < 4; ++i)
        TickAt(18, 0, 0);
    EXPECT_EQ(TakeTargetCommands(), 4) << "every poll of that second posts";
    ::SendMessageW(m_clock.m_hWnd, WM_TIMER, 7, 0);
    EXPECT_EQ(TakeTargetCommands(), 0) << "another timer is not the poll";
    TickAt(18, 0, 1);
    TickAt(18, 1, 0);
    EXPECT_EQ(TakeTargetCommands(), 0);
    TickAt(18, 0, 0, 25);
    EXPECT_EQ(TakeTargetCommands(), 0) << "the next day";

    m_clock.ClearTargetTime();
    TickAt(18, 0, 0);
    EXPECT_EQ(TakeTargetCommands(), 0);
}

// A stopped clock (the window minimised or hidden) is asked once a second by its
// parent: the first call inside the target minute posts, whichever of its first
// seconds it lands in, and only that one.
TEST_F(ClockObjectTest, StoppedClockPostsTargetCommandOnceOnTheFirstCheckInTheMinute)
{
    CreateClock();
    m_clock.SetTargetTime(LocalTime{2026, 12, 24, 5, 18, 0, 0});
    m_now = LocalTime{2026, 12, 24, 5, 17, 59, 58};
    m_clock.SetRunning(false);
    m_clock.CheckTarget(LocalTime{2026, 12, 24, 5, 17, 59, 59});
    EXPECT_EQ(TakeTargetCommands(), 0) << "before the minute";
    m_clock.CheckTarget(LocalTime{2026, 12, 24, 5, 18, 0, 1});
    EXPECT_EQ(TakeTargetCommands(), 1) << "a tick that missed second 0 still counts";
    m_clock.CheckTarget(LocalTime{2026, 12, 24, 5, 18, 0, 2});
    m_clock.CheckTarget(LocalTime{2026, 12, 24, 5, 18, 0, 59});
    EXPECT_EQ(TakeTargetCommands(), 0) << "once in the minute";
    m_clock.CheckTarget(LocalTime{2026, 12, 25, 6, 18, 0, 0});
    EXPECT_EQ(TakeTargetCommands(), 0) << "the next day is no target minute";

    // Stopped inside the minute the running clock has signalled: no second signal.
    m_clock.SetRunning(true);
    TickAt(18, 0, 0);
    EXPECT_EQ(TakeTargetCommands(), 1);
    m_clock.SetRunning(false);
    m_clock.CheckTarget(LocalTime{2026, 12, 24, 5, 18, 0, 1});
    EXPECT_EQ(TakeTargetCommands(), 0);
}

// ---- Rotating stars -------------------------------------------------------------------

constexpr int kStarFrames[CStarAnimation::kFrameCount] = {114, 115, 116, 117, 118,
                                                          119, 120, 121, 125, 123};

struct Placement {
    int resource = 0;
    int top = -1;
    friend bool operator==(const Placement& a, const Placement& b)
    {
        return a.resource == b.resource && a.top == b.top;
    }
};

std::ostream& operator<<(std::ostream& out, const Placement& p)
{
    return out << "resource " << p.resource << " at row " << p.top;
}

class RollStarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int i = 0; i < CStarAnimation::kFrameCount; ++i) {
            const CBitmap bitmap(::LoadBitmapW(::GetModuleHandleW(nullptr),
                                               MAKEINTRESOURCEW(kStarFrames[i])));
            ASSERT_TRUE(bitmap);
            m_frames.push_back(std::make_unique<CPaintCanvas>(32, 30));
            const CMemoryDC memory(m_frames.back()->Dc());
            const CSelectObject select(memory.Get(), bitmap.Get());
            ::BitBlt(m_frames.back()->Dc(), 0, 0, 32, 30, memory.Get(), 0, 0, SRCCOPY);
        }
    }

    bool FrameAt(const CPaintCanvas& canvas, const CPaintCanvas& frame, int top) const
    {
        // The plate is 30 x 45; the 32-pixel frame is cut at column 30.
        for (int y = 0; y < 45; ++y)
            for (int x = 0; x < 30; ++x) {
                const bool inFrame = y >= top && y < top + 30;
                if (canvas.Pixel(x, y) != (inFrame ? frame.Pixel(x, y - top) : kPlateGrey))
                    return false;
            }
        return true;
    }

    // Which frame picture the paint shows and the row its top stands on.
    Placement Find(const CPaintCanvas& canvas) const
    {
        for (int y = 0; y < canvas.Height(); ++y)
            for (int x = 0; x < canvas.Width(); ++x)
                if ((x >= 30 || y >= 45) && canvas.Pixel(x, y) != kSentinel)
                    return {-1, -1};  // painted outside its plate
        Placement found;
        int matches = 0;
        for (int i = 0; i < CStarAnimation::kFrameCount; ++i)
            for (int top = 0; top <= 15; ++top)
                if (FrameAt(canvas, *m_frames[i], top)) {
                    found = {kStarFrames[i], top};
                    ++matches;
                }
        return matches == 1 ? found : Placement{0, -1};
    }

    std::vector<Placement> PaintTimes(CRollStarObject& star, int count)
    {
        std::vector<Placement> shown;
        for (int i = 0; i < count; ++i) {
            CPaintCanvas canvas(40, 50, kSentinel);
            star.OnDraw(canvas.Dc());
            shown.push_back(Find(canvas));
        }
        return shown;
    }

    static std::vector<Placement> Expected(const std::vector<int>& tops)
    {
        std::vector<Placement> expected;
        for (std::size_t i = 0; i < tops.size(); ++i)
            expected.push_back({kStarFrames[i % 10], tops[i]});
        return expected;
    }

    std::vector<std::unique_ptr<CPaintCanvas>> m_frames;
    CHostWindow m_host;
};

TEST_F(RollStarTest, StarsTurnThroughTheTenFramesWhileBobbingInOppositeDirections)
{
    CRollStarObject left, right;
    right.SetPhase(1, 0, 1);
    ASSERT_TRUE(left.Create(m_host.m_hWnd, RECT{3, 15, 33, 55}, IDC_STAR_LEFT));
    ASSERT_TRUE(right.Create(m_host.m_hWnd, RECT{360, 15, 390, 55}, IDC_STAR_RIGHT));

    EXPECT_EQ(PaintTimes(left, 12),
              Expected({7, 8, 9, 10, 11, 12, 11, 10, 9, 8, 7, 6}));
    EXPECT_EQ(PaintTimes(right, 12),
              Expected({8, 7, 6, 5, 4, 3, 2, 3, 4, 5, 6, 7}));
}

TEST_F(RollStarTest, OnlyItsOwnTimerAdvancesTheStar)
{
    CRollStarObject star;
    ASSERT_TRUE(star.Create(m_host.m_hWnd, RECT{3, 15, 33, 55}, IDC_STAR_LEFT));
    ::ValidateRect(star.m_hWnd, nullptr);
    ::SendMessageW(star.m_hWnd, WM_TIMER, 2, 0);
    EXPECT_EQ(PaintTimes(star, 1), Expected({7}));
    // Its own tick paints at once, and that paint moves the star on.
    ::SendMessageW(star.m_hWnd, WM_TIMER, 1, 0);
    const auto shown = PaintTimes(star, 1);
    EXPECT_EQ(shown, (std::vector<Placement>{{kStarFrames[2], 9}}));
}

// ---- Frames and leaks -----------------------------------------------------------------

TEST(FrameOutlines, DrawTheirLinesAndPutThePenBack)
{
    CPaintCanvas canvas(24, 20, kSentinel);
    const CPen pen = MakePen(PS_SOLID, 0, RGB(9, 9, 9));
    const CSelectObject select(canvas.Dc(), pen.Get());
    const FrameOutline raised{FrameKind::Raised, {2, 3, 15, 12}};
    const FrameOutline sunken{FrameKind::Sunken, {5, 6, 21, 18}};
    DrawRaisedFrame(canvas.Dc(), raised.rc);
    DrawSunkenFrame(canvas.Dc(), sunken.rc);
    EXPECT_EQ(::GetCurrentObject(canvas.Dc(), OBJ_PEN), pen.Get());
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x) {
            RgbColour expected = kSentinel;
            if (auto c = FramePixel(raised, x, y))
                expected = *c;
            if (auto c = FramePixel(sunken, x, y))
                expected = *c;
            ASSERT_EQ(canvas.Pixel(x, y), expected) << x << "," << y;
        }
}

// A clock that counts its paints, so the paints below are seen to happen.
class CCountedClock : public CClockObject {
public:
    void OnDraw(HDC dc) override
    {
        ++m_paints;
        CClockObject::OnDraw(dc);
    }
    int m_paints = 0;
};

TEST(DisplayObjectsGdi, TenThousandPaintsLeaveNoObjectBehind)
{
    const long atStart = LiveGdiObjects();
    {
        CHostWindow host;
        CCountedClock clock;
        CRollStarObject star;
        ASSERT_TRUE(clock.Create(host.m_hWnd, ClockRect(), IDC_CLOCK));
        ASSERT_TRUE(star.Create(host.m_hWnd, RECT{3, 15, 33, 55}, IDC_STAR_LEFT));
        const long created = LiveGdiObjects();
        EXPECT_GT(created, atStart) << "brushes, font and frames are held while they live";
        const auto paint = [](HWND window, int times) {
            for (int i = 0; i < times; ++i)
                ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        };

        paint(clock.m_hWnd, 10000);
        EXPECT_EQ(clock.m_paints, 10000);
        EXPECT_EQ(LiveGdiObjects(), created);
        paint(star.m_hWnd, 10007);
        EXPECT_EQ(LiveGdiObjects(), created);

        // The star's animation repeats every 20 paints: after 10,007 it shows what a
        // fresh star shows after 7, and not what one shows after 6 or 8.
        const auto nextFrame = [&](CRollStarObject& s) {
            auto canvas = std::make_unique<CPaintCanvas>(40, 50, kSentinel);
            s.OnDraw(canvas->Dc());
            return canvas;
        };
        const auto shown = nextFrame(star);
        for (int times : {6, 7, 8}) {
            CRollStarObject fresh;
            ASSERT_TRUE(fresh.Create(host.m_hWnd, RECT{40, 15, 70, 55}, IDC_STAR_RIGHT));
            paint(fresh.m_hWnd, times);
            EXPECT_EQ(SamePixels(*shown, *nextFrame(fresh)), times == 7) << "a fresh star painted " << times << " times";
        }
    }
    EXPECT_EQ(LiveGdiObjects(), atStart) << "destroying the objects releases everything";
}

// The leak checks trust the owners' count: a menu moved over a held one destroys
// that one, and the count must say so.
TEST(MenuOwner, MovedOverAHeldMenuCountsOnlyWhatLives)
{
    const long atStart = CMenu::Live();
    {
        CMenu held(::CreateMenu());
        CMenu moved(::CreateMenu());
        held = std::move(moved);
        EXPECT_EQ(CMenu::Live(), atStart + 1);
        EXPECT_TRUE(::IsMenu(held.Get()));
    }
    EXPECT_EQ(CMenu::Live(), atStart);
}

// A cursor the program made dies with its last owner; the platform's shared arrow
// is only held, whoever held it last.
TEST(CursorOwner, DestroysWhatTheProgramLoadedAndNeverTheSharedArrow)
{
    const long atStart = CCursor::Live();
    const HCURSOR arrow = ::LoadCursorW(nullptr, IDC_ARROW);
    const BYTE andMask[32 * 4] = {}, xorMask[32 * 4] = {};
    HCURSOR made = nullptr;
    {
        CCursor shared = CCursor::Shared(arrow);
        CCursor own = CCursor::Owned(
            ::CreateCursor(::GetModuleHandleW(nullptr), 0, 0, 32, 32, andMask, xorMask));
        made = own.Get();
        ASSERT_TRUE(made);
        EXPECT_EQ(CCursor::Live(), atStart + 1);
        shared = std::move(own);  // lets go of the arrow, takes the made one over
        EXPECT_EQ(CCursor::Live(), atStart + 1);
    }
    EXPECT_EQ(CCursor::Live(), atStart);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(arrow, &info)) << "the shared arrow was destroyed";
    ::DeleteObject(info.hbmMask);
    ::DeleteObject(info.hbmColor);
    EXPECT_FALSE(::GetIconInfo(made, &info)) << "the cursor the program made is still alive";
}

// A release the system refused leaves the object counted, so a leak check sees it.
TEST(GdiOwner, AFailedReleaseStaysCounted)
{
    const long atStart = LiveGdiObjects();
    {
        CBrush brush = MakeSolidBrush(RGB(1, 2, 3));
        ASSERT_TRUE(::DeleteObject(brush.Get()));  // behind the owner's back
    }
    EXPECT_EQ(LiveGdiObjects(), atStart + 1);
}

}  // namespace
