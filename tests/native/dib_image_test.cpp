#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#ifdef PLOVER_HAVE_PNG
#include <png.h>
#endif

#include "objects/DibImage.h"

using namespace plover;

namespace {

namespace fs = std::filesystem;

// ---- In-memory BMP files -------------------------------------------------------------

struct BmpParts {
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t bitCount = 8;
    std::uint32_t compression = 0;
    std::uint32_t headerSize = 40;
    std::uint32_t colorsUsed = 0;
    std::uint32_t sizeImage = 0;
    std::vector<std::uint32_t> masks;  // after a 40-byte header, else inside the header
    std::vector<RgbColour> table;      // entries as written
    std::vector<std::uint8_t> pixels;
    long long offBits = -1;            // -1: where the pixels really start
};

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

std::vector<std::uint8_t> MakeBmp(const BmpParts& p)
{
    std::vector<std::uint8_t> info;
    Put32(info, p.headerSize);
    if (p.headerSize == 12) {
        Put16(info, static_cast<std::uint32_t>(p.width));
        Put16(info, static_cast<std::uint32_t>(p.height));
        Put16(info, 1);
        Put16(info, p.bitCount);
    } else {
        Put32(info, static_cast<std::uint32_t>(p.width));
        Put32(info, static_cast<std::uint32_t>(p.height));
        Put16(info, 1);
        Put16(info, p.bitCount);
        Put32(info, p.compression);
        Put32(info, p.sizeImage);
        Put32(info, 2835);
        Put32(info, 2835);
        Put32(info, p.colorsUsed);
        Put32(info, 0);
        if (p.headerSize > 40)
            for (std::uint32_t mask : p.masks)
                Put32(info, mask);
        if (p.headerSize >= 40)
            info.resize(p.headerSize, 0);
        if (p.headerSize == 40)
            for (std::uint32_t mask : p.masks)
                Put32(info, mask);
    }
    for (const RgbColour& c : p.table) {
        info.push_back(static_cast<std::uint8_t>(c.blue));
        info.push_back(static_cast<std::uint8_t>(c.green));
        info.push_back(static_cast<std::uint8_t>(c.red));
        if (p.headerSize != 12)
            info.push_back(0);
    }
    const std::uint32_t pixelsAt = static_cast<std::uint32_t>(14 + info.size());
    std::vector<std::uint8_t> file = {'B', 'M'};
    Put32(file, static_cast<std::uint32_t>(pixelsAt + p.pixels.size()));
    Put32(file, 0);
    Put32(file, p.offBits < 0 ? pixelsAt : static_cast<std::uint32_t>(p.offBits));
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), p.pixels.begin(), p.pixels.end());
    return file;
}

// A table whose every entry differs from the others and from black.
std::vector<RgbColour> DistinctTable(int count)
{
    std::vector<RgbColour> table;
    for (int k = 0; k < count; ++k)
        table.push_back(RgbColour{(k * 37 + 11) & 255, (k * 91 + 200) & 255, 255 - k});
    return table;
}

RgbColour PixelAt(const CDibImage& image, int x, int y)
{
    const std::size_t at = (static_cast<std::size_t>(y) * image.GetWidth() + x) * 4;
    const std::uint8_t* p = image.GetBits() + at;
    return RgbColour{p[2], p[1], p[0]};
}

std::string Text(const RgbColour& c)
{
    return "(" + std::to_string(c.red) + "," + std::to_string(c.green) + "," +
           std::to_string(c.blue) + ")";
}

// Whatever a picture held, these hold for what the loader hands out.
void ExpectSound(const CDibImage& image, DibLoadResult result)
{
    if (result == DibLoadResult::Refused) {
        EXPECT_TRUE(image.IsEmpty());
        EXPECT_EQ(image.GetWidth(), 0);
        EXPECT_EQ(image.GetHeight(), 0);
        EXPECT_EQ(image.GetPaletteSize(), 0);
        return;
    }
    ASSERT_GT(image.GetWidth(), 0);
    ASSERT_GT(image.GetHeight(), 0);
    ASSERT_EQ(image.GetBitsSize(), std::size_t(image.GetWidth()) * image.GetHeight() * 4);
    for (std::size_t i = 3; i < image.GetBitsSize(); i += 4)
        ASSERT_EQ(image.GetBits()[i], 0) << "fourth byte of pixel " << i / 4;
}

DibLoadResult LoadBytes(CDibImage& image, const std::vector<std::uint8_t>& bytes)
{
    const DibLoadResult result = image.Load(bytes.data(), bytes.size());
    ExpectSound(image, result);
    return result;
}

