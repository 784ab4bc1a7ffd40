// The main window: its start size and place, the bars it starts without, the
// program's cursor over it, and its rectangle stored at every exit.
#pragma once

#include <string>

#include "framework/FrameWnd.h"

namespace plover {

class CMainFrame : public CFrameWnd {
public:
    CMainFrame();
    ~CMainFrame() override;

    bool LoadFrame(UINT resourceId, DWORD style, CDocument* document,
                   std::function<std::unique_ptr<CView>()> makeView) override;

    // Hides the title bar; the platform recomputes the frame only after a resize.
    void RemoveTitleBar();
    void RestoreTitleBar();
    // Takes the menu bar away and destroys it.
    void RemoveMenuBar();

    HCURSOR m_hCursor = nullptr;
    HCURSOR m_hPrevCursor = nullptr;
    std::wstring m_strTitle;

protected:
    bool PreCreateWindow(CREATESTRUCTW& cs) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool OnSetCursor(UINT hitTest);
    void OnDestroy();
};

}  // namespace plover
