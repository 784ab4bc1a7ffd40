// The events an iCalendar file offers, each with a check box and the repeat rule it
// keeps ("毎年"); OK keeps the checks.
// The list asks for each row as it is shown, so a file of any size opens at once.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/Dialog.h"
#include "calendar/ICalendar.h"

namespace plover {

class CImportCalendarDlg : public CDialog {
public:
    // `checks` holds one flag per candidate: how each starts.  `note` is shown
    // under the list (what could not be read).
    CImportCalendarDlg(HWND owner, const std::vector<ical::Candidate>& candidates,
                       std::vector<char> checks, std::wstring note);

    const std::vector<char>& Checks() const { return m_Checks; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
    bool OnNotify(UINT id, const NMHDR& header, LRESULT& result) override;

private:
    void FillRow(NMLVDISPINFOW& info);
    void Toggle(int row);
    void CheckAll(bool checked);
    void ShowSummary();

    const std::vector<ical::Candidate>& m_Candidates;
    std::vector<char> m_Checks;
    std::wstring m_strNote;
    std::wstring m_strCell;  // the text a row hands the list, kept until it asks again
};

}  // namespace plover
