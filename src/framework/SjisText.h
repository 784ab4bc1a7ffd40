// Byte rules of Plover's Shift-JIS (code page 932) texts, which need no window:
// how many bytes a shown text takes (font sizes are shares of a panel divided by
// it) and where a byte buffer may be cut without splitting a double-byte character.
#pragma once

#include <cstddef>
#include <string_view>

namespace plover {

// True for a byte that starts a two-byte character in code page 932.
constexpr bool IsSjisLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Length in code page 932 bytes of a text held as UTF-16/UTF-32: one byte for
// ASCII and half-width katakana, two for every other character.
int SjisByteLength(std::wstring_view text);

// The longest prefix of `bytes` no longer than `maxBytes` that ends on a character
// boundary (a trailing lone lead byte is dropped).
std::size_t SjisFitLength(std::string_view bytes, std::size_t maxBytes);

}  // namespace plover
