// The countdown window seen from outside: its title while another window is
// active, the bars a double click or Ctrl+B hides and the menu Alt shows without
// them, dragging without a title bar, the automatic minimise and close, and the
// target-time command.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "PaintCanvas.h"
#include "e2e/E2eSupport.h"
#include "e2e/PloverProcess.h"
#include "resource.h"

using namespace plover;
using namespace plover::test;

namespace {

RECT WindowRect(HWND window)
{
    RECT r{};
    ::GetWindowRect(window, &r);
    return r;
}

// Whether `upper` lies above `lower` in the z-order of top-level windows.
bool IsAbove(HWND upper, HWND lower)
{
    for (HWND w = ::GetWindow(lower, GW_HWNDPREV); w; w = ::GetWindow(w, GW_HWNDPREV))
        if (w == upper)
            return true;
    return false;
}

FILETIME LastWriteTime(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

// Dates the file back to 2001, so a rewrite shows in its time stamp.
void AgeFile(const std::wstring& path)
{
    const HANDLE file = ::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    SYSTEMTIME old{2001, 1, 1, 1, 0, 0, 0, 0};
    FILETIME ft{};
    ::SystemTimeToFileTime(&old, &ft);
    ::SetFileTime(file, nullptr, nullptr, &ft);
    ::CloseHandle(file);
}

// Absolute mouse input as the platform scales it: 0 to 65535 over the screen.
INPUT MouseInput(DWORD flags, POINT at)
{
    const int w = ::GetSystemMetrics(SM_CXSCREEN);
    const int h = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = (at.x * 65536 + w - 1) / w;
    input.mi.dy = (at.y * 65536 + h - 1) / h;
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    return input;
}

void SendMouse(DWORD flags, POINT at)
{
    INPUT input = MouseInput(flags, at);
    ::SendInput(1, &input, sizeof input);
}

// Whether the window manager's move or size loop runs on `thread`.
bool InMoveSize(DWORD thread)
{
    GUITHREADINFO info{sizeof info};
    return ::GetGUIThreadInfo(thread, &info) && (info.flags & GUI_INMOVESIZE) != 0;
}

// Whether a menu's loop runs on `thread`.
bool InMenuMode(DWORD thread)
{
    GUITHREADINFO info{sizeof info};
    return ::GetGUIThreadInfo(thread, &info) && (info.flags & GUI_INMENUMODE) != 0;
}

// Real key presses to whichever window has the keyboard: the keys go down in
// order and up in reverse (Ctrl, then B).
void PressKeys(std::initializer_list<WORD> keys)
{
    std::vector<INPUT> input;
    for (const WORD key : keys) {
        input.emplace_back();
        input.back().type = INPUT_KEYBOARD;
        input.back().ki.wVk = key;
    }
    for (auto it = keys.end(); it != keys.begin();) {
        input.emplace_back();
        input.back().type = INPUT_KEYBOARD;
        input.back().ki.wVk = *--it;
        input.back().ki.dwFlags = KEYEVENTF_KEYUP;
    }
    ::SendInput(static_cast<UINT>(input.size()), input.data(), sizeof input[0]);
    Pump(150);
}

// A real press of the left button at `from`, the pointer put there first.  (Wine
// soon puts its cursor back where it was last set, as the X pointer never moved;
// that neither ends nor undoes a drag, so where the cursor ends proves nothing
// either way.)
void PressAt(POINT from)
{
    ::SetCursorPos(from.x, from.y);
    SendMouse(0, from);
    Pump(200);
    SendMouse(MOUSEEVENTF_LEFTDOWN, from);
}

// A move from `from` by (dx, dy) in small steps, with pauses a hand would make,
// and the release.
void MoveAndRelease(POINT from, int dx, int dy)
{
    const int steps = 8;
    for (int i = 1; i <= steps; ++i) {
        SendMouse(0, POINT{from.x + dx * i / steps, from.y + dy * i / steps});
        Pump(40);
    }
    SendMouse(MOUSEEVENTF_LEFTUP, POINT{from.x + dx, from.y + dy});
}

// The view's client area as the screen shows it, with the rotating stars (child
// windows that turn on their own) left out; their places are kept instead.
struct ScreenView {
    int width = 0;
    int height = 0;
    std::vector<RgbColour> pixels;
    std::vector<RECT> stars;  // in client coordinates
};

ScreenView ReadScreenView(HWND view)
{
    ScreenView seen;
    RECT client{};
    ::GetClientRect(view, &client);
    POINT origin{0, 0};
    ::ClientToScreen(view, &origin);
    seen.width = client.right;
    seen.height = client.bottom;
    for (HWND child = ::GetWindow(view, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[64] = {};
        ::GetClassNameW(child, name, 64);
        if (std::wstring(name) != L"PloverRollStarObject" || !::IsWindowVisible(child))
            continue;
        RECT r{};
        ::GetWindowRect(child, &r);
        ::MapWindowPoints(nullptr, view, reinterpret_cast<POINT*>(&r), 2);
        seen.stars.push_back(r);
    }
    CPaintCanvas canvas(seen.width, seen.height);
    canvas.CopyFromScreen(origin.x, origin.y);
    for (int y = 0; y < seen.height; ++y)
        for (int x = 0; x < seen.width; ++x) {
            const POINT at{x, y};
            bool star = false;
            for (const RECT& r : seen.stars)
                star = star || ::PtInRect(&r, at);
            seen.pixels.push_back(star ? RgbColour{} : canvas.Pixel(x, y));
        }
    return seen;
}

// How many pixels differ, and where the first one is.
std::string CompareViews(const ScreenView& a, const ScreenView& b)
{
    if (a.width != b.width || a.height != b.height)
        return "client sizes differ";
    int differing = 0, firstX = -1, firstY = -1;
    for (std::size_t i = 0; i < a.pixels.size(); ++i) {
        const RgbColour& p = a.pixels[i];
        const RgbColour& q = b.pixels[i];
        if (p.red == q.red && p.green == q.green && p.blue == q.blue)
            continue;
        if (differing++ == 0) {
            firstX = static_cast<int>(i % a.width);
            firstY = static_cast<int>(i / a.width);
        }
    }
    if (differing == 0)
        return "";
    return std::to_string(differing) + " pixels differ, the first at " + std::to_string(firstX) +
           "," + std::to_string(firstY);
}

bool SameStars(const ScreenView& a, const ScreenView& b)
{
    return std::equal(a.stars.begin(), a.stars.end(), b.stars.begin(), b.stars.end(),
                      [](const RECT& p, const RECT& q) { return ::EqualRect(&p, &q) != FALSE; });
}

// The view once two captures agree, each taken once every paint asked for is done,
// of a program started with its pictures still (PLOVER_TEST_STILL): a moving star
// would be caught anywhere in its flight on a starved machine, however long the
// captures wait for each other.  Two agreeing captures also see out a paint that a
// posted message or a due timer brings after `Painted`.  With `repaint`, each
// capture follows a whole repaint from outside; it is not asked to happen at once,
// since from another process that erases the month list at once and leaves its
// paint for later, and a capture in between would see an empty list.
ScreenView SettledView(HWND view, bool repaint)
{
    ScreenView last;
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < 60000) {
        if (repaint)
            ::RedrawWindow(view, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        if (!WaitUntil([&] { return Painted(view); }, 15000))
            ADD_FAILURE() << "the view did not finish painting within 15 s";
        ScreenView now = ReadScreenView(view);
        if (!last.pixels.empty() && SameStars(last, now) && CompareViews(last, now).empty())
            return now;
        last = std::move(now);
        Pump(250);
    }
    ADD_FAILURE() << "the view never showed the same twice in a row within 60 s";
    return last;
}

class View : public ::testing::Test {
protected:
    void SetUp() override { ClearSettings(); }
    void TearDown() override
    {
        ClearSettings();
        ::SetEnvironmentVariableW(L"PLOVER_TEST_STILL", nullptr);
    }

    static CScheduleList FarSchedule()
    {
        CScheduleList list;
        list.push_back(MakeEntry(L"卒業式", 2030, 3, 14));
        list.push_back(MakeEntry(L"入学式", 2030, 4, 8));
        return list;
    }

    static void DoubleClick(HWND view)
    {
        Send(view, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(200, 40));
    }
};

}  // namespace

TEST_F(View, TitleShowsTheCountdownOnlyWhileAnotherWindowIsActive)
{
    const SYSTEMTIME day = LocalDateIn(12);
    CScheduleList list;
    list.push_back(MakeEntry(L"卒業式", day.wYear, day.wMonth, day.wDay));
    list.push_back(MakeEntry(L"入学式", 2030, 4, 8));
    CPloverProcess plover;
    const HWND window = plover.StartOn(list);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == window; }));
    EXPECT_EQ(TitleOf(window), L"Plover");

    COtherWindow other(RECT{20, 20, 220, 120});
    ::SetForegroundWindow(other.Get());
    ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == other.Get(); }));
    EXPECT_TRUE(WaitUntil([&] { return TitleOf(window) == L"Plover [卒業式 まで 12日]"; }))
        << "title: " << ::testing::PrintToString(TitleOf(window));

    ::SetForegroundWindow(window);
    ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == window; }));
    EXPECT_TRUE(WaitUntil([&] { return TitleOf(window) == L"Plover"; }))
        << "title: " << ::testing::PrintToString(TitleOf(window));
    ASSERT_TRUE(plover.CloseAndWait());

    // Without any entry there is no countdown to show.
    CPloverProcess empty;
    const HWND bare = empty.StartOn(CScheduleList{});
    ASSERT_NE(bare, nullptr);
    ::SetForegroundWindow(other.Get());
    ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == other.Get(); }));
    // Plover's thread has let go of its window, and (the answer to a message
    // comes after) its deactivation handler has run.
    GUITHREADINFO info{sizeof info};
    EXPECT_TRUE(WaitUntil([&] {
        return ::GetGUIThreadInfo(::GetWindowThreadProcessId(bare, nullptr), &info) &&
               info.hwndActive != bare;
    })) << "Plover's window stayed active";
    Send(bare, WM_NULL);
    EXPECT_EQ(TitleOf(bare), L"Plover");
    ASSERT_TRUE(empty.CloseAndWait());
}

