#include "objects/ColorButton.h"

#include <string>

namespace plover {

RECT ColorButtonCaptionRect(const RECT& item, bool pressed)
{
    if (!pressed)
        return item;
    return {item.left + 4, item.top + 4, item.right - 2, item.bottom - 2};
}

bool CColorButton::Create(HWND parent, const RECT& r, UINT id, const wchar_t* caption)
{
    m_hWnd = ::CreateWindowExW(0, L"BUTTON", caption, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, r.left,
                               r.top, r.right - r.left, r.bottom - r.top, parent,
                               reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                               ::GetModuleHandleW(nullptr), nullptr);
    return m_hWnd != nullptr;
}

void CColorButton::SetColors(int style, COLORREF face, COLORREF text, COLORREF shadow,
                             COLORREF highlight, COLORREF outline, COLORREF disabledText,
                             COLORREF focus)
{
    m_nStyle = style;
    m_crFace = face;
    m_crText = text;
    m_crShadow = shadow;
    m_crHighlight = highlight;
    m_crOutline = outline;
    m_crDisabledText = disabledText;
    m_crFocus = focus;
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CColorButton::SetFont(HFONT font)
{
    ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void CColorButton::DrawItem(const DRAWITEMSTRUCT& item) const
{
    const HDC dc = item.hDC;
    const RECT& r = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    {
        const CBrush faceBrush = MakeSolidBrush(m_crFace);
        const CPen facePen = MakePen(PS_SOLID, 1, m_crFace);
        const CSelectObject brush(dc, faceBrush.Get());
        const CSelectObject pen(dc, facePen.Get());
        ::Rectangle(dc, r.left, r.top, r.right, r.bottom);
    }
    DrawBevel(dc, r, pressed);
    DrawCaption(dc, ColorButtonCaptionRect(r, pressed), (item.itemState & ODS_DISABLED) != 0);
}

namespace {

struct Line {
    int x1, y1, x2, y2;
};

void DrawLines(HDC dc, COLORREF colour, std::initializer_list<Line> lines)
{
    const CPen pen = MakePen(PS_INSIDEFRAME, 2, colour);
    const CSelectObject select(dc, pen.Get());
    for (const Line& line : lines) {
        ::MoveToEx(dc, line.x1, line.y1, nullptr);
        ::LineTo(dc, line.x2, line.y2);
    }
}

}  // namespace

void CColorButton::DrawBevel(HDC dc, const RECT& r, bool pressed) const
{
    const int l = r.left, t = r.top, rt = r.right, b = r.bottom;
    if (!pressed) {
        DrawLines(dc, m_crHighlight,
                  {{l + 1, b - 2, l + 1, t + 1}, {l + 1, t + 1, rt - 1, t + 1}, {l, b - 1, l, t},
                   {l, t, rt, t}});
        DrawLines(dc, m_crShadow, {{l, b - 1, rt - 1, b - 1}, {rt - 1, b - 1, rt - 1, t - 1}});
        return;
    }
    DrawLines(dc, m_crHighlight, {{l, b - 1, rt - 1, b - 1}, {rt - 1, b - 1, rt - 1, t - 1}});
    DrawLines(dc, m_crShadow,
              {{l + 1, b - 1, l + 1, t}, {l + 1, t + 1, rt - 1, t + 1}, {l + 1, b, l + 1, t - 1},
               {l + 1, t, rt - 1, t}});
}

void CColorButton::DrawCaption(HDC dc, const RECT& r, bool disabled) const
{
    const int length = ::GetWindowTextLengthW(m_hWnd);
    if (length <= 0)
        return;
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(m_hWnd, text.data(), length + 1)));
    // Blanks on both sides, so a short caption does not touch the bevel.
    text = L" " + text + L" ";
    const COLORREF oldColour = ::SetTextColor(dc, disabled ? m_crDisabledText : m_crText);
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    ::TextOutW(dc, r.left + (r.right - size.cx - r.left) / 2, r.top + (r.bottom - size.cy - r.top) / 2,
               text.c_str(), static_cast<int>(text.size()));
    ::SetBkMode(dc, oldMode);
    ::SetTextColor(dc, oldColour);
}

}  // namespace plover
