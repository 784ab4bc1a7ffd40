#include "framework/SjisText.h"

namespace plover {

int SjisByteLength(std::wstring_view text)
{
    int bytes = 0;
    for (wchar_t c : text) {
        const auto code = static_cast<unsigned long>(c);
        const bool single = code < 0x80 || (code >= 0xFF61 && code <= 0xFF9F);
        bytes += single ? 1 : 2;
    }
    return bytes;
}

std::size_t SjisFitLength(std::string_view bytes, std::size_t maxBytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t width = IsSjisLeadByte(static_cast<unsigned char>(bytes[i])) ? 2 : 1;
        if (i + width > maxBytes || i + width > bytes.size())
            break;
        i += width;
    }
    return i;
}

}  // namespace plover
