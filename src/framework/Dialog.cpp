#include "framework/Dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "framework/CommonControls.h"
#include "framework/SjisText.h"
#include "framework/TextConv.h"

namespace plover {

namespace {

std::function<INT_PTR(CDialog&)>& DoModalHook()
{
    static std::function<INT_PTR(CDialog&)> hook;
    return hook;
}

std::vector<HWND>& ModelessDialogs()
{
    static std::vector<HWND> dialogs;
    return dialogs;
}

int g_nModalDepth = 0;
HWND g_hDeferredClose = nullptr;

}  // namespace

CDialog::~CDialog()
{
    // A modeless dialog outliving its object would dispatch into freed memory.
    if (m_hWnd && m_bModeless) {
        auto& modeless = ModelessDialogs();
        modeless.erase(std::remove(modeless.begin(), modeless.end(), m_hWnd), modeless.end());
        ::SetWindowLongPtrW(m_hWnd, DWLP_USER, 0);
        ::DestroyWindow(m_hWnd);
    }
}

INT_PTR CDialog::DoModal()
{
    if (DoModalHook())
        return DoModalHook()(*this);
    m_bModeless = false;
    CommonControls();  // for the templates' up-down buttons and lists
    return ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_nTemplateId),
                             m_hParent, StaticDialogProc, reinterpret_cast<LPARAM>(this));
}

bool CDialog::Create()
{
    m_bModeless = true;
    CommonControls();
    const HWND window =
        ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_nTemplateId),
                             m_hParent, StaticDialogProc, reinterpret_cast<LPARAM>(this));
    if (!window)
        return false;
    ModelessDialogs().push_back(window);
    ::ShowWindow(window, SW_SHOW);
    return true;
}

void CDialog::EndDialog(INT_PTR result)
{
    if (m_bModeless)
        ::DestroyWindow(m_hWnd);
    else
        ::EndDialog(m_hWnd, result);
}

INT_PTR CDialog::DialogProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    INT_PTR result = 0;
    if (OnMessage(message, wParam, lParam, result))
        return result;
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog() ? TRUE : FALSE;
    case WM_SETCURSOR:
        // Controls ask their parent first, so this covers them too.
        if (m_hCursor && LOWORD(lParam) == HTCLIENT) {
            ::SetCursor(m_hCursor);
            ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, TRUE);
            return TRUE;
        }
        return FALSE;
    case WM_COMMAND: {
        const UINT id = LOWORD(wParam);
        if (id == IDOK) {
            if (OnOK())
                EndDialog(IDOK);
            return TRUE;
        }
        if (id == IDCANCEL) {
            OnCancel();
            EndDialog(IDCANCEL);
            return TRUE;
        }
        if (HIWORD(wParam) == EN_CHANGE && !m_bFittingField)
            FitSjisField(id);
        return OnCommand(id, HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
    }
    case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        LRESULT answer = 0;
        if (!OnNotify(static_cast<UINT>(header.idFrom), header, answer))
            return FALSE;
        ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, answer);
        return TRUE;
    }
    case WM_HELP:
        return OnHelp(*reinterpret_cast<const HELPINFO*>(lParam)) ? TRUE : FALSE;
    default:
        return FALSE;
    }
}

INT_PTR CDialog::Dispatch(CDialog* self, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!self)
        return FALSE;
    if (message == WM_INITDIALOG)
        self->m_hWnd = window;
    INT_PTR result = FALSE;
    try {
        result = self->DialogProc(message, wParam, lParam);
    } catch (...) {
        // No exception may unwind through the dialog manager; the dialog ends instead.
        if (self->m_bModeless)
            ::DestroyWindow(window);
        else
            ::EndDialog(window, IDCANCEL);
        result = TRUE;
    }
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, DWLP_USER, 0);
        self->m_hWnd = nullptr;
        auto& modeless = ModelessDialogs();
        modeless.erase(std::remove(modeless.begin(), modeless.end(), window), modeless.end());
        if (self->m_bModeless)
            self->PostNcDestroy();
    }
    return result;
}

INT_PTR CALLBACK CDialog::StaticDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        ::SetWindowLongPtrW(window, DWLP_USER, lParam);
    auto* self = reinterpret_cast<CDialog*>(::GetWindowLongPtrW(window, DWLP_USER));
    return Dispatch(self, window, message, wParam, lParam);
}

std::wstring CDialog::GetItemText(UINT id) const
{
    const HWND item = Item(id);
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(item)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(item, text.data(), static_cast<int>(text.size()))));
    return text;
}

void CDialog::SetItemText(UINT id, std::wstring_view text)
{
    ::SetWindowTextW(Item(id), std::wstring(text).c_str());
    // A multi-line edit tells nothing of a text set this way.
    FitSjisField(id);
}

std::string CDialog::GetItemSjis(UINT id, std::size_t maxBytes) const
{
    std::string sjis = WideToSjis(GetItemText(id));
    sjis.resize(SjisFitLength(sjis, maxBytes));
    return sjis;
}

