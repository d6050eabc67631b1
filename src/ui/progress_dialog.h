#pragma once

#include <windows.h>

extern wchar_t g_szProgressTitle[512];
extern HANDLE g_hProgressReady;
extern HWND g_hWndProgress;

// Shows the waiting dialog on its own thread; returns once it is up (or
// could not come up). A title of more than 510 characters is not shown.
void ShowProgressDialog(const wchar_t* title);
// Closes it by a posted message; does not wait.
void CloseProgressDialog();

unsigned __stdcall ProgressThreadProc(void* argument);
INT_PTR CALLBACK ProgressDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
