#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "TestDialogs.h"
#include "PaintCanvas.h"
#include "ViewHarness.h"
#include "app/Commands.h"
#include "app/MainFrame.h"
#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "framework/Help.h"
#include "framework/SystemLook.h"
#include "framework/MessageBox.h"
#include "resource.h"
#include "objects/ClockObject.h"
#include "objects/Frames.h"
#include "schedule/PloverDoc.h"
#include "schedule/ScheduleStore.h"
#include "services/StartupEntry.h"
#include "view/PloverView.h"
#include "view/ViewTexts.h"

using namespace plover;
using namespace plover::test;

namespace {

// Sunday 12 May 1996, nine in the morning.
const LocalTime kToday{1996, 5, 12, 1, 9, 0, 0};

constexpr COLORREF kPlate = RGB(192, 192, 192);
constexpr COLORREF kGrey = RGB(127, 127, 127);
constexpr COLORREF kWhiteLine = RGB(255, 255, 255);
constexpr COLORREF kBlackLine = RGB(0, 0, 0);

bool IsDark(COLORREF c)
{
    return GetRValue(c) < 96 && GetGValue(c) < 96 && GetBValue(c) < 96;
}

int CountIf(const CViewHarness& h, const std::vector<COLORREF>& pixels, RECT area,
            bool (*test)(COLORREF))
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += test(h.Pixel(pixels, x, y)) ? 1 : 0;
    return count;
}

// Dark pixels inside `area` but outside `allowed`.
int StrayDark(const CViewHarness& h, const std::vector<COLORREF>& pixels, RECT area, RECT allowed)
{
    int stray = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const POINT p{x, y};
            if (!::PtInRect(&allowed, p) && IsDark(h.Pixel(pixels, x, y)))
                ++stray;
        }
    return stray;
}

CScheduleList Schedule(int targetDay)
{
    CScheduleList list;
    list.push_back(MakeEntry(L"卒業式", 1996, 5, targetDay));
    list.push_back(MakeEntry(L"入学式", 1996, 5, 5));  // earlier this month: not listed
    list.push_back(MakeEntry(L"運動会", 1996, 5, 31, 8));
    list.push_back(MakeEntry(L"遠足", 1996, 6, 1));        // next month: not listed
    list.push_back(MakeEntry(L"母の日", 1996, 5, 12, 7));  // today, hour passed: listed
    return list;
}

// Opens the window at 400 x 300 and waits until the shooting star has gone.
bool OpenSettled(CViewHarness& h)
{
    if (!h.Open(400, 300))
        return false;
    h.FinishShootingStar();
    h.Render();
    return true;
}

// What the screen shows of `window`'s client area, children and all.
std::unique_ptr<CPaintCanvas> Shot(HWND window)
{
    RECT client{};
    ::GetClientRect(window, &client);
    POINT corner{0, 0};
    ::ClientToScreen(window, &corner);
    auto canvas = std::make_unique<CPaintCanvas>(client.right, client.bottom);
    canvas->CopyFromScreen(corner.x, corner.y);
    return canvas;
}

int ForeignPixels(const CPaintCanvas& canvas)
{
    int foreign = 0;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            foreign += !IsSystemColour(ToColorRef(canvas.Pixel(x, y)));
    return foreign;
}

int CountColour(const CPaintCanvas& canvas, COLORREF colour)
{
    int count = 0;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            count += ToColorRef(canvas.Pixel(x, y)) == colour;
    return count;
}

std::wstring ListText(HWND list, int row, int column)
{
    wchar_t text[256] = {};
    ListView_GetItemText(list, row, column, text, 256);
    return text;
}

}  // namespace

TEST(CountdownView, PaintsPlateBorderAndFramesWhereTheLayoutPutsThem)
{
    CViewHarness h(kToday);
    h.SetSchedule(Schedule(24), 0);
    ASSERT_TRUE(h.Open(400, 300));
    h.FinishShootingStar();
    const auto px = h.Render();

    EXPECT_EQ(h.Pixel(px, 4, 150), kPlate);
    EXPECT_EQ(h.Pixel(px, 100, 0), kWhiteLine);
    EXPECT_EQ(h.Pixel(px, 0, 100), kWhiteLine);
    EXPECT_EQ(h.Pixel(px, 399, 100), kBlackLine);
    EXPECT_EQ(h.Pixel(px, 100, 299), kBlackLine);

    // Date panel x 40 w 320 h 84: sunken (41,10)-(360,79) and (51,20)-(350,69).
    EXPECT_EQ(h.Pixel(px, 100, 10), kGrey);
    EXPECT_EQ(h.Pixel(px, 41, 40), kGrey);
    EXPECT_EQ(h.Pixel(px, 360, 40), kWhiteLine);
    EXPECT_EQ(h.Pixel(px, 100, 79), kWhiteLine);
    EXPECT_EQ(h.Pixel(px, 100, 20), kGrey);
    EXPECT_EQ(h.Pixel(px, 350, 40), kWhiteLine);
    // Target panel top 84 h 84: raised (8,87)-(392,165), sunken (9,88)-(391,164).
    EXPECT_EQ(h.Pixel(px, 200, 87), kWhiteLine);
    EXPECT_EQ(h.Pixel(px, 392, 120), kGrey);
    EXPECT_EQ(h.Pixel(px, 200, 165), kGrey);
    EXPECT_EQ(h.Pixel(px, 200, 88), kGrey);
    EXPECT_EQ(h.Pixel(px, 200, 164), kWhiteLine);
    // Lower panel x 20 w 359 top 168 h 131: raised (20,175)-(379,292).
    EXPECT_EQ(h.Pixel(px, 300, 175), kWhiteLine);
    EXPECT_EQ(h.Pixel(px, 379, 230), kGrey);
    EXPECT_EQ(h.Pixel(px, 200, 292), kGrey);

    // The date text lies in its rectangle (60,28)-(340,61) and nowhere else.
    EXPECT_GT(CountIf(h, px, RECT{60, 28, 340, 61}, IsDark), 100);
    EXPECT_EQ(StrayDark(h, px, RECT{52, 21, 350, 69}, RECT{60, 28, 340, 61}), 0);
    // The countdown's pieces lie in their rectangles, which run from (x + 12, y + 8)
    // to the panel's right and bottom edges; a long name's "まで" may pass the frame.
    EXPECT_GT(CountIf(h, px, RECT{10, 89, 391, 164}, IsDark), 300);
    EXPECT_EQ(StrayDark(h, px, RECT{2, 84, 398, 168}, RECT{12, 92, 400, 168}), 0);

    EXPECT_FLOAT_EQ(h.View()->PanelTop(), 0.56f);
    EXPECT_FLOAT_EQ(h.View()->PanelHeight(), 0.44f);
    EXPECT_EQ(h.View()->Countdown(), L"卒業式 まで 12日");
}

