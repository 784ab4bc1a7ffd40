// The options sheet of the real program, opened by its command and worked from
// outside as a user would: its tabs and buttons, a change on every page stored and
// applied on OK, nothing on Cancel, the page it reopens on, and a close asked for
// while it is open.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "e2e/E2eSupport.h"
#include "e2e/PloverProcess.h"
#include "resource.h"
#include "view/PloverView.h"

using namespace plover;
using namespace plover::test;

namespace {

const wchar_t kSheetCaption[] = L"Plover のﾌﾟﾛﾊﾟﾃｨ";
const wchar_t kConfigKey[] = L"Software\\WREN\\Plover\\Config";

// The platform's numbers of a sheet's Apply and Help buttons.
constexpr int kApplyButton = 0x3021;
constexpr int kHelpButton = 9;

enum Page { kCursorPage, kTimerPage, kStartPage, kShowPage, kSoundPage, kNoticePage };

HWND CurrentPage(HWND sheet)
{
    return reinterpret_cast<HWND>(Send(sheet, PSM_GETCURRENTPAGEHWND));
}

int ActivePage(HWND sheet)
{
    const HWND page = CurrentPage(sheet);
    return static_cast<int>(Send(sheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(page)));
}

// Page `index` shown as a click on its tab would, and its window.
HWND ShowPage(HWND sheet, int index)
{
    Send(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index));
    return CurrentPage(sheet);
}

void ClickBox(HWND page, int id)
{
    Send(::GetDlgItem(page, id), BM_CLICK);
}

bool IsTicked(HWND page, int id)
{
    return Send(::GetDlgItem(page, id), BM_GETCHECK) == BST_CHECKED;
}

void PickListRow(HWND page, int id, int row)
{
    const HWND list = ::GetDlgItem(page, id);
    Send(list, LB_SETCURSEL, static_cast<WPARAM>(row));
    Send(page, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

void TypeText(HWND page, int id, const wchar_t* text)
{
    Send(::GetDlgItem(page, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

// Presses OK or Cancel and waits until the program has done with what the sheet
// gave it: the sheet goes before the settings are written and applied, and a
// message to its owner is taken only once the command has returned.
bool EndSheet(HWND sheet, int button)
{
    const HWND owner = ::GetWindow(sheet, GW_OWNER);
    ::PostMessageW(sheet, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(sheet, button)));
    if (!WaitUntil([&] { return !::IsWindow(sheet); }))
        return false;
    // A program that ends with its sheet (a close waited for it) has no owner left
    // to answer, and nothing more to do.
    DWORD_PTR ignored = 0;
    if (!::SendMessageTimeoutW(owner, WM_NULL, 0, 0, SMTO_NORMAL, 15000, &ignored) &&
        ::IsWindow(owner)) {
        ADD_FAILURE() << "the sheet's owner did not answer after the sheet closed";
        return false;
    }
    return true;
}

std::vector<int> VisibleButtons(HWND sheet)
{
    std::vector<int> ids;
    for (HWND child = ::GetWindow(sheet, GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[32] = {};
        ::GetClassNameW(child, name, 32);
        if (std::wstring(name) == L"Button" && ::IsWindowVisible(child))
            ids.push_back(::GetDlgCtrlID(child));
    }
    return ids;
}

// A tab's text lives in the program's memory, so the item and its text buffer are
// placed there for the tab control to fill.
std::wstring TabText(DWORD processId, HWND tab, int index)
{
    const HANDLE process = ::OpenProcess(
        PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (!process)
        return L"(no access)";
    constexpr int kChars = 64;
    auto* remote = static_cast<BYTE*>(::VirtualAllocEx(
        process, nullptr, sizeof(TCITEMW) + kChars * sizeof(wchar_t), MEM_COMMIT | MEM_RESERVE,
        PAGE_READWRITE));
    std::wstring text;
    if (remote) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(TCITEMW));
        item.cchTextMax = kChars;
        wchar_t buffer[kChars] = {};
        if (::WriteProcessMemory(process, remote, &item, sizeof item, nullptr) &&
            ::WriteProcessMemory(process, item.pszText, buffer, sizeof buffer, nullptr) &&
            Send(tab, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(remote)) &&
            ::ReadProcessMemory(process, item.pszText, buffer, sizeof buffer, nullptr)) {
            buffer[kChars - 1] = L'\0';
            text = buffer;
        }
        ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    ::CloseHandle(process);
    return text;
}

// Every value under the program's key, typed, so a comparison shows any write.
using StoredValues = std::map<std::wstring, std::wstring>;

StoredValues ReadStore()
{
    StoredValues values;
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kConfigKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return values;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256] = {};
        DWORD nameLength = 256, type = 0;
        BYTE data[1024] = {};
        DWORD size = sizeof data - sizeof(wchar_t);
        if (::RegEnumValueW(key, i, name, &nameLength, nullptr, &type, data, &size) !=
            ERROR_SUCCESS)
            break;
        if (type == REG_DWORD)
            values[name] = L"dword " + std::to_wstring(*reinterpret_cast<const DWORD*>(data));
        else if (type == REG_SZ)
            values[name] = L"sz " + std::wstring(reinterpret_cast<const wchar_t*>(data));
        else
            values[name] = L"type " + std::to_wstring(type);
    }
    ::RegCloseKey(key);
    return values;
}

void SetStringSetting(const wchar_t* name, const std::wstring& value)
{
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kConfigKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                          &key, nullptr) != ERROR_SUCCESS)
        return;
    ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key);
}

