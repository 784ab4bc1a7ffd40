// Dialogs of the framework: a template from the resources, the object bound at
// WM_INITDIALOG and cleared at WM_NCDESTROY, one dispatch per class with typed
// handlers for commands, notifications and help, control helpers that convert at
// the Shift-JIS boundary, and the opener's cursor over the dialog and its controls.
// Modal (DoModal) or modeless (Create, kept in the message loop's dialog list).
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plover {

class CDialog {
public:
    CDialog(UINT templateId, HWND parent) : m_nTemplateId(templateId), m_hParent(parent) {}
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Runs the dialog; IDOK, IDCANCEL or -1 when it could not be created.
    INT_PTR DoModal();
    // Shows the dialog modeless; OK and Cancel destroy it.  False when it could not
    // be created.
    bool Create();

    UINT TemplateId() const { return m_nTemplateId; }

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
    // WM_NOTIFY from control `id`; true when handled, with `result` the answer.
    virtual bool OnNotify(UINT id, const NMHDR& header, LRESULT& result) { return false; }
    // F1 (WM_HELP) over the dialog or one of its controls; true when handled.
    virtual bool OnHelp(const HELPINFO& info) { return false; }
    // The class's own messages; false leaves them to the dialog manager.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result)
    {
        return false;
    }
    // Called after the last message of a modeless dialog.
    virtual void PostNcDestroy() {}
    void EndDialog(INT_PTR result);

    // Control helpers.  Texts go to and from the controls as Unicode; the Sjis
    // forms convert with code page 932 at this boundary.
    HWND Item(UINT id) const { return ::GetDlgItem(m_hWnd, static_cast<int>(id)); }
    std::wstring GetItemText(UINT id) const;
    void SetItemText(UINT id, std::wstring_view text);
    // At most `maxBytes` bytes, never ending inside a double-byte character.
    std::string GetItemSjis(UINT id, std::size_t maxBytes) const;
    void SetItemSjis(UINT id, std::string_view sjis);
    // A signed number, or none when the text is not one.
    std::optional<int> GetItemInt(UINT id) const;
    void SetItemInt(UINT id, int value);
    // An up-down control's range, both ends included, and its position (which
    // its buddy edit shows).
    void SetSpinRange(UINT spinId, int lowest, int highest);
    void SetSpinPos(UINT spinId, int position);
    // Holds edit `id` to what `maxBytes` code page 932 bytes can store: whatever the
    // user types or pastes beyond that, or a character the code page cannot hold,
    // is turned away at once with a balloon (or a beep) rather than cut later.
    void LimitSjisText(UINT id, std::size_t maxBytes);
    bool IsChecked(UINT id) const;
    void SetCheck(UINT id, bool checked);
    // The checked one of the radio buttons first..last, or 0 when none is.
    UINT CheckedRadio(UINT first, UINT last) const;
    void CheckRadio(UINT first, UINT last, UINT checked);
    // List box and combo box selection: an index, or -1 for none.
    int GetListSelection(UINT id) const;
    void SetListSelection(UINT id, int index);
    int GetComboSelection(UINT id) const;
    void SetComboSelection(UINT id, int index);

    // The message dispatch, shared with property pages.
    INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Binds the object at WM_INITDIALOG and unbinds it at WM_NCDESTROY; no
    // exception gets past it.
    static INT_PTR Dispatch(CDialog* self, HWND window, UINT message, WPARAM wParam,
                            LPARAM lParam);

protected:
    // What a limited field's balloon says when it turns typing away: a character
    // the code page cannot hold (`unstorable`) or more than `maxBytes`.  The words
    // are the program's; with no title the field only beeps.
    struct FieldRefusal {
        std::wstring title;
        std::wstring text;
    };
    virtual FieldRefusal RefusalText(bool unstorable, std::size_t maxBytes) const { return {}; }

private:
    static INT_PTR CALLBACK StaticDialogProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam);

    struct SjisField {
        UINT id;
        std::size_t maxBytes;
        std::wstring accepted;  // the text as last let through
    };
    // Holds limited field `id` to its limit; other fields are left alone.
    void FitSjisField(UINT id);

    UINT m_nTemplateId;
    HWND m_hParent;
    bool m_bModeless = false;
    std::vector<SjisField> m_SjisFields;
    bool m_bFittingField = false;  // our own correction changes the field again
};

// While set, DoModal calls this instead of showing the dialog and returns its
// answer (tests read or fill the dialog object without a window).
void SetDoModalHook(std::function<INT_PTR(CDialog&)> hook);

// Modeless dialogs: the message loop hands their keys (Tab, arrows, Enter, Esc)
// to the dialog manager.  True when the message was one of theirs.
bool IsModelessDialogMessage(MSG& msg);

// Whatever should stop while a modal dialog of the program is open (the view's
// one-second tick).
class IModalListener {
public:
    virtual ~IModalListener() = default;
    virtual void OnModalBegin() = 0;
    virtual void OnModalEnd() = 0;
};

// Alive while a modal dialog of the program is open: the listener is told at
// both ends, and a close of the main window asked for meanwhile waits until the
// last guard ends (a dialog's loop would otherwise run on with its owner gone).
class CModalGuard {
public:
    explicit CModalGuard(IModalListener* listener = nullptr);
    ~CModalGuard();
    CModalGuard(const CModalGuard&) = delete;
    CModalGuard& operator=(const CModalGuard&) = delete;

    static bool IsModalOpen();
    // For the frame's WM_CLOSE: true when a guard is alive; the close is then
    // posted to `window` again as the last guard ends.
    static bool DeferClose(HWND window);

private:
    IModalListener* m_pListener;
};

}  // namespace plover
