#include "objects/AboutGradient.h"

#include <algorithm>

namespace plover {

std::vector<GradientBand> AboutGradientBands(int height, bool smooth)
{
    const int lines = std::max(1, height / 65);
    const int step = smooth ? 1 : 2;
    std::vector<GradientBand> bands;
    int band = 0;
    for (int y = 0; y < height; y += lines * step, ++band)
        bands.push_back({y, lines, step, static_cast<std::uint8_t>(band),
                         static_cast<std::uint8_t>(2 * band)});
    return bands;
}

}  // namespace plover
