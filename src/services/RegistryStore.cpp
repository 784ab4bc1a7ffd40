#include "services/RegistryStore.h"

#include <vector>

namespace plover {

bool CRegKey::Open(const std::wstring& subKey, REGSAM access)
{
    Close();
    return ::RegOpenKeyExW(HKEY_CURRENT_USER, subKey.c_str(), 0, access, &m_key) == ERROR_SUCCESS;
}

bool CRegKey::Create(const std::wstring& subKey, REGSAM access)
{
    Close();
    return ::RegCreateKeyExW(HKEY_CURRENT_USER, subKey.c_str(), 0, nullptr, 0, access, nullptr,
                             &m_key, nullptr) == ERROR_SUCCESS;
}

void CRegKey::Close()
{
    if (m_key)
        ::RegCloseKey(m_key);
    m_key = nullptr;
}

namespace {

// Texts longer than this are not settings anybody wrote; read them as missing.
constexpr DWORD kMaxTextBytes = 32 * 1024;

}  // namespace

// Runs `query` (which returns the status of its last registry call) on the key open
// for reading.  A key deleted since it was opened, and perhaps made anew by another
// program or by this one's next write, is opened again once.
template <class Run>
bool CRegistryStore::QueryOpenKey(Run query) const
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!m_ReadKey.Get() && !m_ReadKey.Open(m_strSubKey, KEY_QUERY_VALUE))
            return false;
        const LONG status = query(m_ReadKey.Get());
        if (status != ERROR_KEY_DELETED)
            return status == ERROR_SUCCESS;
        m_ReadKey.Close();
    }
    return false;
}

std::optional<int> CRegistryStore::ReadInt(const wchar_t* key) const
{
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    const bool read = QueryOpenKey([&](HKEY regKey) {
        size = sizeof value;
        return ::RegQueryValueExW(regKey, key, nullptr, &type, reinterpret_cast<BYTE*>(&value),
                                  &size);
    });
    if (!read || type != REG_DWORD || size != sizeof value)
        return std::nullopt;
    return static_cast<int>(value);
}

std::optional<std::wstring> CRegistryStore::ReadString(const wchar_t* key) const
{
    std::optional<std::wstring> text;
    QueryOpenKey([&](HKEY regKey) {
        DWORD type = 0;
        DWORD size = 0;
        LONG status = ::RegQueryValueExW(regKey, key, nullptr, &type, nullptr, &size);
        if (status != ERROR_SUCCESS || type != REG_SZ || size > kMaxTextBytes)
            return status;
        std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
        DWORD got = size;
        status = ::RegQueryValueExW(regKey, key, nullptr, &type,
                                    reinterpret_cast<BYTE*>(buffer.data()), &got);
        // A stored text need not end in a zero; the extra element guarantees one.
        if (status == ERROR_SUCCESS && type == REG_SZ)
            text = std::wstring(buffer.data());
        return status;
    });
    return text;
}

bool CRegistryStore::HoldsAnything() const
{
    CRegKey regKey;
    return regKey.Open(m_strSubKey, KEY_QUERY_VALUE);
}

void CRegistryStore::WriteInt(const wchar_t* key, int value)
{
    CRegKey regKey;
    if (!regKey.Create(m_strSubKey, KEY_SET_VALUE))
        return;
    const DWORD data = static_cast<DWORD>(value);
    ::RegSetValueExW(regKey.Get(), key, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                     sizeof data);
}

void CRegistryStore::WriteString(const wchar_t* key, const std::wstring& value)
{
    CRegKey regKey;
    if (!regKey.Create(m_strSubKey, KEY_SET_VALUE))
        return;
    ::RegSetValueExW(regKey.Get(), key, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

}  // namespace plover
