// The main window: its start size and place, the bars it starts without, the
// program's cursor over it, and its rectangle stored at every exit.
#pragma once

#include <memory>
#include <string>

#include "framework/Cursor.h"
#include "framework/DocTemplate.h"
#include "framework/FrameWnd.h"
#include "services/Settings.h"
#include "view/BarHost.h"

namespace plover {

class CNotifier;
class CPloverView;

class CMainFrame : public CFrameWnd, public IBarHost {
public:
    CMainFrame();
    ~CMainFrame() override;

    bool LoadFrame(UINT resourceId, DWORD style, CDocument* document,
                   std::function<std::unique_ptr<CView>()> makeView) override;

    // The countdown view, told to the frame as the template makes it.
    void SetCountdownView(CPloverView& view) { m_pCountdown = &view; }

    // The bars the view's double click cycles.
    void ShowTitleBar(bool show) override;
    void ShowMenu(bool show) override { ShowMenuBar(show); }
    // The program's cursor becomes that of `cursorNo`, over the frame and the
    // view; the one it replaces is destroyed.
    void ReplaceCursor(int cursorNo);
    // Restores a minimised window or raises a covered one (at the target minute).
    void ComeToFront();
    // The notification area and the notices as the settings now say.
    void ApplyNotifySettings(const CPloverSettings& settings);
    // The notification area's part of the second's tick, also while a menu or a
    // dialog runs its own loop.
    void OnNotifyTick();

    CCursor m_Cursor;
    // What the pointer showed before the program's cursor; the platform's.
    CCursor m_PrevCursor;
    std::wstring m_strTitle;

protected:
    bool PreCreateWindow(CREATESTRUCTW& cs) override;
    bool OnCommand(UINT id) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CPloverView* View() const { return m_pCountdown; }
    bool OnSetCursor(UINT hitTest);
    void OnDestroy();
    void OnSize(UINT type);
    void OnActivate(UINT state);
    void OnDpiChanged(int dpi, const RECT& suggested);
    // Log-off, restart or shutdown: the process may end as soon as this returns.
    void OnEndSession(bool ending);
    // Redraws the view's picture when realising its palette changed colours.
    void RealizePicture(bool background);
    void OnTrayCallback(LPARAM lParam);
    void ShowTrayMenu();
    // Alt or F10 (alone or with a menu's letter) while the menu bar is hidden:
    // the bar shows for the menu's loop and goes again after it.
    void OnKeyMenu(WPARAM wParam, LPARAM lParam);
    void HideMenuAfterLoop();

    CPloverView* m_pCountdown = nullptr;
    std::unique_ptr<CNotifier> m_pNotifier;
    bool m_bMenuForLoop = false;  // the menu bar shows only while its loop runs
};

// The template of the program's one window: the main frame with the countdown view
// inside, each made knowing the other by its own type.
std::unique_ptr<CSingleDocTemplate> MakeMainTemplate(
    std::function<std::unique_ptr<CDocument>()> makeDocument);

}  // namespace plover
