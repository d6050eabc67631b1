#pragma once

#include <windows.h>

// Modal, without owner; returns when the user has closed it.
void ShowCompletionDialog();
INT_PTR CALLBACK CompletionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
