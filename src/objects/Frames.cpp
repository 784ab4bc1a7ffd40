#include "objects/Frames.h"

#include "framework/Gdi.h"
#include "framework/SystemLook.h"

namespace plover {

namespace {

void DrawLine(HDC dc, const FrameLine& line)
{
    ::MoveToEx(dc, line.x0, line.y0, nullptr);
    ::LineTo(dc, line.x1, line.y1);
}

}  // namespace

COLORREF ToColorRef(const RgbColour& colour)
{
    return RGB(colour.red, colour.green, colour.blue);
}

void DrawFrame(HDC dc, const FrameOutline& frame)
{
    const auto first = FrameLines(frame);
    // Width 0 draws exactly one pixel and leaves out each line's end point, so the
    // light and dark sides meet without overlapping.  High contrast has no bevels:
    // every side is a line in the text colour.
    CPen topLeft = MakePen(PS_SOLID, 0, LookColour(ToColorRef(first[0].colour), COLOR_WINDOWTEXT));
    CPen bottomRight =
        MakePen(PS_SOLID, 0, LookColour(ToColorRef(first[2].colour), COLOR_WINDOWTEXT));
    CSelectObject pen(dc, topLeft.Get());
    for (int i = 0; i < frame.thickness; ++i) {
        const Rect& r = frame.rc;
        const auto lines =
            FrameLines(FrameOutline{frame.kind, {r.left + i, r.top + i, r.right - i, r.bottom - i}});
        ::SelectObject(dc, topLeft.Get());
        DrawLine(dc, lines[0]);
        DrawLine(dc, lines[1]);
        ::SelectObject(dc, bottomRight.Get());
        DrawLine(dc, lines[2]);
        DrawLine(dc, lines[3]);
    }
}

void ClipAndFill(HDC dc, const Rect& rc, HBRUSH brush)
{
    // The DC keeps a copy of the clip region, so ours goes at once.
    const CRgn region(::CreateRectRgn(rc.left, rc.top, rc.right, rc.bottom));
    ::SelectClipRgn(dc, region.Get());
    ::FillRgn(dc, region.Get(), brush);
}

void DrawRaisedFrame(HDC dc, const Rect& rc)
{
    DrawFrame(dc, FrameOutline{FrameKind::Raised, rc});
}

void DrawSunkenFrame(HDC dc, const Rect& rc)
{
    DrawFrame(dc, FrameOutline{FrameKind::Sunken, rc});
}

}  // namespace plover
