#include "view/ViewLayout.h"

#include <algorithm>

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

FrameOutline Raised(int left, int top, int right, int bottom)
{
    return {FrameKind::Raised, {left, top, right, bottom}};
}

FrameOutline Sunken(int left, int top, int right, int bottom)
{
    return {FrameKind::Sunken, {left, top, right, bottom}};
}

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

DatePanelLayout LayoutDatePanel(const Rect& panel, std::wstring_view dateText)
{
    const int x = panel.left, y = panel.top, w = panel.Width(), h = panel.Height();
    DatePanelLayout layout;
    layout.frames = {Sunken(x + 1, y + 10, x + w, y + h - 5),
                     Sunken(x + 11, y + 20, x + w - 10, y + h - 15)};
    layout.font = {h - 51, (w - 40) / ByteLength(dateText)};
    layout.textRect = {x + 20, y + 28, x + w - 20, y + h - 23};
    return layout;
}

Rect CountdownLayout::MadeRect(TextExtent name) const
{
    return {panel.left + name.cx + 12, panel.top + name.cy / 2 + 8, panel.right, panel.bottom};
}

Rect CountdownLayout::DaysRect(TextExtent days) const
{
    const int w = panel.Width(), h = panel.Height();
    const int k = (h - 16) / 2;
    const int x3 = Share(0.75, w);
    const int lift = Share(0.15, days.cy);
    return {panel.left + x3, panel.top + lift + k + 8, panel.left + x3 + days.cx,
            panel.top + h + lift - 8};
}

Rect CountdownLayout::AtoRect(TextExtent ato) const
{
    const int w = panel.Width(), h = panel.Height();
    const int k = (h - 16) / 2;
    return {panel.left + Share(0.65, w), panel.top + ato.cy + k + 8, panel.right, panel.bottom - 8};
}

Rect CountdownLayout::DaysEndRect(TextExtent ato) const
{
    const int w = panel.Width(), h = panel.Height();
    const int k = (h - 16) / 2;
    return {panel.left + Share(0.75, w) + ato.cx + 3, panel.top + k + 8, panel.right,
            panel.bottom - 8};
}

TargetPanelLayout LayoutTargetPanel(const Rect& panel, const TargetTexts& texts)
{
    const int x = panel.left, y = panel.top, w = panel.Width(), h = panel.Height();
    TargetPanelLayout layout;
    layout.frames = {Raised(x + 8, y + 3, x + w - 8, y + h - 3),
                     Sunken(x + 9, y + 4, x + w - 9, y + h - 4)};
    if (texts.form != TargetForm::DaysLeft) {
        layout.sentenceFont = {h - 15, (w - 20) / ByteLength(texts.sentence)};
        layout.sentenceRect = panel;
        return layout;
    }

    layout.piecewise = true;
    CountdownLayout& c = layout.countdown;
    c.panel = panel;
    const int nameWidth = static_cast<int>(0.8 * (w - 20) / ByteLength(texts.name));
    c.nameFont = {(h - 15) / 2, nameWidth};
    c.nameRect = {x + 12, y + 8, x + w, y + h};
    c.madeFont = {((h - 15) / 2) / 2, nameWidth / 2};
    c.daysFont = {(h - 16) / 2, static_cast<int>(0.1 * (w - 20) / ByteLength(texts.days))};
    c.smallFont = {(h - 16) / 4, static_cast<int>(0.1 * (w - 20) * 0.5) / 2};
    return layout;
}

LowerPanelLayout LayoutLowerPanel(const Rect& panel, LowerContent content)
{
    const int x = panel.left, y = panel.top, w = panel.Width(), h = panel.Height();
    LowerPanelLayout layout;
    layout.content = content;
    if (content == LowerContent::Picture) {
        layout.pictureX = x + (w - kPictureWidth) / 2;
        layout.pictureY = y + (h - kPictureHeight) / 2;
        const int px = layout.pictureX, py = layout.pictureY;
        layout.frames = {Sunken(px - 2, py - 2, px + kPictureWidth + 1, py + kPictureHeight + 1),
                         Sunken(px - 1, py - 1, px + kPictureWidth, py + kPictureHeight)};
        return layout;
    }

    layout.frames = {Raised(x, y + 7, x + w, y + h - 7), Sunken(x + 1, y + 8, x + w - 1, y + h - 8)};
    layout.captionX = x + 10;
    layout.captionY = y;
    if (content == LowerContent::List) {
        layout.caption = kListCaption;
        layout.innerFrames = {Sunken(x + 10, y + 17, x + w - 10, y + h - 17),
                              Sunken(x + 11, y + 18, x + w - 11, y + h - 18)};
        layout.showList = true;
        layout.listRect = RectFromSize(x + 12, y + 19, w - 24, h - 38);
    } else {
        // The clock draws its own inner frame.
        layout.caption = kClockCaption;
        layout.showClock = true;
        layout.clockRect = RectFromSize(x + 15, y + 18, w - 30, h - 36);
    }
    return layout;
}

Rect LeftStarRect()
{
    return {3, 15, 33, 55};
}

Rect RightStarRect(int clientWidth)
{
    return RectFromSize(clientWidth - 33, 15, 30, 40);
}

int MonthListColumnWidth(int clientWidth, bool moreThanOnePage)
{
    const int width = Share(kLowerWidth, clientWidth) - (moreThanOnePage ? 124 : 108);
    // The list reads the width as a signed 16-bit value in which -1 and -2 mean
    // "size it yourself", so a narrow window must not hand it a negative one.
    return std::clamp(width, 0, 32767);
}

}  // namespace plover
