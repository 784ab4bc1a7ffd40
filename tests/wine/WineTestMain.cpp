// The Wine-side test program.  Started with --write-loop FILE it is instead the
// victim of the interrupted-write test: it writes two schedules over FILE in turn
// until it is killed.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "WineTestSupport.h"
#include "framework/MessageBox.h"
#include "framework/Resource.h"
#include "resource.h"
#include "schedule/ScheduleStore.h"

namespace {

// Writes two schedules of some megabytes in turn, so a kill at a random moment
// mostly lands inside a write; says so once the first write is done.
int WriteLoop(const std::wstring& path)
{
    const auto first = plover::test::WriteLoopSchedule(1);
    const auto second = plover::test::WriteLoopSchedule(2);
    const HANDLE started = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, plover::test::kWriteLoopEvent);
    for (int i = 0;; ++i) {
        plover::SaveScheduleFile(path, i % 2, i % 2 ? second : first, false);
        if (i == 0 && started)
            ::SetEvent(started);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--write-loop") == 0)
        return WriteLoop(plover::test::WinePath(argv[2]));
    ::testing::InitGoogleTest(&argc, argv);
    // The boxes' caption, told at start as the program tells it.
    plover::SetAppTitle(plover::LoadResString(IDS_APP_TITLE));
    std::printf("plover: Wine-side tests of the %s build\n", plover::test::ThisBuild());
    return RUN_ALL_TESTS();
}
