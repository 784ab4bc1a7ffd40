#include "astro/ConstellationDlg.h"

#include <algorithm>
#include <iterator>
#include <string_view>

#include "resource.h"

namespace plover {

namespace {

constexpr UINT kFields[] = {IDC_CONSTELLATION_MONTH, IDC_CONSTELLATION_DAY,
                            IDC_CONSTELLATION_HOUR, IDC_CONSTELLATION_MINUTE,
                            IDC_CONSTELLATION_DESCRIPTION};

// The filling only keeps the stored descriptions one width.  Shown, it would wrap
// onto a line of its own, and a run of ASCII blanks takes the last word with it,
// past the bottom of the box.
std::wstring_view WithoutFilling(std::wstring_view text)
{
    const std::size_t last = text.find_last_not_of(L" \u3000");
    return last == std::wstring_view::npos ? std::wstring_view() : text.substr(0, last + 1);
}

}  // namespace

CConstellationDlg::CConstellationDlg(HWND parent, int month)
    : CDialog(IDD_CONSTELLATION, parent), m_nMonth(month)
{
}

bool CConstellationDlg::OnInitDialog()
{
    const HWND list = Item(IDC_CONSTELLATION_LIST);
    for (const ConstellationRow& row : ConstellationsOfMonth(m_nMonth))
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.name));
    return true;
}

bool CConstellationDlg::OnCommand(UINT id, UINT notifyCode, HWND control)
{
    if (id == IDC_CONSTELLATION_LIST) {
        if (notifyCode == LBN_SELCHANGE)
            ShowChosenRow();
        return true;
    }
    // The fields only show the chosen row: a click into one hands the focus straight
    // back to the list, where the arrow keys go on choosing.
    const bool field = std::find(std::begin(kFields), std::end(kFields), id) != std::end(kFields);
    if (field && notifyCode == EN_SETFOCUS) {
        ::SetFocus(Item(IDC_CONSTELLATION_LIST));
        return true;
    }
    return false;
}

void CConstellationDlg::ShowChosenRow()
{
    const ConstellationRow* row =
        ConstellationsOfMonth(m_nMonth).At(GetListSelection(IDC_CONSTELLATION_LIST));
    if (!row)
        return;
    SetItemText(IDC_CONSTELLATION_MONTH, row->month);
    SetItemText(IDC_CONSTELLATION_DAY, row->day);
    SetItemText(IDC_CONSTELLATION_HOUR, row->hour);
    SetItemText(IDC_CONSTELLATION_MINUTE, row->minute);
    SetItemText(IDC_CONSTELLATION_DESCRIPTION, WithoutFilling(row->description));
}

}  // namespace plover
