// The version box: the version and the maker over a blue-green gradient, the
// program's icon, and a button of its own colours; in high contrast all of it in
// the system's colours, on one plain plate.
#pragma once

#include <memory>

#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "objects/ColorButton.h"

namespace plover {

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(HWND parent);

    // 15 or more draws the gradient a line at a time; fewer in double lines.
    int m_nBitsPixel = 32;

protected:
    bool OnInitDialog() override;
    bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    void OnPaint();
    void DrawGradient(HDC dc, const RECT& client) const;
    // The button's colours for the present look.
    void ApplyLook();

    CFont m_Font;
    std::unique_ptr<CColorButton> m_pOkButton;
    int m_nDpi = 96;
};

// The texts of the box's two lines.
extern const wchar_t kVersionLine[];
extern const wchar_t kMakerLine[];

}  // namespace plover
