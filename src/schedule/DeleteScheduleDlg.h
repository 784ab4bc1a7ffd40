// The delete dialog: entries removed from a working copy of the schedule, the
// target index following each removal; OK ("終了") hands both back, cancel forgets
// them.
#pragma once

#include <cstdint>

#include "schedule/ScheduleDialog.h"

namespace plover {

class CDeleteScheduleDlg : public CScheduleDialog {
public:
    CDeleteScheduleDlg(HWND owner, const CScheduleList& schedule, std::int32_t target);

    const CScheduleList& WorkList() const { return m_WorkList; }
    std::int32_t Target() const { return m_nTarget; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(UINT id, UINT notifyCode, HWND control) override;

private:
    void DeleteSelected();

    const CScheduleList& m_Schedule;
    CScheduleList m_WorkList;
    std::int32_t m_nTarget;
};

}  // namespace plover
