#include "objects/StarAnimation.h"

#include <algorithm>

#include "framework/DpiScale.h"
#include "resource.h"

namespace plover {

namespace {

constexpr int kTopRow = 7;
constexpr int kMaxOffset = 5;
constexpr Rect kFillRect{0, 0, 30, 45};

}  // namespace

int CStarAnimation::FrameResource(int frame)
{
    static const int kResources[kFrameCount] = {
        IDB_ROLL_STAR_1, IDB_ROLL_STAR_2, IDB_ROLL_STAR_3, IDB_ROLL_STAR_4, IDB_ROLL_STAR_5,
        IDB_ROLL_STAR_6, IDB_ROLL_STAR_7, IDB_ROLL_STAR_8, IDB_ROLL_STAR_9, IDB_ROLL_STAR_10};
    if (frame < 1 || frame > kFrameCount)
        return kResources[0];
    return kResources[frame - 1];
}

void CStarAnimation::SetPhase(int offset, int direction, int frame)
{
    m_nOffset = std::clamp(offset, -kMaxOffset, kMaxOffset);
    m_bDown = direction == 1;
    m_nFrame = frame >= 1 && frame <= kFrameCount ? frame : 1;
}

StarPaint CStarAnimation::NextPaint(int bmpWidth, int bmpHeight, int dpi)
{
    StarPaint paint;
    paint.frame = m_nFrame;
    paint.resourceId = FrameResource(m_nFrame);
    paint.fill = {0, 0, ScaleToDpi(kFillRect.right, dpi), ScaleToDpi(kFillRect.bottom, dpi)};
    paint.bitmap = RectFromSize(0, ScaleToDpi(kTopRow + m_nOffset, dpi), bmpWidth, bmpHeight);
    m_nFrame = m_nFrame % kFrameCount + 1;
    StepOffset();
    return paint;
}

void CStarAnimation::StepOffset()
{
    // Turning one step before the end shows each end once, never twice in a row.
    if (m_bDown) {
        if (++m_nOffset > kMaxOffset) {
            m_nOffset = kMaxOffset - 1;
            m_bDown = false;
        }
    } else {
        if (--m_nOffset < -kMaxOffset) {
            m_nOffset = -kMaxOffset + 1;
            m_bDown = true;
        }
    }
}

}  // namespace plover
