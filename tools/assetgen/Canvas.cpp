#include "Canvas.h"

#include <algorithm>
#include <cmath>

namespace plover::assetgen {

namespace {

// Samples per pixel side: 4 x 4 is smooth enough at cursor size and exact enough for
// the half-coverage rule of hard-edged canvases.
constexpr int kSamples = 4;

std::uint8_t ToByte(double d)
{
    return static_cast<std::uint8_t>(std::clamp(std::lround(d), 0L, 255L));
}

// Distance from p to the segment a-b, and where along it (0..1) the nearest point lies.
double SegmentDistance(SPoint a, SPoint b, SPoint p, double* pT)
{
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double dLength2 = dx * dx + dy * dy;
    double t = 0;
    if (dLength2 > 0)
        t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / dLength2, 0.0, 1.0);
    if (pT)
        *pT = t;
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

}  // namespace

bool IsInsidePolygon(const std::vector<SPoint>& points, double x, double y)
{
    bool bInside = false;
    const std::size_t n = points.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const SPoint& a = points[i];
        const SPoint& b = points[j];
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x)
            bInside = !bInside;
    }
    return bInside;
}

CCanvas::CCanvas(int nWidth, int nHeight, bool bSmooth, double dScale)
    : m_nWidth(std::max(static_cast<int>(std::lround(nWidth * dScale)), 0)),
      m_nHeight(std::max(static_cast<int>(std::lround(nHeight * dScale)), 0)), m_bSmooth(bSmooth),
      m_dScale(dScale > 0 ? dScale : 1.0),
      m_aPixels(static_cast<std::size_t>(m_nWidth) * m_nHeight, kTransparent)
{
}

CCanvas CCanvas::Blank() const
{
    CCanvas blank(0, 0, m_bSmooth, m_dScale);
    blank.m_nWidth = m_nWidth;
    blank.m_nHeight = m_nHeight;
    blank.m_aPixels.assign(m_aPixels.size(), kTransparent);
    return blank;
}

void CCanvas::FillDot(int x, int y, SColor color)
{
    const int x0 = static_cast<int>(std::lround(x * m_dScale));
    const int y0 = static_cast<int>(std::lround(y * m_dScale));
    const int x1 = std::max(x0 + 1, static_cast<int>(std::lround((x + 1) * m_dScale)));
    const int y1 = std::max(y0 + 1, static_cast<int>(std::lround((y + 1) * m_dScale)));
    for (int py = y0; py < y1; ++py) {
        for (int px = x0; px < x1; ++px)
            SetPixel(px, py, color);
    }
}

bool CCanvas::Contains(int x, int y) const
{
    return x >= 0 && y >= 0 && x < m_nWidth && y < m_nHeight;
}

SColor CCanvas::GetPixel(int x, int y) const
{
    return Contains(x, y) ? m_aPixels[static_cast<std::size_t>(y) * m_nWidth + x] : kTransparent;
}

void CCanvas::SetPixel(int x, int y, SColor color)
{
    if (Contains(x, y))
        m_aPixels[static_cast<std::size_t>(y) * m_nWidth + x] = color;
}

void CCanvas::BlendPixel(int x, int y, SColor color, double dCoverage)
{
    if (!Contains(x, y))
        return;
    const double dSrcA = color.a / 255.0 * std::clamp(dCoverage, 0.0, 1.0);
    if (dSrcA <= 0)
        return;
    SColor& dst = m_aPixels[static_cast<std::size_t>(y) * m_nWidth + x];
    const double dDstA = dst.a / 255.0;
    const double dOutA = dSrcA + dDstA * (1 - dSrcA);
    auto mix = [&](std::uint8_t s, std::uint8_t d) {
        return ToByte((s * dSrcA + d * dDstA * (1 - dSrcA)) / dOutA);
    };
    dst = SColor{mix(color.r, dst.r), mix(color.g, dst.g), mix(color.b, dst.b), ToByte(dOutA * 255)};
}

void CCanvas::Clear(SColor color)
{
    std::fill(m_aPixels.begin(), m_aPixels.end(), color);
}

double CCanvas::Coverage(int x, int y, const InsideFn& inside) const
{
    int nHits = 0;
    for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
            if (inside((x + (sx + 0.5) / kSamples) / m_dScale, (y + (sy + 0.5) / kSamples) / m_dScale))
                ++nHits;
        }
    }
    return double(nHits) / (kSamples * kSamples);
}

