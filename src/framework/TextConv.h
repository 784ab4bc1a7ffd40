// The boundary between Shift-JIS bytes (the schedule file, byte-counted fields)
// and the Unicode windows.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace plover {

std::wstring SjisToWide(std::string_view sjis);
std::string WideToSjis(std::wstring_view text);
std::wstring LoadResString(UINT id);

}  // namespace plover
