#include "calendar/ICalendar.h"

#include <algorithm>

#include "calendar/HashMix.h"
#include "calendar/ICalendarRule.h"

namespace plover::ical {

namespace {

// ---- text

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// UTF-16 as an escaped TEXT value in UTF-8.  CR LF, LF or CR is one line break;
// other control characters are not allowed in a file and become U+FFFD.
std::size_t AppendEscaped(std::string& out, std::u16string_view text)
{
    std::size_t replaced = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        switch (c) {
        case u'\\':
            out += "\\\\";
            continue;
        case u';':
            out += "\\;";
            continue;
        case u',':
            out += "\\,";
            continue;
        case u'\r':
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            out += "\\n";
            continue;
        case u'\n':
            out += "\\n";
            continue;
        default:
            break;
        }
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if ((c < 0x20 && c != u'\t') || c == 0x7F || (c >= 0xD800 && c <= 0xDFFF)) {
            c = kUnicodeReplacement;
            ++replaced;
        }
        AppendUtf8(out, c);
    }
    return replaced;
}

// `line` folded into lines of at most 75 octets, never inside a UTF-8 sequence.
void AppendFolded(std::string& out, std::string_view line)
{
    std::size_t limit = 75;
    while (line.size() > limit) {
        std::size_t cut = limit;
        while (cut > 1 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
            --cut;
        out.append(line.data(), cut);
        out += "\r\n ";
        line.remove_prefix(cut);
        limit = 74;  // the leading space counts
    }
    out.append(line.data(), line.size());
    out += "\r\n";
}

void AppendNumber(std::string& out, int value, int digits)
{
    char text[12];
    for (int i = digits - 1; i >= 0; --i, value /= 10)
        text[i] = static_cast<char>('0' + value % 10);
    out.append(text, static_cast<std::size_t>(digits));
}

void AppendDateTime(std::string& out, const CivilTime& t)
{
    AppendNumber(out, t.year, 4);
    AppendNumber(out, t.month, 2);
    AppendNumber(out, t.day, 2);
    out += 'T';
    AppendNumber(out, t.hour, 2);
    AppendNumber(out, t.minute, 2);
    AppendNumber(out, t.second, 2);
}

bool IsRealMoment(const CPloverFile& e)
{
    return e.m_wYear >= 1 && e.m_wYear <= 9999 && e.m_wMonth >= 1 && e.m_wMonth <= 12 &&
           e.m_wDay >= 1 && e.m_wDay <= MonthLength(e.m_wYear, e.m_wMonth) && e.m_wHour <= 23 &&
           e.m_wMinute <= 59;
}

struct Hash128 {
    std::uint64_t a;
    std::uint64_t b;
    bool operator==(const Hash128& other) const { return a == other.a && b == other.b; }
};

// Two independent 64-bit hashes of everything the user sees of an entry.
Hash128 ContentHash(const CPloverFile& e)
{
    std::uint64_t a = 0xCBF29CE484222325ull, b = 0x84222325CBF29CE4ull;
    const auto add = [&](unsigned char byte) {
        a = (a ^ byte) * 0x100000001B3ull;
        b = (b + byte + 1) * 0x9E3779B97F4A7C15ull;
        b ^= b >> 29;
    };
    for (std::uint16_t v : {e.m_wYear, e.m_wMonth, e.m_wDay, e.m_wHour, e.m_wMinute}) {
        add(static_cast<unsigned char>(v & 0xFF));
        add(static_cast<unsigned char>(v >> 8));
    }
    for (std::string_view text : {e.Name(), e.Description(), e.BmpFile()}) {
        for (char c : text)
            add(static_cast<unsigned char>(c));
        add(0);
    }
    return Hash128{detail::Mix(a), detail::Mix(b)};
}

void AppendHex(std::string& out, std::uint64_t value)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    for (int shift = 60; shift >= 0; shift -= 4)
        out.push_back(kDigits[(value >> shift) & 0xF]);
}

// ---- UIDs

// Each entry's content hash and which of the entries with that hash it is, in list
// order.  Sorted once rather than counted in a map: a map's node for every entry
// costs more than the rest of an export of a large schedule.
struct UidParts {
    std::vector<Hash128> hashes;
    std::vector<std::uint32_t> ordinals;
};

UidParts MakeUidParts(const CScheduleList& list)
{
    UidParts parts;
    parts.hashes.reserve(list.size());
    for (const auto& entry : list)
        parts.hashes.push_back(ContentHash(*entry));
    std::vector<std::uint32_t> order(list.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<std::uint32_t>(i);
    const auto& h = parts.hashes;
    std::sort(order.begin(), order.end(), [&h](std::uint32_t x, std::uint32_t y) {
        return h[x].a != h[y].a ? h[x].a < h[y].a : h[x].b != h[y].b ? h[x].b < h[y].b : x < y;
    });
    parts.ordinals.resize(list.size());
    for (std::size_t k = 0; k < order.size(); ++k)
        parts.ordinals[order[k]] =
            k > 0 && h[order[k]] == h[order[k - 1]] ? parts.ordinals[order[k - 1]] + 1 : 0;
    return parts;
}

void AppendUid(std::string& out, const UidParts& parts, std::size_t i)
{
    AppendHex(out, parts.hashes[i].a);
    AppendHex(out, parts.hashes[i].b);
    out += '-';
    out += std::to_string(parts.ordinals[i]);
    out += "@plover";
}

}  // namespace

std::vector<std::string> EntryUids(const CScheduleList& list)
{
    const UidParts parts = MakeUidParts(list);
    std::vector<std::string> uids(list.size());
    for (std::size_t i = 0; i < list.size(); ++i)
        AppendUid(uids[i], parts, i);
    return uids;
}

bool WriteCalendar(const CScheduleList& list, const CivilTime& stampUtc, const ICp932Codec& codec,
                   LeapDayRule leapDay, const ExportSink& sink, ExportCounts& counts)
{
    counts = ExportCounts();
    constexpr std::size_t kPiece = 1 << 20;
    std::string out;
    out.reserve(kPiece + 4096);
    out += "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Plover//Plover schedule 1.0//JA\r\n"
           "CALSCALE:GREGORIAN\r\n";
    std::string stamp = "DTSTAMP:";
    AppendDateTime(stamp, stampUtc);
    stamp += "Z\r\n";
    const UidParts uids = MakeUidParts(list);
    std::string line;
    std::u16string text;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const CPloverFile& entry = *list[i];
        if (!IsRealMoment(entry)) {
            ++counts.skippedBadDate;
            continue;
        }
        out += "BEGIN:VEVENT\r\nUID:";
        AppendUid(out, uids, i);
        out += "\r\n";
        out += stamp;
        // A repeating entry starts at its anchor (on its month's last day when the
        // month lacks the day, as its dates do); one whose anchor is no date goes
        // out at its own date alone.
        const CivilDate anchor = entry.Anchor();
        const bool repeats = entry.m_Repeat != RepeatRule::None && anchor.year >= 1 &&
                             anchor.year <= 9999 && anchor.month >= 1 && anchor.month <= 12;
        const CivilTime start =
            repeats ? CivilTime{anchor.year,
                                anchor.month,
                                std::max(1, std::min(anchor.day,
                                                     MonthLength(anchor.year, anchor.month))),
                                entry.m_wHour,
                                entry.m_wMinute,
                                0}
                    : CivilTime{entry.m_wYear, entry.m_wMonth,  entry.m_wDay,
                                entry.m_wHour, entry.m_wMinute, 0};
        out += "DTSTART:";
        AppendDateTime(out, start);
        out += "\r\n";
        if (repeats) {
            out += "RRULE:";
            out += RepeatRuleText(entry.m_Repeat, anchor, leapDay);
            out += "\r\n";
        }
        line = "SUMMARY:";
        counts.replaced += ToUnicodeVisibly(codec, entry.Name(), text);
        counts.replaced += AppendEscaped(line, text);
        AppendFolded(out, line);
        if (!entry.Description().empty()) {
            line = "DESCRIPTION:";
            counts.replaced += ToUnicodeVisibly(codec, entry.Description(), text);
            counts.replaced += AppendEscaped(line, text);
            AppendFolded(out, line);
        }
        out += "END:VEVENT\r\n";
        ++counts.written;
        if (out.size() >= kPiece) {
            if (!sink(out.data(), out.size()))
                return false;
            out.clear();
        }
    }
    out += "END:VCALENDAR\r\n";
    return sink(out.data(), out.size());
}

std::string WriteCalendar(const CScheduleList& list, const CivilTime& stampUtc,
                          const ICp932Codec& codec, LeapDayRule leapDay, ExportCounts& counts)
{
    std::string file;
    WriteCalendar(
        list, stampUtc, codec, leapDay,
        [&file](const char* data, std::size_t size) {
            file.append(data, size);
            return true;
        },
        counts);
    return file;
}

}  // namespace plover::ical