TEST(CountdownView, TodayIsPinkAndPassedIsTeal)
{
    bool (*isPink)(COLORREF) = [](COLORREF c) { return c == RGB(255, 0, 128); };
    bool (*isTeal)(COLORREF) = [](COLORREF c) { return c == RGB(0, 128, 128); };
    struct Form {
        int targetDay;
        bool (*shown)(COLORREF);
        bool (*absent)(COLORREF);
        const wchar_t* countdown;
    };
    for (const Form& form : {Form{12, isPink, isTeal, L"本日は 卒業式 です"},
                             Form{11, isTeal, isPink, L"卒業式 は終わりました"}}) {
        CViewHarness h(kToday);
        h.SetSchedule(Schedule(form.targetDay), 0);
        ASSERT_TRUE(h.Open(400, 300));
        h.FinishShootingStar();
        const auto px = h.Render();
        EXPECT_GT(CountIf(h, px, RECT{9, 88, 391, 164}, form.shown), 50);
        EXPECT_EQ(CountIf(h, px, RECT{0, 0, 400, 300}, form.absent), 0);
        EXPECT_EQ(h.View()->Countdown(), form.countdown);
    }
}

TEST(CountdownView, WithoutATargetShowsAHintAndNoCountdown)
{
    for (std::int32_t target : {-1, 7}) {
        CViewHarness h(kToday);
        h.SetSchedule(Schedule(24), target);
        ASSERT_TRUE(h.Open(400, 300));
        h.FinishShootingStar();
        const auto px = h.Render();
        EXPECT_GT(CountIf(h, px, RECT{9, 88, 391, 164}, IsDark), 100);
        EXPECT_TRUE(h.View()->Countdown().empty());
        h.Doc()->CalcDaysLeft();
        // Inactive, the title stays plain.
        ::SendMessageW(h.Frame()->m_hWnd, WM_ACTIVATE, WA_INACTIVE, 0);
        wchar_t title[64] = {};
        ::GetWindowTextW(h.Frame()->m_hWnd, title, 64);
        EXPECT_STREQ(title, L"Plover");
    }
    // An empty schedule as well, with the picture panel: an empty frame.
    CViewHarness h(kToday);
    h.m_Settings.WriteInt(L"SCI", 3);
    h.SetSchedule(CScheduleList{}, 0);
    ASSERT_TRUE(h.Open(400, 300));
    h.FinishShootingStar();
    h.Render();
    EXPECT_TRUE(h.View()->Picture().IsEmpty());
}

TEST(CountdownView, PanelSwitchesSetTheLowerPanelFractions)
{
    CViewHarness h(kToday);
    h.m_Settings.WriteInt(L"Date", 0);
    h.m_Settings.WriteInt(L"Target", 0);
    h.SetSchedule(Schedule(24), 0);
    ASSERT_TRUE(h.Open(400, 300));
    h.Render();
    EXPECT_FLOAT_EQ(h.View()->PanelTop(), 0.0f);
    EXPECT_FLOAT_EQ(h.View()->PanelHeight(), 1.0f);
    // Without the lower panel the fractions stay and the list and clock hide.
    CPloverSettings settings = LoadSettings(h.m_Settings);
    settings.showLowerPanel = 0;
    settings.showDate = 1;
    h.View()->ApplySettings(settings);
    h.Render();
    EXPECT_FLOAT_EQ(h.View()->PanelHeight(), 1.0f);
    EXPECT_FALSE(::IsWindowVisible(h.View()->MonthList()));
}