void CDialog::SetItemSjis(UINT id, std::string_view sjis)
{
    SetItemText(id, SjisToWide(sjis));
}

std::optional<int> CDialog::GetItemInt(UINT id) const
{
    BOOL ok = FALSE;
    const int value = static_cast<int>(::GetDlgItemInt(m_hWnd, static_cast<int>(id), &ok, TRUE));
    if (!ok)
        return std::nullopt;
    return value;
}

void CDialog::SetItemInt(UINT id, int value)
{
    ::SetDlgItemInt(m_hWnd, static_cast<int>(id), static_cast<UINT>(value), TRUE);
}

void CDialog::SetSpinRange(UINT spinId, int lowest, int highest)
{
    ::SendMessageW(Item(spinId), UDM_SETRANGE32, static_cast<WPARAM>(lowest),
                   static_cast<LPARAM>(highest));
}

void CDialog::SetSpinPos(UINT spinId, int position)
{
    ::SendMessageW(Item(spinId), UDM_SETPOS32, 0, static_cast<LPARAM>(position));
}

void CDialog::LimitSjisText(UINT id, std::size_t maxBytes)
{
    m_SjisFields.push_back({id, maxBytes, {}});
    FitSjisField(id);
}

void CDialog::FitSjisField(UINT id)
{
    const auto found = std::find_if(m_SjisFields.begin(), m_SjisFields.end(),
                                    [id](const SjisField& field) { return field.id == id; });
    if (found == m_SjisFields.end())
        return;
    SjisField& field = *found;
    const std::wstring typed = GetItemText(field.id);
    FieldFit fit = FitFieldChange(field.accepted, typed, field.maxBytes, Cp932Width);
    field.accepted = std::move(fit.text);
    if (!fit.Refused())
        return;
    const HWND edit = Item(field.id);
    m_bFittingField = true;
    ::SetWindowTextW(edit, field.accepted.c_str());
    m_bFittingField = false;
    ::SendMessageW(edit, EM_SETSEL, fit.caret, fit.caret);

    const FieldRefusal refusal = RefusalText(fit.unstorable, field.maxBytes);
    EDITBALLOONTIP balloon{sizeof balloon, refusal.title.c_str(), refusal.text.c_str(), TTI_WARNING};
    if (refusal.title.empty() ||
        !::SendMessageW(edit, EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&balloon)))
        ::MessageBeep(MB_ICONWARNING);
}

bool CDialog::IsChecked(UINT id) const
{
    return ::IsDlgButtonChecked(m_hWnd, static_cast<int>(id)) == BST_CHECKED;
}

void CDialog::SetCheck(UINT id, bool checked)
{
    ::CheckDlgButton(m_hWnd, static_cast<int>(id), checked ? BST_CHECKED : BST_UNCHECKED);
}

UINT CDialog::CheckedRadio(UINT first, UINT last) const
{
    for (UINT id = first; id <= last; ++id)
        if (IsChecked(id))
            return id;
    return 0;
}

void CDialog::CheckRadio(UINT first, UINT last, UINT checked)
{
    ::CheckRadioButton(m_hWnd, static_cast<int>(first), static_cast<int>(last),
                       static_cast<int>(checked));
}

int CDialog::GetListSelection(UINT id) const
{
    return static_cast<int>(::SendMessageW(Item(id), LB_GETCURSEL, 0, 0));
}

void CDialog::SetListSelection(UINT id, int index)
{
    ::SendMessageW(Item(id), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int CDialog::GetComboSelection(UINT id) const
{
    return static_cast<int>(::SendMessageW(Item(id), CB_GETCURSEL, 0, 0));
}

void CDialog::SetComboSelection(UINT id, int index)
{
    ::SendMessageW(Item(id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void SetDoModalHook(std::function<INT_PTR(CDialog&)> hook)
{
    DoModalHook() = std::move(hook);
}

bool IsModelessDialogMessage(MSG& msg)
{
    // A copy: the key may close its dialog, which leaves the list meanwhile.
    const std::vector<HWND> dialogs = ModelessDialogs();
    for (const HWND dialog : dialogs)
        if (::IsWindow(dialog) && ::IsDialogMessageW(dialog, &msg))
            return true;
    return false;
}

CModalGuard::CModalGuard(IModalListener* listener) : m_pListener(listener)
{
    ++g_nModalDepth;
    if (m_pListener)
        m_pListener->OnModalBegin();
}

CModalGuard::~CModalGuard()
{
    if (m_pListener)
        m_pListener->OnModalEnd();
    if (--g_nModalDepth == 0 && g_hDeferredClose) {
        const HWND window = std::exchange(g_hDeferredClose, nullptr);
        if (::IsWindow(window))
            ::PostMessageW(window, WM_CLOSE, 0, 0);
    }
}

bool CModalGuard::IsModalOpen()
{
    return g_nModalDepth > 0;
}

bool CModalGuard::DeferClose(HWND window)
{
    if (g_nModalDepth == 0)
        return false;
    g_hDeferredClose = window;
    return true;
}

}  // namespace plover
