#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "schedule/ScheduleFile.h"

using namespace plover;

namespace {

std::unique_ptr<CPloverFile> MakeEntry(std::uint16_t reserved, std::uint16_t year, const char* name)
{
    auto entry = std::make_unique<CPloverFile>();
    entry->m_wReserved = reserved;
    entry->m_wYear = year;
    entry->m_wMonth = 3;
    entry->m_wDay = 14;
    entry->m_wHour = 9;
    entry->m_wMinute = 30;
    CPloverFile::SetText(entry->m_szName, sizeof entry->m_szName, name);
    // Bytes after the terminating zero belong to the file and must come back.
    entry->m_szName[100] = 'x';
    entry->m_szDescription[255] = 'y';
    return entry;
}

std::vector<std::uint8_t> Read(const std::vector<std::uint8_t>& image, ScheduleHeader& header,
                               CScheduleList& list, ScheduleReadResult* result = nullptr)
{
    const auto r = ReadSchedule(image.data(), image.size(), header, list);
    if (result)
        *result = r;
    return WriteSchedule(header.target, list);
}

}  // namespace

TEST(ScheduleFile, ThreeEntriesRoundTripByteForByte)
{
    CScheduleList list;
    list.push_back(MakeEntry(0xBEEF, 1996, "\x91\xb2\x8b\xc6\x8e\xae"));  // 卒業式
    list.push_back(MakeEntry(0, 2026, "abc"));
    list.push_back(MakeEntry(7, 2999, ""));
    const auto image = WriteSchedule(1, list);
    ASSERT_EQ(image.size(), 1964u);

    ScheduleHeader header;
    CScheduleList back;
    ScheduleReadResult result;
    EXPECT_EQ(Read(image, header, back, &result), image);
    EXPECT_EQ(result, ScheduleReadResult::Complete);
    EXPECT_EQ(header.count, 3);
    EXPECT_EQ(back[0]->m_wReserved, 0xBEEF);
    EXPECT_EQ(back[0]->Name(), "\x91\xb2\x8b\xc6\x8e\xae");
}

TEST(ScheduleFile, RecordLayoutIsLittleEndianAtFixedOffsets)
{
    CScheduleList list;
    list.push_back(MakeEntry(0x0102, 0x07CC, "abc"));
    const auto image = WriteSchedule(-1, list);
    const std::vector<std::uint8_t> head(image.begin(), image.begin() + 20);
    EXPECT_EQ(head, (std::vector<std::uint8_t>{1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x01, 0xCC,
                                               0x07, 3, 0, 14, 0, 9, 0, 30, 0}));
    EXPECT_EQ(std::memcmp(&image[8 + 12], "abc\0", 4), 0);
    EXPECT_EQ(image[8 + 140 - 1], 0);  // name field ends at 140
}

TEST(ScheduleFile, CopiedEntryHasZerosAfterItsTexts)
{
    CPloverFile fresh;  // blanks everywhere, no terminating zero
    EXPECT_EQ(fresh.Name().size(), 128u);
    std::memcpy(fresh.m_szName, "abc", 4);
    CPloverFile copy;
    copy.CopyFrom(fresh);
    EXPECT_EQ(copy.Name(), "abc");
    for (std::size_t i = 3; i < CPloverFile::kNameSize; ++i)
        ASSERT_EQ(copy.m_szName[i], 0) << i;
    // A description that filled its buffer keeps all 256 bytes through the copy.
    EXPECT_EQ(copy.Description(), std::string(256, ' '));
}

TEST(ScheduleFile, NameWithoutZeroByteReadsAsWholeBuffer)
{
    CScheduleList list;
    list.push_back(MakeEntry(0, 2000, "n"));
    std::memset(list[0]->m_szName, 'N', CPloverFile::kNameSize);
    const auto image = WriteSchedule(0, list);
    ScheduleHeader header;
    CScheduleList back;
    Read(image, header, back);
    EXPECT_EQ(back[0]->Name(), std::string(128, 'N'));
}

