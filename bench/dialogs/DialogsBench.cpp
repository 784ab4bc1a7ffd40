// Opening the edit and the delete dialog on a 10,000-entry schedule, from the start
// of the open until the dialog is shown with nothing left to paint, against a floor
// in the same run: a bare window of the dialog's size whose one list box is filled
// with the same names.  Runs are interleaved so all three see the same machine.
// Prints medians, minima, their ratio to the floor, and where the time goes.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "schedule/DeleteScheduleDlg.h"
#include "schedule/EditScheduleDlg.h"
#include "schedule/ScheduleEdits.h"
#include "resource.h"

using namespace plover;

namespace {

constexpr int kEntries = 10000;
constexpr int kWarmUps = 2;
constexpr int kRuns = 15;
constexpr int kTodayYear = 2026;

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Names as people write them: Japanese and ASCII words with a number, stored as
// Shift-JIS the way the schedule file holds them.
CScheduleList MakeSchedule(int count)
{
    static const wchar_t* const kWords[] = {
        L"星空観察会", L"忘年会", L"歯医者 14:30", L"Team meeting", L"誕生日",
        L"締め切り", L"京都旅行", L"同窓会", L"Release v", L"大掃除",
        L"ペルセウス座流星群", L"英会話 lesson", L"定期検診", L"引っ越し", L"花火大会",
    };
    constexpr int kWordCount = static_cast<int>(sizeof kWords / sizeof kWords[0]);
    CScheduleList list;
    list.reserve(static_cast<std::size_t>(count));
    char sjis[CPloverFile::kNameSize];
    for (int i = 0; i < count; ++i) {
        const std::wstring name = std::wstring(kWords[i % kWordCount]) + L" 第" +
                                  std::to_wstring(i / kWordCount + 1) + L"回";
        const int bytes =
            ::WideCharToMultiByte(932, 0, name.c_str(), static_cast<int>(name.size()), sjis,
                                  static_cast<int>(sizeof sjis), nullptr, nullptr);
        auto entry = std::make_unique<CPloverFile>();
        entry->m_wYear = static_cast<std::uint16_t>(kTodayYear + i % 5);
        entry->m_wMonth = static_cast<std::uint16_t>(1 + i % 12);
        entry->m_wDay = static_cast<std::uint16_t>(1 + i % 28);
        entry->m_wHour = static_cast<std::uint16_t>(i % 24);
        entry->m_wMinute = static_cast<std::uint16_t>(i % 60);
        CPloverFile::SetText(entry->m_szName, CPloverFile::kNameSize,
                             std::string_view(sjis, static_cast<std::size_t>(std::max(bytes, 0))));
        CPloverFile::SetText(entry->m_szDescription, CPloverFile::kDescriptionSize, "");
        CPloverFile::SetText(entry->m_szBmpFile, CPloverFile::kBmpFileSize, "");
        list.push_back(std::move(entry));
    }
    return list;
}

void PumpPending()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// Shown and painted: every child painted now, then whatever the showing queued.
void FinishPainting(HWND window)
{
    ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpPending();
    ::GdiFlush();
}

// What a closed window leaves behind (the driver's late notices of the showing and
// hiding) is handled before the next run starts its clock.
void Settle()
{
    for (int i = 0; i < 4; ++i) {
        PumpPending();
        ::Sleep(5);
    }
}

// Where one open spent its time.
struct Phases {
    double total = 0;
    double create = 0;  // the window and its controls, before the contents
    double fill = 0;    // the contents: for a dialog its whole WM_INITDIALOG
    double paint = 0;   // the rest: showing and painting
};

// A dialog that notes when its controls were made and when its WM_INITDIALOG ended.
template <class Dialog>
class CTimedDialog : public Dialog {
public:
    using Dialog::Dialog;
    Clock::time_point m_tControlsMade;
    Clock::time_point m_tInitEnded;

protected:
    bool OnInitDialog() override
    {
        m_tControlsMade = Clock::now();
        const bool result = Dialog::OnInitDialog();
        m_tInitEnded = Clock::now();
        return result;
    }
};

template <class Dialog, class... Args>
Phases OpenDialog(Args&&... args)
{
    using Ms = std::chrono::duration<double, std::milli>;
    Phases phases;
    auto dialog = std::make_unique<CTimedDialog<Dialog>>(std::forward<Args>(args)...);
    const auto start = Clock::now();
    if (!dialog->Create()) {
        std::fprintf(stderr, "the dialog could not be created\n");
        return phases;
    }
    FinishPainting(dialog->m_hWnd);
    const auto end = Clock::now();
    phases.total = Ms(end - start).count();
    phases.create = Ms(dialog->m_tControlsMade - start).count();
    phases.fill = Ms(dialog->m_tInitEnded - dialog->m_tControlsMade).count();
    phases.paint = Ms(end - dialog->m_tInitEnded).count();
    dialog.reset();
    Settle();
    return phases;
}

// The floor's window: the dialog's size and place, its list box where the dialog
// has its own, in the dialog's font.
struct FloorLayout {
    RECT window{};
    RECT list{};
    HFONT font = nullptr;
};

constexpr wchar_t kFloorClass[] = L"PloverBenchFloor";

class CWindowOwner {
public:
    explicit CWindowOwner(HWND window = nullptr) : m_hWnd(window) {}
    ~CWindowOwner()
    {
        if (m_hWnd)
            ::DestroyWindow(m_hWnd);
    }
    CWindowOwner(const CWindowOwner&) = delete;
    CWindowOwner& operator=(const CWindowOwner&) = delete;

