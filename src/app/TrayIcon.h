// Plover's icon in the notification area: the days left drawn as the icon and the
// countdown as its tooltip while the user wants it, and the balloons of the
// notices (shown with the program's own icon for their time when the days-left
// icon is off).  Added again when Explorer restarts; removed when it goes, so no
// way out of the program leaves a dead icon behind.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <functional>
#include <string>

#include "app/NotifyRules.h"
#include "framework/Icon.h"

namespace plover {

class CTrayIcon {
public:
    // Shell_NotifyIconW, or what a test puts in its place.
    using ShellCall = std::function<BOOL(DWORD message, NOTIFYICONDATAW* data)>;

    // Events come to `owner` as `callbackMessage`, in the version-4 form: the
    // event (NIN_SELECT, WM_CONTEXTMENU, NIN_BALLOONUSERCLICK ...) in LOWORD(lParam).
    CTrayIcon(HWND owner, UINT callbackMessage, HICON programIcon, ShellCall shell = {});
    ~CTrayIcon();
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;

    // The days-left icon on, showing `texts` drawn for `dpi`; redrawn only when
    // the texts or the DPI changed.
    void ShowDays(const TrayTexts& texts, UINT dpi);
    // The days-left icon off; a notice still showing keeps the program's icon.
    void HideDays();
    // A balloon with `title` and `text`; it takes no focus, and the system keeps
    // it back in quiet hours.
    void Notify(const std::wstring& title, const std::wstring& text);
    // Explorer started again: what was in the area is added anew.
    void AddAgain();
    // The callback's event, for the icon's own bookkeeping: a notice that ended
    // takes its temporary icon with it.
    void OnEvent(UINT event);
    void Remove();

    bool IsAdded() const { return m_bAdded; }
    bool ShowsDays() const { return m_bDays; }

private:
    NOTIFYICONDATAW Data(UINT flags) const;
    bool Call(DWORD message, NOTIFYICONDATAW& data);
    void Add();
    HICON CurrentIcon() const;

    HWND m_hOwner;
    UINT m_nCallback;
    HICON m_hProgramIcon;  // the window class's, not ours to destroy
    ShellCall m_Shell;
    CIcon m_DaysIcon;
    TrayTexts m_Texts;
    UINT m_nDpi = 0;
    bool m_bDays = false;
    bool m_bNotice = false;
    bool m_bAdded = false;
};

// Every icon made without a shell of its own talks to this one instead of the
// system's while it is set (a test's recorder); an empty one restores the system.
void SetTrayShellHook(CTrayIcon::ShellCall shell);

// The days-left number drawn as a square icon of `size` pixels: white on a dark
// blue plate with a light edge, readable on a light and on a dark taskbar.  The
// program's icon stands for an empty number.
CIcon DrawDaysIcon(const std::wstring& number, int size);

// The small icon's size at `dpi`, as the notification area asks for it.
int SmallIconSize(UINT dpi);

}  // namespace plover