TEST_F(View, DoubleClicksHideTheMenuBarThenTheTitleBarThenShowBoth)
{
    CPloverProcess plover;
    const HWND window = plover.StartOn(FarSchedule());
    ASSERT_NE(window, nullptr);
    const HWND view = plover.ViewWindow();
    ASSERT_NE(view, nullptr);
    const RECT before = WindowRect(window);

    DoubleClick(view);
    EXPECT_EQ(::GetMenu(window), nullptr);
    EXPECT_TRUE(HasCaption(window));
    EXPECT_TRUE(SettingIs(L"MenuBar", 0));

    DoubleClick(view);
    EXPECT_EQ(::GetMenu(window), nullptr);
    EXPECT_FALSE(HasCaption(window));
    EXPECT_TRUE(SettingIs(L"TitleBar", 0));
    EXPECT_TRUE(SettingIs(L"MenuBar", 0));

    DoubleClick(view);
    EXPECT_NE(::GetMenu(window), nullptr);
    EXPECT_TRUE(HasCaption(window));
    EXPECT_TRUE(SettingIs(L"TitleBar", 1));
    EXPECT_TRUE(SettingIs(L"MenuBar", 1));

    // The window stays where it was through the whole cycle.
    const RECT after = WindowRect(window);
    EXPECT_TRUE(::EqualRect(&before, &after));
    ASSERT_TRUE(plover.CloseAndWait());
}

