// Where Plover keeps what the user makes: the schedule and the pictures chosen in
// the dialogs.  Chosen once at start by the application; everything else asks here.
#pragma once

#include <string>

namespace plover {

// The data folder, with a trailing backslash; the program's folder until the
// application has chosen.
const std::wstring& DataFolder();
void SetDataFolder(std::wstring folder);

}  // namespace plover
