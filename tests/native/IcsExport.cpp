// Writes a schedule file as an iCalendar file, as the export command does, with a
// fixed export moment: for checking the file with other programs' readers.
//   plover_ics_export SCHEDULE.pvd OUT.ics
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "calendar/ICalendar.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: plover_ics_export SCHEDULE OUT\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    plover::ScheduleHeader header;
    plover::CScheduleList list;
    plover::ReadSchedule(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), header, list);
    plover::ical::ExportCounts counts;
    const std::string file = plover::ical::WriteCalendar(list, plover::ical::CivilTime{2026, 6, 15, 12},
                                                         plover::Cp932(), plover::LeapDayRule::February28, counts);
    std::ofstream out(argv[2], std::ios::binary);
    out.write(file.data(), static_cast<std::streamsize>(file.size()));
    return out ? 0 : 1;
}
