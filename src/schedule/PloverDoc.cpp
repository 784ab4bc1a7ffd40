#include "schedule/PloverDoc.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "framework/Dialog.h"
#include "framework/MessageBox.h"
#include "framework/Paths.h"
#include "schedule/DaysLeft.h"
#include "schedule/FileMessages.h"
#include "schedule/ScheduleStore.h"
#include "services/DataFolder.h"
#include "services/LocalTime.h"
#include "services/Settings.h"

namespace plover {

namespace {

void Warn(const std::wstring& text)
{
    ShowMessage(nullptr, text, MB_OK | MB_ICONEXCLAMATION);
}

// The system's own words for why a write failed.
std::wstring SystemReason(DWORD code)
{
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring reason = length ? std::wstring(text, length) : std::wstring();
    ::LocalFree(text);
    while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L' '))
        reason.pop_back();
    return reason + L" (" + std::to_wstring(code) + L")";
}

std::wstring WriteFailureText(const ScheduleSave& save, const std::wstring& path)
{
    const std::wstring reason = save.outcome == ScheduleSave::FileFailed
                                    ? SystemReason(save.code)
                                    : std::wstring(kSaveFailedText);
    return L"予定を保存できませんでした。\n\n保存先: " + path + L"\n理由: " + reason;
}

}  // namespace

CPloverDoc::CPloverDoc() : m_strFilePath(ScheduleWritePath())
{
    // Settled before the choice: a leftover that is a whole schedule becomes the
    // data folder's file, any other goes, and the program folder's file is then
    // the one to start from.
    RecoverInterruptedWrite(m_strFilePath);
    const std::wstring read = ScheduleReadPath();
    if (!SamePath(read, m_strFilePath))
        m_strReadPath = read;
}

std::wstring CPloverDoc::UntitledTitle() const
{
    return L"無題";
}

std::wstring CPloverDoc::SaveChangesQuestion() const
{
    return L"%1 への変更を保存しますか？";
}

bool CPloverDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return false;
    m_LeapDay = Read(Settings(), cfg::LeapDay) == 1 ? LeapDayRule::March1 : LeapDayRule::February28;
    Load();
    ReadToday();
    // Written without a question: the exit writes again, and asks if it still fails.
    if (RollRepeatingEntries())
        Write();
    CalcDaysLeft();
    return true;
}

