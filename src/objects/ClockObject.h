// The clock: a child window over the view's panel that shows the local time as
// hh:mm:ss in a mint box with a sunken border, polls the time ten times a second,
// repaints only the digits that changed, and tells its parent when the target
// minute begins.  Its parent owns it; it never deletes itself.
#pragma once

#include <windows.h>

#include "framework/Gdi.h"
#include "framework/View.h"
#include "objects/ClockFace.h"
#include "services/LocalTime.h"

namespace plover {

class CClockObject : public CView {
public:

    void OnDraw(HDC dc) override;
    // Builds the digit font anew for the current size and m_nGMFont; the caller
    // repaints when it needs to.
    void RecreateFont();
    // The minute at which the parent gets the target-time command; the seconds are
    // ignored.  Without one the clock signals nothing.
    void SetTargetTime(const LocalTime& target);
    void ClearTargetTime();
    const std::optional<LocalTime>& TargetTime() const { return m_Face.Target(); }
    // The time on display, as a screen reader reads it.
    std::wstring ShownText() const { return m_Face.Text(m_nHour24 != 0); }

    // The box's colours made anew for the present look; repaints.
    void ApplyLook();

    // Stops polling and drawing while nothing of the clock can be seen, and starts
    // again showing the time of that moment.
    void SetRunning(bool running);
    bool IsRunning() const { return m_bRunning; }
    // While stopped, called by the parent every second: posts the target-time
    // command on the first call that finds the target minute begun.
    void CheckTarget(const LocalTime& now);

    int m_nHour24 = 1;  // 0 shows the hour modulo 12
    int m_nGMFont = 1;  // 1 the gothic face, anything else the mincho face

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    const wchar_t* ClassName() const override;

private:
    int OnCreate();
    void OnDestroy();
    void OnSize(int cx, int cy);
    void OnTimer(UINT_PTR id);
    void BuildFont(int cx, int cy);
    void ReadClientSize();

    const UINT m_nTimerID = 1;
    bool m_bRunning = true;
    bool m_bInTargetMinute = false;
    CBrush m_pBkBrush;
    CFont m_pFont;  // none until the first resize
    int m_cxClient = 0;
    int m_cyClient = 0;
    CClockFace m_Face;
};

}  // namespace plover
