#include <gtest/gtest.h>

#include <string>

#include "options/OptionsRules.h"
#include "view/SelfTimer.h"

using namespace plover;

TEST(OptionsRules, TypedSecondsAreWholeSignedNumbersOrZero)
{
    EXPECT_EQ(ParseSeconds(L"100"), 100);
    EXPECT_EQ(ParseSeconds(L"  42"), 42);
    EXPECT_EQ(ParseSeconds(L"-5"), -5);
    EXPECT_EQ(ParseSeconds(L"5000"), 5000) << "no range is enforced";
    EXPECT_EQ(ParseSeconds(L"12abc"), 0) << "digits before letters";
    EXPECT_EQ(ParseSeconds(L"abc"), 0);
    EXPECT_EQ(ParseSeconds(L""), 0);
    EXPECT_EQ(ParseSeconds(L"-"), 0);
    EXPECT_EQ(ParseSeconds(L"2147483647"), 2147483647);
    EXPECT_EQ(ParseSeconds(L"-2147483648"), -2147483647 - 1);
    EXPECT_EQ(ParseSeconds(L"2147483648"), 0) << "beyond 32 bits";
    EXPECT_EQ(ParseSeconds(L"99999999999999999999999"), 0);
}

TEST(OptionsRules, SoundNamesTheSettingsCannotHoldAreRefused)
{
    EXPECT_EQ(CheckSoundName(L"PloverExit.Wav"), SoundNameProblem::None);
    EXPECT_EQ(CheckSoundName(L""), SoundNameProblem::None);
    EXPECT_EQ(CheckSoundName(L"C:\\音\\チャイム.wav"), SoundNameProblem::None);
    EXPECT_EQ(CheckSoundName(std::wstring(kMaxSoundNameUnits, L'a')), SoundNameProblem::None);
    EXPECT_EQ(CheckSoundName(std::wstring(kMaxSoundNameUnits + 1, L'a')),
              SoundNameProblem::TooLong);
    EXPECT_EQ(CheckSoundName(L"a\tb.wav"), SoundNameProblem::BadCharacter);
    EXPECT_EQ(CheckSoundName(std::wstring(1, static_cast<wchar_t>(0xD800)) + L"x.wav"),
              SoundNameProblem::BadCharacter)
        << "half a surrogate pair";
    EXPECT_EQ(CheckSoundName(std::wstring(1, static_cast<wchar_t>(0xDC00))),
              SoundNameProblem::BadCharacter);
}

TEST(SelfTimer, RunsOutOnceAndNeverWrapsAround)
{
    int count = 2;
    EXPECT_FALSE(CountDown(count));
    EXPECT_TRUE(CountDown(count));
    EXPECT_TRUE(CountDown(count)) << "stays run out";
    EXPECT_EQ(count, 0);

    int zero = 0;
    EXPECT_TRUE(CountDown(zero)) << "0 runs out on the first tick";
    int lowest = -2147483647 - 1;
    EXPECT_TRUE(CountDown(lowest));
    EXPECT_EQ(lowest, -2147483647 - 1);
}
