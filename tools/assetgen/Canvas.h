// A small RGBA raster that pictures are painted on before they become files: shapes
// are filled by sampling each pixel, either smoothly (coverage becomes opacity, for
// 32-bit images) or hard-edged (a pixel is set when a shape covers half of it, for
// palette images that must keep their exact colours).
//
// A canvas may be drawn at a scale for high-DPI displays: its pixels are then
// `dScale` times as many each way, and every shape is given in the coordinates of
// the picture at 1x, so one drawing makes each size sharp.  Pixel access
// (GetPixel, SetPixel, DrawCanvas, Outline) is always in the canvas's own pixels.
#pragma once

#include "Color.h"

#include <functional>
#include <vector>

namespace plover::assetgen {

struct SPoint
{
    double x = 0;
    double y = 0;
};

class CCanvas
{
public:
    CCanvas(int nWidth, int nHeight, bool bSmooth, double dScale = 1.0);
    // A transparent canvas of this one's size, kind and scale.
    CCanvas Blank() const;

    // In pixels.
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    bool IsSmooth() const { return m_bSmooth; }
    double Scale() const { return m_dScale; }
    bool Contains(int x, int y) const;

    SColor GetPixel(int x, int y) const;
    void SetPixel(int x, int y, SColor color);
    // Lays `color` over the pixel, weighted by how much of the pixel is covered.
    void BlendPixel(int x, int y, SColor color, double dCoverage = 1.0);
    void Clear(SColor color);
    // The pixel (x, y) of the picture at 1x: the block of pixels it becomes at
    // this scale.
    void FillDot(int x, int y, SColor color);

    // Fills whatever `inside` accepts within the box (coordinates at 1x); `paint` gives the colour at a
    // point, so one call can draw a gradient.
    using InsideFn = std::function<bool(double x, double y)>;
    using PaintFn = std::function<SColor(double x, double y)>;
    void FillShape(double dLeft, double dTop, double dRight, double dBottom,
                   const InsideFn& inside, const PaintFn& paint);

    void FillPolygon(const std::vector<SPoint>& points, SColor color);
    void FillCircle(SPoint center, double dRadius, SColor color);
    // Ellipse turned by `dAngle` radians (clockwise on screen).
    void FillEllipse(SPoint center, double dRadiusX, double dRadiusY, double dAngle, SColor color);
    void DrawLine(SPoint from, SPoint to, double dWidth, SColor color);
    // A line that narrows or widens and changes colour along its length.
    void DrawTaperedLine(SPoint from, SPoint to, double dWidthFrom, double dWidthTo,
                         SColor colorFrom, SColor colorTo);

    // Rings everything drawn so far with a one-pixel border of `color`, so the picture
    // stays visible on any background.
    void Outline(SColor color);
    // Lays `source` over this canvas with its top-left corner at (nLeft, nTop).
    void DrawCanvas(const CCanvas& source, int nLeft, int nTop);

private:
    double Coverage(int x, int y, const InsideFn& inside) const;

    int m_nWidth;
    int m_nHeight;
    bool m_bSmooth;
    double m_dScale;
    std::vector<SColor> m_aPixels;
};

bool IsInsidePolygon(const std::vector<SPoint>& points, double x, double y);

}  // namespace plover::assetgen
