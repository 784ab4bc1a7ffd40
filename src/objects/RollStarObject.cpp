#include "objects/RollStarObject.h"

#include "objects/Frames.h"

namespace plover {

namespace {

constexpr UINT kFrameMilliseconds = 10;

}  // namespace

CRollStarObject::CRollStarObject() : CRollStarObject(std::make_shared<CStarFrames>()) {}

CRollStarObject::CRollStarObject(std::shared_ptr<const CStarFrames> frames)
    : m_pFrames(std::move(frames))
{
}

const wchar_t* CRollStarObject::ClassName() const
{
    static constexpr const wchar_t* kName = L"PloverRollStarObject";
    // No background brush: the paint's own fill is the only erase, so a frame
    // never flickers through an empty plate.
    RegisterClass(kName, CS_HREDRAW | CS_VREDRAW, nullptr, nullptr, nullptr);
    return kName;
}

void CRollStarObject::SetPhase(int offset, int direction, int frame)
{
    m_Animation.SetPhase(offset, direction, frame);
    m_Start = m_Animation;
}

LRESULT CRollStarObject::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        if (CView::WindowProc(message, wParam, lParam) == -1)
            return -1;
        return OnCreate();
    case WM_DESTROY:
        CView::WindowProc(message, wParam, lParam);
        OnDestroy();
        return 0;
    case WM_TIMER:
        OnTimer(wParam);
        return CView::WindowProc(message, wParam, lParam);
    default:
        return CView::WindowProc(message, wParam, lParam);
    }
}

void CRollStarObject::SetFrames(std::shared_ptr<const CStarFrames> frames)
{
    m_pFrames = std::move(frames);
    if (!m_hWnd)
        return;
    MakePlate();
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CRollStarObject::MakePlate()
{
    m_pBkBrush = MakeSolidBrush(LookColour(ToColorRef(kPlateGrey), COLOR_WINDOW));
}

void CRollStarObject::UpdateMotion()
{
    if (!m_hWnd)
        return;
    if (StillPictures()) {
        ::KillTimer(m_hWnd, m_nTimerID);
        m_Animation = m_Start;
    } else if (m_bRunning) {
        ::SetTimer(m_hWnd, m_nTimerID, kFrameMilliseconds, nullptr);
    }
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CRollStarObject::SetRunning(bool running)
{
    if (running == m_bRunning)
        return;
    m_bRunning = running;
    if (!m_hWnd || StillPictures())
        return;
    if (running)
        ::SetTimer(m_hWnd, m_nTimerID, kFrameMilliseconds, nullptr);
    else
        ::KillTimer(m_hWnd, m_nTimerID);
}

int CRollStarObject::OnCreate()
{
    MakePlate();
    if (m_bRunning && !StillPictures())
        ::SetTimer(m_hWnd, m_nTimerID, kFrameMilliseconds, nullptr);
    return 0;
}

void CRollStarObject::OnDestroy()
{
    ::KillTimer(m_hWnd, m_nTimerID);
}

void CRollStarObject::OnTimer(UINT_PTR id)
{
    if (id != m_nTimerID)
        return;
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    ::UpdateWindow(m_hWnd);
}

void CRollStarObject::OnDraw(HDC dc)
{
    if (!m_pFrames)
        return;
    const int width = m_pFrames->FrameWidth();
    CStarAnimation first = m_Start;  // every paint of a still star a first one
    const StarPaint paint = (StillPictures() ? first : m_Animation)
                                .NextPaint(width, m_pFrames->FrameHeight(), m_pFrames->Dpi());
    ClipAndFill(dc, paint.fill, m_pBkBrush.Get());
    if (!m_pFrames->Dc())
        return;
    const Rect& to = paint.bitmap;
    ::BitBlt(dc, to.left, to.top, to.Width(), to.Height(), m_pFrames->Dc(),
             (paint.frame - 1) * width, 0, SRCCOPY);
}

}  // namespace plover