// ---- Test pictures on disk -----------------------------------------------------------

fs::path SuiteDir(const char* group)
{
    return fs::path(PLOVER_TEST_DATA) / "bmpsuite" / group;
}

std::vector<std::uint8_t> ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::vector<fs::path> BmpFiles(const char* group)
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(SuiteDir(group)))
        if (entry.path().extension() == ".bmp")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

#ifdef PLOVER_HAVE_PNG
struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
};

bool ReadPng(const fs::path& path, RgbPicture& picture)
{
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.string().c_str()))
        return false;
    png.format = PNG_FORMAT_RGB;
    // Otherwise 16-bit references would be taken as linear light and brightened.
    png.flags |= PNG_IMAGE_FLAG_16BIT_sRGB;
    picture.width = static_cast<int>(png.width);
    picture.height = static_cast<int>(png.height);
    picture.rgb.resize(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, picture.rgb.data(), 0, nullptr)) {
        png_image_free(&png);
        return false;
    }
    return true;
}

struct Reference {
    const char* group;
    const char* bmp;
    const char* png;
    int tolerance;  // per channel
};

void ExpectLooksLike(const Reference& ref)
{
    SCOPED_TRACE(std::string(ref.group) + "/" + ref.bmp);
    RgbPicture expected;
    ASSERT_TRUE(ReadPng(SuiteDir(ref.group) / ref.png, expected)) << ref.png;
    CDibImage image;
    const DibLoadResult result = LoadBytes(image, ReadBytes(SuiteDir(ref.group) / ref.bmp));
    ASSERT_NE(result, DibLoadResult::Refused);
    ASSERT_EQ(image.GetWidth(), expected.width);
    ASSERT_EQ(image.GetHeight(), expected.height);
    int wrong = 0;
    for (int y = 0; y < expected.height; ++y) {
        for (int x = 0; x < expected.width; ++x) {
            const std::uint8_t* e = &expected.rgb[(std::size_t(y) * expected.width + x) * 3];
            const RgbColour want{e[0], e[1], e[2]};
            const RgbColour got = PixelAt(image, x, y);
            if (std::abs(got.red - want.red) > ref.tolerance ||
                std::abs(got.green - want.green) > ref.tolerance ||
                std::abs(got.blue - want.blue) > ref.tolerance) {
                if (wrong++ == 0)
                    ADD_FAILURE() << "first wrong pixel (" << x << "," << y << "): "
                                  << Text(got) << " instead of " << Text(want);
            }
        }
    }
    EXPECT_EQ(wrong, 0);
}
#endif

}  // namespace

// ---- The test pictures ---------------------------------------------------------------

TEST(DibImageSuite, GoodPicturesLookLikeTheirReferences)
{
#ifndef PLOVER_HAVE_PNG
    GTEST_SKIP() << "built without libpng";
#else
    // The 8-bit references carry green 42 where the files' own colour table says 43.
    const Reference refs[] = {
        {"g", "pal1.bmp", "pal1.png", 0},          {"g", "pal1wb.bmp", "pal1.png", 0},
        {"g", "pal1bg.bmp", "pal1bg.png", 0},      {"g", "pal4.bmp", "pal4.png", 0},
        {"g", "pal4rle.bmp", "pal4.png", 0},       {"g", "pal4gs.bmp", "pal4gs.png", 0},
        {"g", "pal8.bmp", "pal8.png", 1},          {"g", "pal8-0.bmp", "pal8.png", 1},
        {"g", "pal8os2.bmp", "pal8.png", 1},       {"g", "pal8rle.bmp", "pal8.png", 1},
        {"g", "pal8topdown.bmp", "pal8.png", 1},   {"g", "pal8v4.bmp", "pal8.png", 1},
        {"g", "pal8v5.bmp", "pal8.png", 1},        {"g", "pal8gs.bmp", "pal8gs.png", 0},
        {"g", "pal8w124.bmp", "pal8w124.png", 1},  {"g", "pal8w125.bmp", "pal8w125.png", 1},
        {"g", "pal8w126.bmp", "pal8w126.png", 1},
        {"g", "pal8nonsquare.bmp", "pal8nonsquare-e.png", 1},
        {"g", "rgb16.bmp", "rgb16.png", 2},        {"g", "rgb16bfdef.bmp", "rgb16.png", 2},
        {"g", "rgb16-565.bmp", "rgb16-565.png", 2},
        {"g", "rgb16-565pal.bmp", "rgb16-565.png", 2},
        {"g", "rgb24.bmp", "rgb24.png", 0},        {"g", "rgb24pal.bmp", "rgb24.png", 0},
        {"g", "rgb32.bmp", "rgb24.png", 0},        {"g", "rgb32bf.bmp", "rgb24.png", 0},
        {"g", "rgb32bfdef.bmp", "rgb24.png", 0},
    };
    std::set<std::string> covered;
    for (const Reference& ref : refs) {
        ExpectLooksLike(ref);
        covered.insert(ref.bmp);
    }
    for (const fs::path& file : BmpFiles("g"))
        EXPECT_EQ(covered.count(file.filename().string()), 1u) << file << " has no reference";
#endif
}

