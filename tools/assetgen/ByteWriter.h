// Little-endian byte output for the file encoders, independent of the host's order.
#pragma once

#include <cstdint>
#include <vector>

namespace plover::assetgen {

using Bytes = std::vector<std::uint8_t>;

class CByteWriter
{
public:
    void U8(unsigned n) { m_bytes.push_back(static_cast<std::uint8_t>(n & 0xFF)); }
    void U16(unsigned n)
    {
        U8(n);
        U8(n >> 8);
    }
    void U32(std::uint32_t n)
    {
        U16(n & 0xFFFF);
        U16(n >> 16);
    }
    void Tag(const char (&sz)[5])
    {
        for (int i = 0; i < 4; ++i)
            U8(static_cast<unsigned char>(sz[i]));
    }
    void Append(const Bytes& bytes) { m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end()); }
    std::size_t Size() const { return m_bytes.size(); }
    Bytes Take() { return std::move(m_bytes); }

private:
    Bytes m_bytes;
};

// Bytes of one row of packed pixels, rounded up to whole 32-bit words as BMP rows are.
constexpr std::uint32_t RowStride(int nWidth, int nBitCount)
{
    return static_cast<std::uint32_t>((nWidth * nBitCount + 31) / 32 * 4);
}

}  // namespace plover::assetgen
