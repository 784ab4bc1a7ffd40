// plover_ctl: what the scripts need to drive Plover from outside under Wine.
//   plover_ctl wait SECONDS    waits until Plover's main window is shown and has
//                              painted, then prints its rectangle: LEFT TOP WIDTH HEIGHT
//   plover_ctl close SECONDS   closes it normally (WM_CLOSE) and waits until it ends
//   plover_ctl title SECONDS   takes the focus from it, so its title shows the
//                              countdown, and prints that title in UTF-8
//   plover_ctl command ID      sends it a menu command, as the menu bar would
// Plover's dialogs, named by their caption (TITLE); each verb returns once the dialog
// has painted what the action changed:
//   plover_ctl dialog TITLE SECONDS     waits until that dialog is shown and has
//                                       painted, then prints its rectangle as wait does
//   plover_ctl select TITLE LISTID INDEX
//                                       selects row INDEX of list box LISTID, as a
//                                       click on that row would
//   plover_ctl choose-picture TITLE PATH
//                                       presses its picture button (285), types the
//                                       Windows path PATH into the open-file dialog
//                                       and presses its OK
//   plover_ctl press TITLE ID           presses button ID; a button that ends the
//                                       dialog (IDOK 1, IDCANCEL 2) returns once it is gone
//   plover_ctl page TITLE INDEX         shows page INDEX of a property sheet, as a
//                                       click on its tab would
//   plover_ctl choose-file TITLE PATH   types the Windows path PATH into the open or
//                                       save dialog captioned TITLE and presses its OK
// In a property sheet, select and press act on the page shown.
// Numbers are decimal or 0x hexadecimal.  Exit status: 0 done, 1 failed, 2 usage.
#include <windows.h>
#include <shellapi.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr int kChoosePictureId = 285;
// Wine's open-file dialog holds the file name in an edit (edt1) or, in its newer
// template, in a combo box (cmb13).
constexpr int kOpenFileNameEdit = 0x480;
constexpr int kOpenFileNameCombo = 0x47c;
// How long one step of a dialog verb may take: the open-file dialog reads the folder
// before it shows.
constexpr DWORD kStepMs = 30000;
// How long the verbs that act on a dialog look for it: `dialog` has waited already.
constexpr DWORD kFindMs = 5000;

HWND FindPlover()
{
    HWND window = nullptr;
    while ((window = ::FindWindowExW(nullptr, window, L"PloverFrameWindow", nullptr)))
        if (::IsWindowVisible(window))
            return window;
    return nullptr;
}

HWND WaitForPlover(DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < timeoutMs) {
        if (const HWND window = FindPlover())
            return window;
        ::Sleep(100);
    }
    return nullptr;
}

DWORD ProcessOf(HWND window)
{
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    return pid;
}

void PrintRect(HWND window)
{
    RECT r{};
    ::GetWindowRect(window, &r);
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
}

std::string ToUtf8(const std::wstring& text)
{
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr,
                                           nullptr);
    std::string utf8(size > 0 ? static_cast<std::size_t>(size) : 1, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8.data(), size, nullptr, nullptr);
    utf8.resize(std::strlen(utf8.c_str()));
    return utf8;
}

// A visible dialog of process `pid` with caption `title` or, when `owner` is given,
// owned by `owner`.
struct DialogQuery {
    DWORD pid = 0;
    const wchar_t* title = nullptr;
    HWND owner = nullptr;
    HWND found = nullptr;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM param)
{
    auto& query = *reinterpret_cast<DialogQuery*>(param);
    wchar_t className[16] = {};
    if (!::IsWindowVisible(window) || ProcessOf(window) != query.pid ||
        !::GetClassNameW(window, className, 16) || std::wcscmp(className, L"#32770") != 0)
        return TRUE;
    if (query.owner && ::GetWindow(window, GW_OWNER) != query.owner)
        return TRUE;
    if (query.title) {
        wchar_t caption[256] = {};
        ::GetWindowTextW(window, caption, 256);
        if (std::wcscmp(caption, query.title) != 0)
            return TRUE;
    }
    query.found = window;
    return FALSE;
}

HWND WaitForDialog(DialogQuery query, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        query.found = nullptr;
        ::EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&query));
        if (query.found || ::GetTickCount() - start >= timeoutMs)
            return query.found;
        ::Sleep(100);
    }
}

// Sends rather than posts, so the message has been handled on return, but never
// waits for good: a handler that opens a message box would block the caller.
bool Deliver(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs = kStepMs)
{
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, timeoutMs,
                                 &result) != 0;
}

// Returns once `window` has painted what is pending.  The round trip lets the
// window's thread finish what it was doing; Wine copies a painted window to the X
// display a moment later.
void Settle(HWND window)
{
    Deliver(window, WM_NULL, 0, 0);
    ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    ::Sleep(500);
}

