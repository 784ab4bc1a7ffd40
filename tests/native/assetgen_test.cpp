// The asset generator's files: they must load as what they claim to be, carry the
// names and sizes the resource script and the drawing code rely on, and sound and
// look as the program expects (the shooting star's picture and mask agree, cursors
// point where their hot spot says, chimes do not clip or click).
#include "assetgen/Assets.h"
#include "assetgen/BmpFile.h"
#include "assetgen/Chime.h"
#include "assetgen/IconFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <set>
#include <string>

using namespace plover::assetgen;

namespace {

unsigned U16(const Bytes& bytes, std::size_t at)
{
    return bytes.at(at) | bytes.at(at + 1) << 8;
}

std::uint32_t U32(const Bytes& bytes, std::size_t at)
{
    return U16(bytes, at) | std::uint32_t(U16(bytes, at + 2)) << 16;
}

const std::map<std::string, Bytes>& Assets()
{
    static const std::map<std::string, Bytes> s_assets = [] {
        std::map<std::string, Bytes> assets;
        for (SAsset& asset : BuildAllAssets())
            assets.emplace(asset.strName, std::move(asset.bytes));
        return assets;
    }();
    return s_assets;
}

const Bytes& Asset(const std::string& strName)
{
    static const Bytes s_empty;
    const auto it = Assets().find(strName);
    return it == Assets().end() ? s_empty : it->second;
}

// A BMP file read back independently of the encoder; the header checks run as it reads.
struct SReadBmp
{
    int nWidth = 0;
    int nHeight = 0;
    int nBitCount = 0;
    std::vector<SColor> palette;
    std::vector<int> indices;

    SColor Color(int x, int y) const { return palette.at(indices.at(std::size_t(y) * nWidth + x)); }
    bool HasColor(SColor color) const
    {
        return std::find(palette.begin(), palette.end(), color) != palette.end();
    }
};

SReadBmp ReadBmp(const Bytes& bytes)
{
    SReadBmp bmp;
    if (bytes.size() < 54) {
        ADD_FAILURE() << "too short for a BMP: " << bytes.size();
        return bmp;
    }
    EXPECT_EQ('B', bytes[0]);
    EXPECT_EQ('M', bytes[1]);
    EXPECT_EQ(bytes.size(), U32(bytes, 2));
    EXPECT_EQ(40u, U32(bytes, 14));
    EXPECT_EQ(1u, U16(bytes, 26));
    EXPECT_EQ(0u, U32(bytes, 30)) << "compressed";
    bmp.nWidth = int(U32(bytes, 18));
    bmp.nHeight = int(U32(bytes, 22));
    bmp.nBitCount = int(U16(bytes, 28));
    const std::uint32_t nColors = U32(bytes, 46) ? U32(bytes, 46) : 1u << bmp.nBitCount;
    const std::uint32_t nOffset = U32(bytes, 10);
    const std::uint32_t nStride = (bmp.nWidth * bmp.nBitCount + 31) / 32 * 4;
    EXPECT_EQ(54 + 4 * nColors, nOffset);
    EXPECT_EQ(nOffset + nStride * bmp.nHeight, bytes.size()) << "rows not padded to 32 bits";
    if (nOffset + nStride * bmp.nHeight != bytes.size())
        return SReadBmp{};
    for (std::uint32_t i = 0; i < nColors; ++i) {
        const std::size_t at = 54 + 4 * i;
        bmp.palette.push_back(SColor{bytes[at + 2], bytes[at + 1], bytes[at]});
    }
    for (int y = 0; y < bmp.nHeight; ++y) {
        const std::size_t nRow = nOffset + std::size_t(bmp.nHeight - 1 - y) * nStride;
        for (int x = 0; x < bmp.nWidth; ++x) {
            const int nBit = x * bmp.nBitCount;
            const int nShift = 8 - bmp.nBitCount - nBit % 8;
            bmp.indices.push_back((bytes[nRow + nBit / 8] >> nShift) & ((1 << bmp.nBitCount) - 1));
        }
    }
    return bmp;
}

// One picture of an icon or cursor file, with its directory entry.
struct SReadIconImage
{
    int nWidth = 0;
    int nHeight = 0;
    int nBitCount = 0;
    unsigned nField1 = 0;  // planes (icon) or hot spot x (cursor)
    unsigned nField2 = 0;  // bit count (icon) or hot spot y (cursor)
    unsigned nColorCount = 0;
    std::vector<std::uint32_t> colors;  // palette colour or BGRA value per pixel, as 0xAARRGGBB
    std::vector<int> andBits;