TEST(ScheduleFile, SetTextNeverSplitsADoubleByteCharacter)
{
    char field[4];
    CPloverFile::SetText(field, sizeof field, "a\x82\xa0\x82\xa2");  // a あ い
    EXPECT_EQ(std::string(field), "a\x82\xa0");
    CPloverFile::SetText(field, sizeof field, "ab\x82\xa0");
    EXPECT_EQ(std::string(field), "ab");  // no lone lead byte at the end
}

TEST(ScheduleFile, ShortAndEmptyFilesKeepWhatWasRead)
{
    CScheduleList two;
    two.push_back(MakeEntry(0, 2001, "one"));
    two.push_back(MakeEntry(0, 2002, "two"));
    auto image = WriteSchedule(1, two);

    // Zero length: nothing read, nothing reported, header untouched.
    ScheduleHeader header{0, 0};
    CScheduleList list;
    EXPECT_EQ(ReadSchedule(image.data(), 0, header, list), ScheduleReadResult::Complete);
    EXPECT_TRUE(list.empty());

    // One record and half of the next: one entry and an end-of-file report.
    image.resize(8 + 652 + 300);
    EXPECT_EQ(ReadSchedule(image.data(), image.size(), header, list), ScheduleReadResult::EndOfFile);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0]->Name(), "one");
    EXPECT_EQ(header.count, 2);
    EXPECT_EQ(header.target, 1);

    // Inside the count or the index.
    ScheduleHeader partial{0, 0};
    CScheduleList none;
    EXPECT_EQ(ReadSchedule(image.data(), 3, partial, none), ScheduleReadResult::EndOfFile);
    EXPECT_EQ(ReadSchedule(image.data(), 6, partial, none), ScheduleReadResult::EndOfFile);
    EXPECT_EQ(partial.count, 2);
    EXPECT_EQ(partial.target, 0);
    EXPECT_TRUE(none.empty());
}

TEST(ScheduleFile, CountsAndIndexesAreTakenAsStored)
{
    std::vector<std::uint8_t> image(8 + 652, 0);
    // A negative count reads nothing and reports nothing; trailing bytes are ignored.
    image[0] = 0xFE; image[1] = 0xFF; image[2] = 0xFF; image[3] = 0xFF;
    ScheduleHeader header;
    CScheduleList list;
    EXPECT_EQ(ReadSchedule(image.data(), image.size(), header, list), ScheduleReadResult::Complete);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(header.count, -2);

    // Target indexes of -1 and past the end are written back unchanged.
    for (std::int32_t target : {-1, 0, 5, 0x7FFFFFFF}) {
        CScheduleList one;
        one.push_back(MakeEntry(0, 2000, "t"));
        const auto out = WriteSchedule(target, one);
        ScheduleHeader h;
        CScheduleList back;
        EXPECT_EQ(Read(out, h, back), out);
        EXPECT_EQ(h.target, target);
    }
}

TEST(ScheduleFile, HugeCountInATinyFileMakesOnlyWhatTheFileHolds)
{
    std::vector<std::uint8_t> image(20, 0);
    image[0] = 0x00; image[1] = 0x94; image[2] = 0x35; image[3] = 0x77;  // two billion
    ScheduleHeader header;
    CScheduleList list;
    EXPECT_EQ(ReadSchedule(image.data(), image.size(), header, list), ScheduleReadResult::EndOfFile);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(header.count, 2000000000);
}

TEST(ScheduleFile, ReadingAppendsToTheList)
{
    CScheduleList list;
    list.push_back(MakeEntry(0, 1999, "old"));
    CScheduleList file;
    file.push_back(MakeEntry(0, 2000, "new"));
    const auto image = WriteSchedule(0, file);
    ScheduleHeader header;
    ReadSchedule(image.data(), image.size(), header, list);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0]->Name(), "old");
    EXPECT_EQ(list[1]->Name(), "new");
}

