// The countdown view's timers: the one-second tick (automatic minimise and close,
// and the check for a new day), the shooting star, and the target time.
#include "view/PloverView.h"

#include "app/MainFrame.h"
#include "resource.h"

namespace plover {

void CPloverView::OnTimer(UINT_PTR id)
{
    if (id == 1)
        CheckDate();
    // While a dialog runs m_nTickTimer is 0, so the tick matches nothing.
    if (id == m_nTickTimer)
        OnTick();
    else if (id == m_nStarTimer && m_nStarTimer != 0)
        OnStarTick();
}

void CPloverView::OnTick()
{
    const HWND frame = ::GetParent(m_hWnd);
    if (!::IsIconic(frame) && m_nIconFlg == 1) {
        if (--m_nIconCount <= 0)
            ::ShowWindow(frame, SW_MINIMIZE);  // the frame reloads the count at once
    }
    if (m_nDestroyFlg == 1) {
        if (--m_nDestroyCount <= 0)
            ::PostMessageW(frame, WM_CLOSE, 0, 0);
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
        m_ShootingStar.Finish();
        ::KillTimer(m_hWnd, m_nStarTimer);
        m_nStarTimer = 0;
        return;
    }
    const Rect& r = m_ShootingStar.GetRect();
    const RECT area{r.left, r.top, r.right, r.bottom};
    ::InvalidateRect(m_hWnd, &area, FALSE);
    ::UpdateWindow(m_hWnd);
}

void CPloverView::OnTargetTime()
{
    const HWND frame = ::GetParent(m_hWnd);
    if (::IsIconic(frame))
        ::ShowWindow(frame, SW_RESTORE);
    else
        ::SetWindowPos(frame, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
}

}  // namespace plover
