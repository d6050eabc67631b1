// A DLL planted beside Setup.exe by the hardening tests under the names of
// DLLs the setup loads. It only records that it was loaded, in
// C:\e2e\planted.log.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(instance, path, MAX_PATH);
    HANDLE log = CreateFileW(L"C:\\e2e\\planted.log", FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (log != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(log, path, lstrlenW(path) * sizeof(wchar_t), &written, NULL);
        WriteFile(log, L"\n", sizeof(wchar_t), &written, NULL);
        CloseHandle(log);
    }
    return TRUE;
}
