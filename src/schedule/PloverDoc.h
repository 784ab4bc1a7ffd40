// The schedule document: the list of entries, which one is the countdown target,
// today's date and the days left.  Read from the schedule file once at start,
// written back once at exit.
#pragma once

#include <cstdint>
#include <string>

#include "framework/Document.h"
#include "schedule/ScheduleEdits.h"
#include "schedule/ScheduleFile.h"

namespace plover {

class CPloverDoc : public CDocument {
public:
    CPloverDoc();

    bool OnNewDocument() override;
    void OnCloseDocument() override;

    // Days from today to the target's date; without a target entry nothing changes.
    void CalcDaysLeft();
    // The entry at `m_nTarget`, or null when the index names none (an empty
    // schedule, a hand-edited file).
    CPloverFile* TargetEntry() const;
    // Takes today's date from the clock again; true when it differs from the one
    // held, after which the days left are computed anew.
    bool RefreshToday();

    // The edits the dialogs make.  Each computes the days left again when the
    // target changed and tells the view what changed (a ScheduleChange hint).
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
    std::int32_t m_nTarget = 0;
    int m_nDaysLeft = 0;

    // The schedule file; beside the program unless a test points elsewhere.
    std::wstring m_strFilePath;

private:
    void Changed(ScheduleChange change);
    void Load();
    void Save();
    void ReadToday();

    // Set when the file could not be read in full: its bytes are kept beside it
    // before the first write over it.
    bool m_bKeepBackup = false;
};

}  // namespace plover
