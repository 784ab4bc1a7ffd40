#include "objects/PictureSlot.h"

#include "framework/Dpi.h"
#include "framework/Gdi.h"

namespace plover {

PictureLoad CPictureSlot::Show(const std::wstring& path, HWND window)
{
    Clear();
    m_nDpi = WindowDpi(window);
    m_pPicture = std::make_unique<CDib>();
    return m_pPicture->Load(path, window);
}

void CPictureSlot::Paint(HDC dc, int x, int y)
{
    Paint(dc, x, y, nullptr);
}

void CPictureSlot::Paint(HDC dc, const RECT& frame)
{
    Paint(dc, frame.left, frame.top, &frame);
}

void CPictureSlot::Paint(HDC dc, int x, int y, const RECT* frame)
{
    m_bPainted = true;
    m_nX = x;
    m_nY = y;
    m_bClipped = frame != nullptr;
    if (frame)
        m_Frame = *frame;
    if (!m_pPicture)
        return;
    m_pPicture->Realize(dc, false);
    Draw(dc);
}

void CPictureSlot::Draw(HDC dc)
{
    const int width = ScaleToDpi(m_pPicture->GetWidth(), m_nDpi);
    const int height = ScaleToDpi(m_pPicture->GetHeight(), m_nDpi);
    if (!m_bClipped) {
        m_pPicture->Draw(dc, m_nX, m_nY, width, height);
        return;
    }
    // Restoring the DC leaves the realised palette selected: it was chosen before.
    const int saved = ::SaveDC(dc);
    ::IntersectClipRect(dc, m_Frame.left, m_Frame.top, m_Frame.right, m_Frame.bottom);
    m_pPicture->Draw(dc, m_nX, m_nY, width, height);
    ::RestoreDC(dc, saved);
}

int CPictureSlot::OnPaletteChanged(HWND window)
{
    return RealizeAndRedraw(window, true);
}

int CPictureSlot::OnActivate(HWND window)
{
    return RealizeAndRedraw(window, false);
}

int CPictureSlot::RealizeAndRedraw(HWND window, bool background)
{
    if (!m_pPicture)
        return 0;
    const CClientDC dc(window);
    const int changed = m_pPicture->Realize(dc.Get(), background);
    if (changed != 0 && m_bPainted)
        Draw(dc.Get());
    return changed;
}

void CPictureSlot::Clear()
{
    if (!m_pPicture)
        return;
    m_pPicture->Free();
    m_pPicture.reset();
}

}  // namespace plover
