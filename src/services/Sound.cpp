#include "services/Sound.h"

#include <windows.h>
#include <mmsystem.h>

#include <utility>

#include "framework/LateBound.h"

namespace plover {

namespace {
std::function<void(const std::wstring&, bool)>& Hook()
{
    static std::function<void(const std::wstring&, bool)> hook;
    return hook;
}

void Play(const std::wstring& name, bool wait, UINT flags)
{
    if (Hook()) {
        Hook()(name, wait);
        return;
    }
    static const auto play = LateBound<decltype(&::sndPlaySoundW)>(L"winmm.dll", "sndPlaySoundW");
    if (play)
        play(name.c_str(), (wait ? SND_SYNC : SND_ASYNC) | flags);
}

}  // namespace

void PlaySoundFile(const std::wstring& name, bool wait)
{
    Play(name, wait, SND_NODEFAULT);
}

void PlaySoundOrDefault(const std::wstring& path)
{
    Play(path, false, 0);
}

void SetSoundHook(std::function<void(const std::wstring&, bool)> hook)
{
    Hook() = std::move(hook);
}

}  // namespace plover
