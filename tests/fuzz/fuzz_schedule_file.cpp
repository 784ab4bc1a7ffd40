// Fuzzes the schedule file reader: any bytes must read without a fault, never make
// more entries than the bytes hold, and a file that reads completely must write
// back byte for byte.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "schedule/ScheduleFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    plover::ScheduleHeader header;
    plover::CScheduleList list;
    const auto result = plover::ReadSchedule(data, size, header, list);
    if (size >= 8 && list.size() > (size - 8) / plover::CPloverFile::kRecordSize)
        std::abort();
    for (const auto& entry : list) {
        if (entry->Name().size() > plover::CPloverFile::kNameSize)
            std::abort();
    }
    const bool exact = size >= 8 && header.count >= 0 &&
                       size == plover::ScheduleFileSize(static_cast<std::uint64_t>(header.count));
    if (result == plover::ScheduleReadResult::Complete && exact) {
        const auto image = plover::WriteSchedule(header.target, list);
        if (image.size() != size || std::memcmp(image.data(), data, size) != 0)
            std::abort();
    }
    return 0;
}
