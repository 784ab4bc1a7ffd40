// This month's list in the view's lower panel: a list view without headings whose
// rows are the entries from today to the end of the month, in schedule order (a
// repeating entry's dates together, in date order), with their days left; an
// empty schedule shows one grey hint row instead.  Its owner places it, hands it
// the list view's notices and tells it when to refill.
#pragma once

#include <windows.h>

#include "framework/Gdi.h"
#include "framework/Geometry.h"
#include "schedule/Recurrence.h"
#include "schedule/ScheduleFile.h"

namespace plover {

class CMonthList {
public:
    CMonthList() = default;
    // The window goes with its object: a list left to its parent would outlive
    // the font it was given.
    ~CMonthList();
    CMonthList(const CMonthList&) = delete;
    CMonthList& operator=(const CMonthList&) = delete;

    // A hidden child of `parent` with its two columns and font for `dpi`; false
    // when the common controls or the window cannot be had.
    bool Create(HWND parent, UINT id, int dpi);

    // Moves the list to `rect` (its parent's client pixels) and sizes its columns:
    // the first from the parent's width, which the column rule is reckoned on.  A
    // new DPI brings the font and the day column of that DPI.
    void Place(const Rect& rect, int parentWidth, int dpi);
    void Show(bool show);

    // The rows anew for `today`: entries of today's month dated today or later,
    // a repeating entry once for each of its dates left in the month (by
    // `leapDay` for a yearly 29 February), or the hint row when `entries` is
    // empty.  The columns follow, since the scroll bar may have come or gone.
    void Refill(const CScheduleList& entries, const CivilDate& today,
                LeapDayRule leapDay = LeapDayRule::February28);

    // A WM_NOTIFY its parent received from the list; true when it was answered,
    // with `result` the answer.
    bool OnNotify(const NMHDR& header, LRESULT& result);

    // The list's colours for the present look, and the system's colours it draws
    // its rows with read again; repaints.
    void ApplyLook();

    bool ShowsHint() const { return m_bHint; }

    HWND m_hWnd = nullptr;

private:
    void SetDpi(int dpi);
    // Column 0 leaves room for the scroll bar only when the rows do not fit.
    void SizeColumns();
    // The hint row: drawn grey across both columns, in the first of the wordings
    // that fits.
    void DrawHint(HDC dc, int row);

    CFont m_Font;
    int m_nDpi = 96;
    int m_nParentWidth = 0;
    bool m_bHint = false;  // the one row is the empty schedule's hint
};

}  // namespace plover
