// The frame base: the program's top-level window with its menu, accelerators and
// one view filling the client area.  Commands go to the view first, then the frame.
#pragma once

#include <functional>
#include <memory>

#include "framework/Menu.h"
#include "framework/View.h"
#include "framework/Wnd.h"

namespace plover {

class CDocument;
class CView;

class CFrameWnd : public CWnd {
public:
    ~CFrameWnd() override;

    // Creates the window with menu, icon and accelerators of `resourceId`, and
    // the view from `makeView` inside it.
    virtual bool LoadFrame(UINT resourceId, DWORD style, CDocument* document,
                           std::function<std::unique_ptr<CView>()> makeView);
    // Makes the view active and shows the frame for the first time.
    void InitialUpdateFrame(int showCommand);

    CView* GetActiveView() const { return m_pView.get(); }
    HACCEL GetAccelerators() const { return m_Accelerators.Get(); }
    // Shows or takes away the menu bar; the frame keeps its menu either way.
    void ShowMenuBar(bool show);
    bool HasMenuBar() const { return ::GetMenu(m_hWnd) != nullptr; }

protected:
    static constexpr UINT kViewId = 0xE900;  // the first pane's identifier

    // Adjusts the creation parameters (size, position, style) before the window exists.
    virtual bool PreCreateWindow(CREATESTRUCTW& cs) { return true; }
    // A command the view did not take; true when handled.
    virtual bool OnCommand(UINT id);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnSize(UINT type, int cx, int cy);
    void OnClose();
    void OnNcDestroy();

    CDocument* m_pDocument = nullptr;

private:
    std::unique_ptr<CView> m_pView;
    CMenu m_Menu;
    CAccelerators m_Accelerators;
};

}  // namespace plover
