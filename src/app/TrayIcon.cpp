#include "app/TrayIcon.h"

#include <algorithm>
#include <cstdint>
#include <cwchar>
#include <vector>

#include "framework/Gdi.h"
#include "framework/LateBound.h"
#include "objects/TextFont.h"

#ifndef NIIF_RESPECT_QUIET_TIME
#define NIIF_RESPECT_QUIET_TIME 0x00000080
#endif

namespace plover {

namespace {

constexpr UINT kIconId = 1;
constexpr COLORREF kPlate = RGB(24, 52, 120);
constexpr COLORREF kEdge = RGB(190, 205, 240);
constexpr COLORREF kDigits = RGB(255, 255, 255);

CTrayIcon::ShellCall& ShellHook()
{
    static CTrayIcon::ShellCall hook;
    return hook;
}

BOOL CallShell(DWORD message, NOTIFYICONDATAW* data)
{
    if (ShellHook())
        return ShellHook()(message, data);
    static const auto shell = LateBound<decltype(&::Shell_NotifyIconW)>(L"shell32.dll",
                                                                          "Shell_NotifyIconW");
    return shell ? shell(message, data) : FALSE;
}

template <std::size_t N>
void CopyText(wchar_t (&to)[N], const std::wstring& text)
{
    const std::size_t length = std::min(text.size(), N - 1);
    std::wmemcpy(to, text.data(), length);
    to[length] = L'\0';
}

bool IsNoticeEnd(UINT event)
{
    return event == NIN_BALLOONTIMEOUT || event == NIN_BALLOONUSERCLICK || event == NIN_BALLOONHIDE;
}

}  // namespace

void SetTrayShellHook(CTrayIcon::ShellCall shell)
{
    ShellHook() = std::move(shell);
}

int SmallIconSize(UINT dpi)
{
    using ForDpi = int(WINAPI*)(int, UINT);
    static const auto forDpi = LateBound<ForDpi>(L"user32.dll", "GetSystemMetricsForDpi");
    if (forDpi)
        return forDpi(SM_CXSMICON, dpi);
    return ::MulDiv(::GetSystemMetrics(SM_CXSMICON), static_cast<int>(dpi), 96);
}

CIcon DrawDaysIcon(const std::wstring& number, int size)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const CBitmap colour(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    // An all-zero mask: every pixel of the colour bitmap shows.
    const std::vector<BYTE> zeros(static_cast<std::size_t>((size + 15) / 16 * 2 * size), 0);
    const CBitmap mask(::CreateBitmap(size, size, 1, 1, zeros.data()));
    if (!colour.Get() || !mask.Get() || !bits)
        return CIcon();
    {
        CMemoryDC dc(nullptr);
        CSelectObject selectBitmap(dc.Get(), colour.Get());
        const CBrush edge = MakeSolidBrush(kEdge);
        const CBrush plate = MakeSolidBrush(kPlate);
        RECT r{0, 0, size, size};
        ::FillRect(dc.Get(), &r, edge.Get());
        ::InflateRect(&r, -std::max(1, size / 16), -std::max(1, size / 16));
        ::FillRect(dc.Get(), &r, plate.Get());
        // Three digits share the width; one or two stand as tall as the plate allows.
        const int characters = std::max<int>(2, static_cast<int>(number.size()));
        const CFont font = MakeTextFont(FontSize{size, size / characters});
        CSelectObject selectFont(dc.Get(), font.Get());
        ::SetBkMode(dc.Get(), TRANSPARENT);
        ::SetTextColor(dc.Get(), kDigits);
        RECT text{0, 0, size, size};
        ::DrawTextW(dc.Get(), number.c_str(), static_cast<int>(number.size()), &text,
                    DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        ::GdiFlush();
    }
    // GDI leaves alpha at 0: the whole square is opaque.
    auto* pixel = static_cast<std::uint32_t*>(bits);
    for (int i = 0; i < size * size; ++i)
        pixel[i] |= 0xFF000000u;
    ICONINFO icon{TRUE, 0, 0, mask.Get(), colour.Get()};
    return CIcon(::CreateIconIndirect(&icon));
}

CTrayIcon::CTrayIcon(HWND owner, UINT callbackMessage, HICON programIcon, ShellCall shell)
    : m_hOwner(owner),
      m_nCallback(callbackMessage),
      m_hProgramIcon(programIcon),
      m_Shell(shell ? std::move(shell) : ShellCall(CallShell))
{
}

CTrayIcon::~CTrayIcon()
{
    Remove();
}

HICON CTrayIcon::CurrentIcon() const
{
    return m_bDays && m_DaysIcon.Get() ? m_DaysIcon.Get() : m_hProgramIcon;
}

NOTIFYICONDATAW CTrayIcon::Data(UINT flags) const
{
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = m_hOwner;
    data.uID = kIconId;
    data.uFlags = flags;
    data.uCallbackMessage = m_nCallback;
    data.hIcon = CurrentIcon();
    CopyText(data.szTip, m_bDays ? m_Texts.tooltip : std::wstring(L"Plover"));
    return data;
}

bool CTrayIcon::Call(DWORD message, NOTIFYICONDATAW& data)
{
    return m_Shell(message, &data) != FALSE;
}

void CTrayIcon::Add()
{
    NOTIFYICONDATAW data = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP);
    m_bAdded = Call(NIM_ADD, data);
    if (!m_bAdded)
        return;
    data.uVersion = NOTIFYICON_VERSION_4;
    Call(NIM_SETVERSION, data);
}

void CTrayIcon::ShowDays(const TrayTexts& texts, UINT dpi)
{
    if (m_bDays && m_bAdded && dpi == m_nDpi && texts.number == m_Texts.number &&
        texts.tooltip == m_Texts.tooltip)
        return;
    if (!m_bDays || dpi != m_nDpi || texts.number != m_Texts.number)
        m_DaysIcon = texts.number.empty() ? CIcon() : DrawDaysIcon(texts.number, SmallIconSize(dpi));
    m_Texts = texts;
    m_nDpi = dpi;
    m_bDays = true;
    if (!m_bAdded) {
        Add();
        return;
    }
    NOTIFYICONDATAW data = Data(NIF_ICON | NIF_TIP | NIF_SHOWTIP);
    Call(NIM_MODIFY, data);
}

void CTrayIcon::HideDays()
{
    if (!m_bDays)
        return;
    m_bDays = false;
    if (m_bNotice && m_bAdded) {
        NOTIFYICONDATAW data = Data(NIF_ICON | NIF_TIP | NIF_SHOWTIP);
        Call(NIM_MODIFY, data);
    } else {
        Remove();
    }
    m_DaysIcon.Reset();
}

void CTrayIcon::Notify(const std::wstring& title, const std::wstring& text)
{
    m_bNotice = true;
    if (!m_bAdded)
        Add();
    NOTIFYICONDATAW data = Data(NIF_INFO);
    CopyText(data.szInfoTitle, title);
    // An empty text would take the balloon away instead of showing it.
    CopyText(data.szInfo, text.empty() ? std::wstring(L" ") : text);
    data.dwInfoFlags = NIIF_USER | NIIF_RESPECT_QUIET_TIME;
    data.hBalloonIcon = m_hProgramIcon;
    Call(NIM_MODIFY, data);
}

void CTrayIcon::OnEvent(UINT event)
{
    if (!IsNoticeEnd(event) || !m_bNotice)
        return;
    m_bNotice = false;
    if (!m_bDays)
        Remove();
}

void CTrayIcon::AddAgain()
{
    m_bAdded = false;
    if (m_bDays || m_bNotice)
        Add();
}

void CTrayIcon::Remove()
{
    if (!m_bAdded)
        return;
    NOTIFYICONDATAW data = Data(0);
    Call(NIM_DELETE, data);
    m_bAdded = false;
}

}  // namespace plover
