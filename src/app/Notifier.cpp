#include "app/Notifier.h"

#include <cstdio>

#include "framework/TextConv.h"

namespace plover {

CNotifier::CNotifier(HWND frame, UINT callbackMessage, HICON programIcon)
    : m_Icon(frame, callbackMessage, programIcon),
      m_strLastNotice(Read(Settings(), cfg::LastNotice))
{
}

void CNotifier::Apply(const CPloverSettings& settings)
{
    m_bTray = settings.trayIcon == 1;
    m_bHideMinimized = settings.trayWhenMinimized == 1;
    m_Choices.atTargetTime = settings.noticeAtTime == 1;
    m_Choices.dayBefore = settings.noticeDayBefore == 1;
    m_Choices.dayBeforeHour = settings.noticeDayBeforeHour;
    m_Choices.dayBeforeMinute = settings.noticeDayBeforeMinute;
    m_Choices.minutesBefore = settings.noticeMinutesBefore == 1;
    m_Choices.minutes = settings.noticeMinutes;
    if (!m_bTray)
        m_Icon.HideDays();
}

void CNotifier::Tick(const LocalTime& now, const CPloverFile* target, const TargetTexts& texts,
                     UINT dpi)
{
    if (m_bTray)
        m_Icon.ShowDays(MakeTrayTexts(texts), dpi);
    if (!target)
        return;
    const LocalTime moment{target->m_wYear, target->m_wMonth, target->m_wDay, 0,
                           target->m_wHour, target->m_wMinute, 0};
    const auto due = NoticeDueAt(now, moment, m_Choices);
    if (!due)
        return;
    const std::wstring key = NoticeKey(moment, *due);
    if (key == m_strLastNotice)
        return;
    m_strLastNotice = key;
    Write(Settings(), cfg::LastNotice, key);
    ShowNotice(*due, *target);
}

void CNotifier::ShowNotice(NoticeKind kind, const CPloverFile& target)
{
    const std::wstring name = SjisToWide(target.Name());
    wchar_t time[16];
    std::swprintf(time, sizeof time / sizeof time[0], L"%d:%02d", target.m_wHour, target.m_wMinute);
    std::wstring title = name;
    if (kind == NoticeKind::DayBefore)
        title = L"明日 " + std::wstring(time) + L" " + name;
    else if (kind == NoticeKind::MinutesBefore)
        title = std::to_wstring(m_Choices.minutes) + L"分後 " + name;
    const std::wstring description = SjisToWide(target.Description());
    m_Icon.Notify(title, description.empty() ? std::wstring(time) : description);
}

CNotifier::Action CNotifier::OnCallback(LPARAM lParam)
{
    const UINT event = LOWORD(lParam);
    m_Icon.OnEvent(event);
    switch (event) {
    case NIN_SELECT:
    case NIN_KEYSELECT:
    case NIN_BALLOONUSERCLICK:
        return Action::ShowWindow;
    case WM_CONTEXTMENU:
        return Action::ShowMenu;
    default:
        return Action::None;
    }
}

void CNotifier::Remove()
{
    m_Icon.Remove();
}

}  // namespace plover
