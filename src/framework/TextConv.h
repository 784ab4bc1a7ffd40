// The boundary between Shift-JIS bytes (the schedule file, byte-counted fields)
// and the Unicode windows.
#pragma once

#include <string>
#include <string_view>

namespace plover {

std::wstring SjisToWide(std::string_view sjis);
std::string WideToSjis(std::wstring_view text);
// Code page 932 bytes of one UTF-16 unit, 0 when the code page cannot hold it
// exactly (no best-fit stand-in: it would be stored as a different character).
int Cp932Width(wchar_t c);

}  // namespace plover
