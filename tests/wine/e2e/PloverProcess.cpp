#include "e2e/PloverProcess.h"

#include <algorithm>

namespace plover::test {

std::wstring g_ploverExe;

namespace {

const wchar_t kConfigKey[] = L"Software\\WREN\\Plover\\Config";

struct WindowSearch {
    DWORD processId;
    const wchar_t* className;
    HWND found;
    const wchar_t* caption = nullptr;  // any when null
};

BOOL CALLBACK FindProcessWindow(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    wchar_t className[64] = {};
    ::GetClassNameW(window, className, 64);
    wchar_t caption[256] = {};
    if (search->caption)
        ::GetWindowTextW(window, caption, 256);
    if (pid == search->processId && ::IsWindowVisible(window) &&
        std::wstring(className) == search->className &&
        (!search->caption || std::wstring(caption) == search->caption)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindWindowOf(DWORD processId, const wchar_t* className)
{
    WindowSearch search{processId, className, nullptr};
    ::EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// 32 x 32 pixels of an icon drawn over `background`.
std::vector<std::uint32_t> RenderIcon(HICON icon, COLORREF background)
{
    const HDC screen = ::GetDC(nullptr);
    const HDC dc = ::CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 32, -32, 1, 32, BI_RGB};
    void* bits = nullptr;
    const HBITMAP bitmap = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = ::SelectObject(dc, bitmap);
    const HBRUSH brush = ::CreateSolidBrush(background);
    const RECT all{0, 0, 32, 32};
    ::FillRect(dc, &all, brush);
    ::DrawIconEx(dc, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL);
    ::GdiFlush();
    std::vector<std::uint32_t> pixels(static_cast<const std::uint32_t*>(bits),
                                      static_cast<const std::uint32_t*>(bits) + 32 * 32);
    ::SelectObject(dc, old);
    ::DeleteObject(brush);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return pixels;
}

// What a window shows in its top-left 32 x 32 pixels.
std::vector<std::uint32_t> CaptureWindow(HWND window)
{
    // The screen, not the window's own DC: another process's window surface cannot be
    // read through its DC under Wine.
    RECT where{};
    ::GetWindowRect(window, &where);
    const HDC source = ::GetDC(nullptr);
    const HDC dc = ::CreateCompatibleDC(source);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 32, -32, 1, 32, BI_RGB};
    void* bits = nullptr;
    const HBITMAP bitmap = ::CreateDIBSection(source, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = ::SelectObject(dc, bitmap);
    ::BitBlt(dc, 0, 0, 32, 32, source, where.left, where.top, SRCCOPY);
    ::GdiFlush();
    std::vector<std::uint32_t> pixels(static_cast<const std::uint32_t*>(bits),
                                      static_cast<const std::uint32_t*>(bits) + 32 * 32);
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, source);
    return pixels;
}

int Difference(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b)
{
    int differing = 0;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
        differing += (a[i] & 0xFFFFFF) != (b[i] & 0xFFFFFF);
    return differing;
}

// Icons of another process cannot be read through their handle under Wine, so the
// box's icon is recognised by its pixels among the four message-box icons.
bool ShowsExclamationIcon(HWND iconControl)
{
    const auto shown = CaptureWindow(iconControl);
    const COLORREF background = shown[0] & 0xFFFFFF;
    const COLORREF rgb = RGB(GetBValue(background), GetGValue(background), GetRValue(background));
    const LPCWSTR icons[] = {IDI_EXCLAMATION, IDI_HAND, IDI_QUESTION, IDI_ASTERISK};
    int best = 0, bestDifference = 32 * 32 + 1;
    for (int i = 0; i < 4; ++i) {
        const int difference = Difference(shown, RenderIcon(::LoadIconW(nullptr, icons[i]), rgb));
        if (difference < bestDifference) {
            bestDifference = difference;
            best = i;
        }
    }
    return best == 0 && bestDifference < 32 * 32 / 10;
}

BOOL CALLBACK ReadBoxChild(HWND child, LPARAM data)
{
    auto* view = reinterpret_cast<MessageBoxView*>(data);
    wchar_t className[32] = {};
    ::GetClassNameW(child, className, 32);
    const std::wstring kind = className;
    if (kind == L"Button" && ::IsWindowVisible(child)) {
        view->buttons.push_back(::GetDlgCtrlID(child));
    } else if (kind == L"Static") {
        const LONG style = ::GetWindowLongW(child, GWL_STYLE);
        if ((style & SS_TYPEMASK) == SS_ICON) {
            view->exclamationIcon = ShowsExclamationIcon(child);
        } else {
            wchar_t text[1024] = {};
            ::GetWindowTextW(child, text, 1024);
            if (std::wstring(text).size() > view->text.size())
                view->text = text;
        }
    }
    return TRUE;
}

}  // namespace

void ClearSettings()
{
    ::RegDeleteKeyW(HKEY_CURRENT_USER, kConfigKey);
}

void SetSetting(const wchar_t* key, DWORD value)
{
    HKEY hkey = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kConfigKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                          &hkey, nullptr) != ERROR_SUCCESS)
        return;
    ::RegSetValueExW(hkey, key, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    ::RegCloseKey(hkey);
}

bool GetSetting(const wchar_t* key, DWORD& value)
{
    DWORD size = sizeof value;
    return ::RegGetValueW(HKEY_CURRENT_USER, kConfigKey, key, RRF_RT_REG_DWORD, nullptr, &value,
                          &size) == ERROR_SUCCESS;
}

CPloverProcess::CPloverProcess()
{
    ::CopyFileW(g_ploverExe.c_str(), m_dir.File(L"Plover.exe").c_str(), FALSE);
}

CPloverProcess::~CPloverProcess()
{
    if (m_process.hProcess) {
        if (::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) {
            ::TerminateProcess(m_process.hProcess, 1);
            ::WaitForSingleObject(m_process.hProcess, 5000);
        }
        ::CloseHandle(m_process.hThread);
        ::CloseHandle(m_process.hProcess);
    }
}

bool CPloverProcess::Start(const wchar_t* currentDir)
{
    std::wstring command = L"\"" + m_dir.File(L"Plover.exe") + L"\"";
    STARTUPINFOW startup{sizeof startup};
    return ::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            currentDir ? currentDir : m_dir.Path().c_str(), &startup,
                            &m_process) != FALSE;
}

