// Every setting of section Config: a small store interface (the registry on
// Windows, memory in tests) and one named reader per use.  A key may have several
// readers with different defaults (TitleBar, MenuBar and the sound names do), so
// each reader carries its own.  Nothing is cached: a write is seen by the next read.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace plover {

class ISettingsStore {
public:
    virtual ~ISettingsStore() = default;
    // No value when the key is missing or holds something other than its type.
    virtual std::optional<int> ReadInt(const wchar_t* key) const = 0;
    virtual std::optional<std::wstring> ReadString(const wchar_t* key) const = 0;
    // Failures to write are not reported: no caller could do anything about them.
    virtual void WriteInt(const wchar_t* key, int value) = 0;
    virtual void WriteString(const wchar_t* key, const std::wstring& value) = 0;
    // False until something was first written: Plover has never run for this user.
    virtual bool HoldsAnything() const = 0;
};

class CMemorySettingsStore : public ISettingsStore {
public:
    std::optional<int> ReadInt(const wchar_t* key) const override;
    std::optional<std::wstring> ReadString(const wchar_t* key) const override;
    void WriteInt(const wchar_t* key, int value) override;
    void WriteString(const wchar_t* key, const std::wstring& value) override;
    bool HoldsAnything() const override { return !m_ints.empty() || !m_strings.empty(); }

private:
    std::map<std::wstring, int> m_ints;
    std::map<std::wstring, std::wstring> m_strings;
};

struct IntSetting {
    const wchar_t* key;
    int fallback;
};

struct StringSetting {
    const wchar_t* key;
    const wchar_t* fallback;
};

int Read(const ISettingsStore& store, IntSetting setting);
std::wstring Read(const ISettingsStore& store, StringSetting setting);
void Write(ISettingsStore& store, IntSetting setting, int value);
void Write(ISettingsStore& store, StringSetting setting, const std::wstring& value);

// The store the program uses; the registry unless a test put another in place.
ISettingsStore& Settings();
void SetSettingsStore(ISettingsStore* store);

// The readers, named after their key; a suffix names the reader where one key has
// readers with different defaults.
namespace cfg {
inline constexpr IntSetting CursorNo{L"CursorNo", 1};
inline constexpr IntSetting IconFlg{L"IconFlg", 0};
inline constexpr IntSetting IconSec{L"IconSec", 100};
inline constexpr IntSetting DestroyFlg{L"DestroyFlg", 0};
inline constexpr IntSetting DestroySec{L"DestroySec", 100};
inline constexpr IntSetting StartTitleBar{L"StartTitleBar", 0};
inline constexpr IntSetting StartMenuBar{L"StartMenuBar", 0};
inline constexpr IntSetting StartPosition{L"StartPosition", 0};
inline constexpr IntSetting StartValue{L"StartValue", 0};
inline constexpr IntSetting StartPositionPosX{L"StartPositionPosX", 300};
inline constexpr IntSetting StartPositionPosY{L"StartPositionPosY", 400};
inline constexpr IntSetting StartValueWidth{L"StartValueWidth", 400};
inline constexpr IntSetting StartValueHeight{L"StartValueHeight", 300};
inline constexpr IntSetting RollStar{L"RollStar", 1};
// The options sheet fills itself assuming a shown bar, and re-reads after writing
// with 0, so a failed write ends with the bar hidden.
inline constexpr IntSetting TitleBarForSheet{L"TitleBar", 1};
inline constexpr IntSetting TitleBarAfterWrite{L"TitleBar", 0};
inline constexpr IntSetting MenuBarForSheet{L"MenuBar", 1};
inline constexpr IntSetting MenuBarAfterWrite{L"MenuBar", 0};
inline constexpr IntSetting Date{L"Date", 1};
inline constexpr IntSetting Target{L"Target", 1};
inline constexpr IntSetting SC{L"SC", 1};
inline constexpr IntSetting SCI{L"SCI", 1};
inline constexpr IntSetting Hour24{L"Hour24", 1};
inline constexpr IntSetting GMFont{L"GMFont", 1};
// 0: a yearly 29 February falls on 28 February in common years; 1: on 1 March.
inline constexpr IntSetting LeapDay{L"LeapDay", 0};
// 1: a passed target counts the days since it instead of saying it is over.
inline constexpr IntSetting CountUp{L"CountUp", 0};
// The notification area: the days-left icon, and the window kept there while
// minimised (only with the icon on).
inline constexpr IntSetting TrayIcon{L"TrayIcon", 0};
inline constexpr IntSetting TrayWhenMinimized{L"TrayWhenMinimized", 0};
// The notices of the 通知 page: at the target's time, the day before at a time of
// the user's, and a number of minutes before.
inline constexpr IntSetting NoticeAtTime{L"NoticeAtTime", 1};
inline constexpr IntSetting NoticeDayBefore{L"NoticeDayBefore", 1};
inline constexpr IntSetting NoticeDayBeforeHour{L"NoticeDayBeforeHour", 20};
inline constexpr IntSetting NoticeDayBeforeMinute{L"NoticeDayBeforeMinute", 0};
inline constexpr IntSetting NoticeMinutesBefore{L"NoticeMinutesBefore", 0};
inline constexpr IntSetting NoticeMinutes{L"NoticeMinutes", 10};
// The last notice shown, so a start within its minute does not show it again.
inline constexpr StringSetting LastNotice{L"LastNotice", L""};
inline constexpr IntSetting Sound{L"Sound", 1};
// Until the options sheet is confirmed once, start and exit both play Plover.wav.
inline constexpr StringSetting StartWav{L"StartWav", L"Plover.wav"};
inline constexpr StringSetting StartWavForSheet{L"StartWav", L"Plover.Wav"};
inline constexpr StringSetting EndWav{L"EndWav", L"Plover.wav"};
inline constexpr StringSetting EndWavForSheet{L"EndWav", L"PloverExit.Wav"};
inline constexpr StringSetting VerWav{L"VerWav", L"PloverVer.wav"};
inline constexpr StringSetting VerWavForSheet{L"VerWav", L"PloverVer.Wav"};
}  // namespace cfg

