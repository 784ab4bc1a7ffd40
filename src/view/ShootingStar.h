// The shooting star that crosses the window once after start: its start column,
// drawn from random numbers, the rectangle it moves to on every tick, where its
// picture is drawn, and the moment it has left the client area for good.
#pragma once

#include <functional>

#include "framework/Geometry.h"

namespace plover {

// x for a start column of x + 2: the first random number (0..32767) below the
// client width.  A width of 0 or less has no such number and gives 0.
int ShootingStarColumn(int clientWidth, const std::function<int()>& random);

class CShootingStar {
public:
    // Size of the star picture; the steps are as long as the picture is large.
    explicit CShootingStar(int starWidth = 32, int starHeight = 30);

    // The work area the star is composed in is one pixel smaller each way than
    // the picture (31 x 29 at 100 %).
    int WorkWidth() const { return m_nStarWidth - 1; }
    int WorkHeight() const { return m_nStarHeight - 1; }

    // A picture of another size (another DPI): the star goes on from where it
    // is, with steps of the new size.
    void SetStarSize(int starWidth, int starHeight);

    // Puts the star, still empty, on the top edge: (x + 2, 2, x + 2, 2), the 2
    // scaled for `dpi`.
    void Start(int clientWidth, const std::function<int()>& random, int dpi = 96);

    // One tick: the star moves one picture down and to the right.  The new
    // rectangle is what the tick invalidates.
    void Step();

    const Rect& GetRect() const { return m_rcStar; }

    // Where a paint draws the picture: at the rectangle's upper left corner,
    // picture-sized (the start rectangle itself is empty).
    Rect DrawRect() const;

    // True once the star is past the right or lower edge; then the timer stops.
    // After Finish it stays gone: a window enlarged later must not show it again,
    // frozen where it stopped.
    bool HasLeft(int clientWidth, int clientHeight) const;
    void Finish() { m_bFinished = true; }

private:
    int m_nStarWidth;
    int m_nStarHeight;
    Rect m_rcStar;
    bool m_bFinished = false;
};

}  // namespace plover
