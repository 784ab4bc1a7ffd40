// Colours of the generated pictures: straight-alpha RGBA, mixing, and the fixed
// 16-colour palette the 4-bit bitmaps, cursors and icon images are drawn in (the
// zodiac pictures bring a night-sky palette of their own).
#pragma once

#include <array>
#include <cstdint>

namespace plover::assetgen {

struct SColor
{
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 255;
};

constexpr bool operator==(SColor x, SColor y)
{
    return x.r == y.r && x.g == y.g && x.b == y.b && x.a == y.a;
}
constexpr bool operator!=(SColor x, SColor y) { return !(x == y); }

constexpr SColor kTransparent{0, 0, 0, 0};

// The classic 16 display colours, in their usual palette order.
namespace vga {
constexpr SColor kBlack{0, 0, 0};
constexpr SColor kMaroon{128, 0, 0};
constexpr SColor kGreen{0, 128, 0};
constexpr SColor kOlive{128, 128, 0};
constexpr SColor kNavy{0, 0, 128};
constexpr SColor kPurple{128, 0, 128};
constexpr SColor kTeal{0, 128, 128};
constexpr SColor kSilver{192, 192, 192};
constexpr SColor kGrey{128, 128, 128};
constexpr SColor kRed{255, 0, 0};
constexpr SColor kLime{0, 255, 0};
constexpr SColor kYellow{255, 255, 0};
constexpr SColor kBlue{0, 0, 255};
constexpr SColor kFuchsia{255, 0, 255};
constexpr SColor kAqua{0, 255, 255};
constexpr SColor kWhite{255, 255, 255};
}  // namespace vga

using Palette16 = std::array<SColor, 16>;

const Palette16& VgaPalette();

// Index of the palette entry closest to `color` (alpha ignored).
int NearestIndex(const Palette16& palette, SColor color);

// `color` with its alpha scaled by `dOpacity` (0..1).
SColor Faded(SColor color, double dOpacity);

// Straight mix of two colours, alpha included; t = 0 gives `from`.
SColor Mix(SColor from, SColor to, double t);

}  // namespace plover::assetgen
