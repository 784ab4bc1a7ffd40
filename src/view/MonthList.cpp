#include "view/MonthList.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>

#include "framework/CommonControls.h"
#include "framework/DpiScale.h"
#include "framework/SystemLook.h"
#include "framework/TextConv.h"
#include "objects/Frames.h"
#include "objects/PaintItems.h"
#include "objects/TextFont.h"
#include "schedule/PloverFile.h"
#include "view/ViewLayout.h"
#include "view/ViewTexts.h"

namespace plover {

namespace {

constexpr int kDaysColumnWidth = 84;  // "あと 99日" in the list's font
constexpr int kFontHeight = -16;

CFont ListFont(int dpi)
{
    return MakeTextFont(FontSize{ScaleToDpi(kFontHeight, dpi), 0});
}

}  // namespace

CMonthList::~CMonthList()
{
    // The notices the list sends while it goes find no list to answer for.
    if (const HWND window = std::exchange(m_hWnd, nullptr))
        ::DestroyWindow(window);
}

bool CMonthList::Create(HWND parent, UINT id, int dpi)
{
    if (m_hWnd)
        return true;
    if (!CommonControls())
        return false;
    m_hWnd = ::CreateWindowExW(0, WC_LISTVIEWW, L"",
                               WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LVS_REPORT |
                                   LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER,
                               0, 0, 100, 100, parent,
                               reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                               ::GetModuleHandleW(nullptr), nullptr);
    if (!m_hWnd)
        return false;
    m_nDpi = dpi;
    // Headings are never shown; the first column's width follows the window.
    const wchar_t* headings[] = {L"予定", L"日数"};
    const int widths[] = {ScaleToDpi(150, dpi), ScaleToDpi(kDaysColumnWidth, dpi)};
    for (int i = 0; i < 2; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        column.cx = widths[i];
        column.pszText = const_cast<wchar_t*>(headings[i]);
        column.iSubItem = i;
        ListView_InsertColumn(m_hWnd, i, &column);
    }
    ApplyLook();
    ::ShowWindow(m_hWnd, SW_HIDE);

    m_Font = ListFont(dpi);
    ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_Font.Get()), TRUE);
    return true;
}

