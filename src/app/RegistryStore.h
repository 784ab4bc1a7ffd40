// Settings in the registry: HKCU\Software\<maker>\<application>\<section>,
// integers as REG_DWORD and texts as REG_SZ.
#pragma once

#include <windows.h>

#include <string>

#include "app/Settings.h"

namespace plover {

class CRegistryStore : public ISettingsStore {
public:
    // `subKey` under HKEY_CURRENT_USER, for example Software\WREN\Plover\Config.
    explicit CRegistryStore(std::wstring subKey) : m_strSubKey(std::move(subKey)) {}

    std::optional<int> ReadInt(const wchar_t* key) const override;
    std::optional<std::wstring> ReadString(const wchar_t* key) const override;
    void WriteInt(const wchar_t* key, int value) override;
    void WriteString(const wchar_t* key, const std::wstring& value) override;

private:
    std::wstring m_strSubKey;
};

}  // namespace plover
