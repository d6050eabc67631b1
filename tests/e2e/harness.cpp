#include "e2e/harness.h"

#include <psapi.h>
#include <shellapi.h>

#include <algorithm>
#include <cwctype>

namespace e2e {

namespace {

const wchar_t kStateDir[] = L"C:\\e2e";
const wchar_t kHostClass[] = L"e2e_host_window";
std::vector<HostMessage>* g_messages = nullptr;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == 0x7FF1 && g_messages != nullptr) g_messages->push_back({wParam, lParam});
    return DefWindowProcW(window, message, wParam, lParam);
}

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

std::wstring Widen(const std::string& text) {
    if (text.empty()) return std::wstring();
    int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), NULL, 0);
    std::wstring wide(length, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

std::wstring ReadDebugString(HANDLE process, const OUTPUT_DEBUG_STRING_INFO& info) {
    if (info.nDebugStringLength == 0) return std::wstring();
    size_t unit = info.fUnicode ? 2 : 1;
    std::string bytes(info.nDebugStringLength * unit, '\0');
    SIZE_T read = 0;
    ReadProcessMemory(process, info.lpDebugStringData, &bytes[0], bytes.size(), &read);
    bytes.resize(read);
    std::wstring text;
    if (info.fUnicode) {
        text.assign(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
    } else {
        text = Widen(bytes);
    }
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    return text;
}

std::vector<wchar_t> BuildEnvironment(const std::vector<std::wstring>& extra) {
    std::vector<std::wstring> variables;
    wchar_t* block = GetEnvironmentStringsW();
    for (const wchar_t* entry = block; *entry != L'\0'; entry += wcslen(entry) + 1) variables.push_back(entry);
    FreeEnvironmentStringsW(block);
    for (const std::wstring& pair : extra) {
        std::wstring name = pair.substr(0, pair.find(L'=') + 1);
        variables.erase(std::remove_if(variables.begin(), variables.end(),
                                       [&](const std::wstring& v) { return _wcsnicmp(v.c_str(), name.c_str(), name.size()) == 0; }),
                        variables.end());
        variables.push_back(pair);
    }
    std::vector<wchar_t> result;
    for (const std::wstring& v : variables) {
        result.insert(result.end(), v.begin(), v.end());
        result.push_back(L'\0');
    }
    result.push_back(L'\0');
    return result;
}

void NotePeakWorkingSet(HANDLE process, size_t* peak) {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    if (GetProcessMemoryInfo(process, &counters, sizeof(counters)) && counters.PeakWorkingSetSize > *peak) {
        *peak = counters.PeakWorkingSetSize;
    }
}

std::wstring SystemMsiexecPath() {
    wchar_t directory[MAX_PATH];
    GetSystemDirectoryW(directory, MAX_PATH);  // syswow64 for us in a win64 prefix
    return std::wstring(directory) + L"\\msiexec.exe";
}

// Puts the stub over the system's msiexec, or Wine's own back. Wine keeps
// its built-in msiexec unless its DLL overrides ask for the file.
void StandInMsiexec(bool stub) {
    std::wstring target = SystemMsiexecPath();
    std::wstring original = target + L".wine";
    if (!FileExists(original)) CopyFileW(target.c_str(), original.c_str(), TRUE);
    CopyFileW(stub ? NormalisePath(Env(L"STUB_EXE")).c_str() : original.c_str(), target.c_str(), FALSE);
    HKEY overrides = NULL;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\DllOverrides", 0, NULL, 0, KEY_SET_VALUE, NULL,
                        &overrides, NULL) != ERROR_SUCCESS) {
        return;
    }
    if (stub) {
        const wchar_t native[] = L"native";
        RegSetValueExW(overrides, L"msiexec.exe", 0, REG_SZ, reinterpret_cast<const BYTE*>(native), sizeof(native));
    } else {
        RegDeleteValueW(overrides, L"msiexec.exe");
    }
    RegCloseKey(overrides);
}

}  // namespace

std::wstring StubCall::ProgramName() const {
    std::wstring name = program.substr(program.find_last_of(L"\\/") + 1);
    for (wchar_t& c : name) c = static_cast<wchar_t>(towlower(c));
    return name;
}

std::vector<StubCall> RunResult::CallsTo(const std::wstring& programName) const {
    std::vector<StubCall> found;
    for (const StubCall& call : calls) {
        if (call.ProgramName() == programName) found.push_back(call);
    }
    return found;
}

