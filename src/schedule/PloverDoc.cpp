#include "schedule/PloverDoc.h"

#include <windows.h>

#include <vector>

#include "framework/Help.h"
#include "framework/MessageBox.h"
#include "schedule/DaysLeft.h"
#include "schedule/ScheduleStore.h"
#include "services/LocalTime.h"

namespace plover {

namespace {

void Warn(const std::wstring& text)
{
    ShowMessage(nullptr, text, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

CPloverDoc::CPloverDoc() : m_strFilePath(ScheduleFilePath(ExecutablePath())) {}

bool CPloverDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return false;
    Load();
    ReadToday();
    CalcDaysLeft();
    return true;
}

void CPloverDoc::Load()
{
    RecoverInterruptedWrite(m_strFilePath);
    ScheduleHeader header{m_nCount, m_nTarget};
    const ScheduleLoad load = LoadScheduleFile(m_strFilePath, header, m_ScheduleList);
    m_nCount = header.count;
    m_nTarget = header.target;
    switch (load.outcome) {
    case ScheduleLoad::Loaded:
        return;
    case ScheduleLoad::OpenFailed:
        Warn(FileErrorText(load.error, m_strFilePath));
        break;
    case ScheduleLoad::EndedEarly:
        // Marked before the message: a message box lets other messages run.
        m_bKeepBackup = true;
        SetModifiedFlag();
        Warn(kUnexpectedFormatText);
        break;
    case ScheduleLoad::ReadFailed:
        m_bKeepBackup = true;
        SetModifiedFlag();
        Warn(kOpenFailedText);
        break;
    }
    Warn(kReadFailedText);
}

void CPloverDoc::ReadToday()
{
    const LocalTime now = Now();
    m_nTodayYear = now.year;
    m_nTodayMonth = now.month;
    m_nTodayDay = now.day;
    m_nTodayWeekday = now.weekday;
}

bool CPloverDoc::RefreshToday()
{
    const LocalTime now = Now();
    if (now.year == m_nTodayYear && now.month == m_nTodayMonth && now.day == m_nTodayDay)
        return false;
    ReadToday();
    CalcDaysLeft();
    return true;
}

CPloverFile* CPloverDoc::TargetEntry() const
{
    if (m_nTarget < 0 || static_cast<std::size_t>(m_nTarget) >= m_ScheduleList.size())
        return nullptr;
    return m_ScheduleList[static_cast<std::size_t>(m_nTarget)].get();
}

void CPloverDoc::CalcDaysLeft()
{
    const CPloverFile* target = TargetEntry();
    if (!target)
        return;
    m_nDaysLeft = plover::CalcDaysLeft(m_nTodayYear, m_nTodayMonth, m_nTodayDay, target->m_wYear,
                                       target->m_wMonth, target->m_wDay);
}

void CPloverDoc::AddEntry(const CPloverFile& entry)
{
    Changed(plover::AppendEntry(m_ScheduleList, m_nTarget, entry));
}

void CPloverDoc::AppendEntries(const CScheduleList& entries)
{
    Changed(plover::AppendEntries(m_ScheduleList, m_nTarget, entries));
}

void CPloverDoc::ReplaceEntry(std::size_t index, const CPloverFile& entry)
{
    Changed(plover::ReplaceEntry(m_ScheduleList, m_nTarget, index, entry));
}

void CPloverDoc::DeleteEntry(std::size_t index)
{
    Changed(plover::DeleteEntry(m_ScheduleList, m_nTarget, index));
}

void CPloverDoc::ReplaceSchedule(const CScheduleList& entries, std::int32_t target)
{
    Changed(plover::ReplaceSchedule(m_ScheduleList, m_nTarget, entries, target));
}

void CPloverDoc::SetTarget(std::int32_t index)
{
    Changed(SelectTarget(m_ScheduleList, m_nTarget, index));
}

void CPloverDoc::Changed(ScheduleChange change)
{
    if (change == ScheduleChange::None)
        return;
    if (Has(change, ScheduleChange::Target))
        CalcDaysLeft();
    UpdateAllViews(static_cast<unsigned>(change));
}

void CPloverDoc::OnCloseDocument()
{
    Save();
    CDocument::OnCloseDocument();
}

void CPloverDoc::Save()
{
    m_nCount = static_cast<std::int32_t>(m_ScheduleList.size());
    const ScheduleSave save = SaveScheduleFile(m_strFilePath, m_nTarget, m_ScheduleList, m_bKeepBackup);
    if (save.outcome == ScheduleSave::Saved) {
        m_bKeepBackup = false;
        SetModifiedFlag(false);
    } else {
        Warn(save.outcome == ScheduleSave::FileFailed ? FileErrorText(save.error, m_strFilePath)
                                                      : std::wstring(kSaveFailedText));
        Warn(kWriteFailedText);
    }
    // Deleted from the tail, as the list was always emptied.
    while (!m_ScheduleList.empty())
        m_ScheduleList.pop_back();
}

}  // namespace plover
