// The version box's background: horizontal bands from black towards blue-green,
// a 65th of the height each, drawn a line at a time; on a screen of 256 colours
// or fewer in lines twice as thick, so fewer bands show.
#pragma once

#include <cstdint>
#include <vector>

namespace plover {

struct GradientBand {
    int top;         // first row
    int lines;       // lines drawn, each `lineStep` rows below the one before
    int lineStep;    // 1 (smooth) or 2 (coarse)
    std::uint8_t green;
    std::uint8_t blue;
};

// The bands of a client area `height` rows high, the last one reaching to or past
// the bottom.  Below 65 rows a band is one line, so the bands always end.
std::vector<GradientBand> AboutGradientBands(int height, bool smooth);

}  // namespace plover
