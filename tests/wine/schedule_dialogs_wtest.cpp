// The four schedule dialogs on real windows, driven with the messages a user's
// typing, clicks and list choices produce: what each hands back, the byte limits
// of the fields, pictures chosen elsewhere, previews kept inside their frames, and
// a thousand openings that leave nothing behind.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>

#include "WindowScript.h"
#include "WineTestSupport.h"
#include "framework/Gdi.h"
#include "framework/MessageBox.h"
#include "framework/Paths.h"
#include "framework/TextConv.h"
#include "resource.h"
#include "schedule/AddScheduleDlg.h"
#include "schedule/DeleteScheduleDlg.h"
#include "schedule/EditScheduleDlg.h"
#include "schedule/PictureImport.h"
#include "schedule/TargetSelectDlg.h"
#include "services/DataFolder.h"

using namespace plover;
using namespace plover::test;

namespace {

void Type(HWND dialog, UINT id, const std::wstring& text)
{
    const HWND edit = ::GetDlgItem(dialog, static_cast<int>(id));
    for (wchar_t c : text)
        ::SendMessageW(edit, WM_CHAR, c, 1);
}

void Replace(HWND dialog, UINT id, const wchar_t* text)
{
    const HWND edit = ::GetDlgItem(dialog, static_cast<int>(id));
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
    Type(dialog, id, text);
}

int ListCount(HWND dialog, UINT listId)
{
    return static_cast<int>(
        ::SendMessageW(::GetDlgItem(dialog, static_cast<int>(listId)), LB_GETCOUNT, 0, 0));
}

// Message boxes recorded and answered; the open-file dialog answered with a path.
class CScheduleDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetMessageBoxHook([this](const MessageRecord& message) {
            messages.push_back(message.text);
            return answer;
        });
    }
    void TearDown() override
    {
        SetMessageBoxHook(nullptr);
        SetChoosePictureHook(nullptr);
        for (const std::wstring& file : programFolderFiles)
            ::DeleteFileW(file.c_str());
    }

    // A file in the program's folder (the test program's), removed afterwards.
    std::wstring ProgramFolderFile(const std::wstring& name)
    {
        programFolderFiles.push_back(ProgramFolder() + name);
        return programFolderFiles.back();
    }
    static std::wstring UniqueName(const wchar_t* stem)
    {
        return stem + std::to_wstring(::GetCurrentProcessId()) + L".bmp";
    }
    void ChooseNext(const std::wstring& path)
    {
        SetChoosePictureHook([path] { return std::optional<std::wstring>(path); });
    }

    CScheduleList ThreeEntries()
    {
        CScheduleList list;
        list.push_back(MakeEntry(L"Ａ", 2030, 1, 1));
        list.push_back(MakeEntry(L"Ｂ", 2031, 2, 2));
        list.push_back(MakeEntry(L"Ｃ", 2032, 3, 3));
        return list;
    }

    std::vector<std::wstring> messages;
    int answer = IDOK;
    CScratchDir dir;
    std::vector<std::wstring> programFolderFiles;
};

}  // namespace

