// The constellations culminating this month, with the moment and a description
// of the one chosen.
#pragma once

#include "astro/ConstellationTable.h"
#include "framework/Dialog.h"

namespace plover {

class CConstellationDlg : public CDialog {
public:
    // `month` 1..12 chooses the list; any other month shows an empty one.
    CConstellationDlg(HWND parent, int month);

    int m_nMonth;

protected:
    bool OnInitDialog() override;
    bool OnCommand(UINT id, UINT notifyCode, HWND control) override;

private:
    void ShowChosenRow();
};

}  // namespace plover
