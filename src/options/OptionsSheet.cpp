#include "options/OptionsSheet.h"

#include "framework/Help.h"
#include "resource.h"

namespace plover {

namespace {

std::wstring LoadResourceString(UINT id)
{
    const wchar_t* text = nullptr;
    // With a zero length the call hands back a pointer into the resource itself.
    const int length = ::LoadStringW(::GetModuleHandleW(nullptr), id,
                                     reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 && text ? std::wstring(text, static_cast<std::size_t>(length))
                              : std::wstring();
}

template <class Value>
void Carry(bool toPages, Value& member, Value& setting)
{
    if (toPages)
        member = setting;
    else
        setting = member;
}

// The platform's number of a sheet's Help button.
constexpr UINT kHelpButton = 9;

}  // namespace

CMyPropertySheet::CMyPropertySheet(HWND parent)
    : CPropertySheet(LoadResourceString(IDS_OPTIONS_SHEET), parent)
{
    AddPage(m_PageCursor);
    AddPage(m_PageIcon);
    AddPage(m_PageStart);
    AddPage(m_PageShow);
    AddPage(m_PageSound);
    AddPage(m_PageNotice);
}

void CMyPropertySheet::Fill(const CPloverSettings& settings)
{
    CPloverSettings copy = settings;
    Exchange(copy, true);
}

CPloverSettings CMyPropertySheet::Result(CPloverSettings settings)
{
    Exchange(settings, false);
    return settings;
}

void CMyPropertySheet::Exchange(CPloverSettings& settings, bool toPages)
{
    Carry(toPages, m_PageCursor.m_CursorNo, settings.cursor);
    Carry(toPages, m_PageIcon.m_IconFlg, settings.minimizeByTimer);
    Carry(toPages, m_PageIcon.m_IconSec, settings.minimizeAfterSeconds);
    Carry(toPages, m_PageIcon.m_DestroyFlg, settings.closeByTimer);
    Carry(toPages, m_PageIcon.m_DestroySec, settings.closeAfterSeconds);
    Carry(toPages, m_PageStart.m_StartTitleBar, settings.startWithoutTitleBar);
    Carry(toPages, m_PageStart.m_StartMenuBar, settings.startWithoutMenuBar);
    Carry(toPages, m_PageStart.m_StartPosition, settings.startAtLastPosition);
    Carry(toPages, m_PageStart.m_StartValue, settings.startAtLastSize);
    Carry(toPages, m_PageShow.m_RollStar, settings.showStars);
    Carry(toPages, m_PageShow.m_TitleBar, settings.titleBarShown);
    Carry(toPages, m_PageShow.m_MenuBar, settings.menuBarShown);
    Carry(toPages, m_PageShow.m_Date, settings.showDate);
    Carry(toPages, m_PageShow.m_Target, settings.showTarget);
    Carry(toPages, m_PageShow.m_SC, settings.showLowerPanel);
    Carry(toPages, m_PageShow.m_SCI, settings.lowerPanel);
    Carry(toPages, m_PageShow.m_Hour24, settings.clock24Hour);
    Carry(toPages, m_PageShow.m_GMFont, settings.clockFont);
    Carry(toPages, m_PageShow.m_LeapDay, settings.leapDayOnMarch1);
    Carry(toPages, m_PageShow.m_CountUp, settings.countUpWhenPassed);
    Carry(toPages, m_PageShow.m_TrayIcon, settings.trayIcon);
    Carry(toPages, m_PageShow.m_TrayWhenMinimized, settings.trayWhenMinimized);
    Carry(toPages, m_PageSound.m_Sound, settings.playSounds);
    Carry(toPages, m_PageSound.m_StartWav, settings.startSound);
    Carry(toPages, m_PageSound.m_EndWav, settings.exitSound);
    Carry(toPages, m_PageSound.m_VerWav, settings.aboutSound);
    Carry(toPages, m_PageNotice.m_AtTime, settings.noticeAtTime);
    Carry(toPages, m_PageNotice.m_DayBefore, settings.noticeDayBefore);
    Carry(toPages, m_PageNotice.m_DayBeforeHour, settings.noticeDayBeforeHour);
    Carry(toPages, m_PageNotice.m_DayBeforeMinute, settings.noticeDayBeforeMinute);
    Carry(toPages, m_PageNotice.m_MinutesBefore, settings.noticeMinutesBefore);
    Carry(toPages, m_PageNotice.m_Minutes, settings.noticeMinutes);
}

bool CMyPropertySheet::OnSheetCommand(UINT id)
{
    if (id != kHelpButton)
        return false;
    ShowHelp(Parent(), HELP_CONTEXT, 102);
    return true;
}

}  // namespace plover
