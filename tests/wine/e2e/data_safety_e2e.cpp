// The real program in the situations that used to lose the schedule: the session
// ending, a kill, a program folder the user cannot write, a write that fails at
// exit, and a second copy on the same folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/E2eSupport.h"
#include "e2e/PloverProcess.h"
#include "resource.h"

using namespace plover;
using namespace plover::test;

namespace {

// %APPDATA%\WREN of the tests' Wine user, where the user's folder is made.
std::wstring MakerFolder()
{
    wchar_t appData[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH);
    EXPECT_TRUE(length > 0 && length < MAX_PATH) << "no %APPDATA%";
    return std::wstring(appData) + L"\\WREN";
}

// The user's own folder for Plover, %APPDATA%\WREN\Plover\.
std::wstring UserFolder()
{
    return MakerFolder() + L"\\Plover\\";
}

std::size_t EntriesIn(const std::wstring& path)
{
    const std::vector<std::uint8_t> bytes = ReadBytes(path);
    ScheduleHeader header;
    CScheduleList list;
    if (bytes.empty() || ReadSchedule(bytes.data(), bytes.size(), header, list) !=
                             ScheduleReadResult::Complete)
        return 0;
    return list.size();
}

// Runs a command of the machine underneath Wine, which starts Unix programs too
// but cannot wait for them: the command leaves a mark when it is done.
bool RunUnix(const std::string& command)
{
    const std::string mark = "/tmp/plover-e2e-" + std::to_string(::GetCurrentProcessId()) + ".done";
    const std::wstring markPath = L"Z:" + std::wstring(mark.begin(), mark.end());
    ::DeleteFileW(markPath.c_str());
    const std::string script = command + "; touch " + mark;
    PROCESS_INFORMATION process{};
    std::string reason;
    if (!StartProcess(L"/bin/sh -c \"" + std::wstring(script.begin(), script.end()) + L"\"", nullptr,
                      process, reason)) {
        ADD_FAILURE() << "/bin/sh did not start (" << reason << "): " << command;
        return false;
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    const bool done = WaitUntil([&] { return Exists(markPath); }, 20000);
    EXPECT_TRUE(done) << "not done in 20 s: " << command;
    ::DeleteFileW(markPath.c_str());
    return done;
}

std::string UnixPath(const std::wstring& path)
{
    using ToUnix = char*(CDECL*)(LPCWSTR);
    const auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void (*)()>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* unix = toUnix ? toUnix(path.c_str()) : nullptr;
    const std::string result = unix ? unix : "";
    ::HeapFree(::GetProcessHeap(), 0, unix);
    return result;
}

// The folder read-only for every process, as Program Files is for a normal user:
// a read-only bind mount of it over itself, undone at the end.
class CReadOnlyFolder {
public:
    explicit CReadOnlyFolder(const std::wstring& folder) : m_folder(folder), m_unix(UnixPath(folder))
    {
        if (m_unix.empty())
            return;
        RunUnix("mount --bind '" + m_unix + "' '" + m_unix + "' && mount -o remount,ro,bind '" +
                m_unix + "' '" + m_unix + "'");
    }
    ~CReadOnlyFolder()
    {
        if (!m_unix.empty())
            RunUnix("umount -l '" + m_unix + "' 2>/dev/null");
    }
    // Whether a new file is refused there now, as the file system answers.
    bool IsReadOnly() const
    {
        const std::wstring probe = m_folder + L"\\read-only probe";
        const HANDLE file = ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return ::GetLastError() != ERROR_FILE_EXISTS;
        ::CloseHandle(file);
        ::DeleteFileW(probe.c_str());
        return false;
    }

private:
    std::wstring m_folder;
    std::string m_unix;
};

// Everything in a folder, name and bytes.
std::vector<std::pair<std::wstring, std::vector<std::uint8_t>>> Contents(const std::wstring& folder)
{
    std::vector<std::pair<std::wstring, std::vector<std::uint8_t>>> files;
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return files;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..")
            files.emplace_back(name, ReadBytes(folder + L"\\" + name));
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return files;
}

class DataSafety : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearSettings();
        RemoveTree(MakerFolder());
        CScheduleList list;
        list.push_back(MakeEntry(L"卒業式", 2030, 3, 14));
        list.push_back(MakeEntry(L"入学式", 2030, 4, 8));
        m_original = WriteSchedule(0, list);
    }
    void TearDown() override
    {
        ClearSettings();
        RemoveTree(MakerFolder());
    }

