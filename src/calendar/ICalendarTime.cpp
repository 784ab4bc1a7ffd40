#include "calendar/ICalendarTime.h"

#include <algorithm>
#include <cctype>
#include <tuple>

#include "schedule/CivilDate.h"

namespace plover::ical {

namespace {

bool Digits(std::string_view text, std::size_t from, std::size_t count, int& value)
{
    if (from + count > text.size())
        return false;
    value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

// A positive decimal number of at most nine digits.
std::optional<std::int64_t> Number(std::string_view text)
{
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// Weekday of a date, 0 = Sunday.
int WeekdayOf(const CivilTime& t)
{
    const std::int64_t days = DaysFromCivil(t.year, t.month, t.day);  // 1970-01-01 was a Thursday
    return static_cast<int>(((days % 7) + 7 + 4) % 7);
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

}  // namespace

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

int WeekdayCode(std::string_view text)
{
    static constexpr std::string_view kWeekdays[] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};
    for (int i = 0; i < 7; ++i)
        if (EqualsNoCase(text, kWeekdays[i]))
            return i;
    return -1;
}

bool operator<(const CivilTime& a, const CivilTime& b)
{
    return std::tie(a.year, a.month, a.day, a.hour, a.minute, a.second) <
           std::tie(b.year, b.month, b.day, b.hour, b.minute, b.second);
}

bool SameDate(const CivilTime& a, const CivilTime& b)
{
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

bool DateBefore(const CivilTime& a, const CivilTime& b)
{
    return std::tie(a.year, a.month, a.day) < std::tie(b.year, b.month, b.day);
}

CivilTime CivilFromDays(std::int64_t days)
{
    const CivilDate d = plover::CivilFromDays(days);
    return CivilTime{d.year, d.month, d.day};
}

CivilTime AddSeconds(const CivilTime& t, std::int64_t seconds)
{
    const std::int64_t total = DaysFromCivil(t.year, t.month, t.day) * 86400 + t.hour * 3600 +
                               t.minute * 60 + t.second + seconds;
    const std::int64_t days = FloorDiv(total, 86400);
    const std::int64_t rest = total - days * 86400;
    CivilTime out = CivilFromDays(days);
    out.hour = static_cast<int>(rest / 3600);
    out.minute = static_cast<int>(rest / 60 % 60);
    out.second = static_cast<int>(rest % 60);
    return out;
}

std::optional<DateValue> ParseDateValue(std::string_view text)
{
    DateValue value;
    CivilTime& t = value.time;
    if (!Digits(text, 0, 4, t.year) || !Digits(text, 4, 2, t.month) || !Digits(text, 6, 2, t.day))
        return std::nullopt;
    if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > MonthLength(t.year, t.month))
        return std::nullopt;
    if (text.size() == 8) {
        value.isDate = true;
        return value;
    }
    if (text.size() < 15 || (text[8] != 'T' && text[8] != 't') || !Digits(text, 9, 2, t.hour) ||
        !Digits(text, 11, 2, t.minute) || !Digits(text, 13, 2, t.second))
        return std::nullopt;
    if (text.size() == 16 && (text[15] == 'Z' || text[15] == 'z'))
        value.isUtc = true;
    else if (text.size() != 15)
        return std::nullopt;
    // A leap second (60) is taken as the last second of its minute.
    if (t.hour > 23 || t.minute > 59 || t.second > 60)
        return std::nullopt;
    t.second = std::min(t.second, 59);
    return value;
}

std::optional<int> ParseUtcOffset(std::string_view text)
{
    int hours = 0, minutes = 0, seconds = 0;
    if ((text.size() != 5 && text.size() != 7) || (text[0] != '+' && text[0] != '-') ||
        !Digits(text, 1, 2, hours) || !Digits(text, 3, 2, minutes) ||
        (text.size() == 7 && !Digits(text, 5, 2, seconds)) || minutes > 59 || seconds > 59)
        return std::nullopt;
    const int offset = hours * 3600 + minutes * 60 + seconds;
    return text[0] == '-' ? -offset : offset;
}

namespace {

// Onsets of an observance's yearly rule in `year`: BYMONTH, then BYDAY (the n-th
// or last weekday) or BYMONTHDAY, at the observance's start time.
std::optional<CivilTime> RuleOnset(const Observance& o, int year, std::optional<CivilTime>& until)
{
    int month = o.start.month;
    int nth = 0, weekday = -1;
    std::vector<int> monthDays;
    bool yearly = false;
    const bool ok = ForEachRulePart(o.rule, [&](std::string_view name, std::string_view value) {
        if (EqualsNoCase(name, "FREQ")) {
            yearly = EqualsNoCase(value, "YEARLY");
        } else if (EqualsNoCase(name, "BYMONTH")) {
            const auto n = Number(value);
            if (!n || *n < 1 || *n > 12)
                return false;
            month = static_cast<int>(*n);
        } else if (EqualsNoCase(name, "BYDAY")) {
            std::size_t digits = 0;
            while (digits < value.size() && (value[digits] == '+' || value[digits] == '-' ||
                                             (value[digits] >= '0' && value[digits] <= '9')))
                ++digits;
            weekday = WeekdayCode(value.substr(digits));
            if (weekday < 0)
                return false;
            if (digits > 0) {
                const bool negative = value[0] == '-';
                const auto n = Number(value.substr(value[0] == '+' || negative ? 1 : 0,
                                                   digits - (value[0] == '+' || negative ? 1 : 0)));
                if (!n || *n < 1 || *n > 5)
                    return false;
                nth = negative ? -static_cast<int>(*n) : static_cast<int>(*n);
            }
        } else if (EqualsNoCase(name, "BYMONTHDAY")) {
            std::string_view list = value;
            while (!list.empty()) {
                const std::size_t comma = std::min(list.find(','), list.size());
                const auto n = Number(list.substr(0, comma));
                if (!n || *n < 1 || *n > 31)
                    return false;
                monthDays.push_back(static_cast<int>(*n));
                list.remove_prefix(std::min(comma + 1, list.size()));
            }
        } else if (EqualsNoCase(name, "UNTIL")) {
            const auto value2 = ParseDateValue(value);
            if (!value2)
                return false;
            until = value2->time;
        }
        return true;
    });
    if (!ok || !yearly)
        return std::nullopt;
    CivilTime onset = o.start;
    onset.year = year;
    onset.month = month;
    const int length = MonthLength(year, month);
    if (weekday >= 0) {
        std::vector<int> days;
        for (int d = 1; d <= length; ++d) {
            CivilTime t{year, month, d};
            if (WeekdayOf(t) == weekday &&
                (monthDays.empty() ||
                 std::find(monthDays.begin(), monthDays.end(), d) != monthDays.end()))
                days.push_back(d);
        }
        if (days.empty())
            return std::nullopt;
        if (nth > 0 && static_cast<std::size_t>(nth) > days.size())
            return std::nullopt;
        if (nth < 0 && static_cast<std::size_t>(-nth) > days.size())
            return std::nullopt;
        onset.day = nth > 0   ? days[static_cast<std::size_t>(nth - 1)]
                    : nth < 0 ? days[days.size() - static_cast<std::size_t>(-nth)]
                              : days.front();
    } else {
        onset.day = monthDays.empty() ? o.start.day : monthDays.front();
        if (onset.day > length)
            return std::nullopt;
    }
    return onset;
}

}  // namespace

CivilTime TimeZone::ToUtc(const CivilTime& wall) const
{
    // The offset of the observance whose latest onset at or before `wall` is the
    // latest of all; before every onset, the offset the earliest one changes from.
    std::optional<CivilTime> best;
    int offset = 0, before = 0;
    std::optional<CivilTime> earliest;
    for (const Observance& o : observances) {
        const auto consider = [&](const CivilTime& onset) {
            if (!(wall < onset) && (!best || *best < onset)) {
                best = onset;
                offset = o.offsetTo;
                before = o.offsetFrom;
            }
        };
        if (!earliest || o.start < *earliest)
            earliest = o.start;
        consider(o.start);
        for (const CivilTime& date : o.dates)
            consider(date);
        if (!o.rule.empty()) {
            for (int year = wall.year - 1; year <= wall.year; ++year) {
                std::optional<CivilTime> until;
                const auto onset = RuleOnset(o, year, until);
                if (onset && o.start <= *onset && (!until || *onset <= *until))
                    consider(*onset);
            }
        }
    }
    // A wall time the clocks skipped over does not exist; it counts with the offset
    // before the change, as if the clock had not yet been put forward.
    if (best && offset > before && wall < AddSeconds(*best, offset - before))
        offset = before;
    if (!best && earliest) {
        for (const Observance& o : observances)
            if (!(*earliest < o.start))
                offset = o.offsetFrom;
    }
    return AddSeconds(wall, -static_cast<std::int64_t>(offset));
}

}  // namespace plover::ical
