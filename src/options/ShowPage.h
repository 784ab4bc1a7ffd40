// The display page: which parts of the main window show, what the lower panel
// holds, the clock's form and face, where a yearly 29 February falls in a common
// year, and whether a passed target counts the days since it.
#pragma once

#include "framework/PropertySheet.h"

namespace plover {

class CMyPropertyPageShow : public CPropertyPage {
public:
    CMyPropertyPageShow();

    int m_RollStar = 1;
    int m_TitleBar = 1;
    int m_MenuBar = 1;
    int m_Date = 1;
    int m_Target = 1;
    int m_SC = 1;
    int m_SCI = 1;  // 1 this month's schedule, 2 the clock, 3 the target's picture
    int m_Hour24 = 1;
    int m_GMFont = 1;  // 1 Gothic, 2 Mincho
    int m_LeapDay = 0;  // a yearly 29 February in common years: 0 on the 28th, 1 on 1 March
    int m_CountUp = 0;  // 1: a passed target counts the days since it
    int m_TrayIcon = 0;           // the days left in the notification area
    int m_TrayWhenMinimized = 0;  // minimised, only the notification area shows it

protected:
    bool OnInitDialog() override;
    bool OnKillActive() override;
    bool OnCommand(UINT id, UINT notifyCode, HWND control) override;

private:
    void ShowTrayChoice();
};

}  // namespace plover
