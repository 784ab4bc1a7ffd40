// The notices page: whether Plover tells of the target at its time, the day before
// at a chosen time, and a chosen number of minutes before.
#pragma once

#include "framework/PropertySheet.h"

namespace plover {

class CMyPropertyPageNotice : public CPropertyPage {
public:
    CMyPropertyPageNotice();

    int m_AtTime = 1;
    int m_DayBefore = 1;
    int m_DayBeforeHour = 20;
    int m_DayBeforeMinute = 0;
    int m_MinutesBefore = 0;
    int m_Minutes = 10;

protected:
    bool OnInitDialog() override;
    bool OnKillActive() override;
};

}  // namespace plover
