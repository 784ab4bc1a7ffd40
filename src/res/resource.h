// Resource and command identifiers, shared by the resource script and the code.
#pragma once

// The document template's resource: menu, accelerators, icon and document string.
#define IDR_MAINFRAME 128

// The pictures and cursors drawn for high-DPI displays: the set at 150 % has each
// 100 % id plus this step, the set at 200 % plus twice the step.
#define ID_ASSET_SET_STEP 1000

// Menu commands of the program.
#define IDM_SCHEDULE_ADD 32770
#define IDM_SCHEDULE_EDIT 32771
#define IDM_SCHEDULE_DELETE 32772
#define IDM_TARGET_SELECT 32774
#define IDM_CONSTELLATION 32775
#define IDM_ZODIAC 32776
#define IDM_OPTIONS 32777
#define IDM_HELP_SCIENCE 32778
// The bar key (and its item in 表示): the double click's cycle of the bars.
#define IDM_VIEW_BARS 32779

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
// The notification area menu's 表示.
#define IDM_TRAY_SHOW 32790

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

// The schedule dialogs.
#define IDD_ADD_SCHEDULE 103
#define IDD_TARGET_SELECT 104
#define IDD_EDIT_SCHEDULE 105
#define IDD_DELETE_SCHEDULE 107

// Spin buttons of the add and edit dialogs, each bound to the edit before it.
#define IDC_SPIN_YEAR 1000
#define IDC_SPIN_MONTH 1001
#define IDC_SPIN_DAY 1002
#define IDC_SPIN_HOUR 1003
#define IDC_SPIN_MINUTE 1004
// The open-file button of the add and edit dialogs.
#define IDC_CHOOSE_PICTURE 285

// Add dialog.
#define IDC_ADD_YEAR 205
#define IDC_ADD_MONTH 207
#define IDC_ADD_DAY 208
#define IDC_ADD_HOUR 210
#define IDC_ADD_MINUTE 212
#define IDC_ADD_NAME 116
#define IDC_ADD_DESCRIPTION 117
#define IDC_ADD_PICTURE_NAME 287
#define IDC_ADD_FRAME 283

// Edit dialog: the list, the working copy's entry on the left (read-only), the
// fields that change it on the right.
#define IDC_EDIT_LIST 134
#define IDC_EDIT_LEFT_YEAR 234
#define IDC_EDIT_LEFT_MONTH 235
#define IDC_EDIT_LEFT_DAY 236
#define IDC_EDIT_LEFT_HOUR 237
#define IDC_EDIT_LEFT_MINUTE 238
#define IDC_EDIT_LEFT_DESCRIPTION 164
#define IDC_EDIT_LEFT_PICTURE_NAME 289
#define IDC_EDIT_LEFT_FRAME 291
#define IDC_EDIT_NAME 135
#define IDC_EDIT_YEAR 214
#define IDC_EDIT_MONTH 224
#define IDC_EDIT_DAY 218
#define IDC_EDIT_HOUR 220
#define IDC_EDIT_MINUTE 221
#define IDC_EDIT_DESCRIPTION 139
#define IDC_EDIT_PICTURE_NAME 290
#define IDC_EDIT_RIGHT_FRAME 284
#define IDC_EDIT_APPLY 1005

// Delete dialog.
#define IDC_DELETE_LIST 147
#define IDC_DELETE_YEAR 228
#define IDC_DELETE_MONTH 226
#define IDC_DELETE_DAY 229
#define IDC_DELETE_HOUR 230
#define IDC_DELETE_MINUTE 232
#define IDC_DELETE_DESCRIPTION 233
#define IDC_DELETE_PICTURE_NAME 293
#define IDC_DELETE_FRAME 294
#define IDC_DELETE_ENTRY 1003

// Target dialog.
#define IDC_TARGET_LIST 125
#define IDC_TARGET_YEAR 239
#define IDC_TARGET_MONTH 241
#define IDC_TARGET_DAY 242
#define IDC_TARGET_HOUR 243
#define IDC_TARGET_MINUTE 244
#define IDC_TARGET_DESCRIPTION 163
#define IDC_TARGET_PICTURE_NAME 293
#define IDC_TARGET_FRAME 1002

// The options sheet: its construction caption and its five pages.
#define IDS_OPTIONS_SHEET 102
#define IDD_OPTIONS_SHOW 106
#define IDD_OPTIONS_CURSOR 108
#define IDD_OPTIONS_TIMER 109
#define IDD_OPTIONS_START 111
#define IDD_OPTIONS_SOUND 130

// Cursor page.
#define IDC_CURSOR_LIST 1006