TEST_F(View, StartSettingsEnterTheDoubleClickCycleWhereTheyLeaveTheBars)
{
    // Without menu bar: the next double click takes the title bar as well.
    SetSetting(L"StartMenuBar", 1);
    CPloverProcess noMenu;
    HWND window = noMenu.StartOn(FarSchedule());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(::GetMenu(window), nullptr);
    EXPECT_TRUE(HasCaption(window));
    DoubleClick(noMenu.ViewWindow());
    EXPECT_FALSE(HasCaption(window));
    EXPECT_EQ(::GetMenu(window), nullptr);
    EXPECT_TRUE(SettingIs(L"TitleBar", 0));
    ASSERT_TRUE(noMenu.CloseAndWait());

    // Without title bar: the next double click gives both bars back.
    ClearSettings();
    SetSetting(L"StartTitleBar", 1);
    CPloverProcess noTitle;
    window = noTitle.StartOn(FarSchedule());
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(HasCaption(window));
    DoubleClick(noTitle.ViewWindow());
    EXPECT_TRUE(HasCaption(window));
    EXPECT_NE(::GetMenu(window), nullptr);
    EXPECT_TRUE(SettingIs(L"TitleBar", 1));
    EXPECT_TRUE(SettingIs(L"MenuBar", 1));
    ASSERT_TRUE(noTitle.CloseAndWait());
}

