// Loading and releasing the program's cursor by its cursor number.
#pragma once

#include <windows.h>

namespace plover {

// A cursor the caller owns, drawn for `dpi` (32 pixels at 96 dpi); the standard
// arrow (not owned) outside 1..12 or when the resource cannot be loaded.
HCURSOR LoadProgramCursor(int cursorNo, int dpi = 96);
// Destroys a cursor from LoadProgramCursor; the shared arrow is left alone.
void DestroyProgramCursor(HCURSOR cursor);
// Cursors loaded here and not yet destroyed.
long LiveProgramCursors();

}  // namespace plover
