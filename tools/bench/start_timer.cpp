// Times a run as the stub programs see it: starts a command line, watches
// C:\e2e\stub.log (written by every stand-in as its first act) and prints,
// in milliseconds from just before the start,
//   first record, first msiexec record, end of the program, last record
// then the number of records and the time of each record. Exits 0 once the program has ended and at
// least <records> records are in the log, 1 otherwise (after 120 s).
//   start_timer.exe <records> <command line>
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <cwctype>

namespace {

const wchar_t kLogPath[] = L"C:\\e2e\\stub.log";
const int kLogCapacity = 65536;

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The command line after our own name and the record count.
const wchar_t* SkipToChild(const wchar_t* line, long* records) {
    if (*line == L'"') {
        ++line;
        while (*line != L'\0' && *line != L'"') ++line;
        if (*line == L'"') ++line;
    } else {
        while (*line != L'\0' && *line != L' ' && *line != L'\t') ++line;
    }
    while (*line == L' ' || *line == L'\t') ++line;
    wchar_t* end = NULL;
    *records = wcstol(line, &end, 10);
    line = end;
    while (*line == L' ' || *line == L'\t') ++line;
    return line;
}

bool EndsWithMsiexec(const wchar_t* program, size_t length) {
    const wchar_t suffix[] = L"\\msiexec.exe";
    const size_t suffixLength = wcslen(suffix);
    if (length < suffixLength) return false;
    for (size_t i = 0; i < suffixLength; ++i) {
        if (towlower(program[length - suffixLength + i]) != suffix[i]) return false;
    }
    return true;
}

struct LogState {
    DWORD size = 0;
    long records = 0;
    bool sawMsiexec = false;
};

// Re-reads the log when it has grown; returns the records now in it and
// tells whether one of them is an msiexec start.
void ReadLog(LogState* state) {
    WIN32_FILE_ATTRIBUTE_DATA attributes;
    if (!GetFileAttributesExW(kLogPath, GetFileExInfoStandard, &attributes)) return;
    if (attributes.nFileSizeLow == state->size) return;
    HANDLE file = CreateFileW(kLogPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) return;
    static wchar_t text[kLogCapacity];
    DWORD read = 0;
    BOOL ok = ReadFile(file, text, sizeof(text) - sizeof(wchar_t), &read, NULL);
    CloseHandle(file);
    if (!ok) return;
    state->size = read;
    size_t count = read / sizeof(wchar_t);
    long records = 0;
    bool sawMsiexec = false;
    size_t recordStart = 0;
    for (size_t i = 0; i < count; ++i) {
        if (text[i] == 0x1F && EndsWithMsiexec(text + recordStart, i - recordStart)) sawMsiexec = true;
        if (text[i] == 0x1E) {
            ++records;
            recordStart = i + 1;
        }
    }
    state->records = records;
    state->sawMsiexec = sawMsiexec;
}

}  // namespace

int wmain() {
    long expected = 0;
    const wchar_t* child = SkipToChild(GetCommandLineW(), &expected);
    static wchar_t commandLine[4096];
    if (expected <= 0 || *child == L'\0' || wcslen(child) >= 4096) {
        fwprintf(stderr, L"usage: start_timer <records> <command line>\n");
        return 2;
    }
    wcscpy(commandLine, child);
    DeleteFileW(kLogPath);

    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(NULL, commandLine, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) {
        fwprintf(stderr, L"start_timer: cannot start %ls (error %lu)\n", commandLine, GetLastError());
        return 1;
    }
    CloseHandle(process.hThread);

    double firstRecord = -1, firstMsiexec = -1, ended = -1, lastRecord = -1;
    const long kTimesCapacity = 64;
    double recordTimes[kTimesCapacity];
    LogState log;
    for (;;) {
        bool exited = WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0;
        long before = log.records;
        ReadLog(&log);
        QueryPerformanceCounter(&now);
        double elapsed = Milliseconds(start, now, frequency);
        if (log.records > 0 && firstRecord < 0) firstRecord = elapsed;
        if (log.sawMsiexec && firstMsiexec < 0) firstMsiexec = elapsed;
        if (log.records > before) lastRecord = elapsed;
        for (long i = before; i < log.records && i < kTimesCapacity; ++i) recordTimes[i] = elapsed;
        if (exited && ended < 0) ended = elapsed;
        if (ended >= 0 && log.records >= expected) break;
        if (elapsed > 120000) break;
    }
    CloseHandle(process.hProcess);
    wprintf(L"%.1f %.1f %.1f %.1f %ld", firstRecord, firstMsiexec, ended, lastRecord, log.records);
    for (long i = 0; i < log.records && i < kTimesCapacity; ++i) wprintf(L" %.1f", recordTimes[i]);
    wprintf(L"\n");
    return ended >= 0 && log.records >= expected ? 0 : 1;
}
