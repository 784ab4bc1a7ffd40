#include <gtest/gtest.h>

#include "framework/DpiScale.h"
#include "objects/PaintItems.h"
#include "view/ViewLayout.h"

using namespace plover;

namespace {

Rect R(int left, int top, int right, int bottom)
{
    return Rect{left, top, right, bottom};
}

void ExpectFrame(const FrameOutline& frame, FrameKind kind, const Rect& rc)
{
    EXPECT_EQ(frame.kind, kind);
    EXPECT_EQ(frame.rc, rc);
}

}  // namespace

TEST(PanelLayout, AllPanelsOn400x300TruncateTheFloatProducts)
{
    const PanelLayout l = LayoutPanels(400, 300, true, true, true);
    EXPECT_EQ(l.date, RectFromSize(40, 0, 320, 84));
    EXPECT_EQ(l.target, RectFromSize(0, 84, 400, 84));
    // 0.9f x 400 and 0.44f x 300 fall just short of 360 and 132.
    EXPECT_EQ(l.lower, RectFromSize(20, 168, 359, 131));
    EXPECT_TRUE(l.setsPanelFractions);
    EXPECT_EQ(l.panelTop, 0.56f);
    EXPECT_EQ(l.panelHeight, 0.44f);
}

TEST(PanelLayout, EveryCombinationOfPanels)
{
    struct Case {
        bool d, t, s;
        int dateTop, dateHeight, targetTop, targetHeight, lowerTop, lowerHeight;
        float fTop, fHeight;
    };
    const Case cases[] = {
        {true, true, true, 0, 84, 84, 84, 168, 131, 0.56f, 0.44f},
        {true, true, false, 0, 150, 150, 150, 0, 0, 0, 0},
        {true, false, true, 0, 125, 0, 0, 125, 173, 0.42f, 0.58f},
        {true, false, false, 0, 300, 0, 0, 0, 0, 0, 0},
        {false, true, true, 0, 0, 0, 125, 125, 173, 0.42f, 0.58f},
        {false, true, false, 0, 0, 0, 300, 0, 0, 0, 0},
        {false, false, true, 0, 0, 0, 0, 0, 300, 0.0f, 1.0f},
        {false, false, false, 0, 0, 0, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.d << c.t << c.s);
        const PanelLayout l = LayoutPanels(400, 300, c.d, c.t, c.s);
        EXPECT_EQ(l.showDate, c.d);
        EXPECT_EQ(l.showTarget, c.t);
        EXPECT_EQ(l.showLower, c.s);
        if (c.d)
            EXPECT_EQ(l.date, RectFromSize(40, c.dateTop, 320, c.dateHeight));
        if (c.t)
            EXPECT_EQ(l.target, RectFromSize(0, c.targetTop, 400, c.targetHeight));
        if (c.s)
            EXPECT_EQ(l.lower, RectFromSize(20, c.lowerTop, 359, c.lowerHeight));
        // Without a lower panel the view keeps the fractions of the last paint.
        EXPECT_EQ(l.setsPanelFractions, c.s);
        if (c.s) {
            EXPECT_EQ(l.panelTop, c.fTop);
            EXPECT_EQ(l.panelHeight, c.fHeight);
        }
    }
}

TEST(PanelLayout, ChildWindowsAt400By300)
{
    const PanelLayout panels = LayoutPanels(400, 300, true, true, true);
    EXPECT_EQ(LayoutLowerPanel(panels.lower, LowerContent::List).listRect,
              RectFromSize(32, 187, 335, 93));
    EXPECT_EQ(LayoutLowerPanel(panels.lower, LowerContent::Clock).clockRect,
              RectFromSize(35, 186, 329, 95));
    EXPECT_EQ(LeftStarRect(), R(3, 15, 33, 55));
    EXPECT_EQ(RightStarRect(400), R(367, 15, 397, 55));
}

