// The two iCalendar commands of the real program, through its menu commands, the
// system's file dialogs and the import dialog: a schedule written out and read
// into an empty one comes back the same, and an import adds only what is checked.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "e2e/E2eSupport.h"
#include "e2e/PloverProcess.h"
#include "framework/TextConv.h"
#include "resource.h"

using namespace plover;
using namespace plover::test;

namespace {

constexpr wchar_t kSaveTitle[] = L"iCalendar ﾌｧｲﾙへの書き出し";
constexpr wchar_t kOpenTitle[] = L"読み込む iCalendar ﾌｧｲﾙ";
constexpr wchar_t kImportTitle[] = L"iCalendar ﾌｧｲﾙの読み込み";
// The file dialog's name field: an edit (edt1) or, in the newer template, a combo box.
constexpr int kFileNameEdit = 0x480;
constexpr int kFileNameCombo = 0x47c;

struct DialogSearch {
    DWORD pid;
    const wchar_t* caption;
    int button;  // a child the dialog must have, 0 for any
    HWND found = nullptr;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM data)
{
    auto& search = *reinterpret_cast<DialogSearch*>(data);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    wchar_t className[16] = {}, caption[256] = {};
    ::GetClassNameW(window, className, 16);
    ::GetWindowTextW(window, caption, 256);
    if (pid == search.pid && ::IsWindowVisible(window) && std::wstring(className) == L"#32770" &&
        std::wstring(caption) == search.caption &&
        (search.button == 0 || ::GetDlgItem(window, search.button))) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

// A shown dialog of Plover with this caption (and this button, when not 0), once it
// has painted and answers; null, and a failure, when none comes.
HWND WaitFor(CPloverProcess& plover, const wchar_t* caption, int button = 0)
{
    DialogSearch search{plover.ProcessId(), caption, button};
    if (WaitUntil(
            [&] {
                search.found = nullptr;
                ::EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
                return search.found != nullptr && Painted(search.found);
            },
            30000))
        return search.found;
    ADD_FAILURE() << "no dialog " << ::testing::PrintToString(std::wstring(caption))
                  << (button ? " with button " + std::to_string(button) : "") << " within 30 s";
    return nullptr;
}

// The text of Plover's next message box; it is answered with `button`.
std::wstring AnswerMessage(CPloverProcess& plover, int button = IDOK)
{
    const HWND box = WaitFor(plover, L"Plover");
    if (!box)
        return L"(no message)";
    wchar_t text[2048] = {};
    ::GetDlgItemTextW(box, 0xFFFF, text, 2048);
    Press(box, button);
    WaitUntil([&] { return !::IsWindow(box); });
    return text;
}

// Types `path` into the open or save dialog with this caption and presses its OK.
bool ChooseFile(CPloverProcess& plover, const wchar_t* caption, const std::wstring& path)
{
    const HWND dialog = WaitFor(plover, caption, IDOK);
    if (!dialog)
        return false;
    HWND field = ::GetDlgItem(dialog, kFileNameEdit);
    if (!field || !::IsWindowVisible(field))
        field = ::GetDlgItem(dialog, kFileNameCombo);
    Send(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    wchar_t typed[MAX_PATH] = {};
    Send(field, WM_GETTEXT, MAX_PATH, reinterpret_cast<LPARAM>(typed));
    EXPECT_EQ(std::wstring(typed), path) << "the name field holds the path typed";
    if (path != typed)
        return false;
    Press(dialog, IDOK);
    return true;
}

std::vector<int> CheckStates(HWND importDialog)
{
    const HWND list = ::GetDlgItem(importDialog, IDC_ICAL_LIST);
    std::vector<int> states;
    const int count = static_cast<int>(Send(list, LVM_GETITEMCOUNT));
    for (int i = 0; i < count; ++i) {
        const auto state =
            Send(list, LVM_GETITEMSTATE, static_cast<WPARAM>(i), LVIS_STATEIMAGEMASK);
        states.push_back(static_cast<int>((state & LVIS_STATEIMAGEMASK) >> 12) - 1);
    }
    return states;
}

class ICalendarCommands : public ::testing::Test {
protected:
    void SetUp() override { ClearSettings(); }
    void TearDown() override { ClearSettings(); }

    static CScheduleList ScheduleAtExit(CPloverProcess& plover)
    {
        EXPECT_TRUE(plover.CloseAndWait());
        const std::vector<std::uint8_t> bytes = ReadBytes(plover.SchedulePath());
        ScheduleHeader header;
        CScheduleList list;
        EXPECT_EQ(ReadSchedule(bytes.data(), bytes.size(), header, list),
                  ScheduleReadResult::Complete);
        return list;
    }

    // Imports `path` into a running Plover up to its import dialog.
    static HWND OpenImport(CPloverProcess& plover, HWND main, const std::wstring& path)
    {
        ::PostMessageW(main, WM_COMMAND, IDM_ICAL_IMPORT, 0);
        EXPECT_TRUE(ChooseFile(plover, kOpenTitle, path));
        return WaitFor(plover, kImportTitle, IDC_ICAL_LIST);
    }
};

std::string Record(const CPloverFile& entry)
{
    std::uint8_t record[CPloverFile::kRecordSize];
    entry.WriteRecord(record);
    return std::string(reinterpret_cast<char*>(record), sizeof record);
}

}  // namespace

TEST_F(ICalendarCommands, ExportedScheduleImportsIntoAnEmptyOneUnchanged)
{
    const SYSTEMTIME soon = LocalDateIn(3);
    CScheduleList list;
    list.push_back(MakeEntry(L"a, b; c\\d", soon.wYear, soon.wMonth, soon.wDay, 9, 30));
    list.push_back(MakeEntry(L"ﾊﾝｶｸ ｶﾀｶﾅ", soon.wYear + 1, 1, 31, 23, 59));
    list.push_back(MakeEntry(std::wstring(63, L'星'), soon.wYear + 2, 2, 28, 0, 0));
    // A yearly entry from four years ago goes out as its rule and comes back as it.
    list.push_back(MakeEntry(L"毎年", soon.wYear - 4, soon.wMonth, soon.wDay, 8, 0));
    list.back()->SetRepeat(RepeatRule::Yearly);
    list.back()->m_wYear = soon.wYear;
    CPloverFile::SetText(list[0]->m_szDescription, CPloverFile::kDescriptionSize,
                         WideToSjis(L"一行目\r\n二行目, with; \\"));
    CPloverProcess first;
    const HWND main = first.StartOn(list);
    ASSERT_NE(main, nullptr);
    const std::wstring file = first.Dir() + L"\\Plover.ics";

    ::PostMessageW(main, WM_COMMAND, IDM_ICAL_EXPORT, 0);
    ASSERT_TRUE(ChooseFile(first, kSaveTitle, file));
    EXPECT_NE(AnswerMessage(first).find(L"4 件の予定を書き出しました"), std::wstring::npos);
    const std::vector<std::uint8_t> bytes = ReadBytes(file);
    ASSERT_GT(bytes.size(), 15u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 15), "BEGIN:VCALENDAR");

    // Again into the same file: untouched while the usual question is open and after
    // its No, which goes back to the file dialog; replaced once the user says yes.
    const std::vector<std::uint8_t> old{'o', 'l', 'd'};
    WriteBytes(file, old);
    ::PostMessageW(main, WM_COMMAND, IDM_ICAL_EXPORT, 0);
    for (int answer : {IDNO, IDYES}) {
        SCOPED_TRACE(answer == IDNO ? "no" : "yes, after a no");
        ASSERT_TRUE(ChooseFile(first, kSaveTitle, file));
        const HWND question = WaitFor(first, kSaveTitle, IDYES);
        ASSERT_NE(question, nullptr) << "the usual question before a file is replaced";
        EXPECT_EQ(ReadBytes(file), old) << "written before the answer";
        Press(question, answer);
        ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(question); }));
    }
    EXPECT_NE(AnswerMessage(first).find(L"4 件の予定を書き出しました"), std::wstring::npos);
    ASSERT_EQ(ScheduleAtExit(first).size(), 4u);

    CPloverProcess second;
    const HWND empty = second.StartOn(CScheduleList());
    ASSERT_NE(empty, nullptr);
    const HWND dialog = OpenImport(second, empty, file);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(CheckStates(dialog), (std::vector<int>{1, 1, 1, 1}));
    Press(dialog, IDC_ICAL_SELECT_NONE);
    EXPECT_TRUE(WaitUntil([&] { return CheckStates(dialog) == std::vector<int>{0, 0, 0, 0}; }));
    Press(dialog, IDC_ICAL_SELECT_ALL);
    EXPECT_TRUE(WaitUntil([&] { return CheckStates(dialog) == std::vector<int>{1, 1, 1, 1}; }));
    Press(dialog, IDOK);
    EXPECT_NE(AnswerMessage(second).find(L"4 件の予定を追加しました"), std::wstring::npos);
    const CScheduleList imported = ScheduleAtExit(second);
    ASSERT_EQ(imported.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(Record(*imported[i]), Record(*list[i])) << i;
        EXPECT_EQ(imported[i]->m_Repeat, list[i]->m_Repeat) << i;
        EXPECT_EQ(imported[i]->Anchor(), list[i]->Anchor()) << i;
    }
}

