// The version box and the help window on real windows: the box's gradient, lines
// and colour button, the ways it closes, its sound, a thousand openings without a
// leak; the one help window every help command shows its page in; the dark title
// bar both windows ask for where the app theme is dark.
#include <windows.h>

#include <gtest/gtest.h>

#include "PaintCanvas.h"
#include "ViewHarness.h"
#include "WindowScript.h"
#include "WineTestSupport.h"
#include "app/HelpPages.h"
#include "app/HelpWindow.h"
#include "app/MainFrame.h"
#include "framework/Gdi.h"
#include "framework/Help.h"
#include "framework/TitleBarTheme.h"
#include "objects/AboutDlg.h"
#include "objects/AboutGradient.h"
#include "objects/ColorButton.h"
#include "objects/Frames.h"
#include "resource.h"
#include "view/PloverView.h"

using namespace plover;
using namespace plover::test;

namespace {

constexpr wchar_t kAboutCaption[] = L"Plover のバージョン情報";

HWND ShownAbout()
{
    return ShownDialog(kAboutCaption);
}

const LocalTime kToday{2026, 12, 9, 4, 12, 0, 0};

// The box run modally, `close` acting on it once it shows.
INT_PTR RunAbout(WindowStep close, WindowStep look = [](HWND) {})
{
    CAboutDlg box(nullptr);
    const CWindowScript script(ShownAbout, {std::move(look), std::move(close)});
    return box.DoModal();
}

// The white text's bounding box in `pixels` of a `width`-wide picture.
RECT InkOf(const std::vector<COLORREF>& pixels, int width)
{
    RECT ink{width, 1 << 20, -1, -1};
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        if (pixels[i] != RGB(255, 255, 255))
            continue;
        const int x = static_cast<int>(i) % width, y = static_cast<int>(i) / width;
        ink = {std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y), std::max<LONG>(ink.right, x),
               std::max<LONG>(ink.bottom, y)};
    }
    return ink;
}

}  // namespace

TEST(AboutBox, PaintsItsGradientAndLinesAndClosesOnEnterEscAndItsButton)
{
    EXPECT_EQ(RunAbout([](HWND box) { ::PostMessageW(box, WM_KEYDOWN, VK_RETURN, 0); },
                       [](HWND box) {
                           ::UpdateWindow(box);
                           RECT client{};
                           ::GetClientRect(box, &client);
                           const auto bands = AboutGradientBands(client.bottom, true);
                           const CClientDC dc(box);
                           // Left of the icon and text: only the gradient.
                           for (const GradientBand& band : {bands.front(), bands[bands.size() / 2]})
                               EXPECT_EQ(::GetPixel(dc.Get(), 2, band.top),
                                         RGB(0, band.green, band.blue));
                           // The version line is drawn in white where it belongs.
                           int white = 0;
                           for (int y = 22; y < 38; ++y)
                               for (int x = 60; x < 200; ++x)
                                   white += ::GetPixel(dc.Get(), x, y) == RGB(255, 255, 255);
                           EXPECT_GT(white, 30);
                           const HWND button = ::GetDlgItem(box, IDC_ABOUT_OK);
                           EXPECT_TRUE(::IsWindowVisible(button));
                       }),
              IDOK);
    EXPECT_EQ(RunAbout([](HWND box) { ::PostMessageW(box, WM_KEYDOWN, VK_ESCAPE, 0); }), IDCANCEL);
    EXPECT_EQ(RunAbout([](HWND box) {
                  ::SendMessageW(::GetDlgItem(box, IDC_ABOUT_OK), BM_CLICK, 0, 0);
              }),
              IDOK);
}

