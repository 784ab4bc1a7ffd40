// Days from today to a target date, the number the countdown shows.  Hour and
// minute play no part; a month number outside 1..12 counts as a month of no days,
// which is how stored entries with such months have always counted.
#pragma once

namespace plover {

bool IsLeapYear(int year);

// Days in `month` of `year`; 0 for a month outside 1..12.
int MonthLength(int year, int month);

// 0 when the target date is today, 1 for tomorrow; -1 once the date has passed.
int CalcDaysLeft(int todayYear, int todayMonth, int todayDay,
                 unsigned targetYear, unsigned targetMonth, unsigned targetDay);

}  // namespace plover
