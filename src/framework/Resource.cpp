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

std::wstring LoadResString(UINT id)
{
    const wchar_t* text = nullptr;
    // With a zero buffer size LoadStringW hands out a pointer into the resource.
    const int length = ::LoadStringW(::GetModuleHandleW(nullptr), id,
                                     reinterpret_cast<wchar_t*>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}

}  // namespace plover
