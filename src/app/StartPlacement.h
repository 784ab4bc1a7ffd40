// Where the main window opens: the stored or default size, the stored position or
// the centre of the screen, and the centre again when the stored place could not
// be seen on any monitor.
#pragma once

#include <vector>

#include "framework/Geometry.h"
#include "services/Settings.h"

namespace plover {

// `workAreas` are the monitors' work areas in screen coordinates.  A first start
// opens at 400 x 300 at 96 dpi, scaled for `dpi`; a stored size stays as stored.
Rect ComputeStartRect(const ISettingsStore& settings, int screenWidth, int screenHeight,
                      const std::vector<Rect>& workAreas, int dpi = 96);

// Writes the window's normal-state rectangle (screen coordinates) for the next start.
void StoreWindowRect(ISettingsStore& settings, const Rect& normalRect);

}  // namespace plover
