// Where Plover keeps what the user makes: the schedule and the pictures chosen in
// the dialogs.  Chosen once at start: the program's own folder when Plover may write
// there (a portable copy), else the user's roaming folder WREN\Plover, since an
// installed copy's folder (Program Files) is closed to a normal user and a 64-bit
// program there gets no file virtualisation.  Sounds stay in the program's folder.
#pragma once

#include <string>

namespace plover {

// The data folder, with a trailing backslash; the program's folder until the
// application has chosen.
const std::wstring& DataFolder();
void SetDataFolder(std::wstring folder);
// Chooses the data folder as described above and makes it the one in use.
void ChooseDataFolder();
// A write the program folder refused went to the user's folder instead: from now on
// that is this copy's data folder, also once the program folder takes writes again,
// or the next start would show the older schedule left behind there.
void RememberMovedToUserFolder();

// The user's own folder for Plover (%APPDATA%\WREN\Plover\ from the known-folder
// call), with a trailing backslash; empty when the system names none.
std::wstring UserDataFolder();
// Makes sure `folder` exists, creating it and its parents; false when it cannot,
// with the system's reason in GetLastError.
bool CreateFolderPath(const std::wstring& folder);
// True when a file can be created in `folder` (the probe leaves nothing behind).
bool IsWritableFolder(const std::wstring& folder);
// Two paths spelled alike but for letter case, as the file system compares them.
bool SamePath(const std::wstring& a, const std::wstring& b);

// The schedule file to start from: the data folder's when it is there, else the
// program folder's, which then is only read.  A leftover of a write cut short must
// have been settled first (RecoverInterruptedWrite).
std::wstring ScheduleReadPath();
// Where the schedule is written.
std::wstring ScheduleWritePath();
// A picture named by an entry: in the data folder when it is there, else in the
// program's folder (pictures shipped or placed beside the program).
std::wstring PicturePath(const std::wstring& name);

}  // namespace plover
