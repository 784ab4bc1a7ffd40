// What the user asked of every program's look in the system's settings: high
// contrast (the system's colours instead of the program's own, and no gradient)
// and less motion (no animation).  Read at the first question and again whenever
// the settings change (WM_SETTINGCHANGE, WM_SYSCOLORCHANGE): a paint asks here,
// not the system, and the brushes made from it are made again only on a change.
#pragma once

#include <windows.h>

#include <optional>

namespace plover {

struct SystemLook {
    bool highContrast = false;
    bool lessMotion = false;
    // The four system colours drawn with while high contrast is on; zero while off.
    COLORREF window = 0;
    COLORREF windowText = 0;
    COLORREF highlight = 0;
    COLORREF grayText = 0;

    friend bool operator==(const SystemLook& a, const SystemLook& b)
    {
        return a.highContrast == b.highContrast && a.lessMotion == b.lessMotion &&
               a.window == b.window && a.windowText == b.windowText &&
               a.highlight == b.highlight && a.grayText == b.grayText;
    }
    friend bool operator!=(const SystemLook& a, const SystemLook& b) { return !(a == b); }
};

// The look as last read.
const SystemLook& CurrentLook();
// Reads the system's settings again; true when the look changed.
bool RefreshSystemLook();

inline bool HighContrast() { return CurrentLook().highContrast; }
// `fixed` while high contrast is off, else the system colour `sysColour`
// (COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_HIGHLIGHT or COLOR_GRAYTEXT) as last read.
COLORREF LookColour(COLORREF fixed, int sysColour);

// True while the rotating stars stay on their first frame and the shooting star
// does not fly: where the system asks for less motion, or where PLOVER_TEST_STILL=1
// was set when the program started (a test that compares the screen with itself
// needs a view that is done drawing; a moving star never is, and a starved
// machine can freeze it anywhere).
bool StillPictures();

// For tests: high contrast as given instead of as the system says (Wine always
// says off), until reset with nullopt; takes effect at the next refresh.
// PLOVER_TEST_HIGH_CONTRAST=1 at start does the same for a whole run (screenshots).
void ForceHighContrast(std::optional<bool> on);

}  // namespace plover
