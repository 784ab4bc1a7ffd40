#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "calendar/ICalendarRule.h"

using namespace plover;
using namespace plover::ical;

namespace {

std::string Text(const CivilTime& t)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour,
                  t.minute);
    return text;
}

// The next occurrence of a rule of floating times from `start` ("20260105T100000").
std::string Next(const char* start, const char* rrule, const CivilTime& today,
                 const std::vector<const char*>& exdates = {})
{
    const auto first = ParseDateValue(start);
    const auto rule = ParseRecurrenceRule(rrule);
    if (!first || !rule)
        return "unreadable";
    std::vector<CivilTime> excluded;
    for (const char* date : exdates)
        excluded.push_back(ParseDateValue(date)->time);
    OccurrenceTests tests;
    tests.toLocal = [](const CivilTime& t) { return t; };
    tests.pastEnd = [&](const CivilTime& t) { return rule->until && rule->until->time < t; };
    tests.excluded = [&](const CivilTime& t) {
        for (const CivilTime& e : excluded)
            if (!(e < t) && !(t < e))
                return true;
        return false;
    };
    return Text(NextRuleOccurrence(first->time, *rule, today, tests));
}

constexpr CivilTime kToday{2026, 6, 15};  // a Monday

}  // namespace

TEST(ICalendarRule, ExpandsAsTheStandardDoes)
{
    const struct {
        const char* start;
        const char* rule;
        CivilTime today;
        const char* next;
    } cases[] = {
        {"20260105T100000", "FREQ=WEEKLY;BYDAY=MO,WE", kToday, "2026-06-15 10:00"},
        {"20260105T100000", "FREQ=WEEKLY;BYDAY=MO,WE", {2026, 6, 16}, "2026-06-17 10:00"},
        // The second Sunday: 14 June has passed, 12 July is next.
        {"20260111T090000", "FREQ=MONTHLY;BYDAY=2SU", kToday, "2026-07-12 09:00"},
        {"20260101T090000", "FREQ=MONTHLY;BYMONTHDAY=15", kToday, "2026-06-15 09:00"},
        {"20260101T090000", "FREQ=MONTHLY;BYMONTHDAY=15", {2026, 6, 16}, "2026-07-15 09:00"},
        {"20260101T090000", "FREQ=MONTHLY;BYMONTHDAY=15", {2025, 12, 1}, "2026-01-01 09:00"},
        {"20260130T090000", "FREQ=MONTHLY;BYDAY=-1FR", kToday, "2026-06-26 09:00"},
        {"20260131T090000", "FREQ=MONTHLY;BYMONTHDAY=-1", kToday, "2026-06-30 09:00"},
        {"20201126T120000", "FREQ=YEARLY;BYMONTH=11;BYDAY=4TH", kToday, "2026-11-26 12:00"},
        // The last weekday of the month, not its first.
        {"20260130T090000", "FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1", kToday,
         "2026-06-30 09:00"},
        {"20260101T090000", "FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=2,-2", kToday,
         "2026-06-29 09:00"},
        // The week begins on WKST: every other week from Monday, or from Sunday.
        {"19970805T090000",
         "FREQ=WEEKLY;INTERVAL=2;COUNT=4;BYDAY=TU,SU;WKST=MO",
         {1997, 8, 11},
         "1997-08-19 09:00"},
        {"19970805T090000",
         "FREQ=WEEKLY;INTERVAL=2;COUNT=4;BYDAY=TU,SU;WKST=SU",
         {1997, 8, 11},
         "1997-08-17 09:00"},
        {"20240101T080000", "FREQ=YEARLY;BYWEEKNO=20;BYDAY=MO", kToday, "2027-05-17 08:00"},
        {"20240101T080000", "FREQ=YEARLY;BYYEARDAY=-1", kToday, "2026-12-31 08:00"},
        {"20260601T090000", "FREQ=DAILY;BYHOUR=9,17;BYMINUTE=30", kToday, "2026-06-15 09:30"},
        // The start counts as the first of a COUNT, matching the rule or not.
        {"20260101T090000", "FREQ=MONTHLY;BYMONTHDAY=15;COUNT=3", kToday, "2026-02-15 09:00"},
        {"20260601T070000", "FREQ=DAILY;COUNT=10", kToday, "2026-06-10 07:00"},
        {"20260105T100000", "FREQ=WEEKLY;UNTIL=20260601T000000", kToday, "2026-05-25 10:00"},
        {"20260105T100000", "FREQ=WEEKLY;UNTIL=20260601T100000", kToday, "2026-06-01 10:00"},
        {"20200101T090000", "FREQ=YEARLY;INTERVAL=3;UNTIL=20250101", kToday, "2023-01-01 09:00"},
        // Rules no date matches end at their start, and soon.
        {"20000131T090000", "FREQ=YEARLY;BYMONTHDAY=31;BYMONTH=2", kToday, "2000-01-31 09:00"},
        {"20000131T090000", "FREQ=DAILY;BYMONTHDAY=30;BYMONTH=2", kToday, "2000-01-31 09:00"},
        {"00010101T090000", "FREQ=DAILY;BYMONTHDAY=30;BYMONTH=2;COUNT=5", kToday,
         "0001-01-01 09:00"},
        {"20000131T090000", "FREQ=MONTHLY;INTERVAL=12;BYMONTH=2", kToday, "2000-01-31 09:00"},
        {"20000101T090000", "FREQ=WEEKLY;BYMONTH=7;UNTIL=20040801", kToday, "2004-07-31 09:00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Next(c.start, c.rule, c.today), c.next) << c.start << " " << c.rule;
    // Every second of every day counted from the year 1: the search gives up early.
    std::string seconds = "FREQ=DAILY;COUNT=999999999";
    for (const char* part : {";BYHOUR=0", ";BYMINUTE=0", ";BYSECOND=0"})
        for (int i = 0; i < (part[3] == 'H' ? 24 : 60); ++i)
            seconds += (i ? "," : part) + std::to_string(i);
    EXPECT_EQ(Next("00010101T000000", seconds.c_str(), kToday).substr(0, 5), "0001-");
}

TEST(ICalendarRule, ExcludedDatesArePassedOverAndCountedForCount)
{
    EXPECT_EQ(Next("20260601T100000", "FREQ=WEEKLY", kToday, {"20260615T100000"}),
              "2026-06-22 10:00");
    EXPECT_EQ(
        Next("20260601T100000", "FREQ=WEEKLY", kToday, {"20260615T100000", "20260622T100000"}),
        "2026-06-29 10:00");
    // Three occurrences, the last of them excluded: the one before it is the last.
    EXPECT_EQ(Next("20260601T100000", "FREQ=WEEKLY;COUNT=3", kToday, {"20260615T100000"}),
              "2026-06-08 10:00");
    EXPECT_EQ(Next("20260615T100000", "FREQ=DAILY", kToday, {"20260615T100000"}),
              "2026-06-16 10:00");
}

TEST(ICalendarRule, RulesBreakingTheirPartsAreNotRead)
{
    for (const char* rule :
         {"FREQ=HOURLY", "BYDAY=MO", "FREQ=WEEKLY;BYDAY=1MO", "FREQ=WEEKLY;BYMONTHDAY=3",
          "FREQ=MONTHLY;BYYEARDAY=3", "FREQ=MONTHLY;BYWEEKNO=3", "FREQ=DAILY;BYSETPOS=1",
          "FREQ=DAILY;COUNT=2;UNTIL=20270101", "FREQ=MONTHLY;BYMONTHDAY=32",
          "FREQ=MONTHLY;BYMONTHDAY=0", "FREQ=MONTHLY;BYDAY=0MO", "FREQ=DAILY;INTERVAL=0",
          "FREQ=MONTHLY;BYDAY=MO,", "FREQ=YEARLY;FOO=1"})
        EXPECT_FALSE(ParseRecurrenceRule(rule)) << rule;
    EXPECT_TRUE(ParseRecurrenceRule("freq=monthly;byday=+2su;X-NAME=1"));
}

// Each entry rule written as a rule is read back as the same rule and anchor and
// gives exactly the entry's dates, every day of three years, under either choice
// for 29 February.
TEST(ICalendarRule, EntryRulesWrittenGiveTheEntrysDatesAndReadBack)
{
    const CivilDate anchors[] = {{2024, 2, 29}, {2025, 2, 29}, {2025, 1, 31}, {2025, 1, 30},
                                 {2025, 1, 29}, {2025, 4, 31}, {2025, 3, 10}, {2025, 2, 28}};
    const std::int64_t first = DaysFromCivil(2027, 1, 1), end = DaysFromCivil(2030, 1, 1);
    OccurrenceTests tests;
    tests.toLocal = [](const CivilTime& t) { return t; };
    tests.pastEnd = tests.excluded = [](const CivilTime&) { return false; };
    for (const CivilDate& anchor : anchors)
        for (RepeatRule repeat :
             {RepeatRule::Yearly, RepeatRule::Monthly, RepeatRule::Weekly, RepeatRule::Daily})
            for (LeapDayRule leapDay : {LeapDayRule::February28, LeapDayRule::March1}) {
                const std::string text = RepeatRuleText(repeat, anchor, leapDay);
                const auto rule = ParseRecurrenceRule(text);
                ASSERT_TRUE(rule) << text;
                const CivilDate start =
                    NextOccurrence(repeat, anchor, {1, 1, 1}, leapDay);  // the real first date
                const CivilTime dtstart{start.year, start.month, start.day, 9, 30, 0};
                const auto back = AsEntryRepeat(*rule, dtstart);
                const std::string what = text + " from " + Text(dtstart);
                ASSERT_TRUE(back) << what;
                EXPECT_EQ(back->rule, repeat) << what;
                // An anchor on a day its month lacks comes back as the month's last.
                const CivilDate again =
                    NextOccurrence(back->rule, back->anchor, {2024, 1, 1}, leapDay);
                EXPECT_EQ(again, NextOccurrence(repeat, anchor, {2024, 1, 1}, leapDay)) << what;
                for (std::int64_t day = first; day < end; ++day) {
                    const CivilTime today = ical::CivilFromDays(day);
                    const CivilDate expected = NextOccurrence(
                        repeat, anchor, {today.year, today.month, today.day}, leapDay);
                    const CivilTime got = NextRuleOccurrence(dtstart, *rule, today, tests);
                    if (got.year != expected.year || got.month != expected.month ||
                        got.day != expected.day) {
                        ADD_FAILURE() << what << " on " << Text(today) << ": " << Text(got);
                        break;
                    }
                }
            }
}

// Rules that look like an entry's but give other dates stay rules of their own.
TEST(ICalendarRule, OnlyRulesGivingTheEntrysDatesBecomeEntryRules)
{
    const struct {
        const char* start;
        const char* rule;
        RepeatRule repeat;
        CivilDate anchor;
    } cases[] = {
        {"20260310T090000", "FREQ=YEARLY", RepeatRule::Yearly, {2026, 3, 10}},
        {"20260310T090000",
         "FREQ=YEARLY;BYMONTH=3;BYMONTHDAY=10;INTERVAL=1",
         RepeatRule::Yearly,
         {2026, 3, 10}},
        {"20240229T090000", "FREQ=YEARLY", RepeatRule::Yearly, {2024, 2, 29}},
        {"20260115T090000", "FREQ=MONTHLY;BYMONTHDAY=15", RepeatRule::Monthly, {2026, 1, 15}},
        {"20260131T090000",
         "FREQ=MONTHLY;BYMONTHDAY=28,29,30,31;BYSETPOS=-1",
         RepeatRule::Monthly,
         {2026, 1, 31}},
        {"20280229T090000",
         "FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=28,29;BYSETPOS=-1",
         RepeatRule::Yearly,
         {2028, 2, 29}},
        {"20280229T090000", "FREQ=YEARLY;BYYEARDAY=60", RepeatRule::Yearly, {2028, 2, 29}},
        // From a day before the form's last the dates differ: the 30th and the 31st.
        {"20260430T090000",
         "FREQ=MONTHLY;BYMONTHDAY=28,29,30,31;BYSETPOS=-1",
         RepeatRule::None,
         {}},
        {"20270228T090000",
         "FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=28,29;BYSETPOS=-1",
         RepeatRule::None,
         {}},
        {"20260601T090000", "FREQ=WEEKLY;BYDAY=MO;WKST=SU", RepeatRule::Weekly, {2026, 6, 1}},
        {"20260601T090000", "FREQ=DAILY", RepeatRule::Daily, {2026, 6, 1}},
        {"20260131T090000", "FREQ=MONTHLY", RepeatRule::None, {}},  // skips the short months
        {"20260129T090000", "FREQ=MONTHLY;BYMONTHDAY=28,29,30;BYSETPOS=-1", RepeatRule::None, {}},
        {"20260130T090000", "FREQ=MONTHLY;BYMONTHDAY=29,30;BYSETPOS=-1", RepeatRule::None, {}},
        {"20260310T090000", "FREQ=YEARLY;BYMONTHDAY=10", RepeatRule::None, {}},  // every month
        {"20260310T090000", "FREQ=MONTHLY;BYMONTH=3", RepeatRule::None, {}},
        {"20260301T090000", "FREQ=YEARLY;BYYEARDAY=60", RepeatRule::None, {}},
        {"20260601T090000", "FREQ=WEEKLY;BYDAY=MO,WE", RepeatRule::None, {}},
        {"20260601T090000", "FREQ=DAILY;BYDAY=MO", RepeatRule::None, {}},
        {"20260601T090000", "FREQ=DAILY;INTERVAL=2", RepeatRule::None, {}},
        {"20260601T090000", "FREQ=DAILY;COUNT=5", RepeatRule::None, {}},
        {"20260601T090000", "FREQ=DAILY;UNTIL=20300101", RepeatRule::None, {}},
    };
    for (const auto& c : cases) {
        const auto back =
            AsEntryRepeat(*ParseRecurrenceRule(c.rule), ParseDateValue(c.start)->time);
        EXPECT_EQ(back ? back->rule : RepeatRule::None, c.repeat) << c.rule;
        if (back)
            EXPECT_EQ(back->anchor, c.anchor) << c.rule;
    }
}
