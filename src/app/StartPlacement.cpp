#include "app/StartPlacement.h"

#include <algorithm>

#include "framework/DpiScale.h"

namespace plover {

namespace {

// Window coordinates beyond this are not a place any desktop has; they also keep
// the sums below far from overflow whatever the registry holds.
constexpr int kCoordinateLimit = 32767;

bool Plausible(int value, int low)
{
    return value >= low && value <= kCoordinateLimit;
}

bool Overlaps(const Rect& a, const Rect& b)
{
    return std::max(a.left, b.left) < std::min(a.right, b.right) &&
           std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

}  // namespace

Rect ComputeStartRect(const ISettingsStore& settings, int screenWidth, int screenHeight,
                      const std::vector<Rect>& workAreas, int dpi)
{
    int width = ScaleToDpi(400, dpi);
    int height = ScaleToDpi(300, dpi);
    if (Read(settings, cfg::StartValue) == 1) {
        const int storedWidth = Read(settings, cfg::StartValueWidth);
        const int storedHeight = Read(settings, cfg::StartValueHeight);
        if (Plausible(storedWidth, 1) && Plausible(storedHeight, 1)) {
            width = storedWidth;
            height = storedHeight;
        }
    }
    const Rect centred = RectFromSize((screenWidth - width) / 2, (screenHeight - height) / 2,
                                      width, height);
    if (Read(settings, cfg::StartPosition) != 1)
        return centred;

    const int x = Read(settings, cfg::StartPositionPosX);
    const int y = Read(settings, cfg::StartPositionPosY);
    if (!Plausible(x, -kCoordinateLimit) || !Plausible(y, -kCoordinateLimit))
        return centred;
    const Rect stored = RectFromSize(x, y, width, height);
    // A window closed while minimised, or on a monitor since removed, would open
    // where nobody can see it.
    const bool visible = std::any_of(workAreas.begin(), workAreas.end(),
                                     [&](const Rect& area) { return Overlaps(stored, area); });
    return visible ? stored : centred;
}

void StoreWindowRect(ISettingsStore& settings, const Rect& normalRect)
{
    Write(settings, cfg::StartPositionPosX, normalRect.left);
    Write(settings, cfg::StartPositionPosY, normalRect.top);
    Write(settings, cfg::StartValueWidth, normalRect.Width());
    Write(settings, cfg::StartValueHeight, normalRect.Height());
}

}  // namespace plover