    HWND Start(CPloverProcess& plover)
    {
        WriteBytes(plover.SchedulePath(), m_original);
        EXPECT_TRUE(plover.Start());
        return plover.WaitMainWindow();
    }

    // An entry through 予定の追加 and its OK, as a user adds one.
    static bool AddEntry(CPloverProcess& plover, HWND window)
    {
        ::PostMessageW(window, WM_COMMAND, IDM_SCHEDULE_ADD, 0);
        const HWND dialog = plover.WaitDialog(L"予定の追加");
        if (!dialog)
            return false;
        const HWND name = ::GetDlgItem(dialog, IDC_ADD_NAME);
        for (wchar_t c : std::wstring(L"遠足"))
            ::PostMessageW(name, WM_CHAR, c, 1);
        ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
        return WaitUntil([&] { return !::IsWindow(dialog); });
    }

    // A blocked write: a folder stands where the temporary file must go.
    static void Block(const std::wstring& schedule)
    {
        ::CreateDirectoryW((schedule + L".tmp").c_str(), nullptr);
    }

    // Ended at once, as Windows ends a process at the end of a session.
    static bool Kill(CPloverProcess& plover)
    {
        const HANDLE process = ::OpenProcess(PROCESS_TERMINATE, FALSE, plover.ProcessId());
        const bool killed = process && ::TerminateProcess(process, 1);
        if (process)
            ::CloseHandle(process);
        return killed && plover.WaitExit(10000);
    }

    // Nothing the user would have to answer once `window` has answered after what could
    // have raised it.  A box is made before its owner answers again but shows itself
    // only once its loop runs, so a hidden one counts too.
    static bool NoMessageBox(const CPloverProcess& plover, HWND window)
    {
        Send(window, WM_NULL);
        for (HWND w = nullptr; (w = ::FindWindowExW(nullptr, w, L"#32770", nullptr)) != nullptr;) {
            DWORD pid = 0;
            ::GetWindowThreadProcessId(w, &pid);
            if (pid == plover.ProcessId())
                return false;
        }
        return true;
    }

    std::vector<std::uint8_t> m_original;
};

}  // namespace

TEST_F(DataSafety, EndOfSessionWritesScheduleAndPlaceAtOnceAlsoUnderAnOpenSheet)
{
    for (bool sheetOpen : {false, true}) {
        SCOPED_TRACE(sheetOpen ? "options sheet open" : "nothing open");
        CPloverProcess plover;
        const HWND window = Start(plover);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(AddEntry(plover, window));
        ::SetWindowPos(window, nullptr, 123, 77, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        // Gone since the edit wrote it: only the end of the session can bring it back.
        ASSERT_TRUE(WaitUntil([&] { return EntriesIn(plover.SchedulePath()) == 3; }));
        ASSERT_TRUE(::DeleteFileW(plover.SchedulePath().c_str()));
        if (sheetOpen) {
            ::PostMessageW(window, WM_COMMAND, IDM_OPTIONS, 0);
            const HWND sheet = plover.WaitDialog(L"Plover のﾌﾟﾛﾊﾟﾃｨ");
            ASSERT_NE(sheet, nullptr);
        }

        DWORD_PTR answer = 0;
        ASSERT_TRUE(::SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF,
                                          SMTO_ABORTIFHUNG, 5000, &answer));
        EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));
        ASSERT_TRUE(::SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF,
                                          SMTO_ABORTIFHUNG, 5000, &answer))
            << "answered at once, with nothing modal shown";
        ASSERT_TRUE(Kill(plover));

        EXPECT_EQ(EntriesIn(plover.SchedulePath()), 3u);
        DWORD left = 0;
        ASSERT_TRUE(GetSetting(L"StartPositionPosX", left));
        EXPECT_EQ(left, 123u);
        DWORD unused = 0;
        EXPECT_FALSE(GetSetting(L"RollStar", unused)) << "the sheet was not confirmed";
        ClearSettings();
    }
}