// Every setting at once, as read with the program's defaults: what the view and
// the frame start with, and what the options sheet fills its pages from and hands
// back.  The fields say what they mean; the table of keys in
// Settings.cpp ties each to its registry value.
struct CPloverSettings {
    int cursor = 1;
    int minimizeByTimer = 0;
    int minimizeAfterSeconds = 100;
    int closeByTimer = 0;
    int closeAfterSeconds = 100;
    int startWithoutTitleBar = 0;
    int startWithoutMenuBar = 0;
    int startAtLastPosition = 0;
    int startAtLastSize = 0;
    int lastLeft = 300;
    int lastTop = 400;
    int lastWidth = 400;
    int lastHeight = 300;
    int showStars = 1;
    int titleBarShown = 1;
    int menuBarShown = 1;
    int showDate = 1;
    int showTarget = 1;
    int showLowerPanel = 1;
    int lowerPanel = 1;
    int clock24Hour = 1;
    int clockFont = 1;
    int leapDayOnMarch1 = 0;
    int countUpWhenPassed = 0;
    int trayIcon = 0;
    int trayWhenMinimized = 0;
    int noticeAtTime = 1;
    int noticeDayBefore = 1;
    int noticeDayBeforeHour = 20;
    int noticeDayBeforeMinute = 0;
    int noticeMinutesBefore = 0;
    int noticeMinutes = 10;
    int playSounds = 1;
    std::wstring startSound = L"Plover.wav";
    std::wstring exitSound = L"Plover.wav";
    std::wstring aboutSound = L"PloverVer.wav";

    bool operator==(const CPloverSettings& other) const;
};

CPloverSettings LoadSettings(const ISettingsStore& store);
// The options sheet's own reading: where nothing is stored, the sounds are named
// as the sound page spells them (the exit sound is PloverExit.Wav).
CPloverSettings LoadSettingsForSheet(const ISettingsStore& store);
// Writes every key the options sheet confirms, in the order of its pages; the
// window's place and size are written at exit instead, and left alone here.
void SaveOptions(ISettingsStore& store, const CPloverSettings& settings);

}  // namespace plover
