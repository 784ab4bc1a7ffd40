// The options sheet on real windows, driven from a timer inside the sheet's own
// modal loop as a user's clicks and typing would be: each page's rules, the sound
// page's listing and refusals, and the options command's writes, effects and
// leaks over many openings.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "ViewHarness.h"
#include "WindowScript.h"
#include "WineTestSupport.h"
#include "app/MainFrame.h"
#include "app/ProgramCursor.h"
#include "framework/Gdi.h"
#include "framework/Help.h"
#include "framework/MessageBox.h"
#include "objects/ClockObject.h"
#include "options/OptionsSheet.h"
#include "resource.h"
#include "services/Sound.h"
#include "view/PloverView.h"

using namespace plover;
using namespace plover::test;

namespace {

using Step = WindowStep;

HWND Page(HWND sheet)
{
    return reinterpret_cast<HWND>(::SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

int PageIndex(HWND sheet)
{
    return static_cast<int>(
        ::SendMessageW(sheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(Page(sheet)), 0));
}

Step ShowPage(int index)
{
    return [index](HWND sheet) { ::SendMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0); };
}

const Step PressOk = [](HWND sheet) { ::SendMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0); };
const Step PressCancel = [](HWND sheet) { ::SendMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0); };

// A click on a check box or radio button of the page shown.
void Toggle(HWND page, UINT id)
{
    ::SendMessageW(::GetDlgItem(page, static_cast<int>(id)), BM_CLICK, 0, 0);
}

bool Ticked(HWND page, UINT id)
{
    return ::IsDlgButtonChecked(page, static_cast<int>(id)) == BST_CHECKED;
}

bool Enabled(HWND page, UINT id)
{
    return ::IsWindowEnabled(::GetDlgItem(page, static_cast<int>(id))) != FALSE;
}

void SetText(HWND page, UINT id, const std::wstring& text)
{
    ::SetDlgItemTextW(page, static_cast<int>(id), text.c_str());
}

INT_PTR RunSheet(CMyPropertySheet& sheet, std::deque<Step> steps)
{
    const CWindowScript script(ShownPropertySheet, std::move(steps));
    return sheet.DoModal();
}

// Message boxes and sounds recorded instead of shown and played.
class OptionsSheetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetMessageBoxHook([this](const MessageRecord& message) {
            messages.push_back(message.text);
            return IDOK;
        });
        SetSoundHook([this](const std::wstring& name, bool) { sounds.push_back(name); });
    }
    void TearDown() override
    {
        SetMessageBoxHook(nullptr);
        SetSoundHook(nullptr);
    }

    std::vector<std::wstring> messages;
    std::vector<std::wstring> sounds;
};

// The colours of a 33 x 32 area of `dc` at (x, y).
std::vector<COLORREF> Pixels(HDC dc, int x, int y)
{
    std::vector<COLORREF> pixels;
    for (int row = 0; row < 32; ++row)
        for (int column = 0; column < 33; ++column)
            pixels.push_back(::GetPixel(dc, x + column, y + row));
    return pixels;
}

std::vector<COLORREF> PreviewBitmap(UINT id)
{
    const CBitmap bitmap(static_cast<HBITMAP>(
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0)));
    const CClientDC screen(nullptr);
    const CMemoryDC memory(screen.Get());
    const CSelectObject select(memory.Get(), bitmap.Get());
    return Pixels(memory.Get(), 0, 0);
}

std::vector<COLORREF> ShownPreview(HWND page)
{
    ::UpdateWindow(page);
    const CClientDC dc(page);
    return Pixels(dc.Get(), 85, 57);
}

}  // namespace