TEST(PanelLayout, MonthListColumnLeavesRoomForTheScrollBar)
{
    EXPECT_EQ(MonthListColumnWidth(400, false), 359 - 108);
    EXPECT_EQ(MonthListColumnWidth(400, true), 359 - 124);
    // A narrow window would ask for -1 or -2, which the list takes as "autosize".
    EXPECT_EQ(MonthListColumnWidth(119, false), 0);
    EXPECT_EQ(MonthListColumnWidth(0, true), 0);
}

TEST(DatePanel, FramesFontAndTextBox)
{
    const std::wstring text = DateText(1996, 5, 12, 1);  // 27 bytes
    const DatePanelLayout d = LayoutDatePanel(RectFromSize(40, 0, 320, 84), text);
    ExpectFrame(d.frames[0], FrameKind::Sunken, R(41, 10, 360, 79));
    ExpectFrame(d.frames[1], FrameKind::Sunken, R(51, 20, 350, 69));
    EXPECT_EQ(d.font.height, 33);
    EXPECT_EQ(d.font.width, 280 / 27);
    EXPECT_EQ(d.textRect, R(60, 28, 340, 61));
    EXPECT_EQ(d.align, TextAlign::TopCentre);
}

TEST(TargetPanel, DaysLeftPiecesStandOnOneLine)
{
    const Rect panel = RectFromSize(0, 84, 400, 84);
    const TargetPanelLayout t = LayoutTargetPanel(panel, MakeTargetTexts(L"卒業式", 12));
    ExpectFrame(t.frames[0], FrameKind::Raised, R(8, 87, 392, 165));
    ExpectFrame(t.frames[1], FrameKind::Sunken, R(9, 88, 391, 164));
    ASSERT_TRUE(t.piecewise);
    const CountdownLayout& c = t.countdown;
    EXPECT_EQ(c.nameFont.height, 34);
    EXPECT_EQ(c.nameFont.width, 50);  // 0.8 x 380 / 6 bytes
    EXPECT_EQ(c.nameRect, R(12, 92, 400, 168));
    EXPECT_EQ(c.madeFont.height, 17);
    EXPECT_EQ(c.madeFont.width, 25);
    EXPECT_EQ(c.daysFont.height, 34);
    EXPECT_EQ(c.daysFont.width, 19);  // 0.1 x 380 / 2 digits
    EXPECT_EQ(c.smallFont.height, 17);
    EXPECT_EQ(c.smallFont.width, 9);  // trunc(19.0) / 2

    EXPECT_EQ(c.MadeRect({150, 34}), R(162, 109, 400, 168));
    // The number is lifted by 15 % of its own height; its box is exactly its width.
    EXPECT_EQ(c.DaysRect({40, 34}), R(300, 131, 340, 165));
    EXPECT_EQ(c.AtoRect({36, 17}), R(260, 143, 400, 160));
    // "日です" follows the number by the width of "あと", not the number's own.
    EXPECT_EQ(c.DaysEndRect({36, 17}), R(339, 126, 400, 160));
}

// Counting up, the number starts further left so that "日たちました" (12 bytes of
// font D after a number of up to three digits) still ends inside the panel.
TEST(TargetPanel, CountUpPiecesEndInsideThePanel)
{
    for (const int width : {400, 1200}) {
        const Rect panel = RectFromSize(0, 84, width, 84);
        const TargetPanelLayout t = LayoutTargetPanel(panel, MakeTargetTexts(L"卒業式", -1, 999));
        ASSERT_TRUE(t.piecewise);
        const CountdownLayout& c = t.countdown;
        const TextExtent days{3 * c.daysFont.width, c.daysFont.height};
        EXPECT_EQ(c.DaysRect(days).left, width / 2);
        const Rect end = c.DaysEndRect(days);
        EXPECT_LE(end.left + 12 * c.smallFont.width, panel.right - 8) << width;
    }
}

TEST(TargetPanel, AnEmptyNameIsSizedAsOneByte)
{
    const TargetPanelLayout t = LayoutTargetPanel(RectFromSize(0, 84, 400, 84), MakeTargetTexts(L"", 3));
    ASSERT_TRUE(t.piecewise);
    EXPECT_EQ(t.countdown.nameFont.width, 304);
    EXPECT_EQ(t.countdown.madeFont.width, 152);
}

