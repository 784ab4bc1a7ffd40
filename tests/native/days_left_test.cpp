#include <chrono>
#include <random>

#include <gtest/gtest.h>

#include "schedule/DaysLeft.h"

using plover::CalcDaysLeft;

namespace {

int ReferenceDays(int y1, int m1, int d1, int y2, int m2, int d2)
{
    using namespace std::chrono;
    const sys_days from{year{y1} / month{static_cast<unsigned>(m1)} / day{static_cast<unsigned>(d1)}};
    const sys_days to{year{y2} / month{static_cast<unsigned>(m2)} / day{static_cast<unsigned>(d2)}};
    const int diff = static_cast<int>((to - from).count());
    return diff < 0 ? -1 : diff;
}

// The civil calendar's own last day, not the code's month lengths.
int LastDay(int y, int m)
{
    using namespace std::chrono;
    return static_cast<int>(
        static_cast<unsigned>(year_month_day_last{year{y} / month{static_cast<unsigned>(m)} / last}.day()));
}

}  // namespace

TEST(DaysLeft, CountsAcrossMonthsYearsAndLeapDays)
{
    EXPECT_EQ(CalcDaysLeft(1996, 5, 12, 1996, 5, 12), 0);
    EXPECT_EQ(CalcDaysLeft(1996, 5, 12, 1996, 5, 13), 1);
    EXPECT_EQ(CalcDaysLeft(1996, 2, 28, 1996, 3, 1), 2);
    EXPECT_EQ(CalcDaysLeft(1997, 2, 28, 1997, 3, 1), 1);
    EXPECT_EQ(CalcDaysLeft(1996, 12, 31, 1997, 1, 1), 1);
    EXPECT_EQ(CalcDaysLeft(1996, 1, 1, 2000, 1, 1), 1461);
}

TEST(DaysLeft, PassedDatesGiveMinusOne)
{
    EXPECT_EQ(CalcDaysLeft(1996, 6, 15, 1996, 6, 14), -1);
    EXPECT_EQ(CalcDaysLeft(1996, 6, 15, 1995, 12, 31), -1);
    EXPECT_EQ(CalcDaysLeft(1996, 6, 15, 1996, 5, 31), -1);
}

TEST(DaysLeft, CenturyYearsFollowTheGregorianRule)
{
    // 2100 is not a leap year: 28 February to 1 March is one day.
    EXPECT_EQ(CalcDaysLeft(2100, 2, 28, 2100, 3, 1), 1);
    EXPECT_EQ(CalcDaysLeft(2099, 12, 31, 2101, 1, 1), 366);
    // 2000 is one.
    EXPECT_EQ(CalcDaysLeft(2000, 2, 28, 2000, 3, 1), 2);
    EXPECT_EQ(CalcDaysLeft(2026, 12, 9, 2100, 3, 1), ReferenceDays(2026, 12, 9, 2100, 3, 1));
}

TEST(DaysLeft, MonthsOutsideTheYearCountNoDays)
{
    // Months 1 to 13 of 1997 are summed, month 13 counting nothing.
    EXPECT_EQ(CalcDaysLeft(1996, 12, 31, 1997, 14, 1), 366);
    EXPECT_EQ(CalcDaysLeft(1996, 5, 12, 1996, 13, 1), ReferenceDays(1996, 5, 12, 1997, 1, 1));
    EXPECT_EQ(CalcDaysLeft(1996, 5, 12, 1996, 0, 1), -1);
    // Month 0 of a later year adds nothing before the day itself.
    EXPECT_EQ(CalcDaysLeft(1996, 12, 1, 1997, 0, 5), 30 + 5);
}

TEST(DaysLeft, HostileFieldsStayFinite)
{
    EXPECT_GT(CalcDaysLeft(1996, 1, 1, 65535, 65535, 65535), 0);
    EXPECT_EQ(CalcDaysLeft(1996, 1, 1, 0, 0, 0), -1);
}

TEST(DaysLeft, AgreesWithTheCivilCalendarForRandomValidDates)
{
    std::mt19937 random(20261209);
    std::uniform_int_distribution<int> years(1901, 2999);
    std::uniform_int_distribution<int> months(1, 12);
    for (int i = 0; i < 100000; ++i) {
        const int y1 = years(random), m1 = months(random);
        const int y2 = years(random), m2 = months(random);
        const int d1 = std::uniform_int_distribution<int>(1, LastDay(y1, m1))(random);
        const int d2 = std::uniform_int_distribution<int>(1, LastDay(y2, m2))(random);
        ASSERT_EQ(CalcDaysLeft(y1, m1, d1, static_cast<unsigned>(y2), static_cast<unsigned>(m2),
                               static_cast<unsigned>(d2)),
                  ReferenceDays(y1, m1, d1, y2, m2, d2))
            << y1 << "-" << m1 << "-" << d1 << " to " << y2 << "-" << m2 << "-" << d2;
    }
}
