// The edits the schedule dialogs make to the document's list and target index,
// and what each one changed, so the window refreshes only that.  Entries come in
// and go out by the entry's copy rule (each text up to its first zero byte, the
// rest of its buffer zero-filled).
#pragma once

#include <cstddef>
#include <cstdint>

#include "schedule/ScheduleFile.h"

namespace plover {

// What an edit changed: the entries (this month's list follows) and the target
// (which entry it is, or its date or picture: the days left, the countdown, the
// picture and the clock's target moment follow).
enum class ScheduleChange : unsigned {
    None = 0,
    Entries = 1,
    Target = 2,
};

constexpr ScheduleChange operator|(ScheduleChange a, ScheduleChange b)
{
    return static_cast<ScheduleChange>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}

constexpr bool Has(ScheduleChange set, ScheduleChange part)
{
    return (static_cast<unsigned>(set) & static_cast<unsigned>(part)) != 0;
}

// The target index after the entry at `deleted` is removed, leaving `countAfter`
// entries.  An entry before the target keeps the same entry as target; the target
// itself passes it to the entry before it, or to the new first entry when it was
// first; an emptied list has index 0.
std::int32_t TargetAfterDelete(std::int32_t target, std::size_t deleted, std::size_t countAfter);

// A copy of `entry` at the tail.  The target index stays; it names the new entry
// only when it pointed just past the old tail (an empty list and index 0).
ScheduleChange AppendEntry(CScheduleList& list, std::int32_t target, const CPloverFile& entry);

// Copies of `entries` at the tail, in their order; the target index stays as in
// AppendEntry.  Nothing changes for an empty `entries`.
ScheduleChange AppendEntries(CScheduleList& list, std::int32_t target, const CScheduleList& entries);

// The entry at `index` (which must exist) takes the fields of `entry`.
ScheduleChange ReplaceEntry(CScheduleList& list, std::int32_t target, std::size_t index,
                            const CPloverFile& entry);

// Removes the entry at `index` (which must exist) and moves the target by
// TargetAfterDelete.
ScheduleChange DeleteEntry(CScheduleList& list, std::int32_t& target, std::size_t index);

// The whole list replaced by copies of `entries`, and the target set: what the
// edit and delete dialogs hand back on OK.
ScheduleChange ReplaceSchedule(CScheduleList& list, std::int32_t& target,
                               const CScheduleList& entries, std::int32_t newTarget);

// Another entry made the target; an index naming no entry changes nothing.
ScheduleChange SelectTarget(const CScheduleList& list, std::int32_t& target, std::int32_t index);

// A copy of `entry` by the copy rule, on the heap as the list keeps it.
std::unique_ptr<CPloverFile> CopyEntry(const CPloverFile& entry);
// Copies of every entry of `list`, in its order: the dialogs' working copies.
CScheduleList CopySchedule(const CScheduleList& list);

}  // namespace plover
