// Starting with Windows: the user's Run value naming Plover, and Task Manager's
// own switch for it.  Read back each time it is shown, so what Plover shows is
// always what Windows will do.
#pragma once

#include <string>
#include <string_view>

namespace plover {

// The one argument Plover takes: the start came from signing in.
inline constexpr std::wstring_view kSignInArgument = L"/signin";

// True when the command line (without the program's name) holds the sign-in
// argument; every other argument is ignored.
bool IsSignInStart(std::wstring_view commandLine);

// What the Run value holds for a program at `exePath`: its path in double quotes,
// then the sign-in argument.
std::wstring StartupCommand(const std::wstring& exePath);

struct StartupEntry {
    bool registered = false;       // a Run value names Plover
    bool current = false;          // it names this program, as StartupCommand writes it
    bool turnedOffInTaskManager = false;
};

StartupEntry ReadStartupEntry(const std::wstring& exePath);
// Writes the Run value for this program; `turnOn` also turns Task Manager's
// switch back on where it was off.  False when the registry refused.
bool WriteStartupEntry(const std::wstring& exePath, bool turnOn);
// At each start: a program moved since its entry was written names its new place
// (Task Manager's switch stays as the user left it).
void FollowProgramMove(const std::wstring& exePath);

// Whether this run began with the user's sign-in: it opens minimised and silent.
void SetStartedBySignIn(bool signIn);
bool StartedBySignIn();
// Removes the Run value and Task Manager's record of it.
void RemoveStartupEntry();

}  // namespace plover
