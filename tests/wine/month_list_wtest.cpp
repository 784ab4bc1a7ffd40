#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "WineTestSupport.h"
#include "framework/DpiScale.h"
#include "schedule/PloverFile.h"
#include "view/MonthList.h"
#include "view/ViewTexts.h"

using namespace plover;
using namespace plover::test;

namespace {

constexpr CivilDate kToday{1996, 5, 12};
constexpr int kParentWidth = 400;  // the column rule's share of it: 359
const Rect kListRect = RectFromSize(12, 20, 335, 100);

CMonthList* g_pNoticed = nullptr;  // the list the parent hands its notices to

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (message == WM_NOTIFY && g_pNoticed &&
        g_pNoticed->OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result))
        return result;
    return ::DefWindowProcW(window, message, wParam, lParam);
}

// A shown top-level window that passes the list's notices on, as the view does.
class CListParent {
public:
    CListParent()
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"PloverMonthListTest";
        ::RegisterClassW(&wc);
        m_hWnd = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0,
                                   kParentWidth, 300, nullptr, nullptr, wc.hInstance, nullptr);
    }
    ~CListParent()
    {
        g_pNoticed = nullptr;
        ::DestroyWindow(m_hWnd);
    }
    HWND m_hWnd = nullptr;
};

std::wstring ListText(HWND list, int row, int column)
{
    wchar_t text[256] = {};
    ListView_GetItemText(list, row, column, text, 256);
    return text;
}

}  // namespace

