#include "services/StartupEntry.h"

#include <windows.h>

#include <cwctype>
#include <vector>

#include "services/RegistryStore.h"

namespace plover {

namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
// Task Manager's start-up list: a 12-byte value whose first byte is odd while the
// entry is turned off there.
constexpr wchar_t kApprovedKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
constexpr wchar_t kValueName[] = L"Plover";

bool SameText(std::wstring_view a, std::wstring_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::towlower(a[i]) != std::towlower(b[i]))
            return false;
    return true;
}

std::wstring ReadRunValue()
{
    CRegKey key;
    if (!key.Open(kRunKey, KEY_QUERY_VALUE))
        return {};
    DWORD type = 0, size = 0;
    if (::RegQueryValueExW(key.Get(), kValueName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ) || size == 0)
        return {};
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    if (::RegQueryValueExW(key.Get(), kValueName, nullptr, &type,
                           reinterpret_cast<BYTE*>(text.data()), &size) != ERROR_SUCCESS)
        return {};
    text.resize(size / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0')
        text.pop_back();
    return text;
}

bool TurnedOffInTaskManager()
{
    CRegKey key;
    if (!key.Open(kApprovedKey, KEY_QUERY_VALUE))
        return false;
    BYTE data[64] = {};
    DWORD type = 0, size = sizeof data;
    if (::RegQueryValueExW(key.Get(), kValueName, nullptr, &type, data, &size) != ERROR_SUCCESS ||
        type != REG_BINARY || size == 0)
        return false;
    return (data[0] & 1) != 0;
}

}  // namespace

bool IsSignInStart(std::wstring_view commandLine)
{
    std::size_t i = 0;
    while (i < commandLine.size()) {
        while (i < commandLine.size() && std::iswspace(commandLine[i]))
            ++i;
        std::size_t end = i;
        while (end < commandLine.size() && !std::iswspace(commandLine[end]))
            ++end;
        if (end > i && SameText(commandLine.substr(i, end - i), kSignInArgument))
            return true;
        i = end;
    }
    return false;
}

std::wstring StartupCommand(const std::wstring& exePath)
{
    return L"\"" + exePath + L"\" " + std::wstring(kSignInArgument);
}

StartupEntry ReadStartupEntry(const std::wstring& exePath)
{
    StartupEntry entry;
    const std::wstring command = ReadRunValue();
    entry.registered = !command.empty();
    entry.current = entry.registered && SameText(command, StartupCommand(exePath));
    entry.turnedOffInTaskManager = entry.registered && TurnedOffInTaskManager();
    return entry;
}

bool WriteStartupEntry(const std::wstring& exePath, bool turnOn)
{
    CRegKey run;
    if (!run.Create(kRunKey, KEY_SET_VALUE))
        return false;
    const std::wstring command = StartupCommand(exePath);
    if (::RegSetValueExW(run.Get(), kValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                         static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS)
        return false;
    if (turnOn && TurnedOffInTaskManager()) {
        // On as Task Manager writes it: an even first byte, no time of turning off.
        CRegKey approved;
        const BYTE on[12] = {2};
        if (approved.Open(kApprovedKey, KEY_SET_VALUE))
            ::RegSetValueExW(approved.Get(), kValueName, 0, REG_BINARY, on, sizeof on);
    }
    return true;
}

void FollowProgramMove(const std::wstring& exePath)
{
    const StartupEntry entry = ReadStartupEntry(exePath);
    if (entry.registered && !entry.current)
        WriteStartupEntry(exePath, false);
}

namespace {
bool g_bStartedBySignIn = false;
}

void SetStartedBySignIn(bool signIn)
{
    g_bStartedBySignIn = signIn;
}

bool StartedBySignIn()
{
    return g_bStartedBySignIn;
}

void RemoveStartupEntry()
{
    CRegKey run;
    if (run.Open(kRunKey, KEY_SET_VALUE))
        ::RegDeleteValueW(run.Get(), kValueName);
    CRegKey approved;
    if (approved.Open(kApprovedKey, KEY_SET_VALUE))
        ::RegDeleteValueW(approved.Get(), kValueName);
}

}  // namespace plover