TEST_F(OptionsSheetTest, DisplayPageShowsOddValuesAsThePanelsReadThemAndTiesTheMenuBarToTheTitleBar)
{
    CPloverSettings stored;
    stored.lowerPanel = 7;
    stored.clockFont = 0;
    stored.titleBarShown = 0;
    stored.menuBarShown = 1;
    CMyPropertySheet odd(nullptr);
    odd.Fill(stored);
    odd.SetStartPage(3);
    ASSERT_EQ(RunSheet(odd, {[](HWND sheet) {
                            const HWND page = Page(sheet);
                            EXPECT_TRUE(Ticked(page, IDC_PANEL_PICTURE));
                            EXPECT_FALSE(Ticked(page, IDC_PANEL_SCHEDULE));
                            EXPECT_FALSE(Ticked(page, IDC_CLOCK_GOTHIC));
                            EXPECT_FALSE(Ticked(page, IDC_CLOCK_MINCHO));
                            // Opening applies no rule: the menu box stays as stored.
                            EXPECT_FALSE(Ticked(page, IDC_SHOW_TITLE_BAR));
                            EXPECT_TRUE(Ticked(page, IDC_SHOW_MENU_BAR));
                            EXPECT_TRUE(Enabled(page, IDC_SHOW_MENU_BAR));
                        },
                        PressOk}),
              IDOK);
    const CPloverSettings left = odd.Result(stored);
    EXPECT_EQ(left.lowerPanel, 3);
    EXPECT_EQ(left.clockFont, 2);
    EXPECT_EQ(left.titleBarShown, 0);
    EXPECT_EQ(left.menuBarShown, 1);

    CMyPropertySheet clicked(nullptr);
    clicked.Fill(CPloverSettings{});
    clicked.SetStartPage(3);
    ASSERT_EQ(RunSheet(clicked, {[](HWND sheet) {
                                const HWND page = Page(sheet);
                                Toggle(page, IDC_SHOW_TITLE_BAR);
                                EXPECT_FALSE(Ticked(page, IDC_SHOW_MENU_BAR));
                                EXPECT_FALSE(Enabled(page, IDC_SHOW_MENU_BAR));
                                Toggle(page, IDC_SHOW_TITLE_BAR);
                                EXPECT_FALSE(Ticked(page, IDC_SHOW_MENU_BAR));
                                EXPECT_TRUE(Enabled(page, IDC_SHOW_MENU_BAR));
                                Toggle(page, IDC_PANEL_CLOCK);
                                Toggle(page, IDC_CLOCK_MINCHO);
                            },
                            PressOk}),
              IDOK);
    const CPloverSettings twice = clicked.Result(CPloverSettings{});
    EXPECT_EQ(twice.titleBarShown, 1);
    EXPECT_EQ(twice.menuBarShown, 0);
    EXPECT_EQ(twice.lowerPanel, 2);
    EXPECT_EQ(twice.clockFont, 2);
}

TEST_F(OptionsSheetTest, CursorPageListsTheTwelveCursorsAndPreviewsTheChosenOne)
{
    CMyPropertySheet outside(nullptr);
    CPloverSettings stored;
    stored.cursor = 13;
    outside.Fill(stored);
    ASSERT_EQ(RunSheet(outside, {[](HWND sheet) {
                                EXPECT_EQ(PageIndex(sheet), 0) << "the sheet opens on the cursor page";
                                EXPECT_EQ(::SendDlgItemMessageW(Page(sheet), IDC_CURSOR_LIST,
                                                                LB_GETCURSEL, 0, 0),
                                          LB_ERR);
                            },
                            PressOk}),
              IDOK);
    EXPECT_EQ(outside.Result(stored).cursor, 0);

    const std::vector<COLORREF> cometMono = PreviewBitmap(IDB_PREVIEW_COMET_MONO);
    const std::vector<COLORREF> heartColour = PreviewBitmap(IDB_PREVIEW_HEART_COLOR);
    ASSERT_NE(cometMono, heartColour);
    CMyPropertySheet sheet(nullptr);
    sheet.Fill(CPloverSettings{});
    ASSERT_EQ(RunSheet(sheet, {[&](HWND s) {
                              const HWND page = Page(s);
                              EXPECT_EQ(::SendDlgItemMessageW(page, IDC_CURSOR_LIST, LB_GETCOUNT, 0, 0), 12);
                              EXPECT_EQ(ListRow(page, IDC_CURSOR_LIST, 0), L"彗星（モノクロ）");
                              EXPECT_EQ(ListRow(page, IDC_CURSOR_LIST, 11), L"ときめき（カラー）");
                              EXPECT_EQ(ShownPreview(page), cometMono);
                              ChooseRow(page, IDC_CURSOR_LIST, 11);
                              EXPECT_EQ(ShownPreview(page), heartColour);
                          },
                          PressOk}),
              IDOK);
    EXPECT_EQ(sheet.Result(CPloverSettings{}).cursor, 12);
}

