#include "schedule/DaysLeft.h"

namespace plover {

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int MonthLength(int year, int month)
{
    static const int kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kLengths[month - 1];
}

int CalcDaysLeft(int todayYear, int todayMonth, int todayDay,
                 unsigned targetYear, unsigned targetMonth, unsigned targetDay)
{
    // Entry fields are unsigned 16-bit, so they always fit an int.
    const int Y = todayYear, M = todayMonth, D = todayDay;
    const int y = static_cast<int>(targetYear), m = static_cast<int>(targetMonth),
              d = static_cast<int>(targetDay);
    if (y < Y || (y == Y && m < M) || (y == Y && m == M && d < D))
        return -1;

    int days = 0;
    for (int k = Y + 1; k < y; ++k)
        days += IsLeapYear(k) ? 366 : 365;
    if (y > Y) {
        for (int month = M + 1; month <= 12; ++month)
            days += MonthLength(Y, month);
        if (M >= 1 && M <= 12)
            days += MonthLength(Y, M) - D;
        for (int month = 1; month < m; ++month)
            days += MonthLength(y, month);
        days += d;
    } else {
        for (int month = M; month < m; ++month)
            days += MonthLength(y, month);
        days += d - D;
    }
    return days;
}

}  // namespace plover
