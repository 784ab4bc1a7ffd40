#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "calendar/ICalendar.h"

using namespace plover;
using namespace plover::ical;

namespace {

// Today is 2026-06-15 and the machine is nine hours ahead of UTC.
ReadContext Context()
{
    ReadContext context;
    context.today = CivilTime{2026, 6, 15};
    context.utcToLocal = [](const CivilTime& utc) { return AddSeconds(utc, 9 * 3600); };
    return context;
}

std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

ReadResult ReadTestFile(const char* name)
{
    return ReadCalendar(FileBytes(std::string(PLOVER_TEST_DATA) + "/ical/" + name), Cp932(),
                        Context());
}

std::string Sjis(const std::u16string& text)
{
    std::string out;
    EXPECT_TRUE(Cp932().FromUnicode(text, out));
    return out;
}

// "2027-01-05 09:30 name" of a candidate, the name in code page 932, then the
// rule it keeps: " (yearly from 2000-03-10)".
std::string Line(const Candidate& c)
{
    char when[32];
    std::snprintf(when, sizeof when, "%04u-%02u-%02u %02u:%02u ", c.year, c.month, c.day, c.hour,
                  c.minute);
    static const char* const kRules[] = {"", "yearly", "monthly", "weekly", "daily"};
    char rule[48] = "";
    if (c.repeat != RepeatRule::None)
        std::snprintf(rule, sizeof rule, " (%s from %04d-%02d-%02d)",
                      kRules[static_cast<int>(c.repeat)], c.anchor.year, c.anchor.month,
                      c.anchor.day);
    return when + c.name + rule;
}

std::unique_ptr<CPloverFile> Entry(int year, int month, int day, int hour, int minute,
                                   std::string_view name, std::string_view description = {})
{
    auto e = std::make_unique<CPloverFile>();
    e->m_wYear = static_cast<std::uint16_t>(year);
    e->m_wMonth = static_cast<std::uint16_t>(month);
    e->m_wDay = static_cast<std::uint16_t>(day);
    e->m_wHour = static_cast<std::uint16_t>(hour);
    e->m_wMinute = static_cast<std::uint16_t>(minute);
    CPloverFile::SetText(e->m_szName, CPloverFile::kNameSize, name);
    CPloverFile::SetText(e->m_szDescription, CPloverFile::kDescriptionSize, description);
    CPloverFile::SetText(e->m_szBmpFile, CPloverFile::kBmpFileSize, {});
    return e;
}

std::string Record(const CPloverFile& entry)
{
    std::uint8_t record[CPloverFile::kRecordSize];
    entry.WriteRecord(record);
    return std::string(reinterpret_cast<char*>(record), sizeof record);
}

// Exports `list`, imports the file again and expects every record back, and each
// repeat rule with its anchor.
void ExpectRoundTrip(const CScheduleList& list, LeapDayRule leapDay = LeapDayRule::February28)
{
    ExportCounts counts;
    const std::string file =
        WriteCalendar(list, CivilTime{2026, 6, 15, 1, 2, 3}, Cp932(), leapDay, counts);
    EXPECT_EQ(counts.written, list.size());
    EXPECT_EQ(counts.replaced, 0u);
    ReadContext context = Context();
    context.leapDay = leapDay;
    const ReadResult read = ReadCalendar(file, Cp932(), context);
    ASSERT_EQ(read.error, ReadError::None);
    ASSERT_EQ(read.candidates.size(), list.size());
    for (std::size_t i = 0; i < list.size(); ++i) {
        CPloverFile entry;
        ToEntry(read.candidates[i], entry);
        EXPECT_EQ(Record(entry), Record(*list[i]))
            << "entry " << i << ": " << Line(read.candidates[i]);
        EXPECT_FALSE(read.candidates[i].Changed()) << i;
        EXPECT_EQ(entry.m_Repeat, list[i]->m_Repeat) << i;
        if (list[i]->m_Repeat != RepeatRule::None)
            EXPECT_EQ(entry.Anchor(), list[i]->Anchor()) << i;
    }
}

}  // namespace

