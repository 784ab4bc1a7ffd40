// Settings in the registry: HKCU\Software\<maker>\<application>\<section>,
// integers as REG_DWORD and texts as REG_SZ.
#pragma once

#include <windows.h>

#include <string>

#include "services/Settings.h"

namespace plover {

// Owns an open registry key.
class CRegKey {
public:
    CRegKey() = default;
    ~CRegKey() { Close(); }
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;

    bool Open(const std::wstring& subKey, REGSAM access);
    bool Create(const std::wstring& subKey, REGSAM access);
    void Close();
    HKEY Get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

class CRegistryStore : public ISettingsStore {
public:
    // `subKey` under HKEY_CURRENT_USER, for example Software\WREN\Plover\Config.
    explicit CRegistryStore(std::wstring subKey) : m_strSubKey(std::move(subKey)) {}

    std::optional<int> ReadInt(const wchar_t* key) const override;
    std::optional<std::wstring> ReadString(const wchar_t* key) const override;
    void WriteInt(const wchar_t* key, int value) override;
    void WriteString(const wchar_t* key, const std::wstring& value) override;
    // The key exists: any write makes it, and nothing of Plover's removes it.
    bool HoldsAnything() const override;

private:
    template <class Run>
    bool QueryOpenKey(Run query) const;

    std::wstring m_strSubKey;
    // Open from the first read that finds the key: a start reads some thirty values,
    // and opening and closing the key for each is two more trips to the registry.
    mutable CRegKey m_ReadKey;
};

}  // namespace plover
