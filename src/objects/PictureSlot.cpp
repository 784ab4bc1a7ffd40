#include "objects/PictureSlot.h"

#include "framework/Gdi.h"

namespace plover {

int CPictureSlot::Show(const std::wstring& path, HWND window)
{
    Clear();
    m_pPicture = std::make_unique<CDib>();
    return m_pPicture->Load(path, window);
}

void CPictureSlot::Paint(HDC dc, int x, int y)
{
    m_bPainted = true;
    m_nX = x;
    m_nY = y;
    if (!m_pPicture)
        return;
    m_pPicture->Realize(dc, 0);
    m_pPicture->Draw(dc, x, y);
}

int CPictureSlot::OnPaletteChanged(HWND window)
{
    return RealizeAndRedraw(window, 1);
}

int CPictureSlot::OnActivate(HWND window)
{
    return RealizeAndRedraw(window, 0);
}

int CPictureSlot::RealizeAndRedraw(HWND window, int background)
{
    if (!m_pPicture)
        return 0;
    const CClientDC dc(window);
    const int changed = m_pPicture->Realize(dc.Get(), background);
    if (changed != 0 && m_bPainted)
        m_pPicture->Draw(dc.Get(), m_nX, m_nY);
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