TEST_F(ICalendarCommands, ImportAddsOnlyTheCheckedAndABadFileNothing)
{
    const SYSTEMTIME soon = LocalDateIn(5);
    const SYSTEMTIME past = LocalDateIn(-5);
    CScheduleList list;
    list.push_back(MakeEntry(L"held", soon.wYear, soon.wMonth, soon.wDay, 10, 0));
    CPloverProcess plover;
    const HWND main = plover.StartOn(list);
    ASSERT_NE(main, nullptr);

    const std::wstring binary = plover.Dir() + L"\\binary.ics";
    WriteBytes(binary, {0x89, 'P', 'N', 'G', 0, 0, 0, 1});
    ::PostMessageW(main, WM_COMMAND, IDM_ICAL_IMPORT, 0);
    ASSERT_TRUE(ChooseFile(plover, kOpenTitle, binary));
    EXPECT_NE(AnswerMessage(plover).find(L"テキストファイルではありません"), std::wstring::npos);

    char day[16], pastDay[16];
    std::snprintf(day, sizeof day, "%04u%02u%02u", soon.wYear, soon.wMonth, soon.wDay);
    std::snprintf(pastDay, sizeof pastDay, "%04u%02u%02u", past.wYear, past.wMonth, past.wDay);
    const std::string ics =
        std::string("BEGIN:VCALENDAR\r\nVERSION:2.0\r\n") + "BEGIN:VEVENT\r\nDTSTART:" + day +
        "T100000\r\nSUMMARY:held\r\nEND:VEVENT\r\n" + "BEGIN:VEVENT\r\nDTSTART:" + pastDay +
        "T100000\r\nSUMMARY:past\r\nEND:VEVENT\r\n" + "BEGIN:VEVENT\r\nDTSTART:" + day +
        "T110000\r\nSUMMARY:new one\r\nEND:VEVENT\r\n" + "BEGIN:VEVENT\r\nDTSTART:" + day +
        "T120000\r\nSUMMARY:new two\r\nEND:VEVENT\r\n" +
        "BEGIN:VEVENT\r\nSUMMARY:no start\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    const std::wstring path = plover.Dir() + L"\\events.ics";
    WriteBytes(path, std::vector<std::uint8_t>(ics.begin(), ics.end()));
    const HWND dialog = OpenImport(plover, main, path);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(CheckStates(dialog), (std::vector<int>{0, 0, 1, 1}))
        << "held and past start unchecked";
    // The last row unchecked from the keyboard, as a user would.
    const HWND rows = ::GetDlgItem(dialog, IDC_ICAL_LIST);
    ::PostMessageW(rows, WM_KEYDOWN, VK_END, 0);
    ::PostMessageW(rows, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(WaitUntil([&] { return CheckStates(dialog) == std::vector<int>{0, 0, 1, 0}; }));
    Press(dialog, IDOK);
    const std::wstring said = AnswerMessage(plover);
    EXPECT_NE(said.find(L"1 件の予定を追加しました"), std::wstring::npos) << said.c_str();
    EXPECT_NE(said.find(L"読み込めなかった予定: 1 件"), std::wstring::npos) << said.c_str();
    const CScheduleList after = ScheduleAtExit(plover);
    ASSERT_EQ(after.size(), 2u);
    EXPECT_EQ(after[1]->Name(), "new one");
    EXPECT_EQ(after[1]->m_wHour, 11);
}