TEST(ICalendarRead, EveryFormOfStartLandsOnLocalTime)
{
    const ReadResult read = ReadTestFile("forms.ics");
    ASSERT_EQ(read.error, ReadError::None);
    EXPECT_EQ(read.SkippedTotal(), 0u);
    ASSERT_EQ(read.candidates.size(), 7u);
    const auto& c = read.candidates;
    EXPECT_EQ(Line(c[0]), "2027-01-05 00:00 date only");
    // Escapes undone; a line break in a name becomes a space and counts as a change.
    EXPECT_EQ(Line(c[1]), "2027-01-05 09:30 floating, ; \\   end");
    EXPECT_TRUE(c[1].cut);
    EXPECT_EQ(Line(c[2]), "2027-01-06 08:30 utc");
    EXPECT_EQ(Line(c[3]), "2027-07-05 22:00 new york summer") << "EDT, UTC-4, by the file's zone";
    EXPECT_EQ(Line(c[4]), "2027-01-05 23:00 new york winter") << "EST, UTC-5";
    EXPECT_EQ(Line(c[5]), "2027-01-05 09:00 unknown zone") << "a zone the file lacks is local time";
    // Folded inside a three-byte character; the alarm's description is not the event's.
    std::u16string name;
    for (int i = 0; i < 6; ++i)
        name += u"誕生日のお祝い";
    EXPECT_EQ(c[6].name, Sjis(name));
    EXPECT_EQ(c[6].description, "line one\r\nline two, with comma");
    EXPECT_FALSE(c[6].Changed());
}

TEST(ICalendarRead, RecurringEventsTakeTheirNextDateOnOrAfterToday)
{
    const ReadResult read = ReadTestFile("rules.ics");
    ASSERT_EQ(read.error, ReadError::None);
    const char* expected[] = {
        "2027-03-10 00:00 birthday (yearly from 2000-03-10)",
        // Kept as the entry's yearly rule: in common years on the 28th, as chosen.
        "2027-02-28 00:00 leap day (yearly from 2000-02-29)",
        "2026-07-31 08:00 month end",  // the standard's monthly skips June
        "2026-06-15 07:00 fortnightly",
        "2026-06-12 06:00 three days",
        "2023-01-01 12:00 ended",
        "2026-06-24 10:00 every ten days",
        "2026-06-15 10:00 other rule",
        "2025-05-31 08:00 month end until",  // June has no 31st
        "2026-06-15 07:00 day before freq (weekly from 2026-06-01)",
        "2027-03-10 00:00 month and day (yearly from 2000-03-10)",
        // A BYMONTH or BYMONTHDAY that narrows or widens the dates: other rules.
        "2027-03-10 09:00 every march",
        "2026-06-15 09:00 daily on the 15th",
        // A year no calendar file can name again: its next date, not its rule.
        "2027-03-10 00:00 year zero",
    };
    ASSERT_EQ(read.candidates.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i)
        EXPECT_EQ(Line(read.candidates[i]), expected[i]);
}

