#include "e2e/PloverProcess.h"

#include <algorithm>
#include <utility>

#include <gtest/gtest.h>

#include "e2e/E2eSupport.h"

namespace plover::test {

std::wstring g_ploverExe;

namespace {

const wchar_t kConfigKey[] = L"Software\\WREN\\Plover\\Config";

struct WindowSearch {
    DWORD processId;
    const wchar_t* className;
    HWND found;
    const wchar_t* caption = nullptr;  // any when null
    bool (*accepts)(HWND) = nullptr;    // any when null
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
        (!search->caption || std::wstring(caption) == search->caption) &&
        (!search->accepts || search->accepts(window))) {
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

// Icons of another process cannot be read through their handle under Wine, so the
// box's icon is recognised by its pixels among the four message-box icons.
bool ShowsExclamationIcon(HWND iconControl)
{
    RECT where{};
    ::GetWindowRect(iconControl, &where);
    CPaintCanvas shown(32, 32);
    shown.CopyFromScreen(where.left, where.top);
    const LPCWSTR icons[] = {IDI_EXCLAMATION, IDI_HAND, IDI_QUESTION, IDI_ASTERISK};
    int best = 0, bestDifference = 32 * 32 + 1;
    for (int i = 0; i < 4; ++i) {
        CPaintCanvas icon(32, 32, shown.Pixel(0, 0));
        ::DrawIconEx(icon.Dc(), 0, 0, ::LoadIconW(nullptr, icons[i]), 32, 32, 0, nullptr,
                     DI_NORMAL);
        const int difference = shown.Difference(icon);
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

BOOL CALLBACK ReadBoxParts(HWND child, LPARAM data)
{
    auto* parts = reinterpret_cast<std::pair<bool, bool>*>(data);  // text, anything else
    wchar_t className[32] = {};
    ::GetClassNameW(child, className, 32);
    const std::wstring kind = className;
    if (kind == L"Static" && ::GetDlgCtrlID(child) == 0xFFFF &&
        (::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
        parts->first = true;
    else if (kind != L"Static" && kind != L"Button")
        parts->second = true;
    return TRUE;
}

// A message box is a dialog of statics and buttons alone, its text in the static
// numbered 0xFFFF.  The program's own dialogs have edits or lists besides, or (the
// version box) only an icon under that number.
bool IsMessageBox(HWND dialog)
{
    std::pair<bool, bool> parts{false, false};
    ::EnumChildWindows(dialog, ReadBoxParts, reinterpret_cast<LPARAM>(&parts));
    return parts.first && !parts.second;
}

BOOL CALLBACK FindUnpainted(HWND window, LPARAM unpainted)
{
    if (::GetUpdateRect(window, nullptr, FALSE))
        *reinterpret_cast<bool*>(unpainted) = true;
    return TRUE;
}

}  // namespace

bool Painted(HWND window)
{
    bool unpainted = ::GetUpdateRect(window, nullptr, FALSE) != FALSE;
    ::EnumChildWindows(window, FindUnpainted, reinterpret_cast<LPARAM>(&unpainted));
    // A paint under way has emptied its update region already: the answer to this
    // comes only once it has ended.
    DWORD_PTR ignored = 0;
    return !unpainted &&
           ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &ignored) != 0;
}

namespace {

// The window `find` sees, once it has painted; null, and a failure saying what was
// waited for, when there is none in time.
HWND WaitPainted(const std::function<HWND()>& find, DWORD timeoutMs, const std::string& what)
{
    HWND window = nullptr;
    if (WaitUntil([&] { return (window = find()) != nullptr && Painted(window); }, timeoutMs))
        return window;
    ADD_FAILURE() << "no " << what << (window ? " that finished painting" : "") << " within "
                  << timeoutMs << " ms";
    return nullptr;
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

bool SettingIs(const wchar_t* key, DWORD expected)
{
    DWORD value = 0;
    return GetSetting(key, value) && value == expected;
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

bool CPloverProcess::Start(const wchar_t* currentDir, const std::wstring& arguments)
{
    for (HANDLE h : {m_process.hThread, m_process.hProcess})  // a restart on the same folder
        if (h)
            ::CloseHandle(h);
    m_process = PROCESS_INFORMATION{};
    std::string reason;
    const std::wstring command = L"\"" + m_dir.File(L"Plover.exe") + L"\"";
    if (StartProcess(arguments.empty() ? command : command + L" " + arguments,
                     currentDir ? currentDir : m_dir.Path().c_str(), m_process, reason))
        return true;
    ADD_FAILURE() << "Plover.exe did not start: " << reason;
    return false;
}

HWND CPloverProcess::StartOn(const CScheduleList& list)
{
    WriteBytes(SchedulePath(), WriteSchedule(0, list));
    EXPECT_TRUE(Start());
    return WaitMainWindow();
}

bool CPloverProcess::WaitMessageBox(MessageBoxView& box, DWORD timeoutMs)
{
    const HWND window = WaitPainted([this] { return MessageBoxWindow(); }, timeoutMs, "message box");
    if (!window)
        return false;
    box = MessageBoxView{};
    box.window = window;
    wchar_t caption[256] = {};
    ::GetWindowTextW(window, caption, 256);
    box.caption = caption;
    ::EnumChildWindows(window, ReadBoxChild, reinterpret_cast<LPARAM>(&box));
    std::sort(box.buttons.begin(), box.buttons.end());
    return true;
}

void CPloverProcess::Answer(const MessageBoxView& box, int button)
{
    ::PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(box.window, button)));
    // Gone before the next wait, so that one does not find it again.
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box.window); }, 15000))
        << "the message box stayed after button " << button;
}

HWND CPloverProcess::WaitDialog(const wchar_t* caption, DWORD timeoutMs)
{
    const DWORD id = m_process.dwProcessId;
    return WaitPainted(
        [id, caption] {
            WindowSearch search{id, L"#32770", nullptr, caption};
            ::EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&search));
            return search.found;
        },
        timeoutMs, "dialog " + ::testing::PrintToString(std::wstring(caption)));
}

HWND CPloverProcess::WaitMainWindow(DWORD timeoutMs)
{
    return WaitPainted([this] { return MainWindow(); }, timeoutMs, "main window");
}

HWND CPloverProcess::MainWindow() const
{
    return FindWindowOf(m_process.dwProcessId, L"PloverFrameWindow");
}

HWND CPloverProcess::MessageBoxWindow() const
{
    WindowSearch search{m_process.dwProcessId, L"#32770", nullptr, nullptr, IsMessageBox};
    ::EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
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

int PixelsOf(const CPloverProcess& plover, RgbColour colour)
{
    const HWND view = plover.ViewWindow();
    RECT client{};
    ::GetClientRect(view, &client);
    POINT origin{0, 0};
    ::ClientToScreen(view, &origin);
    CPaintCanvas canvas(client.right, client.bottom);
    canvas.CopyFromScreen(origin.x, origin.y);
    int count = 0;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x) {
            const RgbColour p = canvas.Pixel(x, y);
            count += p.red == colour.red && p.green == colour.green && p.blue == colour.blue;
        }
    return count;
}

}  // namespace plover::test