TEST_F(DataSafety, KilledRightAfterAnOkKeepsTheEntryAndAWritableFolderTouchesNothingElse)
{
    CPloverProcess plover;
    const HWND window = Start(plover);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(AddEntry(plover, window));
    // Answered once the OK's command has run to its end, write included.
    Send(window, WM_NULL);
    ASSERT_TRUE(Kill(plover));
    EXPECT_EQ(EntriesIn(plover.SchedulePath()), 3u);
    EXPECT_FALSE(Exists(MakerFolder())) << "nothing in the user's folder";
}

TEST_F(DataSafety, ReadOnlyProgramFolderKeepsTheScheduleInTheUsersFolder)
{
    CPloverProcess plover;
    WriteBytes(plover.SchedulePath(), m_original);
    const CReadOnlyFolder readOnly(plover.Dir());
    if (!readOnly.IsReadOnly())
        GTEST_SKIP() << "this machine allows no read-only bind mount";

    for (std::size_t expected : {3u, 4u}) {
        ASSERT_TRUE(plover.Start());
        // Shown, painted and answering: the start's boxes come before the window.
        const HWND window = plover.WaitMainWindow();
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(NoMessageBox(plover, window)) << "the start reads without a word";
        ASSERT_TRUE(AddEntry(plover, window));
        EXPECT_TRUE(NoMessageBox(plover, window)) << "the write after OK goes to the user's folder";
        ASSERT_TRUE(plover.CloseAndWait());
        EXPECT_EQ(plover.ExitCode(), 0u);
        // The second run read the first's entries from the user's folder.
        EXPECT_EQ(EntriesIn(UserFolder() + L"Plover.pvd"), expected);
    }
    // Nothing the program does can change a read-only folder; what says the runs above
    // met one is that it still refused writes at their end.
    EXPECT_TRUE(readOnly.IsReadOnly()) << "the program folder took writes during the runs";
    // Only the schedule, nothing left of a write.
    const auto kept = Contents(MakerFolder() + L"\\Plover");
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].first, L"Plover.pvd");
}