TEST_F(CScheduleDialogTest, AddTakesTheTypedEntryWithinTheFieldsBytes)
{
    CAddScheduleDlg dialog(nullptr, 1996, 7, 15);
    ASSERT_TRUE(dialog.Create());
    const HWND window = dialog.m_hWnd;
    EXPECT_EQ(Text(window, IDC_ADD_YEAR), L"1996");
    EXPECT_EQ(Text(window, IDC_ADD_MONTH), L"7");
    EXPECT_EQ(Text(window, IDC_ADD_DAY), L"15");
    EXPECT_EQ(Text(window, IDC_ADD_HOUR), L"0");
    int low = 0, high = 0;
    ::SendMessageW(::GetDlgItem(window, IDC_SPIN_YEAR), UDM_GETRANGE32,
                   reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(low, 1996);
    EXPECT_EQ(high, 2999);

    // 1 + 200 × 2 bytes typed: the field stops at 127 bytes on a whole character;
    // a character code page 932 cannot hold is turned away, not stored as "?".
    Type(window, IDC_ADD_NAME, L"a" + std::wstring(200, L'星'));
    Type(window, IDC_ADD_DESCRIPTION, L"x\xD83D\xDE00y");
    Replace(window, IDC_ADD_YEAR, L"1990");
    Replace(window, IDC_ADD_MINUTE, L"abc");
    Click(window, IDOK);

    const CPloverFile& entry = dialog.Entry();
    EXPECT_EQ(entry.Name().size(), 127u);
    EXPECT_EQ(entry.Name(), "a" + WideToSjis(std::wstring(63, L'星')));
    EXPECT_EQ(entry.Description(), "xy");
    EXPECT_EQ(entry.m_wYear, 1990) << "a year below the spin range is taken as typed";
    EXPECT_EQ(entry.m_wMonth, 7);
    EXPECT_EQ(entry.m_wMinute, 0) << "text that is no number";
    EXPECT_EQ(entry.BmpFile(), "");
}

TEST_F(CScheduleDialogTest, PictureChosenElsewhereIsCopiedIntoTheProgramFolderOnOk)
{
    const std::wstring name = UniqueName(L"wtest-chosen-");
    const std::wstring source = dir.File(name.c_str());
    WriteBmp(source, 20, 10, RGB(255, 0, 0));
    const std::wstring copy = ProgramFolderFile(name);

    {  // Cancel copies nothing.
        CAddScheduleDlg dialog(nullptr, 2026, 12, 9);
        ASSERT_TRUE(dialog.Create());
        ChooseNext(source);
        Click(dialog.m_hWnd, IDC_CHOOSE_PICTURE);
        EXPECT_EQ(Text(dialog.m_hWnd, IDC_ADD_PICTURE_NAME), name);
        Click(dialog.m_hWnd, IDCANCEL);
        EXPECT_FALSE(Exists(copy));
    }
    {
        CAddScheduleDlg dialog(nullptr, 2026, 12, 9);
        ASSERT_TRUE(dialog.Create());
        Click(dialog.m_hWnd, IDC_CHOOSE_PICTURE);
        Click(dialog.m_hWnd, IDOK);
        EXPECT_EQ(SjisToWide(dialog.Entry().BmpFile()), name);
        EXPECT_EQ(ReadBytes(copy), ReadBytes(source));
        EXPECT_TRUE(messages.empty()) << "nothing to ask";
    }

    // A different picture of the same name: replaced only when the user agrees.
    WriteBmp(source, 20, 10, RGB(0, 0, 255));
    const std::vector<std::uint8_t> before = ReadBytes(copy);
    for (const int reply : {IDNO, IDYES}) {
        answer = reply;
        CAddScheduleDlg dialog(nullptr, 2026, 12, 9);
        ASSERT_TRUE(dialog.Create());
        Click(dialog.m_hWnd, IDC_CHOOSE_PICTURE);
        Click(dialog.m_hWnd, IDOK);
        if (reply == IDNO) {
            EXPECT_EQ(dialog.Entry().BmpFile(), "") << "the entry keeps its old picture";
            EXPECT_EQ(ReadBytes(copy), before);
        } else {
            EXPECT_EQ(SjisToWide(dialog.Entry().BmpFile()), name);
            EXPECT_EQ(ReadBytes(copy), ReadBytes(source));
        }
    }
    EXPECT_EQ(messages.size(), 2u);
}

TEST_F(CScheduleDialogTest, WithTheUsersDataFolderPicturesGoThereAndAreLookedUpThereFirst)
{
    CScratchDir user;
    const std::wstring data = user.Path() + L"\\WREN\\Plover\\";  // made when first needed
    SetDataFolder(data);
    const std::wstring beside = UniqueName(L"wtest-beside-");
    WriteBmp(ProgramFolderFile(beside), 8, 8, RGB(0, 255, 0));
    const std::wstring chosen = UniqueName(L"wtest-user-");
    WriteBmp(dir.File(chosen.c_str()), 8, 8, RGB(255, 0, 0));
    for (const std::wstring& source : {ProgramFolder() + beside, dir.File(chosen.c_str())}) {
        CAddScheduleDlg dialog(nullptr, 2026, 12, 9);
        ASSERT_TRUE(dialog.Create());
        ChooseNext(source);
        Click(dialog.m_hWnd, IDC_CHOOSE_PICTURE);
        Click(dialog.m_hWnd, IDOK);
    }
    SetDataFolder({});
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(Exists(data + beside)) << "found beside the program already";
    EXPECT_FALSE(Exists(ProgramFolder() + chosen)) << "the program folder is left alone";
    EXPECT_EQ(ReadBytes(data + chosen), ReadBytes(dir.File(chosen.c_str())));
    SetDataFolder(data);
    EXPECT_EQ(PicturePath(chosen), data + chosen);
    EXPECT_EQ(PicturePath(beside), ProgramFolder() + beside);
    SetDataFolder({});
}

TEST_F(CScheduleDialogTest, EditChangesOnlyTheWorkingCopyAndOnlyWithTheEditButton)
{
    const CScheduleList schedule = ThreeEntries();
    CEditScheduleDlg dialog(nullptr, schedule, 2026);
    ASSERT_TRUE(dialog.Create());
    const HWND window = dialog.m_hWnd;
    ASSERT_EQ(ListCount(window, IDC_EDIT_LIST), 3);

    Click(window, IDC_EDIT_APPLY);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], L"選択してください");

    ChooseRow(window, IDC_EDIT_LIST, 1);
    EXPECT_EQ(Text(window, IDC_EDIT_LEFT_YEAR), L"2031");
    EXPECT_EQ(Text(window, IDC_EDIT_NAME), L"Ｂ");
    Replace(window, IDC_EDIT_NAME, L"Ｂ改");
    Replace(window, IDC_EDIT_YEAR, L"1995");
    Click(window, IDC_EDIT_APPLY);
    EXPECT_EQ(ListRow(window, IDC_EDIT_LIST, 1), L"Ｂ改") << "the new name shows at once";
    EXPECT_EQ(Text(window, IDC_EDIT_LEFT_YEAR), L"1995") << "below the spin range, as typed";

    // Typed on the right without the edit button: not taken over.
    ChooseRow(window, IDC_EDIT_LIST, 2);
    Replace(window, IDC_EDIT_NAME, L"捨てる");
    Click(window, IDOK);

    ASSERT_EQ(dialog.WorkList().size(), 3u);
    EXPECT_EQ(SjisToWide(dialog.WorkList()[1]->Name()), L"Ｂ改");
    EXPECT_EQ(dialog.WorkList()[1]->m_wYear, 1995);
    EXPECT_EQ(SjisToWide(dialog.WorkList()[2]->Name()), L"Ｃ");
    EXPECT_EQ(SjisToWide(schedule[1]->Name()), L"Ｂ") << "the schedule itself is untouched";
}

