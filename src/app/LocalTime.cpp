#include "app/LocalTime.h"

#include <ctime>
#include <utility>

namespace plover {

namespace {

std::function<LocalTime()>& Source()
{
    static std::function<LocalTime()> source;
    return source;
}

LocalTime SystemNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
#if defined(_WIN32)
    localtime_s(&parts, &now);
#else
    localtime_r(&now, &parts);
#endif
    LocalTime t;
    t.year = parts.tm_year + 1900;
    t.month = parts.tm_mon + 1;
    t.day = parts.tm_mday;
    t.weekday = parts.tm_wday + 1;
    t.hour = parts.tm_hour;
    t.minute = parts.tm_min;
    t.second = parts.tm_sec;
    return t;
}

}  // namespace

LocalTime Now()
{
    return Source() ? Source()() : SystemNow();
}

void SetNowSource(std::function<LocalTime()> source)
{
    Source() = std::move(source);
}

int WeekdayOf(int year, int month, int day)
{
    // Zeller's congruence, shifted so that Sunday is 1.
    if (month < 3) {
        month += 12;
        year -= 1;
    }
    const int k = year % 100;
    const int j = year / 100;
    const int h = (day + 13 * (month + 1) / 5 + k + k / 4 + j / 4 + 5 * j) % 7;  // 0 = Saturday
    return (h + 6) % 7 + 1;
}

}  // namespace plover