void CCanvas::FillShape(double dLeft, double dTop, double dRight, double dBottom,
                        const InsideFn& inside, const PaintFn& paint)
{
    const int x0 = std::max(0, static_cast<int>(std::floor(dLeft * m_dScale)));
    const int y0 = std::max(0, static_cast<int>(std::floor(dTop * m_dScale)));
    const int x1 = std::min(m_nWidth - 1, static_cast<int>(std::ceil(dRight * m_dScale)));
    const int y1 = std::min(m_nHeight - 1, static_cast<int>(std::ceil(dBottom * m_dScale)));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            double dCoverage = Coverage(x, y, inside);
            if (!m_bSmooth)
                dCoverage = dCoverage >= 0.5 ? 1.0 : 0.0;
            if (dCoverage > 0)
                BlendPixel(x, y, paint((x + 0.5) / m_dScale, (y + 0.5) / m_dScale), dCoverage);
        }
    }
}

void CCanvas::FillPolygon(const std::vector<SPoint>& points, SColor color)
{
    if (points.size() < 3)
        return;
    double dLeft = points[0].x, dRight = points[0].x, dTop = points[0].y, dBottom = points[0].y;
    for (const SPoint& p : points) {
        dLeft = std::min(dLeft, p.x);
        dRight = std::max(dRight, p.x);
        dTop = std::min(dTop, p.y);
        dBottom = std::max(dBottom, p.y);
    }
    FillShape(dLeft, dTop, dRight, dBottom,
              [&points](double x, double y) { return IsInsidePolygon(points, x, y); },
              [color](double, double) { return color; });
}

void CCanvas::FillCircle(SPoint center, double dRadius, SColor color)
{
    FillEllipse(center, dRadius, dRadius, 0, color);
}

void CCanvas::FillEllipse(SPoint center, double dRadiusX, double dRadiusY, double dAngle,
                          SColor color)
{
    if (dRadiusX <= 0 || dRadiusY <= 0)
        return;
    const double dCos = std::cos(dAngle);
    const double dSin = std::sin(dAngle);
    const double dReach = std::max(dRadiusX, dRadiusY);
    FillShape(center.x - dReach, center.y - dReach, center.x + dReach, center.y + dReach,
              [=](double x, double y) {
                  const double u = ((x - center.x) * dCos + (y - center.y) * dSin) / dRadiusX;
                  const double v = (-(x - center.x) * dSin + (y - center.y) * dCos) / dRadiusY;
                  return u * u + v * v <= 1.0;
              },
              [color](double, double) { return color; });
}

void CCanvas::DrawLine(SPoint from, SPoint to, double dWidth, SColor color)
{
    DrawTaperedLine(from, to, dWidth, dWidth, color, color);
}

void CCanvas::DrawTaperedLine(SPoint from, SPoint to, double dWidthFrom, double dWidthTo,
                              SColor colorFrom, SColor colorTo)
{
    const double dReach = std::max(dWidthFrom, dWidthTo) / 2 + 1;
    FillShape(std::min(from.x, to.x) - dReach, std::min(from.y, to.y) - dReach,
              std::max(from.x, to.x) + dReach, std::max(from.y, to.y) + dReach,
              [=](double x, double y) {
                  double t = 0;
                  const double d = SegmentDistance(from, to, SPoint{x, y}, &t);
                  return d <= (dWidthFrom + (dWidthTo - dWidthFrom) * t) / 2;
              },
              [=](double x, double y) {
                  double t = 0;
                  SegmentDistance(from, to, SPoint{x, y}, &t);
                  return Mix(colorFrom, colorTo, t);
              });
}

void CCanvas::Outline(SColor color)
{
    // The border's opacity at a pixel is the strongest neighbouring opacity (diagonals
    // count less when smooth, so round shapes keep a round border).
    std::vector<double> aBorder(m_aPixels.size(), 0.0);
    for (int y = 0; y < m_nHeight; ++y) {
        for (int x = 0; x < m_nWidth; ++x) {
            double dMax = 0;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    const double dWeight = (dx != 0 && dy != 0 && m_bSmooth) ? 0.6 : 1.0;
                    double dAlpha = GetPixel(x + dx, y + dy).a / 255.0;
                    if (!m_bSmooth)
                        dAlpha = dAlpha >= 0.5 ? 1.0 : 0.0;
                    dMax = std::max(dMax, dAlpha * dWeight);
                }
            }
            aBorder[static_cast<std::size_t>(y) * m_nWidth + x] = dMax;
        }
    }
    CCanvas border = Blank();
    for (int y = 0; y < m_nHeight; ++y) {
        for (int x = 0; x < m_nWidth; ++x)
            border.BlendPixel(x, y, color, aBorder[static_cast<std::size_t>(y) * m_nWidth + x]);
    }
    border.DrawCanvas(*this, 0, 0);
    m_aPixels.swap(border.m_aPixels);
}

void CCanvas::DrawCanvas(const CCanvas& source, int nLeft, int nTop)
{
    for (int y = 0; y < source.Height(); ++y) {
        for (int x = 0; x < source.Width(); ++x)
            BlendPixel(nLeft + x, nTop + y, source.GetPixel(x, y));
    }
}

}  // namespace plover::assetgen
