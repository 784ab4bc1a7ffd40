// Plain rectangles and points for layout code that needs no window; the Win32 side
// turns them into RECT at the boundary.
#pragma once

namespace plover {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    friend constexpr bool operator==(const Rect& a, const Rect& b)
    {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
    friend constexpr bool operator!=(const Rect& a, const Rect& b) { return !(a == b); }
};

// A rectangle given by its origin and size, the way the layout rules state panels.
constexpr Rect RectFromSize(int x, int y, int width, int height)
{
    return Rect{x, y, x + width, y + height};
}

}  // namespace plover
