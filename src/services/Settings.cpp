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
    {cfg::CursorNo, &CPloverSettings::cursor, true},
    {cfg::IconFlg, &CPloverSettings::minimizeByTimer, true},
    {cfg::IconSec, &CPloverSettings::minimizeAfterSeconds, true},
    {cfg::DestroyFlg, &CPloverSettings::closeByTimer, true},
    {cfg::DestroySec, &CPloverSettings::closeAfterSeconds, true},
    {cfg::StartTitleBar, &CPloverSettings::startWithoutTitleBar, true},
    {cfg::StartMenuBar, &CPloverSettings::startWithoutMenuBar, true},
    {cfg::StartPosition, &CPloverSettings::startAtLastPosition, true},
    {cfg::StartValue, &CPloverSettings::startAtLastSize, true},
    {cfg::StartPositionPosX, &CPloverSettings::lastLeft, false},
    {cfg::StartPositionPosY, &CPloverSettings::lastTop, false},
    {cfg::StartValueWidth, &CPloverSettings::lastWidth, false},
    {cfg::StartValueHeight, &CPloverSettings::lastHeight, false},
    {cfg::RollStar, &CPloverSettings::showStars, true},
    {cfg::TitleBarForSheet, &CPloverSettings::titleBarShown, true},
    {cfg::MenuBarForSheet, &CPloverSettings::menuBarShown, true},
    {cfg::Date, &CPloverSettings::showDate, true},
    {cfg::Target, &CPloverSettings::showTarget, true},
    {cfg::SC, &CPloverSettings::showLowerPanel, true},
    {cfg::SCI, &CPloverSettings::lowerPanel, true},
    {cfg::Hour24, &CPloverSettings::clock24Hour, true},
    {cfg::GMFont, &CPloverSettings::clockFont, true},
    {cfg::LeapDay, &CPloverSettings::leapDayOnMarch1, true},
    {cfg::CountUp, &CPloverSettings::countUpWhenPassed, true},
    {cfg::TrayIcon, &CPloverSettings::trayIcon, true},
    {cfg::TrayWhenMinimized, &CPloverSettings::trayWhenMinimized, true},
    {cfg::Sound, &CPloverSettings::playSounds, true},
    {cfg::NoticeAtTime, &CPloverSettings::noticeAtTime, true},
    {cfg::NoticeDayBefore, &CPloverSettings::noticeDayBefore, true},
    {cfg::NoticeDayBeforeHour, &CPloverSettings::noticeDayBeforeHour, true},
    {cfg::NoticeDayBeforeMinute, &CPloverSettings::noticeDayBeforeMinute, true},
    {cfg::NoticeMinutesBefore, &CPloverSettings::noticeMinutesBefore, true},
    {cfg::NoticeMinutes, &CPloverSettings::noticeMinutes, true},
};

const StringField kStringFields[] = {
    {cfg::StartWav, cfg::StartWavForSheet, &CPloverSettings::startSound},
    {cfg::EndWav, cfg::EndWavForSheet, &CPloverSettings::exitSound},
    {cfg::VerWav, cfg::VerWavForSheet, &CPloverSettings::aboutSound},
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
