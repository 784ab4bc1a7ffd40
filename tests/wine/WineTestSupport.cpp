#include "WineTestSupport.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>

#include "framework/SystemLook.h"
#include "framework/TextConv.h"

namespace plover::test {

void RemoveTree(const std::wstring& path)
{
    WIN32_FIND_DATAW found;
    const HANDLE search = ::FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring child = path + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                ::DeleteFileW(child.c_str());
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    ::RemoveDirectoryW(path.c_str());
}

CScratchDir::CScratchDir()
{
    static int serial = 0;
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    m_path = std::wstring(temp) + L"plover-test-" + std::to_wstring(::GetCurrentProcessId()) +
             L"-" + std::to_wstring(++serial);
    RemoveTree(m_path);
    ::CreateDirectoryW(m_path.c_str(), nullptr);
}

CScratchDir::~CScratchDir()
{
    RemoveTree(m_path);
}

std::vector<std::uint8_t> ReadBytes(const std::wstring& path)
{
    std::vector<std::uint8_t> bytes;
    FILE* file = _wfopen(path.c_str(), L"rb");
    if (!file)
        return bytes;
    std::uint8_t buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + got);
    std::fclose(file);
    return bytes;
}

void WriteBytes(const std::wstring& path, const std::vector<std::uint8_t>& bytes)
{
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (!file)
        return;
    if (!bytes.empty())
        std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

bool Exists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void WriteBmp(const std::wstring& path, int width, int height, COLORREF colour)
{
    const int row = (width * 3 + 3) & ~3;
    std::vector<std::uint8_t> bytes(54 + static_cast<std::size_t>(row) * height, 0);
    const auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, static_cast<std::uint32_t>(bytes.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    bytes[26] = 1;
    bytes[28] = 24;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::size_t at = 54 + static_cast<std::size_t>(y) * row + x * 3;
            bytes[at] = GetBValue(colour);
            bytes[at + 1] = GetGValue(colour);
            bytes[at + 2] = GetRValue(colour);
        }
    WriteBytes(path, bytes);
}

std::unique_ptr<CPloverFile> MakeEntry(const std::wstring& name, int year, int month, int day,
                                       int hour, int minute)
{
    auto entry = std::make_unique<CPloverFile>();
    entry->m_wYear = static_cast<std::uint16_t>(year);
    entry->m_wMonth = static_cast<std::uint16_t>(month);
    entry->m_wDay = static_cast<std::uint16_t>(day);
    entry->m_wHour = static_cast<std::uint16_t>(hour);
    entry->m_wMinute = static_cast<std::uint16_t>(minute);
    CPloverFile::SetText(entry->m_szName, sizeof entry->m_szName, WideToSjis(name));
    CPloverFile::SetText(entry->m_szDescription, sizeof entry->m_szDescription, "");
    CPloverFile::SetText(entry->m_szBmpFile, sizeof entry->m_szBmpFile, "");
    return entry;
}

CScheduleList MakeSchedule(int count, int seed)
{
    CScheduleList list;
    for (int i = 0; i < count; ++i) {
        auto entry = MakeEntry(L"予定" + std::to_wstring(seed) + L"-" + std::to_wstring(i),
                               2000 + seed, 1 + i % 12, 1 + i % 28);
        entry->m_wReserved = static_cast<std::uint16_t>(seed * 7 + i);
        list.push_back(std::move(entry));
    }
    return list;
}

bool StartProcess(std::wstring command, const wchar_t* dir, PROCESS_INFORMATION& process,
                  std::string& reason)
{
    for (int attempt = 1;; ++attempt) {
        STARTUPINFOW startup{sizeof startup};
        process = PROCESS_INFORMATION{};
        if (::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, dir,
                             &startup, &process))
            return true;
        const DWORD error = ::GetLastError();
        const bool lasting = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
                             error == ERROR_ACCESS_DENIED || error == ERROR_BAD_EXE_FORMAT ||
                             error == ERROR_DIRECTORY;
        if (lasting || attempt == 5) {
            wchar_t* words = nullptr;
            ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, error, 0, reinterpret_cast<wchar_t*>(&words), 0, nullptr);
            char text[512] = {};
            if (words)
                ::WideCharToMultiByte(CP_UTF8, 0, words, -1, text, sizeof text - 1, nullptr, nullptr);
            ::LocalFree(words);
            std::string said = text;
            while (!said.empty() && (said.back() == '\n' || said.back() == '\r'))
                said.pop_back();
            reason = "CreateProcess failed " + std::to_string(attempt) + " time(s), error " +
                     std::to_string(error) + (said.empty() ? "" : ": " + said);
            return false;
        }
        ::Sleep(200 * attempt);
    }
}

