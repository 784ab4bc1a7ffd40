#include "framework/FileErrors.h"

namespace plover {

std::wstring FormatMessageText(std::wstring_view pattern, std::wstring_view value)
{
    std::wstring text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == L'%' && i + 1 < pattern.size() && pattern[i + 1] == L'1') {
            text.append(value);
            ++i;
        } else {
            text.push_back(pattern[i]);
        }
    }
    return text;
}

}  // namespace plover
