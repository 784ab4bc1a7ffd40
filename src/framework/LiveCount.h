// Counts the objects of a class that are alive, so a test can show that opening
// and closing a window a thousand times leaves none of them behind.  Needs no
// window.
#pragma once

namespace plover {

template <class T>
class CLiveCount {
public:
    static long Alive() { return s_nAlive; }

protected:
    CLiveCount() noexcept { ++s_nAlive; }
    CLiveCount(const CLiveCount&) noexcept { ++s_nAlive; }
    CLiveCount& operator=(const CLiveCount&) noexcept = default;
    ~CLiveCount() { --s_nAlive; }

private:
    static inline long s_nAlive = 0;
};

}  // namespace plover