bool ChildShown(HWND view, int id)
{
    return ::IsWindowVisible(::GetDlgItem(view, id)) != FALSE;
}

// The cursor the pointer shows over the middle of the view, after a small real
// move there and the question the move asks the view (answered only once the
// handler has set the cursor) make the view choose it.
HCURSOR CursorOverView(HWND view)
{
    RECT client{};
    ::GetClientRect(view, &client);
    POINT at{client.right / 2, client.bottom / 4};
    ::ClientToScreen(view, &at);
    ::SetCursorPos(at.x, at.y);
    const int w = ::GetSystemMetrics(SM_CXSCREEN);
    const int h = ::GetSystemMetrics(SM_CYSCREEN);
    for (int step : {1, 0}) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = ((at.x + step) * 65536 + w - 1) / w;
        input.mi.dy = (at.y * 65536 + h - 1) / h;
        input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
        ::SendInput(1, &input, sizeof input);
    }
    Send(view, WM_SETCURSOR, reinterpret_cast<WPARAM>(view), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    CURSORINFO info{sizeof info};
    ::GetCursorInfo(&info);
    return info.hCursor;
}

class Options : public ::testing::Test {
protected:
    void SetUp() override { ClearSettings(); }
    void TearDown() override { ClearSettings(); }

    HWND Start()
    {
        CScheduleList list;
        list.push_back(MakeEntry(L"卒業式", 2030, 3, 14));
        list.push_back(MakeEntry(L"入学式", 2030, 4, 8));
        WriteBytes(m_plover.SchedulePath(), WriteSchedule(0, list));
        EXPECT_TRUE(m_plover.Start());
        m_hWnd = m_plover.WaitMainWindow();
        if (m_hWnd) {
            EXPECT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == m_hWnd; }))
                << "the window never came to the front";
        }
        return m_hWnd;
    }

    // The sheet as the menu command opens it.
    HWND OpenSheet()
    {
        ::PostMessageW(m_hWnd, WM_COMMAND, IDM_OPTIONS, 0);
        return m_plover.WaitDialog(kSheetCaption);
    }

    CPloverProcess m_plover;
    HWND m_hWnd = nullptr;
};

}  // namespace