// Unusual files we choose to show: odd depths and masks, and run-length data that
// skips pixels with deltas or stops early (skipped pixels show colour-table entry 0).
TEST(DibImageSuite, QuestionablePicturesWeShowLookLikeTheirReferences)
{
#ifndef PLOVER_HAVE_PNG
    GTEST_SKIP() << "built without libpng";
#else
    const Reference refs[] = {
        {"q", "pal1p1.bmp", "pal1p1.png", 0},
        {"q", "pal2.bmp", "pal2.png", 0},
        {"q", "pal2color.bmp", "pal2color.png", 0},
        {"q", "pal4rletrns.bmp", "pal4rletrns-0.png", 0},
        {"q", "pal8rletrns.bmp", "pal8rletrns-0.png", 0},
        {"q", "pal4rlecut.bmp", "pal4rlecut-0.png", 0},
        {"q", "pal8rlecut.bmp", "pal8rlecut-0.png", 0},
        {"q", "rgb16-231.bmp", "rgb16-231.png", 2},
        {"q", "rgb16-3103.bmp", "rgb16-3103.png", 2},
        {"q", "rgb32-7187.bmp", "rgb32-7187.png", 2},
    };
    for (const Reference& ref : refs)
        ExpectLooksLike(ref);
#endif
}

TEST(DibImageSuite, QuestionableAndBadFilesAreRefusedOrDrawnInPart)
{
    for (const char* group : {"q", "b"}) {
        const std::vector<fs::path> files = BmpFiles(group);
        EXPECT_FALSE(files.empty());
        for (const fs::path& file : files) {
            SCOPED_TRACE(file.string());
            const std::vector<std::uint8_t> bytes = ReadBytes(file);
            CDibImage image;
            LoadBytes(image, bytes);
            // Every shorter piece of the file must be as harmless as the whole.
            for (std::size_t cut : {std::size_t{0}, std::size_t{13}, std::size_t{20},
                                    std::size_t{60}, bytes.size() / 2, bytes.size() - 1}) {
                const std::vector<std::uint8_t> head(bytes.begin(),
                                                     bytes.begin() + std::min(cut, bytes.size()));
                LoadBytes(image, head);
            }
        }
    }
    const struct {
        const char* path;
        DibLoadResult result;
    } known[] = {
        {"b/badbitcount.bmp", DibLoadResult::Refused},
        {"b/badheadersize.bmp", DibLoadResult::Refused},
        {"b/badwidth.bmp", DibLoadResult::Refused},
        {"b/shortfile.bmp", DibLoadResult::Partial},
        {"q/ba-bm.bmp", DibLoadResult::Refused},
        {"q/rgb24jpeg.bmp", DibLoadResult::Refused},
        {"q/rgb24png.bmp", DibLoadResult::Refused},
        {"q/pal1huff.bmp", DibLoadResult::Refused},
        {"q/rgb24rle24.bmp", DibLoadResult::Refused},
    };
    for (const auto& k : known) {
        CDibImage image;
        const std::vector<std::uint8_t> bytes =
            ReadBytes(fs::path(PLOVER_TEST_DATA) / "bmpsuite" / k.path);
        EXPECT_EQ(image.Load(bytes.data(), bytes.size()), k.result) << k.path;
    }
}

// ---- Sizes ---------------------------------------------------------------------------

