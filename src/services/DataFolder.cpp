#include "services/DataFolder.h"

#include <windows.h>

#include <shlobj.h>

#include "framework/LateBound.h"
#include "framework/Paths.h"
#include "services/Settings.h"

namespace plover {

namespace {

constexpr wchar_t kScheduleName[] = L"Plover.pvd";
// The program folder whose schedule a refused write moved to the user's folder.
constexpr wchar_t kMovedFromKey[] = L"ScheduleMovedFrom";

std::wstring& Chosen()
{
    static std::wstring folder;
    return folder;
}

bool Exists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

const std::wstring& DataFolder()
{
    if (Chosen().empty())
        Chosen() = ProgramFolder();
    return Chosen();
}

void SetDataFolder(std::wstring folder)
{
    Chosen() = std::move(folder);
}

void ChooseDataFolder()
{
    const std::wstring program = ProgramFolder();
    const std::optional<std::wstring> movedFrom = Settings().ReadString(kMovedFromKey);
    if (IsWritableFolder(program) && !(movedFrom && SamePath(*movedFrom, program))) {
        SetDataFolder(program);
        return;
    }
    const std::wstring user = UserDataFolder();
    SetDataFolder(user.empty() ? program : user);
}

void RememberMovedToUserFolder()
{
    Settings().WriteString(kMovedFromKey, ProgramFolder());
}

std::wstring UserDataFolder()
{
    // Bound late: the shell's libraries are needed only on a closed program folder,
    // and linked they would load at every start.
    static const auto known = LateBound<decltype(&::SHGetKnownFolderPath)>(
        L"shell32.dll", "SHGetKnownFolderPath");
    static const auto release =
        LateBound<decltype(&::CoTaskMemFree)>(L"ole32.dll", "CoTaskMemFree");
    if (!known || !release)
        return {};
    PWSTR path = nullptr;
    std::wstring folder;
    if (SUCCEEDED(known(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &path)) && path)
        folder = std::wstring(path) + L"\\WREN\\Plover\\";
    release(path);  // also on failure, where it may be null
    return folder;
}

bool CreateFolderPath(const std::wstring& folder)
{
    if (folder.empty())
        return false;
    const DWORD present = ::GetFileAttributesW(folder.c_str());
    if (present != INVALID_FILE_ATTRIBUTES && (present & FILE_ATTRIBUTE_DIRECTORY))
        return true;
    // Each level in turn, from the first below the drive, or the share itself on a
    // network path (\\server alone is no folder).
    std::size_t first = 3;
    if (folder.rfind(L"\\\\", 0) == 0) {
        const std::size_t server = folder.find(L'\\', 2);
        first = server == std::wstring::npos ? folder.size() : server + 1;
    }
    for (std::size_t at = folder.find(L'\\', first); at != std::wstring::npos;
         at = folder.find(L'\\', at + 1)) {
        const std::wstring level = folder.substr(0, at);
        if (!::CreateDirectoryW(level.c_str(), nullptr)) {
            const DWORD error = ::GetLastError();
            if (error != ERROR_ALREADY_EXISTS && !Exists(level)) {
                ::SetLastError(error);  // the system's reason, for the caller's message
                return false;
            }
        }
    }
    const DWORD attributes = ::GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsWritableFolder(const std::wstring& folder)
{
    // A name of this process alone, gone again when its handle closes.
    const std::wstring probe = folder + L"Plover." + std::to_wstring(::GetCurrentProcessId()) + L".probe";
    const HANDLE file = ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    ::CloseHandle(file);
    return true;
}

bool SamePath(const std::wstring& a, const std::wstring& b)
{
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                  static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

std::wstring ScheduleReadPath()
{
    const std::wstring own = DataFolder() + kScheduleName;
    if (SamePath(DataFolder(), ProgramFolder()) || Exists(own))
        return own;
    return ProgramFolder() + kScheduleName;
}

std::wstring ScheduleWritePath()
{
    return DataFolder() + kScheduleName;
}

std::wstring PicturePath(const std::wstring& name)
{
    const std::wstring own = DataFolder() + name;
    if (SamePath(DataFolder(), ProgramFolder()) || Exists(own))
        return own;
    return ProgramFolder() + name;
}

}  // namespace plover
