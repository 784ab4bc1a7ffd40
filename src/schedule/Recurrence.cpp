#include "schedule/Recurrence.h"

#include <algorithm>

#include "schedule/DaysLeft.h"
#include "schedule/PloverFile.h"

namespace plover {

namespace {

// A day past its month's end (a 31 April typed as it is) counts as the month's
// last day; a month outside 1..12 never gets here.
CivilDate Clamped(int year, int month, int day)
{
    return {year, month, std::max(1, std::min(day, MonthLength(year, month)))};
}

std::int64_t Days(const CivilDate& d)
{
    return DaysFromCivil(d.year, d.month, d.day);
}

CivilDate YearlyIn(const CivilDate& first, int year, LeapDayRule leapDay)
{
    if (first.month == 2 && first.day == 29 && !IsLeapYear(year) && leapDay == LeapDayRule::March1)
        return {year, 3, 1};
    return Clamped(year, first.month, first.day);
}

bool Repeats(RepeatRule rule, const CivilDate& anchor)
{
    return rule != RepeatRule::None && anchor.month >= 1 && anchor.month <= 12;
}

}  // namespace

CivilDate NextOccurrence(RepeatRule rule, const CivilDate& anchor, const CivilDate& today,
                         LeapDayRule leapDay)
{
    if (!Repeats(rule, anchor))
        return anchor;
    const CivilDate first = Clamped(anchor.year, anchor.month, anchor.day);
    if (!(first < today))
        return first;
    switch (rule) {
    case RepeatRule::Daily:
        return today;
    case RepeatRule::Weekly: {
        const std::int64_t gap = Days(today) - Days(first);
        return CivilFromDays(Days(today) + (7 - gap % 7) % 7);
    }
    case RepeatRule::Monthly: {
        const CivilDate sameMonth = Clamped(today.year, today.month, first.day);
        if (!(sameMonth < today))
            return sameMonth;
        return today.month == 12 ? Clamped(today.year + 1, 1, first.day)
                                 : Clamped(today.year, today.month + 1, first.day);
    }
    case RepeatRule::Yearly:
    default: {
        const CivilDate sameYear = YearlyIn(first, today.year, leapDay);
        return sameYear < today ? YearlyIn(first, today.year + 1, leapDay) : sameYear;
    }
    }
}

std::vector<CivilDate> OccurrencesInRestOfMonth(RepeatRule rule, const CivilDate& anchor,
                                                const CivilDate& today, LeapDayRule leapDay)
{
    std::vector<CivilDate> dates;
    const CivilDate monthEnd = Clamped(today.year, today.month, 31);
    if (!Repeats(rule, anchor)) {
        if (!(anchor < today) && !(monthEnd < anchor))
            dates.push_back(anchor);
        return dates;
    }
    for (CivilDate d = NextOccurrence(rule, anchor, today, leapDay); !(monthEnd < d);
         d = NextOccurrence(rule, anchor, CivilFromDays(Days(d) + 1), leapDay))
        dates.push_back(d);
    return dates;
}

std::wstring_view RepeatRuleName(RepeatRule rule)
{
    switch (rule) {
    case RepeatRule::Yearly: return L"毎年";
    case RepeatRule::Monthly: return L"毎月";
    case RepeatRule::Weekly: return L"毎週";
    case RepeatRule::Daily: return L"毎日";
    case RepeatRule::None: break;
    }
    return L"しない";
}

void RollForward(CPloverFile& entry, const CivilDate& today, LeapDayRule leapDay)
{
    if (entry.m_Repeat == RepeatRule::None)
        return;
    const CivilDate next = NextOccurrence(entry.m_Repeat, entry.Anchor(), today, leapDay);
    entry.m_wYear = static_cast<std::uint16_t>(next.year);
    entry.m_wMonth = static_cast<std::uint16_t>(next.month);
    entry.m_wDay = static_cast<std::uint16_t>(next.day);
}

}  // namespace plover
