#include <windows.h>

#include <random>
#include <string>

#include <gtest/gtest.h>

#include "WineTestSupport.h"
#include "schedule/ScheduleStore.h"

using namespace plover;
using namespace plover::test;

TEST(ScheduleStore, PathIsBesideTheProgram)
{
    EXPECT_EQ(ScheduleFilePath(L"C:\\APP\\PLOVER.EXE"), L"C:\\APP\\Plover.pvd");
    EXPECT_EQ(ScheduleFilePath(L"D:\\PLOVER.EXE"), L"D:\\Plover.pvd");
    EXPECT_EQ(ScheduleFilePath(L"PLOVER.EXE"), L"\\Plover.pvd");
}

TEST(ScheduleStore, LeftoverTemporaryFileIsRemovedOrRecovered)
{
    CScratchDir dir;
    const std::wstring path = dir.File(L"Plover.pvd");
    const auto complete = WriteSchedule(0, MakeSchedule(3, 1));

    // A schedule file exists: the leftover goes, the schedule stays.
    WriteBytes(path, complete);
    WriteBytes(TemporaryPath(path), {1, 2, 3});
    RecoverInterruptedWrite(path);
    EXPECT_FALSE(Exists(TemporaryPath(path)));
    EXPECT_EQ(ReadBytes(path), complete);

    // No schedule file and a finished temporary one: it becomes the schedule.
    ::DeleteFileW(path.c_str());
    WriteBytes(TemporaryPath(path), complete);
    RecoverInterruptedWrite(path);
    EXPECT_EQ(ReadBytes(path), complete);
    EXPECT_FALSE(Exists(TemporaryPath(path)));

    // No schedule file and a half-written temporary one: nothing is made of it.
    ::DeleteFileW(path.c_str());
    WriteBytes(TemporaryPath(path), std::vector<std::uint8_t>(complete.begin(), complete.end() - 10));
    RecoverInterruptedWrite(path);
    EXPECT_FALSE(Exists(path));
    EXPECT_FALSE(Exists(TemporaryPath(path)));

    // A finished one whose repeat rules follow its records is whole as well.
    CScheduleList repeating = MakeSchedule(2, 4);
    repeating[0]->SetRepeat(RepeatRule::Yearly);
    const auto withRules = WriteSchedule(0, repeating);
    ASSERT_GT(withRules.size(), ScheduleFileSize(2));
    WriteBytes(TemporaryPath(path), withRules);
    RecoverInterruptedWrite(path);
    EXPECT_EQ(ReadBytes(path), withRules);
}

TEST(ScheduleStore, FileOpenByAnotherWriterIsNotReplaced)
{
    CScratchDir dir;
    const std::wstring path = dir.File(L"Plover.pvd");
    const auto old = WriteSchedule(0, MakeSchedule(2, 1));
    WriteBytes(path, old);
    const HANDLE locked = ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    const ScheduleSave save = SaveScheduleFile(path, 0, MakeSchedule(5, 2), false);
    ::CloseHandle(locked);
    EXPECT_EQ(save.outcome, ScheduleSave::FileFailed);
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_FALSE(Exists(TemporaryPath(path)));
}

// Kills a process that writes two schedules in turn at random moments: the file
// left behind is always one of the two, never a mixture or a torn one.
TEST(ScheduleStore, KilledWriteLeavesTheOldFileOrTheNewOne)
{
    CScratchDir dir;
    const std::wstring path = dir.File(L"Plover.pvd");
    const auto first = WriteSchedule(0, WriteLoopSchedule(1));
    const auto second = WriteSchedule(1, WriteLoopSchedule(2));
    WriteBytes(path, first);

    wchar_t self[MAX_PATH];
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    const HANDLE started = ::CreateEventW(nullptr, TRUE, FALSE, kWriteLoopEvent);
    std::mt19937 random(7);
    int torn = 0, killedMidWrite = 0, rounds = 0, deadStarts = 0;
    // Until enough kills have landed inside a write to mean something, however many
    // rounds a busy machine needs; the limit only ends a run where none ever lands.
    for (; rounds < 2000 && killedMidWrite < 10; ++rounds) {
        ::ResetEvent(started);
        PROCESS_INFORMATION process{};
        std::string reason;
        ASSERT_TRUE(StartProcess(L"\"" + std::wstring(self) + L"\" --write-loop \"" + path + L"\"",
                                 nullptr, process, reason))
            << reason;
        const HANDLE either[] = {started, process.hProcess};
        const DWORD woke = ::WaitForMultipleObjects(2, either, FALSE, 60000);
        if (woke == WAIT_OBJECT_0)
            ::Sleep(std::uniform_int_distribution<int>(0, 60)(random));
        ::TerminateProcess(process.hProcess, 1);
        ::WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        ::GetExitCodeProcess(process.hProcess, &code);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
        // A writer that died before it wrote anything was no kill at all: start
        // another (a few in a row may fail to load on a busy machine).
        if (woke == WAIT_OBJECT_0 + 1) {
            ASSERT_LT(++deadStarts, 5) << "the writing process keeps ending at start, code " << code;
            --rounds;
            continue;
        }
        ASSERT_EQ(woke, WAIT_OBJECT_0) << "the writing process never started writing";
        deadStarts = 0;

        if (Exists(TemporaryPath(path)))
            ++killedMidWrite;
        const auto left = ReadBytes(path);
        if (left != first && left != second)
            ++torn;
        RecoverInterruptedWrite(path);
        EXPECT_FALSE(Exists(TemporaryPath(path)));
        const auto after = ReadBytes(path);
        EXPECT_TRUE(after == first || after == second);
    }
    ::CloseHandle(started);
    EXPECT_EQ(torn, 0);
    EXPECT_GE(killedMidWrite, 10) << "of " << rounds << " kills";
    std::printf("kills inside a write: %d of %d\n", killedMidWrite, rounds);
}
