#include "app/NotifyRules.h"

#include <cstdio>

#include "schedule/DaysLeft.h"

namespace plover {

TrayTexts MakeTrayTexts(const TargetTexts& texts)
{
    TrayTexts tray;
    switch (texts.form) {
    case TargetForm::DaysLeft:
        tray.number = texts.days.size() > 3 ? L"千+" : texts.days;
        tray.tooltip = texts.name + std::wstring(texts.made) + L" " + std::wstring(texts.ato) +
                       texts.days + L"日";
        break;
    case TargetForm::CountUp:
        tray.number = texts.days.size() > 3 ? L"千+" : texts.days;
        tray.tooltip = texts.name + std::wstring(texts.made) + L" " + texts.days +
                       std::wstring(texts.daysEnd);
        break;
    case TargetForm::Today:
        tray.number = L"今";
        tray.tooltip = texts.sentence;
        break;
    case TargetForm::Passed:
        tray.number = L"済";
        tray.tooltip = texts.sentence;
        break;
    case TargetForm::NoTarget:
        tray.tooltip = L"Plover";
        break;
    }
    return tray;
}

std::optional<NoticeKind> NoticeDueAt(const LocalTime& now, const LocalTime& target,
                                      const NoticeChoices& choices)
{
    const int days = CalcDaysLeft(now.year, now.month, now.day, static_cast<unsigned>(target.year),
                                  static_cast<unsigned>(target.month),
                                  static_cast<unsigned>(target.day));
    if (days < 0)
        return std::nullopt;
    const long long minutesLeft = static_cast<long long>(days) * 24 * 60 +
                                  (target.hour * 60 + target.minute) - (now.hour * 60 + now.minute);
    if (minutesLeft == 0)
        return choices.atTargetTime ? std::optional(NoticeKind::TargetTime) : std::nullopt;
    if (choices.minutesBefore && choices.minutes > 0 && minutesLeft == choices.minutes)
        return NoticeKind::MinutesBefore;
    if (choices.dayBefore && days == 1 && now.hour == choices.dayBeforeHour &&
        now.minute == choices.dayBeforeMinute)
        return NoticeKind::DayBefore;
    return std::nullopt;
}

std::wstring NoticeKey(const LocalTime& target, NoticeKind kind)
{
    wchar_t key[40];
    std::swprintf(key, sizeof key / sizeof key[0], L"%04d%02d%02d%02d%02d-%d", target.year,
                  target.month, target.day, target.hour, target.minute, static_cast<int>(kind));
    return key;
}

}  // namespace plover
