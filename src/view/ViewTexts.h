// Every text the countdown view paints or lists: the date sentence, the target
// panel in its forms (days left, today, passed, no target) with the countdown the
// title bar shows, the lower panel's captions and this month's schedule list.
// Pure functions of the date and the names handed in, so a new day is just a call
// with the new date.
#pragma once

#include <string>
#include <string_view>

#include "objects/PaintItems.h"

namespace plover {

// "今日は1996年5月12日(日)です"; weekday 1 is Sunday, and a weekday outside 1..7
// leaves the sentence ending in "日(".
std::wstring DateText(int year, int month, int day, int weekday);

// The pieces of the days-left form that are not the name or the number.
inline constexpr std::wstring_view kMadeText = L"まで";
inline constexpr std::wstring_view kAtoText = L"あと";
inline constexpr std::wstring_view kDaysEndText = L"日です";
// The count-up form's: "から" where "まで" stands, no "あと", "日たちました" at the end.
inline constexpr std::wstring_view kSinceText = L"から";
inline constexpr std::wstring_view kDaysPassedText = L"日たちました";

enum class TargetForm {
    DaysLeft,  // name, "まで", "あと", number, "日です" in separate pieces
    Today,     // one pink sentence
    Passed,    // one teal sentence
    CountUp,   // the days-left form's pieces in teal, counting the days since
    NoTarget,  // one black hint: the schedule names no target entry
};

struct TargetTexts {
    TargetForm form = TargetForm::NoTarget;
    std::wstring name;          // days-left and count-up forms: the target's name
    std::wstring days;          // days-left and count-up forms: the number in decimal
    std::wstring_view made;     // "まで" or "から"
    std::wstring_view ato;      // "あと", or nothing when counting up
    std::wstring_view daysEnd;  // "日です" or "日たちました"
    std::wstring sentence;      // every other form: the one line shown
    RgbColour colour;           // text colour of the whole panel
    std::wstring countdown;     // what the title bar shows while the window is inactive
};

// daysLeft as the document counts it: 0 today, -1 (or less) once passed.  A passed
// target with daysSince 1 or more (the day after it is 1) counts up instead of
// saying it is over; 0 keeps the passed sentence.
TargetTexts MakeTargetTexts(std::wstring_view name, int daysLeft, int daysSince = 0);
TargetTexts NoTargetTexts();

// The target panel as the one sentence a screen reader speaks, in the painted
// pieces: the name with "まで" (or "から") that stand together at the upper left,
// one blank for the gap to the line at the lower right, then that line as it reads
// ("卒業式まで あと5日です", "卒業式から 12日たちました"); every other form is its
// one painted sentence.
std::wstring SpokenTarget(const TargetTexts& texts);

inline constexpr std::wstring_view kListCaption = L" 今月の予定 ";
inline constexpr std::wstring_view kClockCaption = L" 只今の時間 ";

// One row of this month's list: column 0 and column 1.
struct MonthListItem {
    std::wstring item;  // " 5日 name", "12日 name"
    std::wstring days;  // "あと  5日", "あと 12日"
};

// Entries of today's month dated today or later, listed in schedule order (never
// sorted); hour and minute play no part.
bool IsInMonthList(unsigned year, unsigned month, unsigned day, int todayYear, int todayMonth,
                   int todayDay);

MonthListItem MakeMonthListItem(unsigned day, int todayDay, std::wstring_view name);

// The month list's one row while the schedule holds no entry at all: what to do
// first.  Longest first; the list shows the first that fits its width, and the
// first is the row's own text, the one a screen reader reads.
inline constexpr std::wstring_view kEmptyScheduleHints[] = {
    L"［ﾃﾞｰﾀ］→［追加］で予定を追加できます（iCalendar ﾌｧｲﾙの読み込みも［ﾌｧｲﾙ］から）",
    L"［ﾃﾞｰﾀ］→［追加］で予定を追加（iCalendar は［ﾌｧｲﾙ］から）",
    L"［ﾃﾞｰﾀ］→［追加］で予定を追加できます",
};

}  // namespace plover
