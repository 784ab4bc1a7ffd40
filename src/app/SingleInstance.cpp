#include "app/SingleInstance.h"

#include <cstdint>
#include <cwchar>

namespace plover {

namespace {

// A name for the folder in the session's namespace: the same folder, however its
// letters are cased, gives the same name; a backslash may not appear in it.
std::wstring ObjectName(const std::wstring& folder)
{
    std::wstring upper = folder;
    if (!upper.empty())
        ::CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
    std::uint64_t hash = 1469598103934665603ull;  // FNV-1a
    for (wchar_t c : upper) {
        hash ^= static_cast<std::uint16_t>(c);
        hash *= 1099511628211ull;
    }
    wchar_t name[64] = {};
    std::swprintf(name, 64, L"Local\\WREN.Plover.%016llx", static_cast<unsigned long long>(hash));
    return name;
}

HANDLE OpenShared(const std::wstring& folder, bool& existed)
{
    const std::wstring name = ObjectName(folder);
    const HANDLE mapping = ::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                                sizeof(HWND), name.c_str());
    existed = ::GetLastError() == ERROR_ALREADY_EXISTS;
    return mapping;
}

}  // namespace

CSingleInstance::CSingleInstance(const std::wstring& dataFolder)
    : m_mapping(OpenShared(dataFolder, m_bExisted))
{
    // Without the shared object nothing can be checked: run rather than refuse.
    m_bFirst = !m_bExisted || !m_mapping;
    if (m_mapping)
        m_pShared = static_cast<HWND*>(::MapViewOfFile(m_mapping.Get(), FILE_MAP_ALL_ACCESS, 0, 0, sizeof(HWND)));
}

CSingleInstance::~CSingleInstance()
{
    if (m_pShared)
        ::UnmapViewOfFile(m_pShared);
}

void CSingleInstance::Announce(HWND mainWindow)
{
    if (m_pShared)
        ::InterlockedExchangePointer(reinterpret_cast<void* volatile*>(m_pShared), mainWindow);
}

void CSingleInstance::BringFirstToFront() const
{
    if (!m_pShared)
        return;
    // A double click too many starts the second copy while the first is still
    // reading its schedule.
    for (int waited = 0; waited < 10000; waited += 100) {
        const HWND window = static_cast<HWND>(
            ::InterlockedCompareExchangePointer(reinterpret_cast<void* volatile*>(m_pShared), nullptr, nullptr));
        if (window && ::IsWindow(window)) {
            if (::IsIconic(window))
                ::ShowWindow(window, SW_RESTORE);
            ::SetForegroundWindow(window);
            return;
        }
        ::Sleep(100);
    }
}

}  // namespace plover
