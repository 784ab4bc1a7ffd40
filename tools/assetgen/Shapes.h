// Outlines of the figures the pictures are made of, as polygons in canvas coordinates.
#pragma once

#include "Canvas.h"

#include <vector>

namespace plover::assetgen {

constexpr double kPi = 3.14159265358979323846;

constexpr double Radians(double dDegrees) { return dDegrees * kPi / 180; }

// A star of `nPoints` points, tips at `dOuter` and notches at `dInner` from the centre;
// the first tip points up, turned clockwise by `dTurn` radians.
std::vector<SPoint> MakeStar(SPoint center, double dOuter, double dInner, double dTurn = 0,
                             int nPoints = 5);

// A heart `dWidth` wide (about as high), centred on `center`.
std::vector<SPoint> MakeHeart(SPoint center, double dWidth);

// The polygon moved by (dx, dy).
std::vector<SPoint> Moved(std::vector<SPoint> points, double dx, double dy);

}  // namespace plover::assetgen
