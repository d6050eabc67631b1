#pragma once

#include <windows.h>

extern HINSTANCE g_hInst;  // whose resources the dialogs load
extern HWND g_hWndHost;    // the launcher that wants the outcome, or NULL