    bool IsOpaque(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < nWidth && y < nHeight && !andBits[std::size_t(y) * nWidth + x];
    }
};

std::vector<SReadIconImage> ReadIconFile(const Bytes& bytes, unsigned nType)
{
    std::vector<SReadIconImage> images;
    if (bytes.size() < 6) {
        ADD_FAILURE() << "too short for an icon file";
        return images;
    }
    EXPECT_EQ(0u, U16(bytes, 0));
    EXPECT_EQ(nType, U16(bytes, 2));
    const unsigned nCount = U16(bytes, 4);
    std::size_t nExpectedOffset = 6 + 16 * nCount;
    for (unsigned i = 0; i < nCount; ++i) {
        const std::size_t e = 6 + 16 * i;
        SReadIconImage image;
        image.nWidth = bytes.at(e);
        image.nHeight = bytes.at(e + 1);
        image.nColorCount = bytes.at(e + 2);
        image.nField1 = U16(bytes, e + 4);
        image.nField2 = U16(bytes, e + 6);
        const std::uint32_t nSize = U32(bytes, e + 8);
        const std::uint32_t nOffset = U32(bytes, e + 12);
        EXPECT_EQ(nExpectedOffset, nOffset) << "image " << i << " does not follow the previous one";
        EXPECT_LE(std::size_t(nOffset) + nSize, bytes.size());
        if (std::size_t(nOffset) + nSize > bytes.size() || nSize < 40)
            return {};
        nExpectedOffset = nOffset + nSize;

        EXPECT_EQ(40u, U32(bytes, nOffset));
        EXPECT_EQ(std::uint32_t(image.nWidth), U32(bytes, nOffset + 4));
        EXPECT_EQ(std::uint32_t(image.nHeight * 2), U32(bytes, nOffset + 8));
        image.nBitCount = int(U16(bytes, nOffset + 14));
        EXPECT_EQ(image.nBitCount < 8 ? 1u << image.nBitCount : 0u, image.nColorCount);
        const std::uint32_t nPalette = image.nBitCount < 8 ? 1u << image.nBitCount : 0u;
        const std::uint32_t nXorStride = (image.nWidth * image.nBitCount + 31) / 32 * 4;
        const std::uint32_t nAndStride = (image.nWidth + 31) / 32 * 4;
        EXPECT_EQ(40 + 4 * nPalette + (nXorStride + nAndStride) * image.nHeight, nSize);
        if (40 + 4 * nPalette + (nXorStride + nAndStride) * image.nHeight != nSize)
            return {};

        const std::size_t nXor = nOffset + 40 + 4 * nPalette;
        const std::size_t nAnd = nXor + std::size_t(nXorStride) * image.nHeight;
        for (int y = 0; y < image.nHeight; ++y) {
            const int nRow = image.nHeight - 1 - y;
            for (int x = 0; x < image.nWidth; ++x) {
                if (image.nBitCount == 32) {
                    image.colors.push_back(U32(bytes, nXor + std::size_t(nRow) * nXorStride + 4 * x));
                } else {
                    const int nBit = x * image.nBitCount;
                    const int nIndex = (bytes[nXor + std::size_t(nRow) * nXorStride + nBit / 8] >>
                                        (8 - image.nBitCount - nBit % 8)) & ((1 << image.nBitCount) - 1);
                    image.colors.push_back(U32(bytes, nOffset + 40 + 4 * nIndex) & 0xFFFFFF);
                }
                image.andBits.push_back((bytes[nAnd + std::size_t(nRow) * nAndStride + x / 8] >> (7 - x % 8)) & 1);
            }
        }
        images.push_back(image);
    }
    return images;
}

bool IsOpaqueNear(const SReadIconImage& image, int x, int y, int nRadius)
{
    for (int dy = -nRadius; dy <= nRadius; ++dy) {
        for (int dx = -nRadius; dx <= nRadius; ++dx) {
            if (image.IsOpaque(x + dx, y + dy))
                return true;
        }
    }
    return false;
}

std::string Name(const char* pszPrefix, int nId, const char* pszExt)
{
    return pszPrefix + std::to_string(nId) + pszExt;
}

}  // namespace

