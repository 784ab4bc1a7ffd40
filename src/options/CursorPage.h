// The cursor page: the twelve star cursors in a list, the chosen one's preview
// beside it.
#pragma once

#include <vector>

#include "framework/Gdi.h"
#include "framework/PropertySheet.h"

namespace plover {

class CMyPropertyPageCursor : public CPropertyPage {
public:
    CMyPropertyPageCursor();

    // The cursor number 1..12; 0 after the page was left with no row chosen.
    int m_CursorNo = 1;

protected:
    bool OnInitDialog() override;
    bool OnKillActive() override;
    bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    // The preview's corner, (85, 57) at 100 %, scaled like the page.
    POINT PreviewAt() const;
    RECT PreviewRect() const;
    void OnPaint();

    std::vector<CBitmap> m_Previews;  // by list row
    SIZE m_PreviewSize{};
    int m_nDpi = 96;
};

}  // namespace plover
