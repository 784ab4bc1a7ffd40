// The framework's dialogs on real windows: the control helpers, the typed
// handlers, modeless keys through the message loop's hook, the property sheet's
// page rules, the DoModal hook and the guard that holds a close back.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include "TestDialogs.h"
#include "framework/Dialog.h"
#include "framework/PropertySheet.h"

using namespace plover;

namespace {

// Runs a step once the dialog's own loop is going.
void PostCommand(HWND window, UINT id)
{
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

class CHelperDialog : public CDialog {
public:
    CHelperDialog() : CDialog(IDD_TEST_DIALOG, nullptr) {}

    std::wstring text;
    std::string sjisCut;
    std::optional<int> number, notANumber;
    bool checked = false;
    UINT radio = 0;
    int listSelection = -2, comboSelection = -2;
    int spinLow = 0, spinHigh = 0;
    int okCalls = 0;
    bool refuseFirstOk = false;
    bool cancelled = false;
    LRESULT notifyAnswer = 0;
    int helpControl = 0;

protected:
    bool OnInitDialog() override
    {
        SetItemSjis(IDC_T_TEXT, "\x93\xfa\x96\x7b\x8c\xea");  // 日本語
        SetItemInt(IDC_T_NUMBER, -12);
        SetSpinRange(IDC_T_SPIN, 0, 3600);
        SetCheck(IDC_T_CHECK, true);
        CheckRadio(IDC_T_RADIO_A, IDC_T_RADIO_C, IDC_T_RADIO_B);
        for (const wchar_t* row : {L"一", L"二", L"三"}) {
            ::SendMessageW(Item(IDC_T_LIST), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row));
            ::SendMessageW(Item(IDC_T_COMBO), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row));
        }
        SetListSelection(IDC_T_LIST, 2);
        SetComboSelection(IDC_T_COMBO, 1);

        NMHDR header{Item(IDC_T_LIST), IDC_T_LIST, LVN_ITEMCHANGED};
        notifyAnswer = ::SendMessageW(m_hWnd, WM_NOTIFY, IDC_T_LIST, reinterpret_cast<LPARAM>(&header));
        HELPINFO help{sizeof help, HELPINFO_WINDOW, IDC_T_CHECK, Item(IDC_T_CHECK)};
        ::SendMessageW(m_hWnd, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
        PostCommand(m_hWnd, IDOK);
        return true;
    }

    bool OnOK() override
    {
        ++okCalls;
        text = GetItemText(IDC_T_TEXT);
        sjisCut = GetItemSjis(IDC_T_TEXT, 5);
        number = GetItemInt(IDC_T_NUMBER);
        SetItemText(IDC_T_NUMBER, L"abc");
        notANumber = GetItemInt(IDC_T_NUMBER);
        checked = IsChecked(IDC_T_CHECK);
        radio = CheckedRadio(IDC_T_RADIO_A, IDC_T_RADIO_C);
        listSelection = GetListSelection(IDC_T_LIST);
        comboSelection = GetComboSelection(IDC_T_COMBO);
        ::SendMessageW(Item(IDC_T_SPIN), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&spinLow),
                       reinterpret_cast<LPARAM>(&spinHigh));
        if (refuseFirstOk && okCalls == 1) {
            PostCommand(m_hWnd, IDCANCEL);
            return false;
        }
        return true;
    }

    void OnCancel() override { cancelled = true; }

    bool OnNotify(UINT id, const NMHDR& header, LRESULT& result) override
    {
        if (id != IDC_T_LIST || header.code != LVN_ITEMCHANGED)
            return false;
        result = 42;
        return true;
    }

    bool OnHelp(const HELPINFO& info) override
    {
        helpControl = info.iCtrlId;
        return true;
    }
};

}  // namespace

TEST(Dialog, HelpersFillAndReadEveryKindOfControl)
{
    CHelperDialog dialog;
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.text, L"日本語");
    EXPECT_EQ(dialog.sjisCut, "\x93\xfa\x96\x7b");  // 5 bytes would split 語
    EXPECT_EQ(dialog.number, -12);
    EXPECT_FALSE(dialog.notANumber.has_value());
    EXPECT_TRUE(dialog.checked);
    EXPECT_EQ(dialog.radio, static_cast<UINT>(IDC_T_RADIO_B));
    EXPECT_EQ(dialog.listSelection, 2);
    EXPECT_EQ(dialog.comboSelection, 1);
    EXPECT_EQ(dialog.spinLow, 0);
    EXPECT_EQ(dialog.spinHigh, 3600);
    EXPECT_EQ(dialog.notifyAnswer, 42) << "the answer of OnNotify is the message's result";
    EXPECT_EQ(dialog.helpControl, IDC_T_CHECK);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST(Dialog, RefusedOkKeepsTheDialogOpenAndCancelEndsIt)
{
    CHelperDialog dialog;
    dialog.refuseFirstOk = true;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.okCalls, 1);
    EXPECT_TRUE(dialog.cancelled);
}