std::wstring Env(const wchar_t* name) {
    wchar_t value[4096];
    DWORD length = GetEnvironmentVariableW(name, value, 4096);
    if (length == 0 || length >= 4096) return std::wstring();
    return value;
}

std::wstring NormalisePath(std::wstring path) {
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

Medium::Medium(const std::wstring& name) : Medium(name, false) {}

Medium Medium::SampleCopy(const std::wstring& name) {
    return Medium(name, true);
}

Medium::Medium(const std::wstring& name, bool sample) {
    std::wstring scratch = NormalisePath(Env(L"SCRATCH_DIR"));
    CreateDirectoryW(scratch.c_str(), NULL);
    dir_ = scratch + L"\\" + name;
    DeleteTree(dir_);
    // Intermediate folders for names with backslashes.
    for (size_t at = scratch.size() + 1; (at = dir_.find(L'\\', at)) != std::wstring::npos; ++at) {
        CreateDirectoryW(LongPath(dir_.substr(0, at)).c_str(), NULL);
    }
    if (sample) {
        CopyTree(NormalisePath(Env(L"MEDIUM_DIR")), dir_);
        return;
    }
    CreateDirectoryW(LongPath(dir_).c_str(), NULL);
    CopyFileW(NormalisePath(Env(L"SETUP_EXE")).c_str(), LongPath(Path(L"Setup.exe")).c_str(), FALSE);
    CreateDirectoryW(LongPath(Path(L"MSI")).c_str(), NULL);
    WriteFile(L"MSI\\QLX.msi", "stand-in package");
    WriteFile(L"MSI\\OTW.msi", "stand-in package");
}

void Medium::WriteFile(const std::wstring& relative, const std::string& bytes) const {
    HANDLE file = CreateFileW(LongPath(Path(relative)).c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, NULL);
    CloseHandle(file);
}

void Medium::WriteUtf16File(const std::wstring& relative, const std::wstring& text) const {
    std::string bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    WriteFile(relative, bytes);
}

void Medium::CopyStub(const std::wstring& relative) const {
    CopyFileW(NormalisePath(Env(L"STUB_EXE")).c_str(), LongPath(Path(relative)).c_str(), FALSE);
}

void ResetStubState() {
    DeleteTree(kStateDir);
    CreateDirectoryW(kStateDir, NULL);
}

void AddStubRule(const std::string& pattern, DWORD code, const std::string& hold) {
    std::string line = pattern + "\t" + std::to_string(code) + (hold.empty() ? "" : "\t" + hold) + "\r\n";
    HANDLE file = CreateFileW(L"C:\\e2e\\rules.txt", FILE_APPEND_DATA, 0, NULL, OPEN_ALWAYS, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    ::WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, NULL);
    CloseHandle(file);
}

void Release(const std::string& hold) {
    HANDLE file = CreateFileW((std::wstring(kStateDir) + L"\\" + Widen(hold)).c_str(), GENERIC_WRITE, 0, NULL,
                              CREATE_ALWAYS, 0, NULL);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

std::vector<StubCall> ReadStubCalls() {
    std::string bytes = ReadBytes(L"C:\\e2e\\stub.log");
    std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
    std::vector<StubCall> calls;
    size_t start = 0;
    for (size_t end; (end = text.find(wchar_t(0x1E), start)) != std::wstring::npos; start = end + 1) {
        std::wstring record = text.substr(start, end - start);
        size_t split = record.find(wchar_t(0x1F));
        if (split == std::wstring::npos) continue;
        calls.push_back({record.substr(0, split), record.substr(split + 1)});
    }
    return calls;
}

HWND HostWindow() {
    static HWND window = NULL;
    if (window == NULL) {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = HostProc;
        windowClass.hInstance = GetModuleHandleW(NULL);
        windowClass.lpszClassName = kHostClass;
        RegisterClassW(&windowClass);
        window = CreateWindowExW(0, kHostClass, L"host", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, NULL, NULL,
                                 GetModuleHandleW(NULL), NULL);
    }
    return window;
}

std::wstring HostWindowSwitch(bool hexadecimal) {
    wchar_t text[64];
    unsigned value = static_cast<unsigned>(reinterpret_cast<UINT_PTR>(HostWindow()));
    swprintf(text, 64, hexadecimal ? L"/W32:0x%x" : L"/W32:%u", value);
    return text;
}

RunResult RunSetup(const Medium& medium, const std::wstring& tail, const RunOptions& options) {
    return RunSetupProgram(medium.Path(L"Setup.exe"), tail, options);
}

RunResult RunSetupProgram(const std::wstring& setup, const std::wstring& tail, const RunOptions& options) {
    RunResult result;
    HostWindow();
    PumpMessages();
    StandInMsiexec(options.stubMsiexec);

    std::vector<wchar_t> block = BuildEnvironment(options.environment);

    std::wstring folder = setup.substr(0, setup.find_last_of(L'\\'));
    std::wstring commandLine = L"\"" + setup + L"\" " + tail;
    std::vector<wchar_t> writable(commandLine.begin(), commandLine.end());
    writable.push_back(L'\0');

    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(setup.c_str(), writable.data(), NULL, NULL, FALSE,
                        DEBUG_ONLY_THIS_PROCESS | CREATE_UNICODE_ENVIRONMENT, block.data(), folder.c_str(),
                        &startup, &info)) {
        return result;
    }
    result.started = true;

    g_messages = &result.hostMessages;
    DWORD started = GetTickCount();
    bool killed = false;
    bool done = false;
    while (!done) {
        PumpMessages();
        DEBUG_EVENT event = {};
        if (!WaitForDebugEvent(&event, 20)) {
            // Read while the process lives too: at its exit Wine may already
            // have let its memory go.
            NotePeakWorkingSet(info.hProcess, &result.peakWorkingSet);
            if (options.onIdle && !killed) options.onIdle(info.dwProcessId);
            if (!killed && GetTickCount() - started > options.timeoutMs) {
                TerminateProcess(info.hProcess, 0xDEAD);
                killed = true;
            }
            continue;
        }
        DWORD status = DBG_CONTINUE;
        switch (event.dwDebugEventCode) {
        case CREATE_PROCESS_DEBUG_EVENT:
            if (event.u.CreateProcessInfo.hFile != NULL) CloseHandle(event.u.CreateProcessInfo.hFile);
            break;
        case LOAD_DLL_DEBUG_EVENT:
            if (event.u.LoadDll.hFile != NULL) CloseHandle(event.u.LoadDll.hFile);
            break;
        case OUTPUT_DEBUG_STRING_EVENT:
            result.debugStrings.push_back(ReadDebugString(info.hProcess, event.u.DebugString));
            break;
        case EXCEPTION_DEBUG_EVENT:
            if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT) {
                status = DBG_EXCEPTION_NOT_HANDLED;
            }
            break;
        case EXIT_PROCESS_DEBUG_EVENT: {
            NotePeakWorkingSet(info.hProcess, &result.peakWorkingSet);
            result.exited = !killed;
            result.exitCode = event.u.ExitProcess.dwExitCode;
            done = true;
            break;
        }
        }
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
    }
    WaitForSingleObject(info.hProcess, 10000);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    // The result is posted before the exit; let it arrive.
    for (int i = 0; i < 5; ++i) {
        PumpMessages();
        Sleep(5);
    }
    g_messages = nullptr;
    result.calls = ReadStubCalls();
    return result;
}

