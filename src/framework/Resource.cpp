#include "framework/Resource.h"

namespace plover {

std::string_view ResourceBytes(UINT id, const wchar_t* type)
{
    const HMODULE module = ::GetModuleHandleW(nullptr);
    const HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), type);
    const HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    if (!bytes)
        return {};
    return std::string_view(static_cast<const char*>(bytes), ::SizeofResource(module, found));
}

}  // namespace plover
