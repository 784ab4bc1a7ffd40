#include "objects/DibImage.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "framework/LittleEndian.h"

namespace plover {

namespace {

constexpr std::size_t kFileHeaderBytes = 14;

// Compression field values.
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;
constexpr std::uint32_t kBiBitFields = 3;
constexpr std::uint32_t kBiAlphaBitFields = 6;
constexpr std::uint32_t kUnreadable = 0xFFFFFFFF;

std::int64_t ReadI32(const std::uint8_t* p)
{
    return static_cast<std::int64_t>(ReadLe32(p) ^ 0x80000000u) - 0x80000000;
}

// The headers as the file states them; nothing here is trusted yet.
struct DibHeader {
    std::int64_t nWidth = 0;
    std::int64_t nHeight = 0;  // negative when the top row is stored first
    int nBitCount = 0;
    std::uint32_t dwCompression = kBiRgb;
    std::uint32_t dwSizeImage = 0;
    std::uint32_t dwColorsUsed = 0;
    std::uint32_t dwOffBits = 0;
    std::uint32_t dwMasks[3] = {};  // red, green, blue
    std::size_t nEntryBytes = 4;    // core headers have 3-byte colour-table entries
    std::size_t nTableStart = 0;    // first byte after the headers and any masks
};

bool IsKnownHeaderSize(std::uint32_t dwSize)
{
    switch (dwSize) {
    case 12:   // OS/2 1.x core header
    case 16:   // OS/2 2.x, shortest form
    case 40:
    case 52:
    case 56:
    case 64:   // OS/2 2.x, full form
    case 108:
    case 124:
        return true;
    default:
        return false;
    }
}

void ReadMasks(const std::uint8_t* p, DibHeader& h)
{
    for (int i = 0; i < 3; ++i)
        h.dwMasks[i] = ReadLe32(p + 4 * i);
}

// 16- and 32-bit pixels without masks of their own are 5-5-5 and 8-8-8.
void SetDefaultMasks(DibHeader& h)
{
    if (h.nBitCount == 16) {
        h.dwMasks[0] = 0x7C00;
        h.dwMasks[1] = 0x03E0;
        h.dwMasks[2] = 0x001F;
    } else if (h.nBitCount == 32) {
        h.dwMasks[0] = 0xFF0000;
        h.dwMasks[1] = 0x00FF00;
        h.dwMasks[2] = 0x0000FF;
    }
}

// False when the bytes cannot hold the headers they announce.  The information
// header starts at `nInfoStart`: after the file header, or at 0 in a packed picture,
// which has no pixel offset of its own.
bool ReadHeader(const std::uint8_t* data, std::size_t size, std::size_t nInfoStart, DibHeader& h)
{
    if (size < nInfoStart + 4)
        return false;
    const std::uint8_t* info = data + nInfoStart;
    const std::uint32_t dwHeaderSize = ReadLe32(info);
    if (!IsKnownHeaderSize(dwHeaderSize) || size - nInfoStart < dwHeaderSize)
        return false;
    h.dwOffBits = nInfoStart == kFileHeaderBytes ? ReadLe32(data + 10) : 0;
    h.nTableStart = nInfoStart + dwHeaderSize;
    if (dwHeaderSize == 12) {
        h.nWidth = ReadLe16(info + 4);
        h.nHeight = ReadLe16(info + 6);
        h.nBitCount = static_cast<int>(ReadLe16(info + 10));
        h.nEntryBytes = 3;
    } else {
        h.nWidth = ReadI32(info + 4);
        h.nHeight = ReadI32(info + 8);
        h.nBitCount = static_cast<int>(ReadLe16(info + 14));
    }
    if (dwHeaderSize >= 40) {
        h.dwCompression = ReadLe32(info + 16);
        h.dwSizeImage = ReadLe32(info + 20);
        h.dwColorsUsed = ReadLe32(info + 32);
    }
    // OS/2 2.x uses 3 and 4 for Huffman and 24-bit run-length coding.
    if (dwHeaderSize == 64 && (h.dwCompression == 3 || h.dwCompression == 4))
        h.dwCompression = kUnreadable;
    if (h.dwCompression != kBiBitFields && h.dwCompression != kBiAlphaBitFields) {
        SetDefaultMasks(h);
    } else if (dwHeaderSize == 40) {
        // The masks follow the header, where the colour table would start.
        const std::size_t nMaskBytes = h.dwCompression == kBiBitFields ? 12 : 16;
        if (size - h.nTableStart < nMaskBytes)
            return false;
        ReadMasks(data + h.nTableStart, h);
        h.nTableStart += nMaskBytes;
    } else {
        ReadMasks(info + 40, h);
    }
    return true;
}

// Reads one colour channel of a 16- or 32-bit pixel, scaled to 0..255.
struct ChannelMask {
    std::uint32_t dwMask = 0;
    int nShift = 0;  // lowest bit of the mask
    int nDrop = 0;   // bits below the 8 most significant ones of a wide mask
    std::array<std::uint8_t, 256> scale{};

