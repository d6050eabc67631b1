// Resource ids of Setup.exe. Plain #defines so windres, the program and the
// tests share one list.
#pragma once

// Manifest
#define IDR_MANIFEST                1

// Icons
#define IDI_SETUP                   107

// Dialogs
#define IDD_PROGRESS                1021
#define IDD_COMPLETION              1023
#define IDD_PROGRESS_RTL            1027
#define IDD_COMPLETION_RTL          1030

// Controls
#define IDC_PROGRESS_TEXT           1000
#define IDC_BACK                    1001
#define IDC_COMPLETION_TITLE        1002
#define IDC_FINISH_HINT             1003
#define IDC_COMPLETION_PICTURE      1004
#define IDC_COMPLETION_LINE         1005

// Bitmaps
#define IDB_COMPLETION              1025
#define IDB_COMPLETION_RTL          1028

// Strings: see string_ids.h
#include "string_ids.h"
