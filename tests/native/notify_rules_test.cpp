#include <gtest/gtest.h>

#include "app/NotifyRules.h"

using namespace plover;

namespace {

LocalTime At(int year, int month, int day, int hour, int minute)
{
    return LocalTime{year, month, day, 0, hour, minute, 0};
}

}  // namespace

TEST(TrayTexts, NumberAndTooltipFollowEveryForm)
{
    TrayTexts t = MakeTrayTexts(MakeTargetTexts(L"卒業式", 5));
    EXPECT_EQ(t.number, L"5");
    EXPECT_EQ(t.tooltip, L"卒業式まで あと5日");
    EXPECT_EQ(MakeTrayTexts(MakeTargetTexts(L"卒業式", 999)).number, L"999");
    EXPECT_EQ(MakeTrayTexts(MakeTargetTexts(L"卒業式", 1000)).number, L"千+");
    t = MakeTrayTexts(MakeTargetTexts(L"卒業式", 0));
    EXPECT_EQ(t.number, L"今");
    EXPECT_EQ(t.tooltip, L"本日は 卒業式 です");
    EXPECT_EQ(MakeTrayTexts(MakeTargetTexts(L"卒業式", -1)).number, L"済");
    t = MakeTrayTexts(MakeTargetTexts(L"卒業式", -1, 12));
    EXPECT_EQ(t.number, L"12");
    EXPECT_EQ(t.tooltip, L"卒業式から 12日たちました");
    t = MakeTrayTexts(NoTargetTexts());
    EXPECT_TRUE(t.number.empty());
    EXPECT_EQ(t.tooltip, L"Plover");
}

// Each notice falls in exactly one minute, across midnight and month ends too.
TEST(Notices, EachFallsInItsOwnMinuteOnly)
{
    NoticeChoices choices;
    choices.minutesBefore = true;
    choices.minutes = 10;
    const LocalTime target = At(2027, 3, 1, 0, 5);  // just after midnight, after February
    int targetMinutes = 0, before = 0, dayBefore = 0;
    // Every minute of the two days before and the target's day.
    for (int day = 0; day < 3; ++day)
        for (int minute = 0; minute < 24 * 60; ++minute) {
            const LocalTime now = day < 2 ? At(2027, 2, 27 + day, minute / 60, minute % 60)
                                          : At(2027, 3, 1, minute / 60, minute % 60);
            const auto due = NoticeDueAt(now, target, choices);
            if (!due)
                continue;
            if (*due == NoticeKind::TargetTime) {
                ++targetMinutes;
                EXPECT_EQ(now.day, 1);
                EXPECT_EQ(now.minute, 5);
            } else if (*due == NoticeKind::MinutesBefore) {
                ++before;
                EXPECT_EQ(now.day, 28);
                EXPECT_EQ(now.hour * 60 + now.minute, 23 * 60 + 55);
            } else {
                ++dayBefore;
                EXPECT_EQ(now.day, 28);
                EXPECT_EQ(now.hour, 20);
            }
        }
    EXPECT_EQ(targetMinutes, 1);
    EXPECT_EQ(before, 1);
    EXPECT_EQ(dayBefore, 1);

    choices = NoticeChoices{false, false, 20, 0, false, 10};
    EXPECT_FALSE(NoticeDueAt(target, target, choices));
    EXPECT_FALSE(NoticeDueAt(At(2027, 3, 2, 0, 5), target, NoticeChoices{})) << "passed";
    EXPECT_EQ(NoticeKey(target, NoticeKind::TargetTime), L"202703010005-3");
}