namespace {

struct WindowSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM parameter) {
    WindowSearch* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId) search->found.push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindows(DWORD processId) {
    WindowSearch search = {processId, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring WindowText(HWND window) {
    wchar_t text[2048] = L"";
    // No message: a debuggee stopped at a debug event cannot answer one.
    InternalGetWindowText(window, text, 2048);
    return std::wstring(text);
}

std::wstring ClassName(HWND window) {
    wchar_t name[256] = L"";
    GetClassNameW(window, name, 256);
    return name;
}

std::wstring LongPath(const std::wstring& path) {
    if (path.size() < 240 || path.compare(0, 4, L"\\\\?\\") == 0) return path;
    return L"\\\\?\\" + path;
}

void DeleteTree(const std::wstring& path) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(LongPath(path + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring child = path + L"\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                DeleteTree(child);
            } else {
                SetFileAttributesW(LongPath(child).c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(LongPath(child).c_str());
            }
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(LongPath(path).c_str());
}

void CopyTree(const std::wstring& from, const std::wstring& to) {
    CreateDirectoryW(to.c_str(), NULL);
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((from + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            CopyTree(from + L"\\" + name, to + L"\\" + name);
        } else {
            CopyFileW((from + L"\\" + name).c_str(), (to + L"\\" + name).c_str(), FALSE);
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(LongPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadBytes(const std::wstring& path) {
    std::string bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &read, NULL) && read > 0) bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

}  // namespace e2e
