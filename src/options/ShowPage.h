// The display page: which parts of the main window show, what the lower panel
// holds, and the clock's form and face.
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

protected:
    bool OnInitDialog() override;
    bool OnKillActive() override;
    bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
};

}  // namespace plover
