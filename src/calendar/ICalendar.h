// iCalendar (RFC 5545) files in and out of the schedule.  Out: every entry as an
// event of one calendar, texts from code page 932 to UTF-8.  In: every event of a
// file as a candidate entry, its start in the machine's local time (a recurring
// one at its next date, with the rule when the entry can keep it), its texts cut
// to the entry's fields in code page 932.
// Nothing here touches a file or a window; the machine's clock and time zone come
// in as arguments.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/ICalendarTime.h"
#include "framework/Cp932Codec.h"
#include "schedule/ScheduleFile.h"

namespace plover::ical {

// ---- export

struct ExportCounts {
    std::size_t written = 0;
    // Entries whose date or time is no real moment (31 February, hour 24): an
    // iCalendar file cannot hold them, so they are left out, never bent.
    std::size_t skippedBadDate = 0;
    // Bytes of names and descriptions that are no code page 932 character, each
    // written as U+FFFD.
    std::size_t replaced = 0;
};

// Hands the file to `sink` in pieces of about a megabyte; false when the sink
// refused one.  `stampUtc` is the moment of the export (DTSTAMP).
using ExportSink = std::function<bool(const char* data, std::size_t size)>;
// An entry's repeat rule goes out as a rule from its anchor that gives the same
// dates; `leapDay` says which form a yearly 29 February takes.
bool WriteCalendar(const CScheduleList& list, const CivilTime& stampUtc, const ICp932Codec& codec,
                   LeapDayRule leapDay, const ExportSink& sink, ExportCounts& counts);
std::string WriteCalendar(const CScheduleList& list, const CivilTime& stampUtc,
                          const ICp932Codec& codec, LeapDayRule leapDay, ExportCounts& counts);

// The UID of each entry: the same entry gets the same one at every export, since it
// is made from the entry's contents and, among identical entries, from which of them
// it is; any two entries of one schedule get different ones.
std::vector<std::string> EntryUids(const CScheduleList& list);

// ---- import

struct Candidate {
    std::uint16_t year = 0;
    std::uint16_t month = 0;
    std::uint16_t day = 0;
    std::uint16_t hour = 0;
    std::uint16_t minute = 0;
    std::string name;            // code page 932, at most 127 bytes
    std::string description;     // code page 932, at most 255 bytes, CR LF line ends
    std::uint32_t replaced = 0;  // characters the code page lacks, now "？"
    bool cut = false;            // a text was too long, or the name had line breaks
    // A rule that gives an entry's own dates is kept as the entry's, counting from
    // the event's start; the date above is then its next occurrence.
    RepeatRule repeat = RepeatRule::None;
    CivilDate anchor;
    bool Changed() const { return replaced != 0 || cut; }
};

// Why an event was left out.
enum class SkipReason { NoStart, BadStart, OutOfRange, BadLine, Count };

struct Skipped {
    std::size_t count = 0;
    std::size_t firstLine = 0;  // line of the file where the first such event begins
};

enum class ReadError {
    None,
    NotText,       // control bytes a text file does not have
    NotCalendar,   // does not begin with BEGIN:VCALENDAR
    Unterminated,  // ends inside a component
    Malformed,     // a BEGIN or END that does not pair, or content outside a calendar
};

struct ReadResult {
    ReadError error = ReadError::None;
    std::size_t errorLine = 0;
    std::vector<Candidate> candidates;  // in the file's order
    Skipped skipped[static_cast<int>(SkipReason::Count)];
    std::size_t SkippedTotal() const;
};

struct ReadContext {
    CivilTime today;  // local date; recurring events take their next date from it
    // Local wall-clock time of a UTC moment on this machine.
    std::function<CivilTime(const CivilTime& utc)> utcToLocal;
    // Where a kept yearly rule from 29 February falls in common years.
    LeapDayRule leapDay = LeapDayRule::February28;
};

ReadResult ReadCalendar(std::string_view bytes, const ICp932Codec& codec,
                        const ReadContext& context);

// Which candidates start checked: not those before today, nor those the schedule
// (or an earlier candidate) holds already with the same date, time and name.
std::vector<char> InitialChecks(const std::vector<Candidate>& candidates,
                                const CScheduleList& schedule, const CivilTime& today);

// The entry a candidate becomes: no picture.
void ToEntry(const Candidate& candidate, CPloverFile& entry);

}  // namespace plover::ical
