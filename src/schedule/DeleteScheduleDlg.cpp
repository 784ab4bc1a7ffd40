#include "schedule/DeleteScheduleDlg.h"

#include "resource.h"
#include "schedule/ScheduleEdits.h"

namespace plover {

namespace {

constexpr EntryFieldIds kFields{IDC_DELETE_YEAR,   IDC_DELETE_MONTH,       IDC_DELETE_DAY,
                                IDC_DELETE_HOUR,   IDC_DELETE_MINUTE,      IDC_DELETE_DESCRIPTION,
                                IDC_DELETE_PICTURE_NAME};

}  // namespace

CDeleteScheduleDlg::CDeleteScheduleDlg(HWND owner, const CScheduleList& schedule,
                                       std::int32_t target)
    : CScheduleDialog(IDD_DELETE_SCHEDULE, owner, IDC_DELETE_FRAME),
      m_Schedule(schedule),
      m_nTarget(target)
{
}

bool CDeleteScheduleDlg::OnInitDialog()
{
    m_WorkList = CopySchedule(m_Schedule);
    FillNames(IDC_DELETE_LIST, m_WorkList);
    return true;
}

bool CDeleteScheduleDlg::OnCommand(UINT id, UINT notifyCode, HWND control)
{
    switch (id) {
    case IDC_DELETE_LIST:
        if (notifyCode == LBN_SELCHANGE)
            ShowChosenEntry(IDC_DELETE_LIST, m_WorkList, kFields);
        return true;
    case IDC_DELETE_ENTRY:
        DeleteSelected();
        return true;
    default:
        return false;
    }
}

void CDeleteScheduleDlg::DeleteSelected()
{
    const int selection = RequireSelection(IDC_DELETE_LIST);
    if (selection < 0)
        return;
    ::SendMessageW(Item(IDC_DELETE_LIST), LB_DELETESTRING, static_cast<WPARAM>(selection), 0);
    DeleteEntry(m_WorkList, m_nTarget, static_cast<std::size_t>(selection));
    // The removed entry stays on show until another is chosen; a second deletion
    // needs a choice of its own.
    SetListSelection(IDC_DELETE_LIST, -1);
}

}  // namespace plover
