// What the four schedule dialogs share: entry fields shown and read by the entry's
// rules, the list of names, the "select first" message, and up to two picture
// frames, each drawn inside its frame control and realised on palette changes.
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <string>

#include "framework/Dialog.h"
#include "objects/PictureSlot.h"
#include "schedule/ScheduleFile.h"

namespace plover {

// The controls that show one entry's date, time, description and picture name.
struct EntryFieldIds {
    UINT year, month, day, hour, minute, description, pictureName;
    UINT repeat = 0;  // the rule's drop-down list, where the dialog changes it
};

class CScheduleDialog : public CDialog {
protected:
    // Pictures are drawn in the frame controls `firstFrame` and, when not 0,
    // `secondFrame`.
    CScheduleDialog(UINT templateId, HWND parent, UINT firstFrame, UINT secondFrame = 0);

    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

    // The entry's numbers and texts into the fields (not its name).
    void ShowEntry(const EntryFieldIds& ids, const CPloverFile& entry);
    // The entry chosen in list box `listId` of `list`, with its picture from the
    // program's folder in the first frame; nothing changes without a choice.
    void ShowChosenEntry(UINT listId, const CScheduleList& list, const EntryFieldIds& ids);
    // The rule choices into drop-down list `comboId`, in RepeatRule's order.
    void FillRepeatChoices(UINT comboId);
    // The spin buttons of a date and time: the year from `firstYear` on.
    void SetDateSpinRanges(int firstYear);
    // The fields into `entry`: numbers as typed cut to 16 bits (no number: 0), texts
    // at most what their buffers store with a terminating zero.  A rule chosen anew
    // or a date typed anew makes the typed date the rule's anchor; an entry whose
    // rule and shown date stay as they were keeps its anchor (a monthly 31st shown
    // on the 30th stays a 31st).
    void ReadEntry(const EntryFieldIds& ids, UINT nameId, CPloverFile& entry) const;
    // Byte limits of the fields an entry is typed into.
    void LimitEntryTexts(UINT nameId, UINT descriptionId);
    FieldRefusal RefusalText(bool unstorable, std::size_t maxBytes) const override;
    // The names of `list` into list box `listId`, in list order, nothing selected;
    // a repeating entry's name is followed by its rule ("毎年").
    void FillNames(UINT listId, const CScheduleList& list);
    // The list box's selection; with none the user is asked to choose first and -1
    // comes back.
    int RequireSelection(UINT listId);
    // The entry at `index` of `list`, or null when there is none.
    static const CPloverFile* EntryAt(const CScheduleList& list, int index);
    // Where an entry's picture is looked up.  Empty for no picture.
    static std::wstring StoredPicture(const CPloverFile& entry);

    // Frame `pane` (0 or 1) shows the picture at `path`, or none for an empty path.
    void ShowPicture(std::size_t pane, const std::wstring& path);

private:
    struct Pane {
        UINT frameId = 0;
        CPictureSlot slot;
    };
    RECT PaneRect(const Pane& pane) const;
    void OnPaint();
    // Realises each picture's palette; true when colours changed.
    bool RealizePictures(bool background);

    std::array<Pane, 2> m_Panes;
};

}  // namespace plover
