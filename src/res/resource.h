// Resource and command identifiers, shared by the resource script and the code.
#pragma once

// The document template's resource: menu, accelerators, icon and document string.
#define IDR_MAINFRAME 128

// Menu commands of the program.
#define IDM_SCHEDULE_ADD 32770
#define IDM_SCHEDULE_EDIT 32771
#define IDM_SCHEDULE_DELETE 32772
#define IDM_TARGET_SELECT 32774
#define IDM_CONSTELLATION 32775
#define IDM_ZODIAC 32776
#define IDM_OPTIONS 32777
#define IDM_HELP_SCIENCE 32778

// Commands with the framework's standard numbers.
#define IDM_FILE_NEW 57600
#define IDM_FILE_OPEN 57601
#define IDM_FILE_SAVE 57603
#define IDM_EDIT_COPY 57634
#define IDM_EDIT_CUT 57635
#define IDM_EDIT_PASTE 57637
#define IDM_EDIT_UNDO 57643
#define IDM_APP_ABOUT 57664
#define IDM_APP_EXIT 57665
#define IDM_HELP_FINDER 57666
#define IDM_HELP_INDEX 57667
#define IDM_CONTEXT_HELP 57669
#define IDM_HELP 57670
#define IDM_DEFAULT_HELP 57671
#define IDM_NEXT_PANE 57680
#define IDM_PREV_PANE 57681

// Posted by the clock when the target minute begins.
#define IDM_TARGET_TIME 61204

// Strings.
#define IDS_APP_TITLE 57344
#define IDS_TARGET_TIME 61204

// Bitmaps: the shooting star and its mask, the rotating star's ten frames in the
// order they are shown, and the cursor previews.
#define IDB_SHOOTING_STAR 110
#define IDB_SHOOTING_STAR_MASK 149
#define IDB_ROLL_STAR_1 114
#define IDB_ROLL_STAR_2 115
#define IDB_ROLL_STAR_3 116
#define IDB_ROLL_STAR_4 117
#define IDB_ROLL_STAR_5 118
#define IDB_ROLL_STAR_6 119
#define IDB_ROLL_STAR_7 120
#define IDB_ROLL_STAR_8 121
#define IDB_ROLL_STAR_9 125
#define IDB_ROLL_STAR_10 123

// The twelve cursors and their previews, a monochrome and a colour one per motif.
// The comet's colour preview is out of the run of the others.
#define IDC_CURSOR_COMET_MONO 156
#define IDC_CURSOR_COMET_COLOR 145
#define IDC_CURSOR_SHOOTING_MONO 157
#define IDC_CURSOR_SHOOTING_COLOR 146
#define IDC_CURSOR_PLANET_MONO 158
#define IDC_CURSOR_PLANET_COLOR 147
#define IDC_CURSOR_QUASAR_MONO 159
#define IDC_CURSOR_QUASAR_COLOR 148
#define IDC_CURSOR_SHOWER_MONO 160
#define IDC_CURSOR_SHOWER_COLOR 149
#define IDC_CURSOR_HEART_MONO 161
#define IDC_CURSOR_HEART_COLOR 150
#define IDB_PREVIEW_COMET_MONO 143
#define IDB_PREVIEW_COMET_COLOR 142
#define IDB_PREVIEW_SHOOTING_MONO 144
#define IDB_PREVIEW_SHOOTING_COLOR 137
#define IDB_PREVIEW_PLANET_MONO 145
#define IDB_PREVIEW_PLANET_COLOR 138
#define IDB_PREVIEW_QUASAR_MONO 146
#define IDB_PREVIEW_QUASAR_COLOR 139
#define IDB_PREVIEW_SHOWER_MONO 147
#define IDB_PREVIEW_SHOWER_COLOR 140
#define IDB_PREVIEW_HEART_MONO 148
#define IDB_PREVIEW_HEART_COLOR 141

// Child windows of the view.
#define IDC_STAR_LEFT 150
#define IDC_STAR_RIGHT 151
#define IDC_MONTH_LIST 152
#define IDC_CLOCK 153
