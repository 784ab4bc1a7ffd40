// The options pages' rules that need no window: reading a typed number of seconds
// and checking a sound file name before it is stored.
#pragma once

#include <cstddef>
#include <string_view>

namespace plover {

// A typed number of seconds: a signed decimal number with blanks around it.  Text
// that is not such a number (letters after the digits included), or a number
// beyond the 32-bit range, gives 0.  No range is enforced: 5000 and -5 stay.
int ParseSeconds(std::wstring_view text);

// The longest sound file name stored, in UTF-16 units: a longer one could never be
// opened by the sound service, and the platform's path limit is the same.
inline constexpr std::size_t kMaxSoundNameUnits = 259;

enum class SoundNameProblem {
    None,
    TooLong,       // over kMaxSoundNameUnits
    BadCharacter,  // a control character or half of a surrogate pair
};

SoundNameProblem CheckSoundName(std::wstring_view name);

}  // namespace plover
