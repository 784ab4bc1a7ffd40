#include "options/TimerPage.h"

#include "options/OptionsRules.h"
#include "resource.h"

namespace plover {

namespace {

// What the arrows reach; a typed number may lie outside.
constexpr int kMostSeconds = 3600;

}  // namespace

CMyPropertyPageIcon::CMyPropertyPageIcon() : CPropertyPage(IDD_OPTIONS_TIMER) {}

bool CMyPropertyPageIcon::OnInitDialog()
{
    SetCheck(IDC_TIMER_ICON_FLAG, m_IconFlg == 1);
    SetCheck(IDC_TIMER_DESTROY_FLAG, m_DestroyFlg == 1);
    ShowSeconds(IDC_TIMER_ICON_SPIN, IDC_TIMER_ICON_SEC, m_IconSec);
    ShowSeconds(IDC_TIMER_DESTROY_SPIN, IDC_TIMER_DESTROY_SEC, m_DestroySec);
    return true;
}

void CMyPropertyPageIcon::ShowSeconds(UINT spinId, UINT editId, int seconds)
{
    SetSpinRange(spinId, 0, kMostSeconds);
    SetSpinPos(spinId, seconds);
    // The arrows clamp what they show to their range; a stored number beyond it is
    // shown as it is, so only visiting the page never changes it.
    SetItemInt(editId, seconds);
}

bool CMyPropertyPageIcon::OnKillActive()
{
    m_IconFlg = IsChecked(IDC_TIMER_ICON_FLAG) ? 1 : 0;
    m_DestroyFlg = IsChecked(IDC_TIMER_DESTROY_FLAG) ? 1 : 0;
    m_IconSec = ParseSeconds(GetItemText(IDC_TIMER_ICON_SEC));
    m_DestroySec = ParseSeconds(GetItemText(IDC_TIMER_DESTROY_SEC));
    return true;
}

}  // namespace plover