TEST(DibImageSizes, HolderByteCountsAndPaletteSizes)
{
    struct Case {
        int width, height, bitCount, tableSize, pixelBytes;
        std::uint32_t rowBytes, imageSize, bufferSize;  // buffer 0: not asked
        int paletteSize;
    };
    const Case cases[] = {
        {32, 30, 4, 16, 480, 16, 480, 576, 16},
        {7, 3, 8, 256, 24, 8, 24, 28, 256},  // a buffer of 28.8 rounded down
        {7, -3, 8, 256, 24, 8, 24, 28, 256},  // top-down: the same counts
        {5, 2, 24, 0, 32, 16, 32, 0, 0},
        {33, 1, 1, 2, 8, 8, 8, 0, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height) + " at " +
                     std::to_string(c.bitCount) + " bits");
        BmpParts parts;
        parts.width = c.width;
        parts.height = c.height;
        parts.bitCount = static_cast<std::uint16_t>(c.bitCount);
        parts.table = DistinctTable(c.tableSize);
        parts.pixels.assign(static_cast<std::size_t>(c.pixelBytes), 0x12);
        CDibImage image;
        ASSERT_EQ(LoadBytes(image, MakeBmp(parts)), DibLoadResult::Loaded);
        EXPECT_EQ(image.GetWidth(), c.width);
        EXPECT_EQ(image.GetHeight(), std::abs(c.height));
        EXPECT_EQ(image.GetBitCount(), c.bitCount);
        EXPECT_EQ(image.GetRowBytes(), c.rowBytes);
        EXPECT_EQ(image.GetImageSize(), c.imageSize);
        if (c.bufferSize != 0)
            EXPECT_EQ(image.GetBufferSize(), c.bufferSize);
        EXPECT_EQ(image.GetPaletteSize(), c.paletteSize);
    }
}

TEST(DibImageSizes, HostileHeadersAreRefused)
{
    BmpParts base;
    base.width = 4;
    base.height = 4;
    base.table = DistinctTable(256);
    base.pixels.assign(16, 1);

    struct Case {
        const char* what;
        BmpParts parts;
    };
    std::vector<Case> cases;
    auto add = [&](const char* what, auto change) {
        BmpParts p = base;
        change(p);
        cases.push_back({what, p});
    };
    add("width over 65535", [](BmpParts& p) { p.width = 65536; });
    add("height over 65535", [](BmpParts& p) { p.height = 65536; });
    add("top-down height over 65535", [](BmpParts& p) { p.height = -65536; });
    add("most negative height", [](BmpParts& p) { p.height = INT_MIN; });
    add("negative width", [](BmpParts& p) { p.width = -4; });
    add("zero width", [](BmpParts& p) { p.width = 0; });
    add("zero height", [](BmpParts& p) { p.height = 0; });
    add("image size past 32 bits", [](BmpParts& p) {
        p.width = p.height = 65535;
        p.bitCount = 32;
        p.table.clear();
    });
    add("stored rows and their fifth over 64 MB", [](BmpParts& p) {
        p.width = 4096;
        p.height = 3700;
        p.bitCount = 32;
        p.table.clear();
    });
    add("decoded pixels over 64 MB", [](BmpParts& p) {
        p.width = 4200;
        p.height = 4000;
    });
    add("bit count 0", [](BmpParts& p) { p.bitCount = 0; });
    add("bit count 3", [](BmpParts& p) { p.bitCount = 3; });
    add("bit count 30000", [](BmpParts& p) { p.bitCount = 30000; });
    add("header size 66", [](BmpParts& p) { p.headerSize = 66; });
    add("header size 0", [](BmpParts& p) { p.headerSize = 0; });
    add("8-bit run-length coding on 4-bit pixels", [](BmpParts& p) {
        p.bitCount = 4;
        p.compression = 1;
    });
    add("jpeg", [](BmpParts& p) { p.compression = 4; });
    add("unknown compression", [](BmpParts& p) { p.compression = 0x12345678; });
    add("bit fields on 8-bit pixels", [](BmpParts& p) {
        p.compression = 3;
        p.masks = {0xE0, 0x1C, 0x03};
    });
    add("overlapping masks", [](BmpParts& p) {
        p.bitCount = 16;
        p.compression = 3;
        p.masks = {0xF800, 0x0FE0, 0x001F};
    });
    add("mask with a gap", [](BmpParts& p) {
        p.bitCount = 16;
        p.compression = 3;
        p.masks = {0xF000, 0x05E0, 0x001F};
    });
    add("mask beyond 16 bits", [](BmpParts& p) {
        p.bitCount = 16;
        p.compression = 3;
        p.masks = {0x1F0000, 0x03E0, 0x001F};
    });

    CDibImage image;
    for (const Case& c : cases) {
        // A refused picture must not leave the previous one behind.
        ASSERT_EQ(LoadBytes(image, MakeBmp(base)), DibLoadResult::Loaded);
        EXPECT_EQ(LoadBytes(image, MakeBmp(c.parts)), DibLoadResult::Refused) << c.what;
    }

    const std::vector<std::uint8_t> whole = MakeBmp(base);
    for (std::size_t cut : {0, 2, 14, 17, 30, 53}) {
        EXPECT_EQ(image.Load(whole.data(), cut), DibLoadResult::Refused) << cut;
    }
    BmpParts v5 = base;
    v5.headerSize = 124;
    const std::vector<std::uint8_t> v5File = MakeBmp(v5);
    EXPECT_EQ(image.Load(v5File.data(), 14 + 100), DibLoadResult::Refused);
    BmpParts noMasks = base;
    noMasks.bitCount = 16;
    noMasks.compression = 3;
    noMasks.table.clear();
    noMasks.pixels.clear();
    const std::vector<std::uint8_t> maskless = MakeBmp(noMasks);
    EXPECT_EQ(image.Load(maskless.data(), maskless.size()), DibLoadResult::Refused);
    EXPECT_EQ(image.Load(nullptr, 100), DibLoadResult::Refused);

    // The limits themselves still load.
    BmpParts wide = base;
    wide.width = 65535;
    wide.height = 1;
    wide.pixels.assign(65536, 3);
    EXPECT_EQ(LoadBytes(image, MakeBmp(wide)), DibLoadResult::Loaded);
    BmpParts tall = wide;
    tall.width = 1;
    tall.height = -65535;
    tall.pixels.assign(65535 * 4, 3);
    EXPECT_EQ(LoadBytes(image, MakeBmp(tall)), DibLoadResult::Loaded);
}

