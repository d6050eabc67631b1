#include "host_window.h"

#include "globals.h"
#include "switches.h"

HWND ParseHostWindow(const wchar_t* commandLine) {
    // A 32-bit value widened with its sign, as a handle passed through a
    // 32-bit number always is.
    return reinterpret_cast<HWND>(static_cast<LONG_PTR>(ParseHostWindowValue(commandLine)));
}

void NotifyHost(WPARAM result) {
    if (g_hWndHost == NULL) return;
    PostMessageW(g_hWndHost, WM_SETUP_RESULT, result, 0);
    if (result == SETUP_RESULT_FAILURE) OutputDebugStringW(L"Install Failure");
}

HWND CreateDummyWindow() {
    HINSTANCE instance = GetModuleHandleW(NULL);
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.cbWndExtra = 4;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"setup_dummywindow";
    RegisterClassExW(&windowClass);
    return CreateWindowExW(0, L"setup_dummywindow", L"", WS_POPUP, 0, 0, 10, 10, NULL, NULL, instance, NULL);
}