void CPloverDoc::Load()
{
    const std::wstring& path = m_strReadPath.empty() ? m_strFilePath : m_strReadPath;
    ScheduleHeader header{m_nCount, m_nTarget};
    const ScheduleLoad load = LoadScheduleFile(path, header, m_ScheduleList);
    m_nCount = header.count;
    m_nTarget = header.target;
    switch (load.outcome) {
    case ScheduleLoad::Loaded:
        return;
    case ScheduleLoad::OpenFailed:
        // A new user's first start: an empty schedule is the normal state, not an
        // error.  Once a schedule has been kept anywhere, or the settings written,
        // a missing file is one the user had, and is reported.
        if ((load.error == FileError::FileNotFound || load.error == FileError::BadPath) &&
            HasNeverHadSchedule())
            return;
        // A file that is there but could not be opened (another program holding
        // it) is kept before the first write over it: the list here is empty.
        if (load.error != FileError::FileNotFound && load.error != FileError::BadPath)
            m_bKeepBackup = true;
        Warn(FileErrorText(load.error, path));
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
    const bool rolled = RollRepeatingEntries();
    CalcDaysLeft();
    if (rolled) {
        // The target may be one that moved: its moment on the clock moves too.
        UpdateAllViews(static_cast<unsigned>(ScheduleChange::Target));
        Write();
    }
    return true;
}

void CPloverDoc::SetLeapDay(LeapDayRule rule)
{
    if (rule == m_LeapDay)
        return;
    m_LeapDay = rule;
    if (RollRepeatingEntries())
        Changed(ScheduleChange::Entries | ScheduleChange::Target);
}

bool CPloverDoc::RollRepeatingEntries()
{
    const CivilDate today{m_nTodayYear, m_nTodayMonth, m_nTodayDay};
    bool moved = false;
    for (const auto& entry : m_ScheduleList) {
        const CivilDate before{entry->m_wYear, entry->m_wMonth, entry->m_wDay};
        RollForward(*entry, today, m_LeapDay);
        moved = moved || before != CivilDate{entry->m_wYear, entry->m_wMonth, entry->m_wDay};
    }
    return moved;
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
    // The same count with the two dates swapped, so a count up follows the countdown's
    // own calendar rules.
    m_nDaysSince = m_nDaysLeft >= 0 ? 0
                                    : std::max(0, plover::CalcDaysLeft(target->m_wYear, target->m_wMonth,
                                                                       target->m_wDay, m_nTodayYear,
                                                                       m_nTodayMonth, m_nTodayDay));
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
    // An entry given a rule on a date already passed counts to its next date.
    if (RollRepeatingEntries())
        change = change | ScheduleChange::Target;
    if (Has(change, ScheduleChange::Target))
        CalcDaysLeft();
    UpdateAllViews(static_cast<unsigned>(change));
    const ScheduleSave save = Write();
    if (save.outcome == ScheduleSave::Saved) {
        m_bWriteFailureShown = false;
        return;
    }
    // The edit stays in memory; the next edit or the exit tries again.
    if (m_bWriteFailureShown)
        return;
    m_bWriteFailureShown = true;
    // A close meanwhile (the self-timer's) waits until the message is answered.
    const CModalGuard guard;
    Warn(WriteFailureText(save, m_strFilePath) +
         L"\n\n変更は Plover の中に残っています。次の変更のときと終了するときに、"
         L"もう一度保存します。");
}

ScheduleSave CPloverDoc::Write()
{
    m_nCount = static_cast<std::int32_t>(m_ScheduleList.size());
    // The user's folder is made when first written to; a failure to make it shows
    // as the write's own failure below.
    CreateFolderPath(FolderOf(m_strFilePath));
    const ScheduleSave save = SaveScheduleFile(m_strFilePath, m_nTarget, m_ScheduleList, m_bKeepBackup);
    if (save.outcome == ScheduleSave::Saved) {
        m_bKeepBackup = false;
        SetModifiedFlag(false);
    }
    return save;
}

bool CPloverDoc::HasNeverHadSchedule() const
{
    if (Settings().HoldsAnything())
        return false;
    const std::wstring user = UserFolder();
    const std::wstring places[] = {m_strFilePath, m_strReadPath, ProgramFolder() + L"Plover.pvd",
                                   user.empty() ? std::wstring() : user + L"Plover.pvd"};
    for (const std::wstring& path : places)
        if (!path.empty() && ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
            return false;
    return true;
}

std::wstring CPloverDoc::UserFolder() const
{
    // Asked only when a write failed or at a first start: the shell's libraries
    // need not load at every start.
    return m_strUserFolder.empty() ? UserDataFolder() : m_strUserFolder;
}

bool CPloverDoc::IsUserFolderElsewhere() const
{
    const std::wstring user = UserFolder();
    return !user.empty() && !SamePath(FolderOf(m_strFilePath), user);
}

bool CPloverDoc::MoveToUserFolder()
{
    const std::wstring user = UserFolder();
    if (!IsUserFolderElsewhere() || !CreateFolderPath(user))
        return false;
    if (SamePath(FolderOf(m_strFilePath), ProgramFolder()))
        RememberMovedToUserFolder();
    m_strFilePath = user + L"Plover.pvd";
    // Pictures chosen from now on go there too.
    SetDataFolder(user);
    return true;
}

bool CPloverDoc::CanCloseFrame()
{
    // The automatic close keeps asking every second while the exit's question is open.
    if (m_bClosing)
        return false;
    // Nobody may be there to answer whether to save: the exit writes in any case.
    if (m_bUnattendedClose)
        return !m_bOpening;
    return CDocument::CanCloseFrame();
}

void CPloverDoc::OnCloseDocument()
{
    m_bClosing = true;
    SaveAtExit();
    // Deleted from the tail, as the list was always emptied.
    while (!m_ScheduleList.empty())
        m_ScheduleList.pop_back();
    CDocument::OnCloseDocument();
}

void CPloverDoc::SaveAtExit()
{
    ScheduleSave save = Write();
    // Nobody may be at the screen: the user's folder first, a question only then.
    if (save.outcome != ScheduleSave::Saved && m_bUnattendedClose && MoveToUserFolder())
        save = Write();
    while (save.outcome != ScheduleSave::Saved) {
        const bool elsewhere = IsUserFolderElsewhere();
        std::wstring text = WriteFailureText(save, m_strFilePath) + L"\n\n［再試行］もう一度保存します。";
        if (elsewhere)
            text += L"\n［続行］ユーザーのフォルダーに保存します:\n　" + UserFolder();
        text += L"\n［キャンセル］保存しないで終了します。";
        // A stray Enter tries again rather than heading for the loss of the edits.
        const int answer = ShowMessage(
            nullptr, text,
            (elsewhere ? MB_CANCELTRYCONTINUE | MB_DEFBUTTON2 : MB_RETRYCANCEL) | MB_ICONEXCLAMATION);
        if (answer == IDCONTINUE && MoveToUserFolder()) {
            save = Write();
        } else if (answer == IDCANCEL) {
            if (ShowMessage(nullptr,
                            L"保存しないで終了しますか？\n今回の変更はすべて失われます。",
                            MB_YESNO | MB_DEFBUTTON2 | MB_ICONEXCLAMATION) == IDYES)
                return;
        } else {
            save = Write();
        }
    }
}

void CPloverDoc::SaveForEndSession()
{
    if (Write().outcome != ScheduleSave::Saved && MoveToUserFolder())
        Write();
}

}  // namespace plover
