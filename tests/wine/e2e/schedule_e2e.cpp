// The schedule dialogs of the real program, opened from its menu commands and
// filled in as a user types and clicks; each run ends with a normal close and a
// look at the schedule file it wrote.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "PaintCanvas.h"
#include "e2e/E2eSupport.h"
#include "e2e/PloverProcess.h"
#include "framework/TextConv.h"
#include "resource.h"

using namespace plover;
using namespace plover::test;

namespace {

// Posted, so it keeps its place among the dialog actions before and after it.
void Post(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    ::PostMessageW(window, message, wParam, lParam);
}

bool Gone(HWND dialog)
{
    return WaitUntil([&] { return !::IsWindow(dialog); });
}

// Presses OK (or the button that stands for it) and waits until the dialog is gone.
bool Finish(HWND dialog, UINT id = IDOK)
{
    Press(dialog, id);
    return Gone(dialog);
}

int MonthListRows(CPloverProcess& plover)
{
    const HWND list = ::GetDlgItem(plover.ViewWindow(), IDC_MONTH_LIST);
    return static_cast<int>(Send(list, LVM_GETITEMCOUNT));
}

class ScheduleDialogs : public ::testing::Test {
protected:
    void SetUp() override { ClearSettings(); }
    void TearDown() override { ClearSettings(); }

    HWND Start(const CScheduleList& list, std::int32_t target)
    {
        WriteBytes(m_plover.SchedulePath(), WriteSchedule(target, list));
        EXPECT_TRUE(m_plover.Start());
        m_hWnd = m_plover.WaitMainWindow();
        return m_hWnd;
    }

    // The dialog of a menu command, as the menu bar opens it.
    HWND Open(UINT command, const wchar_t* caption)
    {
        Post(m_hWnd, WM_COMMAND, command);
        return m_plover.WaitDialog(caption);
    }

    // Whether the title shows `expected` once another window is active.  Plover's
    // window is made active first, its title then plain, so that a title set before
    // (as a dialog took the activation, say) cannot pass for it.
    ::testing::AssertionResult Countdown(const std::wstring& expected)
    {
        ::SetForegroundWindow(m_hWnd);
        std::wstring title;
        if (!WaitUntil([&] {
                title = TitleOf(m_hWnd);
                return ::GetForegroundWindow() == m_hWnd && title == L"Plover";
            }))
            return ::testing::AssertionFailure()
                   << "the window, made active, is titled \"" << title.c_str() << "\"";
        ::SetForegroundWindow(m_other.Get());
        if (WaitUntil([&] {
                title = TitleOf(m_hWnd);
                return ::GetForegroundWindow() == m_other.Get() && title == expected;
            }))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "the title reads \"" << title.c_str()
                                             << "\", not \"" << expected.c_str() << "\"";
    }

    // Closes normally and reads what the program wrote.
    CScheduleList ScheduleAtExit(std::int32_t& target)
    {
        EXPECT_TRUE(m_plover.CloseAndWait());
        EXPECT_EQ(m_plover.ExitCode(), 0u);
        const std::vector<std::uint8_t> bytes = ReadBytes(m_plover.SchedulePath());
        ScheduleHeader header;
        CScheduleList list;
        EXPECT_EQ(ReadSchedule(bytes.data(), bytes.size(), header, list),
                  ScheduleReadResult::Complete);
        target = header.target;
        return list;
    }

