#include "framework/Paths.h"

#include <windows.h>

#include <vector>

namespace plover {

std::wstring ExecutablePath()
{
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size())
            return std::wstring(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

std::wstring FolderOf(const std::wstring& path)
{
    const std::size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring(L"\\") : path.substr(0, slash + 1);
}

std::wstring ProgramFolder()
{
    return FolderOf(ExecutablePath());
}

}  // namespace plover