    HWND m_hWnd = nullptr;
};

Phases OpenFloor(const CScheduleList& schedule, const FloorLayout& layout)
{
    Phases phases;
    {
        CWindowOwner floor;
        const auto start = Clock::now();
        const HINSTANCE instance = ::GetModuleHandleW(nullptr);
        const RECT& w = layout.window;
        floor.m_hWnd = ::CreateWindowExW(WS_EX_DLGMODALFRAME, kFloorClass, L"floor",
                                         WS_POPUP | WS_CAPTION | WS_SYSMENU, w.left, w.top,
                                         w.right - w.left, w.bottom - w.top, nullptr, nullptr,
                                         instance, nullptr);
        const RECT& l = layout.list;
        const HWND box = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"ListBox", nullptr,
                                           WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY,
                                           l.left, l.top, l.right - l.left, l.bottom - l.top,
                                           floor.m_hWnd, nullptr, instance, nullptr);
        ::SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(layout.font), FALSE);
        phases.create = MillisecondsSince(start);

        const auto filling = Clock::now();
        ::SendMessageW(box, WM_SETREDRAW, FALSE, 0);
        wchar_t name[CPloverFile::kNameSize + 1];
        for (const auto& entry : schedule) {
            const std::string_view sjis = entry->Name();
            const int length = ::MultiByteToWideChar(932, 0, sjis.data(),
                                                     static_cast<int>(sjis.size()), name,
                                                     static_cast<int>(CPloverFile::kNameSize));
            name[length] = L'\0';
            ::SendMessageW(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
        }
        ::SendMessageW(box, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(box, nullptr, TRUE);
        phases.fill = MillisecondsSince(filling);

        const auto showing = Clock::now();
        ::ShowWindow(floor.m_hWnd, SW_SHOW);
        FinishPainting(floor.m_hWnd);
        phases.paint = MillisecondsSince(showing);
        phases.total = MillisecondsSince(start);
    }
    Settle();
    return phases;
}

INT_PTR CALLBACK BareDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

// A dialog's template shown by the dialog manager with no code of ours behind it:
// what its controls cost to make and paint.
double OpenTemplate(UINT templateId)
{
    double total = 0;
    {
        const auto start = Clock::now();
        const CWindowOwner dialog(::CreateDialogParamW(::GetModuleHandleW(nullptr),
                                                       MAKEINTRESOURCEW(templateId), nullptr,
                                                       BareDialogProc, 0));
        ::ShowWindow(dialog.m_hWnd, SW_SHOW);
        FinishPainting(dialog.m_hWnd);
        total = MillisecondsSince(start);
    }
    Settle();
    return total;
}

// The edit dialog's place, list box and font, read from one opened untimed.
bool MeasureEditDialog(const CScheduleList& schedule, FloorLayout& layout, LOGFONTW& font)
{
    CEditScheduleDlg dialog(nullptr, schedule, kTodayYear);
    if (!dialog.Create())
        return false;
    ::GetWindowRect(dialog.m_hWnd, &layout.window);
    const HWND box = ::FindWindowExW(dialog.m_hWnd, nullptr, L"ListBox", nullptr);
    ::GetWindowRect(box, &layout.list);
    ::MapWindowPoints(nullptr, dialog.m_hWnd, reinterpret_cast<POINT*>(&layout.list), 2);
    const auto used = reinterpret_cast<HFONT>(::SendMessageW(dialog.m_hWnd, WM_GETFONT, 0, 0));
    const bool hasFont = used && ::GetObjectW(used, sizeof font, &font) != 0;
    return box && hasFont;
}

// The working copy both dialogs make, on its own.
double CopyMilliseconds(const CScheduleList& schedule)
{
    const auto start = Clock::now();
    const CScheduleList copy = CopySchedule(schedule);
    return MillisecondsSince(start);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double Min(const std::vector<double>& values)
{
    return values.empty() ? 0 : *std::min_element(values.begin(), values.end());
}

struct Series {
    std::vector<double> total, create, fill, paint;

    void Add(const Phases& p)
    {
        total.push_back(p.total);
        create.push_back(p.create);
        fill.push_back(p.fill);
        paint.push_back(p.paint);
    }
};

}  // namespace

int main()
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_UPDOWN_CLASS};
    ::InitCommonControlsEx(&controls);
    WNDCLASSW wc{};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kFloorClass;
    ::RegisterClassW(&wc);

    const CScheduleList schedule = MakeSchedule(kEntries);
    FloorLayout layout;
    LOGFONTW logFont{};
    if (!MeasureEditDialog(schedule, layout, logFont)) {
        std::fprintf(stderr, "the edit dialog could not be opened\n");
        return 0;
    }
    Settle();
    const CFont font(::CreateFontIndirectW(&logFont));
    layout.font = font.Get();

    // The same opens on an empty schedule: what the windows cost whatever the schedule.
    const CScheduleList none;
    Series floor, edit, remove, floorEmpty, editEmpty, removeEmpty;
    std::vector<double> copies, editTemplate, deleteTemplate;
    for (int run = 0; run < kWarmUps + kRuns; ++run) {
        const Phases f = OpenFloor(schedule, layout);
        const Phases e = OpenDialog<CEditScheduleDlg>(nullptr, schedule, kTodayYear);
        const Phases d = OpenDialog<CDeleteScheduleDlg>(nullptr, schedule, 0);
        const double c = CopyMilliseconds(schedule);
        const Phases f0 = OpenFloor(none, layout);
        const Phases e0 = OpenDialog<CEditScheduleDlg>(nullptr, none, kTodayYear);
        const Phases d0 = OpenDialog<CDeleteScheduleDlg>(nullptr, none, 0);
        const double et = OpenTemplate(IDD_EDIT_SCHEDULE);
        const double dt = OpenTemplate(IDD_DELETE_SCHEDULE);
        if (run < kWarmUps)
            continue;
        floor.Add(f);
        edit.Add(e);
        remove.Add(d);
        copies.push_back(c);
        floorEmpty.Add(f0);
        editEmpty.Add(e0);
        removeEmpty.Add(d0);
        editTemplate.push_back(et);
        deleteTemplate.push_back(dt);
    }

    const double floorMedian = Median(floor.total);
    std::printf("opening on a %d-entry schedule until shown and painted, %d runs each, "
                "interleaved (%s build):\n",
                kEntries, kRuns, sizeof(void*) == 8 ? "64-bit" : "32-bit");
    std::printf("                             median      min\n");
    const auto line = [&](const char* name, const Series& s, bool ratio) {
        std::printf("  %-24s %7.1f ms %7.1f ms", name, Median(s.total), Min(s.total));
        if (ratio && floorMedian > 0)
            std::printf("   ratio %.2f (goal: at most 1.5)", Median(s.total) / floorMedian);
        std::printf("\n");
    };
    line("floor: bare list box", floor, false);
    line("edit dialog", edit, true);
    line("delete dialog", remove, true);

    std::printf("where the time goes, medians in ms:       floor     edit   delete\n");
    const auto phase = [&](const char* name, std::vector<double> Series::*part) {
        std::printf("  %-38s %8.1f %8.1f %8.1f\n", name, Median(floor.*part), Median(edit.*part),
                    Median(remove.*part));
    };
    phase("window and controls", &Series::create);
    phase("contents (a dialog's WM_INITDIALOG)", &Series::fill);
    phase("the rest: showing and painting", &Series::paint);
    std::printf("  %-38s %8s %8.1f %8.1f\n", "  of it: the working copy, on its own", "-",
                Median(copies), Median(copies));
    std::printf("  %-38s %8.1f %8.1f %8.1f\n", "the whole open, on an empty schedule",
                Median(floorEmpty.total), Median(editEmpty.total), Median(removeEmpty.total));
    std::printf("  %-38s %8s %8.1f %8.1f\n", "  its template alone, no code of ours", "-",
                Median(editTemplate), Median(deleteTemplate));
    std::fflush(stdout);
    return 0;
}
