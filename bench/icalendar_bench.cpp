// Times the two iCalendar commands on 100,000 events, each beside the plain file
// operation it cannot do without, in the same run: importing a 10 MB file against
// reading its bytes, exporting a 100,000-entry schedule against writing (and
// flushing) as many bytes.  Built natively and for Windows (the system's code page
// conversion and Plover's own file writer there).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "calendar/ICalendar.h"
#include "schedule/ScheduleEdits.h"

#ifdef _WIN32
#include <windows.h>

#include "framework/FileIo.h"
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

using namespace plover::bench;
using namespace plover;

std::string Utf8Name(int i)
{
    static const char* const kWords[] = {"卒業式", "誕生日", "星空観察会", "歯医者", "新年会", "Meeting"};
    return std::string(kWords[i % 6]) + " " + std::to_string(i) + " のお知らせ";
}

// About 100 bytes an event: plain, UTC and yearly events in turn.
std::string MakeImportFile(int events)
{
    std::string file = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//bench//EN\r\n";
    char start[64];
    for (int i = 0; i < events; ++i) {
        std::snprintf(start, sizeof start, "DTSTART:%04d%02d%02dT%02d%02d00%s\r\n", 2020 + i % 10,
                      1 + i % 12, 1 + i % 28, i % 24, i % 60, i % 3 == 1 ? "Z" : "");
        file += "BEGIN:VEVENT\r\n";
        file += start;
        if (i % 3 == 2)
            file += "RRULE:FREQ=YEARLY\r\n";
        file += "SUMMARY:" + Utf8Name(i) + "\r\nEND:VEVENT\r\n";
    }
    return file + "END:VCALENDAR\r\n";
}

CScheduleList MakeSchedule(int count)
{
    CScheduleList list;
    std::string sjis;
    for (int i = 0; i < count; ++i) {
        auto e = std::make_unique<CPloverFile>();
        e->m_wYear = static_cast<std::uint16_t>(2020 + i % 10);
        e->m_wMonth = static_cast<std::uint16_t>(1 + i % 12);
        e->m_wDay = static_cast<std::uint16_t>(1 + i % 28);
        e->m_wHour = static_cast<std::uint16_t>(i % 24);
        e->m_wMinute = static_cast<std::uint16_t>(i % 60);
        std::u16string name;
        for (char c : std::to_string(i))
            name.push_back(static_cast<char16_t>(c));
        name += u" 番目の予定, 説明つき";
        sjis.clear();
        Cp932().FromUnicode(name, sjis);
        CPloverFile::SetText(e->m_szName, CPloverFile::kNameSize, sjis);
        CPloverFile::SetText(e->m_szDescription, CPloverFile::kDescriptionSize, sjis + "\r\n" + sjis);
        CPloverFile::SetText(e->m_szBmpFile, CPloverFile::kBmpFileSize, {});
        list.push_back(std::move(e));
    }
    return list;
}

#ifdef _WIN32
const char* kPlatform = sizeof(void*) == 8 ? "64-bit build (x86-64) under Wine"
                                           : "32-bit build (i686) under Wine";

std::string ScratchPath(const char* name)
{
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + name;
}

std::wstring Wide(const std::string& path)
{
    return std::wstring(path.begin(), path.end());
}

bool WriteWhole(const std::string& path, const std::string& bytes)
{
    const HANDLE file = ::CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    const bool ok = file != INVALID_HANDLE_VALUE &&
                    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    ::FlushFileBuffers(file);
    if (file != INVALID_HANDLE_VALUE)
        ::CloseHandle(file);
    return ok;
}

std::string ReadWhole(const std::string& path)
{
    const HANDLE file = ::CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    LARGE_INTEGER size{};
    ::GetFileSizeEx(file, &size);
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD got = 0;
    ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    ::CloseHandle(file);
    return bytes;
}

