#include "calendar/ImportCalendarDlg.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>
#include <iterator>

#include "framework/TextConv.h"
#include "resource.h"

namespace plover {

CImportCalendarDlg::CImportCalendarDlg(HWND owner, const std::vector<ical::Candidate>& candidates,
                                       std::vector<char> checks, std::wstring note)
    : CDialog(IDD_ICAL_IMPORT, owner),
      m_Candidates(candidates),
      m_Checks(std::move(checks)),
      m_strNote(std::move(note))
{
    m_Checks.resize(m_Candidates.size(), 0);
}

bool CImportCalendarDlg::OnInitDialog()
{
    const HWND list = Item(IDC_ICAL_LIST);
    ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    // The check boxes are the dialog's: the list asks for each row's state.
    ListView_SetCallbackMask(list, LVIS_STATEIMAGEMASK);
    RECT client{};
    ::GetClientRect(list, &client);
    const int width = client.right - ::GetSystemMetrics(SM_CXVSCROLL);
    const struct {
        const wchar_t* title;
        int share;  // of the width, in twentieths
    } columns[] = {{L"日付", 5}, {L"時刻", 3}, {L"繰り返し", 3}, {L"名称", 9}};
    for (int i = 0; i < static_cast<int>(std::size(columns)); ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<wchar_t*>(columns[i].title);
        column.cx = width * columns[i].share / 20;
        ListView_InsertColumn(list, i, &column);
    }
    ListView_SetItemCountEx(list, static_cast<int>(m_Candidates.size()), LVSICF_NOINVALIDATEALL);
    ShowSummary();
    return true;
}

bool CImportCalendarDlg::OnCommand(UINT id, UINT notifyCode, HWND control)
{
    switch (id) {
    case IDC_ICAL_SELECT_ALL:
        CheckAll(true);
        return true;
    case IDC_ICAL_SELECT_NONE:
        CheckAll(false);
        return true;
    default:
        return false;
    }
}

bool CImportCalendarDlg::OnNotify(UINT id, const NMHDR& header, LRESULT& result)
{
    if (id != IDC_ICAL_LIST)
        return false;
    switch (header.code) {
    case LVN_GETDISPINFOW:
        FillRow(*reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&header)));
        return true;
    case NM_CLICK: {
        const auto& click = reinterpret_cast<const NMITEMACTIVATE&>(header);
        LVHITTESTINFO hit{};
        hit.pt = click.ptAction;
        if (ListView_SubItemHitTest(header.hwndFrom, &hit) >= 0 &&
            (hit.flags & LVHT_ONITEMSTATEICON))
            Toggle(hit.iItem);
        return true;
    }
    case LVN_KEYDOWN: {
        if (reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey != VK_SPACE)
            return false;
        for (int row = ListView_GetNextItem(header.hwndFrom, -1, LVNI_SELECTED); row >= 0;
             row = ListView_GetNextItem(header.hwndFrom, row, LVNI_SELECTED))
            Toggle(row);
        return true;
    }
    default:
        return false;
    }
}

void CImportCalendarDlg::FillRow(NMLVDISPINFOW& info)
{
    LVITEMW& item = info.item;
    if (item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= m_Candidates.size())
        return;
    const ical::Candidate& c = m_Candidates[static_cast<std::size_t>(item.iItem)];
    if (item.mask & LVIF_STATE) {
        item.state = INDEXTOSTATEIMAGEMASK(m_Checks[static_cast<std::size_t>(item.iItem)] ? 2 : 1);
        item.stateMask |= LVIS_STATEIMAGEMASK;
    }
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0)
        return;
    wchar_t text[32];
    switch (item.iSubItem) {
    case 0:
        std::swprintf(text, 32, L"%04u/%02u/%02u", c.year, c.month, c.day);
        m_strCell = text;
        break;
    case 1:
        std::swprintf(text, 32, L"%02u:%02u", c.hour, c.minute);
        m_strCell = text;
        break;
    case 2:  // a rule the entry keeps; any other rule's event shows its next date alone
        m_strCell =
            c.repeat == RepeatRule::None ? std::wstring() : std::wstring(RepeatRuleName(c.repeat));
        break;
    default:
        m_strCell = SjisToWide(c.name);
        break;
    }
    const std::size_t length =
        std::min<std::size_t>(m_strCell.size(), static_cast<std::size_t>(item.cchTextMax) - 1);
    std::wmemcpy(item.pszText, m_strCell.data(), length);
    item.pszText[length] = L'\0';
}

void CImportCalendarDlg::Toggle(int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_Checks.size())
        return;
    char& check = m_Checks[static_cast<std::size_t>(row)];
    check = !check;
    ListView_RedrawItems(Item(IDC_ICAL_LIST), row, row);
    ShowSummary();
}

void CImportCalendarDlg::CheckAll(bool checked)
{
    std::fill(m_Checks.begin(), m_Checks.end(), checked ? 1 : 0);
    ::InvalidateRect(Item(IDC_ICAL_LIST), nullptr, FALSE);
    ShowSummary();
}

void CImportCalendarDlg::ShowSummary()
{
    const auto checked = std::count(m_Checks.begin(), m_Checks.end(), 1);
    std::wstring text = std::to_wstring(m_Candidates.size()) + L" 件のうち " +
                        std::to_wstring(checked) + L" 件を追加します。";
    if (!m_strNote.empty())
        text += L"\n" + m_strNote;
    SetItemText(IDC_ICAL_SUMMARY, text);
}

}  // namespace plover
