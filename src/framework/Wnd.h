// The window base of the framework: binds a C++ object to its HWND for the
// window's life and hands every message to the object's one dispatch function.
#pragma once

#include <windows.h>

namespace plover {

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // The object bound to a window of this framework, or null.
    static CWnd* FromHandle(HWND window);

    // Registers (once) a window class whose procedure dispatches to the bound object.
    // Without a small icon the platform scales `icon` down for the caption.
    static bool RegisterClass(const wchar_t* className, UINT style, HCURSOR cursor,
                              HBRUSH background, HICON icon, HICON smallIcon = nullptr);
    bool CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                  int x, int y, int width, int height, HWND parent, HMENU menuOrId);
    void DestroyWindow();

    HWND m_hWnd = nullptr;

protected:
    // The class's message table: a switch that calls typed handlers and hands
    // everything else to the base class.  Must not throw.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
    // Called after the last message; objects that delete themselves do it here.
    virtual void PostNcDestroy() {}

private:
    static LRESULT CALLBACK StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace plover
