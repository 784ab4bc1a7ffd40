#include "framework/TextConv.h"

#include "framework/Cp932Codec.h"

namespace plover {

namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the windows' text is UTF-16");

std::u16string_view Utf16(std::wstring_view text)
{
    return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

}  // namespace

// Bytes that are no character, and characters without an exact form in the code
// page, become the codec's visible stand-ins rather than a best-fit guess.
std::wstring SjisToWide(std::string_view sjis)
{
    std::u16string text;
    ToUnicodeVisibly(Cp932(), sjis, text);
    return std::wstring(text.begin(), text.end());
}

std::string WideToSjis(std::wstring_view text)
{
    std::string sjis;
    FromUnicodeCounted(Cp932(), Utf16(text), sjis);
    return sjis;
}

int Cp932Width(wchar_t c)
{
    std::string bytes;
    if ((c >= 0xD800 && c <= 0xDFFF) || !Cp932().FromUnicode(Utf16({&c, 1}), bytes))
        return 0;
    return static_cast<int>(bytes.size());
}

}  // namespace plover
