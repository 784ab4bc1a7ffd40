#include <functional>
#include <memory>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "view/ShootingStar.h"

using namespace plover;

namespace {

std::function<int()> Sequence(std::vector<int> values)
{
    auto next = std::make_shared<std::size_t>(0);
    return [values, next] { return values[(*next)++ % values.size()]; };
}

}  // namespace

TEST(ShootingStar, StartsAtTheFirstRandomColumnInsideTheWindow)
{
    CShootingStar star;
    star.Start(400, Sequence({500, 32767, 400, 123, 7}));
    EXPECT_EQ(star.GetRect(), (Rect{125, 2, 125, 2}));
    EXPECT_EQ(star.DrawRect(), (Rect{125, 2, 157, 32}));

    std::minstd_rand engine(42);
    auto random = [&engine] { return static_cast<int>(engine() % 32768); };
    for (int width : {1, 2, 33, 640, 40000}) {
        const int x = ShootingStarColumn(width, random);
        EXPECT_GE(x, 0);
        EXPECT_LT(x, width);
    }
}

TEST(ShootingStar, AWindowWithoutWidthStillStarts)
{
    int calls = 0;
    auto counting = [&calls] { ++calls; return 5; };
    CShootingStar star;
    star.Start(0, counting);
    EXPECT_EQ(star.GetRect(), (Rect{2, 2, 2, 2}));
    star.Start(-10, counting);
    EXPECT_EQ(star.GetRect(), (Rect{2, 2, 2, 2}));
    EXPECT_EQ(ShootingStarColumn(3, [] { return 3; }), 0);
}

TEST(ShootingStar, MovesOnePictureDownAndRightPerTick)
{
    CShootingStar star(32, 30);
    star.Start(400, Sequence({100}));
    star.Step();
    EXPECT_EQ(star.GetRect(), (Rect{134, 32, 166, 62}));
    EXPECT_EQ(star.DrawRect(), star.GetRect());
    star.Step();
    EXPECT_EQ(star.GetRect(), (Rect{166, 62, 198, 92}));
    star.Step();
    EXPECT_EQ(star.GetRect(), (Rect{198, 92, 230, 122}));
}

TEST(ShootingStar, LeavesOnlyWhenPastAnEdge)
{
    CShootingStar star(32, 30);
    star.Start(400, Sequence({30}));  // left 32, top 2
    // 300 high: tops 2, 32, ..., 302 — the tenth step passes the bottom.
    int steps = 0;
    while (!star.HasLeft(400, 300) && steps < 100) {
        star.Step();
        ++steps;
    }
    EXPECT_EQ(steps, 10);
    EXPECT_EQ(star.GetRect().top, 302);

    // Exactly on the edge is still inside.
    CShootingStar edge(32, 30);
    edge.Start(400, Sequence({30}));
    edge.Step();  // (64, 32)
    EXPECT_FALSE(edge.HasLeft(64, 32));
    EXPECT_TRUE(edge.HasLeft(63, 1000));
    EXPECT_TRUE(edge.HasLeft(1000, 31));

    // Gone for good once finished, also for a window grown past it; a new start
    // brings it back.
    star.Finish();
    EXPECT_TRUE(star.HasLeft(4000, 3000));
    star.Start(400, Sequence({30}));
    EXPECT_FALSE(star.HasLeft(400, 300));
}