TEST(TargetPanel, SentenceFormsAreOneCentredLine)
{
    const Rect panel = RectFromSize(0, 84, 400, 84);
    // "本日は 卒業式 です" is 18 bytes.
    const TargetPanelLayout today = LayoutTargetPanel(panel, MakeTargetTexts(L"卒業式", 0));
    EXPECT_FALSE(today.piecewise);
    EXPECT_EQ(today.sentenceFont.height, 69);
    EXPECT_EQ(today.sentenceFont.width, 380 / 18);
    EXPECT_EQ(today.sentenceRect, panel);
    ExpectFrame(today.frames[0], FrameKind::Raised, R(8, 87, 392, 165));

    const TargetPanelLayout passed = LayoutTargetPanel(panel, MakeTargetTexts(L"卒業式", -1));
    EXPECT_FALSE(passed.piecewise);
    EXPECT_EQ(passed.sentenceFont.width, 380 / 21);

    const TargetTexts none = NoTargetTexts();
    const TargetPanelLayout hint = LayoutTargetPanel(panel, none);
    EXPECT_FALSE(hint.piecewise);
    EXPECT_GT(hint.sentenceFont.width, 0);
    EXPECT_EQ(hint.sentenceRect, panel);
}

TEST(LowerPanel, ListHasCaptionAndTwoFramePairs)
{
    const LowerPanelLayout l = LayoutLowerPanel(RectFromSize(20, 168, 359, 131), LowerContent::List);
    ASSERT_EQ(l.frames.size(), 2u);
    ExpectFrame(l.frames[0], FrameKind::Raised, R(20, 175, 379, 292));
    ExpectFrame(l.frames[1], FrameKind::Sunken, R(21, 176, 378, 291));
    EXPECT_EQ(l.caption, L" 今月の予定 ");
    EXPECT_EQ(l.captionX, 30);
    EXPECT_EQ(l.captionY, 168);
    EXPECT_EQ(l.captionBackground, kPlateGrey);
    ASSERT_EQ(l.innerFrames.size(), 2u);
    ExpectFrame(l.innerFrames[0], FrameKind::Sunken, R(30, 185, 369, 282));
    ExpectFrame(l.innerFrames[1], FrameKind::Sunken, R(31, 186, 368, 281));
    EXPECT_TRUE(l.showList);
    EXPECT_FALSE(l.showClock);
    EXPECT_EQ(l.listRect, RectFromSize(32, 187, 335, 93));
}

TEST(LowerPanel, ClockHasCaptionAndOuterFramesOnly)
{
    const LowerPanelLayout l = LayoutLowerPanel(RectFromSize(20, 168, 359, 131), LowerContent::Clock);
    ASSERT_EQ(l.frames.size(), 2u);
    ExpectFrame(l.frames[0], FrameKind::Raised, R(20, 175, 379, 292));
    EXPECT_EQ(l.caption, L" 只今の時間 ");
    EXPECT_TRUE(l.innerFrames.empty());
    EXPECT_FALSE(l.showList);
    EXPECT_TRUE(l.showClock);
    EXPECT_EQ(l.clockRect, RectFromSize(35, 186, 329, 95));
}

TEST(LowerPanel, PictureIsCentredInATwoPixelSunkenFrame)
{
    const LowerPanelLayout l = LayoutLowerPanel(RectFromSize(20, 168, 359, 131), LowerContent::Picture);
    EXPECT_EQ(l.pictureX, 74);
    EXPECT_EQ(l.pictureY, 181);
    ASSERT_EQ(l.frames.size(), 2u);
    ExpectFrame(l.frames[0], FrameKind::Sunken, R(72, 179, 325, 286));
    ExpectFrame(l.frames[1], FrameKind::Sunken, R(73, 180, 324, 285));
    EXPECT_TRUE(l.caption.empty());
    EXPECT_FALSE(l.showList);
    EXPECT_FALSE(l.showClock);

    // Narrower than the picture: a negative offset, halved toward zero.
    const LowerPanelLayout narrow = LayoutLowerPanel(RectFromSize(10, 0, 199, 103), LowerContent::Picture);
    EXPECT_EQ(narrow.pictureX, 10 - 25);
    EXPECT_EQ(narrow.pictureY, 0);
}

