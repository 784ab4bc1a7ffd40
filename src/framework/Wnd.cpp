#include "framework/Wnd.h"

namespace plover {

CWnd::~CWnd()
{
    // A window outliving its object would dispatch into freed memory.
    if (m_hWnd) {
        ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
        ::DestroyWindow(m_hWnd);
    }
}

CWnd* CWnd::FromHandle(HWND window)
{
    return window ? reinterpret_cast<CWnd*>(::GetWindowLongPtrW(window, GWLP_USERDATA)) : nullptr;
}

bool CWnd::RegisterClass(const wchar_t* className, UINT style, HCURSOR cursor, HBRUSH background,
                         HICON icon, HICON smallIcon)
{
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{sizeof existing};
    if (::GetClassInfoExW(instance, className, &existing))
        return true;
    WNDCLASSEXW wc{sizeof wc};
    wc.style = style;
    wc.lpfnWndProc = StaticWndProc;
    wc.hInstance = instance;
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.hIconSm = smallIcon;
    wc.lpszClassName = className;
    return ::RegisterClassExW(&wc) != 0;
}

bool CWnd::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                    int x, int y, int width, int height, HWND parent, HMENU menuOrId)
{
    const HWND window = ::CreateWindowExW(exStyle, className, title, style, x, y, width, height,
                                          parent, menuOrId, ::GetModuleHandleW(nullptr), this);
    return window != nullptr;
}

void CWnd::DestroyWindow()
{
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return Default(message, wParam, lParam);
}

LRESULT CWnd::Default(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CWnd::StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<CWnd*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->m_hWnd = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    CWnd* self = FromHandle(window);
    // Messages before WM_NCCREATE (WM_GETMINMAXINFO) have no object yet.
    if (!self)
        return ::DefWindowProcW(window, message, wParam, lParam);

    LRESULT result = 0;
    try {
        result = self->WindowProc(message, wParam, lParam);
    } catch (...) {
        // No exception may unwind through the system's frames.
        result = message == WM_CREATE ? -1 : ::DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->m_hWnd = nullptr;
        self->PostNcDestroy();
    }
    return result;
}

}  // namespace plover
