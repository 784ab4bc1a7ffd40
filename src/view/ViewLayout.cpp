#include "view/ViewLayout.h"

#include <algorithm>

#include "framework/DpiScale.h"
#include "framework/SjisText.h"

namespace plover {

namespace {

constexpr float kDateLeft = 0.1f;
constexpr float kDateWidth = 0.8f;
constexpr float kLowerLeft = 0.05f;
constexpr float kLowerWidth = 0.9f;

// Truncates toward zero like the conversion to int always did; the float constant
// is widened first, so 0.44f x 300 gives 131, not the 132 float arithmetic would.
int Share(float fraction, int length)
{
    return static_cast<int>(static_cast<double>(fraction) * length);
}

int Share(double fraction, int length)
{
    return static_cast<int>(fraction * length);
}

struct Band {
    float top = 0.0f;
    float height = 0.0f;
};

struct BandRow {
    Band date;
    Band target;
    Band lower;
};

// Indexed by date * 4 + target * 2 + lower; bands of hidden panels are unused.
const BandRow kBands[8] = {
    {{}, {}, {}},
    {{}, {}, {0.0f, 1.0f}},
    {{}, {0.0f, 1.0f}, {}},
    {{}, {0.0f, 0.42f}, {0.42f, 0.58f}},
    {{0.0f, 1.0f}, {}, {}},
    {{0.0f, 0.42f}, {}, {0.42f, 0.58f}},
    {{0.0f, 0.5f}, {0.5f, 0.5f}, {}},
    {{0.0f, 0.28f}, {0.28f, 0.28f}, {0.56f, 0.44f}},
};

Rect BandRect(int left, int width, const Band& band, int height)
{
    return RectFromSize(left, Share(band.top, height), width, Share(band.height, height));
}

FrameOutline Raised(int left, int top, int right, int bottom, int dpi = kBaseDpi)
{
    return {FrameKind::Raised, {left, top, right, bottom}, ScaleToDpi(1, dpi)};
}

FrameOutline Sunken(int left, int top, int right, int bottom, int dpi = kBaseDpi)
{
    return {FrameKind::Sunken, {left, top, right, bottom}, ScaleToDpi(1, dpi)};
}

// The frame of `kind` just inside `outer` (`lines` = 1) or just around it (-1): a
// frame line is one pixel at 100 % but two at 150 %, so a pair given one pixel
// apart at 100 % would overlap there if each offset were scaled on its own.
FrameOutline Nested(const FrameOutline& outer, FrameKind kind, int lines = 1)
{
    const int d = outer.thickness * lines;
    return {kind, {outer.rc.left + d, outer.rc.top + d, outer.rc.right - d, outer.rc.bottom - d},
            outer.thickness};
}

// The frame of `kind` just around `r`.
FrameOutline Around(const Rect& r, FrameKind kind, int dpi)
{
    const int d = ScaleToDpi(1, dpi);
    return {kind, {r.left - d, r.top - d, r.right + d, r.bottom + d}, d};
}

// A fixed length of the layout, given at 100 %.
struct Px {
    int dpi;
    int operator()(int value) const { return ScaleToDpi(value, dpi); }
};

// Fonts are a share of the panel width divided by the text's byte length; a text
// of no bytes is sized as one byte so an empty name cannot divide by zero.
int ByteLength(std::wstring_view text)
{
    return std::max(1, SjisByteLength(text));
}

}  // namespace

LowerContent LowerContentFromSetting(int sci)
{
    if (sci == 1)
        return LowerContent::List;
    if (sci == 2)
        return LowerContent::Clock;
    return LowerContent::Picture;
}

std::array<FrameLine, 4> ClientBorderLines(int width, int height)
{
    return {{
        {0, 0, width, 0, kWhite},
        {0, 0, 0, height, kWhite},
        {width, height, width, 0, kBlack},
        {width, height, 0, height, kBlack},
    }};
}

PanelLayout LayoutPanels(int width, int height, bool showDate, bool showTarget, bool showLower)
{
    const BandRow& row = kBands[(showDate ? 4 : 0) + (showTarget ? 2 : 0) + (showLower ? 1 : 0)];
    PanelLayout layout;
    layout.showDate = showDate;
    layout.showTarget = showTarget;
    layout.showLower = showLower;
    if (showDate)
        layout.date = BandRect(Share(kDateLeft, width), Share(kDateWidth, width), row.date, height);
    if (showTarget)
        layout.target = BandRect(0, width, row.target, height);
    if (showLower) {
        layout.lower = BandRect(Share(kLowerLeft, width), Share(kLowerWidth, width), row.lower, height);
        layout.setsPanelFractions = true;
        layout.panelTop = row.lower.top;
        layout.panelHeight = row.lower.height;
    }
    return layout;
}

DatePanelLayout LayoutDatePanel(const Rect& panel, std::wstring_view dateText, int dpi)
{
    const Px px{dpi};
    const int x = panel.left, y = panel.top, w = panel.Width(), h = panel.Height();
    DatePanelLayout layout;
    layout.frames = {Sunken(x + px(1), y + px(10), x + w, y + h - px(5), dpi),
                     Sunken(x + px(11), y + px(20), x + w - px(10), y + h - px(15), dpi)};
    layout.font = {h - px(51), (w - px(40)) / ByteLength(dateText)};
    layout.textRect = {x + px(20), y + px(28), x + w - px(20), y + h - px(23)};
    return layout;
}

Rect CountdownLayout::MadeRect(TextExtent name) const
{
    const Px px{dpi};
    return {panel.left + name.cx + px(12), panel.top + name.cy / 2 + px(8), panel.right,
            panel.bottom};
}

Rect CountdownLayout::DaysRect(TextExtent days) const
{
    const Px px{dpi};
    const int w = panel.Width(), h = panel.Height();
    const int k = (h - px(16)) / 2;
    const int x3 = Share(numberShare, w);
    const int lift = Share(0.15, days.cy);
    return {panel.left + x3, panel.top + lift + k + px(8), panel.left + x3 + days.cx,
            panel.top + h + lift - px(8)};
}

Rect CountdownLayout::AtoRect(TextExtent ato) const
{
    const Px px{dpi};
    const int w = panel.Width(), h = panel.Height();
    const int k = (h - px(16)) / 2;
    return {panel.left + Share(0.65, w), panel.top + ato.cy + k + px(8), panel.right,
            panel.bottom - px(8)};
}

Rect CountdownLayout::DaysEndRect(TextExtent ato) const
{
    const Px px{dpi};
    const int w = panel.Width(), h = panel.Height();
    const int k = (h - px(16)) / 2;
    return {panel.left + Share(numberShare, w) + ato.cx + px(3), panel.top + k + px(8), panel.right,
            panel.bottom - px(8)};
}

TargetPanelLayout LayoutTargetPanel(const Rect& panel, const TargetTexts& texts, int dpi)
{
    const Px px{dpi};
    const int x = panel.left, y = panel.top, w = panel.Width(), h = panel.Height();
    TargetPanelLayout layout;
    const FrameOutline outer = Raised(x + px(8), y + px(3), x + w - px(8), y + h - px(3), dpi);
    layout.frames = {outer, Nested(outer, FrameKind::Sunken)};
    if (texts.form != TargetForm::DaysLeft && texts.form != TargetForm::CountUp) {
        layout.sentenceFont = {h - px(15), (w - px(20)) / ByteLength(texts.sentence)};
        layout.sentenceRect = panel;
        return layout;
    }

    layout.piecewise = true;
    CountdownLayout& c = layout.countdown;
    c.panel = panel;
    c.dpi = dpi;
    if (texts.form == TargetForm::CountUp)
        c.numberShare = 0.5;
    const int nameWidth = static_cast<int>(0.8 * (w - px(20)) / ByteLength(texts.name));
    c.nameFont = {(h - px(15)) / 2, nameWidth};
    c.nameRect = {x + px(12), y + px(8), x + w, y + h};
    c.madeFont = {((h - px(15)) / 2) / 2, nameWidth / 2};
    c.daysFont = {(h - px(16)) / 2, static_cast<int>(0.1 * (w - px(20)) / ByteLength(texts.days))};
    c.smallFont = {(h - px(16)) / 4, static_cast<int>(0.1 * (w - px(20)) * 0.5) / 2};
    return layout;
}

LowerPanelLayout LayoutLowerPanel(const Rect& panel, LowerContent content, int dpi)
{
    const Px px{dpi};
    const int x = panel.left, y = panel.top, w = panel.Width(), h = panel.Height();
    LowerPanelLayout layout;
    layout.content = content;
    if (content == LowerContent::Picture) {
        const int pw = px(kPictureWidth), ph = px(kPictureHeight);
        layout.pictureX = x + (w - pw) / 2;
        layout.pictureY = y + (h - ph) / 2;
        const int left = layout.pictureX, top = layout.pictureY;
        const FrameOutline inner = Sunken(left - px(1), top - px(1), left + pw, top + ph, dpi);
        layout.frames = {Nested(inner, FrameKind::Sunken, -1), inner};
        return layout;
    }

    const FrameOutline outer = Raised(x, y + px(7), x + w, y + h - px(7), dpi);
    layout.frames = {outer, Nested(outer, FrameKind::Sunken)};
    layout.captionFont = {px(18), px(8)};
    layout.captionX = x + px(10);
    layout.captionY = y;
    if (content == LowerContent::List) {
        layout.caption = kListCaption;
        // The list keeps the size its columns are made for; its frames go around it.
        layout.listRect = RectFromSize(x + px(12), y + px(19), w - px(24), h - px(38));
        const FrameOutline inner = Around(layout.listRect, FrameKind::Sunken, dpi);
        layout.innerFrames = {Nested(inner, FrameKind::Sunken, -1), inner};
        layout.showList = true;
    } else {
        // The clock draws its own inner frame.
        layout.caption = kClockCaption;
        layout.showClock = true;
        layout.clockRect = RectFromSize(x + px(15), y + px(18), w - px(30), h - px(36));
    }
    return layout;
}

Rect LeftStarRect(int dpi)
{
    const Px px{dpi};
    // By size, as the right one: at 125 % the scaled corners would make it a pixel
    // narrower than the star's pictures.
    return RectFromSize(px(3), px(15), px(30), px(40));
}

Rect RightStarRect(int clientWidth, int dpi)
{
    const Px px{dpi};
    return RectFromSize(clientWidth - px(3) - px(30), px(15), px(30), px(40));
}

int MonthListColumnWidth(int clientWidth, bool moreThanOnePage, int dpi)
{
    const Px px{dpi};
    const int width = Share(kLowerWidth, clientWidth) - px(moreThanOnePage ? 124 : 108);
    // The list reads the width as a signed 16-bit value in which -1 and -2 mean
    // "size it yourself", so a narrow window must not hand it a negative one.
    return std::clamp(width, 0, 32767);
}

}  // namespace plover
