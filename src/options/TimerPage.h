// The timer page: the two self-timers that minimise the window and close the
// program after a number of seconds.
#pragma once

#include "framework/PropertySheet.h"

namespace plover {

class CMyPropertyPageIcon : public CPropertyPage {
public:
    CMyPropertyPageIcon();

    int m_IconFlg = 0;
    int m_IconSec = 100;
    int m_DestroyFlg = 0;
    int m_DestroySec = 100;

protected:
    bool OnInitDialog() override;
    bool OnKillActive() override;

private:
    void ShowSeconds(UINT spinId, UINT editId, int seconds);
};

}  // namespace plover
