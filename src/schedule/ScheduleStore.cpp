#include "schedule/ScheduleStore.h"

#include <new>
#include <vector>

#include "framework/FileHandle.h"
#include "framework/Help.h"
#include "framework/LittleEndian.h"

namespace plover {

namespace {

// A read-only view of a whole file, unmapped with its owner.
class CFileView {
public:
    CFileView(HANDLE file, std::uint64_t size)
    {
        const HANDLE mapping = ::CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
        if (!mapping)
            return;
        m_data = static_cast<const std::uint8_t*>(
            ::MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, static_cast<SIZE_T>(size)));
        ::CloseHandle(mapping);  // the view keeps the mapping alive
    }
    ~CFileView()
    {
        if (m_data)
            ::UnmapViewOfFile(m_data);
    }
    CFileView(const CFileView&) = delete;
    CFileView& operator=(const CFileView&) = delete;
    const std::uint8_t* Data() const { return m_data; }

private:
    const std::uint8_t* m_data = nullptr;
};

bool FileExists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsCompleteScheduleImage(const std::wstring& path)
{
    CFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file.IsOpen() || !::GetFileSizeEx(file.Get(), &size) || size.QuadPart < 8)
        return false;
    std::uint8_t head[4] = {};
    DWORD got = 0;
    if (!::ReadFile(file.Get(), head, sizeof head, &got, nullptr) || got != sizeof head)
        return false;
    const auto count = static_cast<std::int32_t>(ReadLe32(head));
    // A finished write is exactly as long as its count says, with or without the
    // trailer of repeat rules.
    const auto records = ScheduleFileSize(static_cast<std::uint64_t>(count));
    const auto bytes = static_cast<std::uint64_t>(size.QuadPart);
    return count >= 0 &&
           (bytes == records || bytes == records + ScheduleTrailerSize(static_cast<std::uint64_t>(count)));
}

}  // namespace

FileError FileErrorFromWin32(DWORD code)
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

std::wstring ScheduleFilePath(const std::wstring& executablePath)
{
    return FolderOf(executablePath) + L"Plover.pvd";
}

std::wstring TemporaryPath(const std::wstring& path)
{
    return path + L".tmp";
}

std::wstring BackupPath(const std::wstring& path)
{
    return path + L".bak";
}

void RecoverInterruptedWrite(const std::wstring& path)
{
    const std::wstring temporary = TemporaryPath(path);
    if (!FileExists(temporary))
        return;
    if (!FileExists(path) && IsCompleteScheduleImage(temporary) &&
        ::MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH))
        return;
    ::DeleteFileW(temporary.c_str());
}

ScheduleLoad LoadScheduleFile(const std::wstring& path, ScheduleHeader& header, CScheduleList& list)
{
    ScheduleLoad load;
    // Others may read the file meanwhile, nobody may write it.
    CFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen()) {
        load.outcome = ScheduleLoad::OpenFailed;
        load.error = FileErrorFromWin32(::GetLastError());
        return load;
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size)) {
        load.outcome = ScheduleLoad::ReadFailed;
        return load;
    }
    const auto bytes = static_cast<std::uint64_t>(size.QuadPart);
    if (bytes == 0)
        return load;  // nothing to map, nothing to read
    // The file is read through a mapping: no second copy of a large schedule.
    // Nobody can shorten it meanwhile, since it is open without write sharing.
    const CFileView view(file.Get(), bytes);
    if (bytes > SIZE_MAX / 2 || !view.Data()) {
        load.outcome = ScheduleLoad::ReadFailed;
        return load;
    }
    try {
        if (ReadSchedule(view.Data(), static_cast<std::size_t>(bytes), header, list) ==
            ScheduleReadResult::EndOfFile)
            load.outcome = ScheduleLoad::EndedEarly;
    } catch (const std::bad_alloc&) {
        load.outcome = ScheduleLoad::ReadFailed;
    }
    return load;
}

ScheduleSave SaveScheduleFile(const std::wstring& path, std::int32_t target,
                              const CScheduleList& list, bool keepBackup)
{
    ScheduleSave save;
    const auto fail = [&save](DWORD code) {
        save.outcome = ScheduleSave::FileFailed;
        save.error = FileErrorFromWin32(code);
        save.code = code;
        return save;
    };
    if (keepBackup && FileExists(path) &&
        !::CopyFileW(path.c_str(), BackupPath(path).c_str(), FALSE))
        return fail(::GetLastError());

    const std::wstring temporary = TemporaryPath(path);
    CFileHandle file(::CreateFileW(temporary.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                   CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen())
        return fail(::GetLastError());
    const auto writeFile = [&file](const std::uint8_t* data, std::size_t size) {
        DWORD written = 0;
        return ::WriteFile(file.Get(), data, static_cast<DWORD>(size), &written, nullptr) &&
               written == size;
    };
    bool written = false;
    try {
        written = WriteSchedule(target, list, writeFile);
    } catch (const std::bad_alloc&) {
        file.Close();
        ::DeleteFileW(temporary.c_str());
        save.outcome = ScheduleSave::OtherFailed;
        return save;
    }
    if (!written || !::FlushFileBuffers(file.Get())) {
        const DWORD code = ::GetLastError();
        file.Close();
        ::DeleteFileW(temporary.c_str());
        return fail(code);
    }
    if (!file.Close()) {
        const DWORD code = ::GetLastError();
        ::DeleteFileW(temporary.c_str());
        return fail(code);
    }
    // One rename: at every moment the schedule file is the old one or the new one.
    if (!::MoveFileExW(temporary.c_str(), path.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD code = ::GetLastError();
        ::DeleteFileW(temporary.c_str());
        return fail(code);
    }
    return save;
}

}  // namespace plover