TEST_F(OptionsSheetTest, TimerAndStartPagesKeepTypedNumbersAndTieTheMenuBarToTheTitleBar)
{
    CPloverSettings stored;
    stored.minimizeAfterSeconds = 5000;
    stored.startWithoutTitleBar = 1;
    stored.startWithoutMenuBar = 0;
    CMyPropertySheet sheet(nullptr);
    sheet.Fill(stored);
    ASSERT_EQ(RunSheet(sheet, {ShowPage(1),
                          [](HWND s) {
                              const HWND page = Page(s);
                              EXPECT_EQ(Text(page, IDC_TIMER_ICON_SEC), L"5000")
                                  << "beyond the arrows' range, yet shown as stored";
                              EXPECT_EQ(Text(page, IDC_TIMER_DESTROY_SEC), L"100");
                              ::SendDlgItemMessageW(page, IDC_TIMER_DESTROY_SPIN, UDM_SETPOS32, 0, 3600);
                              ::SendDlgItemMessageW(page, IDC_TIMER_DESTROY_SEC, WM_KEYDOWN, VK_UP, 0);
                              EXPECT_EQ(Text(page, IDC_TIMER_DESTROY_SEC), L"3600");
                              SetText(page, IDC_TIMER_ICON_SEC, L"12abc");
                          },
                          ShowPage(2),
                          [](HWND s) {
                              const HWND page = Page(s);
                              EXPECT_TRUE(Ticked(page, IDC_START_NO_TITLE_BAR));
                              EXPECT_FALSE(Ticked(page, IDC_START_NO_MENU_BAR));
                              EXPECT_TRUE(Enabled(page, IDC_START_NO_MENU_BAR));
                              Toggle(page, IDC_START_NO_TITLE_BAR);
                              Toggle(page, IDC_START_NO_TITLE_BAR);
                              EXPECT_TRUE(Ticked(page, IDC_START_NO_MENU_BAR));
                              EXPECT_FALSE(Enabled(page, IDC_START_NO_MENU_BAR));
                              Toggle(page, IDC_START_NO_TITLE_BAR);
                              EXPECT_TRUE(Ticked(page, IDC_START_NO_MENU_BAR));
                              EXPECT_TRUE(Enabled(page, IDC_START_NO_MENU_BAR));
                          },
                          PressOk}),
              IDOK);
    const CPloverSettings left = sheet.Result(stored);
    EXPECT_EQ(left.minimizeAfterSeconds, 0) << "letters after digits";
    EXPECT_EQ(left.closeAfterSeconds, 3600);
    EXPECT_EQ(left.startWithoutTitleBar, 0);
    EXPECT_EQ(left.startWithoutMenuBar, 1);
}

