#include "framework/Dialog.h"

namespace plover {

INT_PTR CDialog::DoModal()
{
    return ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_nTemplateId),
                             m_hParent, StaticDialogProc, reinterpret_cast<LPARAM>(this));
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
        return OnCommand(id, HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
    }
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK CDialog::StaticDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<CDialog*>(lParam);
        self->m_hWnd = window;
        ::SetWindowLongPtrW(window, DWLP_USER, lParam);
    }
    auto* self = reinterpret_cast<CDialog*>(::GetWindowLongPtrW(window, DWLP_USER));
    if (!self)
        return FALSE;
    INT_PTR result = FALSE;
    try {
        result = self->DialogProc(message, wParam, lParam);
    } catch (...) {
        // No exception may unwind through the dialog manager; the dialog ends instead.
        ::EndDialog(window, IDCANCEL);
        return TRUE;
    }
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, DWLP_USER, 0);
        self->m_hWnd = nullptr;
    }
    return result;
}

}  // namespace plover
