// Stands in for the product's programs on the sample medium (Quillmark.exe,
// QLMJobDeployCmd.exe, Tidewatch.exe, the prerequisite installers): appends
// its command line to <own path>.log beside itself and exits with 0.
#include <windows.h>

#include <cwchar>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    wchar_t path[MAX_PATH + 8] = L"";
    DWORD length = GetModuleFileNameW(NULL, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 0;
    wcscat(path, L".log");
    HANDLE log = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (log == INVALID_HANDLE_VALUE) return 0;
    // UTF-8 lines, so the demo can print them on Linux.
    const wchar_t* commandLine = GetCommandLineW();
    char line[8192];
    int bytes = WideCharToMultiByte(CP_UTF8, 0, commandLine, -1, line, sizeof(line) - 2, NULL, NULL);
    if (bytes > 0) {
        line[bytes - 1] = '\n';
        DWORD written = 0;
        WriteFile(log, line, static_cast<DWORD>(bytes), &written, NULL);
    }
    CloseHandle(log);
    return 0;
}
