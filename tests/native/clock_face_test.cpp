#include <gtest/gtest.h>

#include "objects/ClockFace.h"

using namespace plover;

namespace {

LocalTime At(int hour, int minute, int second, int year = 2026, int month = 12, int day = 24)
{
    LocalTime t;
    t.year = year;
    t.month = month;
    t.day = day;
    t.hour = hour;
    t.minute = minute;
    t.second = second;
    return t;
}

}  // namespace

TEST(ClockText, TwoDigitsEachIn24And12HourForm)
{
    EXPECT_EQ(ClockText(9, 5, 7, true), L"09:05:07");
    EXPECT_EQ(ClockText(23, 59, 59, true), L"23:59:59");
    EXPECT_EQ(ClockText(0, 0, 0, true), L"00:00:00");
    EXPECT_EQ(ClockText(13, 0, 0, false), L"01:00:00");
    EXPECT_EQ(ClockText(12, 30, 0, false), L"00:30:00");
    EXPECT_EQ(ClockText(23, 59, 59, false), L"11:59:59");
    // Morning hours must not turn negative in the 12-hour form.
    EXPECT_EQ(ClockText(9, 5, 0, false), L"09:05:00");
    EXPECT_EQ(ClockText(0, 15, 0, false), L"00:15:00");
    EXPECT_EQ(ClockText(11, 0, 0, false), L"11:00:00");
}

TEST(ClockFace, FontFillsTheBoxAndFaceFollowsTheSetting)
{
    const FontSize font = ClockFontSize(200, 50);
    EXPECT_EQ(font.height, 47);
    EXPECT_EQ(font.width, 23);
    EXPECT_EQ(ClockFaceName(1), kGothicFace);
    EXPECT_EQ(ClockFaceName(0), kMinchoFace);
    EXPECT_EQ(ClockFaceName(2), kMinchoFace);

    const auto frames = ClockFrames(200, 50);
    EXPECT_EQ(frames[0].kind, FrameKind::Sunken);
    EXPECT_EQ(frames[0].rc, (Rect{0, 0, 199, 49}));
    EXPECT_EQ(frames[1].rc, (Rect{1, 1, 198, 48}));
}

TEST(ClockFace, RepaintsOnlyTheDigitsThatChanged)
{
    struct Case {
        LocalTime from, to;
        Rect area;
    };
    const Case cases[] = {
        {At(10, 59, 59), At(11, 0, 0), {0, 0, 200, 50}},
        {At(10, 58, 59), At(10, 59, 0), {60, 3, 196, 47}},
        {At(10, 59, 9), At(10, 59, 10), {140, 3, 196, 47}},
        {At(10, 59, 10), At(10, 59, 11), {166, 3, 196, 47}},
    };
    for (const Case& c : cases) {
        CClockFace face;
        face.SetTime(c.from);
        const ClockTick tick = face.Tick(c.to, 200, 50);
        EXPECT_TRUE(tick.repaint);
        EXPECT_EQ(tick.area, c.area) << c.to.hour << ":" << c.to.minute << ":" << c.to.second;
        EXPECT_EQ(face.Text(true), ClockText(c.to.hour, c.to.minute, c.to.second, true));
    }
}

TEST(ClockFace, NoRepaintWithinTheSameSecond)
{
    CClockFace face;
    face.SetTime(At(10, 0, 5));
    EXPECT_FALSE(face.Tick(At(10, 0, 5), 200, 50).repaint);
    EXPECT_TRUE(face.Tick(At(10, 0, 6), 200, 50).repaint);
    EXPECT_FALSE(face.Tick(At(10, 0, 6), 200, 50).repaint);
    EXPECT_EQ(face.Second(), 6);

    // Before the window has set a time, the first tick paints everything.
    CClockFace fresh;
    const ClockTick first = fresh.Tick(At(10, 0, 0), 200, 50);
    EXPECT_TRUE(first.repaint);
    EXPECT_EQ(first.area, (Rect{0, 0, 200, 50}));
}

TEST(ClockFace, SignalsOnEveryTickOfTheTargetSecondOnly)
{
    CClockFace face;
    face.SetTime(At(17, 59, 59));
    face.SetTarget(At(18, 0, 0));
    EXPECT_FALSE(face.Tick(At(17, 59, 59), 200, 50).postTarget);
    // Ten polls in the target second: each posts, repainted or not.
    for (int i = 0; i < 10; ++i)
        EXPECT_TRUE(face.Tick(At(18, 0, 0), 200, 50).postTarget) << i;
    EXPECT_FALSE(face.Tick(At(18, 0, 1), 200, 50).postTarget);
    EXPECT_FALSE(face.Tick(At(18, 1, 0), 200, 50).postTarget);
    EXPECT_FALSE(face.Tick(At(18, 0, 0, 2026, 12, 25), 200, 50).postTarget);
    EXPECT_FALSE(face.Tick(At(18, 0, 0, 2026, 11, 24), 200, 50).postTarget);
    EXPECT_FALSE(face.Tick(At(18, 0, 0, 2027, 12, 24), 200, 50).postTarget);

    face.ClearTarget();
    EXPECT_FALSE(face.Tick(At(18, 0, 0), 200, 50).postTarget);

    CClockFace untargeted;
    EXPECT_FALSE(untargeted.Tick(At(0, 0, 0, 0, 0, 0), 200, 50).postTarget);
}