    CPloverProcess m_plover;
    HWND m_hWnd = nullptr;
    COtherWindow m_other{RECT{0, 700, 100, 760}};  // clear of the window
};

std::wstring NameOf(const CPloverFile& entry)
{
    return SjisToWide(entry.Name());
}

// The title while another window is active, counting down to an entry on this date.
std::wstring TitleCountingTo(const std::wstring& name, int year, int month, int day)
{
    const auto dayNumber = [](int y, int m, int d) {
        const SYSTEMTIME date{static_cast<WORD>(y), static_cast<WORD>(m), 0, static_cast<WORD>(d)};
        FILETIME ft{};
        ::SystemTimeToFileTime(&date, &ft);
        return ((static_cast<long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime) /
               864000000000LL;
    };
    const SYSTEMTIME today = LocalDateIn(0);
    const long long days =
        dayNumber(year, month, day) - dayNumber(today.wYear, today.wMonth, today.wDay);
    return L"Plover [" + name + L" まで " + std::to_wstring(days) + L"日]";
}

}  // namespace

TEST_F(ScheduleDialogs, AddedEntryComesLastAndJoinsTheMonthListAtOnce)
{
    CScheduleList list;
    list.push_back(MakeEntry(L"卒業式", 2030, 3, 14));
    ASSERT_NE(Start(list, 0), nullptr);
    const std::wstring countdown = TitleCountingTo(L"卒業式", 2030, 3, 14);
    ASSERT_TRUE(Countdown(countdown));
    const int rows = MonthListRows(m_plover);

    // Today at 23:00, a name typed with 200 characters.
    const HWND dialog = Open(IDM_SCHEDULE_ADD, L"予定の追加");
    ASSERT_NE(dialog, nullptr);
    Type(dialog, IDC_ADD_HOUR, L"23");
    Type(dialog, IDC_ADD_NAME, std::wstring(200, L'星'));
    ASSERT_TRUE(Finish(dialog));
    EXPECT_TRUE(WaitUntil([&] { return MonthListRows(m_plover) == rows + 1; }))
        << "this month's list shows the new entry at once";
    EXPECT_TRUE(Countdown(countdown)) << "the countdown stays";

    std::int32_t target = -1;
    const CScheduleList written = ScheduleAtExit(target);
    ASSERT_EQ(written.size(), 2u);
    EXPECT_EQ(target, 0);
    const SYSTEMTIME today = LocalDateIn(0);
    const CPloverFile& added = *written[1];
    EXPECT_EQ(added.Name(), WideToSjis(std::wstring(63, L'星'))) << "127 bytes hold 63 of them";
    EXPECT_EQ(added.m_wYear, today.wYear);
    EXPECT_EQ(added.m_wMonth, today.wMonth);
    EXPECT_EQ(added.m_wDay, today.wDay);
    EXPECT_EQ(added.m_wHour, 23);
}

// Yesterday's month and day of a past year, made yearly: a birthday.  It counts to
// its next date at once, and is still yearly, and still anchored, after a restart.
TEST_F(ScheduleDialogs, YearlyEntryOfAPastYearCountsToItsNextDateAcrossARestart)
{
    ASSERT_NE(Start({}, 0), nullptr);
    const SYSTEMTIME today = LocalDateIn(0), yesterday = LocalDateIn(-1);
    const HWND dialog = Open(IDM_SCHEDULE_ADD, L"予定の追加");
    ASSERT_NE(dialog, nullptr);
    Type(dialog, IDC_ADD_YEAR, L"2001");
    Type(dialog, IDC_ADD_MONTH, std::to_wstring(yesterday.wMonth));
    Type(dialog, IDC_ADD_DAY, std::to_wstring(yesterday.wDay));
    Type(dialog, IDC_ADD_NAME, L"誕生日");
    Post(::GetDlgItem(dialog, IDC_ADD_REPEAT), CB_SETCURSEL, 1);  // 毎年
    ASSERT_TRUE(Finish(dialog));
    // Next year's date, or this year's when yesterday was 31 December; 29 February
    // falls on the 28th in a common year.
    const int year = today.wYear + (yesterday.wYear == today.wYear ? 1 : 0);
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int day = yesterday.wMonth == 2 && yesterday.wDay == 29 && !leap ? 28 : yesterday.wDay;
    const std::wstring countdown = TitleCountingTo(L"誕生日", year, yesterday.wMonth, day);
    EXPECT_TRUE(Countdown(countdown));

    ASSERT_TRUE(m_plover.CloseAndWait());
    ASSERT_TRUE(m_plover.Start());
    m_hWnd = m_plover.WaitMainWindow();
    EXPECT_TRUE(Countdown(countdown)) << "after a restart";
    std::int32_t target = -1;
    const CScheduleList written = ScheduleAtExit(target);
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0]->m_Repeat, RepeatRule::Yearly);
    EXPECT_EQ(written[0]->Anchor(), (CivilDate{2001, yesterday.wMonth, yesterday.wDay}));
    EXPECT_EQ(written[0]->m_wYear, year) << "the record holds the next date";
}

