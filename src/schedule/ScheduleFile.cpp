#include "schedule/ScheduleFile.h"

#include <algorithm>

#include "framework/LittleEndian.h"

namespace plover {

namespace {

std::int32_t TakeInt32(const std::uint8_t* p)
{
    return static_cast<std::int32_t>(ReadLe32(p));
}

void PutInt32(std::uint8_t* p, std::int32_t value)
{
    WriteLe32(p, static_cast<std::uint32_t>(value));
}

}  // namespace

ScheduleReadResult ReadSchedule(const std::uint8_t* data, std::size_t size,
                                ScheduleHeader& header, CScheduleList& list)
{
    if (size == 0)
        return ScheduleReadResult::Complete;
    if (size < 4)
        return ScheduleReadResult::EndOfFile;
    header.count = TakeInt32(data);
    if (size < 8)
        return ScheduleReadResult::EndOfFile;
    header.target = TakeInt32(data + 4);
    if (header.count <= 0)
        return ScheduleReadResult::Complete;

    const std::size_t wanted = static_cast<std::size_t>(header.count);
    const std::size_t present = (size - 8) / CPloverFile::kRecordSize;
    const std::size_t records = wanted < present ? wanted : present;
    list.reserve(list.size() + records);
    const std::uint8_t* record = data + 8;
    for (std::size_t i = 0; i < records; ++i, record += CPloverFile::kRecordSize) {
        list.push_back(std::make_unique<CPloverFile>(record));
    }
    return records < wanted ? ScheduleReadResult::EndOfFile : ScheduleReadResult::Complete;
}

bool WriteSchedule(std::int32_t target, const CScheduleList& list, const ScheduleSink& sink)
{
    // About 64 KB: the heap reuses a block of that size, while a larger one comes
    // fresh from the system at every write, and first touching its pages costs
    // more than the write after an OK itself on some machines.
    constexpr std::size_t kRecordsPerPiece = 100;
    std::vector<std::uint8_t> piece(std::min(kRecordsPerPiece, std::max<std::size_t>(list.size(), 1)) *
                                    CPloverFile::kRecordSize);
    std::uint8_t header[8];
    PutInt32(header, static_cast<std::int32_t>(list.size()));
    PutInt32(header + 4, target);
    if (!sink(header, sizeof header))
        return false;
    std::size_t filled = 0;
    for (const auto& entry : list) {
        entry->WriteRecord(piece.data() + filled);
        filled += CPloverFile::kRecordSize;
        if (filled == piece.size()) {
            if (!sink(piece.data(), filled))
                return false;
            filled = 0;
        }
    }
    return filled == 0 || sink(piece.data(), filled);
}

std::vector<std::uint8_t> WriteSchedule(std::int32_t target, const CScheduleList& list)
{
    std::vector<std::uint8_t> image;
    image.reserve(ScheduleFileSize(list.size()));
    WriteSchedule(target, list, [&image](const std::uint8_t* data, std::size_t size) {
        image.insert(image.end(), data, data + size);
        return true;
    });
    return image;
}

}  // namespace plover
