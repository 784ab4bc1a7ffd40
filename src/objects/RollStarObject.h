// The rotating star: a small child window that shows a yellow star turning about
// its vertical axis while it bobs up and down, one frame per tick of its own 10 ms
// timer.  Its parent owns it; it never deletes itself.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/Gdi.h"
#include "framework/SystemLook.h"
#include "framework/View.h"
#include "objects/StarAnimation.h"
#include "objects/StarFrames.h"

namespace plover {

class CRollStarObject : public CView {
public:
    // With frames of its own, or drawing from a set it shares with the other star.
    CRollStarObject();
    explicit CRollStarObject(std::shared_ptr<const CStarFrames> frames);

    // The second star starts with (1, 0, 1) so the two bob in opposite directions;
    // call it before Create.
    void SetPhase(int offset, int direction, int frame);

    // Frames drawn for another DPI or look; the next paint uses them, on the
    // plate of the present look.
    void SetFrames(std::shared_ptr<const CStarFrames> frames);
    // Stops the star on its first frame where the look now asks for stillness,
    // and starts it again from there where it no longer does.
    void UpdateMotion();
    // Stops the timer while there is nothing to show, and starts it again; the
    // star goes on from the frame and height where it stopped.
    void SetRunning(bool running);
    bool IsRunning() const { return m_bRunning; }
    int Dpi() const { return m_pFrames ? m_pFrames->Dpi() : 96; }

    // Draws the next frame and moves the animation on, whatever caused the paint.
    void OnDraw(HDC dc) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    const wchar_t* ClassName() const override;

private:
    int OnCreate();
    void OnDestroy();
    void OnTimer(UINT_PTR id);
    void MakePlate();

    const UINT m_nTimerID = 1;
    bool m_bRunning = true;
    CBrush m_pBkBrush;
    std::shared_ptr<const CStarFrames> m_pFrames;
    CStarAnimation m_Animation;
    CStarAnimation m_Start;  // the first frame's phase, shown while still
};

}  // namespace plover
