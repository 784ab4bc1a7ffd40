// Files read and written whole.  A write goes to a temporary file beside the
// target, reaches the disk, and only then takes the target's name in one rename,
// so the path holds either what was there before or all of the new contents.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace plover {

using FileSink = std::function<bool(const char* data, std::size_t size)>;

// Where a write to `path` is put together before it takes the name; a killed
// write leaves its bytes there.
std::wstring TemporaryPath(const std::wstring& path);

// `produce` writes the contents through the sink it is given and returns false when
// the sink refused a piece.  ERROR_SUCCESS, or the code of the step that failed
// (the temporary file is gone then, and the old file is as it was).
DWORD WriteFileAtomically(const std::wstring& path, const std::function<bool(const FileSink&)>& produce);

// The file's bytes, at most `limit` of them; a file that ends before its size said
// gives what it holds.  ERROR_SUCCESS, or why it could not be read
// (ERROR_NOT_ENOUGH_MEMORY when there is no room for it).
DWORD ReadWholeFile(const std::wstring& path, std::string& bytes,
                    std::uint64_t limit = UINT64_MAX);

}  // namespace plover
