// Fixtures of the post-install tests: the desktop shell stand-in, the
// registry values the packages would have written, and waiting for stub
// programs the setup started without waiting for them. Self-contained, so
// the Windows tests can use it without the end-to-end harness.
#pragma once

#include <windows.h>
#include <tlhelp32.h>

#include <string>
#include <vector>

namespace postinstall {

const wchar_t kProductKey[] = L"SOFTWARE\\ORVELL\\Quillmark";
const wchar_t kCompanionKey[] = L"Software\\ORVELL\\Tidewatch";
const wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t kRunValue[] = L"QLMJobDeployCmd";

inline std::wstring EnvPath(const wchar_t* name) {
    wchar_t value[4096];
    DWORD length = GetEnvironmentVariableW(name, value, 4096);
    if (length == 0 || length >= 4096) return std::wstring();
    std::wstring path(value);
    for (wchar_t& c : path) {
        if (c == L'/') c = L'\\';
    }
    return path;
}

inline bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Waits for a condition another process brings about; false after limitMs.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD limitMs = 30000) {
    for (DWORD waited = 0; !condition(); waited += 20) {
        if (waited >= limitMs) return false;
        Sleep(20);
    }
    return true;
}

// The desktop shell stand-in (SHELL_EXE): a window registered with
// SetShellWindow, owned by a process of its own.
class FakeShell {
public:
    FakeShell() = default;
    FakeShell(const FakeShell&) = delete;
    FakeShell& operator=(const FakeShell&) = delete;
    ~FakeShell() { Stop(); }

    bool Start() {
        CreateDirectoryW(L"C:\\e2e", NULL);
        DeleteFileW(L"C:\\e2e\\shell.ready");
        DeleteFileW(L"C:\\e2e\\shell.stop");
        std::wstring program = EnvPath(L"SHELL_EXE");
        std::wstring commandLine = L"\"" + program + L"\"";
        std::vector<wchar_t> writable(commandLine.begin(), commandLine.end());
        writable.push_back(L'\0');
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        if (!CreateProcessW(program.c_str(), writable.data(), NULL, NULL, FALSE, 0, NULL, NULL, &startup, &info_)) {
            return false;
        }
        CloseHandle(info_.hThread);
        info_.hThread = NULL;
        return WaitUntil([this] {
            return Exists(L"C:\\e2e\\shell.ready") || WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0;
        }) && Exists(L"C:\\e2e\\shell.ready") && GetShellWindow() != NULL;
    }

    // Ends the shell; true once its process is gone and the desktop has no
    // shell window any more.
    bool Stop() {
        if (info_.hProcess == NULL) return true;
        HANDLE stop = CreateFileW(L"C:\\e2e\\shell.stop", GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        if (stop != INVALID_HANDLE_VALUE) CloseHandle(stop);
        bool ended = WaitForSingleObject(info_.hProcess, 30000) == WAIT_OBJECT_0;
        if (!ended) TerminateProcess(info_.hProcess, 1);
        CloseHandle(info_.hProcess);
        info_.hProcess = NULL;
        DeleteFileW(L"C:\\e2e\\shell.stop");
        return ended && WaitUntil([] { return GetShellWindow() == NULL; }, 5000);
    }

    DWORD ProcessId() const { return info_.dwProcessId; }

private:
    PROCESS_INFORMATION info_ = {};
};

inline bool SetText(const wchar_t* subKey, const wchar_t* name, const std::wstring& value) {
    HKEY key = NULL;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, subKey, 0, NULL, 0, KEY_SET_VALUE, NULL, &key, NULL) != ERROR_SUCCESS) {
        return false;
    }
    LONG status = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

inline bool SetRaw(const wchar_t* subKey, const wchar_t* name, DWORD type, const void* data, DWORD size) {
    HKEY key = NULL;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, subKey, 0, NULL, 0, KEY_SET_VALUE, NULL, &key, NULL) != ERROR_SUCCESS) {
        return false;
    }
    LONG status = RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

// The value as text; found is false when it is missing.
inline std::wstring ReadText(const wchar_t* subKey, const wchar_t* name, bool* found, DWORD* type = nullptr) {
    *found = false;
    HKEY key = NULL;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, subKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return std::wstring();
    wchar_t data[2048] = L"";
    DWORD size = sizeof(data) - sizeof(wchar_t);
    DWORD valueType = 0;
    *found = RegQueryValueExW(key, name, NULL, &valueType, reinterpret_cast<BYTE*>(data), &size) == ERROR_SUCCESS;
    RegCloseKey(key);
    if (type != nullptr) *type = valueType;
    return std::wstring(data, size / sizeof(wchar_t)).c_str();
}

inline void DeleteValue(const wchar_t* subKey, const wchar_t* name) {
    HKEY key = NULL;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, subKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    RegDeleteValueW(key, name);
    RegCloseKey(key);
}

// Removes what the packages would have written (the keys have no subkeys).
inline void DeletePackageKeys() {
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, kProductKey);
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, kCompanionKey);
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\ORVELL");
}

// Waits until no process runs any of the given executables (file names,
// case-insensitive). A started stub logs before it ends, so afterwards its
// record is either in the log or it never ran.
inline bool WaitForProgramsToEnd(const std::vector<std::wstring>& names) {
    return WaitUntil([&names] {
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        if (snapshot == INVALID_HANDLE_VALUE) return false;
        bool running = false;
        PROCESSENTRY32W entry = {};
        entry.dwSize = sizeof(entry);
        for (BOOL more = Process32FirstW(snapshot, &entry); more && !running;
             more = Process32NextW(snapshot, &entry)) {
            for (const std::wstring& name : names) {
                if (_wcsicmp(entry.szExeFile, name.c_str()) == 0) running = true;
            }
        }
        CloseHandle(snapshot);
        return !running;
    });
}

}  // namespace postinstall
