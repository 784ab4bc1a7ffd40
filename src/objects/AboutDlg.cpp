#include "objects/AboutDlg.h"

#include "framework/Dpi.h"
#include "framework/SystemLook.h"
#include "objects/AboutGradient.h"
#include "PloverVersion.h"
#include "resource.h"

namespace plover {

const wchar_t kVersionLine[] = L"Plover Version " PLOVER_VERSION_TEXT_W;
const wchar_t kMakerLine[] = L"Copyright (C) 2026 WREN";

namespace {

// The button the box makes itself, in client pixels.
constexpr RECT kOkButtonRect{120, 73, 155, 93};

}  // namespace

CAboutDlg::CAboutDlg(HWND parent) : CDialog(IDD_ABOUTBOX, parent) {}

bool CAboutDlg::OnInitDialog()
{
    // The template scales with the DPI; what the box places in pixels scales too.
    m_nDpi = WindowDpi(m_hWnd);
    const auto px = [this](int value) { return ScaleToDpi(value, m_nDpi); };
    m_Font = CFont(::CreateFontW(px(-14), 0, 0, 0, 0, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                                 OUT_STROKE_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY, 0,
                                 L"ＭＳ Ｐゴシック"));
    m_pOkButton = std::make_unique<CColorButton>();
    const RECT button{px(kOkButtonRect.left), px(kOkButtonRect.top), px(kOkButtonRect.right),
                      px(kOkButtonRect.bottom)};
    m_pOkButton->Create(m_hWnd, button, IDC_ABOUT_OK, L"OK");
    ApplyLook();
    m_pOkButton->SetFont(m_Font.Get());
    const CClientDC screen(::GetDesktopWindow());
    m_nBitsPixel = ::GetDeviceCaps(screen.Get(), BITSPIXEL);
    return true;
}

void CAboutDlg::ApplyLook()
{
    if (!HighContrast()) {
        m_pOkButton->SetColors(1, RGB(0, 0, 128), RGB(255, 255, 255), RGB(0, 0, 64),
                               RGB(64, 64, 255), RGB(0, 0, 0), RGB(128, 128, 128),
                               RGB(128, 128, 128));
        return;
    }
    // The bevel keeps its two sides, so a press still shows.
    const SystemLook& look = CurrentLook();
    m_pOkButton->SetColors(1, look.window, look.windowText, look.grayText, look.windowText,
                           look.windowText, look.grayText, look.grayText);
}

bool CAboutDlg::OnCommand(UINT id, UINT notifyCode, HWND)
{
    if (id != IDC_ABOUT_OK || notifyCode != BN_CLICKED)
        return false;
    EndDialog(IDOK);
    return true;
}

bool CAboutDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result)
{
    switch (message) {
    case WM_PAINT:
        OnPaint();
        result = TRUE;
        return true;
    case WM_DRAWITEM:
        if (wParam != IDC_ABOUT_OK || !m_pOkButton)
            return false;
        m_pOkButton->DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        result = TRUE;
        return true;
    case WM_CTLCOLORSTATIC:
        // The icon stands on the gradient, not on a grey square.
        ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        result = reinterpret_cast<INT_PTR>(::GetStockObject(NULL_BRUSH));
        return true;
    case WM_SETCURSOR:
        // Over the caption and the frame as well; a click while the box is
        // disabled (HTERROR) keeps the platform's beep.
        if (!m_hCursor || static_cast<short>(LOWORD(lParam)) == HTERROR)
            return false;
        ::SetCursor(m_hCursor);
        ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, TRUE);
        result = TRUE;
        return true;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
        // A top-level window of its own, told before or after the main window.
        RefreshSystemLook();
        if (m_pOkButton)
            ApplyLook();
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
        return false;
    case WM_DESTROY:
        m_pOkButton.reset();
        m_Font.Reset();
        return false;
    default:
        return false;
    }
}

void CAboutDlg::DrawGradient(HDC dc, const RECT& client) const
{
    const bool smooth = m_nBitsPixel >= 15;
    for (const GradientBand& band : AboutGradientBands(client.bottom, smooth)) {
        const CPen pen = smooth ? MakePen(PS_SOLID, 0, RGB(0, band.green, band.blue))
                                : MakePen(PS_INSIDEFRAME, ScaleToDpi(2, m_nDpi),
                                          RGB(0, band.green, band.blue));
        const CSelectObject select(dc, pen.Get());
        for (int line = 0, y = band.top; line < band.lines; ++line, y += band.lineStep) {
            ::MoveToEx(dc, 0, y, nullptr);
            ::LineTo(dc, client.right, y);
        }
    }
}

void CAboutDlg::OnPaint()
{
    const CPaintDC dc(m_hWnd);
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    if (HighContrast()) {
        // No gradient: one plate of the window colour.
        const CBrush plate = MakeSolidBrush(LookColour(0, COLOR_WINDOW));
        ::FillRect(dc.Get(), &client, plate.Get());
    } else {
        DrawGradient(dc.Get(), client);
    }
    ::SetBkMode(dc.Get(), TRANSPARENT);
    ::SetTextColor(dc.Get(), LookColour(RGB(255, 255, 255), COLOR_WINDOWTEXT));
    const CSelectObject font(dc.Get(), m_Font.Get());
    const int x = ScaleToDpi(60, m_nDpi);
    ::TextOutW(dc.Get(), x, ScaleToDpi(22, m_nDpi), kVersionLine,
               static_cast<int>(std::size(kVersionLine)) - 1);
    ::TextOutW(dc.Get(), x, ScaleToDpi(47, m_nDpi), kMakerLine,
               static_cast<int>(std::size(kMakerLine)) - 1);
}

}  // namespace plover
