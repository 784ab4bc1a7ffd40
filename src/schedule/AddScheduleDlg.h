// The add dialog: one new entry typed in, with a picture chosen and previewed.
// On OK the opener appends Entry() at the tail of the schedule.
#pragma once

#include <string>

#include "schedule/PloverFile.h"
#include "schedule/ScheduleDialog.h"

namespace plover {

class CAddScheduleDlg : public CScheduleDialog {
public:
    // The date fields start on today; the year cannot be spun below it.
    CAddScheduleDlg(HWND parent, int todayYear, int todayMonth, int todayDay);

    const CPloverFile& Entry() const { return m_Entry; }

protected:
    bool OnInitDialog() override;
    bool OnOK() override;
    bool OnCommand(UINT id, UINT notifyCode, HWND control) override;

private:
    int m_nInitYear;
    int m_nInitMonth;
    int m_nInitDay;
    CPloverFile m_Entry;
    // The chosen picture's full path; it may still have to come into the program's
    // folder.
    std::wstring m_strPicture;
};

}  // namespace plover
