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
    // A picture that did not load stays and draws nothing.
    PictureLoad Show(const std::wstring& path, HWND window);
    // On paint: realise in the foreground, then draw with the top-left corner at
    // (x, y), the point later redraws use too.
    void Paint(HDC dc, int x, int y);
    // The same for a picture that must stay inside `frame`: drawn from the frame's
    // top-left corner and cut at its edges, on paint and on every redraw.
    void Paint(HDC dc, const RECT& frame);
    // Another window changed the system palette, or ours is asked for: realise as a
    // background palette and redraw if colours changed.  The entries that changed.
    int OnPaletteChanged(HWND window);
    // The owner became active: realise in the foreground and redraw if colours
    // changed.  The entries that changed.
    int OnActivate(HWND window);
    // The display's DPI: above 96 the picture is drawn that much larger, as
    // everything around it is.  Show takes it from the window; the owner tells a
    // change.
    void SetDpi(int dpi) { m_nDpi = dpi; }

    // The owner closes or its picture goes away.
    void Clear();

    CDib* Get() const { return m_pPicture.get(); }
    bool IsEmpty() const { return !m_pPicture; }

private:
    void Paint(HDC dc, int x, int y, const RECT* frame);
    int RealizeAndRedraw(HWND window, bool background);
    void Draw(HDC dc);

    std::unique_ptr<CDib> m_pPicture;
    bool m_bPainted = false;  // a redraw needs the point of a paint
    int m_nX = 0;
    int m_nY = 0;
    bool m_bClipped = false;
    int m_nDpi = 96;
    RECT m_Frame{};
};

}  // namespace plover
