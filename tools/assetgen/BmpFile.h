// Palette pictures and their BMP files: a canvas mapped to the 16 display colours, and
// the uncompressed bottom-up BMP encoding of 1, 4 and 8 bits per pixel.
#pragma once

#include "ByteWriter.h"
#include "Canvas.h"
#include "Color.h"

#include <vector>

namespace plover::assetgen {

// One palette index per pixel, top row first.
struct SIndexedImage
{
    int nWidth = 0;
    int nHeight = 0;
    std::vector<SColor> palette;
    std::vector<std::uint8_t> indices;

    int At(int x, int y) const { return indices[static_cast<std::size_t>(y) * nWidth + x]; }
};

// The canvas laid over `background` and mapped to the nearest colours of `palette`.
SIndexedImage ToIndexed(const CCanvas& canvas, const Palette16& palette, SColor background);

// `nBitCount` is 1, 4 or 8; the palette is padded with black to its full size and an
// index too large for the bit count is written as 0.
Bytes EncodeBmp(const SIndexedImage& image, int nBitCount);

// Appends the rows of `image` bottom row first, packed and padded as BMP rows are
// (shared with the icon encoder, whose pictures are stored the same way).
void AppendPackedRows(CByteWriter& out, int nWidth, int nHeight, int nBitCount,
                      const std::vector<std::uint8_t>& values);

}  // namespace plover::assetgen
