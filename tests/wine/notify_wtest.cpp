// The main frame's notification area and notices, on the real frame, view and
// document, with the shell recorded and the clock in the test's hands.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ViewHarness.h"
#include "app/MainFrame.h"
#include "app/TrayIcon.h"
#include "view/PloverView.h"

using namespace plover;
using namespace plover::test;

namespace {

constexpr UINT_PTR kNotifyTimer = 1;

class NotifyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetTrayShellHook([this](DWORD message, NOTIFYICONDATAW* data) {
            m_calls.push_back({message, *data});
            m_present += message == NIM_ADD ? 1 : message == NIM_DELETE ? -1 : 0;
            return TRUE;
        });
    }
    void TearDown() override { SetTrayShellHook(nullptr); }

    // The balloons' titles shown so far.
    std::vector<std::wstring> Notices() const
    {
        std::vector<std::wstring> titles;
        for (const auto& [message, data] : m_calls)
            if (message == NIM_MODIFY && (data.uFlags & NIF_INFO))
                titles.push_back(data.szInfoTitle);
        return titles;
    }
    static void Tick(CViewHarness& h, const LocalTime& now)
    {
        h.SetToday(now);
        h.View()->CheckDate();  // the view's own tick, which may come first
        ::SendMessageW(h.Frame()->m_hWnd, WM_TIMER, kNotifyTimer, 0);
    }

    std::vector<std::pair<DWORD, NOTIFYICONDATAW>> m_calls;
    int m_present = 0;
};

CScheduleList Target()
{
    CScheduleList list;
    list.push_back(MakeEntry(L"卒業式", 1996, 5, 14, 10, 0));
    return list;
}

}  // namespace

TEST_F(NotifyTest, DaysIconComesBackWithExplorerAndGoesOnEveryWayOut)
{
    for (const bool endSession : {false, true}) {
        CViewHarness h(LocalTime{1996, 5, 12, 1, 9, 0, 0});
        h.m_Settings.WriteInt(L"TrayIcon", 1);
        h.SetSchedule(Target(), 0);
        ASSERT_TRUE(h.Open());
        // The icon follows the countdown within the second.
        Tick(h, LocalTime{1996, 5, 12, 1, 9, 0, 1});
        ASSERT_FALSE(m_calls.empty());
        EXPECT_EQ(m_calls[0].first, DWORD(NIM_ADD));
        EXPECT_STREQ(m_calls.back().second.szTip, L"卒業式まで あと2日");
        EXPECT_EQ(m_present, 1);

        const std::size_t before = m_calls.size();
        ::SendMessageW(h.Frame()->m_hWnd, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
        ASSERT_GT(m_calls.size(), before);
        EXPECT_EQ(m_calls[before].first, DWORD(NIM_ADD)) << "added again for the new Explorer";
        EXPECT_STREQ(m_calls[before].second.szTip, L"卒業式まで あと2日");
        m_present = 1;  // the old Explorer took its icons with it

        // Minimised with "最小化したら通知領域にしまう" the window leaves the taskbar;
        // a click on the icon brings it back, in front.
        h.m_Settings.WriteInt(L"TrayWhenMinimized", 1);
        h.Frame()->ApplyNotifySettings(LoadSettings(h.m_Settings));
        ::ShowWindow(h.Frame()->m_hWnd, SW_MINIMIZE);
        EXPECT_FALSE(::IsWindowVisible(h.Frame()->m_hWnd));
        ::SendMessageW(h.Frame()->m_hWnd, WM_APP + 20, 0, MAKELPARAM(NIN_SELECT, 1));
        EXPECT_TRUE(::IsWindowVisible(h.Frame()->m_hWnd));
        EXPECT_FALSE(::IsIconic(h.Frame()->m_hWnd));

        // A new day: the icon follows at once.
        Tick(h, LocalTime{1996, 5, 13, 2, 0, 0, 1});
        EXPECT_STREQ(m_calls.back().second.szTip, L"卒業式まで あと1日");
        if (endSession) {
            ::SendMessageW(h.Frame()->m_hWnd, WM_ENDSESSION, TRUE, 0);
            EXPECT_EQ(m_present, 0) << "the session ends: the process may go any moment";
        }
        h.Close();
        EXPECT_EQ(m_present, 0);
        m_calls.clear();
    }
}

TEST_F(NotifyTest, EachNoticeShowsOnceInItsMinuteAndNotAgainAfterARestart)
{
    CViewHarness h(LocalTime{1996, 5, 12, 1, 9, 0, 0});
    h.m_Settings.WriteInt(L"NoticeMinutesBefore", 1);
    h.m_Settings.WriteInt(L"NoticeMinutes", 15);
    h.SetSchedule(Target(), 0);
    ASSERT_TRUE(h.Open());
    EXPECT_TRUE(m_calls.empty()) << "no days-left icon unless asked for";
    Tick(h, LocalTime{1996, 5, 13, 2, 19, 59, 59});
    EXPECT_TRUE(Notices().empty());
    Tick(h, LocalTime{1996, 5, 13, 2, 20, 0, 0});
    Tick(h, LocalTime{1996, 5, 13, 2, 20, 0, 30});
    EXPECT_EQ(Notices(), (std::vector<std::wstring>{L"明日 10:00 卒業式"}));
    EXPECT_EQ(m_present, 1) << "the program's icon, for the time of the notice";

    Tick(h, LocalTime{1996, 5, 14, 3, 9, 45, 0});
    Tick(h, LocalTime{1996, 5, 14, 3, 10, 0, 0});
    EXPECT_EQ(Notices(),
              (std::vector<std::wstring>{L"明日 10:00 卒業式", L"15分後 卒業式", L"卒業式"}));
    const std::wstring last = *h.m_Settings.ReadString(L"LastNotice");
    h.Close();
    EXPECT_EQ(m_present, 0);

    // Started again within the minute: the notice is not shown twice.
    m_calls.clear();
    CViewHarness again(LocalTime{1996, 5, 14, 3, 10, 0, 20});
    again.m_Settings.WriteString(L"LastNotice", last);
    again.SetSchedule(Target(), 0);
    ASSERT_TRUE(again.Open());
    Tick(again, LocalTime{1996, 5, 14, 3, 10, 0, 40});
    EXPECT_TRUE(Notices().empty());
    again.Close();
}
