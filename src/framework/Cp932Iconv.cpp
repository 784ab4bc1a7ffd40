// The native build's code page 932: tables made once from the C library's CP932
// converter, keeping only mappings that convert back to where they came from, so
// the tables are exact the way the system's conversion without best fit is.
#include <iconv.h>

#include <cstdint>
#include <vector>

#include "framework/Cp932Codec.h"

namespace plover {

namespace {

constexpr std::uint16_t kNone = 0xFFFF;

// One character through iconv; the code point, or -1.
long DecodeOne(iconv_t cd, const char* bytes, std::size_t size)
{
    char in[2] = {bytes[0], size > 1 ? bytes[1] : '\0'};
    char32_t out[4] = {};
    char* inPtr = in;
    char* outPtr = reinterpret_cast<char*>(out);
    std::size_t inLeft = size, outLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) || inLeft ||
        outLeft != sizeof out - 4)
        return -1;
    return static_cast<long>(out[0]);
}

class CIconvCp932 : public ICp932Codec {
public:
    CIconvCp932() : m_decode(0x10000, kNone), m_encode(0x10000, kNone)
    {
        const iconv_t cd = iconv_open("UTF-32LE", "CP932");
        if (cd == reinterpret_cast<iconv_t>(-1))
            return;
        for (unsigned b = 0; b < 0x100; ++b) {
            const char byte = static_cast<char>(b);
            const long c = DecodeOne(cd, &byte, 1);
            if (c >= 0 && c < 0x10000)
                Add(static_cast<std::uint16_t>(b), static_cast<char16_t>(c));
        }
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead)
            for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
                const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                const long c = DecodeOne(cd, pair, 2);
                if (c >= 0 && c < 0x10000)
                    Add(static_cast<std::uint16_t>(lead << 8 | trail), static_cast<char16_t>(c));
            }
        iconv_close(cd);
        // Several codes of one character (the two sets of extensions): the
        // character goes back to the code the system's conversion picks.
        const iconv_t back = iconv_open("CP932", "UTF-32LE");
        for (std::uint32_t c = 0; c < 0x10000; ++c) {
            if (m_encode[c] == kNone)
                continue;
            char32_t in[1] = {c};
            char out[4] = {};
            char* inPtr = reinterpret_cast<char*>(in);
            char* outPtr = out;
            std::size_t inLeft = sizeof in, outLeft = sizeof out;
            iconv(back, nullptr, nullptr, nullptr, nullptr);
            if (iconv(back, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
                continue;
            const std::size_t n = sizeof out - outLeft;
            const std::uint16_t code =
                n == 1 ? static_cast<unsigned char>(out[0])
                       : static_cast<std::uint16_t>(static_cast<unsigned char>(out[0]) << 8 |
                                                    static_cast<unsigned char>(out[1]));
            if (m_decode[code] == c)
                m_encode[c] = code;
        }
        iconv_close(back);
    }

    bool ToUnicode(std::string_view bytes, std::u16string& out) const override
    {
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const auto b = static_cast<unsigned char>(bytes[i]);
            std::uint16_t code = b;
            if (m_decode[b] == kNone) {
                if (i + 1 >= bytes.size())
                    return false;
                code = static_cast<std::uint16_t>(b << 8 | static_cast<unsigned char>(bytes[++i]));
            }
            if (m_decode[code] == kNone)
                return false;
            out.push_back(static_cast<char16_t>(m_decode[code]));
        }
        return true;
    }

    bool FromUnicode(std::u16string_view text, std::string& out) const override
    {
        for (char16_t c : text) {
            const std::uint16_t code = m_encode[c];
            if (code == kNone)
                return false;
            if (code > 0xFF)
                out.push_back(static_cast<char>(code >> 8));
            out.push_back(static_cast<char>(code & 0xFF));
        }
        return true;
    }

private:
    void Add(std::uint16_t code, char16_t c)
    {
        m_decode[code] = c;
        if (m_encode[c] == kNone)
            m_encode[c] = code;
    }

    // Code (one byte, or lead << 8 | trail) to UTF-16 unit, and back.
    std::vector<std::uint16_t> m_decode;
    std::vector<std::uint16_t> m_encode;
};

}  // namespace

const ICp932Codec& Cp932()
{
    static const CIconvCp932 codec;
    return codec;
}

}  // namespace plover
