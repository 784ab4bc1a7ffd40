#include "framework/AtomicFile.h"

#include <new>

#include "framework/FileHandle.h"

namespace plover {

DWORD WriteFileAtomically(const std::wstring& path, const std::function<bool(const FileSink&)>& produce)
{
    const std::wstring temporary = path + L".tmp";
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

}  // namespace plover
