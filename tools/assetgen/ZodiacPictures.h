// The twelve zodiac pictures of the month guide: each constellation's stick figure
// drawn from its stars' catalogue positions on a night sky, in a 16-colour palette
// of its own (the display colours hold no dark sky and no tinted starlight).
#pragma once

#include "Canvas.h"
#include "Color.h"

#include <vector>

namespace plover::assetgen {

struct SZodiacPictureSize
{
    int nBitmapId;
    int nWidth;
    int nHeight;
};

// Every zodiac bitmap with the size the guide dialog has room for.
extern const SZodiacPictureSize kZodiacPictures[12];

const Palette16& ZodiacPalette();

// Where one of the figure's stars lands in its picture (its pixel's centre).
struct SDrawnStar
{
    SPoint at;
    double dMagnitude = 0;
};

// The picture of bitmap `nBitmapId`, opaque, in ZodiacPalette() colours only; an id
// that is no zodiac bitmap gives an empty canvas.
CCanvas DrawZodiacPicture(int nBitmapId, double dScale = 1.0);

// The figure's stars as DrawZodiacPicture places them.
std::vector<SDrawnStar> ZodiacFigureStars(int nBitmapId);

}  // namespace plover::assetgen