TEST_F(View, CtrlBCyclesTheBarsAndAltOrF10ShowsAHiddenMenuBarForItsLoop)
{
    CPloverProcess plover;
    const HWND window = plover.StartOn(FarSchedule());
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == window; }));
    const DWORD thread = ::GetWindowThreadProcessId(window, nullptr);
    const RECT before = WindowRect(window);
    const auto menuShown = [&] { return ::GetMenu(window) != nullptr; };

    PressKeys({VK_CONTROL, 'B'});
    EXPECT_TRUE(WaitUntil([&] { return !menuShown(); })) << "Ctrl+B left the menu bar";
    EXPECT_TRUE(HasCaption(window));
    EXPECT_TRUE(SettingIs(L"MenuBar", 0));

    // Alt alone: the bar is back while its loop runs, and goes with Esc.
    PressKeys({VK_MENU});
    EXPECT_TRUE(WaitUntil([&] { return InMenuMode(thread); })) << "Alt began no menu loop";
    EXPECT_TRUE(menuShown()) << "the menu's loop runs on a hidden bar";
    PressKeys({VK_ESCAPE});
    EXPECT_TRUE(WaitUntil([&] { return !InMenuMode(thread) && !menuShown(); }))
        << "after Esc: in the menu's loop " << InMenuMode(thread) << ", menu bar " << menuShown();

    // The arrows and Enter choose 表示's item: the bar key's own command, from
    // the menu it shows.
    PressKeys({VK_MENU});
    ASSERT_TRUE(WaitUntil([&] { return InMenuMode(thread); }));
    for (const WORD key : {VK_RIGHT, VK_RIGHT, VK_RETURN, VK_RETURN})
        PressKeys({key});
    EXPECT_TRUE(WaitUntil([&] { return !HasCaption(window) && !InMenuMode(thread); }))
        << "the menu's item did not take the title bar";
    EXPECT_TRUE(WaitUntil([&] { return !menuShown(); })) << "the menu bar stayed after its loop";
    EXPECT_TRUE(SettingIs(L"TitleBar", 0));

    // F10 without either bar.
    PressKeys({VK_F10});
    EXPECT_TRUE(WaitUntil([&] { return InMenuMode(thread); })) << "F10 began no menu loop";
    EXPECT_TRUE(menuShown());
    PressKeys({VK_ESCAPE});
    EXPECT_TRUE(WaitUntil([&] { return !InMenuMode(thread) && !menuShown(); }));
    EXPECT_FALSE(HasCaption(window));
    // Alt+Space: the system menu, still there without its title bar.
    PressKeys({VK_MENU, VK_SPACE});
    EXPECT_TRUE(WaitUntil([&] {
        const HWND popup = ::FindWindowW(L"#32768", nullptr);
        return InMenuMode(thread) && popup && ::IsWindowVisible(popup);
    })) << "Alt+Space opened no system menu";
    EXPECT_FALSE(menuShown()) << "Alt+Space showed the menu bar";
    // The first Esc closes the menu, the second leaves the loop.
    PressKeys({VK_ESCAPE});
    PressKeys({VK_ESCAPE});
    EXPECT_TRUE(WaitUntil([&] { return !InMenuMode(thread); }));

    // The key brings both bars back, in the same place and size.
    PressKeys({VK_CONTROL, 'B'});
    EXPECT_TRUE(WaitUntil([&] { return HasCaption(window) && menuShown(); }))
        << "Ctrl+B did not bring the bars back";
    EXPECT_TRUE(SettingIs(L"TitleBar", 1));
    EXPECT_TRUE(SettingIs(L"MenuBar", 1));
    const RECT after = WindowRect(window);
    EXPECT_TRUE(::EqualRect(&before, &after));
    ASSERT_TRUE(plover.CloseAndWait());
}

