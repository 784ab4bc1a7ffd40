// Times loading and saving a 100,000-entry schedule (about 65 MB) the way Plover
// does it, beside a plain copy of the same file in the same run; and the write that
// follows every dialog's OK on a large real schedule of 1,000 entries (652 KB),
// beside a copy of that file; and the same 100,000 entries with a repeat rule on
// every other one, so the rules' trailer is timed beside the plain file.  Built natively
// (the platform-free reader with stdio) and for Windows (Plover's own file code),
// 32-bit and 64-bit.
//
// A load has to put its entries into memory the process has never touched, and on
// some virtual machines every first touch of a page traps to the host (about 10 us
// a page here, also for a plain Linux program): then that, not the reader, is most
// of the load.  So the run also times first touching as much new memory as the
// entries take, and shows the load with and without it.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "schedule/ScheduleFile.h"

#ifdef _WIN32
#include <windows.h>

#include "schedule/PloverDoc.h"
#include "schedule/ScheduleStore.h"
#else
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

using namespace plover::bench;

plover::CScheduleList MakeSchedule(int count, bool halfRepeat = false)
{
    plover::CScheduleList list;
    for (int i = 0; i < count; ++i) {
        auto entry = std::make_unique<plover::CPloverFile>();
        entry->m_wYear = static_cast<std::uint16_t>(2000 + i % 100);
        entry->m_wMonth = static_cast<std::uint16_t>(1 + i % 12);
        entry->m_wDay = static_cast<std::uint16_t>(1 + i % 28);
        const std::string name = "entry " + std::to_string(i);
        plover::CPloverFile::SetText(entry->m_szName, sizeof entry->m_szName, name);
        plover::CPloverFile::SetText(entry->m_szDescription, sizeof entry->m_szDescription, name);
        plover::CPloverFile::SetText(entry->m_szBmpFile, sizeof entry->m_szBmpFile, "");
        if (halfRepeat && i % 2 == 0)
            entry->SetRepeat(i % 4 == 0 ? plover::RepeatRule::Yearly : plover::RepeatRule::Monthly);
        list.push_back(std::move(entry));
    }
    return list;
}


#ifdef _WIN32
const char* kPlatform = sizeof(void*) == 8 ? "64-bit build (x86-64) under Wine"
                                           : "32-bit build (i686) under Wine";

bool Save(const std::string& path, const plover::CScheduleList& list)
{
    const std::wstring wide(path.begin(), path.end());
    return plover::SaveScheduleFile(wide, 0, list, false).outcome == plover::ScheduleSave::Saved;
}

std::size_t Load(const std::string& path)
{
    const std::wstring wide(path.begin(), path.end());
    plover::ScheduleHeader header;
    plover::CScheduleList list;
    plover::LoadScheduleFile(wide, header, list);
    return list.size();
}