namespace {

CScheduleList Repeating()
{
    CScheduleList list;
    list.push_back(MakeEntry(0, 2024, "yearly"));
    list.back()->m_wMonth = 2, list.back()->m_wDay = 29;
    list.back()->SetRepeat(RepeatRule::Yearly);
    list.back()->m_wYear = 2025, list.back()->m_wDay = 28;  // rolled on, the anchor stays
    list.push_back(MakeEntry(0, 2030, "fixed"));
    list.push_back(MakeEntry(0xBEEF, 2026, "weekly"));
    list.back()->SetRepeat(RepeatRule::Weekly);
    return list;
}

std::string Rules(const CScheduleList& list)
{
    std::string rules;
    for (const auto& e : list)
        rules += std::to_string(static_cast<int>(e->m_Repeat)) + "@" + std::to_string(e->m_wAnchorYear) +
                 "-" + std::to_string(e->m_wAnchorMonth) + "-" + std::to_string(e->m_wAnchorDay) + " ";
    return rules;
}

}  // namespace

TEST(ScheduleFile, RulesRoundTripInATrailerAfterTheRecords)
{
    const CScheduleList list = Repeating();
    const auto image = WriteSchedule(2, list);
    ASSERT_EQ(image.size(), ScheduleFileSize(3) + ScheduleTrailerSize(3));
    ScheduleHeader header;
    CScheduleList back;
    EXPECT_EQ(Read(image, header, back), image);
    EXPECT_EQ(Rules(back), "1@2024-2-29 0@0-0-0 3@2026-3-14 ");
    EXPECT_EQ(back[0]->m_wDay, 28);

    // A file made outside the program, checked with the common CRC-32.
    const std::string path = std::string(PLOVER_TEST_DATA) + "/schedule/repeating.pvd";
    std::ifstream file(path, std::ios::binary);
    const std::vector<std::uint8_t> seed{std::istreambuf_iterator<char>(file), {}};
    CScheduleList made;
    EXPECT_EQ(Read(seed, header, made), seed);
    EXPECT_EQ(Rules(made), "1@2024-2-29 2@2024-1-31 0@0-0-0 3@2025-1-5 ");
}

TEST(ScheduleFile, ADamagedOrForeignTrailerLosesNoEntryAndReadsAsWithout)
{
    CScheduleList plainList = Repeating();
    const auto image = WriteSchedule(2, plainList);
    for (auto& e : plainList)
        e->m_Repeat = RepeatRule::None;
    const auto plain = WriteSchedule(2, plainList);
    const auto readsPlain = [&](const std::vector<std::uint8_t>& bytes, const std::string& what) {
        ScheduleHeader header;
        CScheduleList back;
        ScheduleReadResult result;
        const auto out = Read(bytes, header, back, &result);
        EXPECT_EQ(result, ScheduleReadResult::Complete) << what;
        EXPECT_EQ(Rules(back), "0@0-0-0 0@0-0-0 0@0-0-0 ") << what;
        EXPECT_EQ(out, plain) << what;
    };
    for (std::size_t size = plain.size(); size < image.size(); ++size)
        readsPlain(std::vector<std::uint8_t>(image.begin(), image.begin() + size), "cut at " + std::to_string(size));
    for (std::size_t at = plain.size(); at < image.size(); ++at) {
        auto bad = image;
        bad[at] ^= 0x10;
        readsPlain(bad, "byte changed at " + std::to_string(at));
    }

    // An older program added two entries before the trailer it knew nothing of.
    CScheduleList five = Repeating();
    five.push_back(MakeEntry(0, 2031, "four"));
    five.push_back(MakeEntry(0, 2032, "five"));
    for (auto& e : five)
        e->m_Repeat = RepeatRule::None;
    auto grown = WriteSchedule(2, five);
    const auto expected = grown;
    grown.insert(grown.end(), image.begin() + static_cast<std::ptrdiff_t>(plain.size()), image.end());
    ScheduleHeader header;
    CScheduleList back;
    EXPECT_EQ(Read(grown, header, back), expected);
    ASSERT_EQ(back.size(), 5u);
    EXPECT_EQ(back[4]->Name(), "five");
    EXPECT_EQ(Rules(back), "0@0-0-0 0@0-0-0 0@0-0-0 0@0-0-0 0@0-0-0 ");
}
