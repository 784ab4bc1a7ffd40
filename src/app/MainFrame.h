// The main window: its start size and place, the bars it starts without, the
// program's cursor over it, and its rectangle stored at every exit.
#pragma once

#include <string>

#include "framework/FrameWnd.h"
#include "view/BarHost.h"

namespace plover {

class CPloverView;

class CMainFrame : public CFrameWnd, public IBarHost {
public:
    CMainFrame();
    ~CMainFrame() override;

    bool LoadFrame(UINT resourceId, DWORD style, CDocument* document,
                   std::function<std::unique_ptr<CView>()> makeView) override;

    // The bars the view's double click cycles.
    void ShowTitleBar(bool show) override;
    void ShowMenu(bool show) override { ShowMenuBar(show); }
    // Restores a minimised window or raises a covered one (at the target minute).
    void ComeToFront();

    HCURSOR m_hCursor = nullptr;
    HCURSOR m_hPrevCursor = nullptr;
    std::wstring m_strTitle;

protected:
    bool PreCreateWindow(CREATESTRUCTW& cs) override;
    bool OnCommand(UINT id) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CPloverView* View() const;
    bool OnSetCursor(UINT hitTest);
    void OnDestroy();
    void OnSize(UINT type);
    void OnActivate(UINT state);
    // Redraws the view's picture when realising its palette changed colours.
    void RealizePicture(bool background);
};

}  // namespace plover