bool CPloverProcess::WaitMessageBox(MessageBoxView& box, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < timeoutMs) {
        if (const HWND window = FindWindowOf(m_process.dwProcessId, L"#32770")) {
            ::Sleep(200);  // let it finish drawing its controls
            box = MessageBoxView{};
            box.window = window;
            wchar_t caption[256] = {};
            ::GetWindowTextW(window, caption, 256);
            box.caption = caption;
            ::EnumChildWindows(window, ReadBoxChild, reinterpret_cast<LPARAM>(&box));
            std::sort(box.buttons.begin(), box.buttons.end());
            return true;
        }
        ::Sleep(50);
    }
    return false;
}

void CPloverProcess::Answer(const MessageBoxView& box, int button)
{
    ::PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(box.window, button)));
    // Wait until this box is gone, so the next wait does not find it again.
    for (int i = 0; i < 100 && ::IsWindow(box.window); ++i)
        ::Sleep(50);
}

HWND CPloverProcess::WaitDialog(const wchar_t* caption, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < timeoutMs) {
        WindowSearch search{m_process.dwProcessId, L"#32770", nullptr, caption};
        ::EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            ::Sleep(200);
            return search.found;
        }
        ::Sleep(50);
    }
    return nullptr;
}

HWND CPloverProcess::WaitMainWindow(DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < timeoutMs) {
        if (const HWND window = FindWindowOf(m_process.dwProcessId, L"PloverFrameWindow")) {
            ::Sleep(300);
            return window;
        }
        ::Sleep(50);
    }
    return nullptr;
}

HWND CPloverProcess::MainWindow() const
{
    return FindWindowOf(m_process.dwProcessId, L"PloverFrameWindow");
}

HWND CPloverProcess::ViewWindow() const
{
    const HWND frame = MainWindow();
    return frame ? ::FindWindowExW(frame, nullptr, L"PloverViewWindow", nullptr) : nullptr;
}

bool CPloverProcess::CloseAndWait(DWORD timeoutMs)
{
    if (const HWND window = FindWindowOf(m_process.dwProcessId, L"PloverFrameWindow"))
        ::PostMessageW(window, WM_CLOSE, 0, 0);
    return WaitExit(timeoutMs);
}

bool CPloverProcess::WaitExit(DWORD timeoutMs)
{
    return ::WaitForSingleObject(m_process.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

DWORD CPloverProcess::ExitCode() const
{
    DWORD code = 0;
    ::GetExitCodeProcess(m_process.hProcess, &code);
    return code;
}

}  // namespace plover::test
