// A push button drawn in colours of its own: a bevelled face whose light and dark
// edges swap while it is held down, with the caption moving a pixel right and
// down, and no focus mark.  Its owner hands it WM_DRAWITEM.
#pragma once

#include <windows.h>

#include "framework/Gdi.h"

namespace plover {

// The caption rectangle of a button at `item`: the whole button, or inset while
// pressed so the centred caption sinks with the face.
RECT ColorButtonCaptionRect(const RECT& item, bool pressed);

class CColorButton {
public:
    CColorButton() = default;
    CColorButton(const CColorButton&) = delete;
    CColorButton& operator=(const CColorButton&) = delete;

    // A visible owner-drawn child of `parent` at `r` (client pixels).
    bool Create(HWND parent, const RECT& r, UINT id, const wchar_t* caption);
    void SetColors(int style, COLORREF face, COLORREF text, COLORREF shadow, COLORREF highlight,
                   COLORREF outline, COLORREF disabledText, COLORREF focus);
    void SetFont(HFONT font);
    void DrawItem(const DRAWITEMSTRUCT& item) const;

    HWND m_hWnd = nullptr;  // destroyed with its parent

    COLORREF m_crFace = RGB(192, 192, 192);
    COLORREF m_crShadow = RGB(128, 128, 128);
    COLORREF m_crHighlight = RGB(255, 255, 255);
    COLORREF m_crOutline = RGB(0, 0, 0);
    COLORREF m_crFocus = RGB(128, 128, 128);
    COLORREF m_crText = RGB(0, 0, 0);
    COLORREF m_crDisabledText = RGB(128, 128, 128);
    int m_nStyle = 0;

private:
    void DrawBevel(HDC dc, const RECT& r, bool pressed) const;
    void DrawCaption(HDC dc, const RECT& r, bool disabled) const;
};

}  // namespace plover
