#include "schedule/ScheduleFile.h"

#include <algorithm>
#include <array>
#include <cstring>

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

constexpr std::uint8_t kTrailerMagic[4] = {'P', 'V', 'D', 'R'};
constexpr std::uint16_t kTrailerVersion = 1;
constexpr std::size_t kTrailerHead = 12;
constexpr std::size_t kTrailerItem = 8;

// CRC-32 as zip and PNG use it, so a trailer can be checked with any tool.
constexpr std::array<std::uint32_t, 256> MakeCrcTable()
{
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}
constexpr auto kCrcTable = MakeCrcTable();

// Running value without the final inversion: start at 0xFFFFFFFF, invert at the end.
std::uint32_t CrcUpdate(std::uint32_t crc, const std::uint8_t* data, std::size_t size)
{
    for (std::size_t i = 0; i < size; ++i)
        crc = kCrcTable[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return crc;
}

void PutItem(std::uint8_t* p, const CPloverFile& entry)
{
    WriteLe16(p, static_cast<std::uint16_t>(entry.m_Repeat));
    WriteLe16(p + 2, entry.m_wAnchorYear);
    WriteLe16(p + 4, entry.m_wAnchorMonth);
    WriteLe16(p + 6, entry.m_wAnchorDay);
}

// The rules of the `count` entries from `first` on, when the bytes after their
// records are their trailer; anything else there is left as the bytes of an older
// program were: ignored.
void ReadTrailer(const std::uint8_t* data, std::size_t size, std::int32_t count,
                 CScheduleList& list, std::size_t first)
{
    const std::uint64_t wanted = ScheduleTrailerSize(static_cast<std::uint64_t>(count));
    if (size < wanted || std::memcmp(data, kTrailerMagic, sizeof kTrailerMagic) != 0 ||
        ReadLe16(data + 4) != kTrailerVersion || TakeInt32(data + 8) != count)
        return;
    const std::size_t body = static_cast<std::size_t>(wanted) - 4;
    if ((CrcUpdate(0xFFFFFFFFu, data, body) ^ 0xFFFFFFFFu) != ReadLe32(data + body))
        return;
    const std::uint8_t* item = data + kTrailerHead;
    for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i, item += kTrailerItem) {
        CPloverFile& entry = *list[first + i];
        const std::uint16_t rule = ReadLe16(item);
        // A rule of a later version reads as none: the entry keeps its own date.
        entry.m_Repeat = rule <= static_cast<std::uint16_t>(RepeatRule::Daily)
                             ? static_cast<RepeatRule>(rule)
                             : RepeatRule::None;
        entry.m_wAnchorYear = ReadLe16(item + 2);
        entry.m_wAnchorMonth = ReadLe16(item + 4);
        entry.m_wAnchorDay = ReadLe16(item + 6);
    }
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
    const std::size_t first = list.size();
    const std::uint8_t* record = data + 8;
    for (std::size_t i = 0; i < records; ++i, record += CPloverFile::kRecordSize) {
        list.push_back(std::make_unique<CPloverFile>(record));
    }
    if (records < wanted)
        return ScheduleReadResult::EndOfFile;
    ReadTrailer(record, size - static_cast<std::size_t>(record - data), header.count, list, first);
    return ScheduleReadResult::Complete;
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
    const bool repeats = std::any_of(list.begin(), list.end(), [](const auto& entry) {
        return entry->m_Repeat != RepeatRule::None;
    });
    if (!repeats)
        return filled == 0 || sink(piece.data(), filled);

    // The trailer goes through the same pieces as the records, so the file gets
    // both in the one write that replaces it.
    std::uint32_t crc = 0xFFFFFFFFu;
    const auto put = [&](const std::uint8_t* bytes, std::size_t size, bool checked) {
        if (checked)
            crc = CrcUpdate(crc, bytes, size);
        while (size > 0) {
            const std::size_t part = std::min(size, piece.size() - filled);
            std::memcpy(piece.data() + filled, bytes, part);
            filled += part;
            bytes += part;
            size -= part;
            if (filled == piece.size()) {
                if (!sink(piece.data(), filled))
                    return false;
                filled = 0;
            }
        }
        return true;
    };
    std::uint8_t head[kTrailerHead];
    std::memcpy(head, kTrailerMagic, sizeof kTrailerMagic);
    WriteLe16(head + 4, kTrailerVersion);
    WriteLe16(head + 6, 0);
    PutInt32(head + 8, static_cast<std::int32_t>(list.size()));
    if (!put(head, sizeof head, true))
        return false;
    for (const auto& entry : list) {
        std::uint8_t item[kTrailerItem];
        PutItem(item, *entry);
        if (!put(item, sizeof item, true))
            return false;
    }
    std::uint8_t check[4];
    WriteLe32(check, crc ^ 0xFFFFFFFFu);
    return put(check, sizeof check, false) && (filled == 0 || sink(piece.data(), filled));
}

std::vector<std::uint8_t> WriteSchedule(std::int32_t target, const CScheduleList& list)
{
    std::vector<std::uint8_t> image;
    image.reserve(ScheduleFileSize(list.size()) + ScheduleTrailerSize(list.size()));
    WriteSchedule(target, list, [&image](const std::uint8_t* data, std::size_t size) {
        image.insert(image.end(), data, data + size);
        return true;
    });
    return image;
}

}  // namespace plover
