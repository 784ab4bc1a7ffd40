#include <gtest/gtest.h>

#include "framework/SjisText.h"
#include "view/ViewTexts.h"

using namespace plover;

TEST(DateText, SentenceWithWeekday)
{
    EXPECT_EQ(DateText(1996, 5, 12, 1), L"今日は1996年5月12日(日)です");
    EXPECT_EQ(DateText(2026, 12, 5, 7), L"今日は2026年12月5日(土)です");
    EXPECT_EQ(DateText(2026, 1, 1, 5), L"今日は2026年1月1日(木)です");
    EXPECT_EQ(SjisByteLength(DateText(1996, 5, 12, 1)), 27);
}

TEST(DateText, WeekdayOutOfRangeEndsAtTheBracket)
{
    EXPECT_EQ(DateText(1996, 5, 12, 0), L"今日は1996年5月12日(");
    EXPECT_EQ(DateText(1996, 5, 12, 8), L"今日は1996年5月12日(");
    EXPECT_EQ(DateText(1996, 5, 12, -1), L"今日は1996年5月12日(");
}

TEST(TargetTexts, DaysLeftGivesPiecesAndCountdown)
{
    const TargetTexts t = MakeTargetTexts(L"卒業式", 12);
    EXPECT_EQ(t.form, TargetForm::DaysLeft);
    EXPECT_EQ(t.name, L"卒業式");
    EXPECT_EQ(t.days, L"12");
    EXPECT_EQ(t.countdown, L"卒業式 まで 12日");
    EXPECT_EQ(t.colour, kBlack);
    EXPECT_EQ(kMadeText, L"まで");
    EXPECT_EQ(kAtoText, L"あと");
    EXPECT_EQ(kDaysEndText, L"日です");

    EXPECT_EQ(MakeTargetTexts(L"卒業式", 1).countdown, L"卒業式 まで 1日");
}

TEST(TargetTexts, TodayIsPinkAndPassedIsTeal)
{
    const TargetTexts today = MakeTargetTexts(L"卒業式", 0);
    EXPECT_EQ(today.form, TargetForm::Today);
    EXPECT_EQ(today.sentence, L"本日は 卒業式 です");
    EXPECT_EQ(today.countdown, today.sentence);
    EXPECT_EQ(today.colour, (RgbColour{255, 0, 128}));

    for (int days : {-1, -30}) {
        const TargetTexts passed = MakeTargetTexts(L"卒業式", days);
        EXPECT_EQ(passed.form, TargetForm::Passed);
        EXPECT_EQ(passed.sentence, L"卒業式 は終わりました");
        EXPECT_EQ(passed.countdown, passed.sentence);
        EXPECT_EQ(passed.colour, (RgbColour{0, 128, 128}));
    }
}

TEST(TargetTexts, PassedCountsUpInTealWhenAskedAndOnlyWhenPassed)
{
    const TargetTexts up = MakeTargetTexts(L"卒業式", -1, 12);
    EXPECT_EQ(up.form, TargetForm::CountUp);
    EXPECT_EQ(up.name + std::wstring(up.made), L"卒業式から");
    EXPECT_EQ(up.days + std::wstring(up.ato) + std::wstring(up.daysEnd), L"12日たちました");
    EXPECT_EQ(up.countdown, L"卒業式 から 12日");
    EXPECT_EQ(up.colour, (RgbColour{0, 128, 128}));
    // The setting off (0 days handed in) keeps the passed sentence; days still
    // ahead or today never count up.
    EXPECT_EQ(MakeTargetTexts(L"卒業式", -1, 0).form, TargetForm::Passed);
    EXPECT_EQ(MakeTargetTexts(L"卒業式", 3, 5).form, TargetForm::DaysLeft);
    EXPECT_EQ(MakeTargetTexts(L"卒業式", 0, 5).form, TargetForm::Today);
}

TEST(TargetTexts, NoTargetShowsAHintAndNoCountdown)
{
    const TargetTexts none = NoTargetTexts();
    EXPECT_EQ(none.form, TargetForm::NoTarget);
    EXPECT_FALSE(none.sentence.empty());
    EXPECT_TRUE(none.countdown.empty());
    EXPECT_EQ(none.colour, kBlack);
}

// What a screen reader speaks for the target panel: every form, its pieces as painted.
TEST(TargetTexts, SpokenSentenceOfEachForm)
{
    EXPECT_EQ(SpokenTarget(MakeTargetTexts(L"卒業式", 5)), L"卒業式まで あと5日です");
    EXPECT_EQ(SpokenTarget(MakeTargetTexts(L"卒業式", -1, 12)), L"卒業式から 12日たちました");
    EXPECT_EQ(SpokenTarget(MakeTargetTexts(L"卒業式", 0)), L"本日は 卒業式 です");
    EXPECT_EQ(SpokenTarget(MakeTargetTexts(L"卒業式", -3)), L"卒業式 は終わりました");
    EXPECT_EQ(SpokenTarget(NoTargetTexts()), NoTargetTexts().sentence);
}

TEST(MonthList, DayAndDaysTextsKeepNumbersAligned)
{
    MonthListItem row = MakeMonthListItem(5, 1, L"遠足");
    EXPECT_EQ(row.item, L" 5日 遠足");
    EXPECT_EQ(row.days, L"あと  4日");

    row = MakeMonthListItem(12, 7, L"遠足");
    EXPECT_EQ(row.item, L"12日 遠足");
    EXPECT_EQ(row.days, L"あと  5日");

    row = MakeMonthListItem(13, 1, L"");
    EXPECT_EQ(row.item, L"13日 ");
    EXPECT_EQ(row.days, L"あと 12日");

    // An entry dated today counts 0 days, whatever its hour.
    EXPECT_EQ(MakeMonthListItem(9, 9, L"x").days, L"あと  0日");
}

TEST(MonthList, OnlyTheRestOfThisMonth)
{
    // Today is 12 May 1996.
    EXPECT_TRUE(IsInMonthList(1996, 5, 30, 1996, 5, 12));   // later this month
    EXPECT_TRUE(IsInMonthList(1996, 5, 12, 1996, 5, 12));   // today
    EXPECT_FALSE(IsInMonthList(1996, 5, 11, 1996, 5, 12));  // yesterday
    EXPECT_FALSE(IsInMonthList(1996, 6, 1, 1996, 5, 12));   // next month
    EXPECT_FALSE(IsInMonthList(1996, 4, 30, 1996, 5, 12));  // last month
    EXPECT_FALSE(IsInMonthList(1995, 5, 20, 1996, 5, 12));  // this month a year ago
    EXPECT_FALSE(IsInMonthList(1997, 5, 20, 1996, 5, 12));  // next year
    EXPECT_TRUE(IsInMonthList(1996, 5, 40, 1996, 5, 12));   // a day no month has, as typed
}
