// The version box, the help window and the two astronomy guides of the real
// program, opened by their commands and keys and read from outside: what they
// show, the ways they close, and that the countdown goes on behind the help.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "PaintCanvas.h"
#include "astro/ConstellationTable.h"
#include "astro/ZodiacTable.h"
#include "e2e/E2eSupport.h"
#include "e2e/PloverProcess.h"
#include "objects/ClockFace.h"
#include "resource.h"

using namespace plover;
using namespace plover::test;

namespace {

const wchar_t kAboutCaption[] = L"Plover のバージョン情報";
const wchar_t kHelpCaption[] = L"Plover ヘルプ";

COLORREF Ref(RgbColour c)
{
    return RGB(c.red, c.green, c.blue);
}

// Asked of the control itself: across processes the platform hands out only its
// own copy of a caption, which an edit does not keep up to date.
std::wstring ControlText(HWND dialog, int id)
{
    const HWND control = ::GetDlgItem(dialog, id);
    std::wstring text(static_cast<std::size_t>(Send(control, WM_GETTEXTLENGTH)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        Send(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

std::wstring RowText(HWND list, int row)
{
    const LRESULT length = Send(list, LB_GETTEXTLEN, static_cast<WPARAM>(row));
    if (length <= 0)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    Send(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

std::vector<std::wstring> Rows(HWND dialog, int id)
{
    const HWND list = ::GetDlgItem(dialog, id);
    std::vector<std::wstring> rows;
    for (int i = 0, count = static_cast<int>(Send(list, LB_GETCOUNT)); i < count; ++i)
        rows.push_back(RowText(list, i));
    return rows;
}

std::wstring ChosenRow(HWND dialog, int id)
{
    const HWND list = ::GetDlgItem(dialog, id);
    return RowText(list, static_cast<int>(Send(list, LB_GETCURSEL)));
}

void ChooseListRow(HWND dialog, int id, int row)
{
    const HWND list = ::GetDlgItem(dialog, id);
    Send(list, LB_SETCURSEL, static_cast<WPARAM>(row));
    Send(dialog, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

// The table pads descriptions to one width with blanks the guide leaves off.
std::wstring WithoutFilling(std::wstring text)
{
    text.erase(text.find_last_not_of(L" \u3000") + 1);
    return text;
}

struct CaptionSearch {
    DWORD processId;
    const wchar_t* caption;
    int count;
};

BOOL CALLBACK CountCaptioned(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<CaptionSearch*>(data);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    search->count += pid == search->processId && ::IsWindowVisible(window) &&
                     TitleOf(window) == search->caption;
    return TRUE;
}

// Shown windows of a process with this caption.
int WindowsCaptioned(DWORD processId, const wchar_t* caption)
{
    CaptionSearch search{processId, caption, 0};
    ::EnumWindows(CountCaptioned, reinterpret_cast<LPARAM>(&search));
    return search.count;
}

// A rectangle of a window's client area as the screen shows it: another
// process's window cannot be read through its own DC under Wine.
struct Shot {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;

    COLORREF At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

Shot TakeShot(HWND window, const RECT& area)
{
    Shot shot;
    shot.width = std::max(0, static_cast<int>(area.right - area.left));
    shot.height = std::max(0, static_cast<int>(area.bottom - area.top));
    if (shot.width == 0 || shot.height == 0)
        return Shot{};
    POINT origin{area.left, area.top};
    ::ClientToScreen(window, &origin);
    CPaintCanvas canvas(shot.width, shot.height);
    canvas.CopyFromScreen(origin.x, origin.y);
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x) {
            const RgbColour p = canvas.Pixel(x, y);
            shot.pixels.push_back(RGB(p.red, p.green, p.blue));
        }
    return shot;
}

Shot ClientShot(HWND window)
{
    RECT client{};
    ::GetClientRect(window, &client);
    return TakeShot(window, client);
}

// Pixels of `colour` in rows top..bottom-1.
int CountOf(const Shot& shot, COLORREF colour, int top, int bottom)
{
    int count = 0;
    for (int y = std::max(0, top); y < bottom && y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x)
            count += shot.At(x, y) == colour;
    return count;
}

// A real key press, to whichever window has the keyboard.
void PressKey(WORD key)
{
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, input, sizeof input[0]);
}

// A real click of the left button in the middle of a window, the pointer moved
// there first.
void ClickOn(HWND window)
{
    RECT r{};
    ::GetWindowRect(window, &r);
    const POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    const int w = ::GetSystemMetrics(SM_CXSCREEN);
    const int h = ::GetSystemMetrics(SM_CYSCREEN);
    ::SetCursorPos(at.x, at.y);
    INPUT input[3]{};
    for (INPUT& i : input) {
        i.type = INPUT_MOUSE;
        i.mi.dx = (at.x * 65536 + w - 1) / w;
        i.mi.dy = (at.y * 65536 + h - 1) / h;
        i.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    }
    input[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
    input[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &input[0], sizeof input[0]);
    Pump(150);
    ::SendInput(1, &input[1], sizeof input[0]);
    Pump(100);
    ::SendInput(1, &input[2], sizeof input[0]);
}

bool Foreground(HWND window)
{
    return WaitUntil([&] { return ::GetForegroundWindow() == window; });
}

// Lays `main` in the screen's top-left corner and `other` beside it (or below
// it when the screen is too narrow), so the screen shows both whole.
bool SideBySide(HWND main, HWND other)
{
    const UINT flags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
    ::SetWindowPos(main, nullptr, 0, 0, 0, 0, flags);
    RECT m{}, o{};
    ::GetWindowRect(main, &m);
    ::GetWindowRect(other, &o);
    const bool beside = m.right + (o.right - o.left) <= ::GetSystemMetrics(SM_CXSCREEN);
    ::SetWindowPos(other, nullptr, beside ? m.right : 0, beside ? 0 : m.bottom, 0, 0, flags);
    Pump(500);
    ::GetWindowRect(main, &m);
    ::GetWindowRect(other, &o);
    RECT overlap{};
    return !::IntersectRect(&overlap, &m, &o) && o.right <= ::GetSystemMetrics(SM_CXSCREEN) &&
           o.bottom <= ::GetSystemMetrics(SM_CYSCREEN);
}

class Guides : public ::testing::Test {
protected:
    void SetUp() override { ClearSettings(); }
    void TearDown() override { ClearSettings(); }

    HWND Start(const CScheduleList& list)
    {
        WriteBytes(m_plover.SchedulePath(), WriteSchedule(0, list));
        EXPECT_TRUE(m_plover.Start());
        m_hWnd = m_plover.WaitMainWindow();
        if (m_hWnd)
            Foreground(m_hWnd);
        return m_hWnd;
    }

    HWND Open(UINT command, const wchar_t* caption)
    {
        ::PostMessageW(m_hWnd, WM_COMMAND, command, 0);
        return m_plover.WaitDialog(caption);
    }

    bool CloseWithOk(HWND dialog)
    {
        ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
        return WaitUntil([&] { return !::IsWindow(dialog); });
    }

    CPloverProcess m_plover;
    HWND m_hWnd = nullptr;
};

CScheduleList OneEntry(const SYSTEMTIME& day)
{
    CScheduleList list;
    list.push_back(MakeEntry(L"卒業式", day.wYear, day.wMonth, day.wDay));
    return list;
}

}  // namespace

TEST_F(Guides, VersionBoxShowsBothLinesAndClosesOnEnterEscAndItsButton)
{
    ASSERT_NE(Start(OneEntry(LocalDateIn(30))), nullptr);
    enum Close { kEnter, kEscape, kButton };
    for (Close close : {kEnter, kEscape, kButton}) {
        SCOPED_TRACE(close == kEnter ? "Enter" : close == kEscape ? "Esc" : "a click on OK");
        const HWND box = Open(IDM_APP_ABOUT, kAboutCaption);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(::GetWindow(box, GW_OWNER), m_hWnd);
        EXPECT_FALSE(::IsWindowEnabled(m_hWnd)) << "the box is modal";
        ASSERT_TRUE(Foreground(box));

        // White is the text's alone: the gradient never reaches it, the icon stands
        // left of the lines and the button below them.
        const Shot shot = ClientShot(box);
        ASSERT_GT(shot.height, 93);
        EXPECT_GT(CountOf(shot, Ref(kWhite), 22, 40), 40) << "the version line";
        EXPECT_GT(CountOf(shot, Ref(kWhite), 47, 66), 40) << "the maker line";
        EXPECT_EQ(CountOf(shot, Ref(kWhite), 0, 20), 0);
        const HWND button = ::GetDlgItem(box, IDC_ABOUT_OK);
        ASSERT_NE(button, nullptr);
        const RECT r = ItemRect(box, IDC_ABOUT_OK);
        EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}),
                  (std::vector<LONG>{120, 73, 155, 93}));

        if (close == kEnter)
            PressKey(VK_RETURN);
        else if (close == kEscape)
            PressKey(VK_ESCAPE);
        else
            ClickOn(button);
        ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(box); })) << "still open";
        EXPECT_TRUE(::IsWindowEnabled(m_hWnd));
        EXPECT_TRUE(Foreground(m_hWnd));
    }
    ASSERT_TRUE(m_plover.CloseAndWait());
    EXPECT_EQ(m_plover.ExitCode(), 0u);
}

TEST_F(Guides, HelpWindowOpensOnF1ShowsEachPageInTheSameWindowAndTheCountdownRunsOn)
{
    SetSetting(L"SCI", 2);  // the clock in the lower panel
    ASSERT_NE(Start(OneEntry(LocalDateIn(12))), nullptr);
    const HWND clock = ::GetDlgItem(m_plover.ViewWindow(), IDC_CLOCK);
    ASSERT_TRUE(::IsWindowVisible(clock));
    EXPECT_EQ(TitleOf(m_hWnd), L"Plover");

    ASSERT_EQ(::GetForegroundWindow(), m_hWnd);
    PressKey(VK_F1);
    const HWND help = m_plover.WaitDialog(kHelpCaption);
    ASSERT_NE(help, nullptr) << "F1 opened no help";
    EXPECT_EQ(::GetWindow(help, GW_OWNER), m_hWnd);
    EXPECT_EQ(ChosenRow(help, IDC_HELP_TOPICS), L"目次");
    EXPECT_EQ(ControlText(help, IDC_HELP_PAGE).rfind(L"Plover（プローバー）は", 0), 0u);
    EXPECT_TRUE(::IsWindowEnabled(m_hWnd)) << "help holds nothing up";

    // Behind the help the title counts down, and the clock, left in sight, ticks.
    ASSERT_TRUE(Foreground(help));
    EXPECT_TRUE(WaitUntil([&] { return TitleOf(m_hWnd) == L"Plover [卒業式 まで 12日]"; }))
        << "title: " << ::testing::PrintToString(TitleOf(m_hWnd));
    ASSERT_TRUE(SideBySide(m_hWnd, help)) << "the screen cannot show both";
    const Shot before = ClientShot(clock);
    EXPECT_GT(CountOf(before, Ref(kClockBackground), 0, before.height),
              before.width * before.height / 4)
        << "the clock is not what the screen shows";
    EXPECT_TRUE(WaitUntil([&] { return ClientShot(clock).pixels != before.pixels; }, 5000))
        << "the clock stood still";
    EXPECT_EQ(::GetForegroundWindow(), help);

    // The science page, then the contents again, in the one window.
    ::PostMessageW(m_hWnd, WM_COMMAND, IDM_HELP_SCIENCE, 0);
    EXPECT_TRUE(WaitUntil([&] {
        return ChosenRow(help, IDC_HELP_TOPICS) == L"天文なぜなに科学館";
    })) << ::testing::PrintToString(ChosenRow(help, IDC_HELP_TOPICS));
    EXPECT_EQ(ControlText(help, IDC_HELP_PAGE).rfind(L"星座についての小さな読み物です。", 0), 0u);
    ::PostMessageW(m_hWnd, WM_COMMAND, IDM_HELP_FINDER, 0);
    EXPECT_TRUE(WaitUntil([&] { return ChosenRow(help, IDC_HELP_TOPICS) == L"目次"; }));
    EXPECT_EQ(WindowsCaptioned(m_plover.ProcessId(), kHelpCaption), 1);
    EXPECT_TRUE(::IsWindow(help));

    // Closing the program with the help open ends it cleanly, help and all.
    ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
    ASSERT_TRUE(m_plover.WaitExit(20000));
    EXPECT_EQ(m_plover.ExitCode(), 0u);
    EXPECT_FALSE(::IsWindow(help));
    EXPECT_FALSE(::IsWindow(m_hWnd));
}

TEST_F(Guides, ConstellationAndZodiacGuidesShowThisMonthsTables)
{
    const int month = LocalDateIn(0).wMonth;
    const ConstellationList table = ConstellationsOfMonth(month);
    const ZodiacRow* sign = ZodiacForMonth(month);
    ASSERT_FALSE(table.empty());
    ASSERT_NE(sign, nullptr);
    ASSERT_NE(Start(OneEntry(LocalDateIn(30))), nullptr);

    HWND dialog = Open(IDM_CONSTELLATION, L"今月の南中星座");
    ASSERT_NE(dialog, nullptr);
    std::vector<std::wstring> names;
    for (const ConstellationRow& row : table)
        names.push_back(row.name);
    EXPECT_EQ(Rows(dialog, IDC_CONSTELLATION_LIST), names);
    // The first row, then the last, so a dialog stuck on one row shows.
    for (int index : {0, static_cast<int>(table.size()) - 1}) {
        SCOPED_TRACE("row " + std::to_string(index));
        const ConstellationRow& row = table.rows[index];
        ChooseListRow(dialog, IDC_CONSTELLATION_LIST, index);
        EXPECT_EQ(ControlText(dialog, IDC_CONSTELLATION_MONTH), row.month);
        EXPECT_EQ(ControlText(dialog, IDC_CONSTELLATION_DAY), row.day);
        EXPECT_EQ(ControlText(dialog, IDC_CONSTELLATION_HOUR), row.hour);
        EXPECT_EQ(ControlText(dialog, IDC_CONSTELLATION_MINUTE), row.minute);
        EXPECT_EQ(ControlText(dialog, IDC_CONSTELLATION_DESCRIPTION),
                  WithoutFilling(row.description));
    }
    ASSERT_TRUE(CloseWithOk(dialog));

    dialog = Open(IDM_ZODIAC, L"今月の黄道１２宮");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ControlText(dialog, IDC_ZODIAC_NAME), sign->name);
    EXPECT_EQ(ControlText(dialog, IDC_ZODIAC_DESCRIPTION), sign->description);
    // The band between the two boxes holds a picture, not bare dialog face.
    ASSERT_TRUE(Foreground(dialog));
    const RECT name = ItemRect(dialog, IDC_ZODIAC_NAME);
    const RECT description = ItemRect(dialog, IDC_ZODIAC_DESCRIPTION);
    const Shot band = TakeShot(dialog, RECT{0, name.bottom, name.right, description.top});
    const COLORREF face = ClientShot(dialog).At(1, 1);
    std::set<COLORREF> colours(band.pixels.begin(), band.pixels.end());
    const int painted = band.width * band.height - CountOf(band, face, 0, band.height);
    EXPECT_GE(colours.size(), 4u);
    EXPECT_GT(painted, band.width * band.height / 4) << "of " << band.width << " x " << band.height;
    ASSERT_TRUE(CloseWithOk(dialog));

    ASSERT_TRUE(m_plover.CloseAndWait());
    EXPECT_EQ(m_plover.ExitCode(), 0u);
}
