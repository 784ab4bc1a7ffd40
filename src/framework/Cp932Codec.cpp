#include "framework/Cp932Codec.h"

#include "framework/SjisText.h"

namespace plover {

std::size_t ToUnicodeVisibly(const ICp932Codec& codec, std::string_view bytes,
                             std::u16string& out)
{
    out.clear();
    if (codec.ToUnicode(bytes, out))
        return 0;
    // One character at a time, to find which ones fail.
    out.clear();
    std::size_t replaced = 0;
    std::u16string one;
    for (std::size_t i = 0; i < bytes.size();) {
        // A lead byte takes the next byte only when that can be a second byte: a
        // stray lead before "12" must not swallow the "1".
        std::size_t width = 1;
        if (IsSjisLeadByte(static_cast<unsigned char>(bytes[i])) && i + 1 < bytes.size()) {
            const auto trail = static_cast<unsigned char>(bytes[i + 1]);
            if ((trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC))
                width = 2;
        }
        one.clear();
        if (codec.ToUnicode(bytes.substr(i, width), one)) {
            out += one;
        } else {
            out += kUnicodeReplacement;
            ++replaced;
        }
        i += width;
    }
    return replaced;
}

std::size_t FromUnicodeCounted(const ICp932Codec& codec, std::u16string_view text,
                               std::string& out)
{
    out.clear();
    if (codec.FromUnicode(text, out))
        return 0;
    out.clear();
    std::size_t replaced = 0;
    std::string one;
    for (std::size_t i = 0; i < text.size();) {
        const char16_t c = text[i];
        const bool pair = c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() &&
                          text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
        const std::size_t width = pair ? 2 : 1;
        one.clear();
        const bool lone = !pair && c >= 0xD800 && c <= 0xDFFF;
        if (!lone && codec.FromUnicode(text.substr(i, width), one)) {
            out += one;
        } else {
            out += kSjisReplacement;
            ++replaced;
        }
        i += width;
    }
    return replaced;
}

}  // namespace plover