TEST(LowerPanel, ContentSetting)
{
    EXPECT_EQ(LowerContentFromSetting(1), LowerContent::List);
    EXPECT_EQ(LowerContentFromSetting(2), LowerContent::Clock);
    EXPECT_EQ(LowerContentFromSetting(0), LowerContent::Picture);
    EXPECT_EQ(LowerContentFromSetting(3), LowerContent::Picture);
    EXPECT_EQ(LowerContentFromSetting(-1), LowerContent::Picture);
}

TEST(FrameOutlines, LinesLeaveTheirEndPointsSoCornersStayOpen)
{
    const FrameOutline raised{FrameKind::Raised, R(10, 10, 20, 20)};
    EXPECT_EQ(FramePixel(raised, 10, 10), kWhite);
    EXPECT_EQ(FramePixel(raised, 19, 10), kWhite);
    EXPECT_EQ(FramePixel(raised, 10, 19), kWhite);
    EXPECT_EQ(FramePixel(raised, 20, 20), kFrameGrey);
    EXPECT_EQ(FramePixel(raised, 20, 11), kFrameGrey);
    EXPECT_EQ(FramePixel(raised, 11, 20), kFrameGrey);
    // The upper right and lower left corners are end points of every line there.
    EXPECT_FALSE(FramePixel(raised, 20, 10));
    EXPECT_FALSE(FramePixel(raised, 10, 20));
    EXPECT_FALSE(FramePixel(raised, 15, 15));
    EXPECT_FALSE(FramePixel(raised, 9, 10));

    const FrameOutline sunken{FrameKind::Sunken, R(10, 10, 20, 20)};
    EXPECT_EQ(FramePixel(sunken, 10, 10), kFrameGrey);
    EXPECT_EQ(FramePixel(sunken, 20, 20), kWhite);

    const auto lines = FrameLines(sunken);
    EXPECT_EQ(lines[0].colour, kFrameGrey);
    EXPECT_EQ(lines[2].x0, 20);
    EXPECT_EQ(lines[2].y0, 20);
}

TEST(FrameOutlines, ClientBorderIsLightAboveAndDarkBelow)
{
    const auto lines = ClientBorderLines(400, 300);
    EXPECT_EQ(lines[0].colour, kWhite);
    EXPECT_EQ(lines[1].colour, kWhite);
    EXPECT_EQ(lines[2].colour, kBlack);
    EXPECT_EQ(lines[3].colour, kBlack);
    EXPECT_EQ(lines[2].x0, 400);
    EXPECT_EQ(lines[2].y0, 300);
    EXPECT_EQ(lines[3].x1, 0);
    EXPECT_EQ(lines[3].y1, 300);
}

// Each frame of a pair starts where the lines of the one around it end (a line is
// `line` pixels at `dpi`), the list where the inner pair's end, and the list's
// columns fit it without a scroll bar.
namespace {

void ExpectFramesFlush(const Rect& panel, int clientWidth, int dpi, int line)
{
    SCOPED_TRACE(std::to_string(dpi) + " dpi");
    const auto flush = [line](const Rect& outer, const Rect& inner) {
        return inner.left == outer.left + line && inner.top == outer.top + line &&
               inner.right == outer.right - line && inner.bottom == outer.bottom - line;
    };
    const LowerPanelLayout list = LayoutLowerPanel(panel, LowerContent::List, dpi);
    EXPECT_TRUE(flush(list.frames[0].rc, list.frames[1].rc));
    EXPECT_TRUE(flush(list.innerFrames[0].rc, list.innerFrames[1].rc));
    EXPECT_TRUE(flush(list.innerFrames[1].rc, list.listRect));
    EXPECT_LE(MonthListColumnWidth(clientWidth, false, dpi) + ScaleToDpi(84, dpi), list.listRect.Width())
        << "the columns fit the list: no scroll bar";
    const LowerPanelLayout picture = LayoutLowerPanel(panel, LowerContent::Picture, dpi);
    EXPECT_TRUE(flush(picture.frames[0].rc, picture.frames[1].rc));
    EXPECT_EQ(picture.frames[1].rc.left, picture.pictureX - line) << "the picture's own frame";
    const TargetPanelLayout target = LayoutTargetPanel(panel, NoTargetTexts(), dpi);
    EXPECT_TRUE(flush(target.frames[0].rc, target.frames[1].rc));
}

}  // namespace

