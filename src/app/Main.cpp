#include <windows.h>

#include "app/PloverApp.h"
#include "services/StartupEntry.h"

namespace {
plover::CPloverApp theApp;
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int showCommand)
{
    // The sign-in argument is the only one Plover takes: such a start opens
    // minimised and silent, without taking the activation.
    const bool signIn = plover::IsSignInStart(commandLine ? commandLine : L"");
    plover::SetStartedBySignIn(signIn);
    return theApp.Run(signIn ? SW_SHOWMINNOACTIVE : showCommand);
}
