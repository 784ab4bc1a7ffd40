// The picture holder: a BMP file read whole and decoded by CDibImage, the logical
// palette of palette pictures, and the device bitmap the screen draws from, made
// once at load so that a paint is a single block copy.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Gdi.h"
#include "framework/LiveCount.h"
#include "objects/DibImage.h"

namespace plover {

// Copies a decoded picture's pixels to (x, y) at its own size, through the DC's
// colour mapping; for printers and for pictures drawn once.
void DrawImageBits(HDC dc, const CDibImage& image, int x, int y);
// The same, scaled to width x height by the DC's stretch mode.
void DrawImageBits(HDC dc, const CDibImage& image, int x, int y, int width, int height);

enum class PictureLoad {
    Loaded,     // a short file loads what it holds
    Failed,     // a missing or unreadable file, or a picture that is refused
    NoPalette,  // the picture's palette could not be made
};

class CDib : public CLiveCount<CDib> {
public:
    // A holder whose load did not succeed draws and realises nothing.
    PictureLoad Load(std::wstring path, HWND window);
    // The whole picture at its own size, top-left corner at (x, y).  Printers get the
    // pixels themselves; the screen gets the device bitmap.
    void Draw(HDC dc, int x, int y);
    // The same, scaled to width x height (a picture shown at a display scale above
    // 100 %, where its own pixels would look small).
    void Draw(HDC dc, int x, int y, int width, int height);
    // The device-independent copy Draw sends to printers.
    void DrawBits(HDC dc, int x, int y) const;
    // Selects the palette into `dc` (as a background palette when `background`)
    // and realises it, on an 8-bit display only; the palette stays selected for the
    // draw that follows.  The number of system palette entries that changed.
    int Realize(HDC dc, bool background);
    // Releases the pixels, the device bitmap and the palette.
    void Free();

    bool IsLoaded() const { return !m_Image.IsEmpty(); }
    int GetWidth() const { return m_Image.GetWidth(); }
    int GetHeight() const { return m_Image.GetHeight(); }
    bool HasPalette() const { return static_cast<bool>(m_hPalette); }
    bool HasDeviceBitmap() const { return static_cast<bool>(m_hBitmap); }

private:
    bool MakePalette();
    void MakeDeviceBitmap(HWND window);

    CDibImage m_Image;
    CPalette m_hPalette;
    CBitmap m_hBitmap;
};

}  // namespace plover
