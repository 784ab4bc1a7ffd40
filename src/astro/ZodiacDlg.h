// This month's zodiac sign: its name, its picture and how to find it.
#pragma once

#include <windows.h>

#include "framework/Dialog.h"
#include "framework/Gdi.h"

namespace plover {

class CZodiacDlg : public CDialog {
public:
    // `month` 1..12 chooses the sign; any other month shows nothing.
    CZodiacDlg(HWND parent, int month);

    int m_nMonth;

protected:
    bool OnInitDialog() override;
    bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    // Where the picture stands, in the dialog's client pixels.
    RECT PictureRect() const;
    void OnPaint();

    CBitmap m_Picture;
    SIZE m_PictureSize{};
    int m_nDpi = 96;
};

}  // namespace plover
