#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "e2e/E2eSupport.h"
#include "e2e/PloverProcess.h"
#include "resource.h"

using namespace plover;
using namespace plover::test;

namespace {

class Startup : public ::testing::Test {
protected:
    void SetUp() override { ClearSettings(); }
    void TearDown() override { ClearSettings(); }

    // Starts Plover on a schedule of three entries and returns its main window.
    HWND StartWithSchedule()
    {
        CScheduleList list;
        list.push_back(MakeEntry(L"卒業式", 2030, 3, 14));
        list.push_back(MakeEntry(L"入学式", 2030, 4, 8));
        list.push_back(MakeEntry(L"運動会", 2030, 10, 10));
        m_schedule = WriteSchedule(0, list);
        WriteBytes(m_plover.SchedulePath(), m_schedule);
        EXPECT_TRUE(m_plover.Start());
        return m_plover.WaitMainWindow();
    }

    RECT WindowRect(HWND window)
    {
        RECT r{};
        ::GetWindowRect(window, &r);
        return r;
    }

    void ExpectStoredRect(const RECT& r)
    {
        DWORD x = 0, y = 0, w = 0, h = 0;
        ASSERT_TRUE(GetSetting(L"StartPositionPosX", x));
        ASSERT_TRUE(GetSetting(L"StartPositionPosY", y));
        ASSERT_TRUE(GetSetting(L"StartValueWidth", w));
        ASSERT_TRUE(GetSetting(L"StartValueHeight", h));
        EXPECT_EQ(static_cast<LONG>(x), r.left);
        EXPECT_EQ(static_cast<LONG>(y), r.top);
        EXPECT_EQ(static_cast<LONG>(w), r.right - r.left);
        EXPECT_EQ(static_cast<LONG>(h), r.bottom - r.top);
    }

    CPloverProcess m_plover;
    std::vector<std::uint8_t> m_schedule;
};

}  // namespace

// Windows starting Plover at sign-in: minimised, without taking the activation;
// every other argument is ignored as before.
TEST_F(Startup, SignInStartOpensMinimisedWithoutTakingTheActivation)
{
    COtherWindow other(RECT{0, 700, 100, 760});
    ::SetForegroundWindow(other.Get());
    WriteBytes(m_plover.SchedulePath(), WriteSchedule(0, {}));
    ASSERT_TRUE(m_plover.Start(nullptr, L"/SignIn"));
    ASSERT_TRUE(WaitUntil([&] { return m_plover.MainWindow() != nullptr; }, 15000));
    const HWND window = m_plover.MainWindow();
    Pump(500);
    EXPECT_TRUE(::IsIconic(window));
    EXPECT_NE(::GetForegroundWindow(), window);
    ASSERT_TRUE(m_plover.CloseAndWait());

    ASSERT_TRUE(m_plover.Start(nullptr, L"/other --signin"));
    const HWND plain = m_plover.WaitMainWindow();
    ASSERT_NE(plain, nullptr);
    EXPECT_FALSE(::IsIconic(plain));
    ASSERT_TRUE(m_plover.CloseAndWait());
}

// Settings of an earlier start: the schedule the user had is gone.
TEST_F(Startup, MissingScheduleIsReportedThenAnEmptyOneIsWrittenAtExit)
{
    SetSetting(L"StartValueWidth", 400);
    ASSERT_TRUE(m_plover.Start());
    MessageBoxView box;
    ASSERT_TRUE(m_plover.WaitMessageBox(box));
    EXPECT_EQ(box.caption, L"Plover");
    EXPECT_EQ(box.text, m_plover.SchedulePath() + L" が見つかりません。");
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    EXPECT_TRUE(box.exclamationIcon);
    m_plover.Answer(box, IDOK);

    ASSERT_TRUE(m_plover.WaitMessageBox(box));
    EXPECT_EQ(box.caption, L"Plover");
    EXPECT_EQ(box.text, L"ファイルよりの読み込みに失敗しました");
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    EXPECT_TRUE(box.exclamationIcon);
    m_plover.Answer(box, IDOK);

    ASSERT_NE(m_plover.WaitMainWindow(), nullptr);
    ASSERT_TRUE(m_plover.CloseAndWait());
    EXPECT_EQ(ReadBytes(m_plover.SchedulePath()), std::vector<std::uint8_t>(8, 0));
}

