#include "BmpFile.h"

namespace plover::assetgen {

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;

}  // namespace

SIndexedImage ToIndexed(const CCanvas& canvas, const Palette16& palette, SColor background)
{
    CCanvas flat(canvas.Width(), canvas.Height(), canvas.IsSmooth());
    flat.Clear(background);
    flat.DrawCanvas(canvas, 0, 0);

    SIndexedImage image;
    image.nWidth = canvas.Width();
    image.nHeight = canvas.Height();
    image.palette.assign(palette.begin(), palette.end());
    image.indices.reserve(static_cast<std::size_t>(image.nWidth) * image.nHeight);
    for (int y = 0; y < image.nHeight; ++y) {
        for (int x = 0; x < image.nWidth; ++x)
            image.indices.push_back(static_cast<std::uint8_t>(NearestIndex(palette, flat.GetPixel(x, y))));
    }
    return image;
}

void AppendPackedRows(CByteWriter& out, int nWidth, int nHeight, int nBitCount,
                      const std::vector<std::uint8_t>& values)
{
    const std::uint32_t nStride = RowStride(nWidth, nBitCount);
    const unsigned nLimit = 1u << nBitCount;
    for (int y = nHeight - 1; y >= 0; --y) {
        Bytes row(nStride, 0);
        for (int x = 0; x < nWidth; ++x) {
            unsigned nValue = values[static_cast<std::size_t>(y) * nWidth + x];
            if (nValue >= nLimit)
                nValue = 0;
            const int nBit = x * nBitCount;
            // The leftmost pixel takes the most significant bits of its byte.
            row[nBit / 8] |= static_cast<std::uint8_t>(nValue << (8 - nBitCount - nBit % 8));
        }
        out.Append(row);
    }
}

Bytes EncodeBmp(const SIndexedImage& image, int nBitCount)
{
    const std::uint32_t nColors = 1u << nBitCount;
    const std::uint32_t nBitsOffset = kFileHeaderSize + kInfoHeaderSize + 4 * nColors;
    const std::uint32_t nImageSize = RowStride(image.nWidth, nBitCount) * image.nHeight;

    CByteWriter out;
    out.U8('B');
    out.U8('M');
    out.U32(nBitsOffset + nImageSize);
    out.U32(0);
    out.U32(nBitsOffset);

    out.U32(kInfoHeaderSize);
    out.U32(static_cast<std::uint32_t>(image.nWidth));
    out.U32(static_cast<std::uint32_t>(image.nHeight));  // positive: bottom-up rows
    out.U16(1);
    out.U16(static_cast<unsigned>(nBitCount));
    out.U32(0);  // no compression
    out.U32(nImageSize);
    out.U32(2835);  // 72 dots per inch
    out.U32(2835);
    out.U32(0);  // every palette entry is present
    out.U32(0);

    for (std::uint32_t i = 0; i < nColors; ++i) {
        const SColor c = i < image.palette.size() ? image.palette[i] : vga::kBlack;
        out.U8(c.b);
        out.U8(c.g);
        out.U8(c.r);
        out.U8(0);
    }
    AppendPackedRows(out, image.nWidth, image.nHeight, nBitCount, image.indices);
    return out.Take();
}

}  // namespace plover::assetgen
