#include "StarPictures.h"

#include "Shapes.h"

#include <algorithm>
#include <cmath>

namespace plover::assetgen {

namespace {

// A star of some thickness turned about its vertical axis.
struct STurnedStar
{
    SPoint center;
    double dOuter = 0;
    double dInner = 0;
    double dDepth = 0;
    double dAngle = 0;  // radians, 0 = face on
};

// Where the flat star's outline crosses row y, as sorted x offsets from the centre.
std::vector<double> RowCrossings(const std::vector<SPoint>& star, double y)
{
    std::vector<double> crossings;
    const std::size_t n = star.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const SPoint& a = star[i];
        const SPoint& b = star[j];
        if ((a.y > y) != (b.y > y))
            crossings.push_back((b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x);
    }
    std::sort(crossings.begin(), crossings.end());
    return crossings;
}

// The star as the eye sees it: its body (both faces and the edge between them) in
// `edge`, then the face that is turned towards the eye in `face`.  The near face hides
// whatever of the body lies behind it, so painting it last is enough.
void DrawTurnedStar(CCanvas& canvas, const STurnedStar& star, SColor face, SColor edge)
{
    const std::vector<SPoint> flat = MakeStar(SPoint{0, 0}, star.dOuter, star.dInner);
    const double dCos = std::cos(star.dAngle);
    const double dSin = std::sin(star.dAngle);
    const double dHalfEdge = std::abs(dSin) * star.dDepth / 2;

    // Body: each row of the squeezed star widened by the edge on both sides.  Worked
    // out row by row, so the edge-on star is still a bar and not nothing.
    const double dReach = star.dOuter + star.dDepth;
    canvas.FillShape(star.center.x - dReach, star.center.y - dReach,
                     star.center.x + dReach, star.center.y + dReach,
                     [&](double x, double y) {
                         const std::vector<double> crossings = RowCrossings(flat, y - star.center.y);
                         for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
                             const double u0 = crossings[i] * dCos;
                             const double u1 = crossings[i + 1] * dCos;
                             const double dx = x - star.center.x;
                             if (dx >= std::min(u0, u1) - dHalfEdge && dx <= std::max(u0, u1) + dHalfEdge)
                                 return true;
                         }
                         return false;
                     },
                     [edge](double, double) { return edge; });

    if (std::abs(dCos) < 0.05)
        return;
    // The near face is pushed away from the side where the edge shows.
    const double dShift = (dCos > 0 ? -1 : 1) * dHalfEdge;
    std::vector<SPoint> near = flat;
    for (SPoint& p : near) {
        p.x = star.center.x + p.x * dCos + dShift;
        p.y += star.center.y;
    }
    canvas.FillPolygon(near, face);
}

// A speck of light: nothing, a dot, or a small cross at its brightest.
void DrawSpeck(CCanvas& canvas, int x, int y, int nSize, SColor color)
{
    if (nSize <= 0)
        return;
    canvas.FillDot(x, y, color);
    if (nSize >= 2) {
        canvas.FillDot(x - 1, y, color);
        canvas.FillDot(x + 1, y, color);
        canvas.FillDot(x, y - 1, color);
        canvas.FillDot(x, y + 1, color);
    }
}

}  // namespace

CCanvas DrawRollStarFrame(int nFrame, double dScale)
{
    const int nIndex = (std::clamp(nFrame, 1, kRollStarFrames) - 1);
    CCanvas canvas(kRollStarWidth, kRollStarHeight, false, dScale);
    canvas.Clear(vga::kSilver);

    // The window that shows a frame is only 30 pixels wide: centre the star on those.
    STurnedStar star;
    star.center = SPoint{15, 16.2};
    star.dOuter = 13;
    star.dInner = 5.4;
    star.dDepth = 4;
    star.dAngle = Radians(18.0 * nIndex);
    DrawTurnedStar(canvas, star, vga::kYellow, vga::kOlive);

    // Specks twinkle out of step with one another; the pattern repeats every ten
    // frames, like the turn.
    struct SSpeck { int x; int y; int nPhase; };
    static const SSpeck s_specks[] = {{3, 4, 0}, {26, 3, 6}, {27, 24, 3}, {3, 26, 8}};
    static const int s_sizes[kRollStarFrames] = {0, 1, 2, 1, 0, 0, 0, 0, 0, 0};
    for (const SSpeck& speck : s_specks)
        DrawSpeck(canvas, speck.x, speck.y, s_sizes[(nIndex + speck.nPhase) % kRollStarFrames], vga::kYellow);
    return canvas;
}

CCanvas DrawShootingStarShape(double dScale)
{
    // The star is composed from the first 31 x 29 pixels only: keep it inside them.
    CCanvas canvas(kShootingStarWidth, kShootingStarHeight, false, dScale);
    canvas.FillPolygon(MakeStar(SPoint{15.5, 15.6}, 14, 5.6), vga::kYellow);
    return canvas;
}

CCanvas DrawIconStar(int nSize, bool bSmooth)
{
    CCanvas canvas(nSize, nSize, bSmooth);
    const double dScale = nSize / 32.0;
    STurnedStar star;
    star.center = SPoint{15.5 * dScale, 17 * dScale};
    star.dOuter = 14.5 * dScale;
    star.dInner = 6 * dScale;
    star.dDepth = 5 * dScale;
    star.dAngle = Radians(30);
    DrawTurnedStar(canvas, star, vga::kYellow, vga::kOlive);
    canvas.Outline(vga::kBlack);
    return canvas;
}

}  // namespace plover::assetgen
