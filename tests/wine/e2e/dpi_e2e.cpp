// Plover on a display of today, seen from outside: the size of a first start and
// of its stars at 200 %, what each Plover.exe declares to Windows (manifest and
// version), and a minimised window coming to the front at the target minute.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "PaintCanvas.h"
#include "e2e/E2eSupport.h"
#include "e2e/PloverProcess.h"

using namespace plover;
using namespace plover::test;

namespace {

// LogPixels of the prefix, which Wine reads as each program starts, for the
// programs started while this lives; the old value comes back afterwards.
class CLogPixels {
public:
    explicit CLogPixels(DWORD dpi)
    {
        ::RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0,
                          KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &m_hKey, nullptr);
        DWORD size = sizeof m_nOld;
        m_bHadOld = ::RegQueryValueExW(m_hKey, L"LogPixels", nullptr, nullptr,
                                       reinterpret_cast<BYTE*>(&m_nOld), &size) == ERROR_SUCCESS;
        ::RegSetValueExW(m_hKey, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                         sizeof dpi);
    }
    ~CLogPixels()
    {
        if (m_bHadOld)
            ::RegSetValueExW(m_hKey, L"LogPixels", 0, REG_DWORD,
                             reinterpret_cast<const BYTE*>(&m_nOld), sizeof m_nOld);
        else
            ::RegDeleteValueW(m_hKey, L"LogPixels");
        ::RegCloseKey(m_hKey);
    }
    CLogPixels(const CLogPixels&) = delete;
    CLogPixels& operator=(const CLogPixels&) = delete;

private:
    HKEY m_hKey = nullptr;
    DWORD m_nOld = 0;
    bool m_bHadOld = false;
};

// This thread sees other programs' windows in the pixels of the screen, as a
// DPI-aware program does; unaware, it would see them scaled to 96 dpi.
void SeePhysicalPixels()
{
    using SetContextFn = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);
    const auto set = reinterpret_cast<SetContextFn>(reinterpret_cast<void (*)()>(
        ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "SetThreadDpiAwarenessContext")));
    if (set)
        set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
}

// The widest row of star yellow a rotating star shows on the screen over a few of
// its frames: the face-on star is about 26 pixels wide at 100 %.
int WidestStarOnScreen(HWND star)
{
    RECT r{};
    ::GetWindowRect(star, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    int widest = 0;
    for (int shot = 0; shot < 30; ++shot) {
        Pump(15);
        CPaintCanvas canvas(width, height);
        const HDC screen = ::GetDC(nullptr);
        ::BitBlt(canvas.Dc(), 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
        ::ReleaseDC(nullptr, screen);
        for (int y = 0; y < height; ++y) {
            int left = width, right = -1;
            for (int x = 0; x < width; ++x) {
                if (canvas.Pixel(x, y) == RgbColour{255, 255, 0}) {
                    left = std::min(left, x);
                    right = x;
                }
            }
            widest = std::max(widest, right - left + 1);
        }
    }
    return widest;
}

CScheduleList OneEntry(int year, int month, int day, int hour, int minute)
{
    CScheduleList list;
    list.push_back(MakeEntry(L"星空観察会", year, month, day, hour, minute));
    return list;
}

std::wstring VersionString(const std::vector<BYTE>& block, const wchar_t* language, const wchar_t* name)
{
    const std::wstring path = std::wstring(L"\\StringFileInfo\\") + language + L"\\" + name;
    void* value = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(block.data(), path.c_str(), &value, &length) || !value)
        return L"";
    return static_cast<const wchar_t*>(value);
}

}  // namespace

TEST(Dpi, AFirstStartAt200PercentIsTwiceAsLargeWithStarsDrawnForIt)
{
    SeePhysicalPixels();
    ClearSettings();
    CLogPixels dpi(192);
    CPloverProcess plover;
    WriteBytes(plover.SchedulePath(), WriteSchedule(0, OneEntry(2030, 3, 14, 12, 0)));
    ASSERT_TRUE(plover.Start());
    const HWND window = plover.WaitMainWindow();
    ASSERT_NE(window, nullptr);
    RECT r{};
    ::GetWindowRect(window, &r);
    EXPECT_NEAR(r.right - r.left, 800, 16);
    EXPECT_NEAR(r.bottom - r.top, 600, 16);
    const HWND star = ::FindWindowExW(plover.ViewWindow(), nullptr, L"PloverRollStarObject", nullptr);
    ASSERT_NE(star, nullptr);
    RECT s{};
    ::GetWindowRect(star, &s);
    EXPECT_EQ(s.right - s.left, 60);
    EXPECT_EQ(s.bottom - s.top, 80);
    EXPECT_GE(WidestStarOnScreen(star), 44) << "a 100 % star in a 200 % window";
    ASSERT_TRUE(plover.CloseAndWait());
    ClearSettings();
}

