// The notification area icon as the shell is asked for it: what each call says,
// the icon drawn for the days left at each DPI, and that every icon added is taken
// away again.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/TrayIcon.h"
#include "framework/Gdi.h"

using namespace plover;

namespace {

constexpr UINT kCallback = WM_APP + 7;

struct ShellRecord {
    DWORD message;
    NOTIFYICONDATAW data;
};

class TrayIconTest : public ::testing::Test {
protected:
    CTrayIcon::ShellCall Recorder()
    {
        return [this](DWORD message, NOTIFYICONDATAW* data) {
            m_calls.push_back({message, *data});
            if (message == NIM_ADD)
                ++m_present;
            if (message == NIM_DELETE)
                --m_present;
            return TRUE;
        };
    }
    std::vector<DWORD> Messages() const
    {
        std::vector<DWORD> messages;
        for (const ShellRecord& call : m_calls)
            messages.push_back(call.message);
        return messages;
    }

    HWND m_owner = ::CreateWindowW(L"STATIC", L"", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    HICON m_program = ::LoadIconW(nullptr, IDI_APPLICATION);
    std::vector<ShellRecord> m_calls;
    int m_present = 0;  // icons the shell would show now
};

// The icon's width and the colour of its centre row, white where a digit is.
struct IconLook {
    int size = 0;
    int whitePixels = 0;
    std::vector<DWORD> pixels;
};

IconLook LookAt(HICON icon)
{
    IconLook look;
    ICONINFO info{};
    if (!::GetIconInfo(icon, &info))
        return look;
    const CBitmap colour(info.hbmColor), mask(info.hbmMask);
    BITMAP bitmap{};
    ::GetObjectW(colour.Get(), sizeof bitmap, &bitmap);
    look.size = bitmap.bmWidth;
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, bitmap.bmWidth, -bitmap.bmHeight, 1, 32, BI_RGB};
    look.pixels.resize(static_cast<std::size_t>(bitmap.bmWidth * bitmap.bmHeight));
    const HDC screen = ::GetDC(nullptr);
    ::GetDIBits(screen, colour.Get(), 0, bitmap.bmHeight, look.pixels.data(), &bi, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    for (DWORD p : look.pixels)
        look.whitePixels += (p & 0xFFFFFF) == 0xFFFFFF;
    return look;
}

}  // namespace

TEST_F(TrayIconTest, DaysIconIsAddedWithItsTooltipAndCallbackAndRedrawnOnlyOnAChange)
{
    {
        CTrayIcon icon(m_owner, kCallback, m_program, Recorder());
        icon.ShowDays({L"5", L"卒業式まで あと5日"}, 96);
        ASSERT_EQ(Messages(), (std::vector<DWORD>{NIM_ADD, NIM_SETVERSION}));
        const NOTIFYICONDATAW& added = m_calls[0].data;
        EXPECT_EQ(added.hWnd, m_owner);
        EXPECT_EQ(added.uCallbackMessage, kCallback);
        EXPECT_EQ(added.uFlags & (NIF_MESSAGE | NIF_ICON | NIF_TIP), UINT(NIF_MESSAGE | NIF_ICON | NIF_TIP));
        EXPECT_STREQ(added.szTip, L"卒業式まで あと5日");
        EXPECT_NE(added.hIcon, m_program);
        EXPECT_EQ(m_calls[1].data.uVersion, UINT(NOTIFYICON_VERSION_4));

        icon.ShowDays({L"5", L"卒業式まで あと5日"}, 96);
        EXPECT_EQ(m_calls.size(), 2u) << "nothing changed, nothing asked";
        icon.ShowDays({L"4", L"卒業式まで あと4日"}, 96);
        ASSERT_EQ(m_calls.size(), 3u);
        EXPECT_EQ(m_calls[2].message, DWORD(NIM_MODIFY));
        EXPECT_STREQ(m_calls[2].data.szTip, L"卒業式まで あと4日");

        // Explorer restarted: the icon comes back as it was.
        icon.AddAgain();
        EXPECT_EQ(m_calls[3].message, DWORD(NIM_ADD));
        EXPECT_STREQ(m_calls[3].data.szTip, L"卒業式まで あと4日");
        EXPECT_EQ(m_present, 2);  // the shell forgot the first when it restarted
        m_present = 1;
    }
    EXPECT_EQ(m_calls.back().message, DWORD(NIM_DELETE)) << "going, it takes its icon along";
    EXPECT_EQ(m_present, 0);
}

TEST_F(TrayIconTest, NumberIsDrawnSharpAtTheIconSizeOfEachDpi)
{
    for (const UINT dpi : {96u, 144u, 192u}) {
        const CIcon five = DrawDaysIcon(L"5", SmallIconSize(dpi));
        const CIcon many = DrawDaysIcon(L"365", SmallIconSize(dpi));
        const IconLook a = LookAt(five.Get()), b = LookAt(many.Get());
        EXPECT_EQ(a.size, static_cast<int>(16 * dpi / 96)) << dpi;
        EXPECT_GT(a.whitePixels, 0) << "the digit is drawn, dpi " << dpi;
        EXPECT_GT(b.whitePixels, a.whitePixels) << "three digits cover more than one";
        EXPECT_TRUE(a.pixels != b.pixels) << "a different number, a different picture";
        // The plate is dark blue and its edge light, so it reads on either taskbar.
        EXPECT_EQ(a.pixels[0] & 0xFFFFFF, 0xBECDF0u);
        EXPECT_EQ(a.pixels[static_cast<std::size_t>(a.size * 2 + 2)] & 0xFFFFFF, 0x183478u);
    }
}

TEST_F(TrayIconTest, NoticeWithoutTheDaysIconBringsTheProgramsIconForItsTime)
{
    CTrayIcon icon(m_owner, kCallback, m_program, Recorder());
    icon.Notify(L"卒業式", L"体育館で十時から");
    ASSERT_EQ(Messages(), (std::vector<DWORD>{NIM_ADD, NIM_SETVERSION, NIM_MODIFY}));
    EXPECT_EQ(m_calls[0].data.hIcon, m_program);
    const NOTIFYICONDATAW& balloon = m_calls[2].data;
    EXPECT_EQ(balloon.uFlags, UINT(NIF_INFO));
    EXPECT_STREQ(balloon.szInfoTitle, L"卒業式");
    EXPECT_STREQ(balloon.szInfo, L"体育館で十時から");
    EXPECT_EQ(balloon.dwInfoFlags, DWORD(NIIF_USER | 0x80));  // the system's quiet hours hold
    EXPECT_EQ(balloon.hBalloonIcon, m_program);
    icon.OnEvent(NIN_BALLOONTIMEOUT);
    EXPECT_EQ(m_calls.back().message, DWORD(NIM_DELETE));
    EXPECT_EQ(m_present, 0);

    // With the days-left icon on, the notice leaves it standing.
    icon.ShowDays({L"今", L"本日は 卒業式 です"}, 96);
    icon.Notify(L"卒業式", L"");
    EXPECT_STREQ(m_calls.back().data.szInfo, L" ") << "an empty text would hide the balloon";
    icon.OnEvent(NIN_BALLOONUSERCLICK);
    EXPECT_EQ(m_present, 1);
    icon.HideDays();
    EXPECT_EQ(m_present, 0);
}

TEST_F(TrayIconTest, AThousandUpdatesLeaveNoIconOrGdiObjectBehind)
{
    const long gdi = LiveGdiObjects(), icons = CIcon::Alive();
    {
        CTrayIcon icon(m_owner, kCallback, m_program, Recorder());
        for (int i = 0; i < 1000; ++i)
            icon.ShowDays({std::to_wstring(i % 400), L"x"}, i % 3 == 0 ? 96 : 144);
        EXPECT_EQ(CIcon::Alive(), icons + 1);
        icon.HideDays();
        EXPECT_EQ(CIcon::Alive(), icons);
    }
    EXPECT_EQ(LiveGdiObjects(), gdi);
    EXPECT_EQ(m_present, 0);
}
