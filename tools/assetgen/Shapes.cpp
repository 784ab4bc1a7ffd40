#include "Shapes.h"

#include <cmath>

namespace plover::assetgen {

std::vector<SPoint> MakeStar(SPoint center, double dOuter, double dInner, double dTurn,
                             int nPoints)
{
    std::vector<SPoint> points;
    for (int i = 0; i < 2 * nPoints; ++i) {
        const double dRadius = i % 2 ? dInner : dOuter;
        const double dAngle = -kPi / 2 + dTurn + i * kPi / nPoints;
        points.push_back(SPoint{center.x + dRadius * std::cos(dAngle),
                                center.y + dRadius * std::sin(dAngle)});
    }
    return points;
}

std::vector<SPoint> MakeHeart(SPoint center, double dWidth)
{
    // The classic heart curve spans 32 units across and about 29 down, its middle at 2.5.
    const double dScale = dWidth / 32;
    std::vector<SPoint> points;
    for (int i = 0; i < 96; ++i) {
        const double t = 2 * kPi * i / 96;
        const double x = 16 * std::pow(std::sin(t), 3);
        const double y = -(13 * std::cos(t) - 5 * std::cos(2 * t) - 2 * std::cos(3 * t) - std::cos(4 * t));
        points.push_back(SPoint{center.x + x * dScale, center.y + (y + 2.5) * dScale});
    }
    return points;
}

std::vector<SPoint> Moved(std::vector<SPoint> points, double dx, double dy)
{
    for (SPoint& p : points) {
        p.x += dx;
        p.y += dy;
    }
    return points;
}

}  // namespace plover::assetgen
