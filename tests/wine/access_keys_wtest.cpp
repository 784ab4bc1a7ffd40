// Every dialog template and sheet page of the program, read from its resources as
// the dialog manager reads them: each control the keyboard reaches has an access
// key in its own text or in the label just before it, no key is used twice in one
// template, each spin button follows its edit, and Tab goes in reading order.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cwctype>
#include <map>
#include <string>
#include <vector>

#include "TestDialogs.h"

namespace {

struct Item {
    DWORD style = 0;
    int id = 0;
    std::wstring kind;  // the class: "Button", "Edit", "Static", ... or a registered name
    std::wstring text;
    RECT r{};  // dialog units
};

struct Template {
    std::wstring caption;
    std::vector<Item> items;
};

// A name or an ordinal (0xFFFF, then the number) or nothing (0), as templates hold them.
std::wstring ReadNameOrOrdinal(const WORD*& p, int* ordinal = nullptr)
{
    if (*p == 0xFFFF) {
        if (ordinal)
            *ordinal = p[1];
        p += 2;
        return {};
    }
    std::wstring text(reinterpret_cast<const wchar_t*>(p));
    p += text.size() + 1;
    return text;
}

const WORD* AlignDword(const WORD* p, const BYTE* base)
{
    const auto offset = reinterpret_cast<const BYTE*>(p) - base;
    return reinterpret_cast<const WORD*>(base + ((offset + 3) & ~3));
}

// The extended template (DIALOGEX), the only kind the program's scripts write.
bool ParseTemplate(const BYTE* data, Template& out)
{
    const WORD* p = reinterpret_cast<const WORD*>(data);
    if (p[0] != 1 || p[1] != 0xFFFF)
        return false;
    const DWORD style = *reinterpret_cast<const DWORD*>(data + 12);
    const WORD count = *reinterpret_cast<const WORD*>(data + 16);
    p = reinterpret_cast<const WORD*>(data + 26);
    ReadNameOrOrdinal(p);  // menu
    ReadNameOrOrdinal(p);  // class
    out.caption = ReadNameOrOrdinal(p);
    if (style & (DS_SETFONT | DS_SHELLFONT)) {
        p += 3;  // point size, weight, italic and character set
        ReadNameOrOrdinal(p);
    }
    static const wchar_t* const kClasses[] = {L"Button",  L"Edit",      L"Static",
                                              L"ListBox", L"ScrollBar", L"ComboBox"};
    for (WORD i = 0; i < count; ++i) {
        p = AlignDword(p, data);
        const auto* fixed = reinterpret_cast<const BYTE*>(p);
        Item item;
        item.style = *reinterpret_cast<const DWORD*>(fixed + 8);
        const auto* box = reinterpret_cast<const short*>(fixed + 12);
        item.r = RECT{box[0], box[1], box[0] + box[2], box[1] + box[3]};
        item.id = static_cast<int>(*reinterpret_cast<const LONG*>(fixed + 20));
        p = reinterpret_cast<const WORD*>(fixed + 24);
        int ordinal = 0;
        item.kind = ReadNameOrOrdinal(p, &ordinal);
        if (ordinal >= 0x80 && ordinal <= 0x85)
            item.kind = kClasses[ordinal - 0x80];
        item.text = ReadNameOrOrdinal(p);
        p = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(p + 1) + *p);  // extra data
        out.items.push_back(std::move(item));
    }
    return true;
}

BOOL CALLBACK CollectDialog(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR data)
{
    if (IS_INTRESOURCE(name))
        reinterpret_cast<std::vector<int>*>(data)->push_back(
            static_cast<int>(reinterpret_cast<ULONG_PTR>(name)));
    return TRUE;
}

// Names in the failure messages as they read (gtest escapes wide text).
std::string Utf8(const std::wstring& text)
{
    std::string out(text.size() * 3, '\0');
    out.resize(static_cast<std::size_t>(
        ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(),
                              static_cast<int>(out.size()), nullptr, nullptr)));
    return out;
}

bool Same(const std::wstring& kind, const wchar_t* name)
{
    return ::lstrcmpiW(kind.c_str(), name) == 0;
}

// The letter after a single '&', upper-cased; 0 when there is none.
wchar_t AccessKey(const Item& item)
{
    if (Same(item.kind, L"Static") && (item.style & SS_NOPREFIX))
        return 0;
    for (std::size_t i = 0; i + 1 < item.text.size(); ++i) {
        if (item.text[i] != L'&')
            continue;
        if (item.text[i + 1] != L'&')
            return static_cast<wchar_t>(std::towupper(item.text[i + 1]));
        ++i;
    }
    return 0;
}

bool IsGroupBox(const Item& item)
{
    return Same(item.kind, L"Button") && (item.style & BS_TYPEMASK) == BS_GROUPBOX;
}