TEST_F(View, WithoutTitleBarAPressOnTheViewDragsTheWindow)
{
    SetSetting(L"StartTitleBar", 1);
    SetSetting(L"StartMenuBar", 1);
    CPloverProcess bare;
    HWND window = bare.StartOn(FarSchedule());
    ASSERT_NE(window, nullptr);
    ASSERT_FALSE(HasCaption(window));
    // The middle of the date panel: the view itself, not one of its children.
    POINT grip{200, 45};
    ::ClientToScreen(bare.ViewWindow(), &grip);
    ASSERT_EQ(::WindowFromPoint(grip), bare.ViewWindow());
    const RECT before = WindowRect(window);
    const DWORD thread = ::GetWindowThreadProcessId(window, nullptr);
    // The move starts from where the pointer is when it begins, and ends with the
    // release, once every move before it has been taken.
    PressAt(grip);
    ASSERT_TRUE(WaitUntil([&] { return InMoveSize(thread); })) << "the press began no drag";
    MoveAndRelease(grip, 60, 40);
    EXPECT_TRUE(WaitUntil([&] { return !InMoveSize(thread); })) << "the release did not end the drag";
    RECT after = WindowRect(window);
    EXPECT_EQ(after.left, before.left + 60);
    EXPECT_EQ(after.top, before.top + 40);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
    ASSERT_TRUE(bare.CloseAndWait());

    // With the title bar the same press only presses: it activates the window
    // (which shows that it arrived) and leaves it where it is.
    ClearSettings();
    CPloverProcess framed;
    window = framed.StartOn(FarSchedule());
    ASSERT_NE(window, nullptr);
    COtherWindow other(RECT{0, 0, 200, 100});
    ::SetForegroundWindow(other.Get());
    ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == other.Get(); }));
    grip = POINT{200, 45};
    ::ClientToScreen(framed.ViewWindow(), &grip);
    ASSERT_EQ(::WindowFromPoint(grip), framed.ViewWindow());
    const RECT still = WindowRect(window);
    PressAt(grip);
    EXPECT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == window; }))
        << "the press did not reach the window";
    // Its handler has returned: a drag it began would be running now.
    Send(window, WM_NULL);
    EXPECT_FALSE(InMoveSize(::GetWindowThreadProcessId(window, nullptr)))
        << "the press began a drag";
    MoveAndRelease(grip, 60, 40);
    after = WindowRect(window);
    EXPECT_TRUE(::EqualRect(&still, &after));
    ASSERT_TRUE(framed.CloseAndWait());
}

