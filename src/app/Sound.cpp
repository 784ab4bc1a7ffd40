#include "app/Sound.h"

#include <windows.h>
#include <mmsystem.h>

#include <utility>

namespace plover {

namespace {
std::function<void(const std::wstring&, bool)>& Hook()
{
    static std::function<void(const std::wstring&, bool)> hook;
    return hook;
}
}  // namespace

void PlaySoundFile(const std::wstring& name, bool wait)
{
    if (Hook()) {
        Hook()(name, wait);
        return;
    }
    ::sndPlaySoundW(name.c_str(), (wait ? SND_SYNC : SND_ASYNC) | SND_NODEFAULT);
}

void PlaySoundOrDefault(const std::wstring& path)
{
    if (Hook()) {
        Hook()(path, false);
        return;
    }
    ::sndPlaySoundW(path.c_str(), SND_ASYNC);
}

void SetSoundHook(std::function<void(const std::wstring&, bool)> hook)
{
    Hook() = std::move(hook);
}

}  // namespace plover
