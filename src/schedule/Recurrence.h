// Dates of an entry that comes back: yearly, monthly, weekly or daily from the date
// it was made for.  Every occurrence is taken from that first date, never from the
// one before it, so a monthly date on the 31st that fell on the 30th or the 28th
// returns to the 31st, and a 29 February kept on the 28th in common years returns
// to the 29th in every leap year.  Dates only: the time of day is the entry's own.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "schedule/CivilDate.h"

namespace plover {

class CPloverFile;

// Stored as a number in the schedule file: the values never change.
enum class RepeatRule : std::uint16_t {
    None = 0,
    Yearly = 1,
    Monthly = 2,
    Weekly = 3,
    Daily = 4,
};

// How the dialogs and lists name a rule: "しない", "毎年", "毎月", "毎週", "毎日".
std::wstring_view RepeatRuleName(RepeatRule rule);

// Where a yearly date on 29 February falls in a common year.
enum class LeapDayRule {
    February28,
    March1,
};

// The first occurrence on or after `today`; the anchor itself while it is still
// ahead.  With no rule, and for an anchor whose month is no month, the anchor as
// it is, passed or not, so such an entry counts down exactly as it always did.
CivilDate NextOccurrence(RepeatRule rule, const CivilDate& anchor, const CivilDate& today,
                         LeapDayRule leapDay);

// The occurrences from `today` to the end of today's month, in date order: a
// weekly entry up to five times, a daily one every day.
std::vector<CivilDate> OccurrencesInRestOfMonth(RepeatRule rule, const CivilDate& anchor,
                                                const CivilDate& today, LeapDayRule leapDay);

// Moves a repeating entry's own date to its next occurrence, so a reader that
// knows nothing of rules still counts down to the right day.  Leaves an entry
// without a rule alone.
void RollForward(CPloverFile& entry, const CivilDate& today, LeapDayRule leapDay);

}  // namespace plover