ical::CivilTime UtcToLocal(const ical::CivilTime& utc)
{
    SYSTEMTIME in{static_cast<WORD>(utc.year), static_cast<WORD>(utc.month), 0, static_cast<WORD>(utc.day),
                  static_cast<WORD>(utc.hour), static_cast<WORD>(utc.minute), static_cast<WORD>(utc.second), 0};
    SYSTEMTIME out{};
    // Read once, as the import command does.
    static const TIME_ZONE_INFORMATION zone = [] {
        TIME_ZONE_INFORMATION z{};
        ::GetTimeZoneInformation(&z);
        return z;
    }();
    ::SystemTimeToTzSpecificLocalTime(&zone, &in, &out);
    return ical::CivilTime{out.wYear, out.wMonth, out.wDay, out.wHour, out.wMinute, out.wSecond};
}

bool Export(const std::string& path, const CScheduleList& list, ical::ExportCounts& counts)
{
    return WriteFileAtomically(Wide(path), [&](const FileSink& sink) {
               return ical::WriteCalendar(list, ical::CivilTime{2026, 6, 15}, Cp932(), LeapDayRule::February28, sink, counts);
           }) == ERROR_SUCCESS;
}
#else
const char* kPlatform = "native, no Wine";

std::string ScratchPath(const char* name)
{
    return std::string("/tmp/") + name;
}

bool WriteWhole(const std::string& path, const std::string& bytes)
{
    const int fd = ::open(path.c_str(), O_CREAT | O_TRUNC | O_WRONLY, 0644);
    const bool ok = fd >= 0 && ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()) &&
                    ::fsync(fd) == 0;
    if (fd >= 0)
        ::close(fd);
    return ok;
}

std::string ReadWhole(const std::string& path)
{
    std::string bytes;
    const int fd = ::open(path.c_str(), O_RDONLY);
    const off_t size = ::lseek(fd, 0, SEEK_END);
    ::lseek(fd, 0, SEEK_SET);
    bytes.resize(static_cast<std::size_t>(size));
    const ssize_t got = ::read(fd, bytes.data(), bytes.size());
    ::close(fd);
    bytes.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return bytes;
}

ical::CivilTime UtcToLocal(const ical::CivilTime& utc)
{
    std::tm parts{};
    parts.tm_year = utc.year - 1900;
    parts.tm_mon = utc.month - 1;
    parts.tm_mday = utc.day;
    parts.tm_hour = utc.hour;
    parts.tm_min = utc.minute;
    parts.tm_sec = utc.second;
    const std::time_t moment = ::timegm(&parts);
    ::localtime_r(&moment, &parts);
    return ical::CivilTime{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour,
                           parts.tm_min, parts.tm_sec};
}

// The same steps as the program's writer: a temporary file, flushed, renamed.
bool Export(const std::string& path, const CScheduleList& list, ical::ExportCounts& counts)
{
    const std::string temp = path + ".tmp";
    const int fd = ::open(temp.c_str(), O_CREAT | O_TRUNC | O_WRONLY, 0644);
    if (fd < 0)
        return false;
    const bool ok = ical::WriteCalendar(list, ical::CivilTime{2026, 6, 15}, Cp932(), LeapDayRule::February28,
                                        [fd](const char* data, std::size_t size) {
                                            return ::write(fd, data, size) == static_cast<ssize_t>(size);
                                        },
                                        counts) &&
                    ::fsync(fd) == 0;
    ::close(fd);
    return ok && std::rename(temp.c_str(), path.c_str()) == 0;
}
#endif


// What the import command does short of its dialog: read, parse, the starting
// checks, and the entries the checked candidates become.
double g_parse = 1e9, g_entries = 1e9;

std::size_t Import(const std::string& path)
{
    const std::string bytes = ReadWhole(path);
    auto start = Clock::now();
    ical::ReadContext context;
    context.today = ical::CivilTime{2026, 6, 15};
    context.utcToLocal = UtcToLocal;
    const ical::ReadResult read = ical::ReadCalendar(bytes, Cp932(), context);
    g_parse = std::min(g_parse, Seconds(start));
    start = Clock::now();
    CScheduleList none;
    const std::vector<char> checks = ical::InitialChecks(read.candidates, none, context.today);
    CScheduleList added;
    added.reserve(read.candidates.size());
    for (std::size_t i = 0; i < read.candidates.size(); ++i) {
        auto entry = std::make_unique<CPloverFile>();
        ical::ToEntry(read.candidates[i], *entry);
        added.push_back(std::move(entry));
    }
    g_entries = std::min(g_entries, Seconds(start));
    return checks.size() == added.size() ? added.size() : 0;
}