    std::uint8_t Get(std::uint32_t dwPixel) const
    {
        return scale[((dwPixel & dwMask) >> nShift) >> nDrop];
    }
};

int LowestBit(std::uint32_t dwMask)
{
    int n = 0;
    while (n < 31 && ((dwMask >> n) & 1) == 0)
        ++n;
    return n;
}

// A mask of 0 reads 0; the format check has made sure the bits are one run.
ChannelMask MakeChannel(std::uint32_t dwMask)
{
    ChannelMask c;
    c.dwMask = dwMask;
    if (dwMask == 0)
        return c;
    c.nShift = LowestBit(dwMask);
    const std::uint32_t dwBits = dwMask >> c.nShift;
    int nWidth = 0;
    while (nWidth < 32 && ((dwBits >> nWidth) & 1) != 0)
        ++nWidth;
    const int nKept = std::min(nWidth, 8);
    c.nDrop = nWidth - nKept;
    const unsigned nMax = (1u << nKept) - 1;
    for (unsigned v = 0; v <= nMax; ++v)
        c.scale[v] = static_cast<std::uint8_t>((v * 255 + nMax / 2) / nMax);
    return c;
}

// Each mask one run of bits, no two sharing a bit, none beyond the pixel.
bool MasksFit(const std::uint32_t (&dwMasks)[3], int nBitCount)
{
    for (std::uint32_t dwMask : dwMasks) {
        const std::uint32_t dwBits = dwMask >> LowestBit(dwMask);
        if ((dwBits & (dwBits + 1)) != 0)
            return false;
    }
    const std::uint32_t r = dwMasks[0], g = dwMasks[1], b = dwMasks[2];
    if ((r & g) != 0 || (r & b) != 0 || (g & b) != 0)
        return false;
    return nBitCount == 32 || ((r | g | b) >> nBitCount) == 0;
}

bool HasShowableFormat(const DibHeader& h)
{
    const std::int64_t nRows = h.nHeight < 0 ? -h.nHeight : h.nHeight;
    if (h.nWidth < 1 || h.nWidth > CDibImage::kMaxSide || nRows < 1 ||
        nRows > CDibImage::kMaxSide)
        return false;
    switch (h.dwCompression) {
    case kBiRgb:
        switch (h.nBitCount) {
        case 1: case 2: case 4: case 8: case 16: case 24: case 32:
            return true;
        default:
            return false;
        }
    case kBiRle8:
        return h.nBitCount == 8;
    case kBiRle4:
        return h.nBitCount == 4;
    case kBiBitFields:
    case kBiAlphaBitFields:
        return (h.nBitCount == 16 || h.nBitCount == 32) && MasksFit(h.dwMasks, h.nBitCount);
    default:
        return false;
    }
}

// The file's own pixel offset when it points past the headers and into the file (as
// the system's loader takes it); else straight after the colour table it declares.
std::uint64_t PixelOffset(const DibHeader& h, std::size_t size)
{
    if (h.dwOffBits >= h.nTableStart && h.dwOffBits < size)
        return h.dwOffBits;
    std::uint64_t nEntries = h.dwColorsUsed;
    if (nEntries == 0 && h.nBitCount <= 8)
        nEntries = std::uint64_t{1} << h.nBitCount;
    return h.nTableStart + nEntries * h.nEntryBytes;
}

// Reads the entries the colours-used count declares (all of them when it is 0 or too
// big), never past the pixel data or the file.
int ReadColorTable(const std::uint8_t* data, std::size_t size, const DibHeader& h,
                   std::uint64_t nPixelOffset, std::array<RgbColour, 256>& table)
{
    if (h.nBitCount > 8)
        return 0;
    const int nPaletteSize = 1 << h.nBitCount;
    std::uint64_t nEntries = nPaletteSize;
    if (h.dwColorsUsed != 0 && h.dwColorsUsed < nEntries)
        nEntries = h.dwColorsUsed;
    const std::uint64_t nEnd = std::min<std::uint64_t>(nPixelOffset, size);
    if (nEnd > h.nTableStart)
        nEntries = std::min<std::uint64_t>(nEntries, (nEnd - h.nTableStart) / h.nEntryBytes);
    else
        nEntries = 0;
    for (std::size_t k = 0; k < nEntries; ++k) {
        const std::uint8_t* p = data + h.nTableStart + k * h.nEntryBytes;
        table[k] = RgbColour{p[2], p[1], p[0]};
    }
    return nPaletteSize;
}

// Writes decoded pixels into the top-down 32-bit rows.  Rows are counted in file
// order; every write is clipped to the picture.
class CDibDecoder {
public:
    CDibDecoder(const DibHeader& h, int nWidth, int nHeight,
                const std::array<RgbColour, 256>& table, std::uint8_t* pOut);

