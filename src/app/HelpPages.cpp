#include "app/HelpPages.h"

namespace plover {

namespace {

constexpr std::string_view kPageMark = "== ";

// "NUMBER TITLE" after the mark: the number, and the title after it.
bool ReadPageLine(std::string_view line, HelpPage& page)
{
    std::size_t at = 0;
    int id = 0;
    for (; at < line.size() && line[at] >= '0' && line[at] <= '9' && id < 100000; ++at)
        id = id * 10 + (line[at] - '0');
    if (at == 0 || at >= line.size() || line[at] != ' ')
        return false;
    page = HelpPage{id, std::string(line.substr(at + 1)), {}};
    return true;
}

void TrimBlankLines(std::string& body)
{
    while (body.size() >= 2 && body.compare(body.size() - 2, 2, "\r\n") == 0)
        body.erase(body.size() - 2);
    while (body.compare(0, 2, "\r\n") == 0)
        body.erase(0, 2);
}

}  // namespace

std::vector<HelpPage> ParseHelpPages(std::string_view text)
{
    std::vector<HelpPage> pages;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        HelpPage page;
        if (line.substr(0, kPageMark.size()) == kPageMark &&
            ReadPageLine(line.substr(kPageMark.size()), page)) {
            if (!pages.empty())
                TrimBlankLines(pages.back().body);
            pages.push_back(std::move(page));
        } else if (!pages.empty()) {
            pages.back().body.append(line).append("\r\n");
        }
    }
    if (!pages.empty())
        TrimBlankLines(pages.back().body);
    return pages;
}

std::size_t HelpPageIndex(const std::vector<HelpPage>& pages, int id)
{
    for (std::size_t i = 0; i < pages.size(); ++i)
        if (pages[i].id == id)
            return i;
    return 0;
}

}  // namespace plover
