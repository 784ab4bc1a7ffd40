// Loading the program's cursor by its cursor number.
#pragma once

#include "framework/Cursor.h"

namespace plover {

// The cursor of `cursorNo`, drawn for `dpi` (32 pixels at 96 dpi) and owned; the
// platform's shared arrow outside 1..12 or when the resource cannot be loaded.
CCursor LoadProgramCursor(int cursorNo, int dpi = 96);

}  // namespace plover
