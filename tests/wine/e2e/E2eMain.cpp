// End-to-end tests: the first argument is the Plover.exe to run.
#include <cstdio>
#include <cstring>

#include <gtest/gtest.h>

#include "e2e/PloverProcess.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: plover_e2e_tests PLOVER_EXE [gtest options]\n");
        return 2;
    }
    plover::test::g_ploverExe = plover::test::WinePath(argv[1]);
    const char* tests = plover::test::ThisBuild();
    const char* program = plover::test::ProgramBuild(plover::test::g_ploverExe);
    std::printf("plover: end-to-end tests of the %s build, running Plover.exe built %s\n", tests,
                program);
    if (std::strcmp(tests, program) != 0) {
        std::fprintf(stderr, "plover_e2e_tests: Plover.exe is not of this build\n");
        return 2;
    }
    return RUN_ALL_TESTS();
}
