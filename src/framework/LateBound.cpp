#include "framework/LateBound.h"

#include <string>

namespace plover {

FARPROC SystemFunction(const wchar_t* library, const char* name)
{
    wchar_t folder[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    const std::wstring path = std::wstring(folder, length) + L"\\" + library;
    // Never freed: a function once handed out must stay callable.
    const HMODULE module = ::LoadLibraryW(path.c_str());
    return module ? ::GetProcAddress(module, name) : nullptr;
}

}  // namespace plover