    void FillBackground() const;
    bool DecodeRows(const std::uint8_t* pSrc, std::size_t nAvail, std::size_t nRowBytes) const;
    bool DecodeRle(const std::uint8_t* pSrc, std::size_t nLength, bool bRle4) const;

private:
    std::uint8_t* Row(int nFileRow) const
    {
        const int nTop = m_bTopDown ? nFileRow : m_nHeight - 1 - nFileRow;
        return m_pOut + static_cast<std::size_t>(nTop) * m_nWidth * 4;
    }
    void PutIndex(std::uint8_t* pOut, unsigned nIndex) const
    {
        std::memcpy(pOut, m_Palette[nIndex], 4);
    }
    void PutMasked(std::uint8_t* pOut, std::uint32_t dwPixel) const
    {
        pOut[0] = m_Blue.Get(dwPixel);
        pOut[1] = m_Green.Get(dwPixel);
        pOut[2] = m_Red.Get(dwPixel);
        pOut[3] = 0;
    }
    void DecodeRow(const std::uint8_t* pSrc, int nCount, std::uint8_t* pOut) const;
    void PutRun(int x, int y, int nCount, unsigned nValue, bool bRle4) const;
    void PutLiteral(int x, int y, int nCount, const std::uint8_t* pSrc, bool bRle4) const;

