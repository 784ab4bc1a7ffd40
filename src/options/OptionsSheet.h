// The options sheet: six pages that carry every setting the user changes, filled
// from the settings before it runs and read back only when it ends with OK.
#pragma once

#include <windows.h>

#include "framework/PropertySheet.h"
#include "options/CursorPage.h"
#include "options/NoticePage.h"
#include "options/ShowPage.h"
#include "options/SoundPage.h"
#include "options/StartPage.h"
#include "options/TimerPage.h"
#include "services/Settings.h"

namespace plover {

class CMyPropertySheet : public CPropertySheet {
public:
    explicit CMyPropertySheet(HWND parent);

    // Every page's members from `settings`.
    void Fill(const CPloverSettings& settings);
    // `settings` with what the pages hold now; pages never shown hand back what
    // Fill gave them.
    CPloverSettings Result(CPloverSettings settings);

    // In tab order.
    CMyPropertyPageCursor m_PageCursor;
    CMyPropertyPageIcon m_PageIcon;
    CMyPropertyPageStart m_PageStart;
    CMyPropertyPageShow m_PageShow;
    CMyPropertyPageSound m_PageSound;
    CMyPropertyPageNotice m_PageNotice;

protected:
    bool OnSheetCommand(UINT id) override;

private:
    // Page members from the settings, or back.
    void Exchange(CPloverSettings& settings, bool toPages);
};

}  // namespace plover
