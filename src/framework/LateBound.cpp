#include "framework/LateBound.h"

#include <string>

namespace plover {

HMODULE SystemLibrary(const wchar_t* library)
{
    wchar_t folder[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    const std::wstring path = std::wstring(folder, length) + L"\\" + library;
    // Never freed: a function once handed out must stay callable.
    return ::LoadLibraryW(path.c_str());
}

}  // namespace plover
