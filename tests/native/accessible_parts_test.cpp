#include <gtest/gtest.h>

#include "view/AccessibleParts.h"

using namespace plover;

// Which changes of the shown panels a screen reader is told of: a new name of a
// part in its place, by its child id, and nothing else; parts that come or go
// reorder the children instead.
TEST(AccessibleParts, RenamedIdsOnlyWhereANameChangedAndReorderWhenPartsDiffer)
{
    const std::vector<AccessiblePart> shown = {
        {PartKind::Date, {0, 0, 10, 10}, L"今日は1996年5月12日(日)です"},
        {PartKind::Target, {0, 10, 10, 20}, L"卒業式まで あと5日です"},
        {PartKind::Clock, {0, 20, 10, 30}, L""},
    };
    std::vector<AccessiblePart> next = shown;
    next[2].rect.bottom = 40;  // moved, not renamed
    PartChanges c = CompareParts(shown, next);
    EXPECT_FALSE(c.reordered);
    EXPECT_TRUE(c.renamed.empty());

    next[1].name = L"卒業式まで あと4日です";
    c = CompareParts(shown, next);
    EXPECT_FALSE(c.reordered);
    EXPECT_EQ(c.renamed, std::vector<long>{2});

    next[0].name = L"今日は1996年5月13日(月)です";
    EXPECT_EQ(CompareParts(shown, next).renamed, (std::vector<long>{1, 2}));

    next.erase(next.begin());  // the date panel hidden
    c = CompareParts(shown, next);
    EXPECT_TRUE(c.reordered);
    EXPECT_TRUE(c.renamed.empty());
    next = shown;
    next[2].kind = PartKind::MonthList;  // the lower panel shows the list instead
    EXPECT_TRUE(CompareParts(shown, next).reordered);
}