// The system's part of an export: every name and description through the code
// page conversion, as the export hands them to it, and nothing else.
double ConversionSeconds(const CScheduleList& list)
{
    std::u16string text;
    const auto start = Clock::now();
    for (const auto& entry : list) {
        ToUnicodeVisibly(Cp932(), entry->Name(), text);
        ToUnicodeVisibly(Cp932(), entry->Description(), text);
    }
    return Seconds(start);
}

}  // namespace

int main()
{
    constexpr int kCount = 100000;
    const std::string importPath = ScratchPath("plover-bench-import.ics");
    const std::string exportPath = ScratchPath("plover-bench-export.ics");
    const std::string plainPath = ScratchPath("plover-bench-plain.ics");
    const std::string importFile = MakeImportFile(kCount);
    WriteWhole(importPath, importFile);
    const CScheduleList schedule = MakeSchedule(kCount);
    Cp932();  // the code page's tables, made once, belong to no one run

    double read = 1e9, import = 1e9, write = 1e9, exportTime = 1e9, fresh = 1e9, convert = 1e9;
    std::size_t imported = 0, exportedBytes = 0;
    ical::ExportCounts counts;
    for (int round = 0; round < 3; ++round) {  // best of three
        auto start = Clock::now();
        const std::string bytes = ReadWhole(importPath);
        read = std::min(read, Seconds(start));
        if (bytes.size() != importFile.size())
            std::printf("short read\n");
        start = Clock::now();
        imported = Import(importPath);
        import = std::min(import, Seconds(start));
        fresh = std::min(fresh, FreshMemorySeconds(imported * sizeof(CPloverFile)));

        start = Clock::now();
        if (!Export(exportPath, schedule, counts)) {
            std::printf("export failed\n");
            return 1;
        }
        exportTime = std::min(exportTime, Seconds(start));
        convert = std::min(convert, ConversionSeconds(schedule));
        const std::string exported = ReadWhole(exportPath);
        exportedBytes = exported.size();
        start = Clock::now();
        WriteWhole(plainPath, exported);
        write = std::min(write, Seconds(start));
    }
    std::printf("iCalendar files, %d events, %s (best of 3)\n", kCount, kPlatform);
    std::printf("  import  %8.1f ms  (%.2f x read; goal: at most 3 x)  %zu events from %.1f MB\n",
                import * 1e3, import / read, imported, static_cast<double>(importFile.size()) / 1e6);
    std::printf("  read    %8.1f ms\n", read * 1e3);
    std::printf("    of the import: parse %.1f ms, checks and entries %.1f ms\n", g_parse * 1e3,
                g_entries * 1e3);
    std::printf("  floor: new memory for the entries, first touch %.1f ms (%.2f x read); import "
                "beyond that %.2f x read\n",
                fresh * 1e3, fresh / read, (import - fresh) / read);
    std::printf("  export  %8.1f ms  (%.2f x write; goal: at most 2 x)  %zu entries, %.1f MB\n",
                exportTime * 1e3, exportTime / write, counts.written,
                static_cast<double>(exportedBytes) / 1e6);
    std::printf("  write   %8.1f ms  (flushed to disk, as the export is)\n", write * 1e3);
    // The export writes and flushes the same bytes itself, and hands every text to
    // the system's code page conversion: those two are its floor.
    std::printf("  floor: that write and the system's code page conversion of the texts (%.1f ms) "
                "%.2f x write; export beyond that %.2f x write\n",
                convert * 1e3, (write + convert) / write, (exportTime - write - convert) / write);
    std::remove(importPath.c_str());
    std::remove(exportPath.c_str());
    std::remove(plainPath.c_str());
    return 0;
}
