#include "objects/StarFrames.h"

#include <array>
#include <cstdint>

#include "framework/DpiScale.h"
#include "framework/Resource.h"
#include "framework/SystemLook.h"
#include "objects/Dib.h"
#include "objects/DibImage.h"
#include "objects/Frames.h"
#include "objects/StarAnimation.h"
#include "resource.h"

namespace plover {

namespace {

// High contrast keeps the stars' shape in the system's colours only: whatever is
// not the plate takes the text colour, the plate the window colour.
void MakeSilhouette(HDC dc, int width, int height)
{
    const CBitmap mask(::CreateBitmap(width, height, 1, 1, nullptr));
    const CMemoryDC maskDc(dc);
    const CSelectObject select(maskDc.Get(), mask.Get());
    // Into one bit per pixel the background colour goes as 1, every other as 0;
    // back into colour a 1 takes the background colour and a 0 the text colour.
    ::SetBkColor(dc, ToColorRef(kPlateGrey));
    ::BitBlt(maskDc.Get(), 0, 0, width, height, dc, 0, 0, SRCCOPY);
    ::SetBkColor(dc, LookColour(0, COLOR_WINDOW));
    ::SetTextColor(dc, LookColour(0, COLOR_WINDOWTEXT));
    ::BitBlt(dc, 0, 0, width, height, maskDc.Get(), 0, 0, SRCCOPY);
}

}  // namespace

CStarFrames::CStarFrames(int dpi) : m_nDpi(dpi)
{
    const auto load = [](CDibImage& image, int frame, int set) {
        const std::string_view bytes = ResourceBytes(
            ScaledResourceId(CStarAnimation::FrameResource(frame), set, ID_ASSET_SET_STEP),
            RT_BITMAP);
        image.LoadPacked(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    };
    // Frame 1 at 100 % gives the cell's size; the set for this DPI gives the pixels.
    CDibImage base;
    load(base, 1, 0);
    if (base.IsEmpty())
        return;
    m_nWidth = ScaleToDpi(base.GetWidth(), dpi);
    m_nHeight = ScaleToDpi(base.GetHeight(), dpi);
    std::array<CDibImage, CStarAnimation::kFrameCount> frames;
    for (int i = 0; i < CStarAnimation::kFrameCount; ++i) {
        load(frames[i], i + 1, AssetSetForDpi(dpi));
        if (frames[i].IsEmpty())
            load(frames[i], i + 1, 0);
    }

    const CClientDC screen(nullptr);
    const int stripWidth = CStarAnimation::kFrameCount * m_nWidth;
    m_Strip.Reset(::CreateCompatibleBitmap(screen.Get(), stripWidth, m_nHeight));
    if (!m_Strip)
        return;
    m_Dc.emplace(screen.Get());
    m_Selection.emplace(m_Dc->Get(), m_Strip.Get());
    const RECT all{0, 0, stripWidth, m_nHeight};
    const CBrush plate = MakeSolidBrush(ToColorRef(kPlateGrey));
    ::FillRect(m_Dc->Get(), &all, plate.Get());
    ::SetStretchBltMode(m_Dc->Get(), HALFTONE);
    ::SetBrushOrgEx(m_Dc->Get(), 0, 0, nullptr);
    for (int i = 0; i < CStarAnimation::kFrameCount; ++i) {
        // Each frame keeps to its cell, whatever size it has.
        ::SelectClipRgn(m_Dc->Get(), nullptr);
        ::IntersectClipRect(m_Dc->Get(), i * m_nWidth, 0, (i + 1) * m_nWidth, m_nHeight);
        DrawImageBits(m_Dc->Get(), frames[i], i * m_nWidth, 0, m_nWidth, m_nHeight);
    }
    ::SelectClipRgn(m_Dc->Get(), nullptr);
    if (HighContrast())
        MakeSilhouette(m_Dc->Get(), stripWidth, m_nHeight);
}

}  // namespace plover