// Every other rule expanded to its true next date, checked by hand; EXDATE in each
// of its forms takes a date out, and an exception ahead keeps a rule from being
// the entry's, which could not hold it.
TEST(ICalendarRead, OtherRulesTakeTheirTrueNextDateWithoutExcludedDates)
{
    const struct {
        const char* file;
        std::vector<const char*> lines;
    } files[] = {
        {"expand.ics",
         {"2026-06-15 10:00 two days a week", "2026-07-12 09:00 second sunday",
          "2026-06-15 09:00 the 15th", "2026-06-26 09:00 last friday",
          "2026-06-30 09:00 last weekday", "1998-05-10 09:00 week from sunday",
          "2000-01-31 09:00 never", "2026-02-15 09:00 three times"}},
        {"exdate.ics",
         {"2026-06-22 10:00 floating", "2026-06-17 00:00 whole days", "2026-06-22 22:00 zone",
          "2026-06-22 22:00 zone by utc", "2026-06-16 09:00 utc",
          "2027-03-10 00:00 past exception (yearly from 2000-03-10)",
          "2028-03-10 00:00 exception ahead"}},
        // The entry's own rules, as the export writes them and as a plain rule says
        // them; a month's dates a day later here are no monthly rule of the entry's.
        {"entry-rules.ics",
         {"2026-06-30 08:00 month end (monthly from 2026-01-31)",
          "2027-02-28 00:00 leap day last of february (yearly from 2024-02-29)",
          "2027-02-28 00:00 leap day 60th day (yearly from 2024-02-29)",
          "2026-06-15 07:00 daily (daily from 2020-01-01)",
          "2026-06-20 21:00 weekly utc (weekly from 2026-01-03)",
          "2026-06-21 08:30 weekly a day later here (weekly from 2026-01-04)",
          "2026-06-16 08:30 monthly a day later here"}},
    };
    for (const auto& f : files) {
        const ReadResult read = ReadTestFile(f.file);
        ASSERT_EQ(read.error, ReadError::None) << f.file;
        ASSERT_EQ(read.candidates.size(), f.lines.size()) << f.file;
        for (std::size_t i = 0; i < f.lines.size(); ++i)
            EXPECT_EQ(Line(read.candidates[i]), f.lines[i]) << f.file;
    }
    // Common years on 1 March, as the user may choose instead.
    ReadContext march = Context();
    march.leapDay = LeapDayRule::March1;
    const ReadResult read = ReadCalendar(
        FileBytes(std::string(PLOVER_TEST_DATA) + "/ical/entry-rules.ics"), Cp932(), march);
    ASSERT_EQ(read.candidates.size(), 7u);
    EXPECT_EQ(Line(read.candidates[1]),
              "2027-03-01 00:00 leap day last of february (yearly from 2024-02-29)");
    EXPECT_EQ(Line(read.candidates[2]),
              "2027-03-01 00:00 leap day 60th day (yearly from 2024-02-29)");
}

// Repeating entries go out as rules from their anchors and come back as the same
// rules, under either choice for 29 February.
TEST(ICalendarWrite, RepeatRulesReadBackWithTheirAnchors)
{
    for (LeapDayRule leapDay : {LeapDayRule::February28, LeapDayRule::March1}) {
        CScheduleList list;
        const struct {
            int year, month, day;
            RepeatRule rule;
        } entries[] = {{2024, 2, 29, RepeatRule::Yearly},  {1990, 3, 10, RepeatRule::Yearly},
                       {2026, 1, 31, RepeatRule::Monthly}, {2026, 1, 30, RepeatRule::Monthly},
                       {2026, 1, 29, RepeatRule::Monthly}, {2026, 1, 15, RepeatRule::Monthly},
                       {2026, 6, 3, RepeatRule::Weekly},   {2026, 5, 1, RepeatRule::Daily},
                       {2026, 5, 1, RepeatRule::None}};
        for (const auto& e : entries) {
            list.push_back(Entry(e.year, e.month, e.day, 9, 30, "repeat"));
            list.back()->SetRepeat(e.rule);
            RollForward(*list.back(), {2026, 6, 15}, leapDay);
        }
        ExpectRoundTrip(list, leapDay);
        ExportCounts counts;
        const std::string file =
            WriteCalendar(list, CivilTime{2026, 6, 15}, Cp932(), leapDay, counts);
        EXPECT_NE(
            file.find("\r\nDTSTART:20240229T093000\r\nRRULE:" +
                      std::string(leapDay == LeapDayRule::March1
                                      ? "FREQ=YEARLY;BYYEARDAY=60"
                                      : "FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=28,29;BYSETPOS=-1") +
                      "\r\n"),
            std::string::npos);
        EXPECT_NE(file.find("\r\nDTSTART:19900310T093000\r\nRRULE:FREQ=YEARLY\r\n"),
                  std::string::npos);
        EXPECT_NE(file.find("\r\nRRULE:FREQ=MONTHLY;BYMONTHDAY=28,29,30;BYSETPOS=-1\r\n"),
                  std::string::npos);
        EXPECT_EQ(
            file.find("RRULE:", file.find("DTSTART:20260501T093000\r\nRRULE:FREQ=DAILY") + 60),
            std::string::npos)
            << "an entry without a rule has none";
    }
}