// ---- Layout of the file --------------------------------------------------------------

// 4- and 8-bit files with a 40-byte header, a full colour table and the pixels right
// after it: the pictures every earlier version showed, which must stay as they were.
TEST(DibImageLayout, ClassicPalettePicturesReadAsBefore)
{
    for (int bits : {4, 8}) {
        SCOPED_TRACE(bits);
        BmpParts p;
        p.width = 7;
        p.height = 3;
        p.bitCount = static_cast<std::uint16_t>(bits);
        p.table = DistinctTable(1 << bits);
        const int rowBytes = bits == 4 ? 4 : 8;
        for (int i = 0; i < rowBytes * 3; ++i)
            p.pixels.push_back(static_cast<std::uint8_t>(i * 29 + 3));
        // The pixel offset is not needed to find these pixels, so a broken one is ignored.
        for (long long offBits : {-1LL, 0LL, 20LL, 1LL << 30}) {
            p.offBits = offBits;
            CDibImage image;
            ASSERT_EQ(LoadBytes(image, MakeBmp(p)), DibLoadResult::Loaded) << offBits;
            for (int k = 0; k < (1 << bits); ++k)
                ASSERT_EQ(image.GetColorTable()[k], p.table[k]);
            for (int y = 0; y < 3; ++y) {
                const std::uint8_t* row = &p.pixels[(2 - y) * rowBytes];  // bottom row first
                for (int x = 0; x < 7; ++x) {
                    const int nibble = x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 15;
                    const int index = bits == 8 ? row[x] : nibble;
                    ASSERT_EQ(PixelAt(image, x, y), p.table[index]) << x << "," << y;
                }
            }
        }
    }
}

