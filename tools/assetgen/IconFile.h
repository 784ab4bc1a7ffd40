// Windows icon (.ico) and cursor (.cur) files: pictures of 1, 4 or 32 bits per pixel,
// each with the AND mask that says where the screen shows through, and for cursors
// the hot spot, the pixel that is the pointer's position.
#pragma once

#include "ByteWriter.h"
#include "Canvas.h"

#include <vector>

namespace plover::assetgen {

// One picture of an icon or cursor file.  Where `transparent` is 1 the colour is
// written as black, so that the screen is left unchanged there.
struct SIconImage
{
    int nWidth = 0;
    int nHeight = 0;
    int nBitCount = 0;                       // 1, 4 or 32
    std::vector<SColor> palette;             // 2 or 16 entries for 1 and 4 bits
    std::vector<std::uint8_t> indices;       // 1 and 4 bits
    std::vector<SColor> pixels;              // 32 bits, straight alpha
    std::vector<std::uint8_t> transparent;
};

// Black and white (by brightness) where the canvas is opaque, transparent elsewhere.
SIconImage MakeIconImage1(const CCanvas& canvas);
// The canvas's opaque pixels in the 16 display colours, transparent elsewhere.
SIconImage MakeIconImage4(const CCanvas& canvas);
// The canvas with its alpha; the AND mask covers the fully transparent pixels, which
// is what a system without alpha support draws.
SIconImage MakeIconImage32(const CCanvas& canvas);

struct SHotSpot
{
    int x = 0;
    int y = 0;
};

Bytes EncodeIcon(const std::vector<SIconImage>& images);
// Every picture of one cursor shares its hot spot.
Bytes EncodeCursor(const std::vector<SIconImage>& images, SHotSpot hotSpot);

}  // namespace plover::assetgen
