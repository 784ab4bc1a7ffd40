// Exact conversion between code page 932 bytes (what entries hold) and UTF-16
// (what other calendars exchange): no best-fit stand-ins in either direction.  The
// machine supplies the conversion itself (the system's own code page on Windows, a
// table made from the C library's natively); the rules for what cannot convert
// are here, the same for both.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace plover {

class ICp932Codec {
public:
    virtual ~ICp932Codec() = default;
    // UTF-16 of `bytes`; false when any byte sequence is no character of the code page.
    virtual bool ToUnicode(std::string_view bytes, std::u16string& out) const = 0;
    // Code page bytes of `text`; false when any character has no exact form there.
    virtual bool FromUnicode(std::u16string_view text, std::string& out) const = 0;
};

// The machine's converter.
const ICp932Codec& Cp932();

// What stands in for what could not convert: U+FFFD for bytes that are no
// character, "？" (full width, code page bytes 81 48) for characters the code page
// cannot hold.  Both stay visible, and both are counted.
inline constexpr char16_t kUnicodeReplacement = u'\uFFFD';
inline constexpr std::string_view kSjisReplacement = "\x81\x48";

// `bytes` in UTF-16, every invalid byte sequence one U+FFFD; returns how many.
std::size_t ToUnicodeVisibly(const ICp932Codec& codec, std::string_view bytes,
                             std::u16string& out);
// `text` in code page bytes, every character it cannot hold one "？"; returns how
// many.  A lone surrogate counts as such a character.
std::size_t FromUnicodeCounted(const ICp932Codec& codec, std::u16string_view text,
                               std::string& out);

}  // namespace plover
