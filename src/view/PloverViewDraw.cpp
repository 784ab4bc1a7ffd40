// The countdown view's painting: everything is laid out by ViewLayout and
// ViewTexts; this file only draws what they give.
#include "view/PloverView.h"

#include "framework/RectWin32.h"
#include "framework/SystemLook.h"
#include "framework/TextConv.h"
#include "objects/Frames.h"
#include "objects/TextFont.h"
#include "schedule/PloverDoc.h"
#include "view/ViewLayout.h"
#include "view/ViewTexts.h"

namespace plover {

namespace {

UINT DrawTextFlags(TextAlign align)
{
    // Names are shown as typed: an ampersand is not a mnemonic.
    switch (align) {
    case TextAlign::TopCentre:
        return DT_CENTER | DT_TOP | DT_NOPREFIX;
    case TextAlign::TopLeft:
        return DT_LEFT | DT_TOP | DT_NOPREFIX;
    case TextAlign::BottomLeftSingle:
        return DT_LEFT | DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX;
    case TextAlign::CentredSingle:
        return DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    }
    return DT_NOPREFIX;
}

// Draws `text` in a font made for this one text; returns its measured size.
TextExtent DrawInFont(HDC dc, std::wstring_view text, const FontSize& size, const Rect& rect,
                      TextAlign align)
{
    const CFont font = MakeTextFont(size);
    CSelectObject select(dc, font.Get());
    RECT r = ToRECT(rect);
    ::DrawTextW(dc, text.data(), static_cast<int>(text.size()), &r, DrawTextFlags(align));
    SIZE extent{};
    ::GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &extent);
    return TextExtent{extent.cx, extent.cy};
}

TextExtent Measure(HDC dc, std::wstring_view text, const FontSize& size)
{
    const CFont font = MakeTextFont(size);
    CSelectObject select(dc, font.Get());
    SIZE extent{};
    ::GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &extent);
    return TextExtent{extent.cx, extent.cy};
}

// High contrast draws every text in the text colour, and the pink and teal
// sentences of the target in the highlight colour.
COLORREF TextColour(const RgbColour& colour)
{
    return LookColour(ToColorRef(colour), colour == kBlack ? COLOR_WINDOWTEXT : COLOR_HIGHLIGHT);
}

}  // namespace

void CPloverView::OnDraw(HDC dc)
{
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    DrawPlate(dc, client.right, client.bottom);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, TextColour(kBlack));
    if (m_Panels.showDate)
        DrawDatePanel(dc, m_Panels.date);
    if (m_Panels.showTarget)
        DrawTargetPanel(dc, m_Panels.target, m_Texts);
    if (m_Panels.showLower)
        DrawLowerPanel(dc, m_Lower);
    DrawShootingStar(dc, client.right, client.bottom);
}

void CPloverView::DrawPlate(HDC dc, int width, int height)
{
    const RECT all{0, 0, width, height};
    ::FillRect(dc, &all, m_pBackBrush.Get());
    for (const FrameLine& line : ClientBorderLines(width, height)) {
        CSelectObject pen(dc, line.colour == kWhite ? m_pLightPen.Get() : m_pShadowPen.Get());
        ::MoveToEx(dc, line.x0, line.y0, nullptr);
        ::LineTo(dc, line.x1, line.y1);
    }
}

void CPloverView::DrawDatePanel(HDC dc, const Rect& panel)
{
    const CPloverDoc* doc = GetDocument();
    const std::wstring text =
        DateText(doc->m_nTodayYear, doc->m_nTodayMonth, doc->m_nTodayDay, doc->m_nTodayWeekday);
    const DatePanelLayout layout = LayoutDatePanel(panel, text, m_nDpi);
    for (const FrameOutline& frame : layout.frames)
        DrawFrame(dc, frame);
    DrawInFont(dc, text, layout.font, layout.textRect, layout.align);
}

