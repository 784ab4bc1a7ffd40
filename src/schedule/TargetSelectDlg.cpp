#include "schedule/TargetSelectDlg.h"

#include "resource.h"

namespace plover {

namespace {

constexpr EntryFieldIds kFields{IDC_TARGET_YEAR,   IDC_TARGET_MONTH,       IDC_TARGET_DAY,
                                IDC_TARGET_HOUR,   IDC_TARGET_MINUTE,      IDC_TARGET_DESCRIPTION,
                                IDC_TARGET_PICTURE_NAME};

}  // namespace

CTargetSelectDlg::CTargetSelectDlg(HWND owner, const CScheduleList& schedule,
                                   std::int32_t target)
    : CScheduleDialog(IDD_TARGET_SELECT, owner, IDC_TARGET_FRAME),
      m_Schedule(schedule),
      m_nTarget(target)
{
}

bool CTargetSelectDlg::OnInitDialog()
{
    FillNames(IDC_TARGET_LIST, m_Schedule);
    SetListSelection(IDC_TARGET_LIST, EntryAt(m_Schedule, m_nTarget) ? m_nTarget : -1);
    ShowChosenEntry(IDC_TARGET_LIST, m_Schedule, kFields);
    return true;
}

bool CTargetSelectDlg::OnCommand(UINT id, UINT notifyCode, HWND control)
{
    if (id != IDC_TARGET_LIST)
        return false;
    if (notifyCode == LBN_SELCHANGE)
        ShowChosenEntry(IDC_TARGET_LIST, m_Schedule, kFields);
    return true;
}

bool CTargetSelectDlg::OnOK()
{
    m_nTarget = GetListSelection(IDC_TARGET_LIST);
    return true;
}

}  // namespace plover