CScheduleList WriteLoopSchedule(int which)
{
    return MakeSchedule(which == 1 ? 30000 : 20000, which);
}

std::wstring WinePath(const std::string& path)
{
    std::wstring wide(path.begin(), path.end());
    if (wide.empty() || wide[0] != L'/')
        return wide;
    for (auto& c : wide)
        if (c == L'/')
            c = L'\\';
    return L"Z:" + wide;
}

const char* ThisBuild()
{
    return sizeof(void*) == 8 ? "64-bit (x86-64)" : "32-bit (i686)";
}

namespace {

// Little-endian numbers of a file image; 0 past its end.
std::uint32_t Le(const std::vector<std::uint8_t>& bytes, std::size_t at, int size)
{
    if (at > bytes.size() || bytes.size() - at < static_cast<std::size_t>(size))
        return 0;
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | bytes[at + static_cast<std::size_t>(i)];
    return value;
}

// Where a PE program's NT headers ("PE\0\0") start; the image's size when it is none.
std::size_t NtHeaders(const std::vector<std::uint8_t>& bytes)
{
    if (Le(bytes, 0, 2) != IMAGE_DOS_SIGNATURE)
        return bytes.size();
    const std::size_t nt = Le(bytes, 0x3C, 4);
    return Le(bytes, nt, 4) == IMAGE_NT_SIGNATURE ? nt : bytes.size();
}

}  // namespace

const char* ProgramBuild(const std::wstring& exePath)
{
    const auto bytes = ReadBytes(exePath);
    const std::size_t nt = NtHeaders(bytes);
    if (nt == bytes.size())
        return "unknown";
    switch (Le(bytes, nt + 4, 2)) {
    case IMAGE_FILE_MACHINE_I386: return "32-bit (i686)";
    case IMAGE_FILE_MACHINE_AMD64: return "64-bit (x86-64)";
    default: return "unknown";
    }
}

std::string ProgramResource(const std::wstring& exePath, WORD type, WORD id)
{
    const auto file = ReadBytes(exePath);
    const std::size_t nt = NtHeaders(file);
    if (nt == file.size())
        return "";
    const auto read16 = [&](std::size_t at) { return Le(file, at, 2); };
    const auto read32 = [&](std::size_t at) { return Le(file, at, 4); };
    const std::size_t fileHeader = nt + 4, optional = fileHeader + sizeof(IMAGE_FILE_HEADER);
    const std::size_t directories =
        optional + (read16(optional) == IMAGE_NT_OPTIONAL_HDR64_MAGIC
                        ? offsetof(IMAGE_OPTIONAL_HEADER64, DataDirectory)
                        : offsetof(IMAGE_OPTIONAL_HEADER32, DataDirectory));
    const DWORD resourceRva =
        read32(directories + IMAGE_DIRECTORY_ENTRY_RESOURCE * sizeof(IMAGE_DATA_DIRECTORY));
    const std::size_t sections =
        optional + read16(fileHeader + offsetof(IMAGE_FILE_HEADER, SizeOfOptionalHeader));
    const std::size_t sectionCount = read16(fileHeader + offsetof(IMAGE_FILE_HEADER, NumberOfSections));
    const auto fileOffset = [&](DWORD rva) -> std::size_t {
        for (std::size_t i = 0; i < sectionCount; ++i) {
            const std::size_t h = sections + i * sizeof(IMAGE_SECTION_HEADER);
            const DWORD start = read32(h + offsetof(IMAGE_SECTION_HEADER, VirtualAddress));
            const DWORD length = read32(h + offsetof(IMAGE_SECTION_HEADER, SizeOfRawData));
            if (rva >= start && rva - start < length)
                return read32(h + offsetof(IMAGE_SECTION_HEADER, PointerToRawData)) + (rva - start);
        }
        return file.size();
    };
    const std::size_t root = fileOffset(resourceRva);
    // One level of the directory: the entry for `wanted`, or the first for 0.
    const auto child = [&](std::size_t directory, WORD wanted) -> std::size_t {
        const std::size_t named = read16(directory + offsetof(IMAGE_RESOURCE_DIRECTORY, NumberOfNamedEntries));
        const std::size_t ids = read16(directory + offsetof(IMAGE_RESOURCE_DIRECTORY, NumberOfIdEntries));
        for (std::size_t i = 0; i < named + ids; ++i) {
            const std::size_t entry = directory + sizeof(IMAGE_RESOURCE_DIRECTORY) + i * 8;
            const DWORD name = read32(entry);
            if (wanted == 0 || (!(name & 0x80000000u) && name == wanted))
                return root + (read32(entry + 4) & 0x7FFFFFFFu);
        }
        return file.size();
    };
    const std::size_t data = child(child(child(root, type), id), 0);
    const std::size_t bytes = fileOffset(read32(data)), size = read32(data + 4);
    if (root >= file.size() || bytes > file.size() || file.size() - bytes < size)
        return "";
    return std::string(reinterpret_cast<const char*>(file.data() + bytes), size);
}

