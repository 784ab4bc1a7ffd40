#include "framework/Help.h"

#include <utility>
#include <vector>

namespace plover {

namespace {
std::function<void(const std::wstring&, UINT, ULONG_PTR)>& Hook()
{
    static std::function<void(const std::wstring&, UINT, ULONG_PTR)> hook;
    return hook;
}
}  // namespace

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

std::wstring HelpFilePath()
{
    std::wstring path = ExecutablePath();
    const std::size_t slash = path.rfind(L'\\');
    const std::size_t dot = path.rfind(L'.');
    if (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash))
        path.erase(dot);
    return path + L".HLP";
}

void ShowHelp(HWND owner, UINT command, ULONG_PTR data)
{
    const std::wstring file = HelpFilePath();
    if (Hook()) {
        Hook()(file, command, data);
        return;
    }
    ::WinHelpW(owner, file.c_str(), command, data);
}

void SetHelpHook(std::function<void(const std::wstring&, UINT, ULONG_PTR)> hook)
{
    Hook() = std::move(hook);
}

}  // namespace plover
