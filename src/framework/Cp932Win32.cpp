// The system's own code page 932, asked to fail rather than guess: invalid bytes
// and characters without an exact form make the whole call fail, and the shared
// rules then find and replace them one character at a time.
#include <windows.h>

#include "framework/Cp932Codec.h"

namespace plover {

namespace {

constexpr UINT kShiftJis = 932;

class CWin32Cp932 : public ICp932Codec {
public:
    bool ToUnicode(std::string_view bytes, std::u16string& out) const override
    {
        if (bytes.empty())
            return true;
        const int length = static_cast<int>(bytes.size());
        const int count =
            ::MultiByteToWideChar(kShiftJis, MB_ERR_INVALID_CHARS, bytes.data(), length, nullptr, 0);
        if (count <= 0)
            return false;
        const std::size_t start = out.size();
        out.resize(start + static_cast<std::size_t>(count));
        return ::MultiByteToWideChar(kShiftJis, MB_ERR_INVALID_CHARS, bytes.data(), length,
                                     reinterpret_cast<wchar_t*>(&out[start]), count) == count;
    }

    bool FromUnicode(std::u16string_view text, std::string& out) const override
    {
        if (text.empty())
            return true;
        const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
        const int length = static_cast<int>(text.size());
        BOOL usedDefault = FALSE;
        const int count = ::WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, wide, length,
                                                nullptr, 0, nullptr, &usedDefault);
        if (count <= 0 || usedDefault)
            return false;
        const std::size_t start = out.size();
        out.resize(start + static_cast<std::size_t>(count));
        return ::WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, wide, length, &out[start],
                                     count, nullptr, &usedDefault) == count &&
               !usedDefault;
    }
};

}  // namespace

const ICp932Codec& Cp932()
{
    static const CWin32Cp932 codec;
    return codec;
}

}  // namespace plover
