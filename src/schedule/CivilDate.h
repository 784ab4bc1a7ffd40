// A date of the proleptic Gregorian calendar, and its day number: days since
// 1970-01-01 (negative before), so that dates are counted and stepped by plain
// arithmetic.  The schedule's repeats and the calendar files both count with it.
#pragma once

#include <cstdint>

namespace plover {

struct CivilDate {
    int year = 0;
    int month = 1;
    int day = 1;
};

inline bool operator==(const CivilDate& a, const CivilDate& b)
{
    return a.year == b.year && a.month == b.month && a.day == b.day;
}
inline bool operator!=(const CivilDate& a, const CivilDate& b) { return !(a == b); }
inline bool operator<(const CivilDate& a, const CivilDate& b)
{
    if (a.year != b.year)
        return a.year < b.year;
    return a.month != b.month ? a.month < b.month : a.day < b.day;
}

// Days since 1970-01-01 of a date whose month is 1..12; a day past the month's end
// runs on into the next month (31 April is 1 May).
std::int64_t DaysFromCivil(int year, int month, int day);
CivilDate CivilFromDays(std::int64_t days);

}  // namespace plover
