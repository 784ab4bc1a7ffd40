#include <string>

#include <gtest/gtest.h>

#include "schedule/ScheduleEdits.h"

using namespace plover;

namespace {

CScheduleList Named(std::initializer_list<const char*> names)
{
    CScheduleList list;
    for (const char* name : names) {
        auto entry = std::make_unique<CPloverFile>();
        CPloverFile::SetText(entry->m_szName, sizeof entry->m_szName, name);
        CPloverFile::SetText(entry->m_szDescription, sizeof entry->m_szDescription, "");
        CPloverFile::SetText(entry->m_szBmpFile, sizeof entry->m_szBmpFile, "");
        list.push_back(std::move(entry));
    }
    return list;
}

std::string NameAt(const CScheduleList& list, std::int32_t index)
{
    return std::string(list.at(static_cast<std::size_t>(index))->Name());
}

}  // namespace

TEST(ScheduleEdits, DeletingKeepsTheTargetEntryOrPassesItOn)
{
    struct Case {
        std::int32_t target;
        std::size_t deleted;
        const char* expectedTarget;  // null: the list is empty
        bool targetChanged;
    } cases[] = {
        {2, 0, "C", false},  // before the target: the same entry, one index lower
        {0, 2, "A", false},  // after it: nothing moves
        {1, 1, "A", true},   // the target itself: the entry before it
        {0, 0, "B", true},   // the first entry while it is the target: the new first
    };
    for (const Case& c : cases) {
        CScheduleList list = Named({"A", "B", "C"});
        std::int32_t target = c.target;
        const ScheduleChange change = DeleteEntry(list, target, c.deleted);
        EXPECT_EQ(list.size(), 2u);
        EXPECT_EQ(NameAt(list, target), c.expectedTarget) << c.target << " " << c.deleted;
        EXPECT_TRUE(Has(change, ScheduleChange::Entries));
        EXPECT_EQ(Has(change, ScheduleChange::Target), c.targetChanged) << c.target << " " << c.deleted;
    }

    CScheduleList last = Named({"A"});
    std::int32_t target = 0;
    EXPECT_TRUE(Has(DeleteEntry(last, target, 0), ScheduleChange::Target));
    EXPECT_TRUE(last.empty());
    EXPECT_EQ(target, 0) << "an emptied list has index 0";
}

TEST(ScheduleEdits, AppendReplaceAndSelectSayWhatTheyChanged)
{
    CScheduleList list;
    std::int32_t target = 0;
    CScheduleList source = Named({"first", "second"});
    // The first entry of an empty list is the target index 0 already names.
    EXPECT_EQ(AppendEntry(list, target, *source[0]), ScheduleChange::Entries | ScheduleChange::Target);
    EXPECT_EQ(AppendEntry(list, target, *source[1]), ScheduleChange::Entries);
    EXPECT_EQ(NameAt(list, 1), "second");
    EXPECT_NE(list[1].get(), source[1].get()) << "the list keeps a copy";

    // Copies follow the copy rule: bytes after a text's zero are not carried over.
    source[0]->m_szName[100] = 'x';
    EXPECT_EQ(ReplaceEntry(list, target, 1, *source[0]), ScheduleChange::Entries);
    EXPECT_EQ(list[1]->m_szName[100], 0);
    EXPECT_EQ(ReplaceEntry(list, target, 0, *source[1]), ScheduleChange::Entries | ScheduleChange::Target);

    EXPECT_EQ(SelectTarget(list, target, 1), ScheduleChange::Target);
    EXPECT_EQ(target, 1);
    EXPECT_EQ(SelectTarget(list, target, 1), ScheduleChange::None);
    EXPECT_EQ(SelectTarget(list, target, 2), ScheduleChange::None) << "no such entry";
    EXPECT_EQ(SelectTarget(list, target, -1), ScheduleChange::None);
    EXPECT_EQ(target, 1);

    const CScheduleList working = Named({"X", "Y", "Z"});
    EXPECT_EQ(ReplaceSchedule(list, target, working, 2), ScheduleChange::Entries | ScheduleChange::Target);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(NameAt(list, target), "Z");
    EXPECT_NE(list[2].get(), working[2].get());
}
