// Byte rules of Plover's Shift-JIS (code page 932) texts, which need no window:
// how many bytes a shown text takes (font sizes are shares of a panel divided by
// it), where a byte buffer may be cut without splitting a double-byte character,
// and what a byte-limited field keeps of what the user typed or pasted.
#pragma once

#include <cstddef>
#include <string>
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

// Code page 932 bytes of one UTF-16 unit, or 0 when the code page cannot hold it
// (a surrogate always gives 0: no character outside the BMP fits).
using SjisWidthOf = int (*)(wchar_t);

// What a field limited to `maxBytes` keeps after its text changed from `before` to
// `after`: the unchanged start and end stay, and of the characters put in between
// only those the code page can hold, as many as fit.  `refused` tells whether the
// user should hear that something was turned away.
struct FieldFit {
    std::wstring text;
    std::size_t caret = 0;  // just after the last character kept
    bool tooLong = false;
    bool unstorable = false;
    bool Refused() const { return tooLong || unstorable; }
};
FieldFit FitFieldChange(std::wstring_view before, std::wstring_view after,
                        std::size_t maxBytes, SjisWidthOf widthOf);

}  // namespace plover
