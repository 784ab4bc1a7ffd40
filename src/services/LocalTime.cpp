#include "services/LocalTime.h"

#include <ctime>
#include <utility>

namespace plover {

namespace {

std::function<LocalTime()>& Source()
{
    static std::function<LocalTime()> source;
    return source;
}

LocalTime FromParts(const std::tm& parts)
{
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

LocalTime SystemNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
#if defined(_WIN32)
    localtime_s(&parts, &now);
#else
    localtime_r(&now, &parts);
#endif
    return FromParts(parts);
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

LocalTime MakeLocalTime(int year, int month, int day, int hour, int minute)
{
    std::tm parts{};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    parts.tm_hour = hour;
    parts.tm_min = minute;
    parts.tm_isdst = -1;  // daylight saving as the platform has it then
    if (std::mktime(&parts) == static_cast<std::time_t>(-1))
        return LocalTime{year, month, day, WeekdayOf(year, month, day), hour, minute, 0};
    return FromParts(parts);
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
