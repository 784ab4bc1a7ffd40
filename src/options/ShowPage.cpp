#include "options/ShowPage.h"

#include "resource.h"

namespace plover {

CMyPropertyPageShow::CMyPropertyPageShow() : CPropertyPage(IDD_OPTIONS_SHOW) {}

bool CMyPropertyPageShow::OnInitDialog()
{
    // Each box is ticked where the window acts on its value: the stars, the menu
    // bar and the 24-hour form on any non-zero value, the rest on 1 only.
    SetCheck(IDC_SHOW_ROLL_STAR, m_RollStar != 0);
    SetCheck(IDC_SHOW_TITLE_BAR, m_TitleBar == 1);
    SetCheck(IDC_SHOW_MENU_BAR, m_MenuBar != 0);
    SetCheck(IDC_SHOW_DATE, m_Date == 1);
    SetCheck(IDC_SHOW_TARGET, m_Target == 1);
    SetCheck(IDC_SHOW_PANEL, m_SC == 1);
    // Anything but the list or the clock is the picture.
    const UINT panel = m_SCI == 1 ? IDC_PANEL_SCHEDULE
                       : m_SCI == 2 ? IDC_PANEL_CLOCK
                                    : IDC_PANEL_PICTURE;
    SetCheck(panel, true);
    SetCheck(IDC_CLOCK_HOUR24, m_Hour24 != 0);
    if (m_GMFont == 1 || m_GMFont == 2)
        SetCheck(m_GMFont == 1 ? IDC_CLOCK_GOTHIC : IDC_CLOCK_MINCHO, true);
    SetCheck(m_LeapDay == 1 ? IDC_SHOW_LEAP_MAR1 : IDC_SHOW_LEAP_FEB28, true);
    SetCheck(IDC_SHOW_COUNT_UP, m_CountUp == 1);
    SetCheck(IDC_SHOW_TRAY_ICON, m_TrayIcon == 1);
    SetCheck(IDC_SHOW_TRAY_MINIMIZED, m_TrayWhenMinimized == 1);
    ShowTrayChoice();
    // The menu-bar box starts enabled whatever the title-bar box shows: the rule
    // below follows clicks only, and a window without its title bar shows no menu
    // bar anyway.
    return true;
}

bool CMyPropertyPageShow::OnKillActive()
{
    m_RollStar = IsChecked(IDC_SHOW_ROLL_STAR) ? 1 : 0;
    m_TitleBar = IsChecked(IDC_SHOW_TITLE_BAR) ? 1 : 0;
    m_MenuBar = IsChecked(IDC_SHOW_MENU_BAR) ? 1 : 0;
    m_Date = IsChecked(IDC_SHOW_DATE) ? 1 : 0;
    m_Target = IsChecked(IDC_SHOW_TARGET) ? 1 : 0;
    m_SC = IsChecked(IDC_SHOW_PANEL) ? 1 : 0;
    if (IsChecked(IDC_PANEL_SCHEDULE))
        m_SCI = 1;
    else if (IsChecked(IDC_PANEL_CLOCK))
        m_SCI = 2;
    else if (IsChecked(IDC_PANEL_PICTURE))
        m_SCI = 3;
    m_Hour24 = IsChecked(IDC_CLOCK_HOUR24) ? 1 : 0;
    // Neither radio chosen is Mincho, as the clock reads any value but 1.
    m_GMFont = IsChecked(IDC_CLOCK_GOTHIC) ? 1 : 2;
    m_LeapDay = IsChecked(IDC_SHOW_LEAP_MAR1) ? 1 : 0;
    m_CountUp = IsChecked(IDC_SHOW_COUNT_UP) ? 1 : 0;
    m_TrayIcon = IsChecked(IDC_SHOW_TRAY_ICON) ? 1 : 0;
    m_TrayWhenMinimized = IsChecked(IDC_SHOW_TRAY_MINIMIZED) ? 1 : 0;
    return true;
}

void CMyPropertyPageShow::ShowTrayChoice()
{
    // Hidden while minimised needs the icon to bring the window back.
    ::EnableWindow(Item(IDC_SHOW_TRAY_MINIMIZED), IsChecked(IDC_SHOW_TRAY_ICON) ? TRUE : FALSE);
}

bool CMyPropertyPageShow::OnCommand(UINT id, UINT notifyCode, HWND)
{
    if (id == IDC_SHOW_TRAY_ICON && notifyCode == BN_CLICKED) {
        ShowTrayChoice();
        return true;
    }
    if (id != IDC_SHOW_TITLE_BAR || notifyCode != BN_CLICKED)
        return false;
    // A window without a title bar shows no menu bar.
    const bool titleBar = IsChecked(IDC_SHOW_TITLE_BAR);
    if (!titleBar)
        SetCheck(IDC_SHOW_MENU_BAR, false);
    ::EnableWindow(Item(IDC_SHOW_MENU_BAR), titleBar ? TRUE : FALSE);
    return true;
}

}  // namespace plover
