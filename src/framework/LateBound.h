// Functions of system libraries the program needs only now and then (the sound
// service, the open-file dialog, the common controls).  Linked, each library and those it pulls in would
// load at every start, before the window shows; bound late, a library loads when one
// of its functions is first asked for, and stays loaded.
#pragma once

#include <windows.h>

namespace plover {

// `name` of the library file `library` in the system folder (never the program's
// own, where a planted copy could stand), or null when either is missing.
FARPROC SystemFunction(const wchar_t* library, const char* name);

// `name` of a loaded `module`, typed: BoundFunction<decltype(&::PropertySheetW)>(...).
// Null when either is missing.
template <class Function>
Function BoundFunction(HMODULE module, const char* name)
{
    const FARPROC found = module ? ::GetProcAddress(module, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

// SystemFunction, typed: LateBound<decltype(&::sndPlaySoundW)>(L"winmm.dll", "sndPlaySoundW").
template <class Function>
Function LateBound(const wchar_t* library, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(SystemFunction(library, name)));
}

}  // namespace plover
