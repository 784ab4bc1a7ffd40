// Owner of a Win32 file handle: closed once, by whoever holds it last.
#pragma once

#include <windows.h>

namespace plover {

class CFileHandle {
public:
    explicit CFileHandle(HANDLE handle) : m_handle(handle) {}
    ~CFileHandle()
    {
        if (IsOpen())
            ::CloseHandle(m_handle);
    }
    CFileHandle(const CFileHandle&) = delete;
    CFileHandle& operator=(const CFileHandle&) = delete;

    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE && m_handle != nullptr; }
    explicit operator bool() const { return IsOpen(); }
    HANDLE Get() const { return m_handle; }
    // Closes now, for callers that must know whether closing worked (a write's
    // last data may only fail to reach the disk here).
    bool Close()
    {
        const bool ok = ::CloseHandle(m_handle) != FALSE;
        m_handle = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE m_handle;
};

}  // namespace plover
