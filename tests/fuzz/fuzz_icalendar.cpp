// Fuzzes the iCalendar reader: any bytes must read without a fault, every
// candidate must fit an entry (whole characters, a real date and time), and the
// candidates written out as a calendar must read back as the same entries, each
// repeat rule with its anchor.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "framework/SjisText.h"
#include "calendar/ICalendar.h"

using namespace plover;
using namespace plover::ical;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ReadContext context;
    context.today = CivilTime{2026, 6, 15};
    context.utcToLocal = [](const CivilTime& utc) { return AddSeconds(utc, -5 * 3600); };
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ReadResult read = ReadCalendar(bytes, Cp932(), context);
    if (read.error != ReadError::None && (!read.candidates.empty() || read.SkippedTotal() != 0))
        std::abort();
    CScheduleList list;
    for (const Candidate& c : read.candidates) {
        if (c.name.size() > 127 || c.description.size() > 255 ||
            SjisFitLength(c.name, 127) != c.name.size() ||
            SjisFitLength(c.description, 255) != c.description.size())
            std::abort();
        if (c.year < 1 || c.year > 9999 || c.month < 1 || c.month > 12 || c.day < 1 ||
            c.day > MonthLength(c.year, c.month) || c.hour > 23 || c.minute > 59)
            std::abort();
        auto entry = std::make_unique<CPloverFile>();
        ToEntry(c, *entry);
        list.push_back(std::move(entry));
    }
    ExportCounts counts;
    const std::string file = WriteCalendar(list, CivilTime{2026, 6, 15}, Cp932(), LeapDayRule::February28, counts);
    const ReadResult again = ReadCalendar(file, Cp932(), context);
    if (again.error != ReadError::None || again.candidates.size() != list.size())
        std::abort();
    for (std::size_t i = 0; i < list.size(); ++i) {
        CPloverFile entry;
        ToEntry(again.candidates[i], entry);
        std::uint8_t a[CPloverFile::kRecordSize], b[CPloverFile::kRecordSize];
        entry.WriteRecord(a);
        list[i]->WriteRecord(b);
        if (std::string_view(reinterpret_cast<char*>(a), sizeof a) !=
                std::string_view(reinterpret_cast<char*>(b), sizeof b) ||
            entry.m_Repeat != list[i]->m_Repeat || entry.Anchor() != list[i]->Anchor())
            std::abort();
    }
    return 0;
}
