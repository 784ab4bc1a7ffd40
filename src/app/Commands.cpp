#include "app/Commands.h"

#include "app/MainFrame.h"
#include "astro/ConstellationDlg.h"
#include "astro/ZodiacDlg.h"
#include "framework/Dialog.h"
#include "framework/Help.h"
#include "objects/AboutDlg.h"
#include "options/OptionsSheet.h"
#include "resource.h"
#include "schedule/AddScheduleDlg.h"
#include "calendar/CalendarTransfer.h"
#include "schedule/DeleteScheduleDlg.h"
#include "schedule/EditScheduleDlg.h"
#include "schedule/PloverDoc.h"
#include "schedule/TargetSelectDlg.h"
#include "services/Settings.h"
#include "services/Sound.h"
#include "view/PloverView.h"

namespace plover {

namespace {

// Each schedule dialog works on copies; only its OK changes the document, which
// then tells the view what to refresh.
void AddSchedule(CMainFrame& frame, CPloverView& view, CPloverDoc& doc)
{
    CAddScheduleDlg dialog(view.m_hWnd, doc.m_nTodayYear, doc.m_nTodayMonth, doc.m_nTodayDay);
    if (RunModalDialog(frame, view, dialog) == IDOK)
        doc.AddEntry(dialog.Entry());
}

void EditSchedule(CMainFrame& frame, CPloverView& view, CPloverDoc& doc)
{
    CEditScheduleDlg dialog(frame.m_hWnd, doc.m_ScheduleList, doc.m_nTodayYear);
    if (RunModalDialog(frame, view, dialog) == IDOK)
        doc.ReplaceSchedule(dialog.WorkList(), doc.m_nTarget);
}

void DeleteSchedule(CMainFrame& frame, CPloverView& view, CPloverDoc& doc)
{
    CDeleteScheduleDlg dialog(frame.m_hWnd, doc.m_ScheduleList, doc.m_nTarget);
    if (RunModalDialog(frame, view, dialog) == IDOK)
        doc.ReplaceSchedule(dialog.WorkList(), dialog.Target());
}

void SelectTarget(CMainFrame& frame, CPloverView& view, CPloverDoc& doc)
{
    CTargetSelectDlg dialog(frame.m_hWnd, doc.m_ScheduleList, doc.m_nTarget);
    if (RunModalDialog(frame, view, dialog) == IDOK)
        doc.SetTarget(dialog.Target());
}

// The guides show the document's month; nothing comes back from them.
template <class Guide>
void ShowGuide(CMainFrame& frame, CPloverView& view, const CPloverDoc& doc)
{
    Guide dialog(frame.m_hWnd, doc.m_nTodayMonth);
    RunModalDialog(frame, view, dialog);
}

// A command with a dialog on the document.  Nothing happens without a document,
// or while a dialog is open already (its working copy would go stale under a
// second one).
void RunDocumentCommand(CMainFrame& frame, CPloverView& view, UINT id)
{
    CPloverDoc* doc = view.GetDocument();
    if (!doc || CModalGuard::IsModalOpen())
        return;
    switch (id) {
    case IDM_SCHEDULE_ADD:
        AddSchedule(frame, view, *doc);
        break;
    case IDM_SCHEDULE_EDIT:
        EditSchedule(frame, view, *doc);
        break;
    case IDM_SCHEDULE_DELETE:
        DeleteSchedule(frame, view, *doc);
        break;
    case IDM_TARGET_SELECT:
        SelectTarget(frame, view, *doc);
        break;
    case IDM_CONSTELLATION:
        ShowGuide<CConstellationDlg>(frame, view, *doc);
        break;
    case IDM_ZODIAC:
        ShowGuide<CZodiacDlg>(frame, view, *doc);
        break;
    case IDM_ICAL_EXPORT: {
        // The file dialog and the messages are modal too: the tick waits meanwhile.
        const CModalGuard guard(&view);
        ExportCalendar(frame.m_hWnd, *doc);
        break;
    }
    case IDM_ICAL_IMPORT: {
        const CModalGuard guard(&view);
        ImportCalendar(frame.m_hWnd, *doc, [&frame](CDialog& dialog) {
            dialog.m_hCursor = frame.m_Cursor.Get();
            return dialog.DoModal();
        });
        break;
    }
    default:
        break;
    }
}

// Every setting the sheet carries, changed together: nothing is written or applied
// unless the sheet ends with OK.
void ChangeOptions(CMainFrame& frame, CPloverView& view)
{
    if (CModalGuard::IsModalOpen())
        return;
    CMyPropertySheet sheet(view.m_hWnd);
    sheet.SetCaption(L"Plover のﾌﾟﾛﾊﾟﾃｨ");
    sheet.SetStartPage(view.SheetPage());
    sheet.m_hCursor = frame.m_Cursor.Get();
    const CPloverSettings before = LoadSettingsForSheet(Settings());
    sheet.Fill(before);
    {
        const CModalGuard guard(&view);
        if (sheet.DoModal() != IDOK)
            return;
    }
    ISettingsStore& store = Settings();
    SaveOptions(store, sheet.Result(before));
    // What was written is read back, so a write that failed shows as the readers'
    // defaults rather than as the sheet's values.
    const CPloverSettings stored = LoadSettings(store);
    frame.ReplaceCursor(stored.cursor);
    if (CPloverDoc* doc = view.GetDocument())
        doc->SetLeapDay(stored.leapDayOnMarch1 == 1 ? LeapDayRule::March1
                                                    : LeapDayRule::February28);
    view.ApplySettings(stored);
    view.RestartCounts(stored);
    frame.ApplyNotifySettings(stored);
    view.ShowBars(Read(store, cfg::TitleBarAfterWrite) == 1,
                  Read(store, cfg::MenuBarAfterWrite) != 0);
    view.SetSheetPage(sheet.LastPage());
}

// The version box, with its sound when sounds are on.
void ShowAboutBox(CMainFrame& frame, CPloverView& view)
{
    if (CModalGuard::IsModalOpen())
        return;
    if (Read(Settings(), cfg::Sound) != 0)
        PlaySoundOrDefault(Read(Settings(), cfg::VerWav));
    CAboutDlg dialog(frame.m_hWnd);
    RunModalDialog(frame, view, dialog);
}

}  // namespace

bool RunCommand(CMainFrame& frame, CPloverView& view, UINT id)
{
    switch (id) {
    case IDM_APP_EXIT:
        // The same way out as the close box: the schedule is written on the way.
        ::PostMessageW(frame.m_hWnd, WM_CLOSE, 0, 0);
        return true;
    case IDM_TARGET_TIME:
        frame.ComeToFront();
        return true;
    case IDM_HELP_FINDER:
    case IDM_HELP_INDEX:
    case IDM_DEFAULT_HELP:
        ShowHelp(frame.m_hWnd, HELP_FINDER, 0);
        return true;
    case IDM_HELP_SCIENCE:
        ShowHelp(frame.m_hWnd, HELP_CONTEXT, 101);
        return true;
    case IDM_HELP:
    case IDM_CONTEXT_HELP:
        // Help for the main window itself: no control of Plover has a topic of its
        // own, so the context-help mode would end on this topic wherever clicked.
        ShowHelp(frame.m_hWnd, HELP_CONTEXT, kResourceHelpBase + IDR_MAINFRAME);
        return true;
    case IDM_SCHEDULE_ADD:
    case IDM_SCHEDULE_EDIT:
    case IDM_SCHEDULE_DELETE:
    case IDM_TARGET_SELECT:
    case IDM_CONSTELLATION:
    case IDM_ZODIAC:
    case IDM_ICAL_IMPORT:
    case IDM_ICAL_EXPORT:
        RunDocumentCommand(frame, view, id);
        return true;
    case IDM_OPTIONS:
        ChangeOptions(frame, view);
        return true;
    case IDM_VIEW_BARS:
        view.CycleBars();
        return true;
    case IDM_APP_ABOUT:
        ShowAboutBox(frame, view);
        return true;
    default:
        return false;
    }
}

INT_PTR RunModalDialog(CMainFrame& frame, CPloverView& view, CDialog& dialog)
{
    dialog.m_hCursor = frame.m_Cursor.Get();
    const CModalGuard guard(&view);
    return dialog.DoModal();
}

}  // namespace plover
