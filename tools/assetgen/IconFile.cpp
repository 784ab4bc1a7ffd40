#include "IconFile.h"

#include "BmpFile.h"

namespace plover::assetgen {

namespace {

constexpr std::uint32_t kDirHeaderSize = 6;
constexpr std::uint32_t kDirEntrySize = 16;
constexpr std::uint32_t kInfoHeaderSize = 40;
// A hard-edged canvas pixel counts as opaque from half coverage on.
constexpr int kOpaqueAlpha = 128;

SIconImage EmptyImage(const CCanvas& canvas, int nBitCount)
{
    SIconImage image;
    image.nWidth = canvas.Width();
    image.nHeight = canvas.Height();
    image.nBitCount = nBitCount;
    image.transparent.assign(static_cast<std::size_t>(image.nWidth) * image.nHeight, 0);
    return image;
}

std::uint32_t PaletteSize(const SIconImage& image)
{
    return image.nBitCount <= 8 ? (1u << image.nBitCount) : 0;
}

std::uint32_t ImageSize(const SIconImage& image)
{
    return kInfoHeaderSize + 4 * PaletteSize(image) +
           RowStride(image.nWidth, image.nBitCount) * image.nHeight +
           RowStride(image.nWidth, 1) * image.nHeight;
}

void AppendImage(CByteWriter& out, const SIconImage& image)
{
    const std::size_t nPixels = static_cast<std::size_t>(image.nWidth) * image.nHeight;
    out.U32(kInfoHeaderSize);
    out.U32(static_cast<std::uint32_t>(image.nWidth));
    out.U32(static_cast<std::uint32_t>(image.nHeight * 2));  // colour rows, then mask rows
    out.U16(1);
    out.U16(static_cast<unsigned>(image.nBitCount));
    out.U32(0);
    out.U32(ImageSize(image) - kInfoHeaderSize - 4 * PaletteSize(image));
    out.U32(0);
    out.U32(0);
    out.U32(0);
    out.U32(0);

    for (std::uint32_t i = 0; i < PaletteSize(image); ++i) {
        const SColor c = i < image.palette.size() ? image.palette[i] : vga::kBlack;
        out.U8(c.b);
        out.U8(c.g);
        out.U8(c.r);
        out.U8(0);
    }
    if (image.nBitCount == 32) {
        for (int y = image.nHeight - 1; y >= 0; --y) {
            for (int x = 0; x < image.nWidth; ++x) {
                const std::size_t i = static_cast<std::size_t>(y) * image.nWidth + x;
                const SColor c = image.transparent[i] ? kTransparent : image.pixels[i];
                out.U8(c.b);
                out.U8(c.g);
                out.U8(c.r);
                out.U8(c.a);
            }
        }
    } else {
        std::vector<std::uint8_t> colours(image.indices);
        for (std::size_t i = 0; i < nPixels; ++i) {
            if (image.transparent[i])
                colours[i] = 0;
        }
        AppendPackedRows(out, image.nWidth, image.nHeight, image.nBitCount, colours);
    }
    AppendPackedRows(out, image.nWidth, image.nHeight, 1, image.transparent);
}

// Type 1 is an icon file, type 2 a cursor file; they differ only in what the two
// 16-bit fields of a directory entry hold.
Bytes EncodeIconFile(const std::vector<SIconImage>& images, bool bCursor, SHotSpot hotSpot)
{
    CByteWriter out;
    out.U16(0);
    out.U16(bCursor ? 2 : 1);
    out.U16(static_cast<unsigned>(images.size()));

    std::uint32_t nOffset = kDirHeaderSize + kDirEntrySize * static_cast<std::uint32_t>(images.size());
    for (const SIconImage& image : images) {
        out.U8(image.nWidth >= 256 ? 0 : image.nWidth);
        out.U8(image.nHeight >= 256 ? 0 : image.nHeight);
        out.U8(image.nBitCount < 8 ? PaletteSize(image) : 0);
        out.U8(0);
        if (bCursor) {
            out.U16(static_cast<unsigned>(hotSpot.x));
            out.U16(static_cast<unsigned>(hotSpot.y));
        } else {
            out.U16(1);
            out.U16(static_cast<unsigned>(image.nBitCount));
        }
        out.U32(ImageSize(image));
        out.U32(nOffset);
        nOffset += ImageSize(image);
    }
    for (const SIconImage& image : images)
        AppendImage(out, image);
    return out.Take();
}

}  // namespace

SIconImage MakeIconImage1(const CCanvas& canvas)
{
    SIconImage image = EmptyImage(canvas, 1);
    image.palette = {vga::kBlack, vga::kWhite};
    for (int y = 0; y < image.nHeight; ++y) {
        for (int x = 0; x < image.nWidth; ++x) {
            const SColor c = canvas.GetPixel(x, y);
            const bool bWhite = c.r * 3 + c.g * 6 + c.b >= 128 * 10;
            image.indices.push_back(bWhite ? 1 : 0);
            image.transparent[image.indices.size() - 1] = c.a < kOpaqueAlpha;
        }
    }
    return image;
}

SIconImage MakeIconImage4(const CCanvas& canvas)
{
    SIconImage image = EmptyImage(canvas, 4);
    const Palette16& palette = VgaPalette();
    image.palette.assign(palette.begin(), palette.end());
    for (int y = 0; y < image.nHeight; ++y) {
        for (int x = 0; x < image.nWidth; ++x) {
            const SColor c = canvas.GetPixel(x, y);
            image.indices.push_back(static_cast<std::uint8_t>(NearestIndex(palette, c)));
            image.transparent[image.indices.size() - 1] = c.a < kOpaqueAlpha;
        }
    }
    return image;
}

SIconImage MakeIconImage32(const CCanvas& canvas)
{
    SIconImage image = EmptyImage(canvas, 32);
    for (int y = 0; y < image.nHeight; ++y) {
        for (int x = 0; x < image.nWidth; ++x) {
            const SColor c = canvas.GetPixel(x, y);
            image.pixels.push_back(c);
            image.transparent[image.pixels.size() - 1] = c.a == 0;
        }
    }
    return image;
}

Bytes EncodeIcon(const std::vector<SIconImage>& images)
{
    return EncodeIconFile(images, false, SHotSpot{});
}

Bytes EncodeCursor(const std::vector<SIconImage>& images, SHotSpot hotSpot)
{
    return EncodeIconFile(images, true, hotSpot);
}

}  // namespace plover::assetgen
