// The start-up page: whether the window starts without its bars, and whether its
// place and size at exit are taken up at the next start.
#pragma once

#include "framework/PropertySheet.h"

namespace plover {

class CMyPropertyPageStart : public CPropertyPage {
public:
    CMyPropertyPageStart();

    int m_StartTitleBar = 0;
    int m_StartMenuBar = 0;
    int m_StartPosition = 0;
    int m_StartValue = 0;

protected:
    bool OnInitDialog() override;
    bool OnKillActive() override;
    bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
};

}  // namespace plover