// The list is made when it first shows; made late, it must hold what it would have.
TEST(CountdownView, AListFirstShownAfterTheStartHoldsThisMonthsEntries)
{
    CViewHarness h(kToday);
    h.m_Settings.WriteInt(L"SCI", 2);
    h.SetSchedule(Schedule(24), 0);
    ASSERT_TRUE(h.Open(400, 300));
    EXPECT_EQ(h.View()->MonthList(), nullptr);
    CPloverSettings settings = LoadSettings(h.m_Settings);
    settings.lowerPanel = 1;
    h.View()->ApplySettings(settings);
    h.Render();
    const HWND list = h.View()->MonthList();
    ASSERT_TRUE(::IsWindowVisible(list));
    ASSERT_EQ(ListView_GetItemCount(list), 3);
    EXPECT_EQ(ListText(list, 0, 0), L"24日 卒業式");
}

TEST(CountdownView, MonthListShowsTheRestOfThisMonthInListOrder)
{
    CViewHarness h(kToday);
    h.SetSchedule(Schedule(24), 0);
    ASSERT_TRUE(h.Open(400, 300));
    const HWND list = h.View()->MonthList();
    ASSERT_EQ(ListView_GetItemCount(list), 3);
    EXPECT_EQ(ListText(list, 0, 0), L"24日 卒業式");
    EXPECT_EQ(ListText(list, 0, 1), L"あと 12日");
    EXPECT_EQ(ListText(list, 1, 0), L"31日 運動会");
    EXPECT_EQ(ListText(list, 2, 0), L"12日 母の日");
    EXPECT_EQ(ListText(list, 2, 1), L"あと  0日");
    EXPECT_TRUE(::IsWindowVisible(list));
    // Three rows fit the list: no room is kept for a scroll bar (0.9 x 400 - 108,
    // less the list's border), and the two columns fill it without a horizontal one.
    h.Render();
    EXPECT_EQ(ListView_GetColumnWidth(list, 0), 359 - 108 - 2);
    EXPECT_FALSE(::GetWindowLongW(list, GWL_STYLE) & WS_HSCROLL);
}

TEST(CountdownView, PastMidnightTheDateCountdownAndListMoveOn)
{
    CViewHarness h(LocalTime{1996, 5, 31, 6, 23, 59, 58});
    CScheduleList list;
    list.push_back(MakeEntry(L"卒業式", 1996, 6, 12));
    list.push_back(MakeEntry(L"運動会", 1996, 5, 31, 8));
    list.push_back(MakeEntry(L"遠足", 1996, 6, 1));
    h.SetSchedule(list, 0);
    ASSERT_TRUE(h.Open(400, 300));
    h.FinishShootingStar();
    h.Render();
    EXPECT_EQ(h.View()->Countdown(), L"卒業式 まで 12日");
    ASSERT_EQ(ListView_GetItemCount(h.View()->MonthList()), 1);

    h.SetToday(LocalTime{1996, 6, 1, 7, 0, 0, 1});
    ::SendMessageW(h.View()->m_hWnd, WM_TIMER, 1, 0);
    h.Render();
    EXPECT_EQ(h.Doc()->m_nTodayDay, 1);
    EXPECT_EQ(h.Doc()->m_nTodayWeekday, 7);
    EXPECT_EQ(h.View()->Countdown(), L"卒業式 まで 11日");
    ASSERT_EQ(ListView_GetItemCount(h.View()->MonthList()), 2);
    EXPECT_EQ(ListText(h.View()->MonthList(), 0, 0), L"12日 卒業式");
    EXPECT_EQ(ListText(h.View()->MonthList(), 1, 0), L" 1日 遠足");

    // A change of the system time is noticed at once, not only on the next tick.
    h.SetToday(LocalTime{1996, 6, 12, 4, 0, 0, 0});
    ::SendMessageW(h.Frame()->m_hWnd, WM_TIMECHANGE, 0, 0);
    h.Render();
    EXPECT_EQ(h.View()->Countdown(), L"本日は 卒業式 です");
}

TEST(CountdownView, TickMinimisesAndClosesOnlyWhenAskedAndNotDuringADialog)
{
    CViewHarness h(kToday);
    h.m_Settings.WriteInt(L"IconFlg", 1);
    h.m_Settings.WriteInt(L"IconSec", 3);
    h.m_Settings.WriteInt(L"DestroyFlg", 1);
    h.m_Settings.WriteInt(L"DestroySec", 7);
    h.SetSchedule(Schedule(24), 0);
    ASSERT_TRUE(h.Open(400, 300));
    const HWND view = h.View()->m_hWnd;
    const HWND frame = h.Frame()->m_hWnd;
    ::KillTimer(view, 1);  // the test ticks by hand
    const auto tick = [&](int times) {
        for (int i = 0; i < times; ++i)
            ::SendMessageW(view, WM_TIMER, 1, 0);
        h.Pump();
    };

    tick(2);
    EXPECT_FALSE(::IsIconic(frame));
    h.View()->PauseTick();  // as while a dialog of the program runs
    tick(5);
    EXPECT_FALSE(::IsIconic(frame));
    EXPECT_EQ(h.View()->IconCount(), 1);
    h.View()->ResumeTick();
    tick(1);
    EXPECT_TRUE(::IsIconic(frame));
    EXPECT_EQ(h.View()->IconCount(), 3);  // reloaded by the frame on minimising

    ::ShowWindow(frame, SW_RESTORE);
    h.Pump();
    tick(3);
    EXPECT_TRUE(::IsIconic(frame));
    // Seven counted seconds in all, the paused ones not among them: the sixth
    // leaves the window open, the seventh closes it, minimised as it is.
    ASSERT_TRUE(::IsWindow(frame));
    tick(1);
    EXPECT_FALSE(::IsWindow(frame)) << "not closed on the seventh counted second";
}

