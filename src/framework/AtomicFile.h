// A file written whole or not at all: the bytes go to a temporary file beside it,
// reach the disk, and only then take the file's name in one rename, so the path
// holds either what was there before or all of the new contents.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>

namespace plover {

using FileSink = std::function<bool(const char* data, std::size_t size)>;

// `produce` writes the contents through the sink it is given and returns false when
// the sink refused a piece.  ERROR_SUCCESS, or the code of the step that failed
// (the temporary file is gone then, and the old file is as it was).
DWORD WriteFileAtomically(const std::wstring& path, const std::function<bool(const FileSink&)>& produce);

}  // namespace plover
