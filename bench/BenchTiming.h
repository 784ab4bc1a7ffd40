// What the schedule and iCalendar benchmarks share: a clock, and the floor under
// any load into memory.
#pragma once

#include <chrono>
#include <cstddef>
#include <memory>

namespace plover::bench {

using Clock = std::chrono::steady_clock;

inline double Seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// The least time any load into memory takes: first touching as many bytes as the
// loaded entries occupy, in a block the allocator takes fresh from the system (on
// some virtual machines each first touch of a page traps to the host).
inline double FreshMemorySeconds(std::size_t bytes)
{
    const auto start = Clock::now();
    std::unique_ptr<char[]> block(new char[bytes]);
    volatile char* touch = block.get();
    for (std::size_t i = 0; i < bytes; i += 4096)
        touch[i] = 1;
    return Seconds(start);
}

}  // namespace plover::bench
