#include "options/NoticePage.h"

#include <algorithm>

#include "resource.h"

namespace plover {

namespace {

// A week ahead at most: further than that a notice is no reminder.
constexpr int kMostMinutes = 7 * 24 * 60;

}  // namespace

CMyPropertyPageNotice::CMyPropertyPageNotice() : CPropertyPage(IDD_OPTIONS_NOTICE) {}

bool CMyPropertyPageNotice::OnInitDialog()
{
    SetCheck(IDC_NOTICE_AT_TIME, m_AtTime == 1);
    SetCheck(IDC_NOTICE_DAY_BEFORE, m_DayBefore == 1);
    SetCheck(IDC_NOTICE_MINUTES_BEFORE, m_MinutesBefore == 1);
    SetSpinRange(IDC_NOTICE_HOUR_SPIN, 0, 23);
    SetSpinRange(IDC_NOTICE_MINUTE_SPIN, 0, 59);
    SetSpinRange(IDC_NOTICE_MINUTES_SPIN, 1, kMostMinutes);
    SetItemInt(IDC_NOTICE_HOUR, m_DayBeforeHour);
    SetItemInt(IDC_NOTICE_MINUTE, m_DayBeforeMinute);
    SetItemInt(IDC_NOTICE_MINUTES, m_Minutes);
    return true;
}

bool CMyPropertyPageNotice::OnKillActive()
{
    m_AtTime = IsChecked(IDC_NOTICE_AT_TIME) ? 1 : 0;
    m_DayBefore = IsChecked(IDC_NOTICE_DAY_BEFORE) ? 1 : 0;
    m_MinutesBefore = IsChecked(IDC_NOTICE_MINUTES_BEFORE) ? 1 : 0;
    // A number typed beyond the arrows' range takes the nearest the notices can use.
    const auto number = [this](UINT id, int least, int most, int fallback) {
        return std::clamp(GetItemInt(id).value_or(fallback), least, most);
    };
    m_DayBeforeHour = number(IDC_NOTICE_HOUR, 0, 23, m_DayBeforeHour);
    m_DayBeforeMinute = number(IDC_NOTICE_MINUTE, 0, 59, m_DayBeforeMinute);
    m_Minutes = number(IDC_NOTICE_MINUTES, 1, kMostMinutes, m_Minutes);
    return true;
}

}  // namespace plover