bool IsPushButton(const Item& item)
{
    const DWORD type = item.style & BS_TYPEMASK;
    return Same(item.kind, L"Button") && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

// Controls that take the keyboard and show no text of their own: edits, lists,
// combo boxes, list views, sliders.  Spin buttons go with their edit, and a box
// without a Tab stop never keeps the focus (the guides' read-only fields).
bool NeedsLabel(const Item& item)
{
    return !Same(item.kind, L"Button") && !Same(item.kind, L"Static") &&
           !Same(item.kind, UPDOWN_CLASSW) && (item.style & WS_TABSTOP) != 0;
}

// Dialog units: what differs by less lies on the same row.
constexpr LONG kRowHeight = 10;

void CheckTemplate(int dialogId, const Template& dialog)
{
    const std::string where =
        "dialog " + std::to_string(dialogId) + " (" + Utf8(dialog.caption) + "): control ";
    std::map<wchar_t, std::wstring> keys;  // key -> the text that has it
    const Item* lastStop = nullptr;
    for (std::size_t i = 0; i < dialog.items.size(); ++i) {
        const Item& item = dialog.items[i];
        const Item* before = i > 0 ? &dialog.items[i - 1] : nullptr;
        const Item* after = i + 1 < dialog.items.size() ? &dialog.items[i + 1] : nullptr;
        const std::string control = where + std::to_string(item.id) + " (" + Utf8(item.kind) +
                                    " \"" + Utf8(item.text) + "\")";
        const wchar_t key = AccessKey(item);
        if (key) {
            const auto [used, fresh] = keys.emplace(key, item.text);
            EXPECT_TRUE(fresh) << control << " takes key " << static_cast<char>(key) << ", which \""
                               << Utf8(used->second) << "\" has already";
        }
        if (Same(item.kind, UPDOWN_CLASSW)) {
            EXPECT_TRUE(before && Same(before->kind, L"Edit"))
                << control << ": a spin button must follow its edit, its buddy";
        } else if (Same(item.kind, L"Button") && !IsGroupBox(item)) {
            // Enter and Esc are the keys of OK and Cancel, as everywhere in Windows.
            const bool okOrCancel = IsPushButton(item) && (item.id == IDOK || item.id == IDCANCEL);
            EXPECT_TRUE(key || okOrCancel) << control << " has no access key";
        } else if (NeedsLabel(item)) {
            EXPECT_TRUE(before && Same(before->kind, L"Static") && AccessKey(*before))
                << control << " has no label with an access key just before it";
        } else if (Same(item.kind, L"Static") && key) {
            // A label's key goes to the next control: one that has no text of its own.
            EXPECT_TRUE(after && NeedsLabel(*after))
                << control << ": its key leads to no field (the field must follow it)";
        }
        // Tab goes right along a row, down to the next, or up only into a column
        // to the right of where it was.  A group of radio buttons is one stop.
        const DWORD type = item.style & BS_TYPEMASK;
        const bool radio =
            Same(item.kind, L"Button") && (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON);
        if (!(item.style & WS_TABSTOP) || (radio && !(item.style & WS_GROUP)))
            continue;
        if (lastStop) {
            const bool sameRow = std::abs(item.r.top - lastStop->r.top) < kRowHeight;
            const bool inOrder =
                sameRow ? item.r.left > lastStop->r.left
                        : item.r.top > lastStop->r.top || item.r.left >= lastStop->r.right;
            EXPECT_TRUE(inOrder) << control << " comes after control " << lastStop->id
                                 << " in the Tab order, but before it in reading order";
        }
        lastStop = &item;
    }
}

}  // namespace

// The program's resources are linked into this test; its own dialogs are not
// the program's.
TEST(AccessKeys, EveryDialogAndPageReachesEachControlByKeyInReadingOrder)
{
    const HMODULE module = ::GetModuleHandleW(nullptr);
    std::vector<int> ids;
    ::EnumResourceNamesW(module, RT_DIALOG, CollectDialog, reinterpret_cast<LONG_PTR>(&ids));
    int checked = 0;
    for (const int id : ids) {
        if (id == IDD_TEST_DIALOG || id == IDD_TEST_PAGE_ONE || id == IDD_TEST_PAGE_TWO)
            continue;
        const HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), RT_DIALOG);
        const HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
        const auto* data = loaded ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
        Template dialog;
        ASSERT_TRUE(data && ParseTemplate(data, dialog)) << "dialog " << id << " is no DIALOGEX";
        CheckTemplate(id, dialog);
        ++checked;
    }
    // The schedule's four dialogs, the sheet's six pages, the guides, the version
    // box, the help window and the import dialog.
    EXPECT_EQ(checked, 15);
}
