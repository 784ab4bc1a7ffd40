// Runs the real Plover.exe from a scratch folder of its own and acts on its
// windows from outside, the way a user (or the desktop) would.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "PaintCanvas.h"
#include "WineTestSupport.h"

namespace plover::test {

// The Plover.exe under test (set by main from the command line).
extern std::wstring g_ploverExe;

struct MessageBoxView {
    HWND window = nullptr;
    std::wstring caption;
    std::wstring text;
    std::vector<int> buttons;  // identifiers of the visible buttons
    bool exclamationIcon = false;
};

// Settings of the program under HKCU\Software\WREN\Plover\Config.
void ClearSettings();
void SetSetting(const wchar_t* key, DWORD value);
bool GetSetting(const wchar_t* key, DWORD& value);
bool SettingIs(const wchar_t* key, DWORD expected);

class CPloverProcess {
public:
    CPloverProcess();
    ~CPloverProcess();  // kills the program if a test left it running

    const std::wstring& Dir() const { return m_dir.Path(); }
    std::wstring SchedulePath() const { return m_dir.File(L"Plover.pvd"); }

    // Starts Plover; its current folder is its own unless `currentDir` says otherwise.
    bool Start(const wchar_t* currentDir = nullptr, const std::wstring& arguments = {});
    // Starts Plover on `list`, counting down to its first entry: the shown main window.
    HWND StartOn(const CScheduleList& list);
    // The next message box of the program, within `timeoutMs`.
    bool WaitMessageBox(MessageBoxView& box, DWORD timeoutMs = 15000);
    void Answer(const MessageBoxView& box, int button);
    // The program's shown dialog with this caption, once it has painted.
    HWND WaitDialog(const wchar_t* caption, DWORD timeoutMs = 15000);
    // The main window once it is shown and painted.
    HWND WaitMainWindow(DWORD timeoutMs = 15000);
    // A normal close (WM_CLOSE) and the wait for the program to end.
    bool CloseAndWait(DWORD timeoutMs = 20000);
    bool WaitExit(DWORD timeoutMs);
    DWORD ExitCode() const;

    DWORD ProcessId() const { return m_process.dwProcessId; }
    // The shown main window, or message box, at this moment, without waiting; null
    // when there is none.
    HWND MainWindow() const;
    HWND MessageBoxWindow() const;
    // The countdown view inside the main window.
    HWND ViewWindow() const;

private:
    CScratchDir m_dir;
    PROCESS_INFORMATION m_process{};
};

// Whether nothing of a window of the program and its children is left to paint
// now, and its thread answers.  A paint that a posted message or a due timer asks
// for may still come after.
bool Painted(HWND window);

// Pixels of one colour in the program's view as the screen shows it.
int PixelsOf(const CPloverProcess& plover, RgbColour colour);

}  // namespace plover::test
