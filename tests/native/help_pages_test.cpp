#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "app/HelpPages.h"

using namespace plover;

TEST(HelpPages, PagesFollowTheirMarkLinesWithoutTheBlankLinesAround)
{
    const auto pages = ParseHelpPages(
        "# a note\n== 7 First\n\nline one\r\nline two\n\n==x not a page\n== 9 Second\nonly\n");
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].id, 7);
    EXPECT_EQ(pages[0].title, "First");
    EXPECT_EQ(pages[0].body, "line one\r\nline two\r\n\r\n==x not a page");
    EXPECT_EQ(pages[1].body, "only");
    EXPECT_EQ(HelpPageIndex(pages, 9), 1u);
    EXPECT_EQ(HelpPageIndex(pages, 0x20080), 0u) << "an unknown topic shows the first page";
    EXPECT_TRUE(ParseHelpPages("no pages at all\n").empty());
}

TEST(HelpPages, TheProgramsHelpHasEveryPageAskedForByNumber)
{
    std::ifstream file(PLOVER_TEST_DATA "/../../src/res/help/Plover.help", std::ios::binary);
    ASSERT_TRUE(file);
    std::stringstream text;
    text << file.rdbuf();
    const auto pages = ParseHelpPages(text.str());
    ASSERT_FALSE(pages.empty());
    EXPECT_EQ(pages.front().id, kHelpContents) << "the contents come first";
    std::set<int> ids;
    for (const HelpPage& page : pages) {
        EXPECT_TRUE(ids.insert(page.id).second) << "page " << page.id << " twice";
        EXPECT_FALSE(page.title.empty());
        EXPECT_FALSE(page.body.empty()) << page.title;
    }
    EXPECT_TRUE(ids.count(kHelpAstronomy));
    EXPECT_TRUE(ids.count(kHelpOptions));
}