TEST(AboutBox, ThePressedButtonSwapsItsBevelAndSinksItsCaption)
{
    const HWND parent = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr,
                                          nullptr, nullptr, nullptr);
    CColorButton button;
    ASSERT_TRUE(button.Create(parent, {0, 0, 35, 20}, IDC_ABOUT_OK, L"OK"));
    button.SetColors(1, RGB(0, 0, 128), RGB(255, 255, 255), RGB(0, 0, 64), RGB(64, 64, 255), 0,
                     RGB(128, 128, 128), RGB(128, 128, 128));
    const auto draw = [&](UINT state) {
        const CClientDC screen(nullptr);
        const CMemoryDC memory(screen.Get());
        const CBitmap bitmap(::CreateCompatibleBitmap(screen.Get(), 35, 20));
        const CSelectObject select(memory.Get(), bitmap.Get());
        DRAWITEMSTRUCT item{ODT_BUTTON, IDC_ABOUT_OK, 0, ODA_DRAWENTIRE, state, button.m_hWnd,
                            memory.Get(), {0, 0, 35, 20}, 0};
        button.DrawItem(item);
        std::vector<COLORREF> pixels;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 35; ++x)
                pixels.push_back(::GetPixel(memory.Get(), x, y));
        return pixels;
    };
    const long gdi = LiveGdiObjects();
    const auto up = draw(0);
    const auto down = draw(ODS_SELECTED);
    EXPECT_EQ(LiveGdiObjects(), gdi);
    EXPECT_EQ(up[0], RGB(64, 64, 255)) << "light edge at the top left";
    EXPECT_EQ(down[0], RGB(0, 0, 64)) << "dark edge at the top left while pressed";
    const RECT upInk = InkOf(up, 35), downInk = InkOf(down, 35);
    ASSERT_GE(upInk.right, upInk.left) << "a caption is drawn";
    EXPECT_EQ(downInk.left, upInk.left + 1);
    EXPECT_EQ(downInk.top, upInk.top + 1);
    ::DestroyWindow(parent);
}

// In high contrast the box is one plate of the window colour, its lines and its
// button in the system's colours (the program's icon stays as it is); told that
// high contrast is off, it shows its gradient again.
TEST(AboutBox, InHighContrastIsOnePlateOfTheSystemColoursAndOffAgainItsGradient)
{
    using HC = CForcedHighContrast;
    HC contrast;
    const auto look = [&contrast](HWND box) {
        contrast.Set(true);
        ::SendMessageW(box, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
        ::UpdateWindow(box);
        RECT client{};
        ::GetClientRect(box, &client);
        RECT icon{};
        const HWND iconItem = ::FindWindowExW(box, nullptr, L"Static", nullptr);
        ::GetWindowRect(iconItem, &icon);
        ::MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&icon), 2);
        CPaintCanvas canvas(client.right, client.bottom);
        {
            const CClientDC dc(box);
            ::BitBlt(canvas.Dc(), 0, 0, client.right, client.bottom, dc.Get(), 0, 0, SRCCOPY);
        }
        int foreign = 0, plate = 0, lines = 0;
        for (int y = 0; y < client.bottom; ++y)
            for (int x = 0; x < client.right; ++x) {
                const COLORREF c = ToColorRef(canvas.Pixel(x, y));
                foreign += !::PtInRect(&icon, POINT{x, y}) && !IsSystemColour(c);
                plate += x == 2 && c == HC::kWindow;
                lines += y >= 22 && y < 38 && x >= 60 && x < 200 && c == HC::kWindowText;
            }
        EXPECT_EQ(foreign, 0);
        EXPECT_EQ(plate, client.bottom) << "one plate, no gradient";
        EXPECT_GT(lines, 30) << "the version line";

        contrast.Set(false);
        ::SendMessageW(box, WM_SYSCOLORCHANGE, 0, 0);
        ::UpdateWindow(box);
        const CClientDC dc(box);
        const auto bands = AboutGradientBands(client.bottom, true);
        EXPECT_EQ(::GetPixel(dc.Get(), 2, bands[bands.size() / 2].top),
                  RGB(0, bands[bands.size() / 2].green, bands[bands.size() / 2].blue));
    };
    EXPECT_EQ(RunAbout([](HWND box) { ::PostMessageW(box, WM_KEYDOWN, VK_ESCAPE, 0); }, look),
              IDCANCEL);
}

