#include "schedule/AddScheduleDlg.h"

#include "resource.h"
#include "schedule/PictureImport.h"

namespace plover {

namespace {

constexpr EntryFieldIds kFields{IDC_ADD_YEAR,   IDC_ADD_MONTH,       IDC_ADD_DAY,
                                IDC_ADD_HOUR,   IDC_ADD_MINUTE,      IDC_ADD_DESCRIPTION,
                                IDC_ADD_PICTURE_NAME, IDC_ADD_REPEAT};

}  // namespace

CAddScheduleDlg::CAddScheduleDlg(HWND parent, int todayYear, int todayMonth, int todayDay)
    : CScheduleDialog(IDD_ADD_SCHEDULE, parent, IDC_ADD_FRAME),
      m_nInitYear(todayYear),
      m_nInitMonth(todayMonth),
      m_nInitDay(todayDay)
{
}

bool CAddScheduleDlg::OnInitDialog()
{
    SetDateSpinRanges(m_nInitYear);
    SetSpinPos(IDC_SPIN_YEAR, m_nInitYear);
    SetSpinPos(IDC_SPIN_MONTH, m_nInitMonth);
    SetSpinPos(IDC_SPIN_DAY, m_nInitDay);
    SetSpinPos(IDC_SPIN_HOUR, 0);
    SetSpinPos(IDC_SPIN_MINUTE, 0);
    LimitEntryTexts(IDC_ADD_NAME, IDC_ADD_DESCRIPTION);
    FillRepeatChoices(IDC_ADD_REPEAT);
    return true;  // the focus goes to OK, first in the tab order
}

bool CAddScheduleDlg::OnCommand(UINT id, UINT notifyCode, HWND control)
{
    if (id != IDC_CHOOSE_PICTURE)
        return false;
    if (const auto chosen = ChoosePictureFile(m_hWnd)) {
        m_strPicture = *chosen;
        SetItemText(IDC_ADD_PICTURE_NAME, BareFileName(m_strPicture));
        ShowPicture(0, m_strPicture);
    }
    return true;
}

bool CAddScheduleDlg::OnOK()
{
    ReadEntry(kFields, IDC_ADD_NAME, m_Entry);
    if (!m_strPicture.empty() && !ImportPicture(m_hWnd, m_strPicture))
        CPloverFile::SetText(m_Entry.m_szBmpFile, CPloverFile::kBmpFileSize, {});
    return true;
}

}  // namespace plover