void PumpWaiting()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void Click(HWND dialog, UINT id)
{
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, static_cast<int>(id))));
}

void ChooseRow(HWND dialog, UINT listId, int row)
{
    const HWND list = ::GetDlgItem(dialog, static_cast<int>(listId));
    ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(listId, LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(list));
}

std::wstring Text(HWND dialog, UINT id)
{
    const HWND control = ::GetDlgItem(dialog, static_cast<int>(id));
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring TitleOf(HWND window)
{
    wchar_t title[256] = {};
    ::GetWindowTextW(window, title, 256);
    return title;
}

std::wstring ListRow(HWND dialog, UINT listId, int row)
{
    const HWND list = ::GetDlgItem(dialog, static_cast<int>(listId));
    const auto length = ::SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
    if (length < 0)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

namespace {

constexpr int kLookElements[4] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_HIGHLIGHT, COLOR_GRAYTEXT};

bool Between(COLORREF p, COLORREF a, COLORREF b)
{
    for (int shift : {0, 8, 16}) {
        const int pc = (p >> shift) & 0xFF, ac = (a >> shift) & 0xFF, bc = (b >> shift) & 0xFF;
        if (pc < std::min(ac, bc) || pc > std::max(ac, bc))
            return false;
    }
    return true;
}

}  // namespace

CForcedHighContrast::CForcedHighContrast()
{
    const COLORREF colours[4] = {kWindow, kWindowText, kHighlight, kGrayText};
    for (int i = 0; i < 4; ++i)
        m_saved[i] = ::GetSysColor(kLookElements[i]);
    ::SetSysColors(4, kLookElements, colours);
}

CForcedHighContrast::~CForcedHighContrast()
{
    ForceHighContrast(std::nullopt);
    ::SetSysColors(4, kLookElements, m_saved);
    RefreshSystemLook();
}

void CForcedHighContrast::Set(bool on)
{
    ForceHighContrast(on ? std::optional<bool>(true) : std::nullopt);
}

bool IsSystemColour(COLORREF colour)
{
    const COLORREF all[4] = {CForcedHighContrast::kWindow, CForcedHighContrast::kWindowText,
                             CForcedHighContrast::kHighlight, CForcedHighContrast::kGrayText};
    for (int i = 0; i < 4; ++i)
        for (int j = i; j < 4; ++j)
            if (Between(colour, all[i], all[j]))
                return true;
    return false;
}

CLessMotion::CLessMotion()
{
    ::SystemParametersInfoW(SPI_GETCLIENTAREAANIMATION, 0, &m_bAnimation, 0);
}

namespace {

void SetClientAreaAnimation(BOOL on)
{
    // Wine tells the windows only of a change it also writes to the profile.
    ::SystemParametersInfoW(SPI_SETCLIENTAREAANIMATION, 0,
                            reinterpret_cast<void*>(static_cast<INT_PTR>(on)),
                            SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
}

}  // namespace

CLessMotion::~CLessMotion()
{
    SetClientAreaAnimation(m_bAnimation);
    RefreshSystemLook();
}

void CLessMotion::Set(bool on)
{
    SetClientAreaAnimation(on ? FALSE : TRUE);
}

}  // namespace plover::test
