#include "schedule/ScheduleDialog.h"

#include "framework/Gdi.h"
#include "framework/Help.h"
#include "framework/MessageBox.h"
#include "framework/TextConv.h"
#include "resource.h"
#include "services/DataFolder.h"

namespace plover {

CScheduleDialog::CScheduleDialog(UINT templateId, HWND parent, UINT firstFrame,
                                 UINT secondFrame)
    : CDialog(templateId, parent)
{
    m_Panes[0].frameId = firstFrame;
    m_Panes[1].frameId = secondFrame;
}

bool CScheduleDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result)
{
    switch (message) {
    case WM_PAINT:
        OnPaint();
        result = TRUE;
        return true;
    case WM_PALETTECHANGED:
        if (reinterpret_cast<HWND>(wParam) != m_hWnd)
            RealizePictures(true);
        return false;
    case WM_QUERYNEWPALETTE:
        RealizePictures(true);
        return false;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE)
            RealizePictures(false);
        return false;
    case WM_DESTROY:
        for (Pane& pane : m_Panes)
            pane.slot.Clear();
        return false;
    default:
        return false;
    }
}

void CScheduleDialog::OnPaint()
{
    const CPaintDC dc(m_hWnd);
    for (Pane& pane : m_Panes)
        if (pane.frameId)
            pane.slot.Paint(dc.Get(), PaneRect(pane));
}

bool CScheduleDialog::RealizePictures(bool background)
{
    bool changed = false;
    for (Pane& pane : m_Panes) {
        const int entries = background ? pane.slot.OnPaletteChanged(m_hWnd)
                                       : pane.slot.OnActivate(m_hWnd);
        changed = changed || entries != 0;
    }
    return changed;
}

