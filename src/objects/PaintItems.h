// Plain values that paint code draws without computing anything: colours, font
// sizes, and the one-pixel raised and sunken frame outlines of the view and the
// clock, down to the line segments and pixels each outline sets.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "framework/Geometry.h"

namespace plover {

struct RgbColour {
    int red = 0;
    int green = 0;
    int blue = 0;

    friend constexpr bool operator==(const RgbColour& a, const RgbColour& b)
    {
        return a.red == b.red && a.green == b.green && a.blue == b.blue;
    }
    friend constexpr bool operator!=(const RgbColour& a, const RgbColour& b) { return !(a == b); }
};

constexpr RgbColour kBlack{0, 0, 0};
constexpr RgbColour kWhite{255, 255, 255};
constexpr RgbColour kFrameGrey{127, 127, 127};
constexpr RgbColour kPlateGrey{192, 192, 192};
constexpr RgbColour kListCyan{223, 255, 255};  // the month list's background
constexpr RgbColour kHintGrey{96, 96, 96};     // the month list's hint on cyan

// Every text font is made from these two numbers; everything else about it is fixed.
struct FontSize {
    int height = 0;  // cell height as CreateFont takes it
    int width = 0;   // average character width
};

inline constexpr std::wstring_view kGothicFace = L"ＭＳ ゴシック";
inline constexpr std::wstring_view kMinchoFace = L"ＭＳ 明朝";
inline constexpr std::wstring_view kPGothicFace = L"ＭＳ Ｐゴシック";

enum class FrameKind { Raised, Sunken };

// One DrawRaisedFrame/DrawSunkenFrame call: its kind and its four coordinates.
struct FrameOutline {
    FrameKind kind = FrameKind::Sunken;
    Rect rc;
    // Lines of one pixel at 100 %; a thicker outline is this one and the ones
    // inside it, one pixel in each time, so nested frames stay flush at any DPI.
    int thickness = 1;
};

// A one-pixel line from (x0, y0) towards (x1, y1); the end point itself is not drawn,
// which is the platform's line rule and keeps the light and dark sides from overlapping.
struct FrameLine {
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;
    RgbColour colour;
};

// The four lines of an outline in drawing order: top and left side first, then
// right and bottom side from the lower right corner.
constexpr std::array<FrameLine, 4> FrameLines(const FrameOutline& frame)
{
    const RgbColour light = frame.kind == FrameKind::Raised ? kWhite : kFrameGrey;
    const RgbColour dark = frame.kind == FrameKind::Raised ? kFrameGrey : kWhite;
    const Rect& r = frame.rc;
    return {{
        {r.left, r.top, r.right, r.top, light},
        {r.left, r.top, r.left, r.bottom, light},
        {r.right, r.bottom, r.right, r.top, dark},
        {r.right, r.bottom, r.left, r.bottom, dark},
    }};
}

constexpr bool LineCovers(const FrameLine& line, int x, int y)
{
    if (line.y0 == line.y1 && y == line.y0)
        return line.x0 < line.x1 ? (x >= line.x0 && x < line.x1) : (x <= line.x0 && x > line.x1);
    if (line.x0 == line.x1 && x == line.x0)
        return line.y0 < line.y1 ? (y >= line.y0 && y < line.y1) : (y <= line.y0 && y > line.y1);
    return false;
}

// The colour an outline gives pixel (x, y), if it touches it at all; a later line
// wins where two would meet.
inline std::optional<RgbColour> FramePixel(const FrameOutline& frame, int x, int y)
{
    std::optional<RgbColour> colour;
    for (const FrameLine& line : FrameLines(frame)) {
        if (LineCovers(line, x, y))
            colour = line.colour;
    }
    return colour;
}

}  // namespace plover