TEST(DibImageLayout, ColoursUsedAndPixelOffsetAreHonoured)
{
    // Two colours in the table and the pixels straight after them.
    BmpParts p;
    p.width = 4;
    p.height = 1;
    p.colorsUsed = 2;
    p.table = DistinctTable(2);
    p.pixels = {1, 0, 1, 7};
    CDibImage image;
    ASSERT_EQ(LoadBytes(image, MakeBmp(p)), DibLoadResult::Loaded);
    EXPECT_EQ(image.GetPaletteSize(), 256);
    EXPECT_EQ(image.GetColorTable()[1], p.table[1]);
    EXPECT_EQ(image.GetColorTable()[2], RgbColour{});
    EXPECT_EQ(PixelAt(image, 0, 0), p.table[1]);
    EXPECT_EQ(PixelAt(image, 1, 0), p.table[0]);
    EXPECT_EQ(PixelAt(image, 3, 0), RgbColour{});

    // A gap between table and pixels, as the offset says.
    BmpParts gap = p;
    gap.pixels.insert(gap.pixels.begin(), {9, 9, 9, 9, 9, 9});
    gap.offBits = 14 + 40 + 8 + 6;
    ASSERT_EQ(LoadBytes(image, MakeBmp(gap)), DibLoadResult::Loaded);
    EXPECT_EQ(PixelAt(image, 0, 0), p.table[1]);
    EXPECT_EQ(PixelAt(image, 3, 0), RgbColour{});

    // A table declaring more colours than the offset leaves room for stops at the pixels.
    BmpParts shortTable = p;
    shortTable.colorsUsed = 0;
    ASSERT_EQ(LoadBytes(image, MakeBmp(shortTable)), DibLoadResult::Loaded);
    EXPECT_EQ(image.GetColorTable()[1], p.table[1]);
    EXPECT_EQ(image.GetColorTable()[2], RgbColour{});
    EXPECT_EQ(PixelAt(image, 0, 0), p.table[1]);

    // OS/2 core header: 16-bit sizes and 3-byte colour entries.
    BmpParts core = p;
    core.headerSize = 12;
    core.width = 3;
    core.height = 2;
    core.table = DistinctTable(256);
    core.pixels = {1, 2, 3, 0, 4, 5, 6, 0};
    ASSERT_EQ(LoadBytes(image, MakeBmp(core)), DibLoadResult::Loaded);
    EXPECT_EQ(image.GetWidth(), 3);
    EXPECT_EQ(PixelAt(image, 0, 0), core.table[4]);
    EXPECT_EQ(PixelAt(image, 2, 1), core.table[3]);
    EXPECT_EQ(image.GetColorTable()[255], core.table[255]);

    // Version 5 header: the table starts after all 124 bytes.
    BmpParts v5 = p;
    v5.headerSize = 124;
    ASSERT_EQ(LoadBytes(image, MakeBmp(v5)), DibLoadResult::Loaded);
    EXPECT_EQ(image.GetColorTable()[0], p.table[0]);
    EXPECT_EQ(PixelAt(image, 0, 0), p.table[1]);
}

// Bitmap resources hold the picture without its file header, so no pixel offset:
// the pixels follow the colour table, or the masks after a 40-byte header.
TEST(DibImageLayout, PackedPicturesReadAsTheirFiles)
{
    BmpParts palette;
    palette.width = 3;
    palette.height = -2;
    palette.bitCount = 4;
    palette.table = DistinctTable(16);
    palette.pixels = {0x12, 0x30, 0, 0, 0x45, 0x60, 0, 0};
    BmpParts masks;
    masks.width = 2;
    masks.bitCount = 16;
    masks.compression = 3;
    masks.masks = {0xF800, 0x07E0, 0x001F};
    masks.pixels = {0xE0, 0x07, 0x1F, 0xF8};
    for (const BmpParts& p : {palette, masks}) {
        const std::vector<std::uint8_t> file = MakeBmp(p);
        CDibImage fromFile, packed;
        ASSERT_EQ(fromFile.Load(file.data(), file.size()), DibLoadResult::Loaded);
        ASSERT_EQ(packed.LoadPacked(file.data() + 14, file.size() - 14), DibLoadResult::Loaded);
        ASSERT_EQ(packed.GetBitsSize(), fromFile.GetBitsSize());
        EXPECT_TRUE(std::equal(packed.GetBits(), packed.GetBits() + packed.GetBitsSize(),
                               fromFile.GetBits()));
    }
    const std::vector<std::uint8_t> file = MakeBmp(palette);
    CDibImage cut;
    EXPECT_EQ(cut.LoadPacked(file.data() + 14, 30), DibLoadResult::Refused);
}

// ---- Pixel formats -------------------------------------------------------------------

