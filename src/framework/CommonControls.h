// The common controls (the list view, up-down buttons, property sheets) come in when
// a window first needs one, not at every start: on some systems the library's own
// start-up takes longer than showing the main window, which may need none of them.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace plover {

struct CommonControlsApi {
    decltype(&::PropertySheetW) propertySheet = nullptr;
    decltype(&::SetWindowSubclass) setWindowSubclass = nullptr;
    decltype(&::RemoveWindowSubclass) removeWindowSubclass = nullptr;
    decltype(&::DefSubclassProc) defSubclassProc = nullptr;
};

// Loads the library once, with the classes of the list view, the up-down button and
// the rest of the Windows 95 set registered; null when it cannot be loaded.  Call it
// before making a window or dialog that holds one of those controls.
const CommonControlsApi* CommonControls();

}  // namespace plover