TEST_F(CScheduleDialogTest, EditCopiesAPictureFromElsewhereOnlyForAnEntryThatTookIt)
{
    const std::wstring name = UniqueName(L"wtest-edit-");
    const std::wstring source = dir.File(name.c_str());
    WriteBmp(source, 20, 10, RGB(0, 255, 0));
    const std::wstring copy = ProgramFolderFile(name);
    const CScheduleList schedule = ThreeEntries();

    {  // Chosen, then another entry selected: nothing taken, nothing copied.
        CEditScheduleDlg dialog(nullptr, schedule, 2026);
        ASSERT_TRUE(dialog.Create());
        ChooseRow(dialog.m_hWnd, IDC_EDIT_LIST, 0);
        ChooseNext(source);
        Click(dialog.m_hWnd, IDC_CHOOSE_PICTURE);
        ChooseRow(dialog.m_hWnd, IDC_EDIT_LIST, 1);
        Click(dialog.m_hWnd, IDOK);
        EXPECT_FALSE(Exists(copy));
        EXPECT_EQ(dialog.WorkList()[0]->BmpFile(), schedule[0]->BmpFile());
    }
    CEditScheduleDlg dialog(nullptr, schedule, 2026);
    ASSERT_TRUE(dialog.Create());
    ChooseRow(dialog.m_hWnd, IDC_EDIT_LIST, 0);
    Click(dialog.m_hWnd, IDC_CHOOSE_PICTURE);
    Click(dialog.m_hWnd, IDC_EDIT_APPLY);
    EXPECT_EQ(Text(dialog.m_hWnd, IDC_EDIT_LEFT_PICTURE_NAME), name);
    EXPECT_FALSE(Exists(copy)) << "copied only when the whole edit is kept";
    Click(dialog.m_hWnd, IDOK);
    EXPECT_EQ(SjisToWide(dialog.WorkList()[0]->BmpFile()), name);
    EXPECT_EQ(ReadBytes(copy), ReadBytes(source));
}

