#include "ViewHarness.h"

#include "app/MainFrame.h"
#include "framework/DocTemplate.h"
#include "framework/Gdi.h"
#include "framework/MessageBox.h"
#include "schedule/PloverDoc.h"
#include "services/Sound.h"
#include "view/PloverView.h"

namespace plover::test {

CViewHarness::CViewHarness(const LocalTime& today) : m_Now(today)
{
    SetSettingsStore(&m_Settings);
    SetNowSource([this] { return m_Now; });
    SetSoundHook([this](const std::wstring& name, bool wait) { m_Sounds.push_back({name, wait}); });
    SetMessageBoxHook([this](const MessageRecord& message) {
        m_Messages.push_back(message.text);
        return IDOK;
    });
}

CViewHarness::~CViewHarness()
{
    Close();
    SetMessageBoxHook(nullptr);
    SetSoundHook(nullptr);
    SetNowSource(nullptr);
    SetSettingsStore(nullptr);
}

void CViewHarness::SetSchedule(const CScheduleList& list, std::int32_t target)
{
    WriteBytes(m_Dir.File(L"Plover.pvd"), WriteSchedule(target, list));
}

bool CViewHarness::Open(int clientWidth, int clientHeight)
{
    const std::wstring path = m_Dir.File(L"Plover.pvd");
    m_pTemplate = MakeMainTemplate([path] {
        auto doc = std::make_unique<CPloverDoc>();
        doc->m_strFilePath = path;
        return doc;
    });
    if (!m_pTemplate->OpenNewDocument(SW_SHOWNORMAL))
        return false;
    // The size asked for is the view's client size.
    RECT window{}, client{};
    ::GetWindowRect(Frame()->m_hWnd, &window);
    ::GetClientRect(View()->m_hWnd, &client);
    const int width = (window.right - window.left) - client.right + clientWidth;
    const int height = (window.bottom - window.top) - client.bottom + clientHeight;
    ::SetWindowPos(Frame()->m_hWnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    ::GetClientRect(View()->m_hWnd, &client);
    m_nWidth = client.right;
    m_nHeight = client.bottom;
    Pump();
    return true;
}

void CViewHarness::Close()
{
    if (!m_pTemplate)
        return;
    if (CDocument* doc = m_pTemplate->GetDocument())
        doc->OnCloseDocument();
    m_pTemplate.reset();
    // The frame posted WM_QUIT for the program's loop; this test has none.
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
}

void CViewHarness::Pump(DWORD milliseconds)
{
    const DWORD start = ::GetTickCount();
    do {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(5);
    } while (::GetTickCount() - start < milliseconds);
}

void CViewHarness::SetToday(const LocalTime& now)
{
    m_Now = now;
}

std::vector<COLORREF> CViewHarness::Render()
{
    std::vector<COLORREF> pixels(static_cast<std::size_t>(m_nWidth) * m_nHeight);
    CClientDC screen(View()->m_hWnd);
    CMemoryDC dc(screen.Get());
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), m_nWidth, -m_nHeight, 1, 32, BI_RGB};
    void* bits = nullptr;
    CBitmap bitmap(::CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    {
        CSelectObject select(dc.Get(), bitmap.Get());
        View()->OnDraw(dc.Get());
        ::GdiFlush();
        const auto* raw = static_cast<const std::uint32_t*>(bits);
        for (std::size_t i = 0; i < pixels.size(); ++i)  // BGRX to COLORREF
            pixels[i] = RGB((raw[i] >> 16) & 0xFF, (raw[i] >> 8) & 0xFF, raw[i] & 0xFF);
    }
    return pixels;
}

void CViewHarness::FinishShootingStar()
{
    for (int i = 0; i < 200 && View()->IsShootingStarFlying(); ++i)
        Pump(20);
}

CMainFrame* CViewHarness::Frame() const
{
    return static_cast<CMainFrame*>(m_pTemplate->GetFrame());
}

CPloverView* CViewHarness::View() const
{
    return static_cast<CPloverView*>(Frame()->GetActiveView());
}

CPloverDoc* CViewHarness::Doc() const
{
    return static_cast<CPloverDoc*>(m_pTemplate->GetDocument());
}

}  // namespace plover::test