TEST_F(View, SelfTimerMinimisesAgainAfterARestoreAndClosesAlsoWhenMinimised)
{
    // All three programs run side by side; each read its timer settings when its
    // window was created, and the minimising one reads IconSec again on every
    // minimise, so IconSec stays in the store throughout.
    SetSetting(L"IconFlg", 1);
    SetSetting(L"IconSec", 5);
    CPloverProcess minimiser;
    WriteBytes(minimiser.SchedulePath(), WriteSchedule(0, FarSchedule()));
    ASSERT_TRUE(minimiser.Start());
    HWND iconWindow = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (iconWindow = minimiser.MainWindow()) != nullptr; }, 60000));

    SetSetting(L"IconFlg", 0);
    SetSetting(L"DestroyFlg", 1);
    SetSetting(L"DestroySec", 4);
    CPloverProcess closer, minimisedCloser;
    const auto schedule = WriteSchedule(0, FarSchedule());
    for (CPloverProcess* p : {&closer, &minimisedCloser}) {
        WriteBytes(p->SchedulePath(), schedule);
        AgeFile(p->SchedulePath());
    }
    const FILETIME aged = LastWriteTime(closer.SchedulePath());
    ASSERT_TRUE(closer.Start());
    ASSERT_TRUE(minimisedCloser.Start());
    HWND hidden = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            if (!hidden && (hidden = minimisedCloser.MainWindow()) != nullptr)
                ::ShowWindow(hidden, SW_MINIMIZE);
            return hidden && (closer.MainWindow() || closer.WaitExit(0));
        },
        60000));
    EXPECT_TRUE(::IsIconic(hidden));

    // The order of what happens, with one generous limit that only ends a hung run.
    bool firstMinimise = false, secondMinimise = false, closerEnded = false, minimisedEnded = false;
    const bool allHappened = WaitUntil(
        [&] {
            if (!firstMinimise && ::IsIconic(iconWindow)) {
                firstMinimise = true;
                ::ShowWindow(iconWindow, SW_RESTORE);
                EXPECT_FALSE(::IsIconic(iconWindow));
            } else if (firstMinimise && ::IsIconic(iconWindow)) {
                secondMinimise = true;
            }
            closerEnded = closerEnded || closer.WaitExit(0);
            minimisedEnded = minimisedEnded || minimisedCloser.WaitExit(0);
            return secondMinimise && closerEnded && minimisedEnded;
        },
        120000);
    EXPECT_TRUE(firstMinimise) << "never minimised";
    EXPECT_TRUE(secondMinimise) << "not minimised again after the restore";
    EXPECT_TRUE(closerEnded) << "did not close by itself";
    EXPECT_TRUE(minimisedEnded) << "did not close by itself while minimised";
    ASSERT_TRUE(allHappened);
    for (CPloverProcess* p : {&closer, &minimisedCloser}) {
        EXPECT_EQ(p->ExitCode(), 0u);
        EXPECT_EQ(ReadBytes(p->SchedulePath()), schedule);
        const FILETIME written = LastWriteTime(p->SchedulePath());
        EXPECT_GT(::CompareFileTime(&written, &aged), 0) << "the schedule was not written";
    }
    ASSERT_TRUE(minimiser.CloseAndWait());
}

// A resize from outside lays out and repaints the whole view at once: what the
// screen shows then is what a fresh start at that size shows.
TEST_F(View, ResizedWindowShowsWhatAFreshStartAtThatSizeShows)
{
    const SYSTEMTIME soon = LocalDateIn(1);
    CScheduleList list;
    list.push_back(MakeEntry(L"星空観察会", soon.wYear, soon.wMonth, soon.wDay));
    list.push_back(MakeEntry(L"入学式", 2030, 4, 8));
    const SIZE sizes[] = {{700, 500}, {300, 240}};
    ::SetEnvironmentVariableW(L"PLOVER_TEST_STILL", L"1");  // what each Plover started inherits

    std::vector<ScreenView> resized;
    {
        CPloverProcess plover;
        const HWND window = plover.StartOn(list);
        ASSERT_NE(window, nullptr);
        SettledView(plover.ViewWindow(), true);
        for (const SIZE& size : sizes) {
            ::SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy,
                           SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            resized.push_back(SettledView(plover.ViewWindow(), false));
        }
        ASSERT_TRUE(plover.CloseAndWait());
    }
    for (std::size_t i = 0; i < std::size(sizes); ++i) {
        ClearSettings();
        SetSetting(L"StartValue", 1);
        SetSetting(L"StartValueWidth", static_cast<DWORD>(sizes[i].cx));
        SetSetting(L"StartValueHeight", static_cast<DWORD>(sizes[i].cy));
        CPloverProcess plover;
        const HWND window = plover.StartOn(list);
        ASSERT_NE(window, nullptr);
        const ScreenView fresh = SettledView(plover.ViewWindow(), true);
        ASSERT_TRUE(plover.CloseAndWait());

        SCOPED_TRACE(std::to_string(sizes[i].cx) + " x " + std::to_string(sizes[i].cy));
        EXPECT_TRUE(SameStars(fresh, resized[i]));
        EXPECT_EQ(CompareViews(fresh, resized[i]), "");
    }
}

