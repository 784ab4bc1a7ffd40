// The countdown view: the whole client area of the main window.
#pragma once

#include "framework/Gdi.h"
#include "framework/View.h"

namespace plover {

class CPloverDoc;

class CPloverView : public CView {
public:
    CPloverDoc* GetDocument() const;
    void OnDraw(HDC dc) override;

private:
    void DrawPlate(HDC dc, int width, int height);

    CBrush m_pBackBrush = MakeSolidBrush(RGB(192, 192, 192));
    CPen m_pShadowPen = MakePen(PS_SOLID, 2, RGB(0, 0, 0));
    CPen m_pLightPen = MakePen(PS_SOLID, 2, RGB(255, 255, 255));
};

}  // namespace plover
