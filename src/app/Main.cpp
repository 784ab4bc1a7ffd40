#include <windows.h>

#include "app/PloverApp.h"

namespace {
plover::CPloverApp theApp;
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand)
{
    return theApp.Run(showCommand);
}
