// Dates and times of iCalendar files: the forms of a date-time value, the simple
// recurrences (yearly, monthly, weekly, daily with an interval, a count or an end),
// and a calendar's own time zones.  Proleptic Gregorian dates throughout.
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
inline bool operator<=(const CivilTime& a, const CivilTime& b) { return !(b < a); }
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

// A recurrence the import follows; other rules leave the event at its first date.
struct SimpleRule {
    enum Freq { Daily, Weekly, Monthly, Yearly } freq = Yearly;
    int interval = 1;
    std::optional<std::int64_t> count;
    std::optional<DateValue> until;
};
// The rule when it is one of those; BYMONTH, BYMONTHDAY and BYDAY parts that only
// repeat what the first date says are allowed.
std::optional<SimpleRule> ParseSimpleRule(std::string_view text, const CivilTime& start);

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

namespace plover::ical {

// The first occurrence of `rule` from `start` whose local date (`toLocal`) is today
// or later; when every occurrence lies before today, the last one.  `pastEnd` says
// whether an occurrence lies after the rule's UNTIL.  Occurrences on dates a month
// or year lacks (31 April, 29 February of a common year) do not exist.
template <class ToLocal, class PastEnd>
CivilTime NextOccurrence(const CivilTime& start, const SimpleRule& rule, const CivilTime& today,
                         ToLocal toLocal, PastEnd pastEnd);

// The k-th period's date from `start` (false when that date does not exist).
bool NthOccurrence(const CivilTime& start, const SimpleRule& rule, std::int64_t k, CivilTime& out);
// A period index from which on every occurrence is no earlier than two days
// before `today` (0 when start is already that late); every period is valid then.
std::int64_t PeriodsBefore(const CivilTime& start, const SimpleRule& rule, const CivilTime& today);
// True when every period of the rule has a date (no 31st of a month, no 29 February).
bool EveryPeriodExists(const CivilTime& start, const SimpleRule& rule);

template <class ToLocal, class PastEnd>
CivilTime NextOccurrence(const CivilTime& start, const SimpleRule& rule, const CivilTime& today,
                         ToLocal toLocal, PastEnd pastEnd)
{
    // Without a count, or with every period valid (when the count of occurrences
    // is the period index), the search may begin just before today; otherwise it
    // walks from the start, counting.
    const bool dense = EveryPeriodExists(start, rule);
    const bool jump = dense || !rule.count;
    std::int64_t k = jump ? PeriodsBefore(start, rule, today) : 0;
    if (dense && rule.count && k >= *rule.count)
        k = *rule.count - 1;
    CivilTime occurrence;
    // The last existing occurrence at or before period `i`, or the start.
    const auto existingAtOrBefore = [&](std::int64_t i) {
        for (int tries = 0; i > 0 && tries < 1000; --i, ++tries)
            if (NthOccurrence(start, rule, i, occurrence))
                return occurrence;
        return start;
    };
    if (jump && k > 0) {
        NthOccurrence(start, rule, k - 1, occurrence);
        if (pastEnd(occurrence)) {
            // The rule ended before today: its last occurrence, found by halving.
            std::int64_t low = 0, high = k - 1;  // low is within the end, high past it
            while (high - low > 1) {
                const std::int64_t middle = low + (high - low) / 2;
                NthOccurrence(start, rule, middle, occurrence);
                (pastEnd(occurrence) ? high : low) = middle;
            }
            return existingAtOrBefore(low);
        }
    }
    CivilTime last = jump && k > 0 ? existingAtOrBefore(k - 1) : start;
    std::int64_t seen = dense ? k : 0;  // occurrences before period k, when counted
    // Two days before today: no occurrence earlier than that can be today in any zone.
    const CivilTime early = CivilFromDays(DaysFromCivil(today.year, today.month, today.day) - 2);
    for (;; ++k) {
        if (rule.count && seen >= *rule.count)
            return last;
        const bool exists = NthOccurrence(start, rule, k, occurrence);
        if (occurrence.year > 9999 || (k > 0 && pastEnd(occurrence)))
            return last;
        if (!exists)
            continue;
        ++seen;
        last = occurrence;
        if (!DateBefore(occurrence, early) && !DateBefore(toLocal(occurrence), today))
            return occurrence;
    }
}

}  // namespace plover::ical
