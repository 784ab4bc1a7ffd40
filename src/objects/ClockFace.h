// The clock's face without its window: the time line hh:mm:ss, the digit font for
// a box size, the box's colour and sunken border, which part of the box a tick
// repaints, and when a tick signals the target minute to the view.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "framework/Geometry.h"
#include "objects/PaintItems.h"
#include "resource.h"
#include "services/LocalTime.h"

namespace plover {

// The command the clock posts to its parent during the first second of the
// target minute.
constexpr int kTargetTimeCommand = IDM_TARGET_TIME;

constexpr RgbColour kClockBackground{192, 255, 222};

// Eight characters; the 12-hour form shows every hour modulo 12, as 00 to 11.
std::wstring ClockText(int hour, int minute, int second, bool hour24);

// Fills the box: 95 % of its height, and eight characters of 11.875 % of its width.
FontSize ClockFontSize(int clientWidth, int clientHeight);

// Setting GMFont: 1 the gothic face, anything else the mincho face.
std::wstring_view ClockFaceName(int gmFont);

// The two-pixel sunken border, outer outline first.
std::array<FrameOutline, 2> ClockFrames(int clientWidth, int clientHeight, int dpi = 96);

struct ClockTick {
    bool postTarget = false;  // post kTargetTimeCommand to the parent
    bool repaint = false;     // invalidate `area` without erasing and update at once
    Rect area;
};

class CClockFace {
public:
    // The time on display; the window sets it once it exists.
    void SetTime(const LocalTime& now);
    void SetTarget(const LocalTime& target);
    void ClearTarget();

    // One 100 ms poll with the current local time and the box size.  Repaints only
    // when the second changed, and then only the digits that changed.
    ClockTick Tick(const LocalTime& now, int clientWidth, int clientHeight);

    std::wstring Text(bool hour24) const;

    int Hour() const { return m_nHour; }
    int Minute() const { return m_nMinute; }
    int Second() const { return m_nSecond; }
    const std::optional<LocalTime>& Target() const { return m_target; }

    // Any second of the target minute.
    bool IsTargetMinute(const LocalTime& now) const;

private:
    bool IsTargetSecond(const LocalTime& now) const;
    Rect RepaintArea(const LocalTime& now, int width, int height) const;

    int m_nHour = -1;
    int m_nMinute = -1;
    int m_nSecond = -1;
    std::optional<LocalTime> m_target;
};

}  // namespace plover
