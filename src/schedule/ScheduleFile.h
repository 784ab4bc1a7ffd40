// The schedule file's byte layout: count and target index (signed 32-bit,
// little-endian), then one 652-byte record per entry, head first.  No header:
// files written by every earlier version must keep reading the same way.  Repeat
// rules follow the last record in a trailer that older readers never look at:
//   "PVDR", version (16-bit), the record count it belongs to (signed 32-bit),
//   one 8-byte item per entry (rule, anchor year, month, day, 16-bit each),
//   and the CRC-32 of everything before it in the trailer.
// A schedule without any rule has no trailer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "schedule/PloverFile.h"

namespace plover {

// The document's list: file order, new entries at the tail, the target a position
// in it.  Entries live on the heap so a pointer to the target stays valid while
// entries are appended.
using CScheduleList = std::vector<std::unique_ptr<CPloverFile>>;

struct ScheduleHeader {
    std::int32_t count = 0;
    std::int32_t target = 0;
};

enum class ScheduleReadResult {
    Complete,
    EndOfFile,  // the file ended inside the count, the index or a record
};

// Reads a whole file image, appending its entries to `list`.  A zero-length file
// reads nothing and leaves `header` alone; a short file keeps the fields and the
// entries read in full before its end.  Only as many records as the bytes hold are
// ever made, whatever the count says.  A trailer that does not belong to these
// records, or is cut short or damaged, is passed over: its rules are lost, never an
// entry.
ScheduleReadResult ReadSchedule(const std::uint8_t* data, std::size_t size,
                                ScheduleHeader& header, CScheduleList& list);

// The file image of `list` with `target` written as it is, unchecked; the trailer
// only when some entry repeats.
std::vector<std::uint8_t> WriteSchedule(std::int32_t target, const CScheduleList& list);

// The same image handed to `sink` in pieces of about a megabyte, so a large
// schedule is written without a second copy of it in memory.  Stops at the first
// piece the sink refuses and returns false then.
using ScheduleSink = std::function<bool(const std::uint8_t* data, std::size_t size)>;
bool WriteSchedule(std::int32_t target, const CScheduleList& list, const ScheduleSink& sink);

// Size of a file holding `count` entries, without the trailer.
constexpr std::uint64_t ScheduleFileSize(std::uint64_t count)
{
    return 8 + count * CPloverFile::kRecordSize;
}

// Size of the trailer of `count` entries.
constexpr std::uint64_t ScheduleTrailerSize(std::uint64_t count)
{
    return 16 + count * 8;
}

}  // namespace plover