TEST(CountdownView, ShootingStarStepsDiagonallyAndStopsOutsideTheWindow)
{
    CViewHarness h(kToday);
    h.SetSchedule(Schedule(24), 0);
    ASSERT_TRUE(h.Open(400, 300));
    const HWND view = h.View()->m_hWnd;
    ::KillTimer(view, 2);
    // The start column is random and the timer may have ticked while the window
    // opened: find the column from the steps taken so far.
    const Rect now = h.View()->ShootingStar().GetRect();
    const int taken = (now.top - 2) / 30;
    const int x = now.left - 2 - 32 * taken;
    ASSERT_GE(x, 0);
    ASSERT_LT(x, 400);
    // Step k is (x + 2 + 32k, 2 + 30k) to (x + 2 + 32(k + 1), 2 + 30(k + 1)).
    auto step = [x](int k) {
        return k == 0 ? Rect{x + 2, 2, x + 2, 2}
                      : Rect{x + 2 + 32 * k, 2 + 30 * k, x + 2 + 32 * (k + 1), 2 + 30 * (k + 1)};
    };
    EXPECT_EQ(now, step(taken));
    int k = taken;
    while (h.View()->IsShootingStarFlying() && k < 20) {
        ::SendMessageW(view, WM_TIMER, 2, 0);
        ++k;
        EXPECT_EQ(h.View()->ShootingStar().GetRect(), step(k));
    }
    // Once it has left the window the timer stops, even with nothing left to paint.
    EXPECT_FALSE(h.View()->IsShootingStarFlying());
    EXPECT_TRUE(step(k).left > 400 || step(k).top > 300);
    EXPECT_FALSE(step(k - 1).left > 400 || step(k - 1).top > 300);
}

TEST(CountdownView, TargetTimeCommandRestoresAMinimisedWindow)
{
    CViewHarness h(kToday);
    h.SetSchedule(Schedule(24), 0);
    ASSERT_TRUE(h.Open(400, 300));
    ::ShowWindow(h.Frame()->m_hWnd, SW_MINIMIZE);
    h.Pump();
    ASSERT_TRUE(::IsIconic(h.Frame()->m_hWnd));
    ::SendMessageW(h.View()->m_hWnd, WM_COMMAND, IDM_TARGET_TIME, 0);
    ::SendMessageW(h.View()->m_hWnd, WM_COMMAND, IDM_TARGET_TIME, 0);  // same second again
    h.Pump();
    EXPECT_FALSE(::IsIconic(h.Frame()->m_hWnd));
    EXPECT_TRUE(::IsWindowVisible(h.Frame()->m_hWnd));
}

TEST(CountdownView, SoundsPlayAtStartAndExitUnlessSwitchedOff)
{
    {
        CViewHarness h(kToday);
        h.SetSchedule(Schedule(24), 0);
        ASSERT_TRUE(h.Open(400, 300));
        h.Close();
        ASSERT_EQ(h.m_Sounds.size(), 2u);
        EXPECT_EQ(h.m_Sounds[0].name, L"Plover.wav");
        EXPECT_FALSE(h.m_Sounds[0].wait);
        EXPECT_EQ(h.m_Sounds[1].name, L"Plover.wav");
        EXPECT_TRUE(h.m_Sounds[1].wait);
    }
    CViewHarness h(kToday);
    h.m_Settings.WriteInt(L"Sound", 0);
    h.SetSchedule(Schedule(24), 0);
    ASSERT_TRUE(h.Open(400, 300));
    h.Close();
    EXPECT_TRUE(h.m_Sounds.empty());

    // Started by the user's sign-in: no start sound, the exit's as usual.
    SetStartedBySignIn(true);
    CViewHarness signIn(kToday);
    signIn.SetSchedule(Schedule(24), 0);
    ASSERT_TRUE(signIn.Open(400, 300));
    signIn.Close();
    SetStartedBySignIn(false);
    ASSERT_EQ(signIn.m_Sounds.size(), 1u);
    EXPECT_TRUE(signIn.m_Sounds[0].wait) << "only the exit's sound";
}

TEST(CountdownView, StartSettingsGiveTheBarState)
{
    for (auto [menu, title, state] : {std::tuple{0, 0, BarState::Both},
                                      {1, 0, BarState::TitleOnly},
                                      {0, 1, BarState::None},
                                      {1, 1, BarState::None}}) {
        CViewHarness h(kToday);
        h.m_Settings.WriteInt(L"StartMenuBar", menu);
        h.m_Settings.WriteInt(L"StartTitleBar", title);
        h.SetSchedule(Schedule(24), 0);
        ASSERT_TRUE(h.Open(400, 300));
        EXPECT_EQ(h.View()->Bars(), state);
    }
}