TEST(ICalendarRead, BadFilesChangeNothingAndBrokenEventsAreCountedByReason)
{
    EXPECT_EQ(ReadTestFile("not-calendar.ics").error, ReadError::NotCalendar);
    EXPECT_EQ(ReadTestFile("binary.ics").error, ReadError::NotText);
    EXPECT_EQ(ReadTestFile("unterminated.ics").error, ReadError::Unterminated);
    EXPECT_EQ(ReadCalendar("", Cp932(), Context()).error, ReadError::NotCalendar);
    EXPECT_EQ(ReadCalendar("BEGIN:VCALENDAR\nBEGIN:VEVENT\nEND:VTODO\nEND:VCALENDAR\n", Cp932(),
                           Context())
                  .error,
              ReadError::Malformed);

    const ReadResult read = ReadTestFile("partly-broken.ics");
    ASSERT_EQ(read.error, ReadError::None);
    ASSERT_EQ(read.candidates.size(), 1u);
    EXPECT_EQ(Line(read.candidates[0]), "2027-03-01 10:00 good");
    const auto& noStart = read.skipped[static_cast<int>(SkipReason::NoStart)];
    EXPECT_EQ(noStart.count, 2u);
    EXPECT_EQ(noStart.firstLine, 3u);
    EXPECT_EQ(read.skipped[static_cast<int>(SkipReason::BadStart)].count, 1u);
    EXPECT_EQ(read.skipped[static_cast<int>(SkipReason::BadLine)].count, 1u);
}

TEST(ICalendarRead, TextsAreCutOnWholeCharactersAndUnheldCharactersCounted)
{
    std::string file = "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART:20270101T000000\r\nSUMMARY:";
    for (int i = 0; i < 70; ++i)
        file += "星";  // 140 bytes in the code page
    file +=
        "\r\nDESCRIPTION:caf\xC3\xA9 \xF0\x9F\x98\x80 \xFF end\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    const ReadResult read = ReadCalendar(file, Cp932(), Context());
    ASSERT_EQ(read.candidates.size(), 1u);
    const Candidate& c = read.candidates[0];
    EXPECT_EQ(c.name.size(), 126u) << "63 whole characters, never half of one";
    EXPECT_TRUE(c.cut);
    EXPECT_EQ(c.description, "caf\x81\x48 \x81\x48 \x81\x48 end") << "é, an emoji and a bad byte";
    EXPECT_EQ(c.replaced, 3u);

    // A bare CR inside a line (found by fuzzing) is a line break like an escaped one;
    // a needless escape before a character of several bytes keeps all of them.
    const ReadResult bare =
        ReadCalendar("BEGIN:VCALENDAR\nBEGIN:VEVENT\nDTSTART:20270101\nSUMMARY:a\rb\n"
                     "DESCRIPTION:c\rd\\\xE6\x97\xA5\nEND:VEVENT\nEND:VCALENDAR\n",
                     Cp932(), Context());
    ASSERT_EQ(bare.candidates.size(), 1u);
    EXPECT_EQ(bare.candidates[0].name, "a b");
    EXPECT_EQ(bare.candidates[0].description, "c\r\nd" + Sjis(u"日"));
    EXPECT_EQ(bare.candidates[0].replaced, 0u);

    // An escaped CR or LF (also found by fuzzing) gives no raw control character:
    // a space in a name, CR LF in a description, so an export reads back the same.
    const ReadResult escaped =
        ReadCalendar("BEGIN:VCALENDAR\nBEGIN:VEVENT\nDTSTART:19900412\nSUMMARY:a\\\r\r\n"
                     "DESCRIPTION:c\\\rd\nEND:VEVENT\nEND:VCALENDAR\n",
                     Cp932(), Context());
    ASSERT_EQ(escaped.candidates.size(), 1u);
    EXPECT_EQ(escaped.candidates[0].name, "a ");
    EXPECT_EQ(escaped.candidates[0].description, "c\r\nd");
}

TEST(ICalendarRead, PastAndKnownEntriesStartUnchecked)
{
    std::vector<Candidate> candidates(4);
    const auto set = [](Candidate& c, int day, const char* name) {
        c.year = 2026, c.month = 6, c.day = static_cast<std::uint16_t>(day), c.hour = 9;
        c.name = name;
    };
    set(candidates[0], 14, "past");
    set(candidates[1], 15, "held");
    set(candidates[2], 15, "new");
    set(candidates[3], 15, "new");  // the file's own duplicate
    CScheduleList schedule;
    schedule.push_back(Entry(2026, 6, 15, 9, 0, "held"));
    const std::vector<char> checks = InitialChecks(candidates, schedule, CivilTime{2026, 6, 15});
    EXPECT_EQ(checks, (std::vector<char>{0, 0, 1, 0}));
}

