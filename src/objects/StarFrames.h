// The rotating star's ten frame pictures side by side, frame 1 leftmost, held
// selected in a memory DC for their owner's life: selecting a bitmap costs many
// times the copy itself, and a star paints a hundred times a second.  Both stars
// draw from one set.
#pragma once

#include <windows.h>

#include <optional>

#include "framework/Gdi.h"

namespace plover {

class CStarFrames {
public:
    // Read from this program's bitmap resources, straight from the module's copy: a
    // device bitmap made for each frame would cost more than the whole strip.  A
    // frame that is missing shows the plate.  Drawn for `dpi`: from the set of
    // that DPI, scaled down between sets; and for the look of the moment: in high
    // contrast as silhouettes in the system's colours.
    explicit CStarFrames(int dpi = 96);

    int Dpi() const { return m_nDpi; }

    // Null when not even the strip could be made.
    HDC Dc() const { return m_Dc ? m_Dc->Get() : nullptr; }
    // Frame 1's size, the cell every frame has in the strip.
    int FrameWidth() const { return m_nWidth; }
    int FrameHeight() const { return m_nHeight; }

private:
    CBitmap m_Strip;
    std::optional<CMemoryDC> m_Dc;
    std::optional<CSelectObject> m_Selection;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nDpi = 96;
};

}  // namespace plover
