#pragma once

#include <windows.h>

#define WM_SETUP_RESULT 0x7FF1
#define SETUP_RESULT_SUCCESS 1
#define SETUP_RESULT_FAILURE 3

HWND ParseHostWindow(const wchar_t* commandLine);
void NotifyHost(WPARAM result);
HWND CreateDummyWindow();
