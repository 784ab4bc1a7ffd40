#include "calendar/ICalendar.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <deque>
#include <optional>
#include <unordered_set>

#include "calendar/HashMix.h"
#include "calendar/ICalendarRule.h"
#include "framework/SjisText.h"

namespace plover::ical {

namespace {

// ---- text

bool IsName(std::string_view text, std::string_view upper)
{
    if (text.size() != upper.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(text[i])) != upper[i])
            return false;
    return true;
}

std::string Upper(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

void AppendUtf16(std::u16string& out, char32_t c)
{
    if (c < 0x10000) {
        out.push_back(static_cast<char16_t>(c));
    } else {
        c -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    }
}

// The next code point of UTF-8 `text` at `i`; a broken sequence is one U+FFFD
// for its first byte.
char32_t NextUtf8(std::string_view text, std::size_t& i)
{
    const auto b = static_cast<unsigned char>(text[i++]);
    if (b < 0x80)
        return b;
    int more = 0;
    char32_t c = 0, least = 0;
    if (b >= 0xC2 && b <= 0xDF) {
        more = 1;
        c = b & 0x1F;
        least = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
        more = 2;
        c = b & 0x0F;
        least = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
        more = 3;
        c = b & 0x07;
        least = 0x10000;
    } else
        return kUnicodeReplacement;
    std::size_t j = i;
    for (int k = 0; k < more; ++k, ++j) {
        if (j >= text.size() || (static_cast<unsigned char>(text[j]) & 0xC0) != 0x80)
            return kUnicodeReplacement;
        c = (c << 6) | (static_cast<unsigned char>(text[j]) & 0x3F);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return kUnicodeReplacement;
    i = j;
    return c;
}

// A TEXT value's escapes undone, into UTF-16; a line break becomes `lineBreak`.
// Returns whether there was a line break.
bool UnescapeText(std::string_view value, std::u16string_view lineBreak, std::u16string& out)
{
    out.clear();
    bool hadBreak = false;
    for (std::size_t i = 0; i < value.size();) {
        if (value[i] == '\r') {  // a bare CR inside a line is a line break too
            out += lineBreak;
            hadBreak = true;
            ++i;
            continue;
        }
        if (value[i] == '\\' && i + 1 < value.size()) {
            const char next = value[i + 1];
            ++i;
            // An escaped CR or LF is a line break as well: a name or description
            // never gets a raw control character from an escape.
            if (next == 'n' || next == 'N' || next == '\r' || next == '\n') {
                out += lineBreak;
                hadBreak = true;
                ++i;
                continue;
            }
            // Any other escaped character stands for itself, a whole UTF-8 one too.
        }
        AppendUtf16(out, NextUtf8(value, i));
    }
    return hadBreak;
}

// Logical lines of a file: CR LF or LF ends, folded lines joined, blank lines
// passed over.  A line handed out stays valid until the next call.
class CLineReader {
public:
    explicit CLineReader(std::string_view data) : m_data(data) {}

    bool Next(std::string_view& line, std::size_t& number)
    {
        std::string_view physical;
        do {
            if (!NextPhysical(physical))
                return false;
        } while (physical.empty());
        number = m_nLine;
        line = physical;
        bool joined = false;
        while (m_pos < m_data.size() && (m_data[m_pos] == ' ' || m_data[m_pos] == '\t')) {
            std::string_view more;
            NextPhysical(more);
            if (!joined) {
                m_joined.assign(line.data(), line.size());
                joined = true;
            }
            m_joined.append(more.data() + 1, more.size() - 1);
        }
        if (joined)
            line = m_joined;
        return true;
    }

    std::size_t LineNumber() const { return m_nLine; }

private:
    bool NextPhysical(std::string_view& line)
    {
        if (m_pos >= m_data.size())
            return false;
        const char* start = m_data.data() + m_pos;
        const void* found = std::memchr(start, '\n', m_data.size() - m_pos);
        const std::size_t end =
            found ? static_cast<std::size_t>(static_cast<const char*>(found) - m_data.data())
                  : m_data.size();
        std::size_t length = end - m_pos;
        if (length > 0 && start[length - 1] == '\r')
            --length;
        line = std::string_view(start, length);
        m_pos = end + 1;
        ++m_nLine;
        return true;
    }

    std::string_view m_data;
    std::size_t m_pos = 0;
    std::size_t m_nLine = 0;
    std::string m_joined;
};

struct ContentLine {
    std::string_view name;
    std::string_view params;  // after the name's ';', up to the value's ':'
    std::string_view value;
};

bool SplitLine(std::string_view line, ContentLine& out)
{
    std::size_t i = 0;
    while (i < line.size() && line[i] != ';' && line[i] != ':')
        ++i;
    if (i == line.size() || i == 0)
        return false;
    out.name = line.substr(0, i);
    std::size_t paramsStart = i;
    if (line[i] == ';') {
        ++paramsStart;
        bool quoted = false;
        for (++i; i < line.size(); ++i) {
            if (line[i] == '"')
                quoted = !quoted;
            else if (line[i] == ':' && !quoted)
                break;
        }
        if (i == line.size())
            return false;
    }
    out.params = line.substr(paramsStart, i - paramsStart);
    out.value = line.substr(i + 1);
    return true;
}

// The value of parameter `upper` (quotes taken off), if present.
std::optional<std::string_view> Param(std::string_view params, std::string_view upper)
{
    while (!params.empty()) {
        bool quoted = false;
        std::size_t end = 0;
        for (; end < params.size(); ++end) {
            if (params[end] == '"')
                quoted = !quoted;
            else if (params[end] == ';' && !quoted)
                break;
        }
        const std::string_view item = params.substr(0, end);
        params.remove_prefix(std::min(end + 1, params.size()));
        const std::size_t equals = item.find('=');
        if (equals == std::string_view::npos || !IsName(item.substr(0, equals), upper))
            continue;
        std::string_view value = item.substr(equals + 1);
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        return value;
    }
    return std::nullopt;
}

struct PendingEvent {
    Candidate candidate;
    std::size_t line = 0;
    bool hasStart = false;
    bool badLine = false;
    bool dateParam = false;  // VALUE=DATE
    std::string start;
    std::string tzid;
    std::string rule;
    // Each EXDATE line: its TZID, whether VALUE=DATE, its list of dates.
    struct ExDates {
        std::string tzid;
        bool dateParam = false;
        std::string values;
    };
    std::vector<ExDates> exdates;
};

// An event's EXDATEs in the frames its occurrences are compared in.
struct Exclusions {
    std::vector<CivilTime> utc;    // moments
    std::vector<CivilTime> wall;   // wall-clock times of the start's own frame
    std::vector<CivilTime> dates;  // whole days of the start's wall clock
    bool Has(const std::vector<CivilTime>& list, const CivilTime& t) const
    {
        return std::binary_search(list.begin(), list.end(), t);
    }
};

constexpr std::size_t kNameBytes = CPloverFile::kNameSize - 1;
constexpr std::size_t kDescriptionBytes = CPloverFile::kDescriptionSize - 1;

// A text into the entry's code page and field size.
void FitText(const ICp932Codec& codec, const std::u16string& text, std::size_t maxBytes,
             std::string& out, Candidate& candidate)
{
    candidate.replaced += static_cast<std::uint32_t>(FromUnicodeCounted(codec, text, out));
    const std::size_t fit = SjisFitLength(out, maxBytes);
    if (fit < out.size()) {
        out.resize(fit);
        candidate.cut = true;
    }
}

bool HasControlBytes(std::string_view data)
{
    bool bad = false;
    for (char ch : data) {
        const auto b = static_cast<unsigned char>(ch);
        bad |= (b < 0x20 && b != '\t' && b != '\n' && b != '\r') || b == 0x7F;
    }
    return bad;
}

class CCalendarReader {
public:
    CCalendarReader(const ICp932Codec& codec, const ReadContext& context)
        : m_codec(codec),
          m_context(context)
    {
    }

    ReadResult Read(std::string_view bytes)
    {
        if (bytes.size() >= 3 && std::memcmp(bytes.data(), "\xEF\xBB\xBF", 3) == 0)
            bytes.remove_prefix(3);
        if (HasControlBytes(bytes))
            return Fail(ReadError::NotText, 0);
        CLineReader lines(bytes);
        std::string_view line;
        std::size_t number = 0;
        bool first = true;
        while (lines.Next(line, number)) {
            ContentLine content;
            const bool split = SplitLine(line, content);
            if (first &&
                !(split && IsName(content.name, "BEGIN") && IsName(content.value, "VCALENDAR")))
                return Fail(ReadError::NotCalendar, number);
            first = false;
            if (split && IsName(content.name, "BEGIN")) {
                if (m_stack.empty() && !IsName(content.value, "VCALENDAR"))
                    return Fail(ReadError::Malformed, number);
                Begin(Upper(content.value), number);
            } else if (split && IsName(content.name, "END")) {
                if (m_stack.empty() || !IsName(content.value, m_stack.back()))
                    return Fail(ReadError::Malformed, number);
                End();
            } else if (m_stack.empty()) {
                return Fail(ReadError::Malformed, number);
            } else if (!split) {
                if (m_inEvent && m_stack.back() == "VEVENT")
                    m_event.badLine = true;
            } else {
                Property(content);
            }
        }
        if (first)
            return Fail(ReadError::NotCalendar, 0);
        if (!m_stack.empty())
            return Fail(ReadError::Unterminated, lines.LineNumber());
        ResolveEvents();
        return std::move(m_result);
    }

private:
    ReadResult Fail(ReadError error, std::size_t line)
    {
        ReadResult result;
        result.error = error;
        result.errorLine = line;
        return result;
    }

    void Begin(std::string name, std::size_t line)
    {
        if (name == "VEVENT" && !m_inEvent) {
            m_inEvent = true;
            m_eventDepth = m_stack.size();
            m_event = PendingEvent();
            m_event.line = line;
            m_summary.clear();
            m_description.clear();
        } else if (name == "VTIMEZONE" && !m_inEvent) {
            m_zones.emplace_back();
        } else if ((name == "STANDARD" || name == "DAYLIGHT") && !m_stack.empty() &&
                   m_stack.back() == "VTIMEZONE" && !m_zones.empty()) {
            m_zones.back().observances.emplace_back();
        }
        m_stack.push_back(std::move(name));
    }

    void End()
    {
        m_stack.pop_back();
        if (m_inEvent && m_stack.size() == m_eventDepth) {
            m_inEvent = false;
            FinishEventTexts();
            m_pending.push_back(std::move(m_event));
        }
    }

    void Property(const ContentLine& c)
    {
        const std::string& top = m_stack.back();
        if (m_inEvent) {
            if (top != "VEVENT")
                return;  // an alarm's or another inner component's own
            if (IsName(c.name, "DTSTART")) {
                if (!m_event.hasStart) {
                    m_event.hasStart = true;
                    m_event.start.assign(c.value.data(), c.value.size());
                    const auto tzid = Param(c.params, "TZID");
                    if (tzid)
                        m_event.tzid.assign(tzid->data(), tzid->size());
                    const auto type = Param(c.params, "VALUE");
                    m_event.dateParam = type && IsName(*type, "DATE");
                }
            } else if (IsName(c.name, "SUMMARY")) {
                m_summary.assign(c.value.data(), c.value.size());
            } else if (IsName(c.name, "DESCRIPTION")) {
                m_description.assign(c.value.data(), c.value.size());
            } else if (IsName(c.name, "RRULE") && m_event.rule.empty()) {
                m_event.rule.assign(c.value.data(), c.value.size());
            } else if (IsName(c.name, "EXDATE")) {
                PendingEvent::ExDates& ex = m_event.exdates.emplace_back();
                if (const auto tzid = Param(c.params, "TZID"))
                    ex.tzid.assign(tzid->data(), tzid->size());
                const auto type = Param(c.params, "VALUE");
                ex.dateParam = type && IsName(*type, "DATE");
                ex.values.assign(c.value.data(), c.value.size());
            }
            return;
        }
        if (top == "VTIMEZONE" && !m_zones.empty() && IsName(c.name, "TZID")) {
            m_zones.back().id.assign(c.value.data(), c.value.size());
        } else if ((top == "STANDARD" || top == "DAYLIGHT") && !m_zones.empty() &&
                   !m_zones.back().observances.empty()) {
            Observance& o = m_zones.back().observances.back();
            if (IsName(c.name, "DTSTART")) {
                if (const auto value = ParseDateValue(c.value))
                    o.start = value->time;
            } else if (IsName(c.name, "TZOFFSETFROM")) {
                o.offsetFrom = ParseUtcOffset(c.value).value_or(0);
            } else if (IsName(c.name, "TZOFFSETTO")) {
                o.offsetTo = ParseUtcOffset(c.value).value_or(0);
            } else if (IsName(c.name, "RRULE")) {
                o.rule.assign(c.value.data(), c.value.size());
            } else if (IsName(c.name, "RDATE")) {
                std::string_view list = c.value;
                while (!list.empty()) {
                    const std::size_t comma = std::min(list.find(','), list.size());
                    if (const auto value = ParseDateValue(list.substr(0, comma)))
                        o.dates.push_back(value->time);
                    list.remove_prefix(std::min(comma + 1, list.size()));
                }
            }
        }
    }

    void FinishEventTexts()
    {
        Candidate& candidate = m_event.candidate;
        // A name is one line: its line breaks become spaces.
        if (UnescapeText(m_summary, u" ", m_text))
            candidate.cut = true;
        FitText(m_codec, m_text, kNameBytes, candidate.name, candidate);
        UnescapeText(m_description, u"\r\n", m_text);
        FitText(m_codec, m_text, kDescriptionBytes, candidate.description, candidate);
    }

    const TimeZone* Zone(const std::string& id) const
    {
        for (const TimeZone& zone : m_zones)
            if (zone.id == id)
                return &zone;
        return nullptr;
    }

    void Skip(SkipReason reason, std::size_t line)
    {
        Skipped& skipped = m_result.skipped[static_cast<int>(reason)];
        if (skipped.count++ == 0)
            skipped.firstLine = line;
    }

    void ResolveEvents()
    {
        m_result.candidates.reserve(m_pending.size());
        for (PendingEvent& event : m_pending) {
            if (event.badLine) {
                Skip(SkipReason::BadLine, event.line);
                continue;
            }
            if (!event.hasStart) {
                Skip(SkipReason::NoStart, event.line);
                continue;
            }
            std::optional<DateValue> start = ParseDateValue(event.start);
            if (!start || (event.dateParam && !start->isDate)) {
                Skip(SkipReason::BadStart, event.line);
                continue;
            }
            Candidate& c = event.candidate;
            const CivilTime local = LocalStart(event, *start, c);
            if (local.year < 1 || local.year > 9999) {
                Skip(SkipReason::OutOfRange, event.line);
                continue;
            }
            c.year = static_cast<std::uint16_t>(local.year);
            c.month = static_cast<std::uint16_t>(local.month);
            c.day = static_cast<std::uint16_t>(local.day);
            c.hour = static_cast<std::uint16_t>(local.hour);
            c.minute = static_cast<std::uint16_t>(local.minute);
            m_result.candidates.push_back(std::move(c));
        }
    }

    // The EXDATEs of an event whose start is `start`, in the frames its
    // occurrences are: moments for a UTC or zoned start, else wall-clock times.
    Exclusions ExcludedDates(const PendingEvent& event, const DateValue& start,
                             const TimeZone* zone) const
    {
        Exclusions ex;
        const bool moments = !start.isDate && (start.isUtc || zone);
        for (const PendingEvent::ExDates& line : event.exdates) {
            const TimeZone* own = line.tzid.empty() ? nullptr : Zone(line.tzid);
            std::string_view list = line.values;
            while (!list.empty()) {
                const std::size_t comma = std::min(list.find(','), list.size());
                const auto value = ParseDateValue(list.substr(0, comma));
                list.remove_prefix(std::min(comma + 1, list.size()));
                if (!value || (line.dateParam && !value->isDate))
                    continue;
                CivilTime t = value->time;
                if (value->isDate || start.isDate) {
                    t.hour = t.minute = t.second = 0;
                    ex.dates.push_back(t);
                } else if (value->isUtc || own) {
                    const CivilTime utc = value->isUtc ? t : own->ToUtc(t);
                    (moments ? ex.utc : ex.wall)
                        .push_back(moments ? utc : m_context.utcToLocal(utc));
                } else {
                    ex.wall.push_back(t);
                }
            }
        }
        for (auto* list : {&ex.utc, &ex.wall, &ex.dates})
            std::sort(list->begin(), list->end());
        return ex;
    }

    // The event's start, or its next date when it recurs, in local time; a rule
    // the entry can keep goes into `c`.
    CivilTime LocalStart(const PendingEvent& event, const DateValue& start, Candidate& c) const
    {
        const TimeZone* zone =
            !start.isDate && !start.isUtc && !event.tzid.empty() ? Zone(event.tzid) : nullptr;
        const auto toLocal = [&](const CivilTime& t) {
            if (start.isDate) {
                CivilTime midnight = t;
                midnight.hour = midnight.minute = midnight.second = 0;
                return midnight;
            }
            if (start.isUtc)
                return m_context.utcToLocal(t);
            if (zone)
                return m_context.utcToLocal(zone->ToUtc(t));
            return t;  // floating, or a zone the file does not describe
        };
        if (event.rule.empty())
            return toLocal(start.time);
        auto rule = ParseRecurrenceRule(event.rule);
        if (!rule)
            return toLocal(start.time);
        if (start.isDate) {  // a whole day has no times of day to choose
            rule->byHour.clear();
            rule->byMinute.clear();
            rule->bySecond.clear();
        }
        const auto pastEnd = [&](const CivilTime& occurrence) {
            if (!rule->until)
                return false;
            const DateValue& until = *rule->until;
            if (until.isDate || start.isDate) {
                const CivilTime end =
                    until.isUtc && !start.isUtc ? m_context.utcToLocal(until.time) : until.time;
                return DateBefore(end, occurrence);
            }
            if (until.isUtc && start.isUtc)
                return until.time < occurrence;
            if (until.isUtc && zone)
                return until.time < zone->ToUtc(occurrence);
            if (until.isUtc)
                return m_context.utcToLocal(until.time) < occurrence;
            return until.time < occurrence;
        };
        const Exclusions ex = ExcludedDates(event, start, zone);
        const auto moment = [&](const CivilTime& t) { return start.isUtc ? t : zone->ToUtc(t); };
        OccurrenceTests tests;
        tests.toLocal = toLocal;
        tests.pastEnd = pastEnd;
        tests.excluded = [&](const CivilTime& t) {
            CivilTime day = t;
            day.hour = day.minute = day.second = 0;
            return ex.Has(ex.dates, day) || ex.Has(ex.wall, t) ||
                   (!ex.utc.empty() && ex.Has(ex.utc, moment(t)));
        };
        const CivilTime next =
            toLocal(NextRuleOccurrence(start.time, *rule, m_context.today, tests));
        // The entry keeps the rule when its dates are the rule's: from the same
        // day on this machine (a day's shift moves a week's dates alike, a
        // month's not), and no exception ahead that it could not keep.
        const auto repeat = AsEntryRepeat(*rule, start.time);
        const CivilTime first = toLocal(start.time);
        const CivilTime early = CivilFromDays(
            DaysFromCivil(m_context.today.year, m_context.today.month, m_context.today.day) - 2);
        const auto ahead = [&](const std::vector<CivilTime>& list) {
            return !list.empty() && !DateBefore(list.back(), early);
        };
        if (!repeat || ahead(ex.utc) || ahead(ex.wall) || ahead(ex.dates) ||
            (!SameDate(first, start.time) &&
             (repeat->rule == RepeatRule::Monthly || repeat->rule == RepeatRule::Yearly)))
            return next;
        const CivilDate anchor = SameDate(first, start.time)
                                     ? repeat->anchor
                                     : CivilDate{first.year, first.month, first.day};
        // An anchor outside the years a calendar file can name (a year 0 start)
        // could not be written out again: such a rule gives its next date only.
        if (anchor.year < 1 || anchor.year > 9999)
            return next;
        c.repeat = repeat->rule;
        c.anchor = anchor;
        const CivilDate date = NextOccurrence(
            c.repeat, c.anchor, {m_context.today.year, m_context.today.month, m_context.today.day},
            m_context.leapDay);
        return CivilTime{date.year, date.month, date.day, first.hour, first.minute, 0};
    }

    const ICp932Codec& m_codec;
    const ReadContext& m_context;
    ReadResult m_result;
    std::vector<std::string> m_stack;
    std::vector<TimeZone> m_zones;
    std::deque<PendingEvent> m_pending;  // no moves as it grows
    bool m_inEvent = false;
    std::size_t m_eventDepth = 0;
    PendingEvent m_event;
    std::string m_summary;
    std::string m_description;
    std::u16string m_text;
};

// Date, time and name of an entry or candidate, compared without copying the name.
struct EntryKey {
    std::uint16_t fields[5];
    std::string_view name;
    bool operator==(const EntryKey& other) const
    {
        return std::equal(fields, fields + 5, other.fields) && name == other.name;
    }
};

struct EntryKeyHasher {
    std::size_t operator()(const EntryKey& key) const
    {
        std::uint64_t h = 0xCBF29CE484222325ull;
        for (std::uint16_t v : key.fields)
            h = (h ^ v) * 0x100000001B3ull;
        for (char c : key.name)
            h = (h ^ static_cast<unsigned char>(c)) * 0x100000001B3ull;
        return static_cast<std::size_t>(detail::Mix(h));
    }
};

}  // namespace

std::size_t ReadResult::SkippedTotal() const
{
    std::size_t total = 0;
    for (const Skipped& s : skipped)
        total += s.count;
    return total;
}

ReadResult ReadCalendar(std::string_view bytes, const ICp932Codec& codec,
                        const ReadContext& context)
{
    return CCalendarReader(codec, context).Read(bytes);
}

std::vector<char> InitialChecks(const std::vector<Candidate>& candidates,
                                const CScheduleList& schedule, const CivilTime& today)
{
    std::unordered_set<EntryKey, EntryKeyHasher> known;
    known.reserve(schedule.size() + candidates.size());
    for (const auto& e : schedule)
        known.insert(
            EntryKey{{e->m_wYear, e->m_wMonth, e->m_wDay, e->m_wHour, e->m_wMinute}, e->Name()});
    std::vector<char> checks;
    checks.reserve(candidates.size());
    for (const Candidate& c : candidates) {
        const bool past = DateBefore(CivilTime{c.year, c.month, c.day}, today);
        const bool fresh =
            known.insert(EntryKey{{c.year, c.month, c.day, c.hour, c.minute}, c.name}).second;
        checks.push_back(!past && fresh);
    }
    return checks;
}

void ToEntry(const Candidate& candidate, CPloverFile& entry)
{
    entry.m_wReserved = 0;
    entry.m_wYear = candidate.year;
    entry.m_wMonth = candidate.month;
    entry.m_wDay = candidate.day;
    entry.m_wHour = candidate.hour;
    entry.m_wMinute = candidate.minute;
    CPloverFile::SetText(entry.m_szName, CPloverFile::kNameSize, candidate.name);
    CPloverFile::SetText(entry.m_szDescription, CPloverFile::kDescriptionSize,
                         candidate.description);
    CPloverFile::SetText(entry.m_szBmpFile, CPloverFile::kBmpFileSize, {});
    const bool repeats = candidate.repeat != RepeatRule::None;
    entry.m_Repeat = candidate.repeat;
    entry.m_wAnchorYear = repeats ? static_cast<std::uint16_t>(candidate.anchor.year) : 0;
    entry.m_wAnchorMonth = repeats ? static_cast<std::uint16_t>(candidate.anchor.month) : 0;
    entry.m_wAnchorDay = repeats ? static_cast<std::uint16_t>(candidate.anchor.day) : 0;
}

}  // namespace plover::ical
