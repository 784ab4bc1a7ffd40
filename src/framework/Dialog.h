// The modal dialog base: a dialog template from the resources, the object bound
// at WM_INITDIALOG, one dispatch per class, and the opener's cursor over it.
#pragma once

#include <windows.h>

namespace plover {

class CDialog {
public:
    CDialog(UINT templateId, HWND parent) : m_nTemplateId(templateId), m_hParent(parent) {}
    virtual ~CDialog() = default;
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Runs the dialog; IDOK, IDCANCEL or -1 when it could not be created.
    INT_PTR DoModal();

    HWND m_hWnd = nullptr;
    // The program's cursor, handed in by the opener; none keeps the class cursor.
    HCURSOR m_hCursor = nullptr;

protected:
    // Fills the controls; true lets the system set the focus.
    virtual bool OnInitDialog() { return true; }
    // Takes the controls' values; return false to keep the dialog open.
    virtual bool OnOK() { return true; }
    virtual void OnCancel() {}
    // A command from a control other than OK and Cancel; true when handled.
    virtual bool OnCommand(UINT id, UINT notifyCode, HWND control) { return false; }
    // The class's own messages; false leaves them to the dialog manager.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result)
    {
        return false;
    }
    void EndDialog(INT_PTR result) { ::EndDialog(m_hWnd, result); }

private:
    INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR CALLBACK StaticDialogProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam);

    UINT m_nTemplateId;
    HWND m_hParent;
};

}  // namespace plover
