// The star pictures (each at 1x, or drawn afresh at a larger scale): the ten frames of the rotating star, the shooting star with its
// mask, and the program icon.
#pragma once

#include "Canvas.h"

namespace plover::assetgen {

constexpr int kRollStarFrames = 10;
constexpr int kRollStarWidth = 32;
constexpr int kRollStarHeight = 30;
constexpr int kShootingStarWidth = 32;
constexpr int kShootingStarHeight = 30;

// Frame `nFrame` (1..10) of the rotating star, opaque, on light grey.  The ten frames
// are half a turn about the vertical axis, 18 degrees apart: face on, edge on at frame
// 6, then the far face; a five-pointed star looks the same from behind, so frame 10
// leads back into frame 1 without a jump.
CCanvas DrawRollStarFrame(int nFrame, double dScale = 1.0);

// The shooting star's shape: opaque where the star is, transparent elsewhere.  The
// picture and the mask are both made from it, so they cannot disagree.
CCanvas DrawShootingStarShape(double dScale = 1.0);

// The program icon at `nSize` pixels square, transparent around the star.
CCanvas DrawIconStar(int nSize, bool bSmooth);

}  // namespace plover::assetgen
