// The rotating star's animation: which of the ten frame pictures each paint shows
// and how far down it stands, bobbing between rows 2 and 12 while it turns; and
// the area each paint fills.
#pragma once

#include "framework/Geometry.h"

namespace plover {

struct StarPaint {
    int frame = 1;       // 1..10
    int resourceId = 0;  // bitmap resource of that frame
    Rect fill;           // cleared with the plate grey first, whatever the window's size
    Rect bitmap;         // where the frame picture is copied
};

class CStarAnimation {
public:
    static constexpr int kFrameCount = 10;

    // Bitmap resource of frame 1..10; frame 9 is 125 and frame 10 is 123.
    static int FrameResource(int frame);

    // The second star starts with SetPhase(1, 0, 1) so the two bob in opposite
    // directions.  direction 1 moves down, 0 up; values out of range are pulled
    // back into it.
    void SetPhase(int offset, int direction, int frame);

    // What this paint draws, for frame pictures of the given size at `dpi` (the
    // rows and the plate scale with it); then moves on to the next frame and
    // offset.  Every paint advances, whatever caused it.
    StarPaint NextPaint(int bmpWidth, int bmpHeight, int dpi = 96);

    int Frame() const { return m_nFrame; }
    int Offset() const { return m_nOffset; }
    bool MovingDown() const { return m_bDown; }

private:
    void StepOffset();

    int m_nFrame = 1;
    int m_nOffset = 0;
    bool m_bDown = true;
};

}  // namespace plover
