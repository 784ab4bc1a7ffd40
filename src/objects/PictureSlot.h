// One owner's picture and the order every owner shows it in: a new holder for each
// picture, the palette realised before every draw, and a redraw when a palette
// change altered the colours.  The view and the schedule dialogs each keep one.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "objects/Dib.h"

namespace plover {

class CPictureSlot {
public:
    CPictureSlot() = default;
    ~CPictureSlot() { Clear(); }
    CPictureSlot(const CPictureSlot&) = delete;
    CPictureSlot& operator=(const CPictureSlot&) = delete;

    // Replaces the picture with the file at `path`, made for `window`'s display.
    // Returns CDib::Load's result; a picture that failed stays and draws nothing.
    int Show(const std::wstring& path, HWND window);
    // On paint: realise in the foreground, then draw with the top-left corner at
    // (x, y), the point later redraws use too.
    void Paint(HDC dc, int x, int y);
    // Another window changed the system palette, or ours is asked for: realise as a
    // background palette and redraw if colours changed.  The entries that changed.
    int OnPaletteChanged(HWND window);
    // The owner became active: realise in the foreground and redraw if colours
    // changed.  The entries that changed.
    int OnActivate(HWND window);
    // The owner closes or its picture goes away.
    void Clear();

    CDib* Get() const { return m_pPicture.get(); }
    bool IsEmpty() const { return !m_pPicture; }

private:
    int RealizeAndRedraw(HWND window, int background);

    std::unique_ptr<CDib> m_pPicture;
    bool m_bPainted = false;  // a redraw needs the point of a paint
    int m_nX = 0;
    int m_nY = 0;
};

}  // namespace plover
