// One second of a self-timer's count: true once it has run out.  A count of 0 or
// less has run out already; it stops there, so a count typed as the lowest number
// cannot wrap around to the highest.
#pragma once

namespace plover {

inline bool CountDown(int& count)
{
    if (count > 0)
        --count;
    return count <= 0;
}

}  // namespace plover
