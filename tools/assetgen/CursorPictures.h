// The twelve star cursors: six pictures, each drawn in black and white and in colour,
// with the hot spot each one points with.
#pragma once

#include "Canvas.h"
#include "IconFile.h"

namespace plover::assetgen {

constexpr int kCursorSize = 32;

enum class ECursorMotif
{
    Comet,         // 彗星
    ShootingStar,  // 流れ星
    Planet,        // 惑星
    Quasar,        // ｸｪｰｻｰ
    MeteorShower,  // 流星群
    Tokimeki,      // ときめき
};

constexpr ECursorMotif kCursorMotifs[] = {ECursorMotif::Comet, ECursorMotif::ShootingStar,
                                          ECursorMotif::Planet, ECursorMotif::Quasar,
                                          ECursorMotif::MeteorShower, ECursorMotif::Tokimeki};

enum class ECursorInk
{
    Mono,     // white ringed with black, hard-edged
    Color16,  // the 16 display colours, hard-edged
    Smooth,   // any colour, soft edges and glows
};

// The motif on a transparent 32 x 32 canvas (times `dScale`), ringed in black so it
// shows on any background.
CCanvas DrawCursorPicture(ECursorMotif motif, ECursorInk ink, double dScale = 1.0);

// The pixel the cursor points with: the leading tip of a travelling body, the centre
// of a round one.
SHotSpot CursorHotSpot(ECursorMotif motif);

}  // namespace plover::assetgen
