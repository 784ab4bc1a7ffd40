// Dates and times of iCalendar files: the forms of a date-time value and a
// calendar's own time zones (an event's recurrence rules are ICalendarRule's).
// Proleptic Gregorian dates throughout.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "schedule/CivilDate.h"
#include "schedule/DaysLeft.h"

namespace plover::ical {

struct CivilTime {
    int year = 0;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

bool operator<(const CivilTime& a, const CivilTime& b);
inline bool operator<=(const CivilTime& a, const CivilTime& b)
{
    return !(b < a);
}
bool SameDate(const CivilTime& a, const CivilTime& b);
bool DateBefore(const CivilTime& a, const CivilTime& b);

// The date of a day number (schedule/CivilDate.h counts them), at midnight.
CivilTime CivilFromDays(std::int64_t days);
// `t` moved by a number of seconds (negative for earlier).
CivilTime AddSeconds(const CivilTime& t, std::int64_t seconds);

// A DATE (yyyymmdd) or DATE-TIME (yyyymmddThhmmss, then Z for UTC) value.
struct DateValue {
    CivilTime time;
    bool isDate = false;
    bool isUtc = false;
};
std::optional<DateValue> ParseDateValue(std::string_view text);

// The pieces of a rule's text, compared as the standard says, without case:
// "SU" to "SA" as 0 to 6 (-1 for anything else), and each NAME=VALUE of a rule
// handed to `part` (empty items skipped; false for an item without "=" or one
// that `part` refuses).
bool EqualsNoCase(std::string_view a, std::string_view b);
int WeekdayCode(std::string_view text);
template <class Part>
bool ForEachRulePart(std::string_view text, Part part)
{
    while (!text.empty()) {
        const std::size_t end = std::min(text.find(';'), text.size());
        const std::string_view item = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (item.empty())
            continue;
        const std::size_t equals = item.find('=');
        if (equals == std::string_view::npos ||
            !part(item.substr(0, equals), item.substr(equals + 1)))
            return false;
    }
    return true;
}

// A UTC offset "+hhmm" or "-hhmm" (seconds allowed) in seconds.
std::optional<int> ParseUtcOffset(std::string_view text);

// One observance of a calendar's time zone: the offset in force from each of its
// onsets on (onsets as wall-clock times of the offset before).
struct Observance {
    CivilTime start;
    int offsetFrom = 0;
    int offsetTo = 0;
    std::string rule;              // its RRULE, empty when none
    std::vector<CivilTime> dates;  // its RDATEs
};

struct TimeZone {
    std::string id;
    std::vector<Observance> observances;
    // The UTC moment of a wall-clock time of this zone.
    CivilTime ToUtc(const CivilTime& wall) const;
};

}  // namespace plover::ical
