#include "CursorPictures.h"

#include "Shapes.h"

#include <cmath>

namespace plover::assetgen {

namespace {

// Colour choice for one picture: the display colour for 16-colour images, a freer one
// for smooth images, white in black and white.
class CInk
{
public:
    explicit CInk(ECursorInk ink) : m_ink(ink) {}

    bool IsSmooth() const { return m_ink == ECursorInk::Smooth; }
    bool IsMono() const { return m_ink == ECursorInk::Mono; }
    SColor Of(SColor color16, SColor colorSmooth) const
    {
        switch (m_ink) {
        case ECursorInk::Mono: return vga::kWhite;
        case ECursorInk::Color16: return color16;
        case ECursorInk::Smooth: return colorSmooth;
        }
        return color16;
    }
    // A tail's far end: fading out when smooth, plain otherwise.
    SColor Fading(SColor color16, SColor colorSmooth, double dOpacity) const
    {
        return IsSmooth() ? Faded(colorSmooth, dOpacity) : Of(color16, colorSmooth);
    }

private:
    ECursorInk m_ink;
};

// One part of a picture on its own layer, ringed in black before it is laid on the
// rest: where parts overlap (a ring before its planet) the border keeps them apart.
template <class DrawFn>
void AddPart(CCanvas& canvas, DrawFn draw)
{
    CCanvas layer = canvas.Blank();
    draw(layer);
    layer.Outline(vga::kBlack);
    canvas.DrawCanvas(layer, 0, 0);
}

// A glow around a bright point, fading outwards; only smooth pictures have one.
void DrawGlow(CCanvas& canvas, SPoint center, double dRadius, SColor color)
{
    canvas.FillShape(center.x - dRadius, center.y - dRadius, center.x + dRadius, center.y + dRadius,
                     [=](double x, double y) { return std::hypot(x - center.x, y - center.y) <= dRadius; },
                     [=](double x, double y) {
                         const double d = std::hypot(x - center.x, y - center.y) / dRadius;
                         return Faded(color, 1 - d * d);
                     });
}

// Travels towards the top left: head at the hot spot, a widening tail streaming down
// and right.
void DrawComet(CCanvas& canvas, const CInk& ink)
{
    const SPoint head{6.5, 6.5};
    AddPart(canvas, [&](CCanvas& layer) {
        const std::vector<SPoint> fan = {{9.3, 3.7}, {31, 17}, {30, 25}, {25, 30}, {17, 31}, {3.7, 9.3}};
        layer.FillShape(0, 0, 32, 32, [&](double x, double y) { return IsInsidePolygon(fan, x, y); },
                        [&](double x, double y) {
                            const double t = (x + y - 13) / 45;
                            if (ink.IsSmooth())
                                return Faded(SColor{110, 200, 255}, 0.75 * (1 - t));
                            return ink.Of(t < 0.35 ? vga::kAqua : vga::kTeal, vga::kWhite);
                        });
        // Streaks give the tail its grain; in black and white they are drawn in black.
        const SColor streak = ink.IsMono() ? vga::kBlack : ink.Of(vga::kWhite, SColor{235, 250, 255});
        const SColor streakEnd = ink.IsMono() ? vga::kBlack : ink.Fading(vga::kAqua, SColor{150, 220, 255}, 0);
        layer.DrawTaperedLine(SPoint{9, 9}, SPoint{27.5, 27.5}, 1.6, 1, streak, streakEnd);
        layer.DrawTaperedLine(SPoint{10, 7}, SPoint{28, 19}, 1.2, 1, streak, streakEnd);
        layer.DrawTaperedLine(SPoint{7, 10}, SPoint{19, 28}, 1.2, 1, streak, streakEnd);
    });
    AddPart(canvas, [&](CCanvas& layer) {
        if (ink.IsSmooth())
            DrawGlow(layer, head, 6, SColor{255, 250, 180});
        layer.FillCircle(head, 3.8, ink.Of(vga::kYellow, SColor{255, 245, 170}));
        if (!ink.IsMono())
            layer.FillCircle(head, 2.3, vga::kWhite);
    });
}

// A star whose top-left tip is the hot spot, with a trail behind it.
void DrawShootingStar(CCanvas& canvas, const CInk& ink)
{
    AddPart(canvas, [&](CCanvas& layer) {
        const double dOffsets[] = {-4.2, 0, 4.2};
        for (double d : dOffsets) {
            const SPoint from{14 + d, 14 - d};
            const SPoint to{29.5 + d * 0.4 - std::abs(d), 29.5 - d * 0.4 - std::abs(d)};
            const bool bMiddle = d == 0;
            layer.DrawTaperedLine(from, to, bMiddle ? 3 : 2.2, 1,
                                  ink.Of(bMiddle ? vga::kYellow : vga::kRed,
                                         bMiddle ? SColor{255, 240, 90} : SColor{255, 150, 40}),
                                  ink.Fading(bMiddle ? vga::kRed : vga::kMaroon,
                                             SColor{255, 90, 40}, 0.15));
        }
    });
    AddPart(canvas, [&](CCanvas& layer) {
        layer.FillPolygon(MakeStar(SPoint{10.5, 10.5}, 9.2, 3.9, Radians(-45)),
                          ink.Of(vga::kYellow, SColor{255, 230, 40}));
        if (ink.IsSmooth())
            layer.FillPolygon(MakeStar(SPoint{10, 10}, 4.5, 1.9, Radians(-45)), SColor{255, 250, 200});
    });
}

// A ringed planet; the hot spot is its centre.  The ring passes behind the planet at
// the top and in front of it at the bottom.
void DrawPlanet(CCanvas& canvas, const CInk& ink)
{
    const SPoint center{15.5, 15.5};
    const double dTilt = Radians(-22);
    const double dCos = std::cos(dTilt);
    const double dSin = std::sin(dTilt);
    auto ringHalf = [&](bool bFront) {
        return [=](double x, double y) {
            const double u = (x - center.x) * dCos + (y - center.y) * dSin;
            const double v = -(x - center.x) * dSin + (y - center.y) * dCos;
            const double dOuter = (u * u) / (15.2 * 15.2) + (v * v) / (5.0 * 5.0);
            const double dInner = (u * u) / (11.4 * 11.4) + (v * v) / (3.1 * 3.1);
            return dOuter <= 1 && dInner > 1 && (v > 0) == bFront;
        };
    };
    const SColor ringColor = ink.Of(vga::kWhite, SColor{235, 220, 190});
    auto paintRing = [=](double, double) { return ringColor; };

    AddPart(canvas, [&](CCanvas& layer) { layer.FillShape(0, 0, 32, 32, ringHalf(false), paintRing); });
    AddPart(canvas, [&](CCanvas& layer) {
        layer.FillShape(center.x - 9, center.y - 9, center.x + 9, center.y + 9,
                        [=](double x, double y) { return std::hypot(x - center.x, y - center.y) <= 8.2; },
                        [=](double x, double y) {
                            // Bands follow the ring's tilt; light comes from the top left.
                            const double v = -(x - center.x) * dSin + (y - center.y) * dCos;
                            const bool bBand = std::abs(v + 3.2) < 1.1 || std::abs(v - 4.2) < 1.0;
                            if (ink.IsMono())
                                return vga::kWhite;
                            if (!ink.IsSmooth())
                                return bBand ? vga::kOlive : vga::kYellow;
                            const double dShade = ((x - center.x) + (y - center.y)) / 24 + 0.5;
                            const SColor base = Mix(SColor{255, 225, 150}, SColor{205, 130, 50}, dShade);
                            return bBand ? Mix(base, SColor{150, 80, 30}, 0.45) : base;
                        });
    });
    AddPart(canvas, [&](CCanvas& layer) { layer.FillShape(0, 0, 32, 32, ringHalf(true), paintRing); });
}

// A bright core, the hot spot, in a halo, with jets out of both poles.
void DrawQuasar(CCanvas& canvas, const CInk& ink)
{
    const SPoint core{15.5, 15.5};
    const double dJet = Radians(-62);
    const SPoint up{core.x + 15.5 * std::cos(dJet), core.y + 15.5 * std::sin(dJet)};
    const SPoint down{core.x - 15.5 * std::cos(dJet), core.y - 15.5 * std::sin(dJet)};
    AddPart(canvas, [&](CCanvas& layer) {
        const SColor halo = ink.Of(vga::kFuchsia, SColor{240, 120, 255});
        layer.FillShape(core.x - 9, core.y - 9, core.x + 9, core.y + 9,
                        [=](double x, double y) {
                            const double d = std::hypot(x - core.x, y - core.y);
                            return d >= 6.6 && d <= 8.2;
                        },
                        [=](double, double) { return halo; });
    });
    AddPart(canvas, [&](CCanvas& layer) {
        const SColor from = ink.Of(vga::kAqua, SColor{170, 230, 255});
        const SColor to = ink.Fading(vga::kBlue, SColor{70, 110, 255}, 0.3);
        layer.DrawTaperedLine(core, up, 4, 1, from, to);
        layer.DrawTaperedLine(core, down, 4, 1, from, to);
    });
    AddPart(canvas, [&](CCanvas& layer) {
        if (ink.IsSmooth())
            DrawGlow(layer, core, 7, SColor{255, 240, 150});
        layer.FillCircle(core, 4.3, ink.Of(vga::kYellow, SColor{255, 240, 120}));
        if (!ink.IsMono())
            layer.FillCircle(core, 2.6, vga::kWhite);
    });
}

// Five meteors on parallel paths; the leading one's head is the hot spot.
void DrawMeteorShower(CCanvas& canvas, const CInk& ink)
{
    struct SMeteor { double x; double y; double dLength; double dHead; bool bWarm; };
    static const SMeteor s_meteors[] = {
        {3.5, 3.5, 13, 2.4, true},  {17.5, 5.5, 9, 1.8, false}, {6.5, 17.5, 9, 1.8, false},
        {19.5, 17.5, 10, 1.9, true}, {10.5, 26.5, 5, 1.5, true},
    };
    AddPart(canvas, [&](CCanvas& layer) {
        for (const SMeteor& m : s_meteors) {
            const SPoint end{m.x + m.dLength * 0.8, m.y + m.dLength * 0.6};
            const SColor tail = m.bWarm ? ink.Of(vga::kYellow, SColor{255, 220, 90})
                                        : ink.Of(vga::kAqua, SColor{140, 230, 255});
            layer.DrawTaperedLine(SPoint{m.x, m.y}, end, m.dHead * 1.5, 0.9, tail,
                                  ink.Fading(m.bWarm ? vga::kYellow : vga::kAqua,
                                             m.bWarm ? SColor{255, 160, 60} : SColor{80, 140, 255},
                                             0.1));
        }
    });
    // Heads on a layer of their own, so each is ringed off from its tail.
    AddPart(canvas, [&](CCanvas& layer) {
        for (const SMeteor& m : s_meteors)
            layer.FillCircle(SPoint{m.x, m.y}, m.dHead, ink.Of(vga::kWhite, vga::kWhite));
    });
}

// A heart with a twinkle; the twinkle's centre is the hot spot.
void DrawTokimeki(CCanvas& canvas, const CInk& ink)
{
    const SPoint heartCenter{19.5, 19};
    AddPart(canvas, [&](CCanvas& layer) {
        const std::vector<SPoint> heart = MakeHeart(heartCenter, 23);
        layer.FillShape(7, 6, 32, 32, [&](double x, double y) { return IsInsidePolygon(heart, x, y); },
                        [&](double x, double y) {
                            if (!ink.IsSmooth())
                                return ink.Of(vga::kRed, vga::kRed);
                            const double t = ((x - heartCenter.x) + (y - heartCenter.y)) / 30 + 0.5;
                            return Mix(SColor{255, 120, 170}, SColor{215, 20, 70}, t);
                        });
        if (!ink.IsMono())
            layer.FillEllipse(SPoint{14.2, 14.2}, 2.4, 1.4, Radians(-45), vga::kWhite);
    });
    AddPart(canvas, [&](CCanvas& layer) {
        const SColor twinkle = ink.Of(vga::kYellow, SColor{255, 245, 140});
        if (ink.IsSmooth())
            DrawGlow(layer, SPoint{6.5, 6.5}, 4.5, SColor{255, 250, 200});
        layer.FillPolygon(MakeStar(SPoint{6.5, 6.5}, 6.4, 1.5, 0, 4), twinkle);
        layer.FillPolygon(MakeStar(SPoint{28.5, 4.5}, 3.6, 1, 0, 4), twinkle);
    });
}

}  // namespace

CCanvas DrawCursorPicture(ECursorMotif motif, ECursorInk ink, double dScale)
{
    CCanvas canvas(kCursorSize, kCursorSize, ink == ECursorInk::Smooth, dScale);
    const CInk pen(ink);
    switch (motif) {
    case ECursorMotif::Comet: DrawComet(canvas, pen); break;
    case ECursorMotif::ShootingStar: DrawShootingStar(canvas, pen); break;
    case ECursorMotif::Planet: DrawPlanet(canvas, pen); break;
    case ECursorMotif::Quasar: DrawQuasar(canvas, pen); break;
    case ECursorMotif::MeteorShower: DrawMeteorShower(canvas, pen); break;
    case ECursorMotif::Tokimeki: DrawTokimeki(canvas, pen); break;
    }
    return canvas;
}

SHotSpot CursorHotSpot(ECursorMotif motif)
{
    switch (motif) {
    case ECursorMotif::Comet: return {4, 4};         // front of the head
    case ECursorMotif::ShootingStar: return {4, 4};  // the star's top-left tip
    case ECursorMotif::Planet: return {15, 15};      // centre of the planet
    case ECursorMotif::Quasar: return {15, 15};      // the core
    case ECursorMotif::MeteorShower: return {2, 2};  // head of the leading meteor
    case ECursorMotif::Tokimeki: return {6, 6};      // centre of the twinkle
    }
    return {0, 0};
}

}  // namespace plover::assetgen
