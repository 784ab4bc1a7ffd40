#include "objects/RollStarObject.h"

#include <array>

#include "objects/Frames.h"

namespace plover {

namespace {

constexpr UINT kFrameMilliseconds = 10;

}  // namespace

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

int CRollStarObject::OnCreate()
{
    m_pBkBrush = MakeSolidBrush(ToColorRef(kPlateGrey));
    LoadFrames();
    ::SetTimer(m_hWnd, m_nTimerID, kFrameMilliseconds, nullptr);
    return 0;
}

void CRollStarObject::LoadFrames()
{
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    std::array<CBitmap, CStarAnimation::kFrameCount> frames;
    for (int frame = 1; frame <= CStarAnimation::kFrameCount; ++frame) {
        const int id = CStarAnimation::FrameResource(frame);
        frames[frame - 1].Reset(::LoadBitmapW(instance, MAKEINTRESOURCEW(id)));
    }
    BITMAP info{};
    if (!frames[0] || !::GetObjectW(frames[0].Get(), sizeof info, &info))
        return;
    const int w = m_nBmpWidth = info.bmWidth;
    const int h = m_nBmpHeight = info.bmHeight;

    const CClientDC window(m_hWnd);
    m_pFrameStrip.Reset(::CreateCompatibleBitmap(window.Get(), CStarAnimation::kFrameCount * w, h));
    m_StripDC.emplace(window.Get());
    m_StripSelection.emplace(m_StripDC->Get(), m_pFrameStrip.Get());
    const RECT all{0, 0, CStarAnimation::kFrameCount * w, h};
    ::FillRect(m_StripDC->Get(), &all, m_pBkBrush.Get());  // a frame that did not load shows the plate
    const CMemoryDC source(window.Get());
    for (int i = 0; i < CStarAnimation::kFrameCount; ++i) {
        if (!frames[i])
            continue;
        const CSelectObject select(source.Get(), frames[i].Get());
        ::BitBlt(m_StripDC->Get(), i * w, 0, w, h, source.Get(), 0, 0, SRCCOPY);
    }
}

void CRollStarObject::OnDestroy()
{
    m_StripSelection.reset();
    m_StripDC.reset();
    m_pFrameStrip.Reset();
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
    const StarPaint paint = m_Animation.NextPaint(m_nBmpWidth, m_nBmpHeight);
    ClipAndFill(dc, paint.fill, m_pBkBrush.Get());
    if (!m_StripDC)
        return;
    const Rect& to = paint.bitmap;
    ::BitBlt(dc, to.left, to.top, to.Width(), to.Height(), m_StripDC->Get(),
             (paint.frame - 1) * m_nBmpWidth, 0, SRCCOPY);
}

}  // namespace plover