void CMonthList::ApplyLook()
{
    if (!m_hWnd)
        return;
    // A child is not told of a colour change; the common controls keep a copy.
    ::SendMessageW(m_hWnd, WM_SYSCOLORCHANGE, 0, 0);
    const COLORREF back = LookColour(ToColorRef(kListCyan), COLOR_WINDOW);
    ListView_SetBkColor(m_hWnd, back);
    ListView_SetTextBkColor(m_hWnd, back);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CMonthList::SetDpi(int dpi)
{
    if (dpi <= 0 || dpi == m_nDpi)
        return;
    m_nDpi = dpi;
    // The list lets go of the old font before it is deleted.
    CFont font = ListFont(dpi);
    ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
    m_Font = std::move(font);
    ListView_SetColumnWidth(m_hWnd, 1, ScaleToDpi(kDaysColumnWidth, dpi));
}

void CMonthList::Place(const Rect& rect, int parentWidth, int dpi)
{
    if (!m_hWnd)
        return;
    SetDpi(dpi);
    m_nParentWidth = parentWidth;
    ::MoveWindow(m_hWnd, rect.left, rect.top, rect.Width(), rect.Height(), TRUE);
    SizeColumns();
}

void CMonthList::Show(bool show)
{
    if (m_hWnd)
        ::ShowWindow(m_hWnd, show ? SW_SHOWNA : SW_HIDE);
}

void CMonthList::SizeColumns()
{
    const bool morePages = ListView_GetItemCount(m_hWnd) > ListView_GetCountPerPage(m_hWnd);
    // The rule fills the list's outer width; its one-pixel border would leave the
    // columns two pixels too wide and bring up a horizontal scroll bar for them.
    const int border = 2 * ::GetSystemMetrics(SM_CXBORDER);
    const int width = std::max(0, MonthListColumnWidth(m_nParentWidth, morePages, m_nDpi) - border);
    if (ListView_GetColumnWidth(m_hWnd, 0) != width)
        ListView_SetColumnWidth(m_hWnd, 0, width);
}

void CMonthList::Refill(const CScheduleList& entries, const CivilDate& today, LeapDayRule leapDay)
{
    if (!m_hWnd)
        return;
    ListView_DeleteAllItems(m_hWnd);
    m_bHint = entries.empty();
    if (m_bHint) {
        std::wstring hint(kEmptyScheduleHints[0]);
        LVITEMW lv{};
        lv.mask = LVIF_TEXT;
        lv.pszText = hint.data();
        ListView_InsertItem(m_hWnd, &lv);
    }
    int row = 0;
    const auto addRow = [&](unsigned day, std::wstring_view name) {
        MonthListItem item = MakeMonthListItem(day, today.day, name);
        LVITEMW lv{};
        lv.mask = LVIF_TEXT;
        lv.iItem = row;
        lv.pszText = item.item.data();
        ListView_InsertItem(m_hWnd, &lv);
        ListView_SetItemText(m_hWnd, row, 1, item.days.data());
        ++row;
    };
    for (const auto& entry : entries) {
        const std::wstring name = SjisToWide(entry->Name());
        if (entry->m_Repeat == RepeatRule::None) {
            if (IsInMonthList(entry->m_wYear, entry->m_wMonth, entry->m_wDay, today.year,
                              today.month, today.day))
                addRow(entry->m_wDay, name);
            continue;
        }
        for (const CivilDate& date :
             OccurrencesInRestOfMonth(entry->m_Repeat, entry->Anchor(), today, leapDay))
            addRow(static_cast<unsigned>(date.day), name);
    }
    SizeColumns();
}

bool CMonthList::OnNotify(const NMHDR& header, LRESULT& result)
{
    if (!m_hWnd || header.hwndFrom != m_hWnd || !m_bHint)
        return false;
    if (header.code == LVN_ITEMCHANGING) {
        // The hint is no entry: a click or a key may neither select nor focus it.
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        const UINT picked = LVIS_SELECTED | LVIS_FOCUSED;
        result = (change.uChanged & LVIF_STATE) && (change.uNewState & picked) ? TRUE : FALSE;
        return true;
    }
    if (header.code != NM_CUSTOMDRAW)
        return false;
    const auto& draw = reinterpret_cast<const NMLVCUSTOMDRAW&>(header);
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
        result = CDRF_NOTIFYITEMDRAW;
        return true;
    }
    if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT)
        return false;
    DrawHint(draw.nmcd.hdc, static_cast<int>(draw.nmcd.dwItemSpec));
    result = CDRF_SKIPDEFAULT;
    return true;
}

void CMonthList::DrawHint(HDC dc, int row)
{
    RECT r{};
    RECT client{};
    if (!ListView_GetItemRect(m_hWnd, row, &r, LVIR_BOUNDS) || !::GetClientRect(m_hWnd, &client))
        return;
    // Across both columns: the day column has nothing to show here.
    r.right = std::max(r.right, client.right);
    const int saved = ::SaveDC(dc);
    ::SelectObject(dc, m_Font.Get());
    ::SetBkColor(dc, LookColour(ToColorRef(kListCyan), COLOR_WINDOW));
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    r.left += ScaleToDpi(6, m_nDpi);
    r.right -= ScaleToDpi(2, m_nDpi);
    std::wstring_view hint = kEmptyScheduleHints[std::size(kEmptyScheduleHints) - 1];
    for (const std::wstring_view wording : kEmptyScheduleHints) {
        SIZE size{};
        if (::GetTextExtentPoint32W(dc, wording.data(), static_cast<int>(wording.size()), &size) &&
            size.cx <= r.right - r.left) {
            hint = wording;
            break;
        }
    }
    ::SetTextColor(dc, LookColour(ToColorRef(kHintGrey), COLOR_GRAYTEXT));
    ::SetBkMode(dc, TRANSPARENT);
    ::DrawTextW(dc, hint.data(), static_cast<int>(hint.size()), &r,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    ::RestoreDC(dc, saved);
}

}  // namespace plover
