// A 32-bit top-down bitmap in a memory DC for paint tests: paint into Dc(), read
// the pixels back.  Its own DC and bitmap go through the framework's owners, so
// they count among LiveGdiObjects() while it lives.
#pragma once

#include <windows.h>

#include "framework/Gdi.h"
#include "objects/PaintItems.h"

namespace plover::test {

class CPaintCanvas {
public:
    CPaintCanvas(int width, int height, RgbColour fill = {})
        : m_nWidth(width),
          m_nHeight(height),
          m_dc(nullptr),
          m_bitmap(MakeBitmap(width, height, &m_pBits)),
          m_select(m_dc.Get(), m_bitmap.Get())
    {
        Fill(fill);
    }

    HDC Dc() const { return m_dc.Get(); }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }

    void Fill(RgbColour colour)
    {
        ::GdiFlush();
        for (int i = 0; i < m_nWidth * m_nHeight; ++i)
            m_pBits[i] = RGB(colour.blue, colour.green, colour.red);
    }

    // What the screen shows from (left, top), as the user sees it: another
    // process's window cannot be read through its own DC under Wine.
    void CopyFromScreen(int left, int top)
    {
        const HDC screen = ::GetDC(nullptr);
        ::BitBlt(Dc(), 0, 0, m_nWidth, m_nHeight, screen, left, top, SRCCOPY);
        ::ReleaseDC(nullptr, screen);
    }

    // Pixels that differ from those of a canvas of the same size.
    int Difference(const CPaintCanvas& other) const
    {
        ::GdiFlush();
        int differing = 0;
        for (int i = 0; i < m_nWidth * m_nHeight; ++i)
            differing += (m_pBits[i] & 0xFFFFFF) != (other.m_pBits[i] & 0xFFFFFF);
        return differing;
    }

    RgbColour Pixel(int x, int y) const
    {
        ::GdiFlush();
        const DWORD p = m_pBits[y * m_nWidth + x];
        return {static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF),
                static_cast<int>(p & 0xFF)};
    }

private:
    static HBITMAP MakeBitmap(int width, int height, DWORD** bits)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* pixels = nullptr;
        const HBITMAP bitmap =
            ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
        *bits = static_cast<DWORD*>(pixels);
        return bitmap;
    }

    int m_nWidth;
    int m_nHeight;
    DWORD* m_pBits = nullptr;
    CMemoryDC m_dc;
    CBitmap m_bitmap;
    CSelectObject m_select;
};

}  // namespace plover::test
