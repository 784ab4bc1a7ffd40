#include "app/RegistryStore.h"

#include <vector>

namespace plover {

namespace {

// Owns an open registry key.
class CRegKey {
public:
    CRegKey() = default;
    ~CRegKey()
    {
        if (m_key)
            ::RegCloseKey(m_key);
    }
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;

    bool Open(const std::wstring& subKey)
    {
        return ::RegOpenKeyExW(HKEY_CURRENT_USER, subKey.c_str(), 0, KEY_QUERY_VALUE, &m_key) ==
               ERROR_SUCCESS;
    }
    bool Create(const std::wstring& subKey)
    {
        return ::RegCreateKeyExW(HKEY_CURRENT_USER, subKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                 nullptr, &m_key, nullptr) == ERROR_SUCCESS;
    }
    HKEY Get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

// Texts longer than this are not settings anybody wrote; read them as missing.
constexpr DWORD kMaxTextBytes = 32 * 1024;

}  // namespace

std::optional<int> CRegistryStore::ReadInt(const wchar_t* key) const
{
    CRegKey regKey;
    if (!regKey.Open(m_strSubKey))
        return std::nullopt;
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    const LONG status =
        ::RegQueryValueExW(regKey.Get(), key, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value)
        return std::nullopt;
    return static_cast<int>(value);
}

std::optional<std::wstring> CRegistryStore::ReadString(const wchar_t* key) const
{
    CRegKey regKey;
    if (!regKey.Open(m_strSubKey))
        return std::nullopt;
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExW(regKey.Get(), key, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_SZ || size > kMaxTextBytes)
        return std::nullopt;
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    DWORD got = size;
    if (::RegQueryValueExW(regKey.Get(), key, nullptr, &type,
                           reinterpret_cast<BYTE*>(buffer.data()), &got) != ERROR_SUCCESS ||
        type != REG_SZ)
        return std::nullopt;
    // A stored text need not end in a zero; the extra element guarantees one.
    return std::wstring(buffer.data());
}

void CRegistryStore::WriteInt(const wchar_t* key, int value)
{
    CRegKey regKey;
    if (!regKey.Create(m_strSubKey))
        return;
    const DWORD data = static_cast<DWORD>(value);
    ::RegSetValueExW(regKey.Get(), key, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                     sizeof data);
}

void CRegistryStore::WriteString(const wchar_t* key, const std::wstring& value)
{
    CRegKey regKey;
    if (!regKey.Create(m_strSubKey))
        return;
    ::RegSetValueExW(regKey.Get(), key, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

}  // namespace plover
