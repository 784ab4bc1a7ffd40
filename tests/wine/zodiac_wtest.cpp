// The zodiac guide on a real window: the month's sign in the boxes and its picture
// painted below the name, repainted when damaged and never over a control; no
// sign for a month outside the year; the boxes hand the focus to OK; a thousand
// openings that leave nothing behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "WindowScript.h"
#include "WineTestSupport.h"
#include "astro/ZodiacDlg.h"
#include "astro/ZodiacTable.h"
#include "framework/Gdi.h"
#include "resource.h"

using namespace plover;
using namespace plover::test;

namespace {

void ShowPainted(HWND dialog)
{
    ::SetWindowPos(dialog, HWND_TOPMOST, 10, 10, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    ::RedrawWindow(dialog, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpWaiting();
}

RECT ItemRect(HWND dialog, UINT id)
{
    RECT rect{};
    ::GetWindowRect(::GetDlgItem(dialog, static_cast<int>(id)), &rect);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// 4 right of and 27 below the corner of the name box's text area.
POINT PictureCorner(HWND dialog)
{
    POINT corner{0, 0};
    ::ClientToScreen(::GetDlgItem(dialog, IDC_ZODIAC_NAME), &corner);
    ::ScreenToClient(dialog, &corner);
    return {corner.x + 4, corner.y + 27};
}

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

Picture LoadPicture(UINT id)
{
    const CBitmap bitmap(static_cast<HBITMAP>(
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0)));
    Picture picture;
    BITMAP info{};
    if (!bitmap || !::GetObjectW(bitmap.Get(), sizeof info, &info))
        return picture;
    picture.width = info.bmWidth;
    picture.height = info.bmHeight;
    const CClientDC screen(nullptr);
    const CMemoryDC memory(screen.Get());
    const CSelectObject select(memory.Get(), bitmap.Get());
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            picture.pixels.push_back(::GetPixel(memory.Get(), x, y));
    return picture;
}

// Points of `picture` on every third row and fifth column, as the dialog shows
// them: those in the band between the boxes must match; none may show outside it.
// Returns how many matched, with the mismatches in `wrong`.
int CompareShown(HWND dialog, const Picture& picture, int& wrong)
{
    const POINT corner = PictureCorner(dialog);
    const int top = ItemRect(dialog, IDC_ZODIAC_NAME).bottom;
    const int bottom = ItemRect(dialog, IDC_ZODIAC_DESCRIPTION).top;
    const CClientDC dc(dialog);
    int matched = 0;
    wrong = 0;
    for (int y = 0; y < picture.height; y += 3) {
        const int shownY = corner.y + y;
        if (shownY < top || shownY >= bottom)
            continue;
        for (int x = 0; x < picture.width; x += 5) {
            if (::GetPixel(dc.Get(), corner.x + x, shownY) == picture.At(x, y))
                ++matched;
            else
                ++wrong;
        }
    }
    return matched;
}

// A zodiac dialog that runs `act` once its own loop is running.
class CScriptedZodiacDlg : public CZodiacDlg {
public:
    CScriptedZodiacDlg(int month, std::function<void(HWND)> act)
        : CZodiacDlg(nullptr, month), m_Act(std::move(act))
    {
    }

protected:
    bool OnInitDialog() override
    {
        const bool result = CZodiacDlg::OnInitDialog();
        ::PostMessageW(m_hWnd, kActNow, 0, 0);
        return result;
    }
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override
    {
        if (message != kActNow)
            return CZodiacDlg::OnMessage(message, wParam, lParam, result);
        m_Act(m_hWnd);
        return true;
    }

private:
    static constexpr UINT kActNow = WM_APP + 1;
    std::function<void(HWND)> m_Act;
};

}  // namespace

TEST(ZodiacDialog, ShowsTheMonthsSignWithItsPictureBetweenTheBoxes)
{
    struct Case {
        int month;
        const wchar_t* name;
        UINT bitmap;
    };
    for (const Case& c : {Case{1, L"山羊座", 122}, Case{7, L"蟹座", 133}, Case{10, L"天秤座", 136}}) {
        SCOPED_TRACE(c.month);
        CZodiacDlg dialog(nullptr, c.month);
        ASSERT_TRUE(dialog.Create());
        const HWND window = dialog.m_hWnd;
        ShowPainted(window);
        EXPECT_EQ(Text(window, IDC_ZODIAC_NAME), c.name);
        EXPECT_EQ(Text(window, IDC_ZODIAC_DESCRIPTION), ZodiacForMonth(c.month)->description);

        const Picture picture = LoadPicture(c.bitmap);
        ASSERT_GT(picture.width, 170);
        int wrong = 0;
        EXPECT_GT(CompareShown(window, picture, wrong), 800);
        EXPECT_EQ(wrong, 0);
        const POINT corner = PictureCorner(window);
        const COLORREF face = ::GetSysColor(COLOR_3DFACE);
        {
            const CClientDC dc(window);
            EXPECT_EQ(::GetPixel(dc.Get(), corner.x - 1, corner.y + 20), face);
            EXPECT_EQ(::GetPixel(dc.Get(), corner.x + picture.width, corner.y + 20), face);
            // Damage, as a window dragged across leaves it.
            const RECT damaged{corner.x, corner.y, corner.x + picture.width, corner.y + 40};
            const CBrush red = MakeSolidBrush(RGB(255, 0, 0));
            ::FillRect(dc.Get(), &damaged, red.Get());
        }
        ::InvalidateRect(window, nullptr, TRUE);
        ::UpdateWindow(window);
        EXPECT_GT(CompareShown(window, picture, wrong), 800);
        EXPECT_EQ(wrong, 0) << "not repainted";
        Click(window, IDOK);
        EXPECT_FALSE(::IsWindow(window));
    }
}

TEST(ZodiacDialog, PaintsNothingOverTheDescriptionEvenWhereThePictureReaches)
{
    CZodiacDlg dialog(nullptr, 1);
    ASSERT_TRUE(dialog.Create());
    const HWND window = dialog.m_hWnd;
    // The description moved up into the picture, as a taller dialog font would put it.
    const POINT corner = PictureCorner(window);
    const HWND description = ::GetDlgItem(window, IDC_ZODIAC_DESCRIPTION);
    const RECT before = ItemRect(window, IDC_ZODIAC_DESCRIPTION);
    ::SetWindowPos(description, nullptr, before.left, corner.y + 50, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER);
    ShowPainted(window);
    const RECT moved = ItemRect(window, IDC_ZODIAC_DESCRIPTION);
    const auto inside = [&] {
        const CClientDC dc(window);
        std::vector<COLORREF> pixels;
        for (int y = moved.top; y < moved.bottom; y += 2)
            for (int x = moved.left; x < moved.right; x += 3)
                pixels.push_back(::GetPixel(dc.Get(), x, y));
        return pixels;
    };
    const std::vector<COLORREF> shown = inside();
    // Only the dialog paints again: whatever it draws over the box stays there.
    ::InvalidateRect(window, nullptr, FALSE);
    ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_NOCHILDREN);
    EXPECT_EQ(inside(), shown);

    const Picture picture = LoadPicture(IDB_ZODIAC_CAPRICORNUS);
    int wrong = 0;
    EXPECT_GT(CompareShown(window, picture, wrong), 100) << "the part above the box still shows";
    EXPECT_EQ(wrong, 0);
    Click(window, IDOK);
}

TEST(ZodiacDialog, MonthOutsideTheYearShowsNothing)
{
    const Picture picture = LoadPicture(IDB_ZODIAC_CAPRICORNUS);
    for (int month : {0, 13}) {
        SCOPED_TRACE(month);
        CZodiacDlg dialog(nullptr, month);
        ASSERT_TRUE(dialog.Create());
        const HWND window = dialog.m_hWnd;
        ShowPainted(window);
        EXPECT_EQ(Text(window, IDC_ZODIAC_NAME), L"");
        EXPECT_EQ(Text(window, IDC_ZODIAC_DESCRIPTION), L"");
        const POINT corner = PictureCorner(window);
        const int bottom = ItemRect(window, IDC_ZODIAC_DESCRIPTION).top;
        const COLORREF face = ::GetSysColor(COLOR_3DFACE);
        int painted = 0;
        {
            const CClientDC dc(window);
            for (int y = corner.y; y < bottom; y += 3)
                for (int x = corner.x; x < corner.x + picture.width; x += 5)
                    painted += ::GetPixel(dc.Get(), x, y) != face;
        }
        EXPECT_EQ(painted, 0);
        Click(window, IDOK);
    }
}

TEST(ZodiacDialog, BoxesHandTheFocusToOkAndEnterCloses)
{
    HWND afterName = nullptr;
    HWND afterDescription = nullptr;
    HWND ok = nullptr;
    CScriptedZodiacDlg dialog(5, [&](HWND window) {
        ::ShowWindow(window, SW_SHOW);
        ok = ::GetDlgItem(window, IDOK);
        ::SetFocus(::GetDlgItem(window, IDC_ZODIAC_NAME));
        afterName = ::GetFocus();
        ::SetFocus(::GetDlgItem(window, IDC_ZODIAC_DESCRIPTION));
        afterDescription = ::GetFocus();
        // The key as the dialog's own loop receives it.
        ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(afterName, ok);
    EXPECT_EQ(afterDescription, ok);
}

TEST(ZodiacDialog, ThousandOpeningsLeaveNothingBehind)
{
    // Every sign and the month without one, each painted before it closes.
    int month = 0;
    ExpectNothingLeftBehind(
        [&month] {
            ASSERT_EQ(CCancelAtOnce<CZodiacDlg>([](HWND) {}, nullptr, month++ % 14).DoModal(),
                      IDCANCEL);
        },
        1000);
}