TEST(AboutBox, TheCommandPlaysTheVersionSoundOnlyWithSoundsOn)
{
    CViewHarness h(kToday);
    h.SetSchedule(MakeSchedule(3, 1), 0);
    ASSERT_TRUE(h.Open());
    const auto open = [&h] {
        const CWindowScript script(ShownAbout, {[](HWND box) { ::PostMessageW(box, WM_KEYDOWN, VK_ESCAPE, 0); }});
        ::SendMessageW(h.Frame()->m_hWnd, WM_COMMAND, IDM_APP_ABOUT, 0);
    };
    h.m_Sounds.clear();
    h.m_Settings.WriteInt(L"Sound", 0);
    open();
    EXPECT_TRUE(h.m_Sounds.empty());
    h.m_Settings.WriteInt(L"Sound", 1);
    h.m_Settings.WriteString(L"VerWav", L"chime.wav");
    open();
    ASSERT_EQ(h.m_Sounds.size(), 1u);
    EXPECT_EQ(h.m_Sounds[0].name, L"chime.wav");
    EXPECT_FALSE(h.m_Sounds[0].wait);
    h.Close();
}

TEST(AboutBox, AThousandOpeningsLeaveNothingBehind)
{
    ExpectNothingLeftBehind(
        [] { ASSERT_EQ(CCancelAtOnce<CAboutDlg>([](HWND) {}, nullptr).DoModal(), IDCANCEL); }, 1000);
}

TEST(HelpWindow, OneWindowShowsEachCommandsPageAndGoesWithTheMainWindow)
{
    CViewHarness h(kToday);
    h.SetSchedule(MakeSchedule(3, 1), 0);
    ASSERT_TRUE(h.Open());
    SetHelpViewer(ShowHelpForCommand);
    const auto shown = [] {
        return std::make_pair(ListRow(HelpWindow(), IDC_HELP_TOPICS,
                                      static_cast<int>(::SendDlgItemMessageW(
                                          HelpWindow(), IDC_HELP_TOPICS, LB_GETCURSEL, 0, 0))),
                              Text(HelpWindow(), IDC_HELP_PAGE));
    };

    ::SendMessageW(h.Frame()->m_hWnd, WM_COMMAND, IDM_HELP, 0);  // F1
    const HWND window = HelpWindow();
    ASSERT_TRUE(window);
    EXPECT_TRUE(::IsWindowVisible(window));
    EXPECT_EQ(::GetWindow(window, GW_OWNER), h.Frame()->m_hWnd);
    EXPECT_EQ(shown().first, L"目次");
    EXPECT_EQ(shown().second.rfind(L"Plover（プローバー）は", 0), 0u) << "the page's text, as UTF-16";

    ::SendMessageW(h.Frame()->m_hWnd, WM_COMMAND, IDM_HELP_SCIENCE, 0);
    EXPECT_EQ(HelpWindow(), window) << "one help window at a time";
    EXPECT_EQ(shown().first, L"天文なぜなに科学館");
    ShowHelp(h.Frame()->m_hWnd, HELP_CONTEXT, kHelpOptions);
    EXPECT_EQ(shown().first, L"ﾌﾟﾛﾊﾟﾃｨ");
    ChooseRow(window, IDC_HELP_TOPICS, 1);
    EXPECT_NE(shown().second, L"");

    h.Close();
    SetHelpViewer(nullptr);
    EXPECT_FALSE(::IsWindow(window)) << "closed with the main window";
    EXPECT_FALSE(HelpWindow());
}

