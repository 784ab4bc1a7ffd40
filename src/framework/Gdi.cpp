#include "framework/Gdi.h"

namespace plover {

namespace {
long g_live = 0;
}  // namespace

long LiveGdiObjects()
{
    return g_live;
}

namespace detail {

void CountGdiCreated(const void* handle)
{
    if (handle)
        ++g_live;
}

void CountGdiReleased(const void* handle)
{
    if (handle)
        --g_live;
}

}  // namespace detail

CPen MakePen(int style, int width, COLORREF colour)
{
    return CPen(::CreatePen(style, width, colour));
}

CBrush MakeSolidBrush(COLORREF colour)
{
    return CBrush(::CreateSolidBrush(colour));
}

CMemoryDC::CMemoryDC(HDC compatibleWith) : m_dc(::CreateCompatibleDC(compatibleWith))
{
    detail::CountGdiCreated(m_dc);
}

CMemoryDC::~CMemoryDC()
{
    // As for the objects: a DC the system would not delete stays counted.
    if (m_dc && ::DeleteDC(m_dc))
        detail::CountGdiReleased(m_dc);
}

CClientDC::CClientDC(HWND window) : m_window(window), m_dc(::GetDC(window))
{
    detail::CountGdiCreated(m_dc);
}

CClientDC::~CClientDC()
{
    if (m_dc) {
        ::ReleaseDC(m_window, m_dc);
        detail::CountGdiReleased(m_dc);
    }
}

CPaintDC::CPaintDC(HWND window) : m_window(window), m_dc(::BeginPaint(window, &m_ps))
{
    detail::CountGdiCreated(m_dc);
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_window, &m_ps);
    detail::CountGdiReleased(m_dc);
}

SIZE BitmapSize(HBITMAP bitmap)
{
    BITMAP info{};
    if (!bitmap || !::GetObjectW(bitmap, sizeof info, &info))
        return {0, 0};
    return {info.bmWidth, info.bmHeight};
}

void DrawBitmap(HDC dc, HBITMAP bitmap, int x, int y)
{
    const SIZE size = BitmapSize(bitmap);
    const CMemoryDC memory(dc);
    const CSelectObject select(memory.Get(), bitmap);
    ::BitBlt(dc, x, y, size.cx, size.cy, memory.Get(), 0, 0, SRCCOPY);
}

}  // namespace plover
