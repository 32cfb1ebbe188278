// Resource numbers, command identifiers, private messages and timers of Pinvane.
// Included by the resource script and by the C++ code.
#pragma once

// Icons
#define IDR_MAINFRAME            128
#define IDI_DESKTOP              141

// Dialog templates
#define IDD_ABOUTBOX             100
#define IDD_MOSSREL_DIALOG       102
#define IDD_CONTROL_PANEL        129
#define IDD_TACKLET              131
#define IDD_WRITEMSG             135
#define IDD_BODYEDIT             168
#define IDD_REMINDER             170
#define IDD_TRANSPARENT          133
#define IDD_TACKLET_COLOR        134
#define IDD_FRAME                138
#define IDD_POINTWIN             153
#define IDD_ARROWWIN             154

// Menus
#define IDR_TRAY_MENU            130

// Strings
#define IDS_ABOUTBOX             101

// System menu item of the main window
#define IDM_ABOUTBOX             16

// Main window controls
#define IDC_BTN_EXPORTSTACK      3
#define IDC_BTN_PENDING          6
#define IDC_BTN_INPORTSTACK      1133
#define IDC_CHK_SEARCHPANEL      1162

// Main panel controls
#define IDC_PANEL_LIST           1002
#define IDC_PANEL_DELETE         1003
#define IDC_PANEL_DELETEALL      1004
#define IDC_PANEL_EXPORT         3
#define IDC_PANEL_REPASTE        4
#define IDC_PANEL_PENDING        6
#define IDC_PANEL_PROPATY        1018
#define IDC_PANEL_MATCHCOND      1019
#define IDC_PANEL_DEFAULTS       1031
#define IDC_PANEL_PRESET         1032
#define IDC_PANEL_HIDDEN1        1070
#define IDC_PANEL_COUNT          1097
#define IDC_PANEL_CENTERWINDOW   1178
#define IDC_PANEL_CENTERMONITOR  1179
#define IDC_PANEL_EDITTEXT       1186
#define IDC_PANEL_HIDDEN2        1189
#define IDC_PANEL_MODE_TITLE     1200
#define IDC_PANEL_MODE_TEXT      1201

// Body edit dialog
#define IDC_BODYEDIT_TEXT        1007

// Writing window and version dialog controls
#define IDC_WRITEMSG_TEXT        1016
#define IDC_ABOUT_VERSION        1004
#define IDC_ABOUT_ICON           1155

// Note window controls
#define IDC_TACKLET_EDIT         1005
#define IDC_TACKLET_EAR          1006

// Colour and leader-line dialog (134)
#define IDC_COLOR_EAR_RED        1011
#define IDC_COLOR_EAR_GREEN      1012
#define IDC_COLOR_EAR_BLUE       1013
#define IDC_COLOR_EAR_ORANGE     1014
#define IDC_COLOR_EAR_BLACK      1057
#define IDC_COLOR_SW_EAR_RED     1015
#define IDC_COLOR_SW_EAR_GREEN   1016
#define IDC_COLOR_SW_EAR_BLUE    1017
#define IDC_COLOR_SW_EAR_ORANGE  1018
#define IDC_COLOR_SW_EAR_BLACK   1060
#define IDC_COLOR_POS_RIGHT      1020
#define IDC_COLOR_POS_TOP        1021
#define IDC_COLOR_POS_LEFT       1033
#define IDC_COLOR_POS_BOTTOM     1034
#define IDC_COLOR_TX_BLACK       1030
#define IDC_COLOR_TX_RED         1031
#define IDC_COLOR_TX_BLUE        1032
#define IDC_COLOR_BK_WHITE       1025
#define IDC_COLOR_BK_RED         1019
#define IDC_COLOR_BK_GREEN       1022
#define IDC_COLOR_BK_BLUE        1023
#define IDC_COLOR_BK_ORANGE      1024
#define IDC_COLOR_BK_GREY        1035
#define IDC_COLOR_SW_BK_RED      1026
#define IDC_COLOR_SW_BK_GREEN    1027
#define IDC_COLOR_SW_BK_BLUE     1028
#define IDC_COLOR_SW_BK_ORANGE   1029
#define IDC_COLOR_SW_BK_GREY     1036
#define IDC_COLOR_GRADIENT       1201
#define IDC_COLOR_PTN_FIRST      1202   // 1202..1209: patterns 0..7
#define IDC_COLOR_ARROW_OFF      1125
#define IDC_COLOR_ARROW_ON       1126
#define IDC_COLOR_WIDTH_THIN     1210
#define IDC_COLOR_WIDTH_NORMAL   1211
#define IDC_COLOR_WIDTH_THICK    1212

// Transparency dialog (133)
#define IDC_TRANS_PERCENT        1008
#define IDC_TRANS_SPIN           1009
#define IDC_TRANS_MOUSE_OFF      1051
#define IDC_TRANS_MOUSE_ON       1052
#define IDC_TRANS_BK             1054
#define IDC_TRANS_BK_GROUP       1055