TEST_F(ScheduleDialogs, PassedTargetCountsTheDaysSinceItWhenAsked)
{
    SetSetting(L"CountUp", 1);
    const SYSTEMTIME passed = LocalDateIn(-12);
    CScheduleList list;
    list.push_back(MakeEntry(L"卒業式", passed.wYear, passed.wMonth, passed.wDay));
    ASSERT_NE(Start(list, 0), nullptr);
    EXPECT_TRUE(Countdown(L"Plover [卒業式 から 12日]"));
}

TEST_F(ScheduleDialogs, TargetEditedIntoThePastShowsThePassedFormOnlyAfterEditAndFinish)
{
    CScheduleList list;
    list.push_back(MakeEntry(L"卒業式", 2030, 3, 14));
    list.push_back(MakeEntry(L"入学式", 2030, 4, 8));
    ASSERT_NE(Start(list, 0), nullptr);
    const std::wstring countdown = TitleCountingTo(L"卒業式", 2030, 3, 14);
    ASSERT_TRUE(Countdown(countdown));

    // 編集 then ｷｬﾝｾﾙ, and 終了 without 編集: nothing changes.
    HWND dialog = Open(IDM_SCHEDULE_EDIT, L"予定の編集");
    ASSERT_NE(dialog, nullptr);
    PostRowChoice(dialog, IDC_EDIT_LIST, 0);
    Type(dialog, IDC_EDIT_YEAR, L"2002");
    Press(dialog, IDC_EDIT_APPLY);
    ASSERT_TRUE(Finish(dialog, IDCANCEL));
    dialog = Open(IDM_SCHEDULE_EDIT, L"予定の編集");
    ASSERT_NE(dialog, nullptr);
    PostRowChoice(dialog, IDC_EDIT_LIST, 0);
    Type(dialog, IDC_EDIT_YEAR, L"2003");
    ASSERT_TRUE(Finish(dialog));
    EXPECT_TRUE(Countdown(countdown));

    dialog = Open(IDM_SCHEDULE_EDIT, L"予定の編集");
    ASSERT_NE(dialog, nullptr);
    PostRowChoice(dialog, IDC_EDIT_LIST, 0);
    Type(dialog, IDC_EDIT_YEAR, L"2001");
    Press(dialog, IDC_EDIT_APPLY);
    ASSERT_TRUE(Finish(dialog));
    EXPECT_TRUE(Countdown(L"Plover [卒業式 は終わりました]")) << "the passed form";

    std::int32_t target = -1;
    const CScheduleList written = ScheduleAtExit(target);
    ASSERT_EQ(written.size(), 2u);
    EXPECT_EQ(written[0]->m_wYear, 2001);
    EXPECT_EQ(written[1]->m_wYear, 2030);
    EXPECT_EQ(target, 0);
}

