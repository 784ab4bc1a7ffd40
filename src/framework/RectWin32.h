// The boundary between the layout's plain rectangles and Win32's RECT, written once.
#pragma once

#include <windows.h>

#include "framework/Geometry.h"

namespace plover {

constexpr RECT ToRECT(const Rect& r)
{
    return RECT{r.left, r.top, r.right, r.bottom};
}

constexpr Rect FromRECT(const RECT& r)
{
    return Rect{r.left, r.top, r.right, r.bottom};
}

}  // namespace plover
