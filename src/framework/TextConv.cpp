#include "framework/TextConv.h"

namespace plover {

namespace {
constexpr UINT kShiftJis = 932;
}

std::wstring SjisToWide(std::string_view sjis)
{
    if (sjis.empty())
        return {};
    const int length = static_cast<int>(sjis.size());
    const int count = ::MultiByteToWideChar(kShiftJis, 0, sjis.data(), length, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(count), L'\0');
    ::MultiByteToWideChar(kShiftJis, 0, sjis.data(), length, text.data(), count);
    return text;
}

std::string WideToSjis(std::wstring_view text)
{
    if (text.empty())
        return {};
    const int length = static_cast<int>(text.size());
    const int count =
        ::WideCharToMultiByte(kShiftJis, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string sjis(static_cast<std::size_t>(count), '\0');
    ::WideCharToMultiByte(kShiftJis, 0, text.data(), length, sjis.data(), count, nullptr, nullptr);
    return sjis;
}

int Cp932Width(wchar_t c)
{
    if (c >= 0xD800 && c <= 0xDFFF)
        return 0;
    char bytes[2];
    BOOL usedDefault = FALSE;
    const int count = ::WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, &c, 1, bytes,
                                            sizeof bytes, nullptr, &usedDefault);
    return count <= 0 || usedDefault ? 0 : count;
}

std::wstring LoadResString(UINT id)
{
    const wchar_t* text = nullptr;
    // With a zero buffer size LoadStringW hands out a pointer into the resource.
    const int length = ::LoadStringW(::GetModuleHandleW(nullptr), id,
                                     reinterpret_cast<wchar_t*>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}

}  // namespace plover
