// Start to first paint: how long a program takes from its start until its window
// is on screen with nothing left to paint, Plover.exe against a bare window
// program in the same run, several runs each.  Prints medians and their ratio.
//   plover_startup_bench PLOVER_EXE BARE_EXE [RUNS [WHAT]]
// WHAT names the settings Plover starts with, for the heading.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Search {
    DWORD processId;
    HWND window;
};

BOOL CALLBACK FindShown(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<Search*>(data);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    if (pid != search->processId || !::IsWindowVisible(window))
        return TRUE;
    search->window = window;
    return FALSE;
}

BOOL CALLBACK AnyUnpainted(HWND child, LPARAM data)
{
    if (::IsWindowVisible(child) && ::GetUpdateRect(child, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(data) = true;
        return FALSE;
    }
    return TRUE;
}

// Whether the window and every shown child of it have painted all they had to.
bool IsPainted(HWND window)
{
    if (::GetUpdateRect(window, nullptr, FALSE))
        return false;
    bool unpainted = false;
    ::EnumChildWindows(window, AnyUnpainted, reinterpret_cast<LPARAM>(&unpainted));
    return !unpainted;
}

double Now()
{
    LARGE_INTEGER counter, frequency;
    ::QueryPerformanceCounter(&counter);
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Milliseconds from CreateProcess to the first moment the program's window is shown
// and painted; negative when it never is.  The program is closed afterwards.
double StartToFirstPaint(const std::wstring& exe)
{
    std::wstring folder = exe.substr(0, exe.find_last_of(L"\\/") + 1);
    std::wstring command = L"\"" + exe + L"\"";
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION process{};
    const double start = Now();
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.empty() ? nullptr : folder.c_str(), &startup, &process))
        return -1;
    double painted = -1;
    Search search{process.dwProcessId, nullptr};
    while (Now() - start < 30000) {
        search.window = nullptr;
        ::EnumWindows(FindShown, reinterpret_cast<LPARAM>(&search));
        if (search.window && IsPainted(search.window)) {
            painted = Now() - start;
            break;
        }
        ::Sleep(1);
    }
    if (search.window)
        ::PostMessageW(search.window, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0)
        ::TerminateProcess(process.hProcess, 1);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return painted;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

std::wstring Wide(const char* text)
{
    return std::wstring(text, text + std::strlen(text));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: plover_startup_bench PLOVER_EXE BARE_EXE [RUNS [WHAT]]\n");
        return 2;
    }
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 7;
    std::vector<double> plover, bare;
    for (int i = 0; i < runs; ++i) {  // interleaved, so both see the same machine
        plover.push_back(StartToFirstPaint(Wide(argv[1])));
        bare.push_back(StartToFirstPaint(Wide(argv[2])));
    }
    const double p = Median(plover), b = Median(bare);
    std::printf("start to first paint%s%s, median of %d runs (%s build)\n", argc > 4 ? ", " : "",
                argc > 4 ? argv[4] : "", runs, sizeof(void*) == 8 ? "64-bit" : "32-bit");
    std::printf("  Plover.exe     %8.1f ms\n", p);
    std::printf("  bare window    %8.1f ms\n", b);
    if (b > 0)
        std::printf("  ratio %.2f (goal: at most 1.3)\n", p / b);
    return 0;
}
