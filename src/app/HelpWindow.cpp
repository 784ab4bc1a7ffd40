#include "app/HelpWindow.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "app/HelpPages.h"
#include "framework/Dialog.h"
#include "framework/Resource.h"
#include "framework/TitleBarTheme.h"
#include "resource.h"
#include "services/DataFolder.h"

namespace plover {

namespace {

std::wstring FromUtf8(const std::string& text)
{
    if (text.empty())
        return {};
    const int size = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

// The pages kept in the program's resources, read once.
const std::vector<HelpPage>& Pages()
{
    static const std::vector<HelpPage> pages =
        ParseHelpPages(ResourceBytes(IDR_HELP_PAGES, RT_RCDATA));
    return pages;
}

class CHelpWindow : public CDialog {
public:
    CHelpWindow(HWND owner, std::size_t page) : CDialog(IDD_HELP, owner), m_nPage(page) {}

    void ShowPage(std::size_t page);

    static CHelpWindow* s_pOpen;

protected:
    bool OnInitDialog() override;
    bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    void PostNcDestroy() override;

private:
    void Arrange(int width, int height);

    std::size_t m_nPage;
    SIZE m_Smallest{};
};

CHelpWindow* CHelpWindow::s_pOpen = nullptr;

bool CHelpWindow::OnInitDialog()
{
    // A window of its own in the taskbar and the task switcher: the program's icon,
    // not the system's blank one.  Shared images belong to the system.
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    for (const auto& [which, metric] :
         {std::pair{ICON_BIG, SM_CXICON}, std::pair{ICON_SMALL, SM_CXSMICON}}) {
        const int size = ::GetSystemMetrics(metric);
        ::SendMessageW(m_hWnd, WM_SETICON, which,
                       reinterpret_cast<LPARAM>(::LoadImageW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME),
                                                             IMAGE_ICON, size, size, LR_SHARED)));
    }
    for (const HelpPage& page : Pages()) {
        const std::wstring title = FromUtf8(page.title);
        ::SendDlgItemMessageW(m_hWnd, IDC_HELP_TOPICS, LB_ADDSTRING, 0,
                              reinterpret_cast<LPARAM>(title.c_str()));
    }
    RECT r{};
    ::GetWindowRect(m_hWnd, &r);
    m_Smallest = {(r.right - r.left) / 2, (r.bottom - r.top) / 2};
    // In the middle of the screen the main window is on, and never beyond it.
    MONITORINFO monitor{sizeof monitor};
    ::GetMonitorInfoW(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const int width = std::min<int>(r.right - r.left, work.right - work.left);
    const int height = std::min<int>(r.bottom - r.top, work.bottom - work.top);
    ::SetWindowPos(m_hWnd, nullptr, work.left + (work.right - work.left - width) / 2,
                   work.top + (work.bottom - work.top - height) / 2, width, height, SWP_NOZORDER);
    ShowPage(m_nPage);
    FollowAppTheme(m_hWnd, false);
    return true;
}

void CHelpWindow::ShowPage(std::size_t page)
{
    if (page >= Pages().size())
        return;
    m_nPage = page;
    SetListSelection(IDC_HELP_TOPICS, static_cast<int>(page));
    // The page on where things are kept names the folder in use.
    std::wstring body = FromUtf8(Pages()[page].body);
    const std::wstring token = L"%DATAFOLDER%";
    for (std::size_t at = body.find(token); at != std::wstring::npos;
         at = body.find(token, at + DataFolder().size()))
        body.replace(at, token.size(), DataFolder());
    SetItemText(IDC_HELP_PAGE, body);
}

bool CHelpWindow::OnCommand(UINT id, UINT notifyCode, HWND)
{
    if (id != IDC_HELP_TOPICS || notifyCode != LBN_SELCHANGE)
        return false;
    const int row = GetListSelection(IDC_HELP_TOPICS);
    if (row >= 0)
        ShowPage(static_cast<std::size_t>(row));
    return true;
}

bool CHelpWindow::OnMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR& result)
{
    switch (message) {
    case WM_SIZE:
        Arrange(LOWORD(lParam), HIWORD(lParam));
        return false;
    case WM_GETMINMAXINFO:
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {m_Smallest.cx, m_Smallest.cy};
        result = 0;
        return true;
    case WM_SETTINGCHANGE:
        if (IsAppThemeChange(message, lParam))
            FollowAppTheme(m_hWnd, true);
        return false;
    default:
        return false;
    }
}

// The list keeps its width; the page takes the rest.  Both keep their top, below
// their labels.
void CHelpWindow::Arrange(int width, int height)
{
    const HWND list = Item(IDC_HELP_TOPICS);
    const HWND page = Item(IDC_HELP_PAGE);
    if (!list || !page)
        return;
    RECT r{};
    ::GetWindowRect(list, &r);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&r), 2);
    const int margin = r.left;
    const int listWidth = r.right - r.left;
    const int inner = std::max(0, height - static_cast<int>(r.top) - margin);
    ::MoveWindow(list, margin, r.top, listWidth, inner, TRUE);
    const int pageLeft = r.right + margin;
    ::MoveWindow(page, pageLeft, r.top, std::max(0, width - pageLeft - margin), inner, TRUE);
}

void CHelpWindow::PostNcDestroy()
{
    if (s_pOpen == this)
        s_pOpen = nullptr;
    delete this;
}

}  // namespace

void ShowHelpPage(HWND owner, int id)
{
    const std::size_t page = HelpPageIndex(Pages(), id);
    if (CHelpWindow* open = CHelpWindow::s_pOpen) {
        open->ShowPage(page);
        if (::IsIconic(open->m_hWnd))
            ::ShowWindow(open->m_hWnd, SW_RESTORE);
        ::SetForegroundWindow(open->m_hWnd);
        return;
    }
    auto* window = new CHelpWindow(owner, page);
    if (!window->Create()) {
        delete window;
        return;
    }
    CHelpWindow::s_pOpen = window;
}

void ShowHelpForCommand(HWND owner, UINT command, ULONG_PTR data)
{
    const bool topic = command == HELP_CONTEXT || command == HELP_CONTEXTPOPUP;
    ShowHelpPage(owner, topic ? static_cast<int>(data) : kHelpContents);
}

HWND HelpWindow()
{
    return CHelpWindow::s_pOpen ? CHelpWindow::s_pOpen->m_hWnd : nullptr;
}

}  // namespace plover
