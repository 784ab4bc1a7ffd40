// The one-pixel raised and sunken outlines that frame the view's panels and the
// clock, white and grey lines drawn with pens made for the call (in high contrast
// lines of the system's text colour); and the clipped
// plate fill the child objects start each paint with.
#pragma once

#include <windows.h>

#include "framework/Geometry.h"
#include "objects/PaintItems.h"

namespace plover {

// White top and left sides, grey right and bottom sides.
void DrawRaisedFrame(HDC dc, const Rect& rc);
// Grey top and left sides, white right and bottom sides.
void DrawSunkenFrame(HDC dc, const Rect& rc);
void DrawFrame(HDC dc, const FrameOutline& frame);

COLORREF ToColorRef(const RgbColour& colour);

// Clips `dc` to `rc` and fills it with `brush`; the clip stays for the rest of the paint.
void ClipAndFill(HDC dc, const Rect& rc, HBRUSH brush);

}  // namespace plover