// Resize frame dialog (138)
#define IDC_FRAME_ON             1039
#define IDC_FRAME_OFF            1040

// Window selection dialog
#define IDD_WINDOWSEL            147
#define IDC_WINSEL_LIST          1098
#define IDC_WINSEL_IMAGE         1205

// Tray menu commands
#define ID_TRAY_MAINPANEL        32771
#define ID_TRAY_EXIT             32772
#define ID_TRAY_PASTE_DESKTOP    32782
#define ID_TRAY_PASTE_SELECTED   32789
#define ID_TRAY_SAVE             32795
#define ID_TRAY_EXPORTSTACK      32798
#define ID_TRAY_INPORTSTACK      32803
#define ID_TRAY_PENDING          32804

// Private messages
#define WM_PV_TRAYNOTIFY         0x464
#define WM_PV_TARGETMOVED        0x465  // a followed target moved (controller)
#define WM_PV_FOLDERCHANGED      0x466  // a file beside the data file changed (controller)

// Timers
#define TIMER_TRAY               101
#define TIMER_MATCH              103
#define TIMER_FOLLOW             104
#define TIMER_HOTKEY_RELEASE     105
#define TIMER_ENABLE             106
#define TIMER_FADE               109
#define TIMER_AUTOSAVE           110
#define TIMER_EAR_FLASH          111
#define TIMER_ARROW_REPAINT      2001

// Hotkeys
#define HOTKEY_PASTE_WINDOW      1000
#define HOTKEY_PASTE_DESKTOP     1002

// Note context menu (menu 132, first popup "TACKLET_POPUP")
#define IDR_TACKLET_MENU         132
#define ID_TACKLET_DELETE        32773
#define ID_TACKLET_READONLY      32774
#define ID_TACKLET_WRITABLE      32775
#define ID_TACKLET_TRANSPARENCY  32776
#define ID_TACKLET_COLOR         32777
#define ID_TACKLET_FRAME_ON      32779
#define ID_TACKLET_FRAME_OFF     32780
#define ID_TACKLET_FONT          32781
#define ID_TACKLET_DUPLICATE     32783
#define ID_TACKLET_SPLIT         32787
#define ID_TACKLET_ABSORB        32788
#define ID_TACKLET_MOVE_DESKTOP  32791
#define ID_TACKLET_MOVE_WINDOW   32792
#define ID_TACKLET_MATCH         32796
#define ID_TACKLET_EXPORT        32802
#define ID_TACKLET_MOVE_PENDING  32805
#define ID_TACKLET_REMINDER      32806
// Reminder dialog
#define IDC_REMIND_OFF           1220
#define IDC_REMIND_ONCE          1221
#define IDC_REMIND_WEEKLY        1222
#define IDC_REMIND_DATE          1223
#define IDC_REMIND_TIME          1224
#define IDC_REMIND_SUN           1225  // the weekdays in order, Sunday first
#define IDC_REMIND_MON           1226
#define IDC_REMIND_TUE           1227
#define IDC_REMIND_WED           1228
#define IDC_REMIND_THU           1229
#define IDC_REMIND_FRI           1230
#define IDC_REMIND_SAT           1231

// Collection panels: export cache, import cache, pending list, search panel
#define IDD_EXPORTSTACK          155
#define IDD_INPORTSTACK          156
#define IDD_PENDING              160
#define IDD_SEARCH               166
#define IDC_EXPORT_SAVE          3
#define IDC_EXPORT_DELETE        1003
#define IDC_EXPORT_LIST          1127
#define IDC_EXPORT_CLEAR         1129
#define IDC_EXPORT_CLEARAFTER    1130
#define IDC_EXPORT_HIDEAFTER     1131
#define IDC_EXPORT_GETALL        1185
#define IDC_INPORT_REPASTE       4
#define IDC_INPORT_IMPORT        5
#define IDC_INPORT_DELETE        1003
#define IDC_INPORT_CLEAR         1129
#define IDC_INPORT_LIST          1131
#define IDC_INPORT_OPEN          1132
#define IDC_INPORT_IMPORTALL     1133
#define IDC_INPORT_HIDEAFTER     1134
#define IDC_PENDING_EXPORT       3
#define IDC_PENDING_REPASTE      4
#define IDC_PENDING_DELETE       1003
#define IDC_PENDING_COUNT        1097
#define IDC_PENDING_LIST         1148
#define IDC_PENDING_TOACTIVE     1149
#define IDC_SEARCH_TEXT          1007
#define IDC_SEARCH_TITLE         1008
#define IDC_SEARCH_EXE           1009
#define IDC_SEARCH_TITLE_ON      1047
#define IDC_SEARCH_EXE_ON        1048
#define IDC_SEARCH_DAYS_ON       1049
#define IDC_SEARCH_TEXT_ON       1163
#define IDC_SEARCH_RUN           1165
#define IDC_SEARCH_RESULT        1166
#define IDC_SEARCH_NEXT          1167
#define IDC_SEARCH_PREV          1168
#define IDC_SEARCH_TEXT_CASE     1170
#define IDC_SEARCH_TITLE_CASE    1171
#define IDC_SEARCH_DAYS          1176
#define IDC_SEARCH_DAYS_SPIN     1177
#define IDC_SEARCH_SHOWN_ON      1179
// Posted to the search panel after each rebuild of the main panel's list.
#define WM_SEARCH_REFRESH        32868  // WM_APP + 100
// Properties dialog and its hotkey fields
#define IDD_PROPATY              136
#define IDC_PROPATY_SAVE_ATEXIT  1017
#define IDC_PROPATY_SAVE_EACH    1018
#define IDC_PROPATY_PLAIN        1122
#define IDC_PROPATY_SCRAMBLE     1123
#define IDC_PROPATY_HK_PAST      1180
#define IDC_PROPATY_CHECK_PAST   1181
#define IDC_PROPATY_HK_PASTDT    1182
#define IDC_PROPATY_CHECK_PASTDT 1183
#define IDC_PROPATY_PASTDT_GROUP 1184
#define IDC_PROPATY_PERIOD_10    1188
#define IDC_PROPATY_PERIOD_20    1189
#define IDC_PROPATY_PERIOD_50    1190
#define IDC_PROPATY_HK_STATUS    1191

