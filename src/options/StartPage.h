// The start-up page: whether the window starts without its bars, whether its
// place and size at exit are taken up at the next start, and whether Windows
// starts Plover when the user signs in (read from and written to Windows' own
// start-up list, not to Plover's settings).
#pragma once

#include <string>

#include "framework/PropertySheet.h"

namespace plover {

class CMyPropertyPageStart : public CPropertyPage {
public:
    CMyPropertyPageStart();

    int m_StartTitleBar = 0;
    int m_StartMenuBar = 0;
    int m_StartPosition = 0;
    int m_StartValue = 0;
    // The program the start-up entry names; the running one unless a test says.
    std::wstring m_strProgramPath;

protected:
    bool OnInitDialog() override;
    bool OnKillActive() override;
    bool OnApply() override;
    bool OnCommand(UINT id, UINT notifyCode, HWND control) override;

private:
    bool m_bStartWithWindowsShown = false;  // the box as the page opened
};

}  // namespace plover
