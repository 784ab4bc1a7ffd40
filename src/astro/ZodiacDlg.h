// This month's zodiac sign: its name, its picture and how to find it.
#pragma once

#include "framework/Dialog.h"

namespace plover {

class CZodiacDlg : public CDialog {
public:
    // `month` 1..12 chooses the sign; any other month shows nothing.
    CZodiacDlg(HWND parent, int month);

    int m_nMonth;
};

}  // namespace plover
