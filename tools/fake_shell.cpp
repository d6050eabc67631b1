// Stands in for the desktop shell: registers its window as the shell window,
// so that a launch as the desktop user finds a shell process and its token.
// Runs until C:\e2e\shell.stop exists or 120 seconds have passed.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    typedef BOOL(WINAPI * SetShellWindowFn)(HWND);
    SetShellWindowFn setShellWindow = reinterpret_cast<SetShellWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32"), "SetShellWindow")));
    HWND window = CreateWindowExW(0, L"STATIC", L"fake shell", WS_POPUP, 0, 0, 1, 1, NULL, NULL, instance, NULL);
    if (setShellWindow == NULL || window == NULL || !setShellWindow(window)) return 1;
    HANDLE ready = CreateFileW(L"C:\\e2e\\shell.ready", GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (ready != INVALID_HANDLE_VALUE) CloseHandle(ready);
    for (int waited = 0; waited < 120000; waited += 20) {
        if (GetFileAttributesW(L"C:\\e2e\\shell.stop") != INVALID_FILE_ATTRIBUTES) break;
        MSG message;
        while (PeekMessageW(&message, NULL, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        Sleep(20);
    }
    DestroyWindow(window);
    return 0;
}
