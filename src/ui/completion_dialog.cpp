#include "completion_dialog.h"

// PLACEHOLDER until the completion dialog lands.
void ShowCompletionDialog() {}
INT_PTR CALLBACK CompletionDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
