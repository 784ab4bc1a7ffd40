// The DPI a window is drawn for, and the program's pictures and cursors made for
// it.  The per-window functions came with Windows 10: bound at run time, so Plover
// still starts where they are missing and there takes the screen's DPI.
#pragma once

#include <windows.h>

#include "framework/DpiScale.h"
#include "framework/Gdi.h"

namespace plover {

// The window's DPI where the platform knows one per window, else the screen's.
int WindowDpi(HWND window);
// The screen's DPI (the system DPI): what a window not yet made will have.
int ScreenDpi();

// The outer size of a window whose client area is `rect`, at `dpi`.
void AdjustWindowRectForDpi(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi);

// Bitmap resource `id` for `dpi`: from the set for that DPI, scaled down to
// ScaleToDpi of its 100 % size when it lies between sets.  `smooth` averages
// pixels when scaling (pictures); without it each pixel keeps its exact colour
// (masks, and the pictures composed through them).  Null when missing.
CBitmap LoadBitmapForDpi(int id, int setStep, int dpi, bool smooth);

}  // namespace plover