namespace {

struct AttributeAsked {
    HWND window;
    DWORD attribute;
    BOOL value;
};
std::vector<AttributeAsked> g_asked;

HRESULT WINAPI RecordAttribute(HWND window, DWORD attribute, LPCVOID value, DWORD size)
{
    EXPECT_EQ(size, sizeof(BOOL));
    g_asked.push_back({window, attribute, *static_cast<const BOOL*>(value)});
    return S_OK;
}

// The user's app theme in the test prefix's registry, put back as it was.
class CAppTheme {
public:
    CAppTheme()
    {
        ::RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_hKey,
                          nullptr);
        DWORD size = sizeof m_nSaved;
        m_bHadValue = ::RegQueryValueExW(m_hKey, kValue, nullptr, nullptr,
                                         reinterpret_cast<BYTE*>(&m_nSaved), &size) == ERROR_SUCCESS;
    }
    ~CAppTheme()
    {
        if (m_bHadValue)
            Set(m_nSaved != 0);
        else
            ::RegDeleteValueW(m_hKey, kValue);
        ::RegCloseKey(m_hKey);
    }
    void Set(bool light)
    {
        const DWORD value = light ? 1 : 0;
        ::RegSetValueExW(m_hKey, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                         sizeof value);
    }

private:
    static constexpr wchar_t kKey[] =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
    static constexpr wchar_t kValue[] = L"AppsUseLightTheme";
    HKEY m_hKey = nullptr;
    DWORD m_nSaved = 1;
    bool m_bHadValue = false;
};

std::vector<AttributeAsked> AskedFor(HWND window)
{
    std::vector<AttributeAsked> found;
    for (const AttributeAsked& asked : g_asked)
        if (asked.window == window)
            found.push_back(asked);
    return found;
}

}  // namespace

TEST(TitleBar, DarkWhereTheAppThemeIsDarkAndFollowsItsChange)
{
    EXPECT_EQ(DarkTitleBarAttribute(22631), 20u);
    EXPECT_EQ(DarkTitleBarAttribute(18985), 20u);
    EXPECT_EQ(DarkTitleBarAttribute(18362), 19u);
    EXPECT_EQ(DarkTitleBarAttribute(17134), 0u) << "no such attribute before 1809";

    CAppTheme theme;
    SetWindowAttributeForTest(RecordAttribute, 22631);  // Wine's prefix says Windows 7
    SetHelpViewer(ShowHelpForCommand);
    for (const bool light : {true, false}) {
        SCOPED_TRACE(light ? "light" : "dark");
        theme.Set(light);
        g_asked.clear();
        CViewHarness h(kToday);
        h.SetSchedule(MakeSchedule(3, 1), 0);
        ASSERT_TRUE(h.Open());
        ::SendMessageW(h.Frame()->m_hWnd, WM_COMMAND, IDM_HELP, 0);
        for (const HWND window : {h.Frame()->m_hWnd, HelpWindow()}) {
            const auto asked = AskedFor(window);
            if (light) {
                EXPECT_TRUE(asked.empty()) << "a light theme leaves the bar as it always was";
                continue;
            }
            ASSERT_EQ(asked.size(), 1u);
            EXPECT_EQ(asked[0].attribute, 20u);
            EXPECT_EQ(asked[0].value, TRUE);
        }

        // The theme turned round while the windows are open.
        theme.Set(!light);
        g_asked.clear();
        for (const HWND window : {h.Frame()->m_hWnd, HelpWindow()}) {
            ::SendMessageW(window, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"Environment"));
            EXPECT_TRUE(AskedFor(window).empty()) << "another setting changes nothing";
            ::SendMessageW(window, WM_SETTINGCHANGE, 0,
                           reinterpret_cast<LPARAM>(L"ImmersiveColorSet"));
            const auto asked = AskedFor(window);
            ASSERT_EQ(asked.size(), 1u);
            EXPECT_EQ(asked[0].value, light ? TRUE : FALSE);
        }
        h.Close();
    }
    SetHelpViewer(nullptr);
    SetWindowAttributeForTest(nullptr, 0);
}