// High contrast: the view, the clock, the stars and the list draw in the four
// system colours only, the target day's sentence in the highlight colour, with
// no fixed colour left; off again every pixel is as before.  Each change comes
// as the system's message to the frame.
TEST(CountdownView, HighContrastDrawsOnlyTheSystemColoursAndOffAgainAsBefore)
{
    using HC = CForcedHighContrast;
    HC contrast;
    CViewHarness h(kToday);
    h.m_Settings.WriteInt(L"SCI", 2);  // the clock in the lower panel
    h.SetSchedule(Schedule(12), 0);    // the target is today: the pink sentence
    ASSERT_TRUE(OpenSettled(h));
    CClockObject& clock = *h.View()->Clock();
    RECT box{};
    ::GetClientRect(clock.m_hWnd, &box);
    const auto paintClock = [&] {
        auto canvas = std::make_unique<CPaintCanvas>(box.right, box.bottom);
        clock.OnDraw(canvas->Dc());
        return canvas;
    };
    const auto tell = [&](bool on, UINT message) {
        contrast.Set(on);
        ::SendMessageW(h.Frame()->m_hWnd, message, SPI_SETHIGHCONTRAST, 0);
        h.Pump();
    };
    const auto plain = h.Render();
    const auto plainClock = paintClock();

    tell(true, WM_SETTINGCHANGE);
    const auto px = h.Render();
    EXPECT_EQ(std::count_if(px.begin(), px.end(), [](COLORREF c) { return !IsSystemColour(c); }), 0);
    EXPECT_EQ(h.Pixel(px, 4, 150), HC::kWindow);
    EXPECT_EQ(h.Pixel(px, 100, 0), HC::kWindowText) << "the client border";
    EXPECT_EQ(h.Pixel(px, 100, 10), HC::kWindowText) << "the date panel's frame";
    EXPECT_GT(CountIf(h, px, RECT{60, 28, 340, 61}, [](COLORREF c) { return c == HC::kWindowText; }),
              100);
    EXPECT_GT(CountIf(h, px, RECT{9, 88, 391, 164}, [](COLORREF c) { return c == HC::kHighlight; }),
              50);
    const auto hcClock = paintClock();
    EXPECT_EQ(ForeignPixels(*hcClock), 0);
    EXPECT_GT(CountColour(*hcClock, HC::kWindowText), 200) << "the digits";
    const HWND star = ::GetDlgItem(h.View()->m_hWnd, IDC_STAR_LEFT);
    ::RedrawWindow(star, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const auto starShot = Shot(star);
    const int ink = CountColour(*starShot, HC::kWindowText);
    EXPECT_GT(ink, 50) << "the star's silhouette";
    EXPECT_EQ(CountColour(*starShot, HC::kWindow) + ink, starShot->Width() * starShot->Height());

    // The list, first made now, and the system's colours changed meanwhile.
    CPloverSettings settings = LoadSettings(h.m_Settings);
    settings.lowerPanel = 1;
    h.View()->ApplySettings(settings);
    h.Pump();
    const auto list = Shot(h.View()->MonthList());
    EXPECT_EQ(ForeignPixels(*list), 0);
    EXPECT_GT(CountColour(*list, HC::kWindowText), 50) << "the rows";
    settings.lowerPanel = 2;
    h.View()->ApplySettings(settings);

    tell(false, WM_SYSCOLORCHANGE);
    EXPECT_TRUE(h.Render() == plain) << "the view is not as before high contrast";
    EXPECT_EQ(paintClock()->Difference(*plainClock), 0);
}

// Less motion asked while the stars turn: they stop on their first frame, as a
// window started so shows them, and the shooting star is gone; two captures a
// second apart are the same.  Asked no more, the stars move again.
TEST(CountdownView, LessMotionStopsTheStarsOnTheirFirstFrameAndOffAgainTheyMove)
{
    CLessMotion motion;
    std::unique_ptr<CPaintCanvas> stilled;
    {
        CViewHarness h(kToday);
        h.SetSchedule(Schedule(24), 0);
        ASSERT_TRUE(h.Open(400, 300));
        h.Pump(200);  // the stars well past their first frame
        motion.Set(true);
        h.Pump(100);
        EXPECT_FALSE(h.View()->IsShootingStarFlying());
        stilled = Shot(h.View()->m_hWnd);
        h.Pump(1000);
        EXPECT_EQ(Shot(h.View()->m_hWnd)->Difference(*stilled), 0) << "something moved";
    }
    CViewHarness h(kToday);
    h.SetSchedule(Schedule(24), 0);
    ASSERT_TRUE(h.Open(400, 300));
    EXPECT_FALSE(h.View()->IsShootingStarFlying());
    h.Pump(300);
    const auto started = Shot(h.View()->m_hWnd);
    EXPECT_EQ(started->Difference(*stilled), 0) << "not the stars' first frames";
    motion.Set(false);
    h.Pump(300);
    EXPECT_GT(Shot(h.View()->m_hWnd)->Difference(*started), 0) << "the stars still stand";
}

TEST(CountdownView, TenThousandRepaintsLeaveNoGdiObjectBehind)
{
    CForcedHighContrast contrast;
    CViewHarness h(kToday);
    h.SetSchedule(Schedule(24), 0);
    ASSERT_TRUE(OpenSettled(h));
    const long before = LiveGdiObjects();
    CClientDC screen(h.View()->m_hWnd);
    CMemoryDC dc(screen.Get());
    CBitmap bitmap(::CreateCompatibleBitmap(screen.Get(), 400, 300));
    CSelectObject select(dc.Get(), bitmap.Get());
    const long withCanvas = LiveGdiObjects();
    CPloverSettings settings = LoadSettings(h.m_Settings);
    for (int i = 0; i < 10000; ++i) {
        if (i % 1000 == 0) {
            settings.lowerPanel = 1 + i / 1000 % 3;  // every lower panel mode
            h.View()->ApplySettings(settings);
        }
        if (i % 1000 == 500) {  // and each of them in high contrast and out of it
            contrast.Set(i / 500 % 4 == 1);
            ::SendMessageW(h.Frame()->m_hWnd, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
        }
        h.View()->OnDraw(dc.Get());
    }
    EXPECT_EQ(LiveGdiObjects(), withCanvas);
    EXPECT_EQ(withCanvas - before, 3);  // the screen DC, the memory DC, the bitmap
}

TEST(MainFrame, ProgramCursorComesFromTheCursorNumber)
{
    const HCURSOR arrow = ::LoadCursorW(nullptr, IDC_ARROW);
    for (int cursorNo : {0, 13}) {
        CViewHarness h(kToday);
        h.m_Settings.WriteInt(L"CursorNo", cursorNo);
        h.SetSchedule(Schedule(24), 0);
        ASSERT_TRUE(h.Open(400, 300));
        EXPECT_EQ(h.Frame()->m_Cursor.Get(), arrow) << cursorNo;
    }
    for (int cursorNo = 1; cursorNo <= 12; ++cursorNo) {
        CViewHarness h(kToday);
        h.m_Settings.WriteInt(L"CursorNo", cursorNo);
        h.SetSchedule(Schedule(24), 0);
        ASSERT_TRUE(h.Open(400, 300));
        const HCURSOR cursor = h.Frame()->m_Cursor.Get();
        EXPECT_NE(cursor, arrow) << cursorNo;
        EXPECT_EQ(h.View()->Cursor(), cursor);
        // Client area and caption show it; a sizing border keeps the platform's arrows.
        ::SetCursor(arrow);
        ::SendMessageW(h.Frame()->m_hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(h.Frame()->m_hWnd),
                       MAKELPARAM(HTCAPTION, WM_MOUSEMOVE));
        EXPECT_EQ(::GetCursor(), cursor);
        ::SetCursor(arrow);
        ::SendMessageW(h.View()->m_hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(h.View()->m_hWnd),
                       MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(::GetCursor(), cursor);
        ::SetCursor(arrow);
        ::SendMessageW(h.Frame()->m_hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(h.Frame()->m_hWnd),
                       MAKELPARAM(HTLEFT, WM_MOUSEMOVE));
        EXPECT_NE(::GetCursor(), cursor);
    }
}

// The automatic close may come due while the start-up's message boxes are open:
// the schedule is loaded in full first, and the program closes right after.
TEST(CountdownView, AutomaticCloseWaitsUntilTheScheduleIsLoaded)
{
    CViewHarness h(kToday);
    h.m_Settings.WriteInt(L"DestroyFlg", 1);
    h.m_Settings.WriteInt(L"DestroySec", 1);
    auto broken = WriteSchedule(0, Schedule(24));
    broken.resize(8 + 652 * 2 + 10);
    WriteBytes(h.m_Dir.File(L"Plover.pvd"), broken);
    int boxes = 0;
    SetMessageBoxHook([&](const MessageRecord& message) {
        h.m_Messages.push_back(message.text);
        if (++boxes == 1) {
            // The user reads the box until the automatic close has come due and its
            // WM_CLOSE has been handled, while the schedule is still being read.
            const DWORD start = ::GetTickCount();
            bool closeSeen = false;
            while (!closeSeen && ::GetTickCount() - start < 30000) {
                MSG msg;
                while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                    closeSeen = closeSeen || msg.message == WM_CLOSE;
                    ::DispatchMessageW(&msg);
                }
                ::Sleep(10);
            }
            EXPECT_TRUE(closeSeen) << "the automatic close never came due";
        }
        return IDNO;  // also the answer to the question about saving changes
    });
    ASSERT_TRUE(h.Open(400, 300));
    ASSERT_GE(h.m_Messages.size(), 2u);
    EXPECT_EQ(h.m_Messages[1], L"ファイルよりの読み込みに失敗しました");
    EXPECT_EQ(h.Doc()->m_ScheduleList.size(), 2u);  // all that the file holds was read

    for (int i = 0; i < 300 && ::IsWindow(h.Frame()->m_hWnd); ++i)
        h.Pump(10);
    EXPECT_FALSE(::IsWindow(h.Frame()->m_hWnd));
    EXPECT_EQ(ReadBytes(h.m_Dir.File(L"Plover.pvd.bak")), broken);
    EXPECT_EQ(ReadBytes(h.m_Dir.File(L"Plover.pvd")).size(), 8u + 2 * 652u);
}

TEST(MainFrame, HelpCommandsAskTheViewerForContentsOrTopic)
{
    struct Request {
        UINT command;
        ULONG_PTR data;
    };
    std::vector<Request> requests;
    SetHelpViewer([&](HWND, UINT command, ULONG_PTR data) { requests.push_back({command, data}); });
    CViewHarness h(kToday);
    h.SetSchedule(Schedule(24), 0);
    ASSERT_TRUE(h.Open(400, 300));
    for (UINT id : {IDM_HELP_FINDER, IDM_HELP_SCIENCE, IDM_HELP_INDEX, IDM_DEFAULT_HELP, IDM_HELP,
                    IDM_CONTEXT_HELP})
        ::SendMessageW(h.Frame()->m_hWnd, WM_COMMAND, id, 0);
    SetHelpViewer(nullptr);

    ASSERT_EQ(requests.size(), 6u);
    EXPECT_EQ(requests[0].command, static_cast<UINT>(HELP_FINDER));
    EXPECT_EQ(requests[0].data, 0u);
    EXPECT_EQ(requests[1].command, static_cast<UINT>(HELP_CONTEXT));
    EXPECT_EQ(requests[1].data, 101u);
    EXPECT_EQ(requests[2].command, static_cast<UINT>(HELP_FINDER));
    EXPECT_EQ(requests[3].command, static_cast<UINT>(HELP_FINDER));
    EXPECT_EQ(requests[4].command, static_cast<UINT>(HELP_CONTEXT));
    EXPECT_EQ(requests[5].command, static_cast<UINT>(HELP_CONTEXT));
}

TEST(CountdownView, DocumentEditsReachTheListAndTheCountdownAtOnce)
{
    CViewHarness h(kToday);
    h.SetSchedule(Schedule(24), 0);
    ASSERT_TRUE(OpenSettled(h));
    const HWND list = h.View()->MonthList();
    ASSERT_EQ(ListView_GetItemCount(list), 3);
    EXPECT_EQ(h.View()->Countdown(), L"卒業式 まで 12日");

    // A new entry later this month is listed at once; the countdown stays.
    h.Doc()->AddEntry(*MakeEntry(L"花火", 1996, 5, 20));
    h.Render();
    ASSERT_EQ(ListView_GetItemCount(list), 4);
    EXPECT_EQ(ListText(list, 3, 0), L"20日 花火");
    EXPECT_EQ(h.View()->Countdown(), L"卒業式 まで 12日");

    // Another target: the days left and the countdown follow.
    h.Doc()->SetTarget(2);
    h.Render();
    EXPECT_EQ(h.Doc()->m_nDaysLeft, 19);
    EXPECT_EQ(h.View()->Countdown(), L"運動会 まで 19日");
    const auto& moment = h.View()->Clock()->TargetTime();
    ASSERT_TRUE(moment.has_value()) << "the clock signals the new target's minute";
    EXPECT_EQ(moment->day, 31);
    EXPECT_EQ(moment->hour, 8);

    // The target deleted: the entry before it takes over.
    h.Doc()->DeleteEntry(2);
    h.Render();
    EXPECT_EQ(h.Doc()->m_nTarget, 1);
    EXPECT_EQ(h.View()->Countdown(), L"入学式 は終わりました");
    EXPECT_EQ(ListView_GetItemCount(list), 3);
    h.Close();
}

// No entry at all: one row says what to do first; it is no entry, so it cannot be
// chosen, and the first entry takes its place.
TEST(CountdownView, EmptyScheduleListsAHintRowThatIsNoEntry)
{
    CViewHarness h(kToday);
    ASSERT_TRUE(OpenSettled(h));
    const HWND list = h.View()->MonthList();
    ASSERT_EQ(ListView_GetItemCount(list), 1);
    EXPECT_EQ(ListText(list, 0, 0), kEmptyScheduleHints[0]);
    ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    RECT row{};
    ListView_GetItemRect(list, 0, &row, LVIR_BOUNDS);
    ::PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(row.left + 20, row.top + 4));
    ::PostMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(row.left + 20, row.top + 4));
    h.Pump();
    EXPECT_EQ(ListView_GetSelectedCount(list), 0u);
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_FOCUSED), -1);

    h.Doc()->AddEntry(*MakeEntry(L"花火", 1996, 5, 20));
    h.Render();
    ASSERT_EQ(ListView_GetItemCount(list), 1);
    EXPECT_EQ(ListText(list, 0, 0), L"20日 花火");
    ListView_SetItemState(list, 0, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(ListView_GetSelectedCount(list), 1u) << "an entry's row is chosen as before";
    h.Doc()->DeleteEntry(0);
    h.Render();
    ASSERT_EQ(ListView_GetItemCount(list), 1);
    EXPECT_EQ(ListText(list, 0, 0), kEmptyScheduleHints[0]);
    h.Close();
}