TEST(MonthList, RowsAreTheRestOfThisMonthInFileOrderOrTheHint)
{
    CListParent parent;
    CMonthList list;
    ASSERT_TRUE(list.Create(parent.m_hWnd, 152, 96));
    g_pNoticed = &list;
    list.Place(kListRect, kParentWidth, 96);
    list.Show(true);

    CScheduleList schedule;
    schedule.push_back(MakeEntry(L"卒業式", 1996, 5, 24));
    schedule.push_back(MakeEntry(L"入学式", 1996, 5, 5));    // earlier this month
    schedule.push_back(MakeEntry(L"運動会", 1996, 5, 31, 8));
    schedule.push_back(MakeEntry(L"遠足", 1996, 6, 1));      // next month
    schedule.push_back(MakeEntry(L"母の日", 1996, 5, 12, 7));  // today, its hour passed
    schedule.push_back(MakeEntry(L"花火", 1996, 5, 3));      // before it in the file, earlier
    list.Refill(schedule, kToday);
    ASSERT_EQ(ListView_GetItemCount(list.m_hWnd), 3);
    EXPECT_EQ(ListText(list.m_hWnd, 0, 0), L"24日 卒業式");
    EXPECT_EQ(ListText(list.m_hWnd, 0, 1), L"あと 12日");
    EXPECT_EQ(ListText(list.m_hWnd, 1, 0), L"31日 運動会");
    EXPECT_EQ(ListText(list.m_hWnd, 1, 1), L"あと 19日");
    EXPECT_EQ(ListText(list.m_hWnd, 2, 0), L"12日 母の日");
    EXPECT_EQ(ListText(list.m_hWnd, 2, 1), L"あと  0日");
    EXPECT_FALSE(list.ShowsHint());
    ListView_SetItemState(list.m_hWnd, 0, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(ListView_GetSelectedCount(list.m_hWnd), 1u) << "an entry's row can be chosen";

    // Another day: yesterday's rows go, the days left count from the new today.
    list.Refill(schedule, CivilDate{1996, 5, 25});
    ASSERT_EQ(ListView_GetItemCount(list.m_hWnd), 1);
    EXPECT_EQ(ListText(list.m_hWnd, 0, 1), L"あと  6日");

    // Entries, but none this month: no rows and no hint.
    CScheduleList later;
    later.push_back(MakeEntry(L"遠足", 1996, 6, 1));
    list.Refill(later, kToday);
    EXPECT_EQ(ListView_GetItemCount(list.m_hWnd), 0);
    EXPECT_FALSE(list.ShowsHint());

    // No entry at all: the one hint row, which can be neither chosen nor focused.
    list.Refill(CScheduleList{}, kToday);
    ASSERT_EQ(ListView_GetItemCount(list.m_hWnd), 1);
    EXPECT_EQ(ListText(list.m_hWnd, 0, 0), kEmptyScheduleHints[0]);
    EXPECT_EQ(ListText(list.m_hWnd, 0, 1), L"");
    EXPECT_TRUE(list.ShowsHint());
    ListView_SetItemState(list.m_hWnd, 0, LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(ListView_GetSelectedCount(list.m_hWnd), 0u);
    EXPECT_EQ(ListView_GetNextItem(list.m_hWnd, -1, LVNI_FOCUSED), -1);
}

// A repeating entry stands at each of its dates left in the month, with their own
// days left, where the entry stands in the file.
TEST(MonthList, RepeatingEntriesListEachDateLeftThisMonth)
{
    CListParent parent;
    CMonthList list;
    ASSERT_TRUE(list.Create(parent.m_hWnd, 152, 96));
    list.Place(RectFromSize(12, 20, 335, 200), kParentWidth, 96);
    CScheduleList schedule;
    schedule.push_back(MakeEntry(L"卒業式", 1996, 5, 24));
    schedule.push_back(MakeEntry(L"例会", 1996, 4, 3));  // a Wednesday
    schedule.back()->SetRepeat(RepeatRule::Weekly);
    schedule.push_back(MakeEntry(L"締め", 1996, 1, 31));
    schedule.back()->SetRepeat(RepeatRule::Monthly);
    schedule.push_back(MakeEntry(L"運動会", 1996, 5, 31, 8));

    // Wednesday 1 May: the weekly entry five times, from today.
    list.Refill(schedule, CivilDate{1996, 5, 1});
    const std::wstring may[][2] = {
        {L"24日 卒業式", L"あと 23日"}, {L" 1日 例会", L"あと  0日"}, {L" 8日 例会", L"あと  7日"},
        {L"15日 例会", L"あと 14日"},   {L"22日 例会", L"あと 21日"}, {L"29日 例会", L"あと 28日"},
        {L"31日 締め", L"あと 30日"},   {L"31日 運動会", L"あと 30日"}};
    ASSERT_EQ(ListView_GetItemCount(list.m_hWnd), 8);
    for (int row = 0; row < 8; ++row) {
        EXPECT_EQ(ListText(list.m_hWnd, row, 0), may[row][0]) << row;
        EXPECT_EQ(ListText(list.m_hWnd, row, 1), may[row][1]) << row;
    }

    // 10 June: the Wednesdays left, and the 31st on the month's last day.
    list.Refill(schedule, CivilDate{1996, 6, 10});
    const std::wstring june[][2] = {{L"12日 例会", L"あと  2日"}, {L"19日 例会", L"あと  9日"},
                                    {L"26日 例会", L"あと 16日"}, {L"30日 締め", L"あと 20日"}};
    ASSERT_EQ(ListView_GetItemCount(list.m_hWnd), 4);
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(ListText(list.m_hWnd, row, 0), june[row][0]) << row;
        EXPECT_EQ(ListText(list.m_hWnd, row, 1), june[row][1]) << row;
    }

    // A yearly 29 February in a common year: on 1 March only when the document says so.
    CScheduleList leap;
    leap.push_back(MakeEntry(L"誕生日", 1996, 2, 29));
    leap.back()->SetRepeat(RepeatRule::Yearly);
    list.Refill(leap, CivilDate{1997, 3, 1}, LeapDayRule::February28);
    EXPECT_EQ(ListView_GetItemCount(list.m_hWnd), 0);
    list.Refill(leap, CivilDate{1997, 3, 1}, LeapDayRule::March1);
    ASSERT_EQ(ListView_GetItemCount(list.m_hWnd), 1);
    EXPECT_EQ(ListText(list.m_hWnd, 0, 0), L" 1日 誕生日");
}

// The first column fills what the day column leaves, exactly at 100 %: a pixel
// more and a horizontal scroll bar comes up.  With more rows than fit it leaves
// room for the vertical one.  One list through the DPIs, as a window moved
// between monitors.
TEST(MonthList, ColumnsFillTheListAtEachDpiWithAndWithoutScrollBar)
{
    CListParent parent;
    CMonthList list;
    ASSERT_TRUE(list.Create(parent.m_hWnd, 152, 96));
    list.Show(true);
    CScheduleList few;
    few.push_back(MakeEntry(L"卒業式", 1996, 5, 24));
    const CScheduleList many = [] {
        CScheduleList all;
        for (int i = 0; i < 30; ++i)
            all.push_back(MakeEntry(L"遠足", 1996, 5, 13 + i % 18));
        return all;
    }();
    struct Case {
        int dpi;
        int first;           // rows fit
        int firstScrolling;  // rows do not fit
        int days;
    };
    // 359 less 108 (124 with the scroll bar) scaled, less the list's two border pixels.
    const Case cases[] = {{96, 249, 233, 84}, {144, 195, 171, 126}, {192, 141, 109, 168}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dpi);
        list.Place(kListRect, kParentWidth, c.dpi);
        list.Refill(few, kToday);
        EXPECT_EQ(ListView_GetColumnWidth(list.m_hWnd, 0), c.first);
        EXPECT_EQ(ListView_GetColumnWidth(list.m_hWnd, 1), c.days);
        EXPECT_FALSE(::GetWindowLongW(list.m_hWnd, GWL_STYLE) & WS_HSCROLL);
        list.Refill(many, kToday);
        ASSERT_GT(ListView_GetItemCount(list.m_hWnd), ListView_GetCountPerPage(list.m_hWnd));
        EXPECT_EQ(ListView_GetColumnWidth(list.m_hWnd, 0), c.firstScrolling);
        EXPECT_EQ(ListView_GetColumnWidth(list.m_hWnd, 1), c.days);
        // Placed again with the rows it has: the width stays the scrolling one.
        list.Place(kListRect, kParentWidth, c.dpi);
        EXPECT_EQ(ListView_GetColumnWidth(list.m_hWnd, 0), c.firstScrolling);
    }
}