TEST_F(OptionsSheetTest, SoundPageListsWavFilesOfAnyDepthAndRefusesNamesItCannotStore)
{
    const CScratchDir dir;
    for (const wchar_t* name : {L"a.wav", L"B.Wav", L"c.txt"})
        WriteBytes(dir.File(name), {0});
    ::CreateDirectoryW(dir.File(L"d.wav").c_str(), nullptr);
    const std::wstring folder = dir.Path() + L"\\";

    CPloverSettings stored;
    stored.aboutSound = L"PloverVer.Wav";
    CMyPropertySheet sheet(nullptr);
    sheet.Fill(stored);
    sheet.m_PageSound.m_strFolder = folder;
    sheet.SetStartPage(4);
    ASSERT_EQ(RunSheet(sheet, {[&](HWND s) {
                              const HWND page = Page(s);
                              std::vector<std::wstring> rows;
                              for (int row = 0; row < 2; ++row)
                                  rows.push_back(ListRow(page, IDC_SOUND_LIST, row));
                              std::sort(rows.begin(), rows.end());
                              EXPECT_EQ(rows, (std::vector<std::wstring>{L"B.Wav", L"a.wav"}));
                              EXPECT_EQ(::SendDlgItemMessageW(page, IDC_SOUND_LIST, LB_GETCOUNT, 0, 0), 2);
                              const int wav = rows[0] == ListRow(page, IDC_SOUND_LIST, 0) ? 0 : 1;
                              ChooseRow(page, IDC_SOUND_LIST, wav);
                              Click(page, IDC_SOUND_TO_END);
                              EXPECT_EQ(Text(page, IDC_SOUND_END), L"B.Wav");
                              Click(page, IDC_SOUND_TEST);
                              EXPECT_EQ(sounds, std::vector<std::wstring>{folder + L"B.Wav"});
                              SetText(page, IDC_SOUND_START, std::wstring(300, L'x') + L".wav");
                          },
                          PressOk,
                          [&](HWND s) {
                              ASSERT_EQ(messages.size(), 1u);
                              EXPECT_NE(messages[0].find(L"起動"), std::wstring::npos) << messages[0];
                              EXPECT_EQ(PageIndex(s), 4) << "the page stays open";
                              const HWND page = Page(s);
                              SetText(page, IDC_SOUND_START, L"start.wav");
                              Toggle(page, IDC_SOUND_ON);
                          },
                          PressOk}),
              IDOK);
    const CPloverSettings left = sheet.Result(stored);
    EXPECT_EQ(left.playSounds, 0);
    EXPECT_EQ(left.startSound, L"start.wav");
    EXPECT_EQ(left.exitSound, L"B.Wav");
    EXPECT_EQ(left.aboutSound, L"PloverVer.Wav") << "unticking the sound keeps the names";

    // A folder deeper than a 256-character pattern could hold.
    std::wstring deep = dir.Path();
    while (deep.size() <= 260) {
        deep += L"\\a-rather-long-folder-name";
        ASSERT_TRUE(::CreateDirectoryW((L"\\\\?\\" + deep).c_str(), nullptr));
    }
    const std::wstring deepFile = L"\\\\?\\" + deep + L"\\deep.wav";
    const HANDLE file = ::CreateFileW(deepFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    ::CloseHandle(file);
    CMyPropertySheet deepSheet(nullptr);
    deepSheet.Fill(stored);
    deepSheet.m_PageSound.m_strFolder = deep + L"\\";
    deepSheet.SetStartPage(4);
    EXPECT_EQ(RunSheet(deepSheet, {[](HWND s) {
                                  EXPECT_EQ(ListRow(Page(s), IDC_SOUND_LIST, 0), L"deep.wav");
                              },
                              PressCancel}),
              IDCANCEL);
    ::DeleteFileW(deepFile.c_str());
    while (deep.size() > dir.Path().size()) {
        ::RemoveDirectoryW((L"\\\\?\\" + deep).c_str());
        deep.erase(deep.rfind(L'\\'));
    }
}

namespace {

// The options command as the menu sends it; returns when the sheet has closed.
void RunOptions(CViewHarness& h, std::deque<Step> steps)
{
    const CWindowScript script(ShownPropertySheet, std::move(steps));
    ::SendMessageW(h.Frame()->m_hWnd, WM_COMMAND, IDM_OPTIONS, 0);
}

HWND Child(CViewHarness& h, int id)
{
    return ::GetDlgItem(h.View()->m_hWnd, id);
}

}  // namespace

TEST(OptionsCommand, OkWritesEverySettingAndAppliesItAtOnceCancelChangesNothing)
{
    CViewHarness h(LocalTime{2026, 12, 9, 4, 12, 0, 0});
    h.SetSchedule(MakeSchedule(3, 1), 0);
    ASSERT_TRUE(h.Open());
    const HCURSOR firstCursor = h.Frame()->m_Cursor.Get();

    std::vector<ULONG_PTR> helpTopics;
    SetHelpViewer([&](HWND, UINT, ULONG_PTR topic) { helpTopics.push_back(topic); });
    const auto showsProgramCursor = [&](HWND window, UINT hitTest) {
        ::SetCursor(nullptr);
        ::SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                       MAKELPARAM(hitTest, WM_MOUSEMOVE));
        return ::GetCursor() == firstCursor;
    };
    RunOptions(h, {ShowPage(3),
                   [&](HWND sheet) {
                       EXPECT_TRUE(showsProgramCursor(sheet, HTCAPTION));
                       EXPECT_TRUE(showsProgramCursor(::GetDlgItem(sheet, IDOK), HTCLIENT));
                       EXPECT_TRUE(showsProgramCursor(::GetDlgItem(Page(sheet), IDC_PANEL_CLOCK), HTCLIENT));
                       // A Help button's command, should anything send it.
                       ::SendMessageW(sheet, WM_COMMAND, 9, 0);
                   },
                   PressCancel});
    SetHelpViewer(nullptr);
    EXPECT_EQ(helpTopics, std::vector<ULONG_PTR>{102});
    EXPECT_FALSE(h.m_Settings.ReadInt(L"CursorNo")) << "Cancel writes nothing";
    EXPECT_EQ(h.Frame()->m_Cursor.Get(), firstCursor);

    RunOptions(h, {[](HWND sheet) {
                       EXPECT_EQ(PageIndex(sheet), 0) << "a cancelled sheet's page is not kept";
                       ChooseRow(Page(sheet), IDC_CURSOR_LIST, 11);
                   },
                   ShowPage(1),
                   [](HWND sheet) {
                       Toggle(Page(sheet), IDC_TIMER_ICON_FLAG);
                       SetText(Page(sheet), IDC_TIMER_ICON_SEC, L"7");
                   },
                   ShowPage(3),
                   [](HWND sheet) {
                       const HWND page = Page(sheet);
                       Toggle(page, IDC_SHOW_ROLL_STAR);
                       Toggle(page, IDC_SHOW_TITLE_BAR);
                       Toggle(page, IDC_PANEL_CLOCK);
                       Toggle(page, IDC_CLOCK_HOUR24);
                       Toggle(page, IDC_CLOCK_MINCHO);
                   },
                   PressOk});
    CPloverSettings expected = LoadSettingsForSheet(CMemorySettingsStore{});
    expected.cursor = 12;
    expected.minimizeByTimer = 1;
    expected.minimizeAfterSeconds = 7;
    expected.showStars = 0;
    expected.titleBarShown = 0;
    expected.menuBarShown = 0;
    expected.lowerPanel = 2;
    expected.clock24Hour = 0;
    expected.clockFont = 2;
    EXPECT_EQ(LoadSettingsForSheet(h.m_Settings), expected) << "every key written";
    EXPECT_TRUE(h.m_Settings.ReadString(L"VerWav"));

    EXPECT_NE(h.Frame()->m_Cursor.Get(), firstCursor);
    EXPECT_EQ(h.View()->Cursor(), h.Frame()->m_Cursor.Get());
    EXPECT_EQ(CCursor::Live(), 1) << "the replaced cursor is destroyed";
    EXPECT_EQ(h.View()->IconCount(), 7);
    EXPECT_FALSE(::IsWindowVisible(Child(h, IDC_STAR_LEFT)));
    EXPECT_FALSE(::IsWindowVisible(Child(h, IDC_STAR_RIGHT)));
    EXPECT_TRUE(::IsWindowVisible(Child(h, IDC_CLOCK)));
    EXPECT_EQ(h.View()->Clock()->m_nHour24, 0);
    EXPECT_EQ(h.View()->Clock()->m_nGMFont, 2);
    EXPECT_EQ(::GetWindowLongPtrW(h.Frame()->m_hWnd, GWL_STYLE) & WS_CAPTION, 0);
    EXPECT_FALSE(::GetMenu(h.Frame()->m_hWnd));
    EXPECT_EQ(h.View()->Bars(), BarState::None);

    // The page shown at OK comes first next time, also after a Cancel elsewhere.
    RunOptions(h, {[](HWND sheet) { EXPECT_EQ(PageIndex(sheet), 3); }, ShowPage(1), PressCancel});
    RunOptions(h, {[](HWND sheet) {
                       EXPECT_EQ(PageIndex(sheet), 3);
                       Toggle(Page(sheet), IDC_SHOW_TITLE_BAR);
                       Toggle(Page(sheet), IDC_SHOW_MENU_BAR);
                   },
                   PressOk});
    EXPECT_NE(::GetWindowLongPtrW(h.Frame()->m_hWnd, GWL_STYLE) & WS_CAPTION, 0);
    EXPECT_TRUE(::GetMenu(h.Frame()->m_hWnd));
    EXPECT_EQ(h.View()->Bars(), BarState::Both);
    h.Close();
}

TEST(OptionsCommand, TwoHundredConfirmedChangesLeaveNoHandleBehind)
{
    CViewHarness h(LocalTime{2026, 12, 9, 4, 12, 0, 0});
    h.SetSchedule(MakeSchedule(3, 1), 0);
    ASSERT_TRUE(h.Open());
    h.m_Settings.WriteInt(L"SCI", 2);  // the clock's font is remade on every change
    const auto change = [&h](int cycle) {
        RunOptions(h, {ShowPage(0),
                       [cycle](HWND sheet) { ChooseRow(Page(sheet), IDC_CURSOR_LIST, cycle % 12); },
                       ShowPage(3),
                       [cycle](HWND sheet) {
                           Toggle(Page(sheet), cycle % 2 ? IDC_CLOCK_MINCHO : IDC_CLOCK_GOTHIC);
                           Toggle(Page(sheet), IDC_SHOW_ROLL_STAR);
                       },
                       PressOk});
    };
    int cycle = 0;
    ExpectNothingLeftBehind([&] { change(cycle++); }, 200);
    EXPECT_EQ(Read(h.m_Settings, cfg::CursorNo), (cycle - 1) % 12 + 1) << "the last change stored";
    h.Close();
}
