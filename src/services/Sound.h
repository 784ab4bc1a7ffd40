// The program's one way to play a sound, so tests can see what would have played.
#pragma once

#include <functional>
#include <string>

namespace plover {

// Plays a WAV file by the name the settings hold (no folder put in front).  With
// `wait` the call returns when the sound has ended.  A file that cannot be played
// is the platform sound service's business.
void PlaySoundFile(const std::wstring& name, bool wait);

// Plays a WAV file without waiting; a file that cannot be played gives the
// platform's default sound, so the user hears that something was meant to sound.
void PlaySoundOrDefault(const std::wstring& path);

// While set, PlaySoundFile calls this instead of the platform.
void SetSoundHook(std::function<void(const std::wstring& name, bool wait)> hook);

}  // namespace plover
