// The pages of Plover's help, read from the help text kept in its resources: a
// page starts with a line "== NUMBER TITLE" and holds the lines after it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace plover {

// Asked for by number: the contents, the astronomy pages, the options sheet.
inline constexpr int kHelpContents = 1;
inline constexpr int kHelpAstronomy = 101;
inline constexpr int kHelpOptions = 102;

struct HelpPage {
    int id;
    std::string title;  // UTF-8
    std::string body;   // UTF-8, lines ended by "\r\n", no blank lines at either end
};

// The pages in the order of the text.  Lines before the first page are notes;
// a page line without a number starts no page.
std::vector<HelpPage> ParseHelpPages(std::string_view text);

// The index of page `id`, or of the first page when there is none such.
std::size_t HelpPageIndex(const std::vector<HelpPage>& pages, int id);

}  // namespace plover
