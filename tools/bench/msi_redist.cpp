// Stands in for the Windows Installer redistributable (prerequisite module 1)
// in the benchmark. Logs its start the way tools/stub does, then puts the
// up-to-date Msi.dll that the benchmark staged as Msi.dll.bench-current back
// over the system's old one, so the setup's second probe finds Windows
// Installer sufficient and goes on to the .NET runtime, as after a real
// update. Exits 0.
#include <windows.h>

#include <cwchar>

namespace {

void AppendRecord(const wchar_t* path, const wchar_t* commandLine) {
    for (int attempt = 0; attempt < 500; ++attempt) {
        HANDLE log = CreateFileW(L"C:\\e2e\\stub.log", FILE_APPEND_DATA, 0, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                 NULL);
        if (log == INVALID_HANDLE_VALUE) {
            Sleep(10);
            continue;
        }
        const wchar_t unitSeparator = 0x1F;
        const wchar_t recordSeparator = 0x1E;
        DWORD written = 0;
        WriteFile(log, path, static_cast<DWORD>(wcslen(path) * sizeof(wchar_t)), &written, NULL);
        WriteFile(log, &unitSeparator, sizeof(wchar_t), &written, NULL);
        WriteFile(log, commandLine, static_cast<DWORD>(wcslen(commandLine) * sizeof(wchar_t)), &written, NULL);
        WriteFile(log, &recordSeparator, sizeof(wchar_t), &written, NULL);
        CloseHandle(log);
        return;
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(NULL, path, MAX_PATH);
    AppendRecord(path, GetCommandLineW());

    wchar_t system[MAX_PATH];
    UINT length = GetSystemDirectoryW(system, MAX_PATH);
    if (length == 0 || length > MAX_PATH - 40) return 0;
    wchar_t current[MAX_PATH];
    wchar_t target[MAX_PATH];
    _snwprintf(current, MAX_PATH, L"%ls\\Msi.dll.bench-current", system);
    _snwprintf(target, MAX_PATH, L"%ls\\Msi.dll", system);
    MoveFileExW(current, target, MOVEFILE_REPLACE_EXISTING);
    return 0;
}
