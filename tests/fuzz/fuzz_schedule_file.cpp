// Fuzzes the schedule file reader: any bytes must read without a fault, make exactly
// the entries the bytes hold, and a file that reads completely must write back byte
// for byte when it is a plain one, and keep its rules through a round trip when it
// has a trailer.  A plain file gets rules made from its own bytes, so the writer's
// trailer is tried at every size and with any rule and anchor too.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "schedule/ScheduleFile.h"

namespace {

bool SameRules(const plover::CScheduleList& a, const plover::CScheduleList& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i]->m_Repeat != b[i]->m_Repeat)
            return false;
        // An anchor means nothing without a rule, and a file without rules keeps none.
        if (a[i]->m_Repeat != plover::RepeatRule::None &&
            (a[i]->m_wAnchorYear != b[i]->m_wAnchorYear || a[i]->m_wAnchorMonth != b[i]->m_wAnchorMonth ||
             a[i]->m_wAnchorDay != b[i]->m_wAnchorDay))
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    plover::ScheduleHeader header;
    plover::CScheduleList list;
    const auto result = plover::ReadSchedule(data, size, header, list);
    if (size >= 8 && header.count > 0 &&
        list.size() != std::min<std::uint64_t>(static_cast<std::uint64_t>(header.count),
                                                (size - 8) / plover::CPloverFile::kRecordSize))
        std::abort();
    bool repeats = false;
    for (const auto& entry : list) {
        if (entry->Name().size() > plover::CPloverFile::kNameSize)
            std::abort();
        repeats = repeats || entry->m_Repeat != plover::RepeatRule::None;
    }
    const bool exact = size >= 8 && header.count >= 0 &&
                       size == plover::ScheduleFileSize(static_cast<std::uint64_t>(header.count));
    if (result == plover::ScheduleReadResult::Complete && exact) {
        const auto image = plover::WriteSchedule(header.target, list);
        if (image.size() != size || std::memcmp(image.data(), data, size) != 0)
            std::abort();
    }
    if (result == plover::ScheduleReadResult::Complete) {
        for (auto& entry : list) {
            if (repeats)
                break;
            entry->m_Repeat = static_cast<plover::RepeatRule>(entry->m_wReserved % 5);
            entry->m_wAnchorYear = entry->m_wYear;
            entry->m_wAnchorMonth = entry->m_wMonth;
            entry->m_wAnchorDay = entry->m_wDay;
        }
        const auto image = plover::WriteSchedule(header.target, list);
        plover::ScheduleHeader again;
        plover::CScheduleList back;
        if (plover::ReadSchedule(image.data(), image.size(), again, back) !=
                plover::ScheduleReadResult::Complete ||
            !SameRules(list, back) || plover::WriteSchedule(again.target, back) != image)
            std::abort();
    }
    return 0;
}