TEST(Dpi, EachProgramDeclaresItsVersionItsWindowsAndItsDpiAwareness)
{
    // This build's Plover.exe, and the other build's where it was built beside it.
    std::vector<std::pair<std::wstring, const char*>> programs = {
        {g_ploverExe, sizeof(void*) == 8 ? "amd64" : "x86"}};
    const std::wstring other = WinePath(sizeof(void*) == 8 ? PLOVER_OUT_DIR "/Plover/Plover.exe"
                                                           : PLOVER_OUT_DIR "/Plover-x64/Plover.exe");
    if (Exists(other))
        programs.push_back({other, sizeof(void*) == 8 ? "x86" : "amd64"});
    else
        std::printf("plover: the other build's Plover.exe is not built, so only this one's "
                    "manifest and version were checked\n");
    for (const auto& [exe, arch] : programs) {
        SCOPED_TRACE(std::string(exe.begin(), exe.end()));
        const std::string manifest = ProgramResource(exe, LOWORD(RT_MANIFEST), 1);
        for (const std::string& entry :
             {std::string("name=\"WREN.Plover\" version=\"2.0.0.0\" processorArchitecture=\"") + arch,
              std::string("level=\"asInvoker\""),
              std::string("{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"),  // Windows 7
              std::string("{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}"),  // 8
              std::string("{1f676c76-80e1-4239-95bb-83d0f6d0da78}"),  // 8.1
              std::string("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"),  // 10 and 11
              std::string(">true/pm</dpiAware>"),
              std::string(">PerMonitorV2, PerMonitor</dpiAwareness>"),
              std::string(">true</longPathAware>")})
            EXPECT_NE(manifest.find(entry), std::string::npos) << entry;

        const std::string version = ProgramResource(exe, LOWORD(RT_VERSION), 1);
        ASSERT_FALSE(version.empty()) << "no version resource";
        std::vector<BYTE> block(version.begin(), version.end());
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
        EXPECT_EQ(fixed->dwFileVersionMS, 0x00020000u);
        EXPECT_EQ(fixed->dwFileVersionLS, 0u);
        EXPECT_EQ(fixed->dwProductVersionMS, 0x00020000u);
        for (const wchar_t* language : {L"041104b0", L"040904b0"}) {
            EXPECT_EQ(VersionString(block, language, L"CompanyName"), L"WREN");
            EXPECT_EQ(VersionString(block, language, L"ProductName"), L"Plover");
            EXPECT_EQ(VersionString(block, language, L"ProductVersion"), L"2.00");
            EXPECT_EQ(VersionString(block, language, L"FileVersion"), L"2.0.0.0");
            EXPECT_EQ(VersionString(block, language, L"OriginalFilename"), L"Plover.exe");
            EXPECT_NE(VersionString(block, language, L"LegalCopyright").find(L"WREN"), std::wstring::npos);
            EXPECT_FALSE(VersionString(block, language, L"FileDescription").empty());
        }
    }
}

TEST(Dpi, AMinimisedWindowStaysSoUntilTheTargetMinuteAndThenComesToTheFront)
{
    ClearSettings();
    // The next minute that leaves time to start and minimise first.
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    FILETIME file{};
    ::SystemTimeToFileTime(&now, &file);
    ULARGE_INTEGER t{{file.dwLowDateTime, file.dwHighDateTime}};
    t.QuadPart += (now.wSecond < 40 ? 60ull : 120ull) * 10000000ull;
    file = FILETIME{t.LowPart, t.HighPart};
    SYSTEMTIME target{};
    ::FileTimeToSystemTime(&file, &target);

    CPloverProcess plover;
    WriteBytes(plover.SchedulePath(),
               WriteSchedule(0, OneEntry(target.wYear, target.wMonth, target.wDay, target.wHour,
                                         target.wMinute)));
    ASSERT_TRUE(plover.Start());
    const HWND window = plover.WaitMainWindow();
    ASSERT_NE(window, nullptr);
    ::ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return ::IsIconic(window) != FALSE; }));

    const auto inTargetMinute = [&] {
        SYSTEMTIME n{};
        ::GetLocalTime(&n);
        return n.wDay == target.wDay && n.wHour == target.wHour && n.wMinute == target.wMinute;
    };
    // Minimised all the way to the minute; which second of it the check lands in is
    // the clock's own test, with a clock that test controls.
    bool restoredEarly = false;
    ASSERT_TRUE(WaitUntil(
        [&] {
            // Seen shown, then still before the minute: it came back early.
            const bool shown = !::IsIconic(window);
            const bool inMinute = inTargetMinute();
            restoredEarly = restoredEarly || (shown && !inMinute);
            return inMinute;
        },
        150000));
    EXPECT_FALSE(restoredEarly) << "the window came back before the target minute";
    EXPECT_TRUE(WaitUntil([&] { return !::IsIconic(window); }, 15000))
        << "still minimised in the target minute";
    EXPECT_TRUE(inTargetMinute()) << "restored only after the target minute";
    ASSERT_TRUE(plover.CloseAndWait());
}
