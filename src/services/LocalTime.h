// The current local date and time as the program sees it.  Everything asks Now()
// instead of the platform, so a test can move the clock (past midnight, to the
// target minute) without touching the machine's time.
#pragma once

#include <functional>

namespace plover {

struct LocalTime {
    int year = 0;
    int month = 0;    // 1..12
    int day = 0;      // 1..31
    int weekday = 0;  // 1 = Sunday ... 7 = Saturday
    int hour = 0;
    int minute = 0;
    int second = 0;

    bool SameDate(const LocalTime& other) const
    {
        return year == other.year && month == other.month && day == other.day;
    }
};

LocalTime Now();

// Replaces the source of Now(); an empty function restores the system clock.
void SetNowSource(std::function<LocalTime()> source);

// The local moment of a date and time as typed, seconds 0; an impossible date
// (31 April, month 13) rolls over the way the C library normalises it.
LocalTime MakeLocalTime(int year, int month, int day, int hour, int minute);

// Weekday (1 = Sunday) of a Gregorian date.
int WeekdayOf(int year, int month, int day);

}  // namespace plover
