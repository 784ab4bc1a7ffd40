// When the real program writes the schedule: at each dialog's OK, read back while
// the program still runs; and at the end of a session, only when it really ends.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "e2e/E2eSupport.h"
#include "e2e/PloverProcess.h"
#include "framework/TextConv.h"
#include "resource.h"

using namespace plover;
using namespace plover::test;

namespace {

// The schedule file as it is now; `target` gets its target index.
CScheduleList FileNow(const CPloverProcess& plover, std::int32_t& target)
{
    const std::vector<std::uint8_t> bytes = ReadBytes(plover.SchedulePath());
    ScheduleHeader header;
    CScheduleList list;
    target = -1;
    if (!bytes.empty() &&
        ReadSchedule(bytes.data(), bytes.size(), header, list) == ScheduleReadResult::Complete)
        target = header.target;
    return list;
}

CScheduleList Three()
{
    CScheduleList list;
    for (const wchar_t* name : {L"一", L"二", L"三"})
        list.push_back(MakeEntry(name, 2030, 5, 1 + static_cast<int>(list.size())));
    return list;
}

class Writes : public ::testing::Test {
protected:
    void SetUp() override { ClearSettings(); }
    void TearDown() override { ClearSettings(); }
};

}  // namespace

// Each OK's write is in the file while the program runs: it is killed at the end,
// so no write at exit can stand in for one.
TEST_F(Writes, EditDeleteTargetAndImportAreInTheFileAtTheirOk)
{
    CPloverProcess plover;
    const HWND window = plover.StartOn(Three());
    ASSERT_NE(window, nullptr);
    std::int32_t target = -1;

    ::PostMessageW(window, WM_COMMAND, IDM_SCHEDULE_EDIT, 0);
    HWND dialog = plover.WaitDialog(L"予定の編集");
    ASSERT_NE(dialog, nullptr);
    PostRowChoice(dialog, IDC_EDIT_LIST, 1);
    Type(dialog, IDC_EDIT_YEAR, L"2031");
    Press(dialog, IDC_EDIT_APPLY);
    Press(dialog, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }));
    Send(window, WM_NULL);  // answered once the OK's command, write included, is done
    CScheduleList now = FileNow(plover, target);
    ASSERT_EQ(now.size(), 3u);
    EXPECT_EQ(now[1]->m_wYear, 2031) << "the edit";

    ::PostMessageW(window, WM_COMMAND, IDM_TARGET_SELECT, 0);
    dialog = plover.WaitDialog(L"ターゲット選択");
    ASSERT_NE(dialog, nullptr);
    PostRowChoice(dialog, IDC_TARGET_LIST, 2);
    Press(dialog, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }));
    Send(window, WM_NULL);
    FileNow(plover, target);
    EXPECT_EQ(target, 2) << "the chosen target";

    ::PostMessageW(window, WM_COMMAND, IDM_SCHEDULE_DELETE, 0);
    dialog = plover.WaitDialog(L"予定の削除");
    ASSERT_NE(dialog, nullptr);
    PostRowChoice(dialog, IDC_DELETE_LIST, 0);
    Press(dialog, IDC_DELETE_ENTRY);
    Press(dialog, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }));
    Send(window, WM_NULL);
    now = FileNow(plover, target);
    ASSERT_EQ(now.size(), 2u) << "the deletion";
    EXPECT_EQ(SjisToWide(now[0]->Name()), L"二");
    EXPECT_EQ(target, 1) << "the target follows its entry";

    const std::string ics =
        "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20300601\r\n"
        "SUMMARY:imported\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    const std::wstring path = plover.Dir() + L"\\events.ics";
    WriteBytes(path, std::vector<std::uint8_t>(ics.begin(), ics.end()));
    ::PostMessageW(window, WM_COMMAND, IDM_ICAL_IMPORT, 0);
    dialog = plover.WaitDialog(L"読み込む iCalendar ﾌｧｲﾙ");
    ASSERT_NE(dialog, nullptr);
    HWND field = ::GetDlgItem(dialog, 0x480);  // the name field: an edit or a combo box
    if (!field || !::IsWindowVisible(field))
        field = ::GetDlgItem(dialog, 0x47c);
    Send(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    Press(dialog, IDOK);
    dialog = plover.WaitDialog(L"iCalendar ﾌｧｲﾙの読み込み");
    ASSERT_NE(dialog, nullptr);
    Press(dialog, IDOK);
    // Written before the program says what it added.
    MessageBoxView box;
    ASSERT_TRUE(plover.WaitMessageBox(box));
    now = FileNow(plover, target);
    ASSERT_EQ(now.size(), 3u) << "the import";
    EXPECT_EQ(now[2]->Name(), "imported");
    plover.Answer(box, IDOK);

    const HANDLE process = ::OpenProcess(PROCESS_TERMINATE, FALSE, plover.ProcessId());
    ASSERT_NE(process, nullptr);
    ::TerminateProcess(process, 1);
    ::CloseHandle(process);
    ASSERT_TRUE(plover.WaitExit(10000));
    EXPECT_EQ(FileNow(plover, target).size(), 3u);
}

// A session that does not end after all (another program refused) leaves the file
// and the settings alone and the program running; one that ends writes what the
// OKs committed, also under an open schedule dialog, whose own change it drops.
TEST_F(Writes, EndOfSessionWritesOnlyWhenItEndsAndAlsoUnderAScheduleDialog)
{
    CPloverProcess plover;
    const HWND window = plover.StartOn(Three());
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(::DeleteFileW(plover.SchedulePath().c_str()));
    ::SetWindowPos(window, nullptr, 123, 77, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    DWORD_PTR answer = 0;
    ASSERT_TRUE(::SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF,
                                      SMTO_ABORTIFHUNG, 5000, &answer));
    EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));
    ASSERT_TRUE(::SendMessageTimeoutW(window, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF,
                                      SMTO_ABORTIFHUNG, 5000, &answer));
    EXPECT_FALSE(Exists(plover.SchedulePath())) << "written for a session that goes on";
    DWORD left = 0;
    EXPECT_FALSE(GetSetting(L"StartPositionPosX", left)) << "the place written";
    EXPECT_TRUE(::IsWindow(window));

    ::PostMessageW(window, WM_COMMAND, IDM_SCHEDULE_EDIT, 0);
    const HWND dialog = plover.WaitDialog(L"予定の編集");
    ASSERT_NE(dialog, nullptr) << "the program went on";
    PostRowChoice(dialog, IDC_EDIT_LIST, 0);
    Type(dialog, IDC_EDIT_YEAR, L"2040");
    Press(dialog, IDC_EDIT_APPLY);
    Send(dialog, WM_NULL);
    ASSERT_TRUE(::SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF,
                                      SMTO_ABORTIFHUNG, 5000, &answer));
    ASSERT_TRUE(::SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF,
                                      SMTO_ABORTIFHUNG, 5000, &answer))
        << "answered at once under the dialog";
    std::int32_t target = -1;
    const CScheduleList written = FileNow(plover, target);
    ASSERT_EQ(written.size(), 3u);
    EXPECT_EQ(written[0]->m_wYear, 2030) << "the open dialog's change is not committed";
    EXPECT_EQ(target, 0);
    ASSERT_TRUE(GetSetting(L"StartPositionPosX", left));
    EXPECT_EQ(left, 123u);
}
