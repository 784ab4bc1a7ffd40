// The countdown view's timers: the one-second tick (automatic minimise and close,
// and the check for a new day) and the shooting star.
#include "view/PloverView.h"

#include "framework/RectWin32.h"
#include "objects/ClockObject.h"
#include "schedule/PloverDoc.h"
#include "services/LocalTime.h"
#include "view/SelfTimer.h"

namespace plover {

void CPloverView::OnTimer(UINT_PTR id)
{
    switch (static_cast<ViewTimer>(id)) {
    case ViewTimer::Tick:
        CheckDate();
        // The clock sleeps while nothing shows; the target minute must still
        // bring the window to the front.
        if (!m_pClock->IsRunning())
            m_pClock->CheckTarget(Now());
        if (!m_bTickPaused)
            OnTick();
        break;
    case ViewTimer::ShootingStar:
        if (m_bStarFlying)
            OnStarTick();
        break;
    }
}

void CPloverView::StopShootingStar()
{
    m_ShootingStar.Finish();
    if (m_bStarFlying)
        ::KillTimer(m_hWnd, static_cast<UINT_PTR>(ViewTimer::ShootingStar));
    m_bStarFlying = false;
}

void CPloverView::OnTick()
{
    const HWND frame = ::GetParent(m_hWnd);
    if (!::IsIconic(frame) && m_nIconFlg == 1) {
        if (CountDown(m_nIconCount))
            ::ShowWindow(frame, SW_MINIMIZE);  // the frame reloads the count at once
    }
    if (m_nDestroyFlg == 1) {
        if (CountDown(m_nDestroyCount)) {
            // Nobody need be at the screen to answer if the schedule cannot be written.
            if (CPloverDoc* doc = GetDocument())
                doc->m_bUnattendedClose = true;
            ::PostMessageW(frame, WM_CLOSE, 0, 0);
        }
    }
}

void CPloverView::OnStarTick()
{
    m_ShootingStar.Step();
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    // Beyond the window nothing is invalid, so no paint would come to stop the
    // timer: it stops here.
    if (m_ShootingStar.HasLeft(client.right, client.bottom)) {
        StopShootingStar();
        return;
    }
    const RECT area = ToRECT(m_ShootingStar.GetRect());
    ::InvalidateRect(m_hWnd, &area, FALSE);
    ::UpdateWindow(m_hWnd);
}

}  // namespace plover