RECT CScheduleDialog::PaneRect(const Pane& pane) const
{
    // The frame's own place, whatever the dialog font made of its dialog units.
    RECT rect{};
    ::GetWindowRect(Item(pane.frameId), &rect);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void CScheduleDialog::ShowPicture(std::size_t pane, const std::wstring& path)
{
    Pane& target = m_Panes.at(pane);
    if (path.empty())
        target.slot.Clear();
    else
        target.slot.Show(path, m_hWnd);
    const RECT rect = PaneRect(target);
    ::InvalidateRect(m_hWnd, &rect, TRUE);
}

void CScheduleDialog::ShowEntry(const EntryFieldIds& ids, const CPloverFile& entry)
{
    SetItemInt(ids.year, entry.m_wYear);
    SetItemInt(ids.month, entry.m_wMonth);
    SetItemInt(ids.day, entry.m_wDay);
    SetItemInt(ids.hour, entry.m_wHour);
    SetItemInt(ids.minute, entry.m_wMinute);
    SetItemSjis(ids.description, entry.Description());
    SetItemSjis(ids.pictureName, entry.BmpFile());
    if (ids.repeat)
        ::SendMessageW(Item(ids.repeat), CB_SETCURSEL, static_cast<WPARAM>(entry.m_Repeat), 0);
}

void CScheduleDialog::FillRepeatChoices(UINT comboId)
{
    const HWND combo = Item(comboId);
    for (const RepeatRule rule : {RepeatRule::None, RepeatRule::Yearly, RepeatRule::Monthly,
                                  RepeatRule::Weekly, RepeatRule::Daily}) {
        const std::wstring text(RepeatRuleName(rule));
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    ::SendMessageW(combo, CB_SETCURSEL, 0, 0);
}

void CScheduleDialog::ShowChosenEntry(UINT listId, const CScheduleList& list,
                                      const EntryFieldIds& ids)
{
    const CPloverFile* entry = EntryAt(list, GetListSelection(listId));
    if (!entry)
        return;
    ShowEntry(ids, *entry);
    ShowPicture(0, StoredPicture(*entry));
}

void CScheduleDialog::SetDateSpinRanges(int firstYear)
{
    constexpr int kLastYear = 2999;
    SetSpinRange(IDC_SPIN_YEAR, firstYear, kLastYear);
    SetSpinRange(IDC_SPIN_MONTH, 1, 12);
    SetSpinRange(IDC_SPIN_DAY, 1, 31);
    SetSpinRange(IDC_SPIN_HOUR, 0, 23);
    SetSpinRange(IDC_SPIN_MINUTE, 0, 59);
}

void CScheduleDialog::ReadEntry(const EntryFieldIds& ids, UINT nameId, CPloverFile& entry) const
{
    const auto number = [this](UINT id) {
        return static_cast<std::uint16_t>(GetItemInt(id).value_or(0));
    };
    const RepeatRule ruleBefore = entry.m_Repeat;
    const CivilDate dateBefore{entry.m_wYear, entry.m_wMonth, entry.m_wDay};
    entry.m_wYear = number(ids.year);
    entry.m_wMonth = number(ids.month);
    entry.m_wDay = number(ids.day);
    entry.m_wHour = number(ids.hour);
    entry.m_wMinute = number(ids.minute);
    const auto text = [this](UINT id, char* buffer, std::size_t size) {
        CPloverFile::SetText(buffer, size, GetItemSjis(id, size - 1));
    };
    text(nameId, entry.m_szName, CPloverFile::kNameSize);
    text(ids.description, entry.m_szDescription, CPloverFile::kDescriptionSize);
    text(ids.pictureName, entry.m_szBmpFile, CPloverFile::kBmpFileSize);
    if (!ids.repeat)
        return;
    const LRESULT chosen = ::SendMessageW(Item(ids.repeat), CB_GETCURSEL, 0, 0);
    const RepeatRule rule = chosen > 0 && chosen <= static_cast<LRESULT>(RepeatRule::Daily)
                                ? static_cast<RepeatRule>(chosen)
                                : RepeatRule::None;
    const CivilDate typed{entry.m_wYear, entry.m_wMonth, entry.m_wDay};
    if (rule != ruleBefore || typed != dateBefore)
        entry.SetRepeat(rule);
}

void CScheduleDialog::LimitEntryTexts(UINT nameId, UINT descriptionId)
{
    LimitSjisText(nameId, CPloverFile::kNameSize - 1);
    LimitSjisText(descriptionId, CPloverFile::kDescriptionSize - 1);
}

CDialog::FieldRefusal CScheduleDialog::RefusalText(bool unstorable, std::size_t maxBytes) const
{
    const std::wstring text =
        unstorable ? std::wstring(L"この文字は保存できないため、入力できません。")
                   : L"この欄に入るのは半角 " + std::to_wstring(maxBytes) + L" 文字（全角 " +
                         std::to_wstring(maxBytes / 2) + L" 文字）までです。";
    return {L"入力できません", text};
}

void CScheduleDialog::FillNames(UINT listId, const CScheduleList& list)
{
    const HWND box = Item(listId);
    ::SendMessageW(box, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(box, LB_RESETCONTENT, 0, 0);
    ::SendMessageW(box, LB_INITSTORAGE, list.size(),
                   static_cast<LPARAM>(list.size() * 32 * sizeof(wchar_t)));
    for (const auto& entry : list) {
        std::wstring name = SjisToWide(entry->Name());
        if (entry->m_Repeat != RepeatRule::None)
            name.append(L"  ").append(RepeatRuleName(entry->m_Repeat));
        ::SendMessageW(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    ::SendMessageW(box, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(box, nullptr, TRUE);
}

int CScheduleDialog::RequireSelection(UINT listId)
{
    const int selection = GetListSelection(listId);
    if (selection < 0)
        ShowMessage(m_hWnd, L"選択してください", MB_OK | MB_ICONEXCLAMATION);
    return selection;
}

const CPloverFile* CScheduleDialog::EntryAt(const CScheduleList& list, int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= list.size())
        return nullptr;
    return list[static_cast<std::size_t>(index)].get();
}

std::wstring CScheduleDialog::StoredPicture(const CPloverFile& entry)
{
    const std::string_view name = entry.BmpFile();
    return name.empty() ? std::wstring() : PicturePath(SjisToWide(name));
}

}  // namespace plover