// Flushed like the save and like the native copy, so all three reach the disk.
bool Copy(const std::string& from, const std::string& to)
{
    const std::wstring a(from.begin(), from.end()), b(to.begin(), to.end());
    if (!::CopyFileW(a.c_str(), b.c_str(), FALSE))
        return false;
    const HANDLE copy = ::CreateFileW(b.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (copy == INVALID_HANDLE_VALUE)
        return false;
    const bool flushed = ::FlushFileBuffers(copy) != FALSE;
    ::CloseHandle(copy);
    return flushed;
}

// What the document does after an OK: the edit, then the whole file written.
double WriteAfterOkSeconds(const std::string& path, int entries)
{
    plover::CPloverDoc doc;
    doc.m_strFilePath = std::wstring(path.begin(), path.end());
    doc.m_ScheduleList = MakeSchedule(entries - 1);
    const auto added = MakeSchedule(1);
    const auto start = Clock::now();
    doc.AddEntry(*added[0]);
    return Seconds(start);
}

std::string ScratchPath(const char* name)
{
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + name;
}
#else
const char* kPlatform = "native, no Wine";

// The same steps as the Windows code: pieces streamed to a temporary file, flush,
// rename; the load reads the file through a read-only mapping.
bool Save(const std::string& path, const plover::CScheduleList& list)
{
    const std::string temp = path + ".tmp";
    const int fd = ::open(temp.c_str(), O_CREAT | O_TRUNC | O_WRONLY, 0644);
    if (fd < 0)
        return false;
    const bool ok =
        plover::WriteSchedule(0, list,
                              [fd](const std::uint8_t* data, std::size_t size) {
                                  return ::write(fd, data, size) == static_cast<ssize_t>(size);
                              }) &&
        ::fsync(fd) == 0;
    ::close(fd);
    return ok && std::rename(temp.c_str(), path.c_str()) == 0;
}

std::size_t Load(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0)
        return 0;
    struct stat info {};
    void* view = MAP_FAILED;
    if (::fstat(fd, &info) == 0 && info.st_size > 0)
        view = ::mmap(nullptr, static_cast<std::size_t>(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
    ::close(fd);
    if (view == MAP_FAILED)
        return 0;
    plover::ScheduleHeader header;
    plover::CScheduleList list;
    plover::ReadSchedule(static_cast<const std::uint8_t*>(view), static_cast<std::size_t>(info.st_size),
                         header, list);
    ::munmap(view, static_cast<std::size_t>(info.st_size));
    return list.size();
}

bool Copy(const std::string& from, const std::string& to)
{
    FILE* in = std::fopen(from.c_str(), "rb");
    FILE* out = std::fopen(to.c_str(), "wb");
    std::vector<char> buffer(1 << 20);
    std::size_t got;
    bool ok = in && out;
    while (ok && (got = std::fread(buffer.data(), 1, buffer.size(), in)) > 0)
        ok = std::fwrite(buffer.data(), 1, got, out) == got;
    if (out) {
        std::fflush(out);
        ::fsync(::fileno(out));
        std::fclose(out);
    }
    if (in)
        std::fclose(in);
    return ok;
}

// Without the document natively: its write is the save itself.
double WriteAfterOkSeconds(const std::string& path, int entries)
{
    const auto list = MakeSchedule(entries);
    const auto start = Clock::now();
    Save(path, list);
    return Seconds(start);
}

std::string ScratchPath(const char* name)
{
    return std::string("/tmp/") + name;
}
#endif

}  // namespace

int main()
{
    constexpr int kEntries = 100000;
    constexpr int kLargeReal = 1000;
    const std::string path = ScratchPath("plover-bench.pvd");
    const std::string copy = ScratchPath("plover-bench-copy.pvd");

    double write = 1e9, smallCopy = 1e9;
    for (int round = 0; round < 10; ++round) {  // best of ten, turn about
        write = std::min(write, WriteAfterOkSeconds(path, kLargeReal));
        const auto start = Clock::now();
        Copy(path, copy);
        smallCopy = std::min(smallCopy, Seconds(start));
    }
    const auto list = MakeSchedule(kEntries);
    const auto repeating = MakeSchedule(kEntries, true);

    double save = 1e9, load = 1e9, copyTime = 1e9, fresh = 1e9;
    double saveRules = 1e9, loadRules = 1e9;
    std::size_t loaded = 0, loadedRules = 0;
    for (int round = 0; round < 3; ++round) {  // best of three, with and without rules turn about
        auto start = Clock::now();
        if (!Save(path, repeating)) {
            std::printf("save failed\n");
            return 1;
        }
        saveRules = std::min(saveRules, Seconds(start));
        start = Clock::now();
        loadedRules = Load(path);
        loadRules = std::min(loadRules, Seconds(start));
        start = Clock::now();
        if (!Save(path, list)) {
            std::printf("save failed\n");
            return 1;
        }
        save = std::min(save, Seconds(start));
        start = Clock::now();
        loaded = Load(path);
        load = std::min(load, Seconds(start));
        start = Clock::now();
        Copy(path, copy);
        copyTime = std::min(copyTime, Seconds(start));
        fresh = std::min(fresh, FreshMemorySeconds(kEntries * sizeof(plover::CPloverFile)));
    }
    std::printf("write after a dialog's OK, %d entries, %.0f KB, %s (best of 10)\n", kLargeReal,
                static_cast<double>(plover::ScheduleFileSize(kLargeReal)) / 1e3, kPlatform);
    std::printf("  write %8.2f ms  (%.2f x copy; goal: at most 2 x)\n", write * 1e3, write / smallCopy);
    std::printf("  copy  %8.2f ms\n", smallCopy * 1e3);
    std::printf("schedule file, %d entries, %.1f MB, %s (best of 3)\n", kEntries,
                static_cast<double>(plover::ScheduleFileSize(kEntries)) / 1e6, kPlatform);
    std::printf("  save  %8.1f ms  (%.2f x copy)\n", save * 1e3, save / copyTime);
    std::printf("  load  %8.1f ms  (%.2f x copy, %zu entries read)\n", load * 1e3, load / copyTime,
                loaded);
    std::printf("  copy  %8.1f ms\n", copyTime * 1e3);
    std::printf("  new memory for the entries, first touch  %.1f ms (%.2f x copy)\n", fresh * 1e3,
                fresh / copyTime);
    std::printf("  load beyond that  %.1f ms  (%.2f x copy; goal for load and save: at most 2 x)\n",
                (load - fresh) * 1e3, (load - fresh) / copyTime);
    std::printf("the same with a repeat rule on every other entry (%.1f MB)\n",
                static_cast<double>(plover::ScheduleFileSize(kEntries) + plover::ScheduleTrailerSize(kEntries)) /
                    1e6);
    std::printf("  save  %8.1f ms  (%.2f x without rules; goal: at most 1.2 x)\n", saveRules * 1e3,
                saveRules / save);
    std::printf("  load  %8.1f ms  (%.2f x without rules, %zu entries read)\n", loadRules * 1e3,
                loadRules / load, loadedRules);
    std::remove(path.c_str());
    std::remove(copy.c_str());
    return 0;
}
