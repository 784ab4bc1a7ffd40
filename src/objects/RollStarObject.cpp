#include "objects/RollStarObject.h"

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

bool CRollStarObject::Create(HWND parent, const RECT& rect, UINT id)
{
    return CreateEx(0, ClassName(), L"", WS_CHILD | WS_VISIBLE, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, parent,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
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
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    for (int frame = 1; frame <= CStarAnimation::kFrameCount; ++frame) {
        const int id = CStarAnimation::FrameResource(frame);
        m_pFrameBitmaps[frame - 1].Reset(::LoadBitmapW(instance, MAKEINTRESOURCEW(id)));
    }
    BITMAP info{};
    if (m_pFrameBitmaps[0] && ::GetObjectW(m_pFrameBitmaps[0].Get(), sizeof info, &info)) {
        m_nBmpWidth = info.bmWidth;
        m_nBmpHeight = info.bmHeight;
    }
    ::SetTimer(m_hWnd, m_nTimerID, kFrameMilliseconds, nullptr);
    return 0;
}

void CRollStarObject::OnDestroy()
{
    for (CBitmap& bitmap : m_pFrameBitmaps)
        bitmap.Reset();
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
    const HBITMAP picture = m_pFrameBitmaps[paint.frame - 1].Get();
    if (!picture)
        return;  // a frame that did not load leaves the plate empty
    const CMemoryDC memory(dc);
    const CSelectObject select(memory.Get(), picture);
    const Rect& to = paint.bitmap;
    ::BitBlt(dc, to.left, to.top, to.Width(), to.Height(), memory.Get(), 0, 0, SRCCOPY);
}

}  // namespace plover