TEST_F(Startup, EmptySettingsOpen400By300CentredWithBothBars)
{
    const HWND window = StartWithSchedule();
    ASSERT_NE(window, nullptr);
    const RECT r = WindowRect(window);
    EXPECT_EQ(r.right - r.left, 400);
    EXPECT_EQ(r.bottom - r.top, 300);
    EXPECT_EQ(r.left, (::GetSystemMetrics(SM_CXSCREEN) - 400) / 2);
    EXPECT_EQ(r.top, (::GetSystemMetrics(SM_CYSCREEN) - 300) / 2);
    wchar_t title[64] = {};
    ::GetWindowTextW(window, title, 64);
    EXPECT_STREQ(title, L"Plover");
    EXPECT_NE(::GetMenu(window), nullptr);
    EXPECT_TRUE(HasCaption(window));

    // The framework's new, open and save keys must not read the schedule again: a
    // file changed meanwhile would be read back as it now is, and written at exit.
    CScheduleList changed;
    changed.push_back(MakeEntry(L"文化祭", 2031, 11, 3));
    WriteBytes(m_plover.SchedulePath(), WriteSchedule(0, changed));
    for (UINT command : {IDM_FILE_NEW, IDM_FILE_OPEN, IDM_FILE_SAVE})
        Send(window, WM_COMMAND, command);
    const RECT atExit = WindowRect(window);
    ASSERT_TRUE(m_plover.CloseAndWait());
    EXPECT_EQ(ReadBytes(m_plover.SchedulePath()), m_schedule);
    ExpectStoredRect(atExit);
}

TEST_F(Startup, ExitMenuItemClosesAndWritesTheSchedule)
{
    const HWND window = StartWithSchedule();
    ASSERT_NE(window, nullptr);
    ::DeleteFileW(m_plover.SchedulePath().c_str());
    ::PostMessageW(window, WM_COMMAND, IDM_APP_EXIT, 0);
    ASSERT_TRUE(m_plover.WaitExit(20000));
    EXPECT_EQ(ReadBytes(m_plover.SchedulePath()), m_schedule);
}

// Pictures are looked up beside the program, whatever folder it was started from:
// the one there shows, pixel for pixel, not one of the same name in the current folder.
TEST_F(Startup, TargetPictureIsFoundBesideTheProgramFromAnyFolder)
{
    SetSetting(L"SCI", 3);
    WriteBmp(m_plover.Dir() + L"\\moon.bmp", 120, 60, RGB(0, 200, 0));
    CScratchDir current;
    WriteBmp(current.File(L"moon.bmp"), 120, 60, RGB(200, 0, 0));
    CScheduleList list;
    list.push_back(MakeEntry(L"月見", 2030, 9, 17));
    CPloverFile::SetText(list[0]->m_szBmpFile, sizeof list[0]->m_szBmpFile, "moon.bmp");
    WriteBytes(m_plover.SchedulePath(), WriteSchedule(0, list));
    ASSERT_TRUE(m_plover.Start(current.Path().c_str()));
    ASSERT_NE(m_plover.WaitMainWindow(), nullptr);

    EXPECT_TRUE(WaitUntil([&] { return PixelsOf(m_plover, RgbColour{0, 200, 0}) == 120 * 60; }))
        << "the program folder's picture, whole: " << PixelsOf(m_plover, RgbColour{0, 200, 0});
    EXPECT_EQ(PixelsOf(m_plover, RgbColour{200, 0, 0}), 0) << "the current folder's picture";
    ASSERT_TRUE(m_plover.CloseAndWait());
}

TEST_F(Startup, StoredPlaceWithoutStoredValuesOpensAt300And400)
{
    SetSetting(L"StartPosition", 1);
    const HWND window = StartWithSchedule();
    ASSERT_NE(window, nullptr);
    const RECT r = WindowRect(window);
    EXPECT_EQ(r.left, 300);
    EXPECT_EQ(r.top, 400);
    EXPECT_EQ(r.right - r.left, 400);
    ASSERT_TRUE(m_plover.CloseAndWait());
}

TEST_F(Startup, StoredPlaceAndSizeComeBackAfterAMoveAndAResize)
{
    SetSetting(L"StartPosition", 1);
    SetSetting(L"StartValue", 1);
    HWND window = StartWithSchedule();
    ASSERT_NE(window, nullptr);
    ::SetWindowPos(window, nullptr, 120, 80, 640, 480, SWP_NOZORDER);
    ASSERT_TRUE(WaitUntil([&] {
        const RECT r = WindowRect(window);
        return r.left == 120 && r.top == 80 && r.right == 760 && r.bottom == 560;
    })) << "the window did not take the asked place";
    const RECT moved = WindowRect(window);
    ASSERT_TRUE(m_plover.CloseAndWait());
    ExpectStoredRect(moved);

    CPloverProcess again;
    WriteBytes(again.SchedulePath(), m_schedule);
    ASSERT_TRUE(again.Start());
    window = again.WaitMainWindow();
    ASSERT_NE(window, nullptr);
    const RECT r = WindowRect(window);
    EXPECT_EQ(r.left, moved.left);
    EXPECT_EQ(r.top, moved.top);
    EXPECT_EQ(r.right, moved.right);
    EXPECT_EQ(r.bottom, moved.bottom);
    ASSERT_TRUE(again.CloseAndWait());
}

