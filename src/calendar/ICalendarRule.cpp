#include "calendar/ICalendarRule.h"

#include <algorithm>
#include <cctype>
#include <numeric>

namespace plover::ical {

namespace {

// A decimal number with an optional sign, at most nine digits.
std::optional<int> Signed(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

// Calls `item(text)` for each item of a comma-separated list; false for an empty one.
template <class Item>
bool ForEachItem(std::string_view list, Item item)
{
    while (true) {
        const std::size_t comma = std::min(list.find(','), list.size());
        if (comma == 0 || !item(list.substr(0, comma)))
            return false;
        if (comma == list.size())
            return true;
        list.remove_prefix(comma + 1);
    }
}

// A list of numbers from `low` to `high`; with `signedRange`, also -high to -low.
bool NumberList(std::string_view value, int low, int high, bool signedRange, std::vector<int>& out)
{
    out.clear();
    const bool ok = ForEachItem(value, [&](std::string_view item) {
        const auto n = Signed(item);
        if (!n || !((*n >= low && *n <= high) || (signedRange && *n <= -low && *n >= -high)))
            return false;
        out.push_back(*n);
        return true;
    });
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return ok;
}

template <class T>
bool Has(const std::vector<T>& list, const T& value)
{
    return std::binary_search(list.begin(), list.end(), value);
}

int WeekdayOfDays(std::int64_t days)
{
    return static_cast<int>(((days % 7) + 7 + 4) % 7);  // 1970-01-01 was a Thursday
}

std::int64_t Days(const CivilTime& t)
{
    return DaysFromCivil(t.year, t.month, t.day);
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// Position `value` (negative: from the end) of a range 1..length.
bool Matches(int value, int position, int length)
{
    return value > 0 ? value == position : length + value + 1 == position;
}

// Days looked at and times of day made in one search; a real rule finds its
// date with far fewer.
constexpr std::int64_t kBudget = 2000000;
const std::int64_t kEndOfYears = DaysFromCivil(10000, 1, 1);

// One period (day, week, month or year) of a rule at a time: its occurrences in
// order, BYSETPOS applied, times of day included.
class CPeriods {
public:
    CPeriods(const CivilTime& start, const RecurrenceRule& rule) : m_start(start), m_rule(rule)
    {
        m_startDays = Days(start);
        m_weekFirst = m_startDays - (WeekdayOfDays(m_startDays) - rule.weekStart + 7) % 7;
        m_byMonth = rule.byMonth;
        m_byMonthDay = rule.byMonthDay;
        m_byDay = rule.byDay;
        // Without a part that names days, the start's own day repeats.
        if (rule.byWeekNo.empty() && rule.byYearDay.empty() && rule.byMonthDay.empty() &&
            rule.byDay.empty()) {
            if (rule.freq == RecurrenceRule::Yearly) {
                if (m_byMonth.empty())
                    m_byMonth = {start.month};
                m_byMonthDay = {start.day};
            } else if (rule.freq == RecurrenceRule::Monthly) {
                m_byMonthDay = {start.day};
            } else if (rule.freq == RecurrenceRule::Weekly) {
                m_byDay = {{0, WeekdayOfDays(m_startDays)}};
            }
        }
        m_hours = rule.byHour.empty() ? std::vector<int>{start.hour} : rule.byHour;
        m_minutes = rule.byMinute.empty() ? std::vector<int>{start.minute} : rule.byMinute;
        m_seconds = rule.bySecond.empty() ? std::vector<int>{start.second} : rule.bySecond;
    }

    void Refill() { m_budget = kBudget; }

    // Periods after which the calendar repeats itself for the rule: 400 years are
    // a whole number of weeks, so when that many periods in a row have no date,
    // none ever will.
    std::int64_t Cycle() const
    {
        const std::int64_t periods[] = {146097, 20871, 4800, 400};  // days, weeks, months, years
        const std::int64_t n = periods[m_rule.freq];
        return n / std::gcd(n, static_cast<std::int64_t>(m_rule.interval));
    }

    // The index of a period that begins no later than `days`, the one before it
    // when there is one.
    std::int64_t PeriodBefore(std::int64_t days) const
    {
        const CivilTime t = CivilFromDays(days);
        std::int64_t k = 0;
        switch (m_rule.freq) {
        case RecurrenceRule::Daily:
            k = FloorDiv(days - m_startDays, m_rule.interval);
            break;
        case RecurrenceRule::Weekly:
            k = FloorDiv(days - m_weekFirst, 7LL * m_rule.interval);
            break;
        case RecurrenceRule::Monthly:
            k = FloorDiv((t.year * 12LL + t.month - 1) - (m_start.year * 12LL + m_start.month - 1),
                         m_rule.interval);
            break;
        case RecurrenceRule::Yearly:
            k = FloorDiv(t.year - static_cast<std::int64_t>(m_start.year), m_rule.interval);
            break;
        }
        return std::max<std::int64_t>(k - 1, 0);
    }

    // Fills Set() with period `k`; false when it begins after the year 9999 or the
    // work allowed has been done.
    bool Fill(std::int64_t k)
    {
        m_days.clear();
        const std::int64_t steps = k * m_rule.interval;
        switch (m_rule.freq) {
        case RecurrenceRule::Daily:
        case RecurrenceRule::Weekly: {
            const bool weekly = m_rule.freq == RecurrenceRule::Weekly;
            const std::int64_t first = weekly ? m_weekFirst + 7 * steps : m_startDays + steps;
            if (first >= kEndOfYears)
                return false;
            for (std::int64_t d = first; d < first + (weekly ? 7 : 1) && d < kEndOfYears; ++d)
                Consider(d);
            break;
        }
        case RecurrenceRule::Monthly: {
            const std::int64_t month = m_start.year * 12LL + (m_start.month - 1) + steps;
            if (month >= 10000 * 12LL)
                return false;
            const int year = static_cast<int>(month / 12), m = static_cast<int>(month % 12) + 1;
            ConsiderMonth(year, m);
            break;
        }
        case RecurrenceRule::Yearly: {
            const std::int64_t year = m_start.year + steps;
            if (year > 9999)
                return false;
            for (int m = 1; m <= 12; ++m)
                if (m_byMonth.empty() || Has(m_byMonth, m))
                    ConsiderMonth(static_cast<int>(year), m);
            break;
        }
        }
        MakeSet();
        return m_budget >= 0;
    }

    const std::vector<CivilTime>& Set() const { return m_set; }

private:
    void ConsiderMonth(int year, int month)
    {
        const std::int64_t first = DaysFromCivil(year, month, 1);
        const int length = MonthLength(year, month);
        for (int day = 0; day < length; ++day)
            Consider(first + day);
    }

    // Week-numbering: week 1 of a year is the first week (from the week's first
    // day) with at least four of its days.
    std::int64_t WeekOneStart(int year) const
    {
        const std::int64_t jan1 = DaysFromCivil(year, 1, 1);
        const int offset = (WeekdayOfDays(jan1) - m_rule.weekStart + 7) % 7;
        return jan1 - offset + (7 - offset < 4 ? 7 : 0);
    }

    bool WeekNoMatches(std::int64_t d, int year) const
    {
        std::int64_t begin = WeekOneStart(year), next = WeekOneStart(year + 1);
        if (d < begin) {
            next = begin;
            begin = WeekOneStart(year - 1);
        } else if (d >= next) {
            begin = next;
            next = WeekOneStart(year + 2);
        }
        const int week = static_cast<int>((d - begin) / 7) + 1;
        const int weeks = static_cast<int>((next - begin) / 7);
        for (int v : m_rule.byWeekNo)
            if (Matches(v, week, weeks))
                return true;
        return false;
    }

    void Consider(std::int64_t d)
    {
        --m_budget;
        if (m_budget < 0)
            return;
        const CivilTime c = CivilFromDays(d);
        if (!m_byMonth.empty() && !Has(m_byMonth, c.month))
            return;
        const int monthLength = MonthLength(c.year, c.month);
        const std::int64_t jan1 = DaysFromCivil(c.year, 1, 1);
        const int yearDay = static_cast<int>(d - jan1) + 1;
        const int yearLength = IsLeapYear(c.year) ? 366 : 365;
        if (!m_rule.byWeekNo.empty() && !WeekNoMatches(d, c.year))
            return;
        if (!m_rule.byYearDay.empty() &&
            std::none_of(m_rule.byYearDay.begin(), m_rule.byYearDay.end(),
                         [&](int v) { return Matches(v, yearDay, yearLength); }))
            return;
        if (!m_byMonthDay.empty() &&
            std::none_of(m_byMonthDay.begin(), m_byMonthDay.end(),
                         [&](int v) { return Matches(v, c.day, monthLength); }))
            return;
        if (!m_byDay.empty()) {
            const int weekday = WeekdayOfDays(d);
            // An ordinal counts within the month of a monthly rule or a yearly one
            // with BYMONTH, else within the year.
            const bool inMonth = m_rule.freq == RecurrenceRule::Monthly ||
                                 (m_rule.freq == RecurrenceRule::Yearly && !m_rule.byMonth.empty());
            const int position = inMonth ? c.day : yearDay;
            const int length = inMonth ? monthLength : yearLength;
            const bool any =
                std::any_of(m_byDay.begin(), m_byDay.end(), [&](const RecurrenceRule::Weekday& w) {
                    if (w.day != weekday)
                        return false;
                    if (w.ordinal == 0)
                        return true;
                    return w.ordinal > 0 ? (position - 1) / 7 + 1 == w.ordinal
                                         : (length - position) / 7 + 1 == -w.ordinal;
                });
            if (!any)
                return;
        }
        m_days.push_back(d);
    }

    void MakeSet()
    {
        m_all.clear();
        m_budget -= static_cast<std::int64_t>(m_days.size() * m_hours.size() * m_minutes.size() *
                                              m_seconds.size());
        if (m_budget < 0)
            return;
        for (std::int64_t d : m_days) {
            const CivilTime date = CivilFromDays(d);
            for (int h : m_hours)
                for (int m : m_minutes)
                    for (int s : m_seconds)
                        m_all.push_back(CivilTime{date.year, date.month, date.day, h, m, s});
        }
        if (m_rule.bySetPos.empty()) {
            m_set.swap(m_all);
            return;
        }
        m_set.clear();
        const int n = static_cast<int>(m_all.size());
        for (int position = 1; position <= n; ++position)
            for (int v : m_rule.bySetPos)
                if (Matches(v, position, n)) {
                    m_set.push_back(m_all[static_cast<std::size_t>(position - 1)]);
                    break;
                }
    }

    const CivilTime m_start;
    const RecurrenceRule& m_rule;
    std::int64_t m_startDays = 0;
    std::int64_t m_weekFirst = 0;
    std::int64_t m_budget = kBudget;
    std::vector<int> m_byMonth, m_byMonthDay, m_hours, m_minutes, m_seconds;
    std::vector<RecurrenceRule::Weekday> m_byDay;
    std::vector<std::int64_t> m_days;
    std::vector<CivilTime> m_all, m_set;
};

}  // namespace

std::optional<RecurrenceRule> ParseRecurrenceRule(std::string_view text)
{
    RecurrenceRule rule;
    bool hasFreq = false;
    const bool ok = ForEachRulePart(text, [&](std::string_view name, std::string_view value) {
        bool ok = true;
        if (EqualsNoCase(name, "FREQ")) {
            hasFreq = true;
            if (EqualsNoCase(value, "DAILY"))
                rule.freq = RecurrenceRule::Daily;
            else if (EqualsNoCase(value, "WEEKLY"))
                rule.freq = RecurrenceRule::Weekly;
            else if (EqualsNoCase(value, "MONTHLY"))
                rule.freq = RecurrenceRule::Monthly;
            else if (EqualsNoCase(value, "YEARLY"))
                rule.freq = RecurrenceRule::Yearly;
            else
                ok = false;
        } else if (EqualsNoCase(name, "INTERVAL")) {
            const auto n = Signed(value);
            ok = n && *n >= 1 && *n <= 100000 && value[0] != '+' && value[0] != '-';
            if (ok)
                rule.interval = *n;
        } else if (EqualsNoCase(name, "COUNT")) {
            const auto n = Signed(value);
            ok = n && *n >= 1 && value[0] != '+';
            if (ok)
                rule.count = *n;
        } else if (EqualsNoCase(name, "UNTIL")) {
            rule.until = ParseDateValue(value);
            ok = rule.until.has_value();
        } else if (EqualsNoCase(name, "WKST")) {
            rule.weekStart = WeekdayCode(value);
            ok = rule.weekStart >= 0;
        } else if (EqualsNoCase(name, "BYDAY")) {
            rule.byDay.clear();
            ok = ForEachItem(value, [&](std::string_view day) {
                if (day.size() < 2)
                    return false;
                RecurrenceRule::Weekday w;
                w.day = WeekdayCode(day.substr(day.size() - 2));
                if (day.size() > 2) {
                    const auto n = Signed(day.substr(0, day.size() - 2));
                    if (!n || *n == 0 || *n > 53 || *n < -53)
                        return false;
                    w.ordinal = *n;
                }
                rule.byDay.push_back(w);
                return w.day >= 0;
            });
            std::sort(rule.byDay.begin(), rule.byDay.end());
            rule.byDay.erase(std::unique(rule.byDay.begin(), rule.byDay.end()), rule.byDay.end());
        } else if (EqualsNoCase(name, "BYMONTH")) {
            ok = NumberList(value, 1, 12, false, rule.byMonth);
        } else if (EqualsNoCase(name, "BYMONTHDAY")) {
            ok = NumberList(value, 1, 31, true, rule.byMonthDay);
        } else if (EqualsNoCase(name, "BYYEARDAY")) {
            ok = NumberList(value, 1, 366, true, rule.byYearDay);
        } else if (EqualsNoCase(name, "BYWEEKNO")) {
            ok = NumberList(value, 1, 53, true, rule.byWeekNo);
        } else if (EqualsNoCase(name, "BYHOUR")) {
            ok = NumberList(value, 0, 23, false, rule.byHour);
        } else if (EqualsNoCase(name, "BYMINUTE")) {
            ok = NumberList(value, 0, 59, false, rule.byMinute);
        } else if (EqualsNoCase(name, "BYSECOND")) {
            // A leap second is the last second of its minute, as in a date-time.
            ok = NumberList(value, 0, 60, false, rule.bySecond);
            if (ok && !rule.bySecond.empty() && rule.bySecond.back() == 60) {
                rule.bySecond.back() = 59;
                rule.bySecond.erase(std::unique(rule.bySecond.begin(), rule.bySecond.end()),
                                    rule.bySecond.end());
            }
        } else if (EqualsNoCase(name, "BYSETPOS")) {
            ok = NumberList(value, 1, 366, true, rule.bySetPos);
        } else {
            ok = name.size() > 2 && EqualsNoCase(name.substr(0, 2), "X-");
        }
        return ok;
    });
    if (!ok || !hasFreq || (rule.count && rule.until))
        return std::nullopt;
    // Parts a frequency does not take.
    const auto freq = rule.freq;
    const bool ordinals =
        std::any_of(rule.byDay.begin(), rule.byDay.end(),
                    [](const RecurrenceRule::Weekday& w) { return w.ordinal != 0; });
    if ((ordinals && (freq == RecurrenceRule::Daily || freq == RecurrenceRule::Weekly ||
                      !rule.byWeekNo.empty())) ||
        (!rule.byMonthDay.empty() && freq == RecurrenceRule::Weekly) ||
        (!rule.byYearDay.empty() && freq != RecurrenceRule::Yearly) ||
        (!rule.byWeekNo.empty() && freq != RecurrenceRule::Yearly))
        return std::nullopt;
    if (!rule.bySetPos.empty() && rule.byDay.empty() && rule.byMonth.empty() &&
        rule.byMonthDay.empty() && rule.byYearDay.empty() && rule.byWeekNo.empty() &&
        rule.byHour.empty() && rule.byMinute.empty() && rule.bySecond.empty())
        return std::nullopt;
    return rule;
}

CivilTime NextRuleOccurrence(const CivilTime& start, const RecurrenceRule& rule,
                             const CivilTime& today, const OccurrenceTests& tests)
{
    CPeriods periods(start, rule);
    const std::int64_t todayDays = DaysFromCivil(today.year, today.month, today.day);
    // Two days before today: no occurrence earlier than that is today in any zone.
    const CivilTime early = CivilFromDays(todayDays - 2);
    std::int64_t from = 0;
    if (!rule.count) {
        // Without a count nothing before needs counting: the walk begins just
        // before today, or before the rule's end when that is earlier.
        std::int64_t target = todayDays - 2;
        if (rule.until)
            target = std::min(target, Days(rule.until->time) - 2);
        from = periods.PeriodBefore(target);
    }
    std::optional<CivilTime> last;
    std::int64_t seen = 0;
    if (from == 0) {
        seen = 1;
        if (!tests.excluded(start)) {
            last = start;
            if (!DateBefore(start, early) && !DateBefore(tests.toLocal(start), today))
                return start;
        }
    }
    bool ended = false;
    const std::int64_t cycle = periods.Cycle();
    std::int64_t empty = 0;
    for (std::int64_t k = from; !ended && empty < cycle && periods.Fill(k); ++k) {
        empty = periods.Set().empty() ? empty + 1 : 0;
        for (const CivilTime& t : periods.Set()) {
            if (!(start < t))
                continue;  // the start counted already
            if ((rule.count && seen >= *rule.count) || tests.pastEnd(t)) {
                ended = true;
                break;
            }
            ++seen;
            if (tests.excluded(t))
                continue;
            last = t;
            if (!DateBefore(t, early) && !DateBefore(tests.toLocal(t), today))
                return t;
        }
    }
    if (last || from == 0)
        return last.value_or(start);
    // Nothing after the periods passed over: the last occurrence lies among them.
    periods.Refill();
    empty = 0;
    for (std::int64_t k = from - 1; k >= 0 && empty < cycle && periods.Fill(k); --k) {
        const auto& set = periods.Set();
        empty = set.empty() ? empty + 1 : 0;
        for (auto t = set.rbegin(); t != set.rend(); ++t)
            if (start < *t && !tests.pastEnd(*t) && !tests.excluded(*t))
                return *t;
    }
    return start;
}

std::optional<EntryRepeat> AsEntryRepeat(const RecurrenceRule& rule, const CivilTime& start)
{
    if (rule.count || rule.until || rule.interval != 1 || !rule.byWeekNo.empty() ||
        !rule.byHour.empty() || !rule.byMinute.empty() || !rule.bySecond.empty())
        return std::nullopt;
    const CivilDate date{start.year, start.month, start.day};
    const int weekday = WeekdayOfDays(Days(start));
    const auto only = [](const std::vector<int>& list, int value) {
        return list.empty() || (list.size() == 1 && list[0] == value);
    };
    const auto days = [](int from, int to) {
        std::vector<int> list;
        for (int d = from; d <= to; ++d)
            list.push_back(d);
        return list;
    };
    const bool lastSet = rule.bySetPos == std::vector<int>{-1};
    switch (rule.freq) {
    case RecurrenceRule::Daily:
        if (rule.byDay.empty() && rule.byMonth.empty() && rule.byMonthDay.empty() &&
            rule.bySetPos.empty())
            return EntryRepeat{RepeatRule::Daily, date};
        break;
    case RecurrenceRule::Weekly:
        if (rule.byMonth.empty() && rule.bySetPos.empty() &&
            (rule.byDay.empty() ||
             (rule.byDay.size() == 1 && rule.byDay[0] == RecurrenceRule::Weekday{0, weekday})))
            return EntryRepeat{RepeatRule::Weekly, date};
        break;
    case RecurrenceRule::Monthly:
        if (!rule.byDay.empty() || !rule.byMonth.empty())
            break;
        if (rule.bySetPos.empty() && only(rule.byMonthDay, start.day) && start.day <= 28)
            return EntryRepeat{RepeatRule::Monthly, date};
        // The last of the 28th up to the entry's day: that day, or the month's
        // last when it is shorter.
        if (lastSet && start.day >= 29 && rule.byMonthDay == days(28, start.day))
            return EntryRepeat{RepeatRule::Monthly, date};
        break;
    case RecurrenceRule::Yearly:
        if (!rule.byDay.empty())
            break;
        if (rule.bySetPos.empty() && rule.byYearDay.empty() && only(rule.byMonth, start.month) &&
            (rule.byMonthDay.empty() ||
             (rule.byMonth.size() == 1 && only(rule.byMonthDay, start.day))))
            return EntryRepeat{RepeatRule::Yearly, date};
        // From 29 February: the last of February, or the year's 60th day.
        if (start.month == 2 && start.day == 29 &&
            ((lastSet && rule.byMonth == std::vector<int>{2} && rule.byMonthDay == days(28, 29) &&
              rule.byYearDay.empty()) ||
             (rule.bySetPos.empty() && rule.byMonth.empty() && rule.byMonthDay.empty() &&
              rule.byYearDay == std::vector<int>{60})))
            return EntryRepeat{RepeatRule::Yearly, date};
        break;
    }
    return std::nullopt;
}

std::string RepeatRuleText(RepeatRule rule, const CivilDate& anchor, LeapDayRule leapDay)
{
    const auto lastOfDays = [](int to) {
        std::string text = "BYMONTHDAY=28";
        for (int d = 29; d <= to; ++d)
            text += "," + std::to_string(d);
        return text + ";BYSETPOS=-1";
    };
    // A day the anchor's month lacks counts as the month's last, as the entry's
    // dates take it.
    const int day = std::max(1, std::min(anchor.day, MonthLength(anchor.year, anchor.month)));
    switch (rule) {
    case RepeatRule::Daily:
        return "FREQ=DAILY";
    case RepeatRule::Weekly:
        return "FREQ=WEEKLY";
    // A plain rule skips the months, or the years, that lack the day; the entry's
    // falls on the last day instead (or on 1 March, as the user chose).
    case RepeatRule::Monthly:
        return day <= 28 ? "FREQ=MONTHLY" : "FREQ=MONTHLY;" + lastOfDays(day);
    case RepeatRule::Yearly:
        if (anchor.month != 2 || day != 29)
            return "FREQ=YEARLY";
        if (leapDay == LeapDayRule::March1)
            return "FREQ=YEARLY;BYYEARDAY=60";
        return "FREQ=YEARLY;BYMONTH=2;" + lastOfDays(29);
    case RepeatRule::None:
    default:
        return {};
    }
}

}  // namespace plover::ical
