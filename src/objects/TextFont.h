// The one way Plover makes a font to draw text in: a Japanese face with the
// Shift-JIS character set at a given cell height and average width, everything
// else fixed, so a text looks the same on a system of any language.
#pragma once

#include <windows.h>

#include <string_view>

#include "framework/Gdi.h"
#include "objects/PaintItems.h"

namespace plover {

CFont MakeTextFont(const FontSize& size, std::wstring_view face = kGothicFace);

}  // namespace plover
