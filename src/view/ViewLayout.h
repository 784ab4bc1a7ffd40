// Where the countdown view puts everything, from the client size alone: the bands
// of the date, target and lower panels and the lower band's fractions kept for the
// size handler; the frames, text rectangles and font sizes of the date and target
// panels; the lower panel's frames, caption, list, clock and picture places; the
// client border; and where the child windows go after a resize.
//
// The layout fractions are float constants multiplied in double precision, which
// is how the window has always been laid out: 0.9f x 400 comes to just below 360
// and truncates to 359.
#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "framework/Geometry.h"
#include "objects/PaintItems.h"
#include "view/ViewTexts.h"

namespace plover {

// Setting SCI: 1 this month's list, 2 the clock, anything else the target's picture.
enum class LowerContent { List, Clock, Picture };
LowerContent LowerContentFromSetting(int sci);

enum class TextAlign {
    TopCentre,         // centred at the top; not single-line, though no text has a break
    TopLeft,           // not single-line either
    BottomLeftSingle,  // one line standing on the rectangle's bottom
    CentredSingle,     // one line centred both ways
};

// A text's size in its font, as the platform measures it.
struct TextExtent {
    int cx = 0;
    int cy = 0;
};

// The client area's raised border: pens of this width, white along the top and
// left edge, black along the right and bottom edge.
constexpr int kBorderPenWidth = 2;
std::array<FrameLine, 4> ClientBorderLines(int width, int height);

struct PanelLayout {
    bool showDate = false;
    bool showTarget = false;
    bool showLower = false;
    Rect date;
    Rect target;
    Rect lower;
    // Only layouts with a lower panel set these; the others leave the view's
    // m_fPanelTop and m_fPanelHeight as the last layout left them.
    bool setsPanelFractions = false;
    float panelTop = 0.0f;
    float panelHeight = 0.0f;
};

// The three bands for a client area of width x height; the date panel is drawn
// first, then the target panel, then the lower panel.
PanelLayout LayoutPanels(int width, int height, bool showDate, bool showTarget, bool showLower);

struct DatePanelLayout {
    std::array<FrameOutline, 2> frames;
    FontSize font;
    Rect textRect;
    TextAlign align = TextAlign::TopCentre;
};

// `dpi` scales every fixed offset and line of the panels (96 is 100 %); the shares
// of the panel that size the fonts scale with the window already.
DatePanelLayout LayoutDatePanel(const Rect& panel, std::wstring_view dateText, int dpi = 96);

// The days-left form: the name (font A) with "まで" (font B) at the upper left, and
// "あと" (font D), the number (font C) and "日です" (font D) standing on one line at
// the lower right.  Three places depend on sizes only the platform can measure, so
// they are functions of those measurements.
struct CountdownLayout {
    Rect panel;
    FontSize nameFont;       // A
    Rect nameRect;           // TopLeft
    FontSize madeFont;       // B, for kMadeText
    FontSize daysFont;       // C, for the number
    FontSize smallFont;      // D, for kAtoText and kDaysEndText
    int dpi = 96;
    // Where the number starts, as a share of the width: further left when counting
    // up, so the longer "日たちました" still ends inside the panel.
    double numberShare = 0.75;

    // name: the name measured in nameFont.  TopLeft.
    Rect MadeRect(TextExtent name) const;
    // days: the number measured in daysFont.  BottomLeftSingle.
    Rect DaysRect(TextExtent days) const;
    // ato: "あと" measured in smallFont.  BottomLeftSingle, both of them; "日です"
    // is placed by the width of "あと", which is about the number's width (counting
    // up, with no "あと", by the number's own width).
    Rect AtoRect(TextExtent ato) const;
    Rect DaysEndRect(TextExtent ato) const;
};

struct TargetPanelLayout {
    std::array<FrameOutline, 2> frames;
    // Days-left form: draw the pieces through `countdown`.  Every other form is
    // one sentence in sentenceFont, CentredSingle in sentenceRect.
    bool piecewise = false;
    CountdownLayout countdown;
    FontSize sentenceFont;
    Rect sentenceRect;
};

// An empty name is sized as if it were one byte long rather than dividing by zero.
TargetPanelLayout LayoutTargetPanel(const Rect& panel, const TargetTexts& texts, int dpi = 96);

constexpr int kPictureWidth = 250;
constexpr int kPictureHeight = 104;

struct LowerPanelLayout {
    LowerContent content = LowerContent::Picture;
    // Drawn before the caption, which then breaks their lines like a group-box title.
    std::vector<FrameOutline> frames;
    // Empty for the picture.  Written opaque on captionBackground at
    // (captionX, captionY), in the device context's default colour.  The font is
    // the one a Japanese system's device contexts start with, named outright: the
    // default font of another language's system has no Japanese glyphs.
    std::wstring_view caption;
    FontSize captionFont{18, 8};
    std::wstring_view captionFace = kPGothicFace;
    int captionX = 0;
    int captionY = 0;
    RgbColour captionBackground = kPlateGrey;
    // Drawn after the caption.
    std::vector<FrameOutline> innerFrames;
    bool showList = false;
    bool showClock = false;
    Rect listRect;
    Rect clockRect;
    // Upper left corner of the picture, drawn at its own size (times the DPI's
    // scale); may be negative.
    int pictureX = 0;
    int pictureY = 0;
};

// The picture's frame is kPictureWidth x kPictureHeight at 100 %, scaled by `dpi`.
LowerPanelLayout LayoutLowerPanel(const Rect& panel, LowerContent content, int dpi = 96);

// The rotating stars near the upper corners (the list and the clock are placed by
// the lower panel's layout).
Rect LeftStarRect(int dpi = 96);
Rect RightStarRect(int clientWidth, int dpi = 96);

// Width of the month list's first column: it leaves room for the scroll bar when
// the list holds more rows than fit on one page.  Never negative.
int MonthListColumnWidth(int clientWidth, bool moreThanOnePage, int dpi = 96);

}  // namespace plover