TEST(AssetgenBmp, RowsArePackedAndPaddedForEveryBitCountAndWidth)
{
    for (int nBitCount : {1, 4, 8}) {
        for (int nWidth : {1, 3, 7, 9, 33}) {
            SIndexedImage image;
            image.nWidth = nWidth;
            image.nHeight = 3;
            image.palette.assign(VgaPalette().begin(), VgaPalette().end());
            for (int i = 0; i < nWidth * 3; ++i)
                image.indices.push_back(std::uint8_t((i * 7 + i / nWidth) % (nBitCount == 1 ? 2 : 16)));
            const SReadBmp bmp = ReadBmp(EncodeBmp(image, nBitCount));
            SCOPED_TRACE(std::to_string(nBitCount) + " bits, width " + std::to_string(nWidth));
            EXPECT_EQ(nWidth, bmp.nWidth);
            EXPECT_EQ(3, bmp.nHeight);
            EXPECT_EQ(nBitCount, bmp.nBitCount);
            ASSERT_EQ(image.indices.size(), bmp.indices.size());
            for (std::size_t i = 0; i < image.indices.size(); ++i)
                EXPECT_EQ(image.indices[i], bmp.indices[i]) << "pixel " << i;
            EXPECT_EQ(image.palette[1], bmp.palette.at(1));
            if (nBitCount > 1)
                EXPECT_EQ(vga::kYellow, bmp.palette.at(11));
        }
    }
}

TEST(AssetgenFiles, EveryFileTheResourcesIncludeIsWrittenOnce)
{
    std::vector<std::string> names = {"plover.ico", "Plover.wav", "PloverExit.wav", "PloverVer.wav"};
    for (int id : {110, 114, 115, 116, 117, 118, 119, 120, 121, 123, 125, 149})
        names.push_back(Name("bmp", id, ".bmp"));
    for (int id = 137; id <= 148; ++id)
        names.push_back(Name("bmp", id, ".bmp"));
    for (int id = 122; id <= 136; ++id)  // the zodiac pictures, among the stars' frames
        if (id != 123 && id != 125 && id != 130)
            names.push_back(Name("bmp", id, ".bmp"));
    for (int id : {145, 146, 147, 148, 149, 150, 156, 157, 158, 159, 160, 161})
        names.push_back(Name("cur", id, ".cur"));
    // Every picture and cursor again at 150 % and 200 %.
    const std::size_t nOneSet = names.size() - 4;
    for (int nStep : {ID_ASSET_SET_STEP, 2 * ID_ASSET_SET_STEP}) {
        for (std::size_t i = 4; i < 4 + nOneSet; ++i) {
            const std::string& strName = names[i];
            const int id = std::stoi(strName.substr(3));
            names.push_back(Name(strName.substr(0, 3).c_str(), id + nStep, strName.substr(strName.size() - 4).c_str()));
        }
    }
    for (const std::string& strName : names)
        EXPECT_FALSE(Asset(strName).empty()) << strName;
    EXPECT_EQ(names.size(), Assets().size());
    EXPECT_EQ(Assets().size(), BuildAllAssets().size()) << "a name is written twice";
}

TEST(AssetgenStars, FramesTurnTheStarOnGreyInsideTheVisibleColumns)
{
    // Width of the star's face frame by frame: a half turn narrows it to nothing at
    // the edge-on frame 6 and widens it again.
    std::vector<int> widths;
    for (int id : kRollStarBitmapIds) {
        SCOPED_TRACE(id);
        const SReadBmp bmp = ReadBmp(Asset(Name("bmp", id, ".bmp")));
        ASSERT_EQ(32, bmp.nWidth);
        ASSERT_EQ(30, bmp.nHeight);
        EXPECT_EQ(4, bmp.nBitCount);
        EXPECT_TRUE(bmp.HasColor(vga::kSilver));
        EXPECT_TRUE(bmp.HasColor(vga::kYellow));
        EXPECT_TRUE(bmp.HasColor(vga::kOlive));
        int nYellow = 0;
        for (int y = 0; y < bmp.nHeight; ++y) {
            for (int x = 0; x < bmp.nWidth; ++x) {
                const SColor c = bmp.Color(x, y);
                // The star window is 30 pixels wide: columns 30 and 31 are never seen.
                if (x >= 30)
                    EXPECT_EQ(vga::kSilver, c) << x << "," << y;
                // Specks twinkle in the corners; the star's face is what counts.
                nYellow += c == vga::kYellow && x >= 6 && x < 24;
            }
        }
        EXPECT_EQ(vga::kSilver, bmp.Color(0, 0));
        EXPECT_EQ(vga::kSilver, bmp.Color(29, 29));
        // The arms' row, clear of the specks in the corners.
        int nLeft = 32, nRight = -1;
        for (int x = 0; x < 30; ++x) {
            if (bmp.Color(x, 12) == vga::kYellow) {
                nLeft = std::min(nLeft, x);
                nRight = x;
            }
        }
        widths.push_back(std::max(0, nRight - nLeft + 1));
        if (id == 119)
            EXPECT_EQ(0, nYellow) << "edge on shows only the edge";
        else
            EXPECT_GT(nYellow, 40);
    }
    ASSERT_EQ(10u, widths.size());
    for (int i = 0; i < 5; ++i)
        EXPECT_GT(widths[i], widths[i + 1]) << "frame " << i + 1;
    for (int i = 5; i < 9; ++i)
        EXPECT_LT(widths[i], widths[i + 1]) << "frame " << i + 1;
    EXPECT_LE(std::abs(widths[9] - widths[1]), 1) << "frame 10 mirrors frame 2";
    EXPECT_GE(widths[0], 24);
}

