#include "e2e/E2eSupport.h"

#include <gtest/gtest.h>

namespace plover::test {

void Pump(DWORD ms)
{
    const DWORD start = ::GetTickCount();
    do {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(20);
    } while (::GetTickCount() - start < ms);
}

void Press(HWND dialog, UINT id)
{
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, static_cast<int>(id))));
}

void Type(HWND dialog, UINT id, const std::wstring& text, bool replace)
{
    const HWND edit = ::GetDlgItem(dialog, static_cast<int>(id));
    if (replace)
        ::PostMessageW(edit, EM_SETSEL, 0, -1);
    for (wchar_t c : text)
        ::PostMessageW(edit, WM_CHAR, c, 1);
}

void PostRowChoice(HWND dialog, UINT listId, int row)
{
    const HWND list = ::GetDlgItem(dialog, static_cast<int>(listId));
    ::PostMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(listId, LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(list));
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - start >= timeoutMs)
            return false;
        Pump(30);
    }
    return true;
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, 15000, &result)) {
        ADD_FAILURE() << "message 0x" << std::hex << message << " to window " << window
                      << " was not answered within 15 s (error " << std::dec << ::GetLastError()
                      << ")";
        return 0;
    }
    return static_cast<LRESULT>(result);
}

bool HasCaption(HWND window)
{
    return (::GetWindowLongW(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
}

RECT ItemRect(HWND dialog, int id)
{
    RECT r{};
    ::GetWindowRect(::GetDlgItem(dialog, id), &r);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

COtherWindow::COtherWindow(const RECT& r)
{
    static const bool registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = L"PloverE2eOtherWindow";
        return ::RegisterClassW(&wc) != 0;
    }();
    (void)registered;
    m_hWnd = ::CreateWindowExW(0, L"PloverE2eOtherWindow", L"other",
                               WS_OVERLAPPEDWINDOW | WS_VISIBLE, r.left, r.top,
                               r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                               ::GetModuleHandleW(nullptr), nullptr);
    Pump(100);
}

SYSTEMTIME LocalDateIn(int days)
{
    SYSTEMTIME today{};
    ::GetLocalTime(&today);
    FILETIME ft{};
    ::SystemTimeToFileTime(&today, &ft);
    ULARGE_INTEGER t{};
    t.LowPart = ft.dwLowDateTime;
    t.HighPart = ft.dwHighDateTime;
    t.QuadPart += static_cast<ULONGLONG>(days) * 24 * 3600 * 10000000ULL;
    ft.dwLowDateTime = t.LowPart;
    ft.dwHighDateTime = t.HighPart;
    SYSTEMTIME later{};
    ::FileTimeToSystemTime(&ft, &later);
    return later;
}

}  // namespace plover::test
