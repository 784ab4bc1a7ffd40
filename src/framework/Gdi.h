// Owners for GDI handles and device contexts.  Each handle has exactly one owner
// that releases it; owners are move-only, and they count what is alive so a test
// can show that a paint leaves nothing behind (Wine has no GetGuiResources).
#pragma once

#include <windows.h>

#include <utility>

namespace plover {

// GDI objects and device contexts currently held by owners of this file.
long LiveGdiObjects();

namespace detail {
void CountGdiCreated(const void* handle);
void CountGdiReleased(const void* handle);
}  // namespace detail

// Owns a pen, brush, font, region, bitmap or palette: DeleteObject on release.
template <class Handle>
class CGdiObject {
public:
    CGdiObject() = default;
    explicit CGdiObject(Handle handle) : m_handle(handle) { detail::CountGdiCreated(handle); }
    ~CGdiObject() { Reset(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    CGdiObject(CGdiObject&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
    CGdiObject& operator=(CGdiObject&& other) noexcept
    {
        if (this != &other) {
            Reset();
            m_handle = std::exchange(other.m_handle, nullptr);
        }
        return *this;
    }

    void Reset(Handle handle = nullptr)
    {
        // A release that failed leaves the object counted, so a leak check sees it.
        if (m_handle && ::DeleteObject(m_handle))
            detail::CountGdiReleased(m_handle);
        m_handle = handle;
        detail::CountGdiCreated(handle);
    }

    Handle Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }

private:
    Handle m_handle = nullptr;
};

using CPen = CGdiObject<HPEN>;
using CBrush = CGdiObject<HBRUSH>;
using CFont = CGdiObject<HFONT>;
using CRgn = CGdiObject<HRGN>;
using CBitmap = CGdiObject<HBITMAP>;
using CPalette = CGdiObject<HPALETTE>;

CPen MakePen(int style, int width, COLORREF colour);
CBrush MakeSolidBrush(COLORREF colour);

// Selects an object into a DC for one scope and puts the previous one back.
// Declare the object before its guard, so the selection ends before the object dies.
class CSelectObject {
public:
    CSelectObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_old(::SelectObject(dc, object)) {}
    ~CSelectObject()
    {
        if (m_old)
            ::SelectObject(m_dc, m_old);
    }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

// Selects a palette into a DC for one scope (in the foreground) and puts the
// previous one back; SelectPalette does not go through SelectObject, so
// CSelectObject cannot undo it.
class CSelectPalette {
public:
    CSelectPalette(HDC dc, HPALETTE palette)
        : m_dc(dc), m_old(::SelectPalette(dc, palette, FALSE)) {}
    ~CSelectPalette()
    {
        if (m_old)
            ::SelectPalette(m_dc, m_old, FALSE);
    }
    CSelectPalette(const CSelectPalette&) = delete;
    CSelectPalette& operator=(const CSelectPalette&) = delete;
    explicit operator bool() const { return m_old != nullptr; }

private:
    HDC m_dc;
    HPALETTE m_old;
};

// A memory DC compatible with another DC, deleted with its owner.
class CMemoryDC {
public:
    explicit CMemoryDC(HDC compatibleWith);
    ~CMemoryDC();
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;
    HDC Get() const { return m_dc; }

private:
    HDC m_dc;
};

// A window's DC for one scope (GetDC/ReleaseDC).
class CClientDC {
public:
    explicit CClientDC(HWND window);
    ~CClientDC();
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;
    HDC Get() const { return m_dc; }

private:
    HWND m_window;
    HDC m_dc;
};

// The DC of one WM_PAINT (BeginPaint/EndPaint).
class CPaintDC {
public:
    explicit CPaintDC(HWND window);
    ~CPaintDC();
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    HDC Get() const { return m_dc; }
    const RECT& PaintRect() const { return m_ps.rcPaint; }

private:
    HWND m_window;
    PAINTSTRUCT m_ps{};
    HDC m_dc;
};

// A loaded bitmap's size in pixels; zero for none.
SIZE BitmapSize(HBITMAP bitmap);
// Copies `bitmap` unchanged, at its own size, with its top-left corner at (x, y).
void DrawBitmap(HDC dc, HBITMAP bitmap, int x, int y);

}  // namespace plover
