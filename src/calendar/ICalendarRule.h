// Recurrence rules (RRULE) of iCalendar events: every part a daily to yearly
// rule may have, expanded period by period to the next occurrence, and the
// rules that say exactly what an entry's own repeat rule says, both ways.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/ICalendarTime.h"
#include "schedule/Recurrence.h"

namespace plover::ical {

struct RecurrenceRule {
    enum Freq { Daily, Weekly, Monthly, Yearly } freq = Yearly;
    int interval = 1;
    std::optional<std::int64_t> count;
    std::optional<DateValue> until;
    int weekStart = 1;  // 0 = Sunday
    struct Weekday {
        int ordinal = 0;  // 0: every such day of the period; -1: the last one
        int day = 0;      // 0 = Sunday
        bool operator<(const Weekday& o) const
        {
            return ordinal != o.ordinal ? ordinal < o.ordinal : day < o.day;
        }
        bool operator==(const Weekday& o) const { return ordinal == o.ordinal && day == o.day; }
    };
    // Each sorted, without repeats.
    std::vector<Weekday> byDay;
    std::vector<int> byMonth, byMonthDay, byYearDay, byWeekNo, byHour, byMinute, bySecond, bySetPos;
};

// The rule, or nothing for one that breaks the rules of its parts or repeats more
// often than daily.  Parts of other programs' own (X-...) are passed over.
std::optional<RecurrenceRule> ParseRecurrenceRule(std::string_view text);

// What the expansion asks of the event's time frame: an occurrence's local
// wall-clock time on this machine, whether it lies after the rule's UNTIL, and
// whether an EXDATE takes it out.
struct OccurrenceTests {
    std::function<CivilTime(const CivilTime&)> toLocal;
    std::function<bool(const CivilTime&)> pastEnd;
    std::function<bool(const CivilTime&)> excluded;
};

// The first occurrence from `start` (which always counts as the first) whose
// local date is `today` or later, excluded ones passed over; when none is left,
// the last one.  The work is bounded: a rule that never matches ends as if its
// occurrences had run out, long before it could hang the import.
CivilTime NextRuleOccurrence(const CivilTime& start, const RecurrenceRule& rule,
                             const CivilTime& today, const OccurrenceTests& tests);

// An entry's repeat rule and the date it counts from.
struct EntryRepeat {
    RepeatRule rule = RepeatRule::None;
    CivilDate anchor;
};

// The entry's rule when `rule` from `start` gives the entry's dates: a plain
// daily, weekly, monthly (up to the 28th) or yearly rule, BY parts that only say
// the start's own day, and the forms RepeatRuleText writes.  A plain yearly rule
// from 29 February is the entry's yearly one too, common years falling where the
// user chose.
std::optional<EntryRepeat> AsEntryRepeat(const RecurrenceRule& rule, const CivilTime& start);

// The RRULE value that gives an entry's dates from DTSTART at its first date (the
// anchor, on its month's last day when the month lacks the anchor's), and that
// AsEntryRepeat takes back; empty without a rule.
std::string RepeatRuleText(RepeatRule rule, const CivilDate& anchor, LeapDayRule leapDay);

}  // namespace plover::ical
