#include "calendar/CalendarTransfer.h"

#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>
#include <cwchar>
#include <new>
#include <string>
#include <vector>

#include "framework/FileIo.h"
#include "framework/LateBound.h"
#include "framework/MessageBox.h"
#include "calendar/ICalendar.h"
#include "calendar/ImportCalendarDlg.h"
#include "schedule/FileMessages.h"
#include "schedule/PloverDoc.h"
#include "services/LocalTime.h"

namespace plover {

namespace {

constexpr wchar_t kFilter[] = L"iCalendar ﾌｧｲﾙ (*.ics)\0*.ics\0すべてのﾌｧｲﾙ (*.*)\0*.*\0";

void Warn(HWND owner, const std::wstring& text)
{
    ShowMessage(owner, text, MB_OK | MB_ICONEXCLAMATION);
}

void Tell(HWND owner, const std::wstring& text)
{
    ShowMessage(owner, text, MB_OK | MB_ICONINFORMATION);
}

std::wstring DocumentsFolder()
{
    static const auto getFolder =
        LateBound<decltype(&::SHGetFolderPathW)>(L"shell32.dll", "SHGetFolderPathW");
    wchar_t path[MAX_PATH] = {};
    if (getFolder && SUCCEEDED(getFolder(nullptr, CSIDL_PERSONAL, nullptr, 0, path)))
        return path;
    return {};
}

// The file dialogs' library comes in when a file is first asked for.
std::wstring AskFile(HWND owner, bool save)
{
    std::vector<wchar_t> file(32768, L'\0');
    const std::wstring folder = DocumentsFolder();
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = kFilter;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrDefExt = L"ics";
    ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    bool chosen = false;
    if (save) {
        ofn.lpstrTitle = L"iCalendar ﾌｧｲﾙへの書き出し";
        ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
        std::wcscpy(file.data(), L"Plover.ics");
        ofn.Flags |= OFN_OVERWRITEPROMPT;
        static const auto saveFile =
            LateBound<decltype(&::GetSaveFileNameW)>(L"comdlg32.dll", "GetSaveFileNameW");
        chosen = saveFile && saveFile(&ofn);
    } else {
        ofn.lpstrTitle = L"読み込む iCalendar ﾌｧｲﾙ";
        ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
        ofn.Flags |= OFN_FILEMUSTEXIST;
        static const auto openFile =
            LateBound<decltype(&::GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
        chosen = openFile && openFile(&ofn);
    }
    return chosen ? std::wstring(file.data()) : std::wstring();
}

ical::CivilTime FromSystemTime(const SYSTEMTIME& t)
{
    return ical::CivilTime{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

// The machine's own rules for the date in question, daylight saving included,
// read once per import: asked for every event, the system would read them from
// the registry each time.  A moment before 1601 (which the system cannot
// convert) stays as it is.
ical::CivilTime UtcToLocal(const TIME_ZONE_INFORMATION& zone, const ical::CivilTime& utc)
{
    if (utc.year < 1601 || utc.year > 30000)
        return utc;
    SYSTEMTIME in{};
    in.wYear = static_cast<WORD>(utc.year);
    in.wMonth = static_cast<WORD>(utc.month);
    in.wDay = static_cast<WORD>(utc.day);
    in.wHour = static_cast<WORD>(utc.hour);
    in.wMinute = static_cast<WORD>(utc.minute);
    in.wSecond = static_cast<WORD>(utc.second);
    SYSTEMTIME out{};
    if (!::SystemTimeToTzSpecificLocalTime(&zone, &in, &out))
        return utc;
    return FromSystemTime(out);
}

std::wstring Count(std::size_t n)
{
    return std::to_wstring(n) + L" 件";
}

std::wstring ReadErrorText(const ical::ReadResult& read)
{
    const std::wstring line = std::to_wstring(read.errorLine) + L" 行目";
    switch (read.error) {
    case ical::ReadError::NotText:
        return L"このファイルはテキストファイルではありません（制御文字を含むバイナリファイルです）"
               L"。";
    case ical::ReadError::NotCalendar:
        return L"このファイルは iCalendar ファイルではありません（BEGIN:VCALENDAR "
               L"で始まっていません）。";
    case ical::ReadError::Unterminated:
        return L"このファイルは途中で終わっています（" + line +
               L"で、END のない BEGIN が残っています）。";
    case ical::ReadError::Malformed:
    default:
        return L"このファイルは壊れています（" + line +
               L"の BEGIN と END が対応していないか、"
               L"カレンダーの外に内容があります）。";
    }
}

// Why events were left out: each kind with its count and where the first begins.
std::wstring SkippedText(const ical::ReadResult& read)
{
    static const wchar_t* const kReasons[] = {
        L"開始日時 (DTSTART) がない",
        L"開始日時が読めない",
        L"日付が 1 年から 9999 年の外",
        L"コロンのない壊れた行がある",
    };
    std::wstring text;
    for (int i = 0; i < static_cast<int>(ical::SkipReason::Count); ++i) {
        const ical::Skipped& s = read.skipped[i];
        if (s.count == 0)
            continue;
        text += L"\n・" + std::wstring(kReasons[i]) + L": " + Count(s.count) + L"（最初は " +
                std::to_wstring(s.firstLine) + L" 行目から）";
    }
    return text;
}

}  // namespace

void ExportCalendar(HWND owner, const CPloverDoc& doc)
{
    const std::wstring path = AskFile(owner, true);
    if (path.empty())
        return;
    SYSTEMTIME now{};
    ::GetSystemTime(&now);
    ical::ExportCounts counts;
    const DWORD error = WriteFileAtomically(path, [&](const FileSink& sink) {
        return ical::WriteCalendar(doc.m_ScheduleList, FromSystemTime(now), Cp932(), doc.m_LeapDay,
                                   sink, counts);
    });
    if (error != ERROR_SUCCESS) {
        Warn(owner, FileErrorText(FileErrorFromWin32(error), path) +
                        L"\n\niCalendar ファイルは書き出せませんでした。");
        return;
    }
    std::wstring text = Count(counts.written) + L"の予定を書き出しました。\n" + path;
    if (counts.skippedBadDate)
        text += L"\n\n日付か時刻が暦にない " + Count(counts.skippedBadDate) +
                L"の予定は書き出せませんでした（2 月 31 日、24 時など）。";
    if (counts.replaced)
        text += L"\n\nShift-JIS として読めない " + std::to_wstring(counts.replaced) +
                L" 文字を「\uFFFD」にして書き出しました。";
    text += L"\n\n画像は書き出されません。";
    Tell(owner, text);
}

ical::ReadContext MachineReadContext()
{
    const LocalTime today = Now();
    ical::ReadContext context;
    context.today = ical::CivilTime{today.year, today.month, today.day};
    TIME_ZONE_INFORMATION zone{};
    ::GetTimeZoneInformation(&zone);
    context.utcToLocal = [zone](const ical::CivilTime& utc) { return UtcToLocal(zone, utc); };
    return context;
}

void ImportCalendar(HWND owner, CPloverDoc& doc, const std::function<INT_PTR(CDialog&)>& runDialog)
{
    const std::wstring path = AskFile(owner, false);
    if (path.empty())
        return;
    const wchar_t* const unchanged = L"\n\n予定は何も変わっていません。";
    std::string bytes;
    ical::ReadResult read;
    try {
        const DWORD error = ReadWholeFile(path, bytes);
        if (error == ERROR_NOT_ENOUGH_MEMORY)  // told like no room for what it holds
            throw std::bad_alloc();
        if (error != ERROR_SUCCESS) {
            Warn(owner, FileErrorText(FileErrorFromWin32(error), path) + unchanged);
            return;
        }
        ical::ReadContext context = MachineReadContext();
        context.leapDay = doc.m_LeapDay;
        read = ical::ReadCalendar(bytes, Cp932(), context);
        std::string().swap(bytes);
    } catch (const std::bad_alloc&) {
        Warn(owner,
             L"メモリが足りないため、このファイルを読み込めませんでした。\n" + path + unchanged);
        return;
    }
    if (read.error != ical::ReadError::None) {
        Warn(owner, ReadErrorText(read) + L"\n" + path + unchanged);
        return;
    }
    const std::wstring skipped =
        read.SkippedTotal()
            ? L"読み込めなかった予定: " + Count(read.SkippedTotal()) + SkippedText(read)
            : std::wstring();
    if (read.candidates.empty()) {
        Warn(owner, L"このファイルには読み込める予定がありません。\n" + path +
                        (skipped.empty() ? std::wstring() : L"\n\n" + skipped) + unchanged);
        return;
    }
    const LocalTime today = Now();
    CImportCalendarDlg dialog(
        owner, read.candidates,
        ical::InitialChecks(read.candidates, doc.m_ScheduleList,
                            ical::CivilTime{today.year, today.month, today.day}),
        read.SkippedTotal() ? L"読み込めなかった予定: " + Count(read.SkippedTotal())
                            : std::wstring());
    if (runDialog(dialog) != IDOK)
        return;

    CScheduleList added;
    std::size_t changed = 0, replaced = 0, cut = 0;
    for (std::size_t i = 0; i < read.candidates.size(); ++i) {
        if (!dialog.Checks()[i])
            continue;
        const ical::Candidate& c = read.candidates[i];
        auto entry = std::make_unique<CPloverFile>();
        ical::ToEntry(c, *entry);
        added.push_back(std::move(entry));
        changed += c.Changed();
        replaced += c.replaced;
        cut += c.cut;
    }
    doc.AppendEntries(added);

    std::wstring text = Count(added.size()) + L"の予定を追加しました。";
    text += L"\n選ばなかった予定: " + Count(read.candidates.size() - added.size());
    if (!skipped.empty())
        text += L"\n" + skipped;
    if (changed) {
        text += L"\n\n変換で変わった予定: " + Count(changed);
        if (replaced)
            text +=
                L"\n・Shift-JIS にない " + std::to_wstring(replaced) + L" 文字を「？」にしました";
        if (cut)
            text +=
                L"\n・長すぎる名称や解説を切り詰めるか、名称の改行を空白にしました: " + Count(cut);
    }
    Tell(owner, text);
}

}  // namespace plover
