#include "framework/FrameWnd.h"

#include "framework/Dialog.h"
#include "framework/Document.h"
#include "framework/Resource.h"
#include "framework/View.h"

namespace plover {

namespace {
constexpr const wchar_t* kFrameClass = L"PloverFrameWindow";
}

CFrameWnd::~CFrameWnd() = default;

bool CFrameWnd::LoadFrame(UINT resourceId, DWORD style, CDocument* document,
                          std::function<std::unique_ptr<CView>()> makeView)
{
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    const HICON icon = ::LoadIconW(instance, MAKEINTRESOURCEW(resourceId));
    // The icon's own small image, shared like the large one; scaling the large one
    // down takes longer and looks worse.
    const auto smallIcon = static_cast<HICON>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(resourceId), IMAGE_ICON,
                     ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    if (!RegisterClass(kFrameClass, 0, ::LoadCursorW(nullptr, IDC_ARROW), nullptr, icon, smallIcon))
        return false;

    const std::wstring title = LoadResString(resourceId);  // its first line is the title
    CREATESTRUCTW cs{};
    cs.style = style;
    cs.x = cs.y = cs.cx = cs.cy = CW_USEDEFAULT;
    cs.lpszName = title.c_str();
    cs.lpszClass = kFrameClass;
    m_Menu = CMenu::Load(resourceId);
    cs.hMenu = m_Menu.Get();
    if (!PreCreateWindow(cs))
        return false;
    m_pDocument = document;
    m_pView = makeView();
    m_pView->m_pDocument = document;
    document->m_pFrame = this;
    if (!CreateEx(cs.dwExStyle, kFrameClass, title.substr(0, title.find(L'\n')).c_str(), cs.style,
                  cs.x, cs.y, cs.cx, cs.cy, nullptr, cs.hMenu))
        return false;
    m_Accelerators = CAccelerators::Load(resourceId);
    return m_pView->Create(m_hWnd, kViewId);
}

void CFrameWnd::ShowMenuBar(bool show)
{
    const HMENU wanted = show ? m_Menu.Get() : nullptr;
    if (::GetMenu(m_hWnd) != wanted)
        ::SetMenu(m_hWnd, wanted);
}

void CFrameWnd::InitialUpdateFrame(int showCommand)
{
    if (m_pView)
        m_pView->OnActivateView(true, m_pView.get(), nullptr);
    ::ShowWindow(m_hWnd, showCommand);
    ::UpdateWindow(m_hWnd);
}

bool CFrameWnd::OnCommand(UINT id)
{
    return false;
}

void CFrameWnd::OnSize(UINT type, int cx, int cy)
{
    if (type != SIZE_MINIMIZED && m_pView && m_pView->m_hWnd)
        ::MoveWindow(m_pView->m_hWnd, 0, 0, cx, cy, TRUE);
}

void CFrameWnd::OnClose()
{
    // A modal dialog's loop must not run on with its owner gone.
    if (CModalGuard::DeferClose(m_hWnd))
        return;
    if (m_pDocument) {
        if (!m_pDocument->CanCloseFrame())
            return;
        m_pDocument->OnCloseDocument();  // destroys this window
    } else {
        DestroyWindow();
    }
}

void CFrameWnd::OnNcDestroy()
{
    ::PostQuitMessage(0);
}

LRESULT CFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND: {
        const UINT id = LOWORD(wParam);
        if ((m_pView && m_pView->OnCommand(id)) || OnCommand(id))
            return 0;
        return Default(message, wParam, lParam);
    }
    case WM_SIZE:
        Default(message, wParam, lParam);
        OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_SETFOCUS:
        if (m_pView && m_pView->m_hWnd)
            ::SetFocus(m_pView->m_hWnd);
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_DESTROY:
        // The window would destroy the menu it shows; m_Menu owns it.
        ::SetMenu(m_hWnd, nullptr);
        return Default(message, wParam, lParam);
    case WM_NCDESTROY:
        OnNcDestroy();
        return Default(message, wParam, lParam);
    default:
        return Default(message, wParam, lParam);
    }
}

}  // namespace plover
