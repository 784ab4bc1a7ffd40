// A dark title bar where the user has chosen dark apps in Windows' settings.  The
// window manager draws the bar; the program only asks for the dark one, through an
// attribute that Windows 10 builds before 18985 knew by another number and that older
// systems lack, so the call is bound late and asked only where it means something.
#pragma once

#include <windows.h>

namespace plover {

// The attribute that asks for a dark title bar on Windows build `build`, or 0 where
// there is none (before Windows 10 1809).
DWORD DarkTitleBarAttribute(DWORD build);

// True when the user's app theme is dark (AppsUseLightTheme = 0); light when the
// value is missing, as on systems without the setting.
bool AppsUseDarkTheme();

// Asks for the title bar the theme calls for.  At creation a light theme asks nothing,
// so such a window stays exactly as before; `themeChanged` asks either way, since
// the bar may be dark from before.
void FollowAppTheme(HWND window, bool themeChanged);

// True for the WM_SETTINGCHANGE that Windows sends when the app theme changes.
bool IsAppThemeChange(UINT message, LPARAM lParam);

// Tests watch the calls in place of the window manager, which Wine's does not honour,
// and say which build of Windows to ask for, since Wine may call itself Windows 7;
// null puts the system back.
using SetWindowAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
void SetWindowAttributeForTest(SetWindowAttributeFn call, DWORD build);

}  // namespace plover
