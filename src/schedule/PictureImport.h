// Pictures chosen for an entry from elsewhere.  An entry keeps only the picture's
// bare name and the window looks it up in the data folder, then in the program's,
// so such a picture is copied into the data folder when the entry that names it is
// kept: what the dialog previewed is then what the window shows.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace plover {

// The open-file dialog for a BMP picture, starting in the data folder.  The
// chosen file's full path, or none when the user cancelled or the name cannot be
// stored in an entry (the user has been told why).
std::optional<std::wstring> ChoosePictureFile(HWND owner);
// While set, ChoosePictureFile asks this instead of the user.
void SetChoosePictureHook(std::function<std::optional<std::wstring>()> hook);

// The file name without its folder.
std::wstring BareFileName(const std::wstring& path);
// True when looking the bare name of `path` up finds `path` itself.
bool IsWhereLookedUp(const std::wstring& path);

// Makes the data folder hold `source` under its own name: nothing to do when
// it is already there or an identical file is; a different file of that name is
// replaced only when the user agrees.  False when the folder does not hold the
// picture afterwards (refused, or the copy failed and the user was told), so the
// entry should keep its old picture.
bool ImportPicture(HWND owner, const std::wstring& source);

}  // namespace plover
