// The import dialog's list on a real window: each event's date, time, the rule it
// keeps and its name, as the list asks the dialog for them.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resource.h"
#include "calendar/ImportCalendarDlg.h"

using namespace plover;

namespace {

std::wstring Cell(HWND dialog, int row, int column)
{
    wchar_t text[128] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = static_cast<int>(std::size(text));
    ::SendMessageW(::GetDlgItem(dialog, IDC_ICAL_LIST), LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                   reinterpret_cast<LPARAM>(&item));
    return text;
}

}  // namespace

TEST(ImportCalendarDlg, EachRowShowsTheRuleItsEventKeeps)
{
    std::vector<ical::Candidate> candidates(3);
    const auto set = [](ical::Candidate& c, int month, int day, RepeatRule rule, const char* name) {
        c.year = 2027, c.month = static_cast<std::uint16_t>(month),
        c.day = static_cast<std::uint16_t>(day);
        c.hour = 9, c.minute = 5, c.repeat = rule, c.name = name;
    };
    set(candidates[0], 3, 10, RepeatRule::Yearly, "birthday");
    set(candidates[1], 1, 31, RepeatRule::Monthly, "month end");
    set(candidates[2], 6, 22, RepeatRule::None, "second sunday");  // a rule's next date alone
    CImportCalendarDlg dialog(nullptr, candidates, std::vector<char>(3, 1), std::wstring());
    ASSERT_TRUE(dialog.Create());
    const HWND window = dialog.m_hWnd;
    const std::vector<std::vector<std::wstring>> rows = {
        {L"2027/03/10", L"09:05", L"毎年", L"birthday"},
        {L"2027/01/31", L"09:05", L"毎月", L"month end"},
        {L"2027/06/22", L"09:05", L"", L"second sunday"},
    };
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 4; ++column)
            EXPECT_EQ(Cell(window, row, column), rows[row][column])
                << "row " << row << " column " << column;
}