void CPloverView::DrawTargetPanel(HDC dc, const Rect& panel, const TargetTexts& texts)
{
    const TargetPanelLayout layout = LayoutTargetPanel(panel, texts, m_nDpi);
    for (const FrameOutline& frame : layout.frames)
        DrawFrame(dc, frame);
    ::SetTextColor(dc, TextColour(texts.colour));
    if (layout.piecewise)
        DrawCountdown(dc, texts, layout.countdown);
    else
        DrawInFont(dc, texts.sentence, layout.sentenceFont, layout.sentenceRect,
                   TextAlign::CentredSingle);
    ::SetTextColor(dc, TextColour(kBlack));
}

void CPloverView::DrawCountdown(HDC dc, const TargetTexts& texts, const CountdownLayout& layout)
{
    const TextExtent name =
        DrawInFont(dc, texts.name, layout.nameFont, layout.nameRect, TextAlign::TopLeft);
    DrawInFont(dc, texts.made, layout.madeFont, layout.MadeRect(name), TextAlign::TopLeft);
    const TextExtent days = Measure(dc, texts.days, layout.daysFont);
    DrawInFont(dc, texts.days, layout.daysFont, layout.DaysRect(days), TextAlign::BottomLeftSingle);
    TextExtent gap = days;
    if (!texts.ato.empty()) {
        gap = Measure(dc, texts.ato, layout.smallFont);
        DrawInFont(dc, texts.ato, layout.smallFont, layout.AtoRect(gap),
                   TextAlign::BottomLeftSingle);
    }
    DrawInFont(dc, texts.daysEnd, layout.smallFont, layout.DaysEndRect(gap),
               TextAlign::BottomLeftSingle);
}

void CPloverView::DrawLowerPanel(HDC dc, const LowerPanelLayout& layout)
{
    for (const FrameOutline& frame : layout.frames)
        DrawFrame(dc, frame);
    if (!layout.caption.empty()) {
        const CFont font = MakeTextFont(layout.captionFont, layout.captionFace);
        CSelectObject selectFont(dc, font.Get());
        const int oldMode = ::SetBkMode(dc, OPAQUE);
        const COLORREF oldBack =
            ::SetBkColor(dc, LookColour(ToColorRef(layout.captionBackground), COLOR_WINDOW));
        ::TextOutW(dc, layout.captionX, layout.captionY, layout.caption.data(),
                   static_cast<int>(layout.caption.size()));
        ::SetBkColor(dc, oldBack);
        ::SetBkMode(dc, oldMode);
    }
    for (const FrameOutline& frame : layout.innerFrames)
        DrawFrame(dc, frame);
    if (layout.content == LowerContent::Picture && !m_Picture.IsEmpty())
        m_Picture.Paint(dc, layout.pictureX, layout.pictureY);
}

void CPloverView::DrawShootingStar(HDC dc, int width, int height)
{
    if (!m_bStarFlying || m_ShootingStar.HasLeft(width, height))
        return;
    if (!m_pStarWork || !m_pStarImage || !m_pStarMask)
        return;
    const Rect at = m_ShootingStar.DrawRect();
    CMemoryDC work(dc);
    CMemoryDC picture(dc);
    {
        CSelectObject workBitmap(work.Get(), m_pStarWork.Get());
        ::BitBlt(work.Get(), 0, 0, m_ShootingStar.WorkWidth(), m_ShootingStar.WorkHeight(), dc,
                 at.left, at.top, SRCCOPY);
        {
            CSelectObject mask(picture.Get(), m_pStarMask.Get());
            ::BitBlt(work.Get(), 0, 0, m_ShootingStar.WorkWidth(), m_ShootingStar.WorkHeight(),
                     picture.Get(), 0, 0, SRCAND);
        }
        {
            CSelectObject image(picture.Get(), m_pStarImage.Get());
            ::BitBlt(work.Get(), 0, 0, m_ShootingStar.WorkWidth(), m_ShootingStar.WorkHeight(),
                     picture.Get(), 0, 0, SRCPAINT);
        }
        // Only the composed part: the picture's last row and column were never
        // copied into the work bitmap and would show as a dark seam.
        ::BitBlt(dc, at.left, at.top, m_ShootingStar.WorkWidth(), m_ShootingStar.WorkHeight(),
                 work.Get(), 0, 0, SRCCOPY);
    }
}

}  // namespace plover
