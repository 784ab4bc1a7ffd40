// plover_sample_schedule FILE [--target-today | --target-passed] [--picture NAME]
//                             [--repeating] [--target-soon]:
// writes a small schedule with dates relative to today, so a first run of Plover
// shows a real countdown.  The first entry, a few days ahead, is the target; the
// options date it today or twelve days ago instead, or give it a picture file, or
// add a weekly entry that began two weeks ago, or date it at the next minute.
#include <iconv.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include "schedule/ScheduleFile.h"

namespace {

std::string ToShiftJis(const std::string& utf8)
{
    iconv_t convert = iconv_open("CP932", "UTF-8");
    if (convert == reinterpret_cast<iconv_t>(-1))
        return utf8;
    std::string out(utf8.size() * 2 + 4, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* to = out.data();
    std::size_t toLeft = out.size();
    iconv(convert, &in, &inLeft, &to, &toLeft);
    iconv_close(convert);
    out.resize(out.size() - toLeft);
    return out;
}

struct Options {
    const char* file = nullptr;
    int targetDays = 5;
    std::string picture;
    bool repeating = false;
    bool soon = false;
};

bool ParseArgs(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--target-today") == 0)
            options.targetDays = 0;
        else if (std::strcmp(argv[i], "--target-passed") == 0)
            options.targetDays = -12;
        else if (std::strcmp(argv[i], "--repeating") == 0)
            options.repeating = true;
        else if (std::strcmp(argv[i], "--target-soon") == 0)
            options.soon = true;
        else if (std::strcmp(argv[i], "--picture") == 0 && i + 1 < argc)
            options.picture = argv[++i];
        else if (argv[i][0] != '-' && !options.file)
            options.file = argv[i];
        else
            return false;
    }
    return options.file != nullptr;
}

std::unique_ptr<plover::CPloverFile> Entry(int daysFromToday, int hour, const char* name,
                                           const char* description,
                                           const std::string& picture = std::string())
{
    std::time_t when = std::time(nullptr) + static_cast<std::time_t>(daysFromToday) * 86400;
    std::tm parts{};
    localtime_r(&when, &parts);
    auto entry = std::make_unique<plover::CPloverFile>();
    entry->m_wReserved = 0;
    entry->m_wYear = static_cast<std::uint16_t>(parts.tm_year + 1900);
    entry->m_wMonth = static_cast<std::uint16_t>(parts.tm_mon + 1);
    entry->m_wDay = static_cast<std::uint16_t>(parts.tm_mday);
    entry->m_wHour = static_cast<std::uint16_t>(hour);
    entry->m_wMinute = 0;
    using plover::CPloverFile;
    CPloverFile::SetText(entry->m_szName, sizeof entry->m_szName, ToShiftJis(name));
    CPloverFile::SetText(entry->m_szDescription, sizeof entry->m_szDescription,
                         ToShiftJis(description));
    CPloverFile::SetText(entry->m_szBmpFile, sizeof entry->m_szBmpFile, picture);
    return entry;
}

plover::CivilDate Today()
{
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday};
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseArgs(argc, argv, options)) {
        std::fprintf(stderr, "usage: plover_sample_schedule FILE [--target-today | "
                             "--target-passed] [--picture NAME] [--repeating] [--target-soon]\n");
        return 2;
    }
    plover::CScheduleList list;
    list.push_back(Entry(options.targetDays, 19, "星空観察会", "双眼鏡と温かい飲み物を持っていく",
                         options.picture));
    if (options.soon) {
        // Today at the next minute: the notice of the target's time comes within it.
        const std::time_t next = std::time(nullptr) + 60;
        std::tm parts{};
        localtime_r(&next, &parts);
        list.front() = Entry(0, parts.tm_hour, "星空観察会", "双眼鏡と温かい飲み物を持っていく");
        list.front()->m_wYear = static_cast<std::uint16_t>(parts.tm_year + 1900);
        list.front()->m_wMonth = static_cast<std::uint16_t>(parts.tm_mon + 1);
        list.front()->m_wDay = static_cast<std::uint16_t>(parts.tm_mday);
        list.front()->m_wMinute = static_cast<std::uint16_t>(parts.tm_min);
    }
    list.push_back(Entry(2, 18, "忘年会", "駅前の店、七時から"));
    list.push_back(Entry(1, 9, "歯医者", ""));
    list.push_back(Entry(40, 10, "新年会", "公民館にて"));
    if (options.repeating) {
        list.push_back(Entry(-14, 19, "英会話", "駅前の教室"));
        list.back()->SetRepeat(plover::RepeatRule::Weekly);
        plover::RollForward(*list.back(), Today(), plover::LeapDayRule::February28);
    }
    const auto image = plover::WriteSchedule(0, list);
    FILE* file = std::fopen(options.file, "wb");
    if (!file || std::fwrite(image.data(), 1, image.size(), file) != image.size()) {
        std::perror(options.file);
        return 1;
    }
    std::fclose(file);
    return 0;
}
