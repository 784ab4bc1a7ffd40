#include "view/PloverView.h"

#include "schedule/PloverDoc.h"
#include "view/ViewLayout.h"

namespace plover {

CPloverDoc* CPloverView::GetDocument() const
{
    return static_cast<CPloverDoc*>(CView::GetDocument());
}

void CPloverView::OnDraw(HDC dc)
{
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    DrawPlate(dc, client.right, client.bottom);
}

void CPloverView::DrawPlate(HDC dc, int width, int height)
{
    const RECT all{0, 0, width, height};
    ::FillRect(dc, &all, m_pBackBrush.Get());
    for (const FrameLine& line : ClientBorderLines(width, height)) {
        const bool light = line.colour == kWhite;
        CSelectObject pen(dc, light ? m_pLightPen.Get() : m_pShadowPen.Get());
        ::MoveToEx(dc, line.x0, line.y0, nullptr);
        ::LineTo(dc, line.x1, line.y1);
    }
}

}  // namespace plover
