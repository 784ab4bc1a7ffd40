// Dates and times of iCalendar files: the forms of a date-time value and a
// calendar's own time zones (an event's recurrence rules are ICalendarRule's).
// Proleptic Gregorian dates throughout.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "schedule/CivilDate.h"

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

int GregorianMonthLength(int year, int month);
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
