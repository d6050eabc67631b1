// Stands in for msiexec, the prerequisite installers, the product and the
// companion in the end-to-end tests. Appends its own path and full command
// line to C:\e2e\stub.log, then exits with the code of the first rule in
// C:\e2e\rules.txt whose pattern occurs in its command line. A rule line is
//   pattern<TAB>exit code[<TAB>hold file]
// and with a hold file the stub waits until C:\e2e\<hold file> exists, so a
// test can look at the setup while this program still runs.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>

namespace {

const wchar_t kLogPath[] = L"C:\\e2e\\stub.log";
const wchar_t kRulesPath[] = L"C:\\e2e\\rules.txt";

void AppendRecord(const wchar_t* path, const wchar_t* commandLine) {
    // Several stubs may run at once (an import outliving its wait); retry
    // while another one holds the log.
    for (int attempt = 0; attempt < 500; ++attempt) {
        HANDLE log = CreateFileW(kLogPath, FILE_APPEND_DATA, 0, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
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

bool FileExists(const wchar_t* path) {
    return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

// Returns the exit code; fills hold with the hold file's name or "".
DWORD FindRule(const wchar_t* commandLine, wchar_t* hold, size_t holdCapacity) {
    hold[0] = L'\0';
    FILE* rules = _wfopen(kRulesPath, L"rb");
    if (rules == NULL) return 0;
    char line[2048];
    DWORD code = 0;
    while (fgets(line, sizeof(line), rules) != NULL) {
        line[strcspn(line, "\r\n")] = '\0';
        char* codeText = strchr(line, '\t');
        if (codeText == NULL) continue;
        *codeText++ = '\0';
        char* holdText = strchr(codeText, '\t');
        if (holdText != NULL) *holdText++ = '\0';
        wchar_t pattern[2048];
        MultiByteToWideChar(CP_UTF8, 0, line, -1, pattern, 2048);
        if (wcsstr(commandLine, pattern) == NULL) continue;
        code = static_cast<DWORD>(strtoul(codeText, NULL, 10));
        if (holdText != NULL) MultiByteToWideChar(CP_UTF8, 0, holdText, -1, hold, static_cast<int>(holdCapacity));
        break;
    }
    fclose(rules);
    return code;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(NULL, path, MAX_PATH);
    const wchar_t* commandLine = GetCommandLineW();
    AppendRecord(path, commandLine);

    wchar_t hold[MAX_PATH];
    DWORD code = FindRule(commandLine, hold, MAX_PATH);
    if (hold[0] != L'\0') {
        wchar_t holdPath[MAX_PATH * 2];
        _snwprintf(holdPath, MAX_PATH * 2, L"C:\\e2e\\%ls", hold);
        holdPath[MAX_PATH * 2 - 1] = L'\0';
        for (int waited = 0; waited < 60000 && !FileExists(holdPath); waited += 20) Sleep(20);
    }
    return static_cast<int>(code);
}
