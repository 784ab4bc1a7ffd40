// The schedule document: the list of entries, which one is the countdown target,
// today's date and the days left.  Read from the schedule file once at start,
// written after every edit (a crash or a kill then loses nothing) and at exit.
#pragma once

#include <cstdint>
#include <string>

#include "framework/Document.h"
#include "schedule/ScheduleEdits.h"
#include "schedule/Recurrence.h"
#include "schedule/ScheduleFile.h"
#include "schedule/ScheduleStore.h"

namespace plover {

class CPloverDoc : public CDocument {
public:
    CPloverDoc();

    bool OnNewDocument() override;
    void OnCloseDocument() override;
    bool CanCloseFrame() override;

    // Days from today to the target's date; without a target entry nothing changes.
    void CalcDaysLeft();
    // The entry at `m_nTarget`, or null when the index names none (an empty
    // schedule, a hand-edited file).
    CPloverFile* TargetEntry() const;
    // Takes today's date from the clock again; true when it differs from the one
    // held, after which repeating entries move on to their next dates and the days
    // left are computed anew.
    bool RefreshToday();
    // The 29 February choice changed: repeating entries take their dates anew.
    void SetLeapDay(LeapDayRule rule);

    // The edits the dialogs make.  Each computes the days left again when the
    // target changed, tells the view what changed (a ScheduleChange hint) and
    // writes the file.
    void AddEntry(const CPloverFile& entry);
    // Entries brought in from another calendar, at the tail in their order.
    void AppendEntries(const CScheduleList& entries);
    void ReplaceEntry(std::size_t index, const CPloverFile& entry);
    void DeleteEntry(std::size_t index);
    void ReplaceSchedule(const CScheduleList& entries, std::int32_t target);
    void SetTarget(std::int32_t index);

    int m_nTodayYear = 0;
    int m_nTodayMonth = 0;
    int m_nTodayDay = 0;
    int m_nTodayWeekday = 0;  // 1 = Sunday
    std::int32_t m_nCount = 0;
    CScheduleList m_ScheduleList;
    // Where a yearly 29 February falls in a common year (a 表示 page setting).
    LeapDayRule m_LeapDay = LeapDayRule::February28;
    std::int32_t m_nTarget = 0;
    int m_nDaysLeft = 0;
    // Days since a passed target (1 on the day after it); 0 while it is ahead.
    int m_nDaysSince = 0;

    // The session ends (log-off, restart, shutdown): writes what the document
    // holds, in the user's folder when the data folder refuses, and asks nothing,
    // since the process may end as soon as this returns.
    void SaveForEndSession();

    // The schedule file written; in the data folder unless a test points elsewhere.
    std::wstring m_strFilePath;
    // The file read at start when it is another (the program folder's, until the
    // user's folder holds one); empty when it is m_strFilePath.
    std::wstring m_strReadPath;
    // Where a write goes when the data folder refuses it; empty for the user's own
    // (a test points elsewhere).
    std::wstring m_strUserFolder;
    // Set by the self-timer's close: nobody may be there to answer a question.
    bool m_bUnattendedClose = false;

protected:
    std::wstring UntitledTitle() const override;
    std::wstring SaveChangesQuestion() const override;

private:
    // Every edit ends here: one place that writes, so an edit added later is kept too.
    void Changed(ScheduleChange change);
    void Load();
    // Writes the file at exit, asking what to do while it fails; gives up only when
    // the user confirmed quitting without saving.
    void SaveAtExit();
    ScheduleSave Write();
    // No schedule in the data folder, the program folder or the user's folder, and
    // no settings yet: Plover has never run here for this user.
    bool HasNeverHadSchedule() const;
    std::wstring UserFolder() const;
    // True when there is a user's folder and the file is not written there already.
    bool IsUserFolderElsewhere() const;
    // Moves m_strFilePath into the user's folder; false when there is none to move to.
    bool MoveToUserFolder();
    void ReadToday();
    // Each repeating entry's date becomes its next occurrence from today; true when
    // one moved.  The file is written then, so the next start needs no roll.
    bool RollRepeatingEntries();

    // Set when the file could not be read in full: its bytes are kept beside it
    // before the first write over it.
    bool m_bKeepBackup = false;
    // A failed write after an edit is told once, not at every edit after it.
    bool m_bWriteFailureShown = false;
    bool m_bClosing = false;
};

}  // namespace plover
