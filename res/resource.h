// Resource and control ids, shared by the resource script and the code.
#pragma once

#define IDD_MAIN 101
#define IDD_ACTIONS 102
#define IDD_BUTTON_WINDOW 103
#define IDD_BUTTONS 104
#define IDD_CUSTOM 105
#define IDD_SETTINGS 106
#define IDD_ABOUT 107

#define IDI_VORN 200
#define IDR_TRAY_MENU 201
#define IDB_TABS 32011

#define IDC_BUTTON_FACE 1602
#define IDC_MAIN_TABS 1901
#define IDC_PREVIEW 1610
#define IDC_EXIT 1607

#define ID_TRAY_OPEN 32771
#define ID_TRAY_TOGGLE 32772
#define ID_TRAY_EXIT 32773

#define VORN_VERSION_NUMBERS 0, 1, 0, 0
#define VORN_VERSION_TEXT "0.1.0.0"
