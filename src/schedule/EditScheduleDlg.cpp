#include "schedule/EditScheduleDlg.h"

#include "framework/TextConv.h"
#include "resource.h"
#include "schedule/PictureImport.h"
#include "schedule/ScheduleEdits.h"

namespace plover {

namespace {

constexpr EntryFieldIds kLeft{IDC_EDIT_LEFT_YEAR,   IDC_EDIT_LEFT_MONTH,
                              IDC_EDIT_LEFT_DAY,    IDC_EDIT_LEFT_HOUR,
                              IDC_EDIT_LEFT_MINUTE, IDC_EDIT_LEFT_DESCRIPTION,
                              IDC_EDIT_LEFT_PICTURE_NAME};
constexpr EntryFieldIds kRight{IDC_EDIT_YEAR,   IDC_EDIT_MONTH,       IDC_EDIT_DAY,
                               IDC_EDIT_HOUR,   IDC_EDIT_MINUTE,      IDC_EDIT_DESCRIPTION,
                               IDC_EDIT_PICTURE_NAME, IDC_EDIT_REPEAT};
constexpr std::size_t kLeftPane = 0;
constexpr std::size_t kRightPane = 1;

}  // namespace

CEditScheduleDlg::CEditScheduleDlg(HWND owner, const CScheduleList& schedule, int todayYear)
    : CScheduleDialog(IDD_EDIT_SCHEDULE, owner, IDC_EDIT_LEFT_FRAME, IDC_EDIT_RIGHT_FRAME),
      m_Schedule(schedule),
      m_nTodayYear(todayYear)
{
}

bool CEditScheduleDlg::OnInitDialog()
{
    LimitEntryTexts(IDC_EDIT_NAME, IDC_EDIT_DESCRIPTION);
    m_WorkList = CopySchedule(m_Schedule);
    FillNames(IDC_EDIT_LIST, m_WorkList);
    SetDateSpinRanges(m_nTodayYear);
    FillRepeatChoices(IDC_EDIT_REPEAT);
    return true;
}

bool CEditScheduleDlg::OnCommand(UINT id, UINT notifyCode, HWND control)
{
    switch (id) {
    case IDC_EDIT_LIST:
        if (notifyCode == LBN_SELCHANGE)
            ShowSelected();
        return true;
    case IDC_EDIT_APPLY:
        ApplyRightHalf();
        return true;
    case IDC_CHOOSE_PICTURE:
        ChoosePicture();
        return true;
    default:
        return false;
    }
}

void CEditScheduleDlg::ShowSelected()
{
    const int selection = GetListSelection(IDC_EDIT_LIST);
    const CPloverFile* entry = EntryAt(m_WorkList, selection);
    if (!entry)
        return;
    m_strChosen.clear();
    const std::wstring picture = PicturePath(static_cast<std::size_t>(selection));
    ShowEntry(kLeft, *entry);
    ShowPicture(kLeftPane, picture);
    SetItemSjis(IDC_EDIT_NAME, entry->Name());
    ShowEntry(kRight, *entry);
    ShowPicture(kRightPane, picture);
}

void CEditScheduleDlg::ApplyRightHalf()
{
    const int selection = RequireSelection(IDC_EDIT_LIST);
    if (selection < 0)
        return;
    const auto index = static_cast<std::size_t>(selection);
    CPloverFile& entry = *m_WorkList.at(index);
    const std::string before(entry.BmpFile());
    ReadEntry(kRight, IDC_EDIT_NAME, entry);
    if (!m_strChosen.empty()) {
        if (IsWhereLookedUp(m_strChosen))
            m_Pending.erase(index);
        else if (const auto known = m_Pending.find(index); known != m_Pending.end())
            known->second.source = m_strChosen;
        else
            m_Pending[index] = {m_strChosen, before};
    }
    FillNames(IDC_EDIT_LIST, m_WorkList);
    SetListSelection(IDC_EDIT_LIST, selection);
    ShowSelected();
}

void CEditScheduleDlg::ChoosePicture()
{
    const auto chosen = ChoosePictureFile(m_hWnd);
    if (!chosen)
        return;
    m_strChosen = *chosen;
    SetItemText(IDC_EDIT_PICTURE_NAME, BareFileName(m_strChosen));
    ShowPicture(kRightPane, m_strChosen);
}

std::wstring CEditScheduleDlg::PicturePath(std::size_t index) const
{
    const CPloverFile& entry = *m_WorkList.at(index);
    const auto pending = m_Pending.find(index);
    if (pending != m_Pending.end() && SjisToWide(entry.BmpFile()) == BareFileName(pending->second.source))
        return pending->second.source;
    return StoredPicture(entry);
}

bool CEditScheduleDlg::OnOK()
{
    for (const auto& [index, picture] : m_Pending) {
        CPloverFile& entry = *m_WorkList.at(index);
        if (SjisToWide(entry.BmpFile()) != BareFileName(picture.source))
            continue;
        if (!ImportPicture(m_hWnd, picture.source))
            CPloverFile::SetText(entry.m_szBmpFile, CPloverFile::kBmpFileSize, picture.previous);
    }
    return true;
}

}  // namespace plover
