#include "framework/PropertySheet.h"

#include <commctrl.h>

#include "framework/CommonControls.h"

namespace plover {

namespace {

// The sheet being run: PropertySheetW's callback carries no data of its own.
CPropertySheet* g_pRunningSheet = nullptr;

}  // namespace

INT_PTR CALLBACK CPropertyPage::StaticPageProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        // A page gets its PROPSHEETPAGE, whose lParam is the object.
        const auto* page = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
        ::SetWindowLongPtrW(window, DWLP_USER, page->lParam);
    }
    auto* self = reinterpret_cast<CDialog*>(::GetWindowLongPtrW(window, DWLP_USER));
    return Dispatch(self, window, message, wParam, lParam);
}

bool CPropertyPage::OnNotify(UINT id, const NMHDR& header, LRESULT& result)
{
    switch (header.code) {
    case PSN_SETACTIVE:
        if (m_pSheet)
            m_pSheet->m_nLastPage = m_nIndex;
        OnSetActive();
        result = 0;
        return true;
    case PSN_KILLACTIVE:
        result = OnKillActive() ? FALSE : TRUE;
        return true;
    case PSN_APPLY: {
        const bool applied = OnApply();
        if (m_pSheet)
            m_pSheet->m_bApplied = applied;
        result = applied ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        return true;
    }
    case PSN_RESET:
        if (m_pSheet)
            m_pSheet->m_bApplied = false;
        OnReset();
        result = 0;
        return true;
    default:
        return false;
    }
}

void CPropertySheet::AddPage(CPropertyPage& page)
{
    page.m_pSheet = this;
    page.m_nIndex = static_cast<int>(m_pages.size());
    m_pages.push_back(&page);
}

INT_PTR CPropertySheet::DoModal()
{
    const CommonControlsApi* controls = CommonControls();
    if (!controls)
        return IDCANCEL;
    std::vector<PROPSHEETPAGEW> pages(m_pages.size());
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        PROPSHEETPAGEW& page = pages[i];
        page.dwSize = sizeof page;
        page.dwFlags = PSP_DEFAULT;
        page.hInstance = ::GetModuleHandleW(nullptr);
        page.pszTemplate = MAKEINTRESOURCEW(m_pages[i]->TemplateId());
        page.pfnDlgProc = CPropertyPage::StaticPageProc;
        page.lParam = reinterpret_cast<LPARAM>(m_pages[i]);
        m_pages[i]->m_hCursor = m_hCursor;
    }
    PROPSHEETHEADERW header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_NOCONTEXTHELP | PSH_USECALLBACK;
    header.hwndParent = m_hParent;
    header.hInstance = ::GetModuleHandleW(nullptr);
    header.pszCaption = m_strCaption.c_str();
    header.nPages = static_cast<UINT>(pages.size());
    header.nStartPage = static_cast<UINT>(m_nStartPage);
    header.ppsp = pages.data();
    header.pfnCallback = SheetCallback;

    m_nLastPage = m_nStartPage;
    m_bApplied = false;
    CPropertySheet* const outer = g_pRunningSheet;
    g_pRunningSheet = this;
    const INT_PTR run = controls->propertySheet(&header);
    g_pRunningSheet = outer;
    return run >= 0 && m_bApplied ? IDOK : IDCANCEL;
}

int CALLBACK CPropertySheet::SheetCallback(HWND window, UINT message, LPARAM)
{
    if (message == PSCB_INITIALIZED && g_pRunningSheet)
        CommonControls()->setWindowSubclass(window, SheetSubclass, 1,
                                            reinterpret_cast<DWORD_PTR>(g_pRunningSheet));
    return 0;
}

// The sheet's own window: its tabs and buttons ask it for a cursor, and its
// buttons' commands come to it.
LRESULT CALLBACK CPropertySheet::SheetSubclass(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam, UINT_PTR id, DWORD_PTR data)
{
    auto* sheet = reinterpret_cast<CPropertySheet*>(data);
    switch (message) {
    case WM_SETCURSOR:
        // Over the caption too; a click on the sheet while a message box holds it
        // (HTERROR) keeps the platform's beep.
        if (sheet->m_hCursor && static_cast<short>(LOWORD(lParam)) != HTERROR) {
            ::SetCursor(sheet->m_hCursor);
            return TRUE;
        }
        break;
    case WM_COMMAND:
        if (sheet->OnSheetCommand(LOWORD(wParam)))
            return 0;
        break;
    case WM_NCDESTROY:
        CommonControls()->removeWindowSubclass(window, SheetSubclass, id);
        break;
    default:
        break;
    }
    return CommonControls()->defSubclassProc(window, message, wParam, lParam);
}

}  // namespace plover