    int m_nWidth;
    int m_nHeight;
    bool m_bTopDown;
    int m_nBitCount;
    std::uint8_t* m_pOut;
    std::uint8_t m_Palette[256][4] = {};
    ChannelMask m_Red;
    ChannelMask m_Green;
    ChannelMask m_Blue;
    bool m_bPlain32;  // 32-bit pixels stored as blue, green, red, unused
};

CDibDecoder::CDibDecoder(const DibHeader& h, int nWidth, int nHeight,
                         const std::array<RgbColour, 256>& table, std::uint8_t* pOut)
    : m_nWidth(nWidth), m_nHeight(nHeight), m_bTopDown(h.nHeight < 0),
      m_nBitCount(h.nBitCount), m_pOut(pOut), m_Red(MakeChannel(h.dwMasks[0])),
      m_Green(MakeChannel(h.dwMasks[1])), m_Blue(MakeChannel(h.dwMasks[2])),
      m_bPlain32(h.nBitCount == 32 && h.dwMasks[0] == 0xFF0000 && h.dwMasks[1] == 0xFF00 &&
                 h.dwMasks[2] == 0xFF)
{
    for (std::size_t i = 0; i < table.size(); ++i) {
        m_Palette[i][0] = static_cast<std::uint8_t>(table[i].blue);
        m_Palette[i][1] = static_cast<std::uint8_t>(table[i].green);
        m_Palette[i][2] = static_cast<std::uint8_t>(table[i].red);
    }
}

void CDibDecoder::FillBackground() const
{
    if (m_nBitCount > 8)
        return;  // already black
    const std::size_t nPixels = static_cast<std::size_t>(m_nWidth) * m_nHeight;
    for (std::size_t i = 0; i < nPixels; ++i)
        PutIndex(m_pOut + 4 * i, 0);
}

void CDibDecoder::DecodeRow(const std::uint8_t* pSrc, int nCount, std::uint8_t* pOut) const
{
    switch (m_nBitCount) {
    case 1:
    case 2:
    case 4: {
        const int nPerByte = 8 / m_nBitCount;
        const unsigned nMask = (1u << m_nBitCount) - 1;
        for (int x = 0; x < nCount; ++x, pOut += 4) {
            const int nShift = 8 - m_nBitCount * (x % nPerByte + 1);
            PutIndex(pOut, (pSrc[x / nPerByte] >> nShift) & nMask);
        }
        break;
    }
    case 8:
        for (int x = 0; x < nCount; ++x, pOut += 4)
            PutIndex(pOut, pSrc[x]);
        break;
    case 16:
        for (int x = 0; x < nCount; ++x, pOut += 4)
            PutMasked(pOut, ReadLe16(pSrc + 2 * x));
        break;
    case 24:
        for (int x = 0; x < nCount; ++x, pSrc += 3, pOut += 4) {
            pOut[0] = pSrc[0];
            pOut[1] = pSrc[1];
            pOut[2] = pSrc[2];
            pOut[3] = 0;
        }
        break;
    case 32:
        if (m_bPlain32) {
            for (int x = 0; x < nCount; ++x, pSrc += 4, pOut += 4) {
                pOut[0] = pSrc[0];
                pOut[1] = pSrc[1];
                pOut[2] = pSrc[2];
                pOut[3] = 0;
            }
        } else {
            for (int x = 0; x < nCount; ++x, pOut += 4)
                PutMasked(pOut, ReadLe32(pSrc + 4 * x));
        }
        break;
    default:
        break;
    }
}

// False when the bytes end before the last row is complete.
bool CDibDecoder::DecodeRows(const std::uint8_t* pSrc, std::size_t nAvail,
                             std::size_t nRowBytes) const
{
    const std::size_t nBitCount = static_cast<std::size_t>(m_nBitCount);
    for (int y = 0; y < m_nHeight; ++y) {
        const std::size_t nStart = static_cast<std::size_t>(y) * nRowBytes;
        if (nStart >= nAvail)
            return false;
        const std::size_t nBytes = std::min(nRowBytes, nAvail - nStart);
        const int nCount = static_cast<int>(
            std::min(static_cast<std::size_t>(m_nWidth), nBytes * 8 / nBitCount));
        DecodeRow(pSrc + nStart, nCount, Row(y));
        if (nCount < m_nWidth)
            return false;
    }
    return true;
}

void CDibDecoder::PutRun(int x, int y, int nCount, unsigned nValue, bool bRle4) const
{
    const int nEnd = std::min(x + nCount, m_nWidth);
    std::uint8_t* pOut = Row(y) + static_cast<std::size_t>(x) * 4;
    for (int k = 0; x + k < nEnd; ++k, pOut += 4) {
        // A 4-bit run alternates the two pixels of its byte, the high one first.
        const unsigned nIndex = !bRle4 ? nValue : (k % 2 == 0 ? nValue >> 4 : nValue & 15);
        PutIndex(pOut, nIndex);
    }
}

void CDibDecoder::PutLiteral(int x, int y, int nCount, const std::uint8_t* pSrc,
                             bool bRle4) const
{
    const int nEnd = std::min(x + nCount, m_nWidth);
    std::uint8_t* pOut = Row(y) + static_cast<std::size_t>(x) * 4;
    for (int k = 0; x + k < nEnd; ++k, pOut += 4) {
        const unsigned nIndex =
            !bRle4 ? pSrc[k] : (k % 2 == 0 ? pSrc[k / 2] >> 4 : pSrc[k / 2] & 15u);
        PutIndex(pOut, nIndex);
    }
}

// False when the data ends before its end-of-picture mark or inside an escape.  The
// position never leaves the picture: runs past a row's end are cut there, and a line
// end or delta beyond the last row ends the picture.
bool CDibDecoder::DecodeRle(const std::uint8_t* pSrc, std::size_t nLength, bool bRle4) const
{
    int x = 0;
    int y = 0;
    std::size_t i = 0;
    while (nLength - i >= 2) {
        const int nFirst = pSrc[i];
        const int nSecond = pSrc[i + 1];
        i += 2;
        if (nFirst > 0) {
            PutRun(x, y, nFirst, static_cast<unsigned>(nSecond), bRle4);
            x = std::min(x + nFirst, m_nWidth);
            continue;
        }
        switch (nSecond) {
        case 0:  // end of line
            x = 0;
            if (++y >= m_nHeight)
                return true;
            break;
        case 1:  // end of picture
            return true;
        case 2:  // delta: the next two bytes move right and up
            if (nLength - i < 2)
                return false;
            x = std::min(x + pSrc[i], m_nWidth);
            y += pSrc[i + 1];
            i += 2;
            if (y >= m_nHeight)
                return true;
            break;
        default: {  // literal pixels, padded to an even number of bytes
            const int nByteCount = bRle4 ? (nSecond + 1) / 2 : nSecond;
            const std::size_t nBytes = static_cast<std::size_t>(nByteCount);
            const std::size_t nHave = std::min(nBytes, nLength - i);
            const int nCount = bRle4 ? std::min(nSecond, static_cast<int>(nHave) * 2)
                                     : static_cast<int>(nHave);
            PutLiteral(x, y, nCount, pSrc + i, bRle4);
            if (nHave < nBytes)
                return false;
            x = std::min(x + nSecond, m_nWidth);
            i += std::min(nLength - i, nBytes + nBytes % 2);
            break;
        }
        }
    }
    return false;
}

// What the stored rows take, in 64 bits so that no header can make it wrap.
struct DibSizes {
    int nWidth = 0;
    int nHeight = 0;
    std::uint64_t nRowBytes = 0;
    std::uint64_t nImageSize = 0;
    double dBufferSize = 0;
};

// False when the picture would need more memory than any picture we show.
bool ComputeSizes(const DibHeader& h, DibSizes& s)
{
    s.nWidth = static_cast<int>(h.nWidth);
    s.nHeight = static_cast<int>(h.nHeight < 0 ? -h.nHeight : h.nHeight);
    const std::uint64_t nPixels = static_cast<std::uint64_t>(s.nWidth) * s.nHeight;
    s.nRowBytes = (static_cast<std::uint64_t>(h.nBitCount) * s.nWidth + 31) / 32 * 4;
    s.nImageSize = s.nRowBytes * s.nHeight;
    s.dBufferSize = static_cast<double>(s.nImageSize) * 1.2;
    return s.dBufferSize <= CDibImage::kMaxBufferBytes && nPixels * 4 <= CDibImage::kMaxBufferBytes;
}

}  // namespace

void CDibImage::Clear()
{
    *this = CDibImage{};
}

DibLoadResult CDibImage::Load(const std::uint8_t* data, std::size_t size)
{
    return LoadFrom(data, size, kFileHeaderBytes);
}

DibLoadResult CDibImage::LoadPacked(const std::uint8_t* data, std::size_t size)
{
    return LoadFrom(data, size, 0);
}

DibLoadResult CDibImage::LoadFrom(const std::uint8_t* data, std::size_t size,
                                  std::size_t nInfoStart)
{
    Clear();
    DibHeader h;
    DibSizes s;
    if (data == nullptr || !ReadHeader(data, size, nInfoStart, h) || !HasShowableFormat(h) ||
        !ComputeSizes(h, s))
        return DibLoadResult::Refused;

    std::vector<std::uint8_t> bits;
    try {
        bits.assign(static_cast<std::size_t>(s.nWidth) * s.nHeight * 4, 0);
    } catch (const std::bad_alloc&) {
        return DibLoadResult::Refused;
    }
    const std::uint64_t nOffset = std::min<std::uint64_t>(PixelOffset(h, size), size);
    m_nPaletteSize = ReadColorTable(data, size, h, nOffset, m_ColorTable);

    const CDibDecoder decoder(h, s.nWidth, s.nHeight, m_ColorTable, bits.data());
    decoder.FillBackground();
    const std::uint8_t* pSrc = data + nOffset;
    std::size_t nAvail = size - static_cast<std::size_t>(nOffset);
    bool bComplete = false;
    if (h.dwCompression == kBiRle8 || h.dwCompression == kBiRle4) {
        // The image-size field bounds the coded data when the file holds that much.
        if (h.dwSizeImage != 0 && h.dwSizeImage < nAvail)
            nAvail = h.dwSizeImage;
        bComplete = decoder.DecodeRle(pSrc, nAvail, h.dwCompression == kBiRle4);
    } else {
        bComplete = decoder.DecodeRows(pSrc, nAvail, static_cast<std::size_t>(s.nRowBytes));
    }

    m_nWidth = s.nWidth;
    m_nHeight = s.nHeight;
    m_nBitCount = h.nBitCount;
    m_dwRowBytes = static_cast<std::uint32_t>(s.nRowBytes);
    m_dwImageSize = static_cast<std::uint32_t>(s.nImageSize);
    m_dwBufferSize = static_cast<std::uint32_t>(s.dBufferSize);
    m_Bits = std::move(bits);
    return bComplete ? DibLoadResult::Loaded : DibLoadResult::Partial;
}

}  // namespace plover