TEST_F(Startup, ClosingWhileMinimisedStoresTheNormalRectangle)
{
    SetSetting(L"StartPosition", 1);
    HWND window = StartWithSchedule();
    ASSERT_NE(window, nullptr);
    const RECT normal = WindowRect(window);
    ::ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return ::IsIconic(window) != FALSE; }));
    ASSERT_TRUE(m_plover.CloseAndWait());
    ExpectStoredRect(normal);
}

TEST_F(Startup, PositionNoMonitorShowsOpensCentred)
{
    SetSetting(L"StartPosition", 1);
    SetSetting(L"StartPositionPosX", static_cast<DWORD>(-32000));
    SetSetting(L"StartPositionPosY", static_cast<DWORD>(-32000));
    const HWND window = StartWithSchedule();
    ASSERT_NE(window, nullptr);
    const RECT r = WindowRect(window);
    EXPECT_EQ(r.left, (::GetSystemMetrics(SM_CXSCREEN) - 400) / 2);
    EXPECT_EQ(r.top, (::GetSystemMetrics(SM_CYSCREEN) - 300) / 2);
    ASSERT_TRUE(m_plover.CloseAndWait());
}

TEST_F(Startup, StartSettingsRemoveTheMenuBarAndTheTitleBar)
{
    SetSetting(L"StartMenuBar", 1);
    SetSetting(L"StartTitleBar", 1);
    const HWND window = StartWithSchedule();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(::GetMenu(window), nullptr);
    EXPECT_EQ(::GetWindowLongW(window, GWL_STYLE) & WS_CAPTION, 0);
    ASSERT_TRUE(m_plover.CloseAndWait());
}

TEST_F(Startup, TruncatedScheduleIsKeptAsBackupBeforeItIsOverwritten)
{
    auto broken = WriteSchedule(0, MakeSchedule(3, 4));
    broken.resize(8 + 652 + 200);
    WriteBytes(m_plover.SchedulePath(), broken);
    ASSERT_TRUE(m_plover.Start());
    MessageBoxView box;
    ASSERT_TRUE(m_plover.WaitMessageBox(box));
    EXPECT_EQ(box.text, L"予期しないﾌｧｲﾙ形式です。");
    m_plover.Answer(box, IDOK);
    ASSERT_TRUE(m_plover.WaitMessageBox(box));
    EXPECT_EQ(box.text, L"ファイルよりの読み込みに失敗しました");
    m_plover.Answer(box, IDOK);
    const HWND window = m_plover.WaitMainWindow();
    ASSERT_NE(window, nullptr);

    ::PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(m_plover.WaitMessageBox(box));
    EXPECT_EQ(box.text, L"無題 への変更を保存しますか？");
    EXPECT_EQ(box.buttons, (std::vector<int>{IDCANCEL, IDYES, IDNO}));
    m_plover.Answer(box, IDNO);
    ASSERT_TRUE(m_plover.WaitExit(20000));
    EXPECT_EQ(ReadBytes(m_plover.SchedulePath() + L".bak"), broken);
    EXPECT_EQ(ReadBytes(m_plover.SchedulePath()).size(), 8u + 652u);
}

namespace {

std::size_t CountOf(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

}  // namespace

// Windows refuses to start a program whose manifest asks for Common Controls of
// another architecture; Wine starts it all the same, so only the manifest shows it.
TEST(ProgramFile, ManifestNamesTheArchitectureOfItsBuild)
{
    const HMODULE module = ::LoadLibraryExW(g_ploverExe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    const HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(1), RT_MANIFEST);
    ASSERT_NE(found, nullptr);
    const auto* text = static_cast<const char*>(::LockResource(::LoadResource(module, found)));
    const std::string manifest(text, ::SizeofResource(module, found));
    ::FreeLibrary(module);

    const std::string architecture = sizeof(void*) == 8 ? "processorArchitecture=\"amd64\""
                                                        : "processorArchitecture=\"x86\"";
    EXPECT_EQ(CountOf(manifest, "processorArchitecture="), 2u) << manifest;
    EXPECT_EQ(CountOf(manifest, architecture), 2u) << manifest;
}
