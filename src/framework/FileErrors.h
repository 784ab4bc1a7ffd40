// Why a file could not be used: the causes a program's messages about files tell
// apart, and the system's error codes sorted into them.
#pragma once

#include <string>
#include <string_view>

namespace plover {

enum class FileError {
    None,
    Generic,
    FileNotFound,
    BadPath,
    TooManyOpenFiles,
    AccessDenied,
    InvalidFile,
    RemoveCurrentDir,
    DirectoryFull,
    BadSeek,
    HardIO,
    SharingViolation,
    LockViolation,
    DiskFull,
    EndOfFile,
};

// The cause of a system error code (a DWORD) as the file messages word it.
FileError FileErrorFromWin32(unsigned long code);

// Replaces every %1 in `pattern` by `value`.
std::wstring FormatMessageText(std::wstring_view pattern, std::wstring_view value);

}  // namespace plover
