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
#define IDB_CURSOR_PREVIEW_FIRST 137
#define IDB_CURSOR_PREVIEW_LAST 148

// Cursors: colour 145..150, monochrome 156..161.
#define IDC_CURSOR_COLOR_FIRST 145
#define IDC_CURSOR_MONO_FIRST 156

// Child windows of the view.
#define IDC_STAR_LEFT 150
#define IDC_STAR_RIGHT 151
#define IDC_MONTH_LIST 152
#define IDC_CLOCK 153