namespace {

// Looks at the program from inside a dialog: ticks the view and asks the frame
// to close, as the self-timer or the desktop would.
class CProbeDialog : public CDialog {
public:
    CProbeDialog(CViewHarness& h) : CDialog(IDD_TEST_DIALOG, nullptr), m_h(h) {}
    int iconCountDuring = -1;
    bool frameAliveAfterClose = false;

protected:
    bool OnInitDialog() override
    {
        for (int i = 0; i < 5; ++i)
            ::SendMessageW(m_h.View()->m_hWnd, WM_TIMER, static_cast<WPARAM>(ViewTimer::Tick), 0);
        iconCountDuring = m_h.View()->IconCount();
        ::SendMessageW(m_h.Frame()->m_hWnd, WM_CLOSE, 0, 0);
        frameAliveAfterClose = ::IsWindow(m_h.Frame()->m_hWnd) != FALSE;
        ::PostMessageW(m_hWnd, WM_COMMAND, IDOK, 0);
        return true;
    }

private:
    CViewHarness& m_h;
};

}  // namespace

TEST(Commands, ADialogPausesTheTickAndACloseAskedMeanwhileWaitsUntilItEnds)
{
    CViewHarness h(kToday);
    h.m_Settings.WriteInt(L"IconFlg", 1);
    h.m_Settings.WriteInt(L"IconSec", 3);
    h.SetSchedule(Schedule(24), 0);
    ASSERT_TRUE(h.Open(400, 300));
    ::KillTimer(h.View()->m_hWnd, static_cast<UINT_PTR>(ViewTimer::Tick));  // ticked by hand

    CProbeDialog probe(h);
    EXPECT_EQ(RunModalDialog(*h.Frame(), *h.View(), probe), IDOK);
    EXPECT_EQ(probe.iconCountDuring, 3) << "the tick counted while the dialog was open";
    EXPECT_TRUE(probe.frameAliveAfterClose) << "the close did not wait for the dialog";
    EXPECT_EQ(probe.m_hCursor, h.Frame()->m_Cursor.Get());

    // The close comes once the dialog has ended, and the tick counts again.
    MSG close{};
    EXPECT_TRUE(::PeekMessageW(&close, h.Frame()->m_hWnd, WM_CLOSE, WM_CLOSE, PM_REMOVE));
    ::SendMessageW(h.View()->m_hWnd, WM_TIMER, static_cast<WPARAM>(ViewTimer::Tick), 0);
    EXPECT_EQ(h.View()->IconCount(), 2);
    h.Close();
}