TEST(DpiLayout, FixedLengthsAndLinesScaleAndPicturesComeFromTheNearestLargerSet)
{
    EXPECT_EQ(ScaleToDpi(3, 144), 5) << "rounded half away from zero, as MulDiv";
    EXPECT_EQ(ScaleToDpi(-3, 144), -5);
    EXPECT_EQ(AssetSetForDpi(96), 0);
    EXPECT_EQ(AssetSetForDpi(120), 1) << "125 % takes the 150 % set, scaled down";
    EXPECT_EQ(AssetSetForDpi(144), 1);
    EXPECT_EQ(AssetSetForDpi(168), 2);
    EXPECT_EQ(AssetSetForDpi(288), 2);

    // At 200 % the window is twice as large and everything in it twice as far in.
    EXPECT_EQ(LeftStarRect(192), R(6, 30, 66, 110));
    EXPECT_EQ(RightStarRect(800, 192), R(734, 30, 794, 110));
    const LowerPanelLayout list = LayoutLowerPanel(R(40, 336, 760, 600), LowerContent::List, 192);
    EXPECT_EQ(list.listRect, R(64, 374, 736, 562));
    ASSERT_EQ(list.innerFrames.size(), 2u);
    EXPECT_EQ(list.innerFrames[0].rc, R(60, 370, 740, 566));
    EXPECT_EQ(list.innerFrames[1].rc, R(62, 372, 738, 564)) << "nested frames stay flush";
    EXPECT_EQ(list.innerFrames[0].thickness, 2);
    EXPECT_EQ(list.captionFont.height, 36);
    EXPECT_EQ(MonthListColumnWidth(800, true, 192), 719 - 248) << "0.9f x 800 truncates to 719";
    const LowerPanelLayout picture = LayoutLowerPanel(R(40, 336, 760, 600), LowerContent::Picture, 192);
    EXPECT_EQ(picture.pictureX, 40 + (720 - 500) / 2);
    EXPECT_EQ(picture.frames[0].rc, R(146, 360, 652, 574));
    const DatePanelLayout date = LayoutDatePanel(R(80, 0, 720, 168), L"今日は", 192);
    EXPECT_EQ(date.font.height, 168 - 102);
    EXPECT_EQ(date.textRect, R(120, 56, 680, 122));

    // At 150 % a line is two pixels.
    ExpectFramesFlush(R(30, 252, 570, 450), 600, 144, 2);
}

// 125 %: the fractions round one way or the other, and nothing may come apart.
TEST(DpiLayout, At125PercentBothStarsAreTheSizeOfTheirPicturesAndFramesStayFlush)
{
    const Rect left = LeftStarRect(120), right = RightStarRect(500, 120);
    EXPECT_EQ(left.Width(), ScaleToDpi(30, 120)) << "the star's picture is cut";
    EXPECT_EQ(left.Height(), ScaleToDpi(40, 120));
    EXPECT_EQ(right.Width(), left.Width());
    EXPECT_EQ(right.Height(), left.Height());
    EXPECT_EQ(500 - right.right, left.left) << "the two stars stand alike in from the edges";

    ExpectFramesFlush(R(25, 210, 475, 375), 500, 120, 1);
}
