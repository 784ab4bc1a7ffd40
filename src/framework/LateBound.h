// Functions of system libraries the program needs only now and then (the sound
// service, the open-file dialog, the common controls).  Linked, each library and those it pulls in would
// load at every start, before the window shows; bound late, a library loads when one
// of its functions is first asked for, and stays loaded.
#pragma once

#include <windows.h>

namespace plover {

// The library file `library` from the system folder (never the program's own, where
// a planted copy could stand), loaded for the rest of the run; null when missing.
HMODULE SystemLibrary(const wchar_t* library);

// `name` of a loaded `module`, typed: BoundFunction<decltype(&::PropertySheetW)>(...).
// Null when either is missing.
template <class Function>
Function BoundFunction(HMODULE module, const char* name)
{
    const FARPROC found = module ? ::GetProcAddress(module, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

// A system library's function: LateBound<decltype(&::sndPlaySoundW)>(L"winmm.dll",
// "sndPlaySoundW").
template <class Function>
Function LateBound(const wchar_t* library, const char* name)
{
    return BoundFunction<Function>(SystemLibrary(library), name);
}

}  // namespace plover