TEST(CountdownView, SelfTimerReadsIconSecAtEachMinimiseAndZeroMinimisesAtTheFirstTick)
{
    CViewHarness h(kToday);
    h.m_Settings.WriteInt(L"IconFlg", 1);
    h.m_Settings.WriteInt(L"IconSec", 0);
    h.SetSchedule(Schedule(24), 0);
    ASSERT_TRUE(h.Open(400, 300));
    const HWND view = h.View()->m_hWnd;
    const HWND frame = h.Frame()->m_hWnd;
    ::KillTimer(view, static_cast<UINT_PTR>(ViewTimer::Tick));
    const auto tick = [&] {
        ::SendMessageW(view, WM_TIMER, static_cast<WPARAM>(ViewTimer::Tick), 0);
        h.Pump();
    };
    const auto restore = [&] {
        ::ShowWindow(frame, SW_RESTORE);
        h.Pump();
    };

    tick();
    EXPECT_TRUE(::IsIconic(frame)) << "IconSec 0 waits for nothing";
    h.m_Settings.WriteInt(L"IconSec", 3);  // as another copy's options would
    restore();
    tick();
    EXPECT_TRUE(::IsIconic(frame)) << "the count read at the last minimise was 0";
    restore();
    tick();
    tick();
    EXPECT_FALSE(::IsIconic(frame));
    tick();
    EXPECT_TRUE(::IsIconic(frame)) << "the new IconSec, read at the second minimise";
    h.m_Settings.WriteInt(L"IconSec", -4);
    restore();
    ::ShowWindow(frame, SW_MINIMIZE);  // the user's own minimise reads it as well
    h.Pump();
    EXPECT_EQ(h.View()->IconCount(), -4);
    restore();
    tick();
    EXPECT_TRUE(::IsIconic(frame));
}

