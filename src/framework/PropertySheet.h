// A property sheet over PropertySheetW: pages are dialogs of the framework with
// handlers for being shown, left and applied; the sheet has no Apply and no Help
// button, starts on a chosen page and tells which page was shown last.
#pragma once

#include <windows.h>

#include <prsht.h>

#include <string>
#include <utility>
#include <vector>

#include "framework/Dialog.h"

namespace plover {

class CPropertySheet;

class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(UINT templateId) : CDialog(templateId, nullptr) {}

protected:
    // The page is about to be shown.
    virtual void OnSetActive() {}
    // The page is about to be left (for another page or for OK); false keeps it.
    virtual bool OnKillActive() { return true; }
    // OK on the sheet, for every page that was shown; false keeps the sheet open
    // on this page.
    virtual bool OnApply() { return true; }
    // Cancel on the sheet, for every page that was shown.
    virtual void OnReset() {}

    // The sheet's notifications; a page that handles its controls' own passes
    // the rest on to this.
    bool OnNotify(UINT id, const NMHDR& header, LRESULT& result) override;

private:
    friend class CPropertySheet;
    static INT_PTR CALLBACK StaticPageProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam);

    CPropertySheet* m_pSheet = nullptr;
    int m_nIndex = 0;
};

class CPropertySheet {
public:
    CPropertySheet(std::wstring caption, HWND parent)
        : m_strCaption(std::move(caption)), m_hParent(parent)
    {
    }
    virtual ~CPropertySheet() = default;
    CPropertySheet(const CPropertySheet&) = delete;
    CPropertySheet& operator=(const CPropertySheet&) = delete;

    // Pages in tab order; they must outlive the sheet's run.
    void AddPage(CPropertyPage& page);
    void SetStartPage(int index) { m_nStartPage = index; }
    void SetCaption(std::wstring caption) { m_strCaption = std::move(caption); }
    // Runs the sheet: IDOK or IDCANCEL (also when it could not be created).
    INT_PTR DoModal();
    HWND Parent() const { return m_hParent; }
    // The page shown last in the run that ended.
    int LastPage() const { return m_nLastPage; }

    // The program's cursor over the sheet, its pages and their controls.
    HCURSOR m_hCursor = nullptr;

protected:
    // A command to the sheet's own window (its buttons); true when handled, else
    // the sheet's default handling runs.
    virtual bool OnSheetCommand(UINT id) { return false; }

private:
    friend class CPropertyPage;
    static int CALLBACK SheetCallback(HWND window, UINT message, LPARAM lParam);
    static LRESULT CALLBACK SheetSubclass(HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam, UINT_PTR id, DWORD_PTR data);

    std::wstring m_strCaption;
    HWND m_hParent;
    std::vector<CPropertyPage*> m_pages;
    int m_nStartPage = 0;
    int m_nLastPage = 0;
    bool m_bApplied = false;
};

}  // namespace plover
