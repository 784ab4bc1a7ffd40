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
// back.  Names follow the keys.
struct CPloverSettings {
    int cursorNo = 1;
    int iconFlg = 0;
    int iconSec = 100;
    int destroyFlg = 0;
    int destroySec = 100;
    int startTitleBar = 0;
    int startMenuBar = 0;
    int startPosition = 0;
    int startValue = 0;
    int startPositionPosX = 300;
    int startPositionPosY = 400;
    int startValueWidth = 400;
    int startValueHeight = 300;
    int rollStar = 1;
    int titleBar = 1;
    int menuBar = 1;
    int date = 1;
    int target = 1;
    int sc = 1;
    int sci = 1;
    int hour24 = 1;
    int gmFont = 1;
    int sound = 1;
    std::wstring startWav = L"Plover.wav";
    std::wstring endWav = L"Plover.wav";
    std::wstring verWav = L"PloverVer.wav";

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