TEST_F(CScheduleDialogTest, DeleteMovesTheTargetAsEachRemovalRequires)
{
    struct Case {
        std::int32_t target;
        std::vector<int> rows;  // deleted one after the other
        std::int32_t expected;
    };
    const Case cases[] = {
        {2, {0}, 1},        // before the target: the same entry stays the target
        {1, {1}, 0},        // the target itself: the entry before it
        {1, {2}, 1},        // after the target: nothing moves
        {0, {0}, 0},        // the first entry while it is the target: the new first
        {2, {0, 0, 0}, 0},  // every entry: index 0, no target left
    };
    for (const Case& c : cases) {
        const CScheduleList schedule = ThreeEntries();
        CDeleteScheduleDlg dialog(nullptr, schedule, c.target);
        ASSERT_TRUE(dialog.Create());
        for (int row : c.rows) {
            ChooseRow(dialog.m_hWnd, IDC_DELETE_LIST, row);
            Click(dialog.m_hWnd, IDC_DELETE_ENTRY);
        }
        EXPECT_EQ(ListCount(dialog.m_hWnd, IDC_DELETE_LIST), static_cast<int>(3 - c.rows.size()));
        Click(dialog.m_hWnd, IDOK);
        EXPECT_EQ(dialog.Target(), c.expected) << "target " << c.target;
        EXPECT_EQ(dialog.WorkList().size(), 3 - c.rows.size());
        EXPECT_EQ(schedule.size(), 3u);
    }
    EXPECT_TRUE(messages.empty());

    // Each deletion needs a choice of its own; the deleted entry stays on show.
    const CScheduleList schedule = ThreeEntries();
    CDeleteScheduleDlg dialog(nullptr, schedule, 0);
    ASSERT_TRUE(dialog.Create());
    ChooseRow(dialog.m_hWnd, IDC_DELETE_LIST, 1);
    Click(dialog.m_hWnd, IDC_DELETE_ENTRY);
    Click(dialog.m_hWnd, IDC_DELETE_ENTRY);
    EXPECT_EQ(messages, std::vector<std::wstring>{L"選択してください"});
    EXPECT_EQ(Text(dialog.m_hWnd, IDC_DELETE_YEAR), L"2031");
    EXPECT_EQ(ListCount(dialog.m_hWnd, IDC_DELETE_LIST), 2);
}

TEST_F(CScheduleDialogTest, TargetOpensOnTheTargetAndHandsBackTheChoice)
{
    const CScheduleList schedule = ThreeEntries();
    {
        CTargetSelectDlg dialog(nullptr, schedule, 1);
        ASSERT_TRUE(dialog.Create());
        EXPECT_EQ(::SendMessageW(::GetDlgItem(dialog.m_hWnd, IDC_TARGET_LIST), LB_GETCURSEL, 0, 0), 1);
        EXPECT_EQ(Text(dialog.m_hWnd, IDC_TARGET_YEAR), L"2031");
        ChooseRow(dialog.m_hWnd, IDC_TARGET_LIST, 2);
        EXPECT_EQ(Text(dialog.m_hWnd, IDC_TARGET_MONTH), L"3");
        Click(dialog.m_hWnd, IDOK);
        EXPECT_EQ(dialog.Target(), 2);
    }
    {  // An empty schedule: an empty list, and OK hands back no entry.
        const CScheduleList empty;
        CTargetSelectDlg dialog(nullptr, empty, 0);
        ASSERT_TRUE(dialog.Create());
        EXPECT_EQ(ListCount(dialog.m_hWnd, IDC_TARGET_LIST), 0);
        Click(dialog.m_hWnd, IDOK);
        EXPECT_EQ(dialog.Target(), -1);
    }
}

