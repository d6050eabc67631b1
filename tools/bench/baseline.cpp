// The benchmark's baseline: the least a bootstrapper must do. Starts each
// command line of a list file (UTF-8, one a line) in turn and waits for it,
// as the setup waits for its installers.
//   baseline.exe [/window] <list file>
// With /window it first makes the same hidden 10 by 10 popup window the
// setup makes (user32 loaded at that moment), to tell what the platform
// charges for a process's first window from the setup's own work.
// Exits with the number of command lines that could not be started.
#include <windows.h>

#include <cwchar>

namespace {

const int kListCapacity = 16384;
const int kLineCapacity = 2048;

// Reads the whole list into text; false when it is missing or too long.
bool ReadList(const wchar_t* path, char* text, DWORD capacity) {
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD read = 0;
    BOOL ok = ReadFile(file, text, capacity - 1, &read, NULL);
    CloseHandle(file);
    if (!ok || read == capacity - 1) return false;
    text[read] = '\0';
    return true;
}

bool StartAndWait(const char* line, int length) {
    wchar_t commandLine[kLineCapacity];
    int written = MultiByteToWideChar(CP_UTF8, 0, line, length, commandLine, kLineCapacity - 1);
    if (written <= 0) return false;
    commandLine[written] = L'\0';
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(NULL, commandLine, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) return false;
    CloseHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hProcess);
    return true;
}

// The setup's dummy window, through user32 bound at run time so that a run
// without /window never loads it.
void CreateHiddenWindow() {
    typedef ATOM(WINAPI * RegisterClassExFn)(const WNDCLASSEXW*);
    typedef HWND(WINAPI * CreateWindowExFn)(DWORD, LPCWSTR, LPCWSTR, DWORD, int, int, int, int, HWND, HMENU,
                                            HINSTANCE, LPVOID);
    HMODULE user32 = LoadLibraryW(L"user32.dll");
    if (user32 == NULL) return;
    RegisterClassExFn registerClass =
        reinterpret_cast<RegisterClassExFn>(reinterpret_cast<void*>(GetProcAddress(user32, "RegisterClassExW")));
    CreateWindowExFn createWindow =
        reinterpret_cast<CreateWindowExFn>(reinterpret_cast<void*>(GetProcAddress(user32, "CreateWindowExW")));
    FARPROC defWindowProc = GetProcAddress(user32, "DefWindowProcW");
    if (registerClass == NULL || createWindow == NULL || defWindowProc == NULL) return;
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = reinterpret_cast<WNDPROC>(reinterpret_cast<void*>(defWindowProc));
    windowClass.cbWndExtra = 4;
    windowClass.hInstance = GetModuleHandleW(NULL);
    windowClass.lpszClassName = L"baseline_window";
    registerClass(&windowClass);
    createWindow(0, L"baseline_window", L"", WS_POPUP, 0, 0, 10, 10, NULL, NULL, GetModuleHandleW(NULL), NULL);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR lpCmdLine, int) {
    const wchar_t kWindowSwitch[] = L"/window ";
    const size_t switchLength = sizeof(kWindowSwitch) / sizeof(wchar_t) - 1;
    if (wcsncmp(lpCmdLine, kWindowSwitch, switchLength) == 0) {
        CreateHiddenWindow();
        lpCmdLine += switchLength;
    }
    static char list[kListCapacity];
    if (!ReadList(lpCmdLine, list, kListCapacity)) return 255;
    int failed = 0;
    for (char* line = list; *line != '\0';) {
        char* end = line;
        while (*end != '\0' && *end != '\r' && *end != '\n') ++end;
        if (end > line && !StartAndWait(line, static_cast<int>(end - line))) ++failed;
        line = end;
        while (*line == '\r' || *line == '\n') ++line;
    }
    return failed;
}