TEST(ICalendarWrite, FileIsFoldedEscapedUtf8AndReadsBackByteForByte)
{
    // 125 bytes of ASCII and one double-byte character: 127 bytes, the longest name.
    std::string longName(125, 'a');
    longName += Sjis(u"終");
    CScheduleList list;
    list.push_back(Entry(2027, 3, 14, 9, 30, "a, b; c\\d", "line 1\r\nline 2, with; \\"));
    list.push_back(Entry(2027, 12, 31, 23, 59, longName, Sjis(u"ﾊﾝｶｸ ｶﾀｶﾅ と 全角")));
    list.push_back(
        Entry(2028, 2, 29, 0, 0, Sjis(u"閏日"), std::string(200, 'x') + Sjis(u"長い解説")));
    list.push_back(Entry(2027, 3, 14, 9, 30, "a, b; c\\d", "line 1\r\nline 2, with; \\"));
    ExpectRoundTrip(list);

    ExportCounts counts;
    const std::string file = WriteCalendar(list, CivilTime{2026, 6, 15, 1, 2, 3}, Cp932(),
                                           LeapDayRule::February28, counts);
    EXPECT_EQ(file.compare(0, 17, "BEGIN:VCALENDAR\r\n"), 0) << "no BOM";
    EXPECT_NE(file.find("\r\nVERSION:2.0\r\n"), std::string::npos);
    EXPECT_NE(file.find("\r\nSUMMARY:a\\, b\\; c\\\\d\r\n"), std::string::npos);
    EXPECT_NE(file.find("\r\nDTSTART:20270314T093000\r\n"), std::string::npos);
    EXPECT_NE(file.find("\r\nDTSTAMP:20260615T010203Z\r\n"), std::string::npos);
    std::size_t start = 0;
    while (start < file.size()) {
        const std::size_t end = file.find("\r\n", start);
        ASSERT_NE(end, std::string::npos) << "every line ends in CR LF";
        EXPECT_LE(end - start, 75u);
        // A continuation (its leading space, then text) never begins inside a UTF-8 sequence.
        if (file[start] == ' ')
            EXPECT_NE(static_cast<unsigned char>(file[start + 1]) & 0xC0, 0x80)
                << "line at " << start;
        start = end + 2;
    }
}

TEST(ICalendarWrite, UidsFollowContentsNotPositions)
{
    CScheduleList list;
    list.push_back(Entry(2027, 1, 1, 0, 0, "one"));
    list.push_back(Entry(2027, 1, 1, 0, 0, "two"));
    list.push_back(Entry(2027, 1, 1, 0, 0, "one"));
    const std::vector<std::string> uids = EntryUids(list);
    EXPECT_NE(uids[0], uids[1]);
    EXPECT_NE(uids[0], uids[2]) << "identical entries differ by which of them they are";
    CScheduleList moved;
    moved.push_back(Entry(2027, 1, 1, 0, 0, "two"));
    moved.push_back(Entry(2027, 1, 1, 0, 0, "one"));
    EXPECT_EQ(EntryUids(moved), (std::vector<std::string>{uids[1], uids[0]}));
}

TEST(ICalendarWrite, UnrepresentableBytesAndDatesAreShownNotHidden)
{
    CScheduleList list;
    list.push_back(Entry(2027, 2, 31, 0, 0, "no such day"));
    list.push_back(Entry(2027, 1, 1, 0, 0,
                         "bad \x81"
                         "12 byte"));  // a lead byte, no trail
    ExportCounts counts;
    const std::string file =
        WriteCalendar(list, CivilTime{2026, 6, 15}, Cp932(), LeapDayRule::February28, counts);
    EXPECT_EQ(counts.skippedBadDate, 1u);
    EXPECT_EQ(counts.written, 1u);
    EXPECT_EQ(counts.replaced, 1u);
    EXPECT_NE(file.find("SUMMARY:bad \xEF\xBF\xBD"
                        "12 byte\r\n"),
              std::string::npos);
}