TEST(AssetgenSets, EachPictureIsDrawnAfreshAtEachScale)
{
    // Sizes at 150 % and 200 %, and a star of twice the width at 200 % that is not
    // the 100 % one with each pixel doubled (which would be the blur of stretching
    // with hard steps instead).
    const auto armWidth = [](const SReadBmp& bmp, int y) {
        int nLeft = bmp.nWidth, nRight = -1;
        for (int x = 0; x < bmp.nWidth; ++x) {
            if (bmp.Color(x, y) == vga::kYellow) {
                nLeft = std::min(nLeft, x);
                nRight = x;
            }
        }
        return std::max(0, nRight - nLeft + 1);
    };
    const SReadBmp base = ReadBmp(Asset(Name("bmp", IDB_ROLL_STAR_1, ".bmp")));
    for (int nSet : {1, 2}) {
        SCOPED_TRACE(nSet);
        const double dScale = kAssetSetScales[nSet];
        const int nStep = nSet * ID_ASSET_SET_STEP;
        for (int id : {IDB_ROLL_STAR_1, IDB_SHOOTING_STAR, IDB_SHOOTING_STAR_MASK, IDB_PREVIEW_HEART_COLOR,
                       IDB_ZODIAC_LIBRA}) {
            const SReadBmp one = ReadBmp(Asset(Name("bmp", id, ".bmp")));
            const SReadBmp scaled = ReadBmp(Asset(Name("bmp", id + nStep, ".bmp")));
            EXPECT_EQ(std::lround(one.nWidth * dScale), scaled.nWidth) << id;
            EXPECT_EQ(std::lround(one.nHeight * dScale), scaled.nHeight) << id;
            EXPECT_EQ(one.nBitCount, scaled.nBitCount) << id;
        }
        const SReadBmp frame = ReadBmp(Asset(Name("bmp", IDB_ROLL_STAR_1 + nStep, ".bmp")));
        EXPECT_NEAR(armWidth(base, 12) * dScale, armWidth(frame, static_cast<int>(12 * dScale)), 2.5);
        const SReadBmp picture = ReadBmp(Asset(Name("bmp", kShootingStarBitmapId + nStep, ".bmp")));
        const SReadBmp mask = ReadBmp(Asset(Name("bmp", kShootingStarMaskBitmapId + nStep, ".bmp")));
        for (int y = 0; y < picture.nHeight; ++y) {
            for (int x = 0; x < picture.nWidth; ++x)
                ASSERT_EQ(mask.Color(x, y) == vga::kWhite, picture.Color(x, y) == vga::kBlack) << x << "," << y;
        }
    }
    const SReadBmp twice = ReadBmp(Asset(Name("bmp", IDB_ROLL_STAR_1 + 2 * ID_ASSET_SET_STEP, ".bmp")));
    int nDiffering = 0;
    for (int y = 0; y < twice.nHeight; ++y) {
        for (int x = 0; x < twice.nWidth; ++x)
            nDiffering += twice.Color(x, y) != base.Color(x / 2, y / 2);
    }
    EXPECT_GT(nDiffering, 20) << "the 200 % star is the 100 % one stretched";
}

