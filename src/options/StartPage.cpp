#include "options/StartPage.h"

#include "framework/Paths.h"
#include "resource.h"
#include "services/StartupEntry.h"

namespace plover {

CMyPropertyPageStart::CMyPropertyPageStart() : CPropertyPage(IDD_OPTIONS_START) {}

bool CMyPropertyPageStart::OnInitDialog()
{
    // Each box ticked where the start acts on its value.  The stored values as they
    // are, even a title bar hidden with the menu bar shown: the rule below applies
    // to clicks only.
    SetCheck(IDC_START_NO_TITLE_BAR, m_StartTitleBar != 0);
    SetCheck(IDC_START_NO_MENU_BAR, m_StartMenuBar != 0);
    SetCheck(IDC_START_POSITION, m_StartPosition == 1);
    SetCheck(IDC_START_SIZE, m_StartValue == 1);
    // What Windows will do, read afresh: an entry Task Manager turned off shows off,
    // with the line that says where.
    if (m_strProgramPath.empty())
        m_strProgramPath = ExecutablePath();
    const StartupEntry entry = ReadStartupEntry(m_strProgramPath);
    m_bStartWithWindowsShown = entry.registered && !entry.turnedOffInTaskManager;
    SetCheck(IDC_START_WITH_WINDOWS, m_bStartWithWindowsShown);
    ::ShowWindow(Item(IDC_START_TURNED_OFF), entry.turnedOffInTaskManager ? SW_SHOWNA : SW_HIDE);
    return true;
}

bool CMyPropertyPageStart::OnApply()
{
    // Only a change of the box touches the start-up list: OK on a page left alone
    // keeps an entry the user turned off in Task Manager.
    const bool wanted = IsChecked(IDC_START_WITH_WINDOWS);
    if (wanted == m_bStartWithWindowsShown)
        return true;
    if (wanted)
        WriteStartupEntry(m_strProgramPath, true);
    else
        RemoveStartupEntry();
    m_bStartWithWindowsShown = wanted;
    return true;
}

bool CMyPropertyPageStart::OnKillActive()
{
    m_StartTitleBar = IsChecked(IDC_START_NO_TITLE_BAR) ? 1 : 0;
    m_StartMenuBar = IsChecked(IDC_START_NO_MENU_BAR) ? 1 : 0;
    m_StartPosition = IsChecked(IDC_START_POSITION) ? 1 : 0;
    m_StartValue = IsChecked(IDC_START_SIZE) ? 1 : 0;
    return true;
}

bool CMyPropertyPageStart::OnCommand(UINT id, UINT notifyCode, HWND)
{
    if (id != IDC_START_NO_TITLE_BAR || notifyCode != BN_CLICKED)
        return false;
    // A window that starts without its title bar starts without its menu bar.
    const bool noTitleBar = IsChecked(IDC_START_NO_TITLE_BAR);
    if (noTitleBar)
        SetCheck(IDC_START_NO_MENU_BAR, true);
    ::EnableWindow(Item(IDC_START_NO_MENU_BAR), noTitleBar ? FALSE : TRUE);
    return true;
}

}  // namespace plover
