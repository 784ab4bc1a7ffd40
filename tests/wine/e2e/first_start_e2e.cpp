// A new user's first start: no settings, no schedule anywhere.  Nothing to answer,
// a window that says what to do first, and from then on a start like any other.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "e2e/E2eSupport.h"
#include "e2e/PloverProcess.h"
#include "objects/PaintItems.h"
#include "resource.h"
#include "services/DataFolder.h"

using namespace plover;
using namespace plover::test;

namespace {

class FirstStart : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearSettings();
        ::DeleteFileW((UserDataFolder() + L"Plover.pvd").c_str());
    }
    void TearDown() override { ClearSettings(); }

    CPloverProcess m_plover;
};

}  // namespace

TEST_F(FirstStart, OpensWithoutAMessageOnAnEmptyScheduleWhoseHintRowGivesWayToTheFirstEntry)
{
    ASSERT_TRUE(m_plover.Start());
    // Watched from the start until the window has painted and answered a message.
    bool boxShown = false;
    HWND window = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            boxShown = boxShown || m_plover.MessageBoxWindow() != nullptr;
            return boxShown || ((window = m_plover.MainWindow()) && Painted(window));
        },
        15000))
        << "no main window";
    ASSERT_FALSE(boxShown) << "a message box at a first start";

    const HWND list = ::GetDlgItem(m_plover.ViewWindow(), IDC_MONTH_LIST);
    EXPECT_EQ(Send(list, LVM_GETITEMCOUNT), 1) << "the hint row";
    const int hintPixels = PixelsOf(m_plover, kHintGrey);
    EXPECT_GT(hintPixels, 200) << "the hint is written in grey";
    // A click on it chooses nothing: it is no entry.
    ::PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 8));
    ::PostMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(30, 8));
    EXPECT_FALSE(WaitUntil([&] { return Send(list, LVM_GETSELECTEDCOUNT) != 0; }, 1000));

    ::PostMessageW(window, WM_COMMAND, IDM_SCHEDULE_ADD, 0);
    const HWND dialog = m_plover.WaitDialog(L"予定の追加");
    ASSERT_NE(dialog, nullptr);
    Type(dialog, IDC_ADD_NAME, L"遠足", false);
    Press(dialog, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }));
    // The entry is dated today: it takes the hint's place in the list.
    EXPECT_TRUE(WaitUntil([&] { return Send(list, LVM_GETITEMCOUNT) == 1; }));
    ASSERT_NE(m_plover.WaitMainWindow(), nullptr);
    EXPECT_LT(PixelsOf(m_plover, kHintGrey), hintPixels / 20) << "the hint stays";
    ASSERT_TRUE(m_plover.CloseAndWait());
    EXPECT_EQ(ReadBytes(m_plover.SchedulePath()).size(), 8u + 652u);

    // Plover has run here now: a schedule gone missing since is reported.
    ASSERT_TRUE(::DeleteFileW(m_plover.SchedulePath().c_str()));
    ASSERT_TRUE(m_plover.Start());
    MessageBoxView box;
    ASSERT_TRUE(m_plover.WaitMessageBox(box));
    EXPECT_EQ(box.text, m_plover.SchedulePath() + L" が見つかりません。");
    m_plover.Answer(box, IDOK);
    ASSERT_TRUE(m_plover.WaitMessageBox(box));
    EXPECT_EQ(box.text, L"ファイルよりの読み込みに失敗しました");
    m_plover.Answer(box, IDOK);
    ASSERT_NE(m_plover.WaitMainWindow(), nullptr);
    ASSERT_TRUE(m_plover.CloseAndWait());
}
