#include "framework/SystemLook.h"

namespace plover {

namespace {

bool EnvironmentSwitch(const wchar_t* name)
{
    wchar_t value[4] = {};
    return ::GetEnvironmentVariableW(name, value, 4) == 1 && value[0] == L'1';
}

// The switches of a test run: read once, since they are the run's, not the user's.
bool TestStill()
{
    static const bool still = EnvironmentSwitch(L"PLOVER_TEST_STILL");
    return still;
}

std::optional<bool>& ForcedHighContrast()
{
    static std::optional<bool> forced =
        EnvironmentSwitch(L"PLOVER_TEST_HIGH_CONTRAST") ? std::optional<bool>(true) : std::nullopt;
    return forced;
}

SystemLook ReadLook()
{
    SystemLook look;
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    look.highContrast =
        ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
        (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
    if (const std::optional<bool>& forced = ForcedHighContrast())
        look.highContrast = *forced;
    BOOL animation = TRUE;
    look.lessMotion =
        ::SystemParametersInfoW(SPI_GETCLIENTAREAANIMATION, 0, &animation, 0) && !animation;
    if (look.highContrast) {
        look.window = ::GetSysColor(COLOR_WINDOW);
        look.windowText = ::GetSysColor(COLOR_WINDOWTEXT);
        look.highlight = ::GetSysColor(COLOR_HIGHLIGHT);
        look.grayText = ::GetSysColor(COLOR_GRAYTEXT);
    }
    return look;
}

SystemLook& Look()
{
    static SystemLook look = ReadLook();
    return look;
}

}  // namespace

const SystemLook& CurrentLook()
{
    return Look();
}

bool RefreshSystemLook()
{
    const SystemLook now = ReadLook();
    if (now == Look())
        return false;
    Look() = now;
    return true;
}

COLORREF LookColour(COLORREF fixed, int sysColour)
{
    const SystemLook& look = Look();
    if (!look.highContrast)
        return fixed;
    switch (sysColour) {
    case COLOR_WINDOW:
        return look.window;
    case COLOR_WINDOWTEXT:
        return look.windowText;
    case COLOR_HIGHLIGHT:
        return look.highlight;
    case COLOR_GRAYTEXT:
        return look.grayText;
    default:
        return ::GetSysColor(sysColour);
    }
}

bool StillPictures()
{
    return TestStill() || Look().lessMotion;
}

void ForceHighContrast(std::optional<bool> on)
{
    ForcedHighContrast() = on;
}

}  // namespace plover