TEST(DibImagePixels, SixteenAndThirtyTwoBitChannels)
{
    BmpParts p;
    p.width = 4;
    p.height = 1;
    p.bitCount = 16;
    // 5-5-5: white, red, blue 16 of 31, and the unused top bit alone.
    p.pixels = {0xFF, 0x7F, 0x00, 0x7C, 0x10, 0x00, 0x00, 0x80};
    CDibImage image;
    ASSERT_EQ(LoadBytes(image, MakeBmp(p)), DibLoadResult::Loaded);
    EXPECT_EQ(PixelAt(image, 0, 0), (RgbColour{255, 255, 255}));
    EXPECT_EQ(PixelAt(image, 1, 0), (RgbColour{255, 0, 0}));
    EXPECT_EQ(PixelAt(image, 2, 0), (RgbColour{0, 0, 132}));
    EXPECT_EQ(PixelAt(image, 3, 0), (RgbColour{0, 0, 0}));

    p.compression = 3;
    p.masks = {0xF800, 0x07E0, 0x001F};  // 565, masks after the 40-byte header
    p.pixels = {0xE0, 0x07, 0x1F, 0xF8, 0x00, 0x00, 0xFF, 0xFF};
    ASSERT_EQ(LoadBytes(image, MakeBmp(p)), DibLoadResult::Loaded);
    EXPECT_EQ(PixelAt(image, 0, 0), (RgbColour{0, 255, 0}));
    EXPECT_EQ(PixelAt(image, 1, 0), (RgbColour{255, 0, 255}));
    EXPECT_EQ(PixelAt(image, 3, 0), (RgbColour{255, 255, 255}));
    p.headerSize = 108;  // the same masks inside a version 4 header
    ASSERT_EQ(LoadBytes(image, MakeBmp(p)), DibLoadResult::Loaded);
    EXPECT_EQ(PixelAt(image, 1, 0), (RgbColour{255, 0, 255}));

    BmpParts p32;
    p32.width = 2;
    p32.height = 1;
    p32.bitCount = 32;
    p32.pixels = {10, 20, 30, 0xEE, 40, 50, 60, 0xFF};  // the fourth byte is not a colour
    ASSERT_EQ(LoadBytes(image, MakeBmp(p32)), DibLoadResult::Loaded);
    EXPECT_EQ(PixelAt(image, 0, 0), (RgbColour{30, 20, 10}));
    EXPECT_EQ(PixelAt(image, 1, 0), (RgbColour{60, 50, 40}));
    p32.compression = 3;
    p32.masks = {0x000000FF, 0x0000FF00, 0x00FF0000};  // red in the first byte
    ASSERT_EQ(LoadBytes(image, MakeBmp(p32)), DibLoadResult::Loaded);
    EXPECT_EQ(PixelAt(image, 0, 0), (RgbColour{10, 20, 30}));
    p32.masks = {0xFFC00000, 0x003FF000, 0x00000FFC};  // 10-bit channels keep their top 8 bits
    p32.pixels = {0x00, 0xF0, 0x3F, 0xFF, 0x00, 0x04, 0x00, 0x80};
    ASSERT_EQ(LoadBytes(image, MakeBmp(p32)), DibLoadResult::Loaded);
    EXPECT_EQ(PixelAt(image, 0, 0), (RgbColour{255, 255, 0}));
    EXPECT_EQ(PixelAt(image, 1, 0), (RgbColour{128, 0, 64}));
}

// ---- Short files ---------------------------------------------------------------------

TEST(DibImagePixels, ShortFileDrawsWhatItHolds)
{
    BmpParts p;
    p.width = 4;
    p.height = 2;
    p.table = DistinctTable(256);
    p.pixels = {1, 2, 3, 4, 5, 6};  // the bottom row and half the top row
    CDibImage image;
    ASSERT_EQ(LoadBytes(image, MakeBmp(p)), DibLoadResult::Partial);
    EXPECT_EQ(PixelAt(image, 3, 1), p.table[4]);
    EXPECT_EQ(PixelAt(image, 1, 0), p.table[6]);
    EXPECT_EQ(PixelAt(image, 2, 0), p.table[0]);  // missing: colour-table entry 0
    EXPECT_EQ(PixelAt(image, 3, 0), p.table[0]);

    BmpParts rgb;
    rgb.width = 2;
    rgb.height = 2;
    rgb.bitCount = 24;
    rgb.pixels = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8};
    ASSERT_EQ(LoadBytes(image, MakeBmp(rgb)), DibLoadResult::Partial);
    EXPECT_EQ(PixelAt(image, 1, 1), (RgbColour{6, 5, 4}));
    EXPECT_EQ(PixelAt(image, 0, 0), (RgbColour{0, 0, 0}));  // missing: black

    rgb.pixels.resize(14);  // only the last row's padding missing: complete
    EXPECT_EQ(LoadBytes(image, MakeBmp(rgb)), DibLoadResult::Loaded);
}

// ---- Run-length coding ---------------------------------------------------------------