// Timer page: each spin button takes the edit before it as its buddy.
#define IDC_TIMER_ICON_FLAG 1008
#define IDC_TIMER_DESTROY_FLAG 1009
#define IDC_TIMER_ICON_SEC 1010
#define IDC_TIMER_ICON_SPIN 1000
#define IDC_TIMER_DESTROY_SEC 1011
#define IDC_TIMER_DESTROY_SPIN 1001

// Start-up page.
#define IDC_START_POSITION 255
#define IDC_START_SIZE 275
#define IDC_START_NO_TITLE_BAR 296
#define IDC_START_NO_MENU_BAR 297

// Display page: the window's parts, the lower panel's content and the clock.
#define IDC_SHOW_ROLL_STAR 264
#define IDC_SHOW_TITLE_BAR 269
#define IDC_SHOW_MENU_BAR 265
#define IDC_SHOW_DATE 272
#define IDC_SHOW_TARGET 270
#define IDC_SHOW_PANEL 271
#define IDC_PANEL_SCHEDULE 260
#define IDC_PANEL_CLOCK 263
#define IDC_PANEL_PICTURE 295
#define IDC_CLOCK_HOUR24 262
#define IDC_CLOCK_GOTHIC 267
#define IDC_CLOCK_MINCHO 268
#define IDC_PANEL_GROUP 273
#define IDC_SHOW_LEAP_FEB28 1101
#define IDC_SHOW_LEAP_MAR1 1102
#define IDC_SHOW_COUNT_UP 1103
#define IDC_ADD_REPEAT 1104
#define IDC_EDIT_REPEAT 1105
#define IDC_START_WITH_WINDOWS 1106
#define IDC_START_TURNED_OFF 1107
#define IDC_SHOW_TRAY_ICON 1108
#define IDC_SHOW_TRAY_MINIMIZED 1109

// Notices page.
#define IDD_OPTIONS_NOTICE 190
#define IDC_NOTICE_AT_TIME 1110
#define IDC_NOTICE_DAY_BEFORE 1111
#define IDC_NOTICE_HOUR 1112
#define IDC_NOTICE_HOUR_SPIN 1113
#define IDC_NOTICE_MINUTE 1114
#define IDC_NOTICE_MINUTE_SPIN 1115
#define IDC_NOTICE_MINUTES_BEFORE 1116
#define IDC_NOTICE_MINUTES 1117
#define IDC_NOTICE_MINUTES_SPIN 1118

// Sound page.
#define IDC_SOUND_START 1016
#define IDC_SOUND_END 1017
#define IDC_SOUND_VERSION 1012
#define IDC_SOUND_LIST 1018
#define IDC_SOUND_TO_START 1013
#define IDC_SOUND_TO_END 1014
#define IDC_SOUND_TO_VERSION 1015
#define IDC_SOUND_TEST 1019
#define IDC_SOUND_ON 1020

// The version box: its template and the button it makes itself.
#define IDD_ABOUTBOX 100
#define IDC_ABOUT_OK 1001

// The constellations culminating this month.
#define IDD_CONSTELLATION 120
#define IDC_CONSTELLATION_LIST 281
#define IDC_CONSTELLATION_DESCRIPTION 276
#define IDC_CONSTELLATION_MONTH 277
#define IDC_CONSTELLATION_DAY 278
#define IDC_CONSTELLATION_HOUR 279
#define IDC_CONSTELLATION_MINUTE 280

// This month's zodiac sign, and its twelve pictures (out of order in July and
// October).
#define IDD_ZODIAC 121
#define IDC_ZODIAC_NAME 177
#define IDC_ZODIAC_DESCRIPTION 282
#define IDB_ZODIAC_CAPRICORNUS 122
#define IDB_ZODIAC_AQUARIUS 124
#define IDB_ZODIAC_PISCES 126
#define IDB_ZODIAC_ARIES 127
#define IDB_ZODIAC_TAURUS 128
#define IDB_ZODIAC_GEMINI 129
#define IDB_ZODIAC_CANCER 133
#define IDB_ZODIAC_LEO 131
#define IDB_ZODIAC_VIRGO 132
#define IDB_ZODIAC_LIBRA 136
#define IDB_ZODIAC_SCORPIUS 134
#define IDB_ZODIAC_SAGITTARIUS 135

// The help window: a list of pages beside the page shown, and the pages' text.
#define IDD_HELP 170
#define IDC_HELP_TOPICS 171
#define IDC_HELP_PAGE 172
#define IDR_HELP_PAGES 175

// iCalendar files in and out (menu ﾌｧｲﾙ), and the dialog that picks what comes in.
#define IDM_ICAL_IMPORT 33280
#define IDM_ICAL_EXPORT 33281
#define IDD_ICAL_IMPORT 180
#define IDC_ICAL_LIST 181
#define IDC_ICAL_SELECT_ALL 182
#define IDC_ICAL_SELECT_NONE 183
#define IDC_ICAL_SUMMARY 184
