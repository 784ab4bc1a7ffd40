#include "framework/FileIo.h"

#include <algorithm>
#include <new>

#include "framework/FileHandle.h"

namespace plover {

std::wstring TemporaryPath(const std::wstring& path)
{
    return path + L".tmp";
}

DWORD WriteFileAtomically(const std::wstring& path, const std::function<bool(const FileSink&)>& produce)
{
    const std::wstring temporary = TemporaryPath(path);
    CFileHandle file(::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen())
        return ::GetLastError();
    DWORD error = ERROR_SUCCESS;
    const FileSink sink = [&](const char* data, std::size_t size) {
        DWORD written = 0;
        if (::WriteFile(file.Get(), data, static_cast<DWORD>(size), &written, nullptr) && written == size)
            return true;
        error = ::GetLastError();
        if (error == ERROR_SUCCESS)
            error = ERROR_WRITE_FAULT;
        return false;
    };
    bool done = false;
    try {
        done = produce(sink);
    } catch (const std::bad_alloc&) {
        error = ERROR_NOT_ENOUGH_MEMORY;
    }
    if (done && !::FlushFileBuffers(file.Get()))
        error = ::GetLastError();
    if (error == ERROR_SUCCESS && !done)
        error = ERROR_WRITE_FAULT;
    if (!file.Close() && error == ERROR_SUCCESS)
        error = ::GetLastError();
    if (error == ERROR_SUCCESS &&
        !::MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = ::GetLastError();
    if (error != ERROR_SUCCESS)
        ::DeleteFileW(temporary.c_str());
    return error;
}

DWORD ReadWholeFile(const std::wstring& path, std::string& bytes, std::uint64_t limit)
{
    bytes.clear();
    const CFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                         OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    LARGE_INTEGER size{};
    if (!file.IsOpen() || !::GetFileSizeEx(file.Get(), &size))
        return ::GetLastError();
    const std::uint64_t wanted = std::min(static_cast<std::uint64_t>(size.QuadPart), limit);
    if (wanted > SIZE_MAX / 2)
        return ERROR_NOT_ENOUGH_MEMORY;
    try {
        bytes.resize(static_cast<std::size_t>(wanted));
    } catch (const std::bad_alloc&) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        const DWORD ask = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 24));
        if (!::ReadFile(file.Get(), &bytes[done], ask, &got, nullptr)) {
            const DWORD error = ::GetLastError();
            bytes.clear();
            return error;
        }
        if (got == 0)
            break;  // shorter than it said (it shrank meanwhile): what is there is read
        done += got;
    }
    bytes.resize(done);
    return ERROR_SUCCESS;
}

}  // namespace plover