TEST(DibImageRle, EightBitRunsLiteralsLineEndsAndDeltas)
{
    BmpParts p;
    p.width = 6;
    p.height = 4;
    p.compression = 1;
    p.table = DistinctTable(256);
    p.pixels = {
        3, 7,          // row 0: 7 7 7
        0, 3, 1, 2, 3, 0,  // literal 1 2 3 and its pad byte
        0, 0,          // end of line
        9, 8,          // row 1: a run of 9 cut at the row's end, not wrapped
        0, 0,
        0, 2, 2, 1,    // delta: two right, one up -> row 3, column 2
        2, 5,
        0, 1,          // end of picture
    };
    CDibImage image;
    ASSERT_EQ(LoadBytes(image, MakeBmp(p)), DibLoadResult::Loaded);
    const auto& t = p.table;
    auto row = [&](int fileRow) {
        std::vector<RgbColour> out;
        for (int x = 0; x < 6; ++x)
            out.push_back(PixelAt(image, x, 3 - fileRow));
        return out;
    };
    EXPECT_EQ(row(0), (std::vector<RgbColour>{t[7], t[7], t[7], t[1], t[2], t[3]}));
    EXPECT_EQ(row(1), std::vector<RgbColour>(6, t[8]));
    EXPECT_EQ(row(2), std::vector<RgbColour>(6, t[0]));  // skipped by the delta
    EXPECT_EQ(row(3), (std::vector<RgbColour>{t[0], t[0], t[5], t[5], t[0], t[0]}));
}

TEST(DibImageRle, NothingIsWrittenOutsideThePicture)
{
    BmpParts p;
    p.width = 3;
    p.height = 2;
    p.compression = 1;
    p.table = DistinctTable(256);
    CDibImage image;

    p.pixels = {0, 2, 255, 255, 4, 9};  // delta far past the top: the picture ends
    EXPECT_EQ(LoadBytes(image, MakeBmp(p)), DibLoadResult::Loaded);
    EXPECT_EQ(PixelAt(image, 0, 0), p.table[0]);

    p.pixels = {0, 2, 200, 0, 4, 9, 0, 0, 2, 6};  // past the right edge: dropped to the line end
    EXPECT_EQ(LoadBytes(image, MakeBmp(p)), DibLoadResult::Partial);  // no end mark
    EXPECT_EQ(PixelAt(image, 0, 0), p.table[6]);
    EXPECT_EQ(PixelAt(image, 0, 1), p.table[0]);

    p.pixels = {0, 0, 0, 0, 0, 0, 3, 9};  // line ends past the top: the picture ends
    EXPECT_EQ(LoadBytes(image, MakeBmp(p)), DibLoadResult::Loaded);

    p.pixels = {0, 250, 1, 2, 3};  // literal cut by the file's end
    EXPECT_EQ(LoadBytes(image, MakeBmp(p)), DibLoadResult::Partial);
    EXPECT_EQ(PixelAt(image, 2, 1), p.table[3]);

    p.pixels = {0, 2, 1};  // delta cut by the file's end
    EXPECT_EQ(LoadBytes(image, MakeBmp(p)), DibLoadResult::Partial);

    // The image-size field bounds the coded data: the end mark after it is not read.
    p.pixels = {3, 4, 0, 1};
    p.sizeImage = 2;
    EXPECT_EQ(LoadBytes(image, MakeBmp(p)), DibLoadResult::Partial);
    EXPECT_EQ(PixelAt(image, 2, 1), p.table[4]);
}

TEST(DibImageRle, FourBitRunsAlternateAndLiteralsArePadded)
{
    BmpParts p;
    p.width = 5;
    p.height = 3;
    p.bitCount = 4;
    p.compression = 2;
    p.table = DistinctTable(16);
    p.pixels = {
        5, 0x12,                       // 1 2 1 2 1
        0, 0,
        0, 3, 0x34, 0x50,              // literal 3 4 5: two bytes, no pad
        2, 0x67,                       // 6 7
        0, 0,
        0, 5, 0x89, 0xAB, 0xC0, 0x00,  // literal 8 9 10 11 12: three bytes and a pad
        0, 1,
    };
    CDibImage image;
    ASSERT_EQ(LoadBytes(image, MakeBmp(p)), DibLoadResult::Loaded);
    const auto& t = p.table;
    auto row = [&](int fileRow) {
        std::vector<RgbColour> out;
        for (int x = 0; x < 5; ++x)
            out.push_back(PixelAt(image, x, 2 - fileRow));
        return out;
    };
    EXPECT_EQ(row(0), (std::vector<RgbColour>{t[1], t[2], t[1], t[2], t[1]}));
    EXPECT_EQ(row(1), (std::vector<RgbColour>{t[3], t[4], t[5], t[6], t[7]}));
    EXPECT_EQ(row(2), (std::vector<RgbColour>{t[8], t[9], t[10], t[11], t[12]}));
}
