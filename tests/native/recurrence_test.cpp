#include <chrono>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "schedule/PloverFile.h"
#include "schedule/Recurrence.h"

using namespace plover;
using namespace std::chrono;

namespace {

std::string Text(const CivilDate& d)
{
    return std::to_string(d.year) + "-" + std::to_string(d.month) + "-" + std::to_string(d.day);
}

CivilDate FromChrono(const year_month_day& d)
{
    return {static_cast<int>(d.year()), static_cast<int>(static_cast<unsigned>(d.month())),
            static_cast<int>(static_cast<unsigned>(d.day()))};
}

// The k-th occurrence after the anchor by the civil calendar's own arithmetic.
year_month_day Reference(RepeatRule rule, const year_month_day& anchor, int k, LeapDayRule leapDay)
{
    switch (rule) {
    case RepeatRule::Daily: return sys_days{anchor} + days{k};
    case RepeatRule::Weekly: return sys_days{anchor} + days{7 * k};
    case RepeatRule::Monthly: {
        const year_month ym = year_month{anchor.year(), anchor.month()} + months{k};
        const year_month_day d = ym / anchor.day();
        return d.ok() ? d : year_month_day{ym / last};
    }
    default: {
        const year_month_day d = anchor + years{k};
        if (d.ok())
            return d;
        return leapDay == LeapDayRule::February28 ? d.year() / February / 28 : d.year() / March / 1;
    }
    }
}

}  // namespace

TEST(Recurrence, EveryDayFrom2024To2032MatchesTheCivilCalendar)
{
    std::vector<year_month_day> anchors = {2020y / January / 31, 2020y / February / 29,
                                           2020y / April / 30,   2028y / February / 29,
                                           2020y / January / 5};  // a Sunday
    for (unsigned m = 1; m <= 12; ++m)
        anchors.push_back(year_month_day{year_month_day_last{2024y / month{m} / last}});
    const sys_days first{2024y / January / 1}, end{2033y / January / 1};
    for (const auto& anchor : anchors)
        for (RepeatRule rule : {RepeatRule::Yearly, RepeatRule::Monthly, RepeatRule::Weekly, RepeatRule::Daily})
            for (LeapDayRule leapDay : {LeapDayRule::February28, LeapDayRule::March1}) {
                std::vector<sys_days> dates;
                for (int k = 0; dates.empty() || dates.back() < end + days{62}; ++k)
                    dates.push_back(sys_days{Reference(rule, anchor, k, leapDay)});
                std::size_t next = 0;
                for (sys_days today = first; today < end; today += days{1}) {
                    while (dates[next] < today)
                        ++next;
                    const year_month_day t{today};
                    const sys_days monthEnd{year_month_day_last{t.year() / t.month() / last}};
                    std::string want, got;
                    for (std::size_t i = next; dates[i] <= monthEnd; ++i)
                        want += Text(FromChrono(dates[i])) + " ";
                    const CivilDate a = FromChrono(anchor), now = FromChrono(t);
                    for (const CivilDate& d : OccurrencesInRestOfMonth(rule, a, now, leapDay))
                        got += Text(d) + " ";
                    const std::string where = "anchor " + Text(a) + " rule " +
                                              std::to_string(static_cast<int>(rule)) + " March1 " +
                                              std::to_string(leapDay == LeapDayRule::March1) +
                                              " today " + Text(now);
                    ASSERT_EQ(Text(NextOccurrence(rule, a, now, leapDay)), Text(FromChrono(dates[next])))
                        << where;
                    ASSERT_EQ(got, want) << where;
                }
            }
}

TEST(Recurrence, RollingForwardCountsFromTheAnchorNotTheLastDate)
{
    // A date moved on to 28 February must not become the day every later month keeps.
    CPloverFile pay;
    pay.m_wYear = 2023, pay.m_wMonth = 1, pay.m_wDay = 31;
    pay.SetRepeat(RepeatRule::Monthly);
    std::string days;
    for (int month = 2; month <= 14; ++month) {
        RollForward(pay, {2023 + (month - 1) / 12, (month - 1) % 12 + 1, 1}, LeapDayRule::February28);
        days += std::to_string(pay.m_wDay) + " ";
    }
    EXPECT_EQ(days, "28 31 30 31 30 31 31 30 31 30 31 31 29 ");

    CPloverFile birthday;
    birthday.m_wYear = 2024, birthday.m_wMonth = 2, birthday.m_wDay = 29;
    birthday.SetRepeat(RepeatRule::Yearly);
    std::string dates;
    for (int year = 2025; year <= 2028; ++year) {
        RollForward(birthday, {year, 1, 1}, LeapDayRule::February28);
        dates += Text({birthday.m_wYear, birthday.m_wMonth, birthday.m_wDay}) + " ";
    }
    EXPECT_EQ(dates, "2025-2-28 2026-2-28 2027-2-28 2028-2-29 ");
    // The copy every dialog makes keeps the rule and what it counts from.
    CPloverFile copy;
    copy.CopyFrom(birthday);
    EXPECT_EQ(copy.m_Repeat, RepeatRule::Yearly);
    EXPECT_EQ(Text(copy.Anchor()), "2024-2-29");
}

TEST(Recurrence, EntriesWithoutARuleOrWithOddDatesKeepTheirOwnDate)
{
    const CivilDate today{2026, 5, 20};
    const auto next = [&](RepeatRule rule, CivilDate anchor) {
        return Text(NextOccurrence(rule, anchor, today, LeapDayRule::February28));
    };
    EXPECT_EQ(next(RepeatRule::None, {2020, 5, 31}), "2020-5-31");  // passed stays passed
    EXPECT_EQ(next(RepeatRule::Yearly, {2020, 14, 1}), "2020-14-1");
    EXPECT_EQ(next(RepeatRule::Yearly, {2020, 4, 31}), "2027-4-30");
    EXPECT_EQ(next(RepeatRule::Monthly, {2020, 1, 0}), "2026-6-1");
    EXPECT_EQ(OccurrencesInRestOfMonth(RepeatRule::None, {2026, 5, 31}, today, LeapDayRule::March1).size(), 1u);
    EXPECT_TRUE(OccurrencesInRestOfMonth(RepeatRule::None, {2026, 5, 19}, today, LeapDayRule::March1).empty());
    EXPECT_TRUE(OccurrencesInRestOfMonth(RepeatRule::Daily, {2020, 0, 19}, today, LeapDayRule::March1).empty());
}
