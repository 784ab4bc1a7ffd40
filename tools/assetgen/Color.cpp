#include "Color.h"

#include <algorithm>
#include <cmath>

namespace plover::assetgen {

namespace {

std::uint8_t ToByte(double d)
{
    return static_cast<std::uint8_t>(std::clamp(std::lround(d), 0L, 255L));
}

}  // namespace

const Palette16& VgaPalette()
{
    static const Palette16 palette = {
        vga::kBlack, vga::kMaroon, vga::kGreen, vga::kOlive,
        vga::kNavy,  vga::kPurple, vga::kTeal,  vga::kSilver,
        vga::kGrey,  vga::kRed,    vga::kLime,  vga::kYellow,
        vga::kBlue,  vga::kFuchsia, vga::kAqua, vga::kWhite};
    return palette;
}

int NearestIndex(const Palette16& palette, SColor color)
{
    int nBest = 0;
    long lBest = -1;
    for (int i = 0; i < static_cast<int>(palette.size()); ++i) {
        const long dr = long(palette[i].r) - color.r;
        const long dg = long(palette[i].g) - color.g;
        const long db = long(palette[i].b) - color.b;
        // Green weighs most for the eye; ties keep the lower index.
        const long lDistance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (lBest < 0 || lDistance < lBest) {
            lBest = lDistance;
            nBest = i;
        }
    }
    return nBest;
}

SColor Faded(SColor color, double dOpacity)
{
    color.a = ToByte(color.a * std::clamp(dOpacity, 0.0, 1.0));
    return color;
}

SColor Mix(SColor from, SColor to, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    auto lerp = [t](std::uint8_t x, std::uint8_t y) { return ToByte(x + (y - x) * t); };
    return SColor{lerp(from.r, to.r), lerp(from.g, to.g), lerp(from.b, to.b), lerp(from.a, to.a)};
}

}  // namespace plover::assetgen
