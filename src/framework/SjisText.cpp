#include "framework/SjisText.h"

namespace plover {

int SjisByteLength(std::wstring_view text)
{
    int bytes = 0;
    for (wchar_t c : text) {
        const auto code = static_cast<unsigned long>(c);
        const bool single = code < 0x80 || (code >= 0xFF61 && code <= 0xFF9F);
        bytes += single ? 1 : 2;
    }
    return bytes;
}

std::size_t SjisFitLength(std::string_view bytes, std::size_t maxBytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t width = IsSjisLeadByte(static_cast<unsigned char>(bytes[i])) ? 2 : 1;
        if (i + width > maxBytes || i + width > bytes.size())
            break;
        i += width;
    }
    return i;
}

FieldFit FitFieldChange(std::wstring_view before, std::wstring_view after,
                        std::size_t maxBytes, SjisWidthOf widthOf)
{
    // The change is what lies between the longest common start and end.
    std::size_t head = 0;
    while (head < before.size() && head < after.size() && before[head] == after[head])
        ++head;
    std::size_t tail = 0;
    while (tail < before.size() - head && tail < after.size() - head &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    const std::wstring_view start = after.substr(0, head);
    const std::wstring_view inserted = after.substr(head, after.size() - head - tail);
    const std::wstring_view end = after.substr(after.size() - tail);

    std::size_t used = 0;
    for (const std::wstring_view kept : {start, end})
        for (wchar_t c : kept)
            used += static_cast<std::size_t>(widthOf(c) > 0 ? widthOf(c) : 2);

    FieldFit fit;
    fit.text.assign(start);
    for (wchar_t c : inserted) {
        const int width = widthOf(c);
        if (width <= 0) {
            fit.unstorable = true;
            continue;
        }
        if (used + static_cast<std::size_t>(width) > maxBytes) {
            fit.tooLong = true;
            break;
        }
        used += static_cast<std::size_t>(width);
        fit.text.push_back(c);
    }
    fit.caret = fit.text.size();
    fit.text.append(end);
    return fit;
}

}  // namespace plover