// Control `id` of a dialog, or of the page a property sheet shows.
HWND Control(HWND dialog, int id)
{
    if (const HWND control = ::GetDlgItem(dialog, id))
        return control;
    DWORD_PTR page = 0;
    if (!::SendMessageTimeoutW(dialog, PSM_GETCURRENTPAGEHWND, 0, 0, SMTO_NORMAL, kStepMs, &page) ||
        !page)
        return nullptr;
    return ::GetDlgItem(reinterpret_cast<HWND>(page), id);
}

bool WaitUntilGone(HWND window, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    // EndDialog hides the dialog at once; it is destroyed when its modal loop ends.
    while (::IsWindow(window) && ::IsWindowVisible(window)) {
        if (::GetTickCount() - start >= timeoutMs)
            return false;
        ::Sleep(100);
    }
    return true;
}

bool ParseNumber(const std::wstring& text, long& number)
{
    const bool hex = text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X');
    wchar_t* end = nullptr;
    number = std::wcstol(text.c_str(), &end, hex ? 16 : 10);
    return !text.empty() && end && *end == L'\0';
}

int Fail(const char* what, const std::wstring& detail = std::wstring())
{
    std::fprintf(stderr, "plover_ctl: %s%s%s\n", what, detail.empty() ? "" : ": ",
                 ToUtf8(detail).c_str());
    return 1;
}

void PrintUsage()
{
    std::fprintf(stderr,
                 "usage: plover_ctl wait|close|title SECONDS | command ID\n"
                 "       plover_ctl dialog TITLE SECONDS | select TITLE LISTID INDEX\n"
                 "       plover_ctl choose-picture TITLE PATH | press TITLE ID\n"
                 "       plover_ctl choose-file TITLE PATH\n"
                 "       plover_ctl page TITLE INDEX\n");
}

int RunMainWindowVerb(const std::wstring& verb, const std::wstring& argument)
{
    long number = 0;
    if (!ParseNumber(argument, number)) {
        PrintUsage();
        return 2;
    }
    if (verb == L"command") {
        const HWND window = FindPlover();
        if (!window)
            return 1;
        ::PostMessageW(window, WM_COMMAND, static_cast<WPARAM>(number), 0);
        return 0;
    }
    const DWORD timeoutMs = static_cast<DWORD>(number) * 1000;
    HWND window = WaitForPlover(timeoutMs);
    if (!window) {
        std::fprintf(stderr, "plover_ctl: no Plover window\n");
        return 1;
    }
    if (verb == L"wait") {
        // A paint is pending until the message queue has run it; give the stars a
        // few frames as well.
        ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        ::Sleep(1500);
        PrintRect(window);
        return 0;
    }
    if (verb == L"title") {
        // An inactive Plover puts the countdown into its title.
        const HWND focus = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"plover_ctl",
                                             WS_POPUP | WS_VISIBLE, 0, 0, 1, 1, nullptr, nullptr,
                                             nullptr, nullptr);
        ::SetForegroundWindow(focus);
        for (int i = 0; i < 20 && ::GetForegroundWindow() == window; ++i) {
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                ::DispatchMessageW(&msg);
            ::Sleep(100);
        }
        ::Sleep(200);
        wchar_t title[512] = {};
        ::GetWindowTextW(window, title, 512);
        std::printf("%s\n", ToUtf8(title).c_str());
        ::DestroyWindow(focus);
        return 0;
    }
    if (verb == L"close") {
        const HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, ProcessOf(window));
        ::PostMessageW(window, WM_CLOSE, 0, 0);
        const bool ended = process && ::WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0;
        if (process)
            ::CloseHandle(process);
        return ended ? 0 : 1;
    }
    std::fprintf(stderr, "plover_ctl: unknown command %s\n", ToUtf8(verb).c_str());
    return 2;
}

int FillFileDialog(HWND open, const std::wstring& path, HWND dialog);

int ChoosePicture(HWND dialog, const std::wstring& path)
{
    // Posted: the button's handler runs the open-file dialog's modal loop, and only
    // returns once that dialog is closed.
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(kChoosePictureId, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, kChoosePictureId)));
    DialogQuery query;
    query.pid = ProcessOf(dialog);
    query.owner = dialog;
    const HWND open = WaitForDialog(query, kStepMs);
    if (!open)
        return Fail("no open-file dialog appeared");
    return FillFileDialog(open, path, dialog);
}

// ---- choose-file: a file dialog the program opened itself (the iCalendar commands)

int ChooseFile(const std::wstring& title, const std::wstring& path)
{
    const HWND plover = FindPlover();
    if (!plover)
        return Fail("no Plover window");
    DialogQuery query;
    query.pid = ProcessOf(plover);
    query.title = title.c_str();
    const HWND open = WaitForDialog(query, kStepMs);
    if (!open)
        return Fail("no file dialog", title);
    return FillFileDialog(open, path, nullptr);
}

// ----

