#include "framework/WinApp.h"

#include <utility>

#include "framework/Dialog.h"
#include "framework/FrameWnd.h"

namespace plover {

CWinApp* CWinApp::s_pApp = nullptr;

CWinApp::CWinApp()
{
    s_pApp = this;
}

CWinApp::~CWinApp()
{
    m_pTemplate.reset();
    if (s_pApp == this)
        s_pApp = nullptr;
}

int CWinApp::ExitInstance()
{
    return 0;
}

CFrameWnd* CWinApp::GetMainFrame() const
{
    return m_pTemplate ? m_pTemplate->GetFrame() : nullptr;
}

void CWinApp::AddDocTemplate(std::unique_ptr<CSingleDocTemplate> docTemplate)
{
    m_pTemplate = std::move(docTemplate);
}

bool CWinApp::OnFileNew()
{
    return m_pTemplate && m_pTemplate->OpenNewDocument(m_nCmdShow);
}

int CWinApp::Run(int showCommand)
{
    m_nCmdShow = showCommand;
    if (!InitInstance()) {
        ExitInstance();
        return 0;
    }
    const int code = MessageLoop();
    const int exitCode = ExitInstance();
    return code != 0 ? code : exitCode;
}

int CWinApp::MessageLoop()
{
    const CFrameWnd* mainFrame = GetMainFrame();
    const HWND mainWindow = mainFrame ? mainFrame->m_hWnd : nullptr;
    MSG msg{};
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!PreTranslateMessage(msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        // A loop of its own (a move with the button held, a menu, a message box)
        // may have taken the quit message the main window posted as it ended;
        // then no other one comes, and the window being gone is what says so.
        if (mainWindow && !::IsWindow(mainWindow))
            return 0;
    }
    return static_cast<int>(msg.wParam);
}

bool CWinApp::PreTranslateMessage(MSG& msg)
{
    CFrameWnd* frame = GetMainFrame();
    const HWND frameWindow = frame ? frame->m_hWnd : nullptr;
    if (frameWindow && frame->GetAccelerators() &&
        ::TranslateAcceleratorW(frameWindow, frame->GetAccelerators(), &msg))
        return true;
    return IsModelessDialogMessage(msg);
}

}  // namespace plover
