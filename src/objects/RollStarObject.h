// The rotating star: a small child window that shows a yellow star turning about
// its vertical axis while it bobs up and down, one frame per tick of its own 10 ms
// timer.  Its parent owns it; it never deletes itself.
#pragma once

#include <windows.h>

#include <optional>

#include "framework/Gdi.h"
#include "framework/View.h"
#include "objects/StarAnimation.h"

namespace plover {

class CRollStarObject : public CView {
public:
    // The second star starts with (1, 0, 1) so the two bob in opposite directions;
    // call it before Create.
    void SetPhase(int offset, int direction, int frame);

    // Draws the next frame and moves the animation on, whatever caused the paint.
    void OnDraw(HDC dc) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    const wchar_t* ClassName() const override;

private:
    int OnCreate();
    void OnDestroy();
    void OnTimer(UINT_PTR id);
    void LoadFrames();

    const UINT m_nTimerID = 1;
    CBrush m_pBkBrush;
    // The ten frame pictures side by side, frame 1 leftmost, held selected in a
    // memory DC for the window's life: selecting a bitmap costs many times the copy
    // itself, and the star paints a hundred times a second.
    CBitmap m_pFrameStrip;
    std::optional<CMemoryDC> m_StripDC;
    std::optional<CSelectObject> m_StripSelection;
    int m_nBmpWidth = 0;   // of frame 1, used for every frame
    int m_nBmpHeight = 0;
    CStarAnimation m_Animation;
};

}  // namespace plover
