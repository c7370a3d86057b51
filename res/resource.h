// Resource and control ids, shared by the resource script and the code.
#pragma once

#define IDD_MAIN 101
#define IDD_ACTIONS 102
#define IDD_BUTTON_WINDOW 103
#define IDD_BUTTONS 104
#define IDD_CUSTOM 105
#define IDD_SETTINGS 106
#define IDD_ABOUT 107
#define IDD_PREVIEW 109

#define IDI_VORN 200
#define IDR_TRAY_MENU 201
#define IDB_BANNER 32010
#define IDB_TABS 32011
#define IDB_TREE 32012
#define IDB_MONITOR 32013
#define IDB_MONITOR_XP 32014
#define IDB_MONITOR_BUTTONS 32015
#define IDB_MONITOR_BUTTONS_XP 32016

// Labels 1301 to 1332 of any page
#define IDC_LABEL_FIRST 1301
#define IDC_MODIFIER 1201
#define IDC_DIAGRAM 1350
#define IDC_SITE_LINK 1801
#define IDC_WEB_HELP 1902
#define IDC_LOCAL_HELP 1903
#define IDC_ACTION_TREE 1904
#define IDC_BUTTON_FACE 1602
#define IDC_MAIN_TABS 1901
#define IDC_PREVIEW 1610
#define IDC_EXIT 1607

#define ID_TRAY_OPEN 32771
#define ID_TRAY_TOGGLE 32772
#define ID_TRAY_EXIT 32773

#define VORN_VERSION_NUMBERS 0, 1, 0, 0
#define VORN_VERSION_TEXT "0.1.0.0"