TEST_F(CScheduleDialogTest, PreviewStaysInsideItsFrame)
{
    const std::wstring name = UniqueName(L"wtest-large-");
    const std::wstring picture = ProgramFolderFile(name);
    WriteBmp(picture, 600, 400, RGB(255, 0, 0));
    CScheduleList schedule = ThreeEntries();
    CPloverFile::SetText(schedule[0]->m_szBmpFile, CPloverFile::kBmpFileSize, WideToSjis(name));

    CTargetSelectDlg dialog(nullptr, schedule, 0);
    ASSERT_TRUE(dialog.Create());
    ::SetWindowPos(dialog.m_hWnd, HWND_TOPMOST, 10, 10, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    ::RedrawWindow(dialog.m_hWnd, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpWaiting();

    RECT frame{};
    ::GetWindowRect(::GetDlgItem(dialog.m_hWnd, IDC_TARGET_FRAME), &frame);
    ::MapWindowPoints(nullptr, dialog.m_hWnd, reinterpret_cast<POINT*>(&frame), 2);
    RECT client{};
    ::GetClientRect(dialog.m_hWnd, &client);
    const CClientDC dc(dialog.m_hWnd);
    const auto red = [&](int x, int y) { return ::GetPixel(dc.Get(), x, y) == RGB(255, 0, 0); };
    EXPECT_TRUE(red(frame.left + 5, frame.top + 5));
    EXPECT_TRUE(red(frame.right - 5, frame.bottom - 5));
    EXPECT_FALSE(red(frame.right + 3, frame.top + 5)) << "nothing right of the frame";
    EXPECT_FALSE(red(frame.left + 5, frame.bottom + 3)) << "nothing below it";
    EXPECT_FALSE(red(client.right - 3, client.bottom - 3));
}

namespace {


}  // namespace

TEST_F(CScheduleDialogTest, ThousandOpeningsLeaveNothingBehind)
{
    const std::wstring name = UniqueName(L"wtest-leak-");
    WriteBmp(ProgramFolderFile(name), 32, 16, RGB(0, 0, 255));
    CScheduleList schedule = ThreeEntries();
    CPloverFile::SetText(schedule[0]->m_szBmpFile, CPloverFile::kBmpFileSize, WideToSjis(name));

    ChooseNext(ProgramFolder() + name);
    const auto choose = [](HWND window) { Click(window, IDC_CHOOSE_PICTURE); };
    const auto row = [](UINT list) { return [list](HWND window) { ChooseRow(window, list, 0); }; };
    const auto nothing = [](HWND) {};  // the target's picture shows from the start
    const std::function<INT_PTR()> openings[] = {
        [&] { return CCancelAtOnce<CAddScheduleDlg>(choose, nullptr, 2026, 12, 9).DoModal(); },
        [&] {
            return CCancelAtOnce<CEditScheduleDlg>(row(IDC_EDIT_LIST), nullptr, schedule, 2026)
                .DoModal();
        },
        [&] {
            return CCancelAtOnce<CDeleteScheduleDlg>(row(IDC_DELETE_LIST), nullptr, schedule, 0)
                .DoModal();
        },
        [&] { return CCancelAtOnce<CTargetSelectDlg>(nothing, nullptr, schedule, 0).DoModal(); },
    };
    for (const auto& open : openings) {
        ASSERT_EQ(open(), IDCANCEL);  // the first opening makes what is kept for good
        const long entries = CPloverFile::Alive();
        const long pictures = CDib::Alive();
        ExpectNothingLeftBehind([&] { ASSERT_EQ(open(), IDCANCEL); }, 1000);
        EXPECT_EQ(CPloverFile::Alive(), entries);
        EXPECT_EQ(CDib::Alive(), pictures);
    }
}
