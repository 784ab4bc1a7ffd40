#include "app/Settings.h"

namespace plover {

namespace {
ISettingsStore* g_store = nullptr;
}  // namespace

std::optional<int> CMemorySettingsStore::ReadInt(const wchar_t* key) const
{
    const auto it = m_ints.find(key);
    if (it == m_ints.end())
        return std::nullopt;
    return it->second;
}

std::optional<std::wstring> CMemorySettingsStore::ReadString(const wchar_t* key) const
{
    const auto it = m_strings.find(key);
    if (it == m_strings.end())
        return std::nullopt;
    return it->second;
}

void CMemorySettingsStore::WriteInt(const wchar_t* key, int value)
{
    m_strings.erase(key);
    m_ints[key] = value;
}

void CMemorySettingsStore::WriteString(const wchar_t* key, const std::wstring& value)
{
    m_ints.erase(key);
    m_strings[key] = value;
}

int Read(const ISettingsStore& store, IntSetting setting)
{
    return store.ReadInt(setting.key).value_or(setting.fallback);
}

std::wstring Read(const ISettingsStore& store, StringSetting setting)
{
    return store.ReadString(setting.key).value_or(setting.fallback);
}

void Write(ISettingsStore& store, IntSetting setting, int value)
{
    store.WriteInt(setting.key, value);
}

void Write(ISettingsStore& store, StringSetting setting, const std::wstring& value)
{
    store.WriteString(setting.key, value);
}

ISettingsStore& Settings()
{
    static CMemorySettingsStore fallback;
    return g_store ? *g_store : fallback;
}

void SetSettingsStore(ISettingsStore* store)
{
    g_store = store;
}

}  // namespace plover