TEST(ICalendarWrite, SampleScheduleReadsBackByteForByte)
{
    const std::string path = testing::TempDir() + "icalendar_sample.pvd";
    ASSERT_EQ(std::system((std::string(PLOVER_SAMPLEGEN) + " " + path).c_str()), 0);
    const std::string bytes = FileBytes(path);
    std::remove(path.c_str());
    ScheduleHeader header;
    CScheduleList list;
    ReadSchedule(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), header, list);
    ASSERT_FALSE(list.empty());
    ExpectRoundTrip(list);
}

// A file's own zones on the days their clocks change: a wall time in the hour that
// is skipped counts with the offset before the change, one in the hour that comes
// twice is its first; a half-hour offset, and a zone whose summer spans New Year.
TEST(ICalendarRead, ZoneTimesAroundTheirChangesAndOffHourZones)
{
    const std::string zones =
        "BEGIN:VCALENDAR\r\n"
        "BEGIN:VTIMEZONE\r\nTZID:NY\r\n"
        "BEGIN:DAYLIGHT\r\nDTSTART:20070311T020000\r\nTZOFFSETFROM:-0500\r\nTZOFFSETTO:-0400\r\n"
        "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\r\nEND:DAYLIGHT\r\n"
        "BEGIN:STANDARD\r\nDTSTART:20071104T020000\r\nTZOFFSETFROM:-0400\r\nTZOFFSETTO:-0500\r\n"
        "RRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n"
        "BEGIN:VTIMEZONE\r\nTZID:Kolkata\r\n"
        "BEGIN:STANDARD\r\nDTSTART:19450101T000000\r\nTZOFFSETFROM:+0630\r\nTZOFFSETTO:+0530\r\n"
        "END:STANDARD\r\nEND:VTIMEZONE\r\n"
        "BEGIN:VTIMEZONE\r\nTZID:Sydney\r\n"
        "BEGIN:STANDARD\r\nDTSTART:20080406T030000\r\nTZOFFSETFROM:+1100\r\nTZOFFSETTO:+1000\r\n"
        "RRULE:FREQ=YEARLY;BYMONTH=4;BYDAY=1SU\r\nEND:STANDARD\r\n"
        "BEGIN:DAYLIGHT\r\nDTSTART:20081005T020000\r\nTZOFFSETFROM:+1000\r\nTZOFFSETTO:+1100\r\n"
        "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=1SU\r\nEND:DAYLIGHT\r\nEND:VTIMEZONE\r\n";
    const struct {
        const char* start;
        const char* utc;
    } cases[] = {
        {"TZID=NY:20270314T015900", "2027-03-14 06:59"},
        {"TZID=NY:20270314T023000", "2027-03-14 07:30"},  // skipped: as 03:30 EDT
        {"TZID=NY:20270314T033000", "2027-03-14 07:30"},
        {"TZID=NY:20271107T013000", "2027-11-07 05:30"},  // twice: the first, EDT
        {"TZID=NY:20271107T020000", "2027-11-07 07:00"},
        {"TZID=Kolkata:20270105T090000", "2027-01-05 03:30"},
        {"TZID=Sydney:20270105T090000", "2027-01-04 22:00"},  // summer, +11
        {"TZID=Sydney:20270705T090000", "2027-07-04 23:00"},  // winter, +10
        {"TZID=Sydney:20270404T023000", "2027-04-03 15:30"},  // twice: the first, +11
        {"TZID=Sydney:20271003T023000", "2027-10-02 16:30"},  // skipped: +10
    };
    std::string file = zones;
    for (const auto& c : cases)
        file += std::string("BEGIN:VEVENT\r\nDTSTART;") + c.start + "\r\nSUMMARY:" + c.start +
                "\r\nEND:VEVENT\r\n";
    file += "END:VCALENDAR\r\n";
    ReadContext utc;  // a machine on UTC, so the candidates show the moments themselves
    utc.today = CivilTime{2026, 6, 15};
    utc.utcToLocal = [](const CivilTime& t) { return t; };
    const ReadResult read = ReadCalendar(file, Cp932(), utc);
    ASSERT_EQ(read.candidates.size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(Line(read.candidates[i]), std::string(cases[i].utc) + " " + cases[i].start);
}
