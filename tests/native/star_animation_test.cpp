#include <vector>

#include <gtest/gtest.h>

#include "objects/StarAnimation.h"

using namespace plover;

namespace {

std::vector<int> Tops(CStarAnimation& star, int paints)
{
    std::vector<int> tops;
    for (int i = 0; i < paints; ++i)
        tops.push_back(star.NextPaint(32, 30).bitmap.top);
    return tops;
}

}  // namespace

TEST(StarAnimation, FramesTurnThroughTheTenPicturesInOrder)
{
    CStarAnimation star;
    std::vector<int> resources;
    for (int i = 0; i < 11; ++i)
        resources.push_back(star.NextPaint(32, 30).resourceId);
    EXPECT_EQ(resources, (std::vector<int>{114, 115, 116, 117, 118, 119, 120, 121, 125, 123, 114}));
}

TEST(StarAnimation, TheTwoStarsBobInOppositeDirections)
{
    CStarAnimation first;
    EXPECT_EQ(Tops(first, 8), (std::vector<int>{7, 8, 9, 10, 11, 12, 11, 10}));

    CStarAnimation second;
    second.SetPhase(1, 0, 1);
    EXPECT_EQ(Tops(second, 8), (std::vector<int>{8, 7, 6, 5, 4, 3, 2, 3}));
}

TEST(StarAnimation, StaysBetweenRows2And12AndRepeatsEvery20Paints)
{
    CStarAnimation star;
    const std::vector<int> tops = Tops(star, 60);
    for (std::size_t i = 0; i < tops.size(); ++i) {
        EXPECT_GE(tops[i], 2);
        EXPECT_LE(tops[i], 12);
        if (i > 0)
            EXPECT_NE(tops[i], tops[i - 1]) << "paint " << i;
        if (i >= 20)
            EXPECT_EQ(tops[i], tops[i - 20]) << "paint " << i;
    }
}

TEST(StarAnimation, PaintFillsAFixedAreaAndDrawsAtItsOwnSize)
{
    CStarAnimation star;
    const StarPaint paint = star.NextPaint(32, 30);
    EXPECT_EQ(paint.frame, 1);
    EXPECT_EQ(paint.fill, (Rect{0, 0, 30, 45}));
    EXPECT_EQ(paint.bitmap, (Rect{0, 7, 32, 37}));
}

TEST(StarAnimation, PhaseOutOfRangeIsPulledBack)
{
    CStarAnimation star;
    star.SetPhase(40, 1, 99);
    const StarPaint paint = star.NextPaint(32, 30);
    EXPECT_EQ(paint.frame, 1);
    EXPECT_EQ(paint.bitmap.top, 12);
    EXPECT_EQ(star.NextPaint(32, 30).bitmap.top, 11);
}