// A held button runs the window manager's own move loop, which takes the quit
// message when the self-timer closes the window meanwhile; the program must end
// all the same, having written its schedule.
TEST_F(View, SelfTimerCloseDuringAHeldDragStillEndsTheProgram)
{
    SetSetting(L"StartTitleBar", 1);
    SetSetting(L"StartMenuBar", 1);
    SetSetting(L"DestroyFlg", 1);
    // Long enough for a slow start to reach the drag first, which is asserted.
    SetSetting(L"DestroySec", 10);
    CPloverProcess plover;
    const auto schedule = WriteSchedule(0, FarSchedule());
    WriteBytes(plover.SchedulePath(), schedule);
    AgeFile(plover.SchedulePath());
    const FILETIME aged = LastWriteTime(plover.SchedulePath());
    ASSERT_TRUE(plover.Start());
    const HWND window = plover.WaitMainWindow();
    ASSERT_NE(window, nullptr);
    const DWORD thread = ::GetWindowThreadProcessId(window, nullptr);
    POINT grip{200, 45};
    ::ClientToScreen(plover.ViewWindow(), &grip);
    PressAt(grip);
    const bool dragging = WaitUntil([&] { return InMoveSize(thread) || !::IsWindow(window); }) &&
                          InMoveSize(thread);
    if (!dragging)
        SendMouse(MOUSEEVENTF_LEFTUP, grip);
    ASSERT_TRUE(dragging) << (::IsWindow(window) ? "the press began no drag"
                                                 : "the self-timer closed the window before the drag began");
    SendMouse(0, POINT{grip.x + 10, grip.y + 10});

    const bool gone = WaitUntil([&] { return !::IsWindow(window); }, 30000);
    const bool ended = plover.WaitExit(5000);
    SendMouse(MOUSEEVENTF_LEFTUP, POINT{grip.x + 10, grip.y + 10});
    ASSERT_TRUE(gone) << "the self-timer did not close the window";
    ASSERT_TRUE(ended) << "Plover.exe went on running without its window";
    EXPECT_EQ(plover.ExitCode(), 0u);
    const FILETIME written = LastWriteTime(plover.SchedulePath());
    EXPECT_GT(::CompareFileTime(&written, &aged), 0) << "the schedule was not written";
    EXPECT_EQ(ReadBytes(plover.SchedulePath()), schedule);
}

TEST_F(View, TargetTimeCommandRestoresAMinimisedWindowAndRaisesACoveredOne)
{
    CPloverProcess plover;
    const HWND window = plover.StartOn(FarSchedule());
    ASSERT_NE(window, nullptr);
    const HWND view = plover.ViewWindow();
    ASSERT_NE(view, nullptr);

    ::ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return ::IsIconic(window) != FALSE; }));
    Send(view, WM_COMMAND, IDM_TARGET_TIME);
    EXPECT_TRUE(WaitUntil([&] { return !::IsIconic(window); }));
    EXPECT_TRUE(::IsWindowVisible(window));

    RECT cover = WindowRect(window);
    ::InflateRect(&cover, 20, 20);
    COtherWindow other(cover);
    ::SetWindowPos(other.Get(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::SetForegroundWindow(other.Get());
    ASSERT_TRUE(WaitUntil([&] { return IsAbove(other.Get(), window); }));
    const RECT before = WindowRect(window);
    Send(view, WM_COMMAND, IDM_TARGET_TIME);
    EXPECT_TRUE(WaitUntil([&] { return IsAbove(window, other.Get()); }));
    const RECT after = WindowRect(window);
    EXPECT_TRUE(::EqualRect(&before, &after));
    ASSERT_TRUE(plover.CloseAndWait());
}