TEST(Dialog, DoModalHookAnswersWithoutAWindow)
{
    UINT seenTemplate = 0;
    SetDoModalHook([&](CDialog& dialog) {
        seenTemplate = dialog.TemplateId();
        return static_cast<INT_PTR>(IDCANCEL);
    });
    CHelperDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    SetDoModalHook(nullptr);
    EXPECT_EQ(seenTemplate, static_cast<UINT>(IDD_TEST_DIALOG));
    EXPECT_EQ(dialog.okCalls, 0);
}

namespace {

class CModelessDialog : public CDialog {
public:
    CModelessDialog() : CDialog(IDD_TEST_DIALOG, nullptr) {}
    bool ended = false;

protected:
    void PostNcDestroy() override { ended = true; }
};

// What the program's message loop does with one message.
void PumpOnce()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (IsModelessDialogMessage(msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

}  // namespace

TEST(Dialog, ModelessDialogGetsItsKeysFromTheMessageLoopAndEndsOnEscape)
{
    CModelessDialog dialog;
    ASSERT_TRUE(dialog.Create());
    const HWND first = ::GetDlgItem(dialog.m_hWnd, IDC_T_TEXT);
    ::SetFocus(first);
    ASSERT_EQ(::GetFocus(), first);
    ::PostMessageW(first, WM_KEYDOWN, VK_TAB, 0);
    PumpOnce();
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(dialog.m_hWnd, IDC_T_NUMBER)) << "Tab did not move on";

    ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
    PumpOnce();
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_TRUE(dialog.ended);
}

namespace {

// A page that follows a script: what to do when shown, whether to let go.
class CScriptedPage : public CPropertyPage {
public:
    explicit CScriptedPage(UINT templateId) : CPropertyPage(templateId) {}
    std::function<void(HWND sheet)> onShow;
    int refusals = 0;  // how many leaves to refuse
    int shown = 0, applied = 0, reset = 0;

protected:
    void OnSetActive() override
    {
        ++shown;
        if (onShow)
            onShow(::GetParent(m_hWnd));
    }
    bool OnKillActive() override { return refusals-- <= 0; }
    bool OnApply() override
    {
        ++applied;
        return true;
    }
    void OnReset() override { ++reset; }
};

}  // namespace

TEST(PropertySheets, StartsOnItsPageAppliesOnOkAndTellsTheLastPage)
{
    CScriptedPage one(IDD_TEST_PAGE_ONE), two(IDD_TEST_PAGE_TWO);
    // Starts on page two, which refuses the first leave; page one, once shown,
    // presses OK.
    two.refusals = 1;
    two.onShow = [&](HWND sheet) {
        if (two.shown == 1) {
            ::PostMessageW(sheet, PSM_SETCURSEL, 0, 0);  // refused
            ::PostMessageW(sheet, PSM_SETCURSEL, 0, 0);
        }
    };
    one.onShow = [](HWND sheet) { ::PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0); };
    CPropertySheet sheet(L"テスト", nullptr);
    sheet.AddPage(one);
    sheet.AddPage(two);
    sheet.SetStartPage(1);
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(two.shown, 1);
    EXPECT_EQ(one.shown, 1);
    EXPECT_EQ(one.applied, 1);
    EXPECT_EQ(two.applied, 1) << "every page shown is applied";
    EXPECT_EQ(sheet.LastPage(), 0);

    // Cancel applies nothing.
    CScriptedPage three(IDD_TEST_PAGE_ONE);
    three.onShow = [](HWND sheet) { ::PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0); };
    CPropertySheet cancelled(L"テスト", nullptr);
    cancelled.AddPage(three);
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(three.applied, 0);
    EXPECT_EQ(three.reset, 1);
}

namespace {

class CListener : public IModalListener {
public:
    int begun = 0, ended = 0;
    void OnModalBegin() override { ++begun; }
    void OnModalEnd() override { ++ended; }
};

LRESULT CALLBACK CountCloses(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        ++*reinterpret_cast<int*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

TEST(ModalGuard, CloseWaitsUntilTheLastGuardEnds)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = CountCloses;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"PloverTestCloseCounter";
    ::RegisterClassW(&wc);
    const HWND window = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 10, 10,
                                          nullptr, nullptr, wc.hInstance, nullptr);
    int closes = 0;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&closes));

    EXPECT_FALSE(CModalGuard::DeferClose(window)) << "no dialog open: close at once";
    CListener listener;
    {
        CModalGuard outer(&listener);
        EXPECT_EQ(listener.begun, 1);
        {
            CModalGuard inner;
            EXPECT_TRUE(CModalGuard::DeferClose(window));
        }
        PumpOnce();
        EXPECT_EQ(closes, 0) << "an outer dialog is still open";
        EXPECT_TRUE(CModalGuard::IsModalOpen());
    }
    EXPECT_EQ(listener.ended, 1);
    EXPECT_FALSE(CModalGuard::IsModalOpen());
    PumpOnce();
    EXPECT_EQ(closes, 1);
    ::DestroyWindow(window);
}