// The self-timer's close while a message box of the program is open (here a
// write that failed after an edit) waits for the answer, then ends the program
// without another tick, writing what the edit left in memory.
TEST(CountdownView, SelfTimerCloseWaitsForAnOpenMessageBox)
{
    CViewHarness h(kToday);
    h.m_Settings.WriteInt(L"DestroyFlg", 1);
    h.m_Settings.WriteInt(L"DestroySec", 3);
    h.SetSchedule(Schedule(24), 0);
    ASSERT_TRUE(h.Open(400, 300));
    const HWND view = h.View()->m_hWnd;
    const HWND frame = h.Frame()->m_hWnd;
    ::KillTimer(view, static_cast<UINT_PTR>(ViewTimer::Tick));
    const std::wstring path = h.Doc()->m_strFilePath;
    const std::size_t before = ReadBytes(path).size();
    const std::wstring blocked = TemporaryPath(path);
    ASSERT_TRUE(::CreateDirectoryW(blocked.c_str(), nullptr));

    int boxes = 0;
    bool aliveDuring = false;
    SetMessageBoxHook([&](const MessageRecord&) {
        ++boxes;
        // What the box's own loop would deliver meanwhile.
        for (int i = 0; i < 5; ++i)
            ::SendMessageW(view, WM_TIMER, static_cast<WPARAM>(ViewTimer::Tick), 0);
        PumpWaiting();
        aliveDuring = ::IsWindow(frame) != FALSE;
        ::RemoveDirectoryW(blocked.c_str());
        return IDOK;
    });
    h.Doc()->AddEntry(*MakeEntry(L"遠足", 1996, 6, 1));
    EXPECT_EQ(boxes, 1);
    EXPECT_TRUE(aliveDuring) << "closed under the message box";
    h.Pump();
    EXPECT_FALSE(::IsWindow(frame)) << "the close asked meanwhile was lost";
    EXPECT_EQ(boxes, 1) << "the unattended close asks nothing";
    EXPECT_EQ(ReadBytes(path).size(), before + 652u);
}
