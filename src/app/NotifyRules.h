// What Plover shows in the notification area and when it tells the user of the
// target without their looking: the number on the icon, its tooltip, and the
// notices of the day before, some minutes before and the target minute itself.
// Whole minutes of local time; no window needed.
#pragma once

#include <optional>
#include <string>

#include "services/LocalTime.h"
#include "view/ViewTexts.h"

namespace plover {

// The icon's few characters and its tooltip, from the target panel's texts: the
// days left ("5"; more than 999 as "千+"), "今" on the day, "済" once passed or
// the days since when counting up; no number without a target.
struct TrayTexts {
    std::wstring number;
    std::wstring tooltip;  // "卒業式まで あと5日"
};
TrayTexts MakeTrayTexts(const TargetTexts& texts);

enum class NoticeKind {
    DayBefore = 1,
    MinutesBefore = 2,
    TargetTime = 3,
};

// The 通知 page's choices.
struct NoticeChoices {
    bool atTargetTime = true;
    bool dayBefore = true;
    int dayBeforeHour = 20;
    int dayBeforeMinute = 0;
    bool minutesBefore = false;
    int minutes = 10;
};

// The notice whose minute `now` is, for a target at `target` (seconds play no
// part); the nearer one when two fall in the same minute.
std::optional<NoticeKind> NoticeDueAt(const LocalTime& now, const LocalTime& target,
                                      const NoticeChoices& choices);

// Names one notice of one occurrence ("202612101900-3"), so it is shown once
// however often the program starts within its minute.
std::wstring NoticeKey(const LocalTime& target, NoticeKind kind);

}  // namespace plover
