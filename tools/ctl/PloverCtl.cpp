// plover_ctl: what scripts/run needs to drive Plover from outside under Wine.
//   plover_ctl wait SECONDS    waits until Plover's main window is shown and has
//                              painted, then prints its rectangle: LEFT TOP WIDTH HEIGHT
//   plover_ctl close SECONDS   closes it normally (WM_CLOSE) and waits until it ends
//   plover_ctl title SECONDS   takes the focus from it, so its title shows the
//                              countdown, and prints that title in UTF-8
//   plover_ctl command ID      sends it a menu command, as the menu bar would
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

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

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: plover_ctl wait|close|title SECONDS | command ID\n");
        return 2;
    }
    if (std::strcmp(argv[1], "command") == 0) {
        const HWND window = FindPlover();
        if (!window)
            return 1;
        ::PostMessageW(window, WM_COMMAND, static_cast<WPARAM>(std::atoi(argv[2])), 0);
        return 0;
    }
    const DWORD timeoutMs = static_cast<DWORD>(std::atoi(argv[2])) * 1000;
    HWND window = WaitForPlover(timeoutMs);
    if (!window) {
        std::fprintf(stderr, "plover_ctl: no Plover window\n");
        return 1;
    }
    if (std::strcmp(argv[1], "wait") == 0) {
        // A paint is pending until the message queue has run it; give the stars a
        // few frames as well.
        ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        ::Sleep(1500);
        RECT r{};
        ::GetWindowRect(window, &r);
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
        return 0;
    }
    if (std::strcmp(argv[1], "title") == 0) {
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
        char utf8[2048] = {};
        ::WideCharToMultiByte(CP_UTF8, 0, title, -1, utf8, sizeof utf8, nullptr, nullptr);
        std::printf("%s\n", utf8);
        ::DestroyWindow(focus);
        return 0;
    }
    if (std::strcmp(argv[1], "close") == 0) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(window, &pid);
        const HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, pid);
        ::PostMessageW(window, WM_CLOSE, 0, 0);
        const bool ended = process && ::WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0;
        if (process)
            ::CloseHandle(process);
        return ended ? 0 : 1;
    }
    std::fprintf(stderr, "plover_ctl: unknown command %s\n", argv[1]);
    return 2;
}
