#include "services/Settings.h"

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

namespace {

// The table of every setting: its reader with the program's default, the options
// sheet's reader where that differs, and whether the sheet writes it.  In the
// order of the sheet's pages.
struct IntField {
    IntSetting reader;
    int CPloverSettings::*member;
    bool byOptions;
};

struct StringField {
    StringSetting reader;
    StringSetting sheetReader;
    std::wstring CPloverSettings::*member;
};

const IntField kIntFields[] = {
    {cfg::CursorNo, &CPloverSettings::cursorNo, true},
    {cfg::IconFlg, &CPloverSettings::iconFlg, true},
    {cfg::IconSec, &CPloverSettings::iconSec, true},
    {cfg::DestroyFlg, &CPloverSettings::destroyFlg, true},
    {cfg::DestroySec, &CPloverSettings::destroySec, true},
    {cfg::StartTitleBar, &CPloverSettings::startTitleBar, true},
    {cfg::StartMenuBar, &CPloverSettings::startMenuBar, true},
    {cfg::StartPosition, &CPloverSettings::startPosition, true},
    {cfg::StartValue, &CPloverSettings::startValue, true},
    {cfg::StartPositionPosX, &CPloverSettings::startPositionPosX, false},
    {cfg::StartPositionPosY, &CPloverSettings::startPositionPosY, false},
    {cfg::StartValueWidth, &CPloverSettings::startValueWidth, false},
    {cfg::StartValueHeight, &CPloverSettings::startValueHeight, false},
    {cfg::RollStar, &CPloverSettings::rollStar, true},
    {cfg::TitleBarForSheet, &CPloverSettings::titleBar, true},
    {cfg::MenuBarForSheet, &CPloverSettings::menuBar, true},
    {cfg::Date, &CPloverSettings::date, true},
    {cfg::Target, &CPloverSettings::target, true},
    {cfg::SC, &CPloverSettings::sc, true},
    {cfg::SCI, &CPloverSettings::sci, true},
    {cfg::Hour24, &CPloverSettings::hour24, true},
    {cfg::GMFont, &CPloverSettings::gmFont, true},
    {cfg::Sound, &CPloverSettings::sound, true},
};

const StringField kStringFields[] = {
    {cfg::StartWav, cfg::StartWavForSheet, &CPloverSettings::startWav},
    {cfg::EndWav, cfg::EndWavForSheet, &CPloverSettings::endWav},
    {cfg::VerWav, cfg::VerWavForSheet, &CPloverSettings::verWav},
};

CPloverSettings LoadWith(const ISettingsStore& store, bool forSheet)
{
    CPloverSettings settings;
    for (const IntField& field : kIntFields)
        settings.*field.member = Read(store, field.reader);
    for (const StringField& field : kStringFields)
        settings.*field.member = Read(store, forSheet ? field.sheetReader : field.reader);
    return settings;
}

}  // namespace

bool CPloverSettings::operator==(const CPloverSettings& other) const
{
    for (const IntField& field : kIntFields)
        if (this->*field.member != other.*field.member)
            return false;
    for (const StringField& field : kStringFields)
        if (this->*field.member != other.*field.member)
            return false;
    return true;
}

CPloverSettings LoadSettings(const ISettingsStore& store)
{
    return LoadWith(store, false);
}

CPloverSettings LoadSettingsForSheet(const ISettingsStore& store)
{
    return LoadWith(store, true);
}

void SaveOptions(ISettingsStore& store, const CPloverSettings& settings)
{
    for (const IntField& field : kIntFields)
        if (field.byOptions)
            Write(store, field.reader, settings.*field.member);
    for (const StringField& field : kStringFields)
        Write(store, field.reader, settings.*field.member);
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
