#include "astro/ZodiacDlg.h"

#include "astro/ZodiacTable.h"
#include "framework/Dpi.h"
#include "resource.h"

namespace plover {

namespace {

// The picture's corner, from the corner of the name box's text area.
constexpr POINT kPictureOffset{4, 27};

// A control's outer rectangle in the dialog's client pixels.
RECT ItemRect(HWND dialog, HWND item)
{
    RECT rect{};
    ::GetWindowRect(item, &rect);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace

CZodiacDlg::CZodiacDlg(HWND parent, int month) : CDialog(IDD_ZODIAC, parent), m_nMonth(month) {}

bool CZodiacDlg::OnInitDialog()
{
    const ZodiacRow* sign = ZodiacForMonth(m_nMonth);
    if (!sign)
        return true;
    SetItemText(IDC_ZODIAC_NAME, sign->name);
    m_nDpi = WindowDpi(m_hWnd);
    m_Picture = LoadBitmapForDpi(sign->bitmap, ID_ASSET_SET_STEP, m_nDpi, true);
    SetItemText(IDC_ZODIAC_DESCRIPTION, sign->description);
    m_PictureSize = BitmapSize(m_Picture.Get());
    return true;
}

bool CZodiacDlg::OnCommand(UINT id, UINT notifyCode, HWND)
{
    if (id != IDC_ZODIAC_NAME && id != IDC_ZODIAC_DESCRIPTION)
        return false;
    // The boxes only show: a caret in them would invite typing that goes nowhere.
    if (notifyCode == EN_SETFOCUS)
        ::SetFocus(Item(IDOK));
    return true;
}

bool CZodiacDlg::OnMessage(UINT message, WPARAM, LPARAM, INT_PTR& result)
{
    switch (message) {
    case WM_PAINT:
        OnPaint();
        result = TRUE;
        return true;
    case WM_DESTROY:
        m_Picture.Reset();
        m_PictureSize = {};
        return false;
    default:
        return false;
    }
}

RECT CZodiacDlg::PictureRect() const
{
    POINT corner{0, 0};
    ::MapWindowPoints(Item(IDC_ZODIAC_NAME), m_hWnd, &corner, 1);
    const int left = corner.x + ScaleToDpi(kPictureOffset.x, m_nDpi);
    const int top = corner.y + ScaleToDpi(kPictureOffset.y, m_nDpi);
    return {left, top, left + m_PictureSize.cx, top + m_PictureSize.cy};
}

void CZodiacDlg::OnPaint()
{
    const CPaintDC dc(m_hWnd);
    if (!m_Picture)
        return;
    // The dialog font sets the boxes' places; with a taller font than the template
    // was laid out for, the picture would reach into the description.  It keeps to
    // the band between the two boxes.
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    const RECT name = ItemRect(m_hWnd, Item(IDC_ZODIAC_NAME));
    const RECT description = ItemRect(m_hWnd, Item(IDC_ZODIAC_DESCRIPTION));
    ::IntersectClipRect(dc.Get(), client.left, name.bottom, client.right, description.top);

    const RECT picture = PictureRect();
    DrawBitmap(dc.Get(), m_Picture.Get(), picture.left, picture.top);
}

}  // namespace plover
