#include <gtest/gtest.h>

#include "services/LocalTime.h"

using namespace plover;

TEST(LocalTime, WeekdaysCountFromSunday)
{
    EXPECT_EQ(WeekdayOf(1996, 5, 12), 1);   // a Sunday
    EXPECT_EQ(WeekdayOf(2026, 12, 9), 4);   // a Wednesday
    EXPECT_EQ(WeekdayOf(2000, 2, 29), 3);   // Tuesday, in a century leap year
    EXPECT_EQ(WeekdayOf(2100, 3, 1), 2);    // Monday, after a century year's February
}

TEST(LocalTime, ImpossibleDatesRollOverAsTheCLibraryDoes)
{
    const LocalTime april31 = MakeLocalTime(2026, 4, 31, 18, 0);
    EXPECT_EQ(april31.month, 5);
    EXPECT_EQ(april31.day, 1);
    EXPECT_EQ(april31.hour, 18);
    EXPECT_EQ(april31.weekday, WeekdayOf(2026, 5, 1));

    const LocalTime month13 = MakeLocalTime(1996, 13, 1, 0, 0);
    EXPECT_EQ(month13.year, 1997);
    EXPECT_EQ(month13.month, 1);

    const LocalTime plain = MakeLocalTime(1996, 5, 12, 9, 30);
    EXPECT_EQ(plain.day, 12);
    EXPECT_EQ(plain.minute, 30);
    EXPECT_EQ(plain.second, 0);
}

TEST(LocalTime, ATestCanMoveTheClock)
{
    SetNowSource([] { return LocalTime{1996, 5, 12, 1, 23, 59, 59}; });
    EXPECT_EQ(Now().day, 12);
    SetNowSource(nullptr);
    EXPECT_GT(Now().year, 2000);
}
