#include <gtest/gtest.h>

#include "objects/AboutGradient.h"

using namespace plover;

TEST(AboutGradient, BandsAreAWhole65thOfTheHeightAndEndAtTheBottom)
{
    const auto tall = AboutGradientBands(130, true);
    ASSERT_EQ(tall.size(), 65u);
    EXPECT_EQ(tall.back().top, 128);
    EXPECT_EQ(tall.back().lines, 2);
    EXPECT_EQ(tall.back().green, 64);
    EXPECT_EQ(tall.back().blue, 128);

    const auto one = AboutGradientBands(106, true);
    ASSERT_EQ(one.size(), 106u);
    EXPECT_EQ(one.back().green, 105);
    EXPECT_EQ(one.back().blue, 210);

    // Double lines on a screen of few colours: half as many bands.
    const auto coarse = AboutGradientBands(130, false);
    ASSERT_EQ(coarse.size(), 33u);
    EXPECT_EQ(coarse[1].top, 4);
    EXPECT_EQ(coarse[1].lineStep, 2);
}

TEST(AboutGradient, ALowWindowStillEnds)
{
    const auto low = AboutGradientBands(30, true);
    ASSERT_EQ(low.size(), 30u) << "one line a band below 65 rows";
    EXPECT_TRUE(AboutGradientBands(0, true).empty());
    // Blue, growing twice as fast, wraps around in the last band of 129 rows.
    EXPECT_EQ(AboutGradientBands(129, true)[128].blue, 0);
}