TEST_F(Options, FirstOpeningShowsSixTabsOnTheCursorPageAndCancelChangesNothing)
{
    ASSERT_NE(Start(), nullptr);
    const HWND view = m_plover.ViewWindow();
    const HCURSOR cursor = CursorOverView(view);
    const StoredValues stored = ReadStore();

    HWND sheet = OpenSheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(TitleOf(sheet), kSheetCaption);
    EXPECT_EQ(::GetWindow(sheet, GW_OWNER), m_hWnd);
    EXPECT_EQ(m_plover.MessageBoxWindow(), nullptr) << "the sheet taken for a message box";
    const HWND tab = reinterpret_cast<HWND>(Send(sheet, PSM_GETTABCONTROL));
    wchar_t tabClass[32] = {};
    ::GetClassNameW(tab, tabClass, 32);
    EXPECT_STREQ(tabClass, L"SysTabControl32");
    const std::vector<std::wstring> tabs = {L"ｶｰｿﾙ", L"ﾀｲﾏｰ", L"起動状態", L"表示", L"ｻｳﾝﾄﾞ", L"通知"};
    ASSERT_EQ(Send(tab, TCM_GETITEMCOUNT), static_cast<LRESULT>(tabs.size()));
    for (int i = 0; i < static_cast<int>(tabs.size()); ++i)
        EXPECT_EQ(TabText(m_plover.ProcessId(), tab, i), tabs[i]) << "tab " << i;
    EXPECT_EQ(Send(tab, TCM_GETCURSEL), 0);
    EXPECT_EQ(ActivePage(sheet), kCursorPage);
    EXPECT_NE(::GetDlgItem(CurrentPage(sheet), IDC_CURSOR_LIST), nullptr);
    EXPECT_EQ(VisibleButtons(sheet), (std::vector<int>{IDOK, IDCANCEL}));
    for (int hidden : {kApplyButton, kHelpButton}) {
        const HWND button = ::GetDlgItem(sheet, hidden);
        EXPECT_TRUE(!button || !::IsWindowVisible(button)) << "button " << hidden;
    }

    // Changes on three pages, then Cancel.
    PickListRow(CurrentPage(sheet), IDC_CURSOR_LIST, 5);
    HWND page = ShowPage(sheet, kTimerPage);
    ClickBox(page, IDC_TIMER_ICON_FLAG);
    TypeText(page, IDC_TIMER_ICON_SEC, L"1");
    page = ShowPage(sheet, kShowPage);
    ClickBox(page, IDC_SHOW_ROLL_STAR);
    ClickBox(page, IDC_SHOW_TITLE_BAR);
    ClickBox(page, IDC_PANEL_CLOCK);
    ASSERT_TRUE(EndSheet(sheet, IDCANCEL));

    EXPECT_EQ(ReadStore(), stored);
    EXPECT_TRUE(HasCaption(m_hWnd));
    EXPECT_NE(::GetMenu(m_hWnd), nullptr);
    EXPECT_TRUE(ChildShown(view, IDC_STAR_LEFT));
    EXPECT_TRUE(ChildShown(view, IDC_STAR_RIGHT));
    EXPECT_TRUE(ChildShown(view, IDC_MONTH_LIST));
    EXPECT_FALSE(ChildShown(view, IDC_CLOCK));
    EXPECT_EQ(CursorOverView(view), cursor);
    // Two of the view's one-second ticks, each answered once handled: more than
    // the cancelled self-timer would need.
    for (int tick = 0; tick < 2; ++tick)
        Send(view, WM_TIMER, static_cast<WPARAM>(ViewTimer::Tick));
    EXPECT_FALSE(::IsIconic(m_hWnd)) << "the cancelled one-second self-timer ran";

    // Never confirmed: the cursor page again, showing what is stored.
    sheet = OpenSheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(ActivePage(sheet), kCursorPage);
    EXPECT_EQ(Send(::GetDlgItem(CurrentPage(sheet), IDC_CURSOR_LIST), LB_GETCURSEL), 0);

    // A close asked for meanwhile waits for the sheet, then ends the program.  The
    // close is answered once its handler has run.
    Send(m_hWnd, WM_CLOSE);
    EXPECT_TRUE(::IsWindow(sheet));
    EXPECT_FALSE(m_plover.WaitExit(0));
    ASSERT_TRUE(EndSheet(sheet, IDCANCEL));
    ASSERT_TRUE(m_plover.WaitExit(20000));
    EXPECT_EQ(m_plover.ExitCode(), 0u);
}

