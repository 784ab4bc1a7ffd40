// The import's local times come from the machine's own time zone, read from the
// system: CTest runs this under several TZ values (wine_zone_* tests), each a
// process of its own, since a Wine process takes its zone from its start.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "calendar/CalendarTransfer.h"
#include "framework/Cp932Codec.h"

using namespace plover;

namespace {

struct ZoneCase {
    const char* zone;
    const char* start;  // the DTSTART line's parameters and value
    const char* local;
};

// Around each zone's 2027 changes, by UTC moments and by a New York time of the
// file's own zone.
const ZoneCase kCases[] = {
    {"Europe/Berlin", ":20270328T005900Z", "2027-03-28 01:59"},
    {"Europe/Berlin", ":20270328T010000Z", "2027-03-28 03:00"},  // 02:00 to 02:59 skipped
    {"Europe/Berlin", ";TZID=NY:20270327T213000", "2027-03-28 03:30"},
    {"Europe/Berlin", ":20271031T003000Z", "2027-10-31 02:30"},  // summer time
    {"Europe/Berlin", ":20271031T013000Z", "2027-10-31 02:30"},  // the same hour again
    {"Europe/Berlin", ";TZID=NY:20271030T213000", "2027-10-31 02:30"},
    {"Asia/Kolkata", ":20270105T000000Z", "2027-01-05 05:30"},
    {"Asia/Kolkata", ";TZID=NY:20270705T090000", "2027-07-05 18:30"},
    {"Australia/Sydney", ":20270105T000000Z", "2027-01-05 11:00"},  // summer in January
    {"Australia/Sydney", ":20270705T000000Z", "2027-07-05 10:00"},
    {"Australia/Sydney", ":20271002T155900Z", "2027-10-03 01:59"},
    {"Australia/Sydney", ":20271002T160000Z", "2027-10-03 03:00"},
    {"Australia/Sydney", ":20270403T153000Z", "2027-04-04 02:30"},
    {"Australia/Sydney", ":20270403T163000Z", "2027-04-04 02:30"},
    {"Australia/Sydney", ";TZID=NY:20270403T113000", "2027-04-04 02:30"},
};

}  // namespace

TEST(MachineZone, ImportedTimesAreTheMachinesLocalTimeAcrossItsChanges)
{
    char zone[64] = {};
    ::GetEnvironmentVariableA("TZ", zone, sizeof zone);
    std::string file =
        "BEGIN:VCALENDAR\r\nBEGIN:VTIMEZONE\r\nTZID:NY\r\n"
        "BEGIN:DAYLIGHT\r\nDTSTART:20070311T020000\r\nTZOFFSETFROM:-0500\r\nTZOFFSETTO:-0400\r\n"
        "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\r\nEND:DAYLIGHT\r\n"
        "BEGIN:STANDARD\r\nDTSTART:20071104T020000\r\nTZOFFSETFROM:-0400\r\nTZOFFSETTO:-0500\r\n"
        "RRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";
    std::vector<const ZoneCase*> cases;
    for (const ZoneCase& c : kCases) {
        if (std::string(c.zone) != zone)
            continue;
        cases.push_back(&c);
        file += std::string("BEGIN:VEVENT\r\nDTSTART") + c.start + "\r\nSUMMARY:x\r\nEND:VEVENT\r\n";
    }
    if (cases.empty())
        GTEST_SKIP() << "no cases for TZ=" << zone << " (the wine_zone_* tests set it)";
    file += "END:VCALENDAR\r\n";
    TIME_ZONE_INFORMATION machine{};
    ::GetTimeZoneInformation(&machine);
    ASSERT_NE(machine.Bias, 0) << "Wine did not take TZ=" << zone << ": no zone data on this machine?";
    const ical::ReadResult read = ical::ReadCalendar(file, Cp932(), MachineReadContext());
    ASSERT_EQ(read.candidates.size(), cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const ical::Candidate& c = read.candidates[i];
        char local[32];
        std::snprintf(local, sizeof local, "%04u-%02u-%02u %02u:%02u", c.year, c.month, c.day, c.hour,
                      c.minute);
        EXPECT_EQ(std::string(local), cases[i]->local) << zone << " " << cases[i]->start;
    }
}
