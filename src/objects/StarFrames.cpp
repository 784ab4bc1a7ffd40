#include "objects/StarFrames.h"

#include <array>
#include <cstdint>

#include "framework/Resource.h"
#include "objects/Dib.h"
#include "objects/DibImage.h"
#include "objects/Frames.h"
#include "objects/StarAnimation.h"

namespace plover {

CStarFrames::CStarFrames()
{
    std::array<CDibImage, CStarAnimation::kFrameCount> frames;
    for (int i = 0; i < CStarAnimation::kFrameCount; ++i) {
        const std::string_view bytes =
            ResourceBytes(CStarAnimation::FrameResource(i + 1), RT_BITMAP);
        frames[i].LoadPacked(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    if (frames[0].IsEmpty())
        return;
    m_nWidth = frames[0].GetWidth();
    m_nHeight = frames[0].GetHeight();

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
    for (int i = 0; i < CStarAnimation::kFrameCount; ++i) {
        // Each frame keeps to its cell, whatever size it has.
        ::SelectClipRgn(m_Dc->Get(), nullptr);
        ::IntersectClipRect(m_Dc->Get(), i * m_nWidth, 0, (i + 1) * m_nWidth, m_nHeight);
        DrawImageBits(m_Dc->Get(), frames[i], i * m_nWidth, 0);
    }
    ::SelectClipRgn(m_Dc->Get(), nullptr);
}

}  // namespace plover
