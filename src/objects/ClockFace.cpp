#include "objects/ClockFace.h"

#include "framework/DpiScale.h"

namespace plover {

namespace {

std::wstring TwoDigits(int value)
{
    return (value >= 0 && value < 10 ? L"0" : L"") + std::to_wstring(value);
}

// Products in double precision, truncated toward zero.
int Share(double fraction, int length)
{
    return static_cast<int>(fraction * length);
}

}  // namespace

std::wstring ClockText(int hour, int minute, int second, bool hour24)
{
    // Subtracting 12 would show a negative hour every morning; modulo 12 keeps the
    // afternoon's 00 to 11 and gives the morning the same.
    const int shown = hour24 ? hour : hour % 12;
    return TwoDigits(shown) + L":" + TwoDigits(minute) + L":" + TwoDigits(second);
}

FontSize ClockFontSize(int clientWidth, int clientHeight)
{
    return {Share(0.95, clientHeight), Share(0.11875, clientWidth)};
}

std::wstring_view ClockFaceName(int gmFont)
{
    return gmFont == 1 ? kGothicFace : kMinchoFace;
}

std::array<FrameOutline, 2> ClockFrames(int clientWidth, int clientHeight, int dpi)
{
    // Each line a pixel thick at 100 %, the inner frame flush inside the outer.
    const int t = ScaleToDpi(1, dpi);
    const int w = clientWidth, h = clientHeight;
    return {{{FrameKind::Sunken, {0, 0, w - 1, h - 1}, t},
             {FrameKind::Sunken, {t, t, w - 1 - t, h - 1 - t}, t}}};
}

void CClockFace::SetTime(const LocalTime& now)
{
    m_nHour = now.hour;
    m_nMinute = now.minute;
    m_nSecond = now.second;
}

void CClockFace::SetTarget(const LocalTime& target)
{
    m_target = target;
}

void CClockFace::ClearTarget()
{
    m_target.reset();
}

bool CClockFace::IsTargetSecond(const LocalTime& now) const
{
    if (!m_target)
        return false;
    const LocalTime& t = *m_target;
    return now.SameDate(t) && now.hour == t.hour && now.minute == t.minute && now.second == 0;
}

bool CClockFace::IsTargetMinute(const LocalTime& now) const
{
    if (!m_target)
        return false;
    const LocalTime& t = *m_target;
    return now.SameDate(t) && now.hour == t.hour && now.minute == t.minute;
}

Rect CClockFace::RepaintArea(const LocalTime& now, int width, int height) const
{
    if (now.hour != m_nHour)
        return {0, 0, width, height};
    // Partial areas keep off the two-pixel border; they run from the first digit
    // that changed to just short of the right edge.
    double from = 0.83;
    if (now.minute != m_nMinute)
        from = 0.3;
    else if (now.second / 10 != m_nSecond / 10)
        from = 0.7;
    return {Share(from, width), 3, Share(0.98, width), height - 3};
}

ClockTick CClockFace::Tick(const LocalTime& now, int clientWidth, int clientHeight)
{
    ClockTick tick;
    // Every poll of the target second posts again; the view's answer is idempotent.
    tick.postTarget = IsTargetSecond(now);
    if (now.second == m_nSecond)
        return tick;
    tick.repaint = true;
    tick.area = RepaintArea(now, clientWidth, clientHeight);
    SetTime(now);
    return tick;
}

std::wstring CClockFace::Text(bool hour24) const
{
    return ClockText(m_nHour, m_nMinute, m_nSecond, hour24);
}

}  // namespace plover