TEST_F(ScheduleDialogs, DeletionsMoveTheTargetBeforeAfterAtAndFromTheFirstEntry)
{
    CScheduleList list;
    for (const wchar_t* name : {L"一", L"二", L"三", L"四", L"五"})
        list.push_back(MakeEntry(name, 2030, 5, 1 + static_cast<int>(list.size())));
    ASSERT_NE(Start(list, 2), nullptr);

    struct Step {
        int row;
        const wchar_t* target;  // the countdown's entry afterwards
        int day;                // its day in May 2030
    };
    // Before the target, after it, the target itself, then the first entry while
    // it is the target.
    for (const Step& step :
         {Step{0, L"三", 3}, Step{2, L"三", 3}, Step{1, L"二", 2}, Step{0, L"五", 5}}) {
        const HWND dialog = Open(IDM_SCHEDULE_DELETE, L"予定の削除");
        ASSERT_NE(dialog, nullptr);
        PostRowChoice(dialog, IDC_DELETE_LIST, step.row);
        Press(dialog, IDC_DELETE_ENTRY);
        ASSERT_TRUE(Finish(dialog));
        EXPECT_TRUE(Countdown(TitleCountingTo(step.target, 2030, 5, step.day)))
            << "after deleting row " << step.row;
    }
    // Deleted, then cancelled: kept.
    const HWND dialog = Open(IDM_SCHEDULE_DELETE, L"予定の削除");
    ASSERT_NE(dialog, nullptr);
    PostRowChoice(dialog, IDC_DELETE_LIST, 0);
    Press(dialog, IDC_DELETE_ENTRY);
    ASSERT_TRUE(Finish(dialog, IDCANCEL));

    std::int32_t target = -1;
    const CScheduleList written = ScheduleAtExit(target);
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(NameOf(*written[0]), L"五");
    EXPECT_EQ(target, 0);
}

TEST_F(ScheduleDialogs, ChosenTargetBringsItsDaysAndPictureAndEscapeKeepsIt)
{
    WriteBmp(m_plover.Dir() + L"\\red.bmp", 120, 60, RGB(255, 0, 0));
    WriteBmp(m_plover.Dir() + L"\\blue.bmp", 120, 60, RGB(0, 0, 255));
    const SYSTEMTIME soon = LocalDateIn(3);
    CScheduleList list;
    list.push_back(MakeEntry(L"赤", 2030, 3, 14));
    list.push_back(MakeEntry(L"青", soon.wYear, soon.wMonth, soon.wDay));
    CPloverFile::SetText(list[0]->m_szBmpFile, CPloverFile::kBmpFileSize, "red.bmp");
    CPloverFile::SetText(list[1]->m_szBmpFile, CPloverFile::kBmpFileSize, "blue.bmp");
    SetSetting(L"SCI", 3);  // the lower panel shows the target's picture
    ASSERT_NE(Start(list, 0), nullptr);
    const RgbColour red{255, 0, 0}, blue{0, 0, 255};
    ASSERT_TRUE(WaitUntil([&] { return PixelsOf(m_plover, red) > 1000; }));

    HWND dialog = Open(IDM_TARGET_SELECT, L"ターゲット選択");
    ASSERT_NE(dialog, nullptr);
    PostRowChoice(dialog, IDC_TARGET_LIST, 1);
    ASSERT_TRUE(Finish(dialog));
    EXPECT_TRUE(WaitUntil([&] {
        return PixelsOf(m_plover, blue) > 1000 && PixelsOf(m_plover, red) == 0;
    })) << "the new target's picture replaces the old one";
    EXPECT_TRUE(Countdown(L"Plover [青 まで 3日]"));

    // Another choice, left with Esc.
    dialog = Open(IDM_TARGET_SELECT, L"ターゲット選択");
    ASSERT_NE(dialog, nullptr);
    PostRowChoice(dialog, IDC_TARGET_LIST, 0);
    Post(::GetDlgItem(dialog, IDC_TARGET_LIST), WM_KEYDOWN, VK_ESCAPE, 1);
    ASSERT_TRUE(Gone(dialog));
    EXPECT_TRUE(Countdown(L"Plover [青 まで 3日]"));

    std::int32_t target = -1;
    ScheduleAtExit(target);
    EXPECT_EQ(target, 1);
}
