// Resources of this program read where the module holds them, for its whole life.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace plover {

// The bytes of resource `id` of `type`; empty when there is none.
std::string_view ResourceBytes(UINT id, const wchar_t* type);
// String `id` of the string table; empty when there is none.
std::wstring LoadResString(UINT id);

}  // namespace plover
