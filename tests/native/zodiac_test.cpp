// The zodiac guide's table and the pictures the asset generator draws for it: each
// month finds its sign and a picture that exists, and each picture is a 16-colour
// bitmap of the size the dialog has room for, with something on it, unlike every
// other, its stars sized by their brightness.
#include "assetgen/Assets.h"
#include "assetgen/ZodiacPictures.h"
#include "astro/ZodiacTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "resource.h"

using namespace plover;
using namespace plover::assetgen;

namespace {

// A little-endian field of `size` bytes of a file's header.
std::uint32_t Field(const Bytes& bytes, std::size_t at, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | bytes.at(at + i);
    return value;
}

std::map<std::string, Bytes> ZodiacFiles()
{
    std::map<std::string, Bytes> files;
    for (SAsset& asset : BuildZodiacAssets())
        files.emplace(asset.strName, std::move(asset.bytes));
    return files;
}

// Stars and their rims; sky, specks, lines and glows come before them in the palette.
bool IsStarInk(SColor color)
{
    const Palette16& palette = ZodiacPalette();
    const auto firstInk = std::find(palette.begin(), palette.end(), SColor{170, 178, 205});
    return std::find(firstInk, palette.end(), color) != palette.end();
}

// Star ink in the 5 x 5 square around `at`.
int StarInkAround(const CCanvas& canvas, SPoint at)
{
    int nInk = 0;
    for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx)
            nInk += IsStarInk(canvas.GetPixel(int(at.x) + dx, int(at.y) + dy));
    }
    return nInk;
}

}  // namespace

TEST(ZodiacTable, EachMonthHasItsSignAndNoOtherMonthHasOne)
{
    const ZodiacRow* january = ZodiacForMonth(1);
    ASSERT_NE(january, nullptr);
    EXPECT_STREQ(january->name, L"山羊座");
    EXPECT_EQ(january->bitmap, 122);
    EXPECT_STREQ(january->description, L"鷲座アルタイルの南にある、大きな逆三角形の形をした星座。");
    const ZodiacRow* july = ZodiacForMonth(7);
    ASSERT_NE(july, nullptr);
    EXPECT_STREQ(july->name, L"蟹座");
    EXPECT_EQ(july->bitmap, 133);
    const ZodiacRow* october = ZodiacForMonth(10);
    ASSERT_NE(october, nullptr);
    EXPECT_STREQ(october->name, L"天秤座");
    EXPECT_EQ(october->bitmap, 136);
    EXPECT_STREQ(ZodiacForMonth(6)->description,
                 L"オリオン座ﾍﾞﾃﾙｷﾞｳｽ・子犬座ﾌﾟﾛｷｵﾝと直角三角形を作る位置にある。");
    for (int month : {0, 13, -1})
        EXPECT_EQ(ZodiacForMonth(month), nullptr) << month;

    // Every month's picture is one the generator draws, and no two months share one.
    std::set<int> drawn;
    for (const SZodiacPictureSize& picture : kZodiacPictures)
        drawn.insert(picture.nBitmapId);
    std::set<int> used;
    for (int month = 1; month <= 12; ++month) {
        EXPECT_EQ(ZodiacForMonth(month)->month, month);
        EXPECT_TRUE(drawn.count(ZodiacForMonth(month)->bitmap)) << month;
        used.insert(ZodiacForMonth(month)->bitmap);
    }
    EXPECT_EQ(used.size(), 12u);
}

TEST(ZodiacPictures, AreSixteenColourBitmapsOfTheirSizesEachItsOwnFigure)
{
    const std::map<int, std::pair<int, int>> sizes = {
        {IDB_ZODIAC_CAPRICORNUS, {175, 90}}, {IDB_ZODIAC_AQUARIUS, {174, 90}},
        {IDB_ZODIAC_PISCES, {176, 90}},      {IDB_ZODIAC_ARIES, {176, 90}},
        {IDB_ZODIAC_TAURUS, {176, 90}},      {IDB_ZODIAC_GEMINI, {176, 90}},
        {IDB_ZODIAC_CANCER, {176, 90}},      {IDB_ZODIAC_LEO, {176, 90}},
        {IDB_ZODIAC_VIRGO, {176, 90}},       {IDB_ZODIAC_LIBRA, {175, 89}},
        {IDB_ZODIAC_SCORPIUS, {176, 90}},    {IDB_ZODIAC_SAGITTARIUS, {176, 90}}};
    const std::map<std::string, Bytes> files = ZodiacFiles();
    ASSERT_EQ(files.size(), 3 * sizes.size()) << "at 100 %, 150 % and 200 %";
    std::set<Bytes> distinct;
    for (const auto& [id, size] : sizes) {
        SCOPED_TRACE(id);
        const auto file = files.find("bmp" + std::to_string(id) + ".bmp");
        ASSERT_NE(file, files.end());
        const Bytes& bmp = file->second;
        ASSERT_GE(bmp.size(), 118u);
        EXPECT_EQ(int(Field(bmp, 18, 4)), size.first);
        EXPECT_EQ(int(Field(bmp, 22, 4)), size.second);
        EXPECT_EQ(Field(bmp, 28, 2), 4u) << "bits per pixel";
        EXPECT_EQ(Field(bmp, 10, 4), 54u + 16 * 4) << "a full 16-entry palette";
        distinct.insert(bmp);

        const CCanvas canvas = DrawZodiacPicture(id);
        std::set<int> inks;
        int nStarPixels = 0;
        for (int y = 0; y < canvas.Height(); ++y) {
            for (int x = 0; x < canvas.Width(); ++x) {
                const SColor c = canvas.GetPixel(x, y);
                const auto at = std::find(ZodiacPalette().begin(), ZodiacPalette().end(), c);
                ASSERT_NE(at, ZodiacPalette().end()) << "off the palette at " << x << "," << y;
                inks.insert(int(at - ZodiacPalette().begin()));
                nStarPixels += IsStarInk(c);
            }
        }
        EXPECT_GE(inks.size(), 8u) << "sky, lines and stars";
        EXPECT_GE(nStarPixels, 20);

        const std::vector<SDrawnStar> stars = ZodiacFigureStars(id);
        ASSERT_GE(stars.size(), 5u);
        const auto [faintest, brightest] = std::minmax_element(
            stars.begin(), stars.end(),
            [](const SDrawnStar& a, const SDrawnStar& b) { return a.dMagnitude > b.dMagnitude; });
        EXPECT_GT(StarInkAround(canvas, brightest->at), StarInkAround(canvas, faintest->at));
        for (const SDrawnStar& star : stars) {
            EXPECT_GE(star.at.x, 3) << "a star at the edge";
            EXPECT_LE(star.at.x, canvas.Width() - 3);
            EXPECT_GE(star.at.y, 3);
            EXPECT_LE(star.at.y, canvas.Height() - 3);
        }
    }
    EXPECT_EQ(distinct.size(), sizes.size()) << "two pictures alike";
}
