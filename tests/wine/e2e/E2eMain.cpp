// End-to-end tests: the first argument is the Plover.exe to run.
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
    return RUN_ALL_TESTS();
}
