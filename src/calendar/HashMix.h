// The one 64-bit finalizer of the calendar's hashes: the UIDs an export writes and
// the lookup of entries an import already has.  Inside the calendar room only.
#pragma once

#include <cstdint>

namespace plover::ical::detail {

inline std::uint64_t Mix(std::uint64_t h)
{
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ull;
    h ^= h >> 33;
    return h;
}

}  // namespace plover::ical::detail
