#include "schedule/ScheduleStore.h"

#include <new>
#include <vector>

#include "framework/FileHandle.h"
#include "framework/LittleEndian.h"
#include "framework/Paths.h"

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

std::wstring ScheduleFilePath(const std::wstring& executablePath)
{
    return FolderOf(executablePath) + L"Plover.pvd";
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

    // No memory for a piece of the image is no fault of the file.
    bool outOfMemory = false;
    const DWORD code = WriteFileAtomically(path, [&](const FileSink& sink) {
        try {
            return WriteSchedule(target, list, [&sink](const std::uint8_t* data, std::size_t size) {
                return sink(reinterpret_cast<const char*>(data), size);
            });
        } catch (const std::bad_alloc&) {
            outOfMemory = true;
            return false;
        }
    });
    if (outOfMemory)
        save.outcome = ScheduleSave::OtherFailed;
    else if (code != ERROR_SUCCESS)
        return fail(code);
    return save;
}

}  // namespace plover