TEST_F(Options, ChangesOnEveryPageAreStoredAndAppliedAtOnce)
{
    ASSERT_NE(Start(), nullptr);
    const HWND view = m_plover.ViewWindow();
    const HCURSOR cursor = CursorOverView(view);

    const HWND sheet = OpenSheet();
    ASSERT_NE(sheet, nullptr);
    PickListRow(CurrentPage(sheet), IDC_CURSOR_LIST, 4);
    HWND page = ShowPage(sheet, kTimerPage);
    ClickBox(page, IDC_TIMER_ICON_FLAG);
    TypeText(page, IDC_TIMER_ICON_SEC, L"5");
    TypeText(page, IDC_TIMER_DESTROY_SEC, L"77");
    page = ShowPage(sheet, kStartPage);
    ClickBox(page, IDC_START_NO_MENU_BAR);
    ClickBox(page, IDC_START_POSITION);
    ClickBox(page, IDC_START_SIZE);
    page = ShowPage(sheet, kShowPage);
    ClickBox(page, IDC_SHOW_ROLL_STAR);
    ClickBox(page, IDC_SHOW_MENU_BAR);
    ClickBox(page, IDC_SHOW_DATE);
    ClickBox(page, IDC_PANEL_CLOCK);
    ClickBox(page, IDC_CLOCK_HOUR24);
    ClickBox(page, IDC_CLOCK_MINCHO);
    ClickBox(page, IDC_SHOW_LEAP_MAR1);
    ClickBox(page, IDC_SHOW_COUNT_UP);
    page = ShowPage(sheet, kSoundPage);
    ClickBox(page, IDC_SOUND_ON);
    TypeText(page, IDC_SOUND_START, L"開始.wav");
    TypeText(page, IDC_SOUND_END, L"End.wav");
    TypeText(page, IDC_SOUND_VERSION, L"Ver.wav");
    page = ShowPage(sheet, kNoticePage);
    ClickBox(page, IDC_NOTICE_DAY_BEFORE);
    ClickBox(page, IDC_NOTICE_MINUTES_BEFORE);
    TypeText(page, IDC_NOTICE_MINUTES, L"9999999");  // beyond a week: a week
    EXPECT_FALSE(::IsIconic(m_hWnd)) << "a self-timer acted before OK";
    ASSERT_TRUE(EndSheet(sheet, IDOK));

    // Every key, the unchanged ones too.
    EXPECT_EQ(ReadStore(), (StoredValues{
                               {L"CursorNo", L"dword 5"},
                               {L"IconFlg", L"dword 1"},
                               {L"IconSec", L"dword 5"},
                               {L"DestroyFlg", L"dword 0"},
                               {L"DestroySec", L"dword 77"},
                               {L"StartTitleBar", L"dword 0"},
                               {L"StartMenuBar", L"dword 1"},
                               {L"StartPosition", L"dword 1"},
                               {L"StartValue", L"dword 1"},
                               {L"RollStar", L"dword 0"},
                               {L"TitleBar", L"dword 1"},
                               {L"MenuBar", L"dword 0"},
                               {L"Date", L"dword 0"},
                               {L"Target", L"dword 1"},
                               {L"SC", L"dword 1"},
                               {L"SCI", L"dword 2"},
                               {L"Hour24", L"dword 0"},
                               {L"GMFont", L"dword 2"},
                               {L"LeapDay", L"dword 1"},
                               {L"CountUp", L"dword 1"},
                               {L"TrayIcon", L"dword 0"},
                               {L"TrayWhenMinimized", L"dword 0"},
                               {L"Sound", L"dword 0"},
                               {L"NoticeAtTime", L"dword 1"},
                               {L"NoticeDayBefore", L"dword 0"},
                               {L"NoticeDayBeforeHour", L"dword 20"},
                               {L"NoticeDayBeforeMinute", L"dword 0"},
                               {L"NoticeMinutesBefore", L"dword 1"},
                               {L"NoticeMinutes", L"dword 10080"},
                               {L"StartWav", L"sz 開始.wav"},
                               {L"EndWav", L"sz End.wav"},
                               {L"VerWav", L"sz Ver.wav"},
                           }));

    EXPECT_FALSE(ChildShown(view, IDC_STAR_LEFT));
    EXPECT_FALSE(ChildShown(view, IDC_STAR_RIGHT));
    EXPECT_TRUE(ChildShown(view, IDC_CLOCK));
    EXPECT_FALSE(ChildShown(view, IDC_MONTH_LIST));
    EXPECT_TRUE(HasCaption(m_hWnd));
    EXPECT_EQ(::GetMenu(m_hWnd), nullptr);
    EXPECT_NE(CursorOverView(view), cursor);

    // The minimise count, on from the typed seconds after OK and not before.
    ASSERT_TRUE(WaitUntil([&] { return ::IsIconic(m_hWnd) != FALSE; }, 60000))
        << "not minimised after OK";
    ASSERT_TRUE(m_plover.CloseAndWait());
    EXPECT_EQ(m_plover.ExitCode(), 0u);
}

