// The target dialog: the entry the countdown counts to, chosen from the list with
// its fields and picture shown.  There is no cancel button; Esc and the close box
// leave the target as it was.
#pragma once

#include <cstdint>

#include "schedule/ScheduleDialog.h"

namespace plover {

class CTargetSelectDlg : public CScheduleDialog {
public:
    CTargetSelectDlg(HWND owner, const CScheduleList& schedule, std::int32_t target);

    // After OK: the chosen position, or -1 when nothing was chosen.
    std::int32_t Target() const { return m_nTarget; }

protected:
    bool OnInitDialog() override;
    bool OnOK() override;
    bool OnCommand(UINT id, UINT notifyCode, HWND control) override;

private:
    const CScheduleList& m_Schedule;
    std::int32_t m_nTarget;
};

}  // namespace plover
