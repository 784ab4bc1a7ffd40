// What reaches the user without their looking at the window: the days-left icon
// in the notification area while they want it, and the notices of the day before,
// some minutes before and the target minute, each shown once for each occurrence
// (a start within the minute does not show it again).
#pragma once

#include <windows.h>

#include <string>

#include "app/NotifyRules.h"
#include "app/TrayIcon.h"
#include "schedule/PloverFile.h"
#include "services/Settings.h"

namespace plover {

class CNotifier {
public:
    CNotifier(HWND frame, UINT callbackMessage, HICON programIcon);

    void Apply(const CPloverSettings& settings);
    // Each second: the icon follows the countdown (the shell is asked only when it
    // changed), and a notice whose minute it is shows once.
    void Tick(const LocalTime& now, const CPloverFile* target, const TargetTexts& texts, UINT dpi);

    enum class Action {
        None,
        ShowWindow,  // a click on the icon or on a notice
        ShowMenu,    // the right button on the icon
    };
    Action OnCallback(LPARAM lParam);
    // Explorer started again.
    void AddAgain() { m_Icon.AddAgain(); }
    // Every way out of the program passes here, before the window goes.
    void Remove();

    // Minimised, the window leaves the taskbar for the notification area.
    bool HidesWhenMinimized() const { return m_bTray && m_bHideMinimized; }

private:
    void ShowNotice(NoticeKind kind, const CPloverFile& target);

    CTrayIcon m_Icon;
    NoticeChoices m_Choices;
    bool m_bTray = false;
    bool m_bHideMinimized = false;
    std::wstring m_strLastNotice;
};

}  // namespace plover
