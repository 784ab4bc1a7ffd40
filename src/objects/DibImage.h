// Reads a BMP picture held in memory into what the picture holder shows: its size, its
// colour table (the logical palette of 1-, 2-, 4- and 8-bit pictures) and its pixels
// decoded into top-down rows of 32-bit pixels, ready for a 32-bpp top-down DIB.  Also
// the byte counts the holder has always reserved for the picture's stored rows.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "objects/PaintItems.h"

namespace plover {

enum class DibLoadResult {
    Loaded,   // every pixel came from the file
    Partial,  // the file ended early or its run-length data broke off: the rest is background
    Refused,  // not a picture we can show: the image is empty and draws nothing
};

// One picture.  Pixels the file does not supply (a short file, run-length data that
// skips or stops early) show colour-table entry 0 in palette pictures, black otherwise.
class CDibImage {
public:
    // Pictures with a longer side, or whose pixel buffer (image size x 1.2) or decoded
    // pixels would take more bytes, are refused before anything is allocated.
    static constexpr int kMaxSide = 65535;
    static constexpr std::uint32_t kMaxBufferBytes = 64u * 1024 * 1024;

    // Replaces the image with the BMP file image data[0..size).  Reads 12-byte core
    // headers and 16-, 40-, 52-, 56-, 64-, 108- and 124-byte information headers;
    // 1-, 2-, 4-, 8-, 16-, 24- and 32-bit pixels, bottom-up or top-down, 4- and 8-bit
    // run-length coding and bit-field masks.  The pixel-data offset and colours-used
    // count are followed wherever the file bears them out.
    DibLoadResult Load(const std::uint8_t* data, std::size_t size);
    // The same for a packed picture, as bitmap resources hold it: the information
    // header first, no file header, the pixels straight after the colour table.
    DibLoadResult LoadPacked(const std::uint8_t* data, std::size_t size);
    void Clear();

    bool IsEmpty() const { return m_Bits.empty(); }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }  // positive, top-down files included
    int GetBitCount() const { return m_nBitCount; }  // as stored in the file

    // Entries the logical palette gets: 2, 4, 16 or 256 for 1-, 2-, 4- and 8-bit
    // pictures (entries the file does not give are black), 0 for deeper ones.
    int GetPaletteSize() const { return m_nPaletteSize; }
    const std::array<RgbColour, 256>& GetColorTable() const { return m_ColorTable; }

    // GetHeight() rows, top row first, of GetWidth() pixels of 4 bytes: blue, green,
    // red, 0.  No row padding.
    const std::uint8_t* GetBits() const { return m_Bits.data(); }
    std::size_t GetBitsSize() const { return m_Bits.size(); }

    // The stored rows' byte counts: a row is ((bit count x width + 31) / 32) x 4 bytes,
    // the image size is that times the height, and the holder's pixel buffer is the
    // image size x 1.2 (rounded down).
    std::uint32_t GetRowBytes() const { return m_dwRowBytes; }
    std::uint32_t GetImageSize() const { return m_dwImageSize; }
    std::uint32_t GetBufferSize() const { return m_dwBufferSize; }

private:
    DibLoadResult LoadFrom(const std::uint8_t* data, std::size_t size, std::size_t nInfoStart);

    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nBitCount = 0;
    int m_nPaletteSize = 0;
    std::uint32_t m_dwRowBytes = 0;
    std::uint32_t m_dwImageSize = 0;
    std::uint32_t m_dwBufferSize = 0;
    std::array<RgbColour, 256> m_ColorTable{};
    std::vector<std::uint8_t> m_Bits;
};

}  // namespace plover
