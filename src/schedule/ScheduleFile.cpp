#include "schedule/ScheduleFile.h"

namespace plover {

namespace {

std::int32_t TakeInt32(const std::uint8_t* p)
{
    const std::uint32_t value = static_cast<std::uint32_t>(p[0]) |
                                (static_cast<std::uint32_t>(p[1]) << 8) |
                                (static_cast<std::uint32_t>(p[2]) << 16) |
                                (static_cast<std::uint32_t>(p[3]) << 24);
    return static_cast<std::int32_t>(value);
}

void PutInt32(std::uint8_t* p, std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(bits >> (8 * i));
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
        auto entry = std::make_unique<CPloverFile>();
        entry->ReadRecord(record);
        list.push_back(std::move(entry));
    }
    return records < wanted ? ScheduleReadResult::EndOfFile : ScheduleReadResult::Complete;
}

std::vector<std::uint8_t> WriteSchedule(std::int32_t target, const CScheduleList& list)
{
    std::vector<std::uint8_t> image(ScheduleFileSize(list.size()));
    PutInt32(image.data(), static_cast<std::int32_t>(list.size()));
    PutInt32(image.data() + 4, target);
    std::uint8_t* record = image.data() + 8;
    for (const auto& entry : list) {
        entry->WriteRecord(record);
        record += CPloverFile::kRecordSize;
    }
    return image;
}

}  // namespace plover
