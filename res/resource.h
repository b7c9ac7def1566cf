// Resource identifiers of the program.
#pragma once

// Strings
#define IDS_DESCRIPTION 1          // the name under which the saver is listed
#define IDR_MAINFRAME 128          // main-frame resources and the document template string
#define AFX_IDS_APP_TITLE 57344    // application title, caption of message boxes
#define AFX_IDP_PARSE_INT 61712    // "enter an integer"
#define AFX_IDP_PARSE_INT_RANGE 61714 // "enter an integer from %1 to %2"

// Icons, cursors, bitmaps
#define IDI_SAVER 100
#define IDC_SAVER 131
#define IDB_PIPES 134

// Dialogs
#define IDD_ABOUTBOX 100
#define IDD_CONFIG 136

// Controls of the configuration dialog
#define IDC_LENGTH 1000
#define IDC_LENGTH_SPIN 1003
#define IDC_NUMBER 1002
#define IDC_NUMBER_SPIN 1001
#define IDC_SPEED 1004
#define IDC_SPEED_LABEL 1005
#define IDC_ABOUT 1006
#define IDC_DISPLAY_MODE 1007
#define IDC_SPECULAR 1008
#define IDC_BACKGROUND 1009
#define IDC_SPECULAR_LABEL 1010
#define IDC_BACKGROUND_LABEL 1011
#define IDC_POWER 1012
#define IDC_POWER_LABEL 1013
#define IDC_TYPE_ONE 1014
#define IDC_TYPE_ALL 1015
#define IDC_HARD 1016
#define IDC_LIGHT_DIRECTIONAL 1017
#define IDC_LIGHT_SPOT 1018