TEST(AssetgenStars, ShootingStarPictureIsBlackExactlyWhereItsMaskIsWhite)
{
    const SReadBmp picture = ReadBmp(Asset(Name("bmp", kShootingStarBitmapId, ".bmp")));
    const SReadBmp mask = ReadBmp(Asset(Name("bmp", kShootingStarMaskBitmapId, ".bmp")));
    ASSERT_EQ(32, picture.nWidth);
    ASSERT_EQ(30, picture.nHeight);
    ASSERT_EQ(picture.nWidth, mask.nWidth);
    ASSERT_EQ(picture.nHeight, mask.nHeight);
    EXPECT_EQ(4, picture.nBitCount);
    int nStar = 0;
    for (int y = 0; y < picture.nHeight; ++y) {
        for (int x = 0; x < picture.nWidth; ++x) {
            const SColor m = mask.Color(x, y);
            const SColor p = picture.Color(x, y);
            ASSERT_TRUE(m == vga::kBlack || m == vga::kWhite) << x << "," << y;
            if (m == vga::kWhite) {
                EXPECT_EQ(vga::kBlack, p) << x << "," << y;
            } else {
                EXPECT_EQ(vga::kYellow, p) << x << "," << y;
                // The view composes only the first 31 x 29 pixels.
                EXPECT_LT(x, 31);
                EXPECT_LT(y, 29);
                ++nStar;
            }
        }
    }
    EXPECT_GT(nStar, 150);
}

TEST(AssetgenCursors, DirectoriesHotSpotsAndMasksAgreeWithTheImages)
{
    const int monoIds[] = {156, 157, 158, 159, 160, 161};
    const int colorIds[] = {145, 146, 147, 148, 149, 150};
    for (int i = 0; i < 6; ++i) {
        for (int id : {monoIds[i], colorIds[i]}) {
            SCOPED_TRACE(id);
            const std::vector<SReadIconImage> images = ReadIconFile(Asset(Name("cur", id, ".cur")), 2);
            const bool bMono = id >= 156;
            ASSERT_EQ(bMono ? 1u : 2u, images.size());
            for (const SReadIconImage& image : images) {
                EXPECT_EQ(32, image.nWidth);
                EXPECT_EQ(32, image.nHeight);
                if (bMono)
                    EXPECT_EQ(1, image.nBitCount);
                EXPECT_EQ(images[0].nField1, image.nField1) << "images disagree on the hot spot";
                EXPECT_EQ(images[0].nField2, image.nField2);
                const int x = int(image.nField1);
                const int y = int(image.nField2);
                ASSERT_LT(x, 32);
                ASSERT_LT(y, 32);
                EXPECT_TRUE(IsOpaqueNear(image, x, y, 1)) << "hot spot " << x << "," << y << " off the picture";
                int nOpaque = 0;
                for (std::size_t p = 0; p < image.andBits.size(); ++p) {
                    // Colour under a set AND bit would invert the screen there.
                    if (image.andBits[p])
                        EXPECT_EQ(0u, image.colors[p]) << "pixel " << p;
                    else
                        ++nOpaque;
                }
                EXPECT_GT(nOpaque, 60);
                EXPECT_LT(nOpaque, 32 * 32 * 3 / 4);
            }
            if (!bMono) {
                EXPECT_EQ(4, images[0].nBitCount);
                EXPECT_EQ(32, images[1].nBitCount);
            }
        }
    }
}

TEST(AssetgenCursors, PreviewsAre33By32OnGreyInColourOrBlackAndWhite)
{
    // Colour previews, then black and white ones, in the same order of motifs.
    const int colorIds[] = {142, 137, 138, 139, 140, 141};
    const int monoIds[] = {143, 144, 145, 146, 147, 148};
    for (int i = 0; i < 6; ++i) {
        for (int id : {colorIds[i], monoIds[i]}) {
            SCOPED_TRACE(id);
            const SReadBmp bmp = ReadBmp(Asset(Name("bmp", id, ".bmp")));
            ASSERT_EQ(33, bmp.nWidth);
            ASSERT_EQ(32, bmp.nHeight);
            EXPECT_EQ(4, bmp.nBitCount);
            EXPECT_EQ(kCursorPreviewBackground, bmp.Color(0, 31));
            std::set<std::uint32_t> colors;
            for (int y = 0; y < bmp.nHeight; ++y) {
                for (int x = 0; x < bmp.nWidth; ++x) {
                    const SColor c = bmp.Color(x, y);
                    colors.insert(std::uint32_t(c.r) << 16 | c.g << 8 | c.b);
                }
            }
            const bool bMono = id >= 143;
            for (std::uint32_t c : colors) {
                if (bMono)
                    EXPECT_TRUE(c == 0 || c == 0xFFFFFF || c == 0xC0C0C0) << std::hex << c;
            }
            EXPECT_GE(colors.size(), bMono ? 3u : 4u);
        }
    }
}