// The start-up box is Windows' own list, read back each time the page opens: what
// it writes, Task Manager's switch turned off, and the box unticked.
TEST_F(Options, StartWithWindowsWritesTheQuotedPathAndFollowsTaskManager)
{
    const wchar_t* run = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    const wchar_t* approved =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, run, L"Plover");
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, approved, L"Plover");
    const auto runValue = [&] {
        wchar_t text[1024] = {};
        DWORD size = sizeof text;
        if (::RegGetValueW(HKEY_CURRENT_USER, run, L"Plover", RRF_RT_REG_SZ, nullptr, text, &size) !=
            ERROR_SUCCESS)
            return std::wstring(L"(none)");
        return std::wstring(text);
    };
    const auto openStartPage = [&](HWND& sheet) {
        sheet = OpenSheet();
        return sheet ? ShowPage(sheet, kStartPage) : nullptr;
    };
    ASSERT_NE(Start(), nullptr);
    HWND sheet = nullptr;
    HWND page = openStartPage(sheet);
    ASSERT_NE(page, nullptr);
    EXPECT_FALSE(IsTicked(page, IDC_START_WITH_WINDOWS));
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(page, IDC_START_TURNED_OFF)));
    ClickBox(page, IDC_START_WITH_WINDOWS);
    ASSERT_TRUE(EndSheet(sheet, IDOK));
    const std::wstring command = L"\"" + m_plover.Dir() + L"\\Plover.exe\" /signin";
    EXPECT_EQ(runValue(), command);

    // Turned off in Task Manager: the box shows off, with the line that says so.
    const BYTE off[12] = {3};
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, approved, L"Plover", REG_BINARY, off, sizeof off),
              ERROR_SUCCESS);
    page = openStartPage(sheet);
    ASSERT_NE(page, nullptr);
    EXPECT_FALSE(IsTicked(page, IDC_START_WITH_WINDOWS));
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(page, IDC_START_TURNED_OFF)));
    ASSERT_TRUE(EndSheet(sheet, IDOK));
    EXPECT_EQ(runValue(), command) << "OK on the page left alone keeps the entry";
    page = openStartPage(sheet);
    ASSERT_NE(page, nullptr);
    ClickBox(page, IDC_START_WITH_WINDOWS);
    ASSERT_TRUE(EndSheet(sheet, IDOK));
    BYTE now[12] = {};
    DWORD size = sizeof now;
    ASSERT_EQ(::RegGetValueW(HKEY_CURRENT_USER, approved, L"Plover", RRF_RT_REG_BINARY, nullptr, now,
                             &size),
              ERROR_SUCCESS);
    EXPECT_EQ(now[0] & 1, 0) << "ticked again, it is on in Task Manager too";

    page = openStartPage(sheet);
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(IsTicked(page, IDC_START_WITH_WINDOWS));
    ClickBox(page, IDC_START_WITH_WINDOWS);
    ASSERT_TRUE(EndSheet(sheet, IDOK));
    EXPECT_EQ(runValue(), L"(none)");
    ASSERT_TRUE(m_plover.CloseAndWait());
}

TEST_F(Options, OkWithoutVisitingAPageWritesEverySettingBackUnchanged)
{
    // Values no page would show as they are (a title bar of 2, seconds beyond the
    // arrows' range) stay as they are too.
    const std::vector<std::pair<const wchar_t*, DWORD>> numbers = {
        {L"CursorNo", 7},      {L"IconFlg", 1},       {L"IconSec", 5000},
        {L"DestroyFlg", 1},    {L"DestroySec", 2999}, {L"StartTitleBar", 1},
        {L"StartMenuBar", 1},  {L"StartPosition", 1}, {L"StartValue", 1},
        {L"RollStar", 0},      {L"TitleBar", 2},      {L"MenuBar", 0},
        {L"Date", 0},          {L"Target", 0},        {L"SC", 0},
        {L"SCI", 3},           {L"Hour24", 0},        {L"GMFont", 2},
        {L"LeapDay", 1},       {L"CountUp", 1},       {L"Sound", 0},
        {L"TrayIcon", 1},      {L"TrayWhenMinimized", 1},
        {L"NoticeAtTime", 0},  {L"NoticeDayBefore", 0}, {L"NoticeDayBeforeHour", 7},
        {L"NoticeDayBeforeMinute", 30}, {L"NoticeMinutesBefore", 1}, {L"NoticeMinutes", 45},
    };
    const std::vector<std::pair<const wchar_t*, const wchar_t*>> names = {
        {L"StartWav", L"星.wav"}, {L"EndWav", L"bye.wav"}, {L"VerWav", L""}};
    StoredValues expected;
    for (const auto& [key, value] : numbers) {
        SetSetting(key, value);
        expected[key] = L"dword " + std::to_wstring(value);
    }
    for (const auto& [key, value] : names) {
        SetStringSetting(key, value);
        expected[key] = std::wstring(L"sz ") + value;
    }
    ASSERT_NE(Start(), nullptr);

    const HWND sheet = OpenSheet();
    ASSERT_NE(sheet, nullptr);
    // The sheet holds what it read: a store emptied meanwhile is filled from it.
    ClearSettings();
    ASSERT_TRUE(EndSheet(sheet, IDOK));
    EXPECT_EQ(ReadStore(), expected);
    ASSERT_TRUE(m_plover.CloseAndWait());
    EXPECT_EQ(m_plover.ExitCode(), 0u);
}

