#include <windows.h>

#include "framework/FileErrors.h"

namespace plover {

FileError FileErrorFromWin32(unsigned long code)
{
    switch (code) {
    case ERROR_SUCCESS: return FileError::None;
    case ERROR_FILE_NOT_FOUND: return FileError::FileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
        return FileError::BadPath;
    case ERROR_TOO_MANY_OPEN_FILES: return FileError::TooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
        return FileError::AccessDenied;
    case ERROR_INVALID_HANDLE: return FileError::InvalidFile;
    case ERROR_CURRENT_DIRECTORY: return FileError::RemoveCurrentDir;
    case ERROR_CANNOT_MAKE: return FileError::DirectoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK:
        return FileError::BadSeek;
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT:
    case ERROR_CRC:
    case ERROR_GEN_FAILURE:
        return FileError::HardIO;
    case ERROR_SHARING_VIOLATION: return FileError::SharingViolation;
    case ERROR_LOCK_VIOLATION: return FileError::LockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return FileError::DiskFull;
    case ERROR_HANDLE_EOF: return FileError::EndOfFile;
    default: return FileError::Generic;
    }
}

}  // namespace plover