TEST(AssetgenIcon, HoldsLargeAndSmallStarsInBothDepths)
{
    const std::vector<SReadIconImage> images = ReadIconFile(Asset("plover.ico"), 1);
    std::set<std::pair<int, int>> kinds;
    for (const SReadIconImage& image : images) {
        EXPECT_EQ(1u, image.nField1) << "planes";
        EXPECT_EQ(unsigned(image.nBitCount), image.nField2);
        EXPECT_TRUE(IsOpaqueNear(image, image.nWidth / 2, image.nHeight / 2, 0)) << "no star in the middle";
        EXPECT_FALSE(image.IsOpaque(0, image.nHeight - 1)) << "corner not transparent";
        kinds.insert({image.nWidth, image.nBitCount});
    }
    EXPECT_EQ((std::set<std::pair<int, int>>{{16, 4}, {16, 32}, {20, 32}, {24, 32}, {32, 4}, {32, 32},
                                             {48, 32}, {64, 32}}),
              kinds);
}

TEST(AssetgenSounds, WavHeadersMatchTheirDataAndChimesNeitherClipNorClick)
{
    for (const char* pszName : {"Plover.wav", "PloverExit.wav", "PloverVer.wav"}) {
        SCOPED_TRACE(pszName);
        const Bytes& wav = Asset(pszName);
        ASSERT_GE(wav.size(), 44u);
        EXPECT_LT(wav.size(), 60u * 1024);
        EXPECT_EQ(0, std::string(wav.begin(), wav.begin() + 4).compare("RIFF"));
        EXPECT_EQ(wav.size() - 8, U32(wav, 4));
        EXPECT_EQ(0, std::string(wav.begin() + 8, wav.begin() + 16).compare("WAVEfmt "));
        EXPECT_EQ(16u, U32(wav, 16));
        EXPECT_EQ(1u, U16(wav, 20)) << "PCM";
        EXPECT_EQ(1u, U16(wav, 22)) << "mono";
        EXPECT_EQ(22050u, U32(wav, 24));
        EXPECT_EQ(44100u, U32(wav, 28));
        EXPECT_EQ(2u, U16(wav, 32));
        EXPECT_EQ(16u, U16(wav, 34));
        EXPECT_EQ(0, std::string(wav.begin() + 36, wav.begin() + 40).compare("data"));
        const std::uint32_t nData = U32(wav, 40);
        ASSERT_EQ(wav.size() - 44, nData);
        const double dSeconds = nData / 2 / 22050.0;
        EXPECT_GE(dSeconds, 0.4);
        EXPECT_LE(dSeconds, 1.2);

        const std::size_t nSamples = nData / 2;
        int nPeak = 0;
        for (std::size_t i = 0; i < nSamples; ++i)
            nPeak = std::max(nPeak, std::abs(int(std::int16_t(U16(wav, 44 + 2 * i)))));
        EXPECT_LT(nPeak, 32767) << "clipped";
        EXPECT_GT(nPeak, 8000) << "too quiet to hear";
        // Starting or ending away from zero is heard as a click.
        EXPECT_LT(std::abs(int(std::int16_t(U16(wav, 44)))), 100);
        EXPECT_LT(std::abs(int(std::int16_t(U16(wav, 44 + 2 * (nSamples - 1))))), 100);
    }
}

TEST(AssetgenChime, CrowdedNotesAreScaledDownRatherThanClipped)
{
    std::vector<SChimeNote> notes;
    for (int i = 0; i < 12; ++i)
        notes.push_back(SChimeNote{0.01 * (i % 3), 440.0 * (1 + i % 4), 5.0});
    const std::vector<std::int16_t> samples = SynthesizeChime(notes, 0.5, 1.0);
    ASSERT_EQ(std::size_t(0.5 * kChimeSampleRate), samples.size());
    int nPeak = 0;
    for (std::int16_t s : samples) {
        EXPECT_NE(-32768, s);
        nPeak = std::max(nPeak, std::abs(int(s)));
    }
    EXPECT_GE(nPeak, 32000);

    EXPECT_TRUE(SynthesizeChime({}, 0.0, 0.7).empty());
    for (std::int16_t s : SynthesizeChime({}, 0.1, 0.7))
        EXPECT_EQ(0, s) << "silence must stay silent";
}
