#include <gtest/gtest.h>

#include "framework/SjisText.h"

using namespace plover;

TEST(SjisText, ByteLengthCountsHalfWidthKanaAsOneByte)
{
    EXPECT_EQ(SjisByteLength(L"あと"), 4);
    EXPECT_EQ(SjisByteLength(L" 今月の予定 "), 12);
    EXPECT_EQ(SjisByteLength(L"ﾌｧｲﾙ"), 4);
    EXPECT_EQ(SjisByteLength(L"今日は1996年5月12日(日)です"), 27);
    EXPECT_EQ(SjisByteLength(L""), 0);
}

TEST(SjisText, FitLengthStopsOnACharacterBoundary)
{
    const std::string text = "a\x82\xa0" "b";  // a あ b
    EXPECT_EQ(SjisFitLength(text, 0), 0u);
    EXPECT_EQ(SjisFitLength(text, 1), 1u);
    EXPECT_EQ(SjisFitLength(text, 2), 1u);
    EXPECT_EQ(SjisFitLength(text, 3), 3u);
    EXPECT_EQ(SjisFitLength(text, 10), 4u);
    EXPECT_EQ(SjisFitLength("x\x82", 10), 1u);  // a lead byte with nothing after it
}
