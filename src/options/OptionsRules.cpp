#include "options/OptionsRules.h"

#include <climits>

namespace plover {

namespace {

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\x3000';
}

bool IsHighSurrogate(unsigned long c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(unsigned long c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

}  // namespace

int ParseSeconds(std::wstring_view text)
{
    std::size_t at = 0;
    while (at < text.size() && IsBlank(text[at]))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == L'-' || text[at] == L'+'))
        negative = text[at++] == L'-';
    const std::size_t firstDigit = at;
    long long value = 0;
    for (; at < text.size() && text[at] >= L'0' && text[at] <= L'9'; ++at) {
        value = value * 10 + (text[at] - L'0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            return 0;
    }
    if (at == firstDigit)
        return 0;
    while (at < text.size() && IsBlank(text[at]))
        ++at;
    if (at != text.size())
        return 0;
    if (negative)
        value = -value;
    if (value > INT_MAX || value < INT_MIN)
        return 0;
    return static_cast<int>(value);
}

SoundNameProblem CheckSoundName(std::wstring_view name)
{
    std::size_t units = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned long>(name[i]);
        if (c < 0x20 || c == 0x7F)
            return SoundNameProblem::BadCharacter;
        if (IsHighSurrogate(c)) {
            if (i + 1 == name.size() || !IsLowSurrogate(static_cast<unsigned long>(name[i + 1])))
                return SoundNameProblem::BadCharacter;
            ++i;
            units += 2;
            continue;
        }
        if (IsLowSurrogate(c))
            return SoundNameProblem::BadCharacter;
        // Where wchar_t is 32 bits wide a character beyond the first plane is one
        // unit here but two in the store.
        units += c > 0xFFFF ? 2 : 1;
    }
    return units > kMaxSoundNameUnits ? SoundNameProblem::TooLong : SoundNameProblem::None;
}

}  // namespace plover