int FillFileDialog(HWND open, const std::wstring& path, HWND dialog)
{
    Deliver(open, WM_NULL, 0, 0);
    HWND field = ::GetDlgItem(open, kOpenFileNameEdit);
    if (!field || !::IsWindowVisible(field))
        field = ::GetDlgItem(open, kOpenFileNameCombo);
    if (!field)
        return Fail("the open-file dialog has no file name field");
    Deliver(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    // Posted as well: a path it refuses brings up a message box inside the handler.
    ::PostMessageW(open, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(open, IDOK)));
    if (!WaitUntilGone(open, kStepMs))
        return Fail("the open-file dialog did not take", path);
    if (dialog)
        Settle(dialog);
    return 0;
}

int RunDialogVerb(const std::vector<std::wstring>& args)
{
    const std::wstring& verb = args[1];
    const std::wstring& title = args[2];
    if (verb == L"choose-file" && args.size() == 4)
        return ChooseFile(title, args[3]);
    std::vector<long> numbers;
    const bool wantsPath = verb == L"choose-picture";
    for (std::size_t i = 3; i < args.size() && !wantsPath; ++i) {
        long number = 0;
        if (!ParseNumber(args[i], number)) {
            PrintUsage();
            return 2;
        }
        numbers.push_back(number);
    }
    const std::size_t arity = verb == L"select" ? 4 : 3;
    if (args.size() != arity + 1 || (verb != L"dialog" && verb != L"select" && verb != L"press" &&
                                     verb != L"page" && !wantsPath)) {
        PrintUsage();
        return 2;
    }

    const HWND plover = FindPlover();
    if (!plover)
        return Fail("no Plover window");
    DialogQuery query;
    query.pid = ProcessOf(plover);
    query.title = title.c_str();
    const DWORD timeoutMs = verb == L"dialog" ? static_cast<DWORD>(numbers[0]) * 1000 : kFindMs;
    const HWND dialog = WaitForDialog(query, timeoutMs);
    if (!dialog)
        return Fail("no dialog", title);

    if (verb == L"dialog") {
        Settle(dialog);
        PrintRect(dialog);
        return 0;
    }
    if (verb == L"select") {
        const int listId = static_cast<int>(numbers[0]);
        const HWND list = Control(dialog, listId);
        if (!list)
            return Fail("no such list box in", title);
        DWORD_PTR selected = 0;
        if (!::SendMessageTimeoutW(list, LB_SETCURSEL, static_cast<WPARAM>(numbers[1]), 0,
                                   SMTO_NORMAL, kStepMs, &selected) ||
            static_cast<LRESULT>(selected) == LB_ERR)
            return Fail("the list box has no such row");
        // A program's LB_SETCURSEL notifies nobody; a click also tells the dialog.
        Deliver(::GetParent(list), WM_COMMAND, MAKEWPARAM(listId, LBN_SELCHANGE),
                reinterpret_cast<LPARAM>(list));
        Settle(dialog);
        return 0;
    }
    if (verb == L"page") {
        DWORD_PTR shown = 0;
        if (!::SendMessageTimeoutW(dialog, PSM_SETCURSEL, static_cast<WPARAM>(numbers[0]), 0,
                                   SMTO_NORMAL, kStepMs, &shown) ||
            !shown)
            return Fail("no such page in", title);
        Settle(dialog);
        return 0;
    }
    if (verb == L"press") {
        const int id = static_cast<int>(numbers[0]);
        // A button the dialog lacks (Esc's IDCANCEL) still arrives, with no window.
        // A handler that asks in a message box does not return until it is answered:
        // the click has arrived all the same.
        const HWND button = Control(dialog, id);
        if (button && ::GetParent(button) != dialog)
            // A page's check box or radio changes only when clicked itself.
            Deliver(button, BM_CLICK, 0, 0, 1000);
        else
            Deliver(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                    reinterpret_cast<LPARAM>(button), 1000);
        if (id == IDOK || id == IDCANCEL) {
            if (!WaitUntilGone(dialog, kStepMs))
                return Fail("the dialog stayed open", title);
            return 0;
        }
        Settle(dialog);
        return 0;
    }
    return ChoosePicture(dialog, args[3]);
}

}  // namespace

int main()
{
    // Geometry in the screen's own pixels: unaware of the DPI, this driver would be
    // told Plover's windows scaled down to 96 dpi on a 150 % or 200 % display.
    ::SetProcessDPIAware();
    // Wine hands the Unix command line over as Unicode; the narrow argv would pass
    // a Japanese title through the ANSI code page, which may not spell it.
    int count = 0;
    LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!wide)
        return Fail("cannot read the command line");
    const std::vector<std::wstring> args(wide, wide + count);
    ::LocalFree(wide);

    if (args.size() == 3)
        return RunMainWindowVerb(args[1], args[2]);
    if (args.size() >= 4)
        return RunDialogVerb(args);
    PrintUsage();
    return 2;
}