// Note defaults dialog
#define IDD_NOTEDEFAULT          137
#define IDC_DEFAULTS_PICKPOS     1032
#define IDC_DEFAULTS_TXCOLOR     1033
#define IDC_DEFAULTS_COLOR       1034
#define IDC_DEFAULTS_BKCOLOR     1035
#define IDC_DEFAULTS_GRADIENT    1203
#define IDC_DEFAULTS_ARROW       1126
#define IDC_DEFAULTS_CHANGE_COLOR 1036
#define IDC_DEFAULTS_FACENAME    1043
#define IDC_DEFAULTS_SIZELABEL   1044
#define IDC_DEFAULTS_FONTSIZE    1040
#define IDC_DEFAULTS_CHANGE_FONT 1039
#define IDC_DEFAULTS_TRANSPARENT 1041
#define IDC_DEFAULTS_MOUSEHIDE   1052
#define IDC_DEFAULTS_CHANGE_TRANSPARENT 1042
#define IDC_DEFAULTS_FRAME       1038
#define IDC_DEFAULTS_CHANGE_FRAME 1037
#define IDC_DEFAULTS_INIHEIGHT   1111
#define IDC_DEFAULTS_INIWIDTH    1112
#define IDC_DEFAULTS_CHANGE_SIZE 1045

// Initial note size dialog
#define IDD_INITSIZE             151
#define IDC_INITSIZE_HEIGHT      1112
#define IDC_INITSIZE_HEIGHTSPIN  1113
#define IDC_INITSIZE_WIDTH       1114
#define IDC_INITSIZE_WIDTHSPIN   1115

// Match condition dialog
#define IDD_MATCHCOND            139
#define IDC_MC_PROCESS           1046
#define IDC_MC_TITLE             1047
#define IDC_MC_FULL              1048
#define IDC_MC_PART              1049
#define IDC_MC_EXTENT            1050
#define IDC_MC_EXCLASS           1114
#define IDC_MC_EXCTLID           1115
#define IDC_MC_EXTEXT            1116
#define IDC_MC_EXPART            1117
#define IDC_MC_EXFULL            1118
#define IDC_MC_CHOOSE            1119
#define IDC_MC_TITLESRC          1135
#define IDC_MC_EXTEXTSRC         1136

// Child window selection (152) and process and child selection (159)
#define IDD_CHILDSEL             152
#define IDD_WINEXSEL             159
#define IDC_CHILD_LIST           1120
#define IDC_CHILD_RECAPTURE      1121
#define IDC_WINEX_REFRESH        1141
#define IDC_WINEX_WINDOWS        1145

// Preset list (157) and one preset (158)
#define IDD_PRESETLIST           157
#define IDD_PRESETSETTING        158
#define IDC_PRESET_DELETE        1003
#define IDC_PRESET_LIST          1137
#define IDC_PRESET_ADD           1138
#define IDC_PRESET_CHANGE        1139
#define IDC_PS_PROCESSFLAG       1046
#define IDC_PS_TITLEFLAG         1047
#define IDC_PS_EXTENTFLAG        1048
#define IDC_PS_NAME              1139
#define IDC_PS_PROCESS           1140
#define IDC_PS_CLASS             1144
#define IDC_PS_CTLID             1145
#define IDC_PS_FROMWINDOW        1147

// Trash panel (dialog 171, controls 1240-1249, tray command 32810)
#define IDD_TRASH                171
#define IDC_TRASH_LIST           1240
#define IDC_TRASH_RESTORE        1241
#define IDC_TRASH_PURGE          1242
#define IDC_TRASH_COUNT          1243
#define IDC_TRASH_DAYS           1244
#define IDC_BTN_TRASH            1245
#define ID_TRAY_TRASH            32810
