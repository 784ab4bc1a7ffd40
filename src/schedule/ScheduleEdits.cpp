#include "schedule/ScheduleEdits.h"

namespace plover {

std::unique_ptr<CPloverFile> CopyEntry(const CPloverFile& entry)
{
    auto copy = std::make_unique<CPloverFile>();
    copy->CopyFrom(entry);
    return copy;
}

CScheduleList CopySchedule(const CScheduleList& list)
{
    CScheduleList copies;
    copies.reserve(list.size());
    for (const auto& entry : list)
        copies.push_back(CopyEntry(*entry));
    return copies;
}

std::int32_t TargetAfterDelete(std::int32_t target, std::size_t deleted, std::size_t countAfter)
{
    if (countAfter == 0)
        return 0;
    if (target >= 0 && static_cast<std::size_t>(target) >= deleted)
        --target;
    return target < 0 ? 0 : target;
}

ScheduleChange AppendEntry(CScheduleList& list, std::int32_t target, const CPloverFile& entry)
{
    list.push_back(CopyEntry(entry));
    const bool namesNewEntry = target >= 0 && static_cast<std::size_t>(target) == list.size() - 1;
    return namesNewEntry ? ScheduleChange::Entries | ScheduleChange::Target : ScheduleChange::Entries;
}

ScheduleChange AppendEntries(CScheduleList& list, std::int32_t target, const CScheduleList& entries)
{
    if (entries.empty())
        return ScheduleChange::None;
    const std::size_t before = list.size();
    list.reserve(before + entries.size());
    for (const auto& entry : entries)
        list.push_back(CopyEntry(*entry));
    const bool namesNewEntry = target >= 0 && static_cast<std::size_t>(target) >= before &&
                               static_cast<std::size_t>(target) < list.size();
    return namesNewEntry ? ScheduleChange::Entries | ScheduleChange::Target : ScheduleChange::Entries;
}

ScheduleChange ReplaceEntry(CScheduleList& list, std::int32_t target, std::size_t index,
                            const CPloverFile& entry)
{
    list.at(index)->CopyFrom(entry);
    const bool isTarget = target >= 0 && static_cast<std::size_t>(target) == index;
    return isTarget ? ScheduleChange::Entries | ScheduleChange::Target : ScheduleChange::Entries;
}

ScheduleChange DeleteEntry(CScheduleList& list, std::int32_t& target, std::size_t index)
{
    const CPloverFile* const before = target >= 0 && static_cast<std::size_t>(target) < list.size()
                                          ? list[static_cast<std::size_t>(target)].get()
                                          : nullptr;
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(index));
    target = TargetAfterDelete(target, index, list.size());
    const CPloverFile* const after = static_cast<std::size_t>(target) < list.size()
                                         ? list[static_cast<std::size_t>(target)].get()
                                         : nullptr;
    return before == after ? ScheduleChange::Entries
                           : ScheduleChange::Entries | ScheduleChange::Target;
}

ScheduleChange ReplaceSchedule(CScheduleList& list, std::int32_t& target,
                               const CScheduleList& entries, std::int32_t newTarget)
{
    list = CopySchedule(entries);
    target = newTarget;
    return ScheduleChange::Entries | ScheduleChange::Target;
}

ScheduleChange SelectTarget(const CScheduleList& list, std::int32_t& target, std::int32_t index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= list.size() || index == target)
        return ScheduleChange::None;
    target = index;
    return ScheduleChange::Target;
}

}  // namespace plover
