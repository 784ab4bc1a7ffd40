#include "framework/View.h"

#include "framework/Gdi.h"

namespace plover {

const wchar_t* CView::ClassName() const
{
    // The whole layout scales with the window, so any size change repaints all of it.
    RegisterClass(kClassName, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursorW(nullptr, IDC_ARROW),
                  nullptr, nullptr);
    return kClassName;
}

bool CView::Create(HWND frame, UINT id)
{
    RECT client{};
    ::GetClientRect(frame, &client);
    return CreateEx(0, ClassName(), L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                    client.right, client.bottom, frame,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

bool CView::Create(HWND parent, const RECT& rect, UINT id)
{
    return CreateEx(0, ClassName(), L"", WS_CHILD | WS_VISIBLE, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, parent,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

LRESULT CView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        CPaintDC dc(m_hWnd);
        OnDraw(dc.Get());
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;  // the view paints its whole area itself
    default:
        return Default(message, wParam, lParam);
    }
}

}  // namespace plover
