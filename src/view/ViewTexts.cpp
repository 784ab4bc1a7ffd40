#include "view/ViewTexts.h"

namespace plover {

namespace {

constexpr RgbColour kTodayPink{255, 0, 128};
constexpr RgbColour kPassedTeal{0, 128, 128};

// The hint stands where the countdown would be when the schedule is empty or the
// target position names no entry.
constexpr std::wstring_view kNoTargetText = L"ターゲットが選ばれていません";

std::wstring Decimal(long long value)
{
    return std::to_wstring(value);
}

}  // namespace

std::wstring DateText(int year, int month, int day, int weekday)
{
    static const wchar_t* const kWeekdays[7] = {
        L"日)です", L"月)です", L"火)です", L"水)です", L"木)です", L"金)です", L"土)です",
    };
    std::wstring text =
        L"今日は" + Decimal(year) + L"年" + Decimal(month) + L"月" + Decimal(day) + L"日(";
    if (weekday >= 1 && weekday <= 7)
        text += kWeekdays[weekday - 1];
    return text;
}

TargetTexts MakeTargetTexts(std::wstring_view name, int daysLeft, int daysSince)
{
    TargetTexts texts;
    texts.colour = kBlack;
    if (daysLeft >= 1 || (daysLeft < 0 && daysSince >= 1)) {
        const bool countUp = daysLeft < 0;
        texts.form = countUp ? TargetForm::CountUp : TargetForm::DaysLeft;
        texts.name = name;
        texts.days = Decimal(countUp ? daysSince : daysLeft);
        texts.made = countUp ? kSinceText : kMadeText;
        texts.ato = countUp ? std::wstring_view() : kAtoText;
        texts.daysEnd = countUp ? kDaysPassedText : kDaysEndText;
        if (countUp)
            texts.colour = kPassedTeal;
        texts.countdown = texts.name + L" " + std::wstring(texts.made) + L" " + texts.days + L"日";
        return texts;
    }
    if (daysLeft == 0) {
        texts.form = TargetForm::Today;
        texts.sentence = L"本日は " + std::wstring(name) + L" です";
        texts.colour = kTodayPink;
    } else {
        texts.form = TargetForm::Passed;
        texts.sentence = std::wstring(name) + L" は終わりました";
        texts.colour = kPassedTeal;
    }
    texts.countdown = texts.sentence;
    return texts;
}

TargetTexts NoTargetTexts()
{
    TargetTexts texts;
    texts.form = TargetForm::NoTarget;
    texts.sentence = kNoTargetText;
    texts.colour = kBlack;
    return texts;
}

std::wstring SpokenTarget(const TargetTexts& texts)
{
    if (texts.form != TargetForm::DaysLeft && texts.form != TargetForm::CountUp)
        return texts.sentence;
    return texts.name + std::wstring(texts.made) + L" " + std::wstring(texts.ato) + texts.days +
           std::wstring(texts.daysEnd);
}

bool IsInMonthList(unsigned year, unsigned month, unsigned day, int todayYear, int todayMonth,
                   int todayDay)
{
    return static_cast<long long>(year) == todayYear &&
           static_cast<long long>(month) == todayMonth && static_cast<long long>(day) >= todayDay;
}

MonthListItem MakeMonthListItem(unsigned day, int todayDay, std::wstring_view name)
{
    // The blanks keep one- and two-digit numbers right-aligned in the list's font.
    const long long difference = static_cast<long long>(day) - todayDay;
    MonthListItem row;
    row.days = L"あと " + std::wstring(difference >= 0 && difference < 10 ? L" " : L"") +
               Decimal(difference) + L"日";
    row.item = std::wstring(day < 10 ? L" " : L"") + Decimal(day) + L"日 " + std::wstring(name);
    return row;
}

}  // namespace plover