TEST_F(DataSafety, FailedWritesAreToldAndAtExitEachChoiceDoesWhatItSays)
{
    enum Choice { TryAgainThenUnblock, SaveInUsersFolder, BothBlockedQuitAfterConfirming };
    for (Choice choice : {TryAgainThenUnblock, SaveInUsersFolder, BothBlockedQuitAfterConfirming}) {
        SCOPED_TRACE(choice);
        RemoveTree(MakerFolder());
        CPloverProcess plover;
        const HWND window = Start(plover);
        ASSERT_NE(window, nullptr);
        Block(plover.SchedulePath());
        ASSERT_TRUE(AddEntry(plover, window));
        MessageBoxView box;
        ASSERT_TRUE(plover.WaitMessageBox(box)) << "the failed write after OK is told";
        EXPECT_NE(box.text.find(plover.SchedulePath()), std::wstring::npos) << box.text.c_str();
        plover.Answer(box, IDOK);
        const std::wstring userFile = UserFolder() + L"Plover.pvd";
        if (choice == BothBlockedQuitAfterConfirming) {
            ::CreateDirectoryW(MakerFolder().c_str(), nullptr);
            ASSERT_TRUE(::CreateDirectoryW(UserFolder().c_str(), nullptr) ||
                        ::GetLastError() == ERROR_ALREADY_EXISTS);
            Block(userFile);
        }

        ::PostMessageW(window, WM_CLOSE, 0, 0);
        ASSERT_TRUE(plover.WaitMessageBox(box));
        EXPECT_EQ(box.buttons, (std::vector<int>{IDCANCEL, IDTRYAGAIN, IDCONTINUE}));
        EXPECT_NE(box.text.find(plover.SchedulePath()), std::wstring::npos);
        switch (choice) {
        case TryAgainThenUnblock:
            plover.Answer(box, IDTRYAGAIN);
            ASSERT_TRUE(plover.WaitMessageBox(box)) << "still blocked: asked again";
            ::RemoveDirectoryW((plover.SchedulePath() + L".tmp").c_str());
            plover.Answer(box, IDTRYAGAIN);
            ASSERT_TRUE(plover.WaitExit(10000));
            EXPECT_EQ(EntriesIn(plover.SchedulePath()), 3u);
            break;
        case SaveInUsersFolder: {
            plover.Answer(box, IDCONTINUE);
            ASSERT_TRUE(plover.WaitExit(10000));
            EXPECT_EQ(EntriesIn(userFile), 3u);
            EXPECT_EQ(ReadBytes(plover.SchedulePath()), m_original);
            // The program folder takes writes again, but the newer schedule is in
            // the user's folder: the next start goes on there.
            ::RemoveDirectoryW((plover.SchedulePath() + L".tmp").c_str());
            ASSERT_TRUE(plover.Start());
            const HWND again = plover.WaitMainWindow();
            ASSERT_NE(again, nullptr);
            ASSERT_TRUE(AddEntry(plover, again));
            ASSERT_TRUE(plover.CloseAndWait());
            EXPECT_EQ(EntriesIn(userFile), 4u);
            EXPECT_EQ(ReadBytes(plover.SchedulePath()), m_original);
            break;
        }
        case BothBlockedQuitAfterConfirming:
            plover.Answer(box, IDCONTINUE);
            ASSERT_TRUE(plover.WaitMessageBox(box));
            EXPECT_EQ(box.buttons, (std::vector<int>{IDCANCEL, IDRETRY})) << "no other folder left";
            EXPECT_NE(box.text.find(userFile), std::wstring::npos);
            plover.Answer(box, IDCANCEL);
            ASSERT_TRUE(plover.WaitMessageBox(box));
            EXPECT_EQ(box.buttons, (std::vector<int>{IDYES, IDNO}));
            plover.Answer(box, IDNO);
            ASSERT_TRUE(plover.WaitMessageBox(box)) << "not confirmed: asked again";
            plover.Answer(box, IDCANCEL);
            ASSERT_TRUE(plover.WaitMessageBox(box));
            plover.Answer(box, IDYES);
            ASSERT_TRUE(plover.WaitExit(10000));
            EXPECT_EQ(ReadBytes(plover.SchedulePath()), m_original);
            break;
        }
        EXPECT_EQ(plover.ExitCode(), 0u);
        ::RemoveDirectoryW((plover.SchedulePath() + L".tmp").c_str());
    }
}

TEST_F(DataSafety, SecondStartOnTheSameFolderBringsTheFirstForwardAndEnds)
{
    CPloverProcess first;
    const HWND window = Start(first);
    ASSERT_NE(window, nullptr);
    ::ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return ::IsIconic(window) != FALSE; }));

    PROCESS_INFORMATION second{};
    std::string reason;
    ASSERT_TRUE(StartProcess(L"\"" + first.Dir() + L"\\Plover.exe\"", first.Dir().c_str(), second,
                             reason))
        << reason;
    EXPECT_EQ(::WaitForSingleObject(second.hProcess, 20000), WAIT_OBJECT_0);
    DWORD code = 1;
    ::GetExitCodeProcess(second.hProcess, &code);
    ::TerminateProcess(second.hProcess, 1);
    ::CloseHandle(second.hThread);
    ::CloseHandle(second.hProcess);
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(WaitUntil([&] { return !::IsIconic(window) && ::GetForegroundWindow() == window; }))
        << "the running window is restored and in front";
    EXPECT_FALSE(first.WaitExit(0));

    CPloverProcess other;  // another folder: runs beside it
    EXPECT_NE(Start(other), nullptr);
    EXPECT_TRUE(other.CloseAndWait());
    EXPECT_TRUE(first.CloseAndWait());
}
