// The edit dialog: a working copy of the whole schedule.  The left half shows the
// selected entry as the copy holds it, the right half changes it ("編集" writes it
// into the copy), and OK ("終了") hands the copy back; cancel forgets it.
#pragma once

#include <cstddef>
#include <map>
#include <string>

#include "schedule/ScheduleDialog.h"

namespace plover {

class CEditScheduleDlg : public CScheduleDialog {
public:
    // The year cannot be spun below `todayYear`.
    CEditScheduleDlg(HWND owner, const CScheduleList& schedule, int todayYear);

    // The working copy, in the schedule's order.
    const CScheduleList& WorkList() const { return m_WorkList; }

protected:
    bool OnInitDialog() override;
    bool OnOK() override;
    bool OnCommand(UINT id, UINT notifyCode, HWND control) override;

private:
    void ShowSelected();
    void ApplyRightHalf();
    void ChoosePicture();
    // Where the picture of the working entry at `index` is: a picture chosen from
    // another folder is previewed from there until OK copies it over.
    std::wstring PicturePath(std::size_t index) const;

    // A picture from outside the program's folder that an entry took over with
    // "編集", and the picture the entry had before, kept should the copy fail.
    struct PendingPicture {
        std::wstring source;
        std::string previous;
    };

    const CScheduleList& m_Schedule;
    CScheduleList m_WorkList;
    int m_nTodayYear;
    std::wstring m_strChosen;  // chosen on the right since the selection changed
    std::map<std::size_t, PendingPicture> m_Pending;
};

}  // namespace plover
