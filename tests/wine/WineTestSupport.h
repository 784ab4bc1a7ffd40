// Helpers shared by the Wine-side tests: scratch folders, files as bytes, and
// schedule entries to write.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "schedule/ScheduleFile.h"

namespace plover::test {

// Removes a folder with everything in it.
void RemoveTree(const std::wstring& path);

// A fresh empty folder under the temp folder, removed with everything in it.
class CScratchDir {
public:
    CScratchDir();
    ~CScratchDir();
    CScratchDir(const CScratchDir&) = delete;
    CScratchDir& operator=(const CScratchDir&) = delete;
    const std::wstring& Path() const { return m_path; }
    std::wstring File(const wchar_t* name) const { return m_path + L"\\" + name; }

private:
    std::wstring m_path;
};

std::vector<std::uint8_t> ReadBytes(const std::wstring& path);
void WriteBytes(const std::wstring& path, const std::vector<std::uint8_t>& bytes);
bool Exists(const std::wstring& path);
// A 24-bit BMP picture of one colour.
void WriteBmp(const std::wstring& path, int width, int height, COLORREF colour);

// An entry with a Shift-JIS name (given as UTF-16) and the rest filled in.
std::unique_ptr<CPloverFile> MakeEntry(const std::wstring& name, int year, int month, int day,
                                       int hour = 12, int minute = 0);
// A schedule of `count` entries, distinct per `seed`.
CScheduleList MakeSchedule(int count, int seed);

// The two schedules the interrupted-write test's victim writes in turn, and the
// event it sets once it is writing.
CScheduleList WriteLoopSchedule(int which);
inline constexpr wchar_t kWriteLoopEvent[] = L"PloverTestWriteLoopStarted";

// A Unix path as Wine sees it (Z:\...); Windows paths pass unchanged.
std::wstring WinePath(const std::string& path);

// The width of this test program ("32-bit (i686)" or "64-bit (x86-64)"), and the
// width a program file was built for, read from its PE header ("unknown" when the
// file is not a PE program of either).
const char* ThisBuild();
const char* ProgramBuild(const std::wstring& exePath);
// The bytes of resource `type`/`id` (its first language), read from the program
// file's own resource directory without loading it: a 32-bit Wine refuses to load a
// 64-bit program even as data, which Windows does.  Empty where the file has no such
// resource or is no well-formed PE program.
std::string ProgramResource(const std::wstring& exePath, WORD type, WORD id);

// Starts `command` in `dir` (null: this process's folder).  A start that fails
// for a reason that may pass (a loader that could not map itself on a busy
// machine, say) is tried again a few times; one that keeps failing, or fails for
// a lasting reason (no such file, access denied), returns false with the
// system's words for it in `reason`.
bool StartProcess(std::wstring command, const wchar_t* dir, PROCESS_INFORMATION& process,
                  std::string& reason);

// Runs the messages waiting for this thread.
void PumpWaiting();

// What a user's actions on a dialog's controls send: a click on a push button
// (its notification), a click on row `row` of a list box (the selection and its
// notification), and the texts the controls show.
void Click(HWND dialog, UINT id);
void ChooseRow(HWND dialog, UINT listId, int row);
std::wstring Text(HWND dialog, UINT id);
std::wstring TitleOf(HWND window);
std::wstring ListRow(HWND dialog, UINT listId, int row);

// High contrast forced on and off through the program's own switch (Wine always
// says off), with four system colours unlike any the program draws with: their
// red lies in a narrow band that none of the program's fixed colours has, so a
// fixed colour left in a paint shows, also blended into a text's smoothed edge.
// The windows are told by whoever sets it; the colours, the switch and the look
// come back when it goes.
class CForcedHighContrast {
public:
    static constexpr COLORREF kWindow = RGB(40, 0, 48);
    static constexpr COLORREF kWindowText = RGB(48, 255, 0);
    static constexpr COLORREF kHighlight = RGB(44, 96, 255);
    static constexpr COLORREF kGrayText = RGB(46, 160, 120);

    CForcedHighContrast();
    ~CForcedHighContrast();
    CForcedHighContrast(const CForcedHighContrast&) = delete;
    CForcedHighContrast& operator=(const CForcedHighContrast&) = delete;
    void Set(bool on);

private:
    COLORREF m_saved[4] = {};
};

// One of those four colours, or between two of them in every channel, as a
// smoothed text's edge is (a blend's channels need not keep one proportion).
bool IsSystemColour(COLORREF colour);

// Less motion asked through the system's own setting, which Wine keeps; the
// windows are told (WM_SETTINGCHANGE).  The setting as it was comes back when it goes.
class CLessMotion {
public:
    CLessMotion();
    ~CLessMotion();
    CLessMotion(const CLessMotion&) = delete;
    CLessMotion& operator=(const CLessMotion&) = delete;
    void Set(bool on);

private:
    BOOL m_bAnimation = TRUE;
};

}  // namespace plover::test
