// The view base: the child window that fills the frame's client area and draws
// the document.
#pragma once

#include "framework/Wnd.h"

namespace plover {

class CDocument;

class CView : public CWnd {
public:
    // Creates the view's window inside `frame`, filling its client area.
    virtual bool Create(HWND frame, UINT id);
    // Creates the window as a visible child of `parent` at `rect`.
    bool Create(HWND parent, const RECT& rect, UINT id);

    // Draws the view; `dc` is clipped to what needs painting.
    virtual void OnDraw(HDC dc) = 0;
    // Called when the view becomes (or stops being) the frame's active view.
    virtual void OnActivateView(bool activate, CView* activated, CView* deactivated) {}
    // The document changed; `hint` says what, in the document's own terms.
    virtual void OnUpdate(unsigned hint) {}
    // A menu or accelerator command; true when the view handled it.
    virtual bool OnCommand(UINT id) { return false; }

    CDocument* GetDocument() const { return m_pDocument; }
    CDocument* m_pDocument = nullptr;

protected:
    static constexpr const wchar_t* kClassName = L"PloverViewWindow";
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // A window class of the view's own; the base registers one with double clicks.
    virtual const wchar_t* ClassName() const;
};

}  // namespace plover