TEST_F(Options, HidingTheTitleBarTakesTheMenuBarAndTheSheetReopensOnTheLastConfirmedPage)
{
    ASSERT_NE(Start(), nullptr);
    HWND sheet = OpenSheet();
    ASSERT_NE(sheet, nullptr);
    HWND page = ShowPage(sheet, kShowPage);
    const HWND menuBox = ::GetDlgItem(page, IDC_SHOW_MENU_BAR);
    ASSERT_TRUE(IsTicked(page, IDC_SHOW_MENU_BAR));
    ClickBox(page, IDC_SHOW_TITLE_BAR);
    EXPECT_FALSE(IsTicked(page, IDC_SHOW_TITLE_BAR));
    EXPECT_FALSE(IsTicked(page, IDC_SHOW_MENU_BAR));
    EXPECT_FALSE(::IsWindowEnabled(menuBox));
    // Ticked again, the title bar frees the box but leaves it clear.
    ClickBox(page, IDC_SHOW_TITLE_BAR);
    EXPECT_TRUE(::IsWindowEnabled(menuBox));
    EXPECT_FALSE(IsTicked(page, IDC_SHOW_MENU_BAR));
    ClickBox(page, IDC_SHOW_MENU_BAR);
    ClickBox(page, IDC_SHOW_TITLE_BAR);
    EXPECT_FALSE(IsTicked(page, IDC_SHOW_MENU_BAR));
    ASSERT_TRUE(EndSheet(sheet, IDOK));

    EXPECT_FALSE(HasCaption(m_hWnd));
    EXPECT_EQ(::GetMenu(m_hWnd), nullptr);
    EXPECT_TRUE(SettingIs(L"TitleBar", 0));
    EXPECT_TRUE(SettingIs(L"MenuBar", 0));
    const StoredValues confirmed = ReadStore();

    // Confirmed on the display page: it opens there.  Left for the timer page with
    // Cancel: still there, and nothing stored.
    sheet = OpenSheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(ActivePage(sheet), kShowPage);
    page = CurrentPage(sheet);
    EXPECT_FALSE(IsTicked(page, IDC_SHOW_TITLE_BAR));
    EXPECT_FALSE(IsTicked(page, IDC_SHOW_MENU_BAR));
    page = ShowPage(sheet, kTimerPage);
    ClickBox(page, IDC_TIMER_DESTROY_FLAG);
    ASSERT_TRUE(EndSheet(sheet, IDCANCEL));
    EXPECT_EQ(ReadStore(), confirmed);
    sheet = OpenSheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(ActivePage(sheet), kShowPage);

    // A close asked for while the sheet is open waits, and what OK confirms is still
    // stored before the program ends.
    page = CurrentPage(sheet);
    ClickBox(page, IDC_SHOW_TITLE_BAR);
    Send(m_hWnd, WM_CLOSE);
    ASSERT_TRUE(::IsWindow(sheet));
    ASSERT_TRUE(EndSheet(sheet, IDOK));
    ASSERT_TRUE(m_plover.WaitExit(20000));
    EXPECT_EQ(m_plover.ExitCode(), 0u);
    EXPECT_TRUE(SettingIs(L"TitleBar", 1));
}
