#include "options/CursorPage.h"

#include "framework/Dpi.h"
#include "resource.h"
#include "services/CursorTable.h"

namespace plover {

namespace {

// Where the preview stands on the page, in the page's client pixels.
constexpr POINT kPreviewAt{85, 57};

}  // namespace

CMyPropertyPageCursor::CMyPropertyPageCursor() : CPropertyPage(IDD_OPTIONS_CURSOR) {}

bool CMyPropertyPageCursor::OnInitDialog()
{
    m_nDpi = WindowDpi(m_hWnd);
    m_Previews.clear();
    for (const CursorRow& row : kCursorTable)
        m_Previews.push_back(LoadBitmapForDpi(row.previewBitmap, ID_ASSET_SET_STEP, m_nDpi, true));
    // Every preview has the size of the comet's colour one.
    m_PreviewSize = BitmapSize(m_Previews[1].Get());

    const HWND list = Item(IDC_CURSOR_LIST);
    for (const CursorRow& row : kCursorTable)
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.listText));
    SetListSelection(IDC_CURSOR_LIST, m_CursorNo >= 1 && m_CursorNo <= kCursorCount ? m_CursorNo - 1 : -1);
    return true;
}

bool CMyPropertyPageCursor::OnKillActive()
{
    m_CursorNo = GetListSelection(IDC_CURSOR_LIST) + 1;
    return true;
}

bool CMyPropertyPageCursor::OnCommand(UINT id, UINT notifyCode, HWND)
{
    if (id != IDC_CURSOR_LIST || notifyCode != LBN_SELCHANGE)
        return false;
    const RECT preview = PreviewRect();
    ::InvalidateRect(m_hWnd, &preview, TRUE);
    return true;
}

bool CMyPropertyPageCursor::OnMessage(UINT message, WPARAM, LPARAM, INT_PTR& result)
{
    switch (message) {
    case WM_PAINT:
        OnPaint();
        result = TRUE;
        return true;
    case WM_DESTROY:
        m_Previews.clear();
        return false;
    default:
        return false;
    }
}

POINT CMyPropertyPageCursor::PreviewAt() const
{
    return {ScaleToDpi(kPreviewAt.x, m_nDpi), ScaleToDpi(kPreviewAt.y, m_nDpi)};
}

RECT CMyPropertyPageCursor::PreviewRect() const
{
    const POINT at = PreviewAt();
    return {at.x, at.y, at.x + m_PreviewSize.cx, at.y + m_PreviewSize.cy};
}

void CMyPropertyPageCursor::OnPaint()
{
    const CPaintDC dc(m_hWnd);
    const int row = GetListSelection(IDC_CURSOR_LIST);
    // With no row chosen the area stays as the page's background left it.
    if (row < 0 || static_cast<std::size_t>(row) >= m_Previews.size() || !m_Previews[row])
        return;
    const POINT at = PreviewAt();
    DrawBitmap(dc.Get(), m_Previews[row].Get(), at.x, at.y);
}

}  // namespace plover
