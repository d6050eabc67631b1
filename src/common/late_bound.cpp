#include "late_bound.h"

#include "bounded_text.h"

namespace {

HMODULE LoadSystemLibrary(const wchar_t* fileName, HMODULE* cache) {
    if (*cache == NULL) {
        wchar_t path[MAX_PATH];
        if (GetSystemFilePath(fileName, path, MAX_PATH)) {
            // The full path keeps the loader from searching the setup's folder.
            *cache = LoadLibraryExW(path, NULL, LOAD_WITH_ALTERED_SEARCH_PATH);
        }
    }
    return *cache;
}

HMODULE g_hAdvapi32 = NULL;
HMODULE g_hVersion = NULL;

template <typename Function>
Function Bind(const wchar_t* library, HMODULE* cache, const char* name) {
    HMODULE module = LoadSystemLibrary(library, cache);
    FARPROC address = module != NULL ? GetProcAddress(module, name) : NULL;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(address));
}

// A missing function fails every call, with the last error set each time.
template <typename Result>
Result Missing(Result result) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return result;
}

// Each function is looked up at its first call and kept.
#define ADVAPI(type, name) \
    static type bound = Bind<type>(L"advapi32.dll", &g_hAdvapi32, name)
#define VERSION(type, name) \
    static type bound = Bind<type>(L"version.dll", &g_hVersion, name)

}  // namespace

bool GetSystemFilePath(const wchar_t* fileName, wchar_t* path, size_t capacity) {
    wchar_t directory[MAX_PATH];
    UINT length = GetSystemDirectoryW(directory, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    TextBuffer text(path, capacity);
    text.Append(directory).Append(L"\\").Append(fileName);
    return !text.IsCut();
}

void RestrictDllSearchToSystem() {
    typedef BOOL(WINAPI * SetDefaultDllDirectoriesFn)(DWORD);
    HMODULE kernel = GetModuleHandleW(L"kernel32");
    if (kernel == NULL) return;
    SetDefaultDllDirectoriesFn set = reinterpret_cast<SetDefaultDllDirectoriesFn>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (set != NULL) set(0x00000800 /* LOAD_LIBRARY_SEARCH_SYSTEM32 */);
}

LONG LateRegOpenKeyEx(HKEY key, LPCWSTR subKey, DWORD options, REGSAM access, PHKEY result) {
    typedef LONG(WINAPI * Fn)(HKEY, LPCWSTR, DWORD, REGSAM, PHKEY);
    ADVAPI(Fn, "RegOpenKeyExW");
    return bound ? bound(key, subKey, options, access, result) : ERROR_PROC_NOT_FOUND;
}

LONG LateRegQueryValueEx(HKEY key, LPCWSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size) {
    typedef LONG(WINAPI * Fn)(HKEY, LPCWSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD);
    ADVAPI(Fn, "RegQueryValueExW");
    return bound ? bound(key, name, reserved, type, data, size) : ERROR_PROC_NOT_FOUND;
}

LONG LateRegSetValueEx(HKEY key, LPCWSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size) {
    typedef LONG(WINAPI * Fn)(HKEY, LPCWSTR, DWORD, DWORD, const BYTE*, DWORD);
    ADVAPI(Fn, "RegSetValueExW");
    return bound ? bound(key, name, reserved, type, data, size) : ERROR_PROC_NOT_FOUND;
}

LONG LateRegCloseKey(HKEY key) {
    typedef LONG(WINAPI * Fn)(HKEY);
    ADVAPI(Fn, "RegCloseKey");
    return bound ? bound(key) : ERROR_PROC_NOT_FOUND;
}

BOOL LateOpenProcessToken(HANDLE process, DWORD access, PHANDLE token) {
    typedef BOOL(WINAPI * Fn)(HANDLE, DWORD, PHANDLE);
    ADVAPI(Fn, "OpenProcessToken");
    return bound ? bound(process, access, token) : Missing<BOOL>(FALSE);
}

BOOL LateLookupPrivilegeValue(LPCWSTR systemName, LPCWSTR name, PLUID luid) {
    typedef BOOL(WINAPI * Fn)(LPCWSTR, LPCWSTR, PLUID);
    ADVAPI(Fn, "LookupPrivilegeValueW");
    return bound ? bound(systemName, name, luid) : Missing<BOOL>(FALSE);
}

BOOL LateAdjustTokenPrivileges(HANDLE token, BOOL disableAll, PTOKEN_PRIVILEGES newState, DWORD length,
                               PTOKEN_PRIVILEGES previous, PDWORD returnLength) {
    typedef BOOL(WINAPI * Fn)(HANDLE, BOOL, PTOKEN_PRIVILEGES, DWORD, PTOKEN_PRIVILEGES, PDWORD);
    ADVAPI(Fn, "AdjustTokenPrivileges");
    return bound ? bound(token, disableAll, newState, length, previous, returnLength) : Missing<BOOL>(FALSE);
}

BOOL LateDuplicateTokenEx(HANDLE token, DWORD access, LPSECURITY_ATTRIBUTES attributes,
                          SECURITY_IMPERSONATION_LEVEL level, TOKEN_TYPE type, PHANDLE newToken) {
    typedef BOOL(WINAPI * Fn)(HANDLE, DWORD, LPSECURITY_ATTRIBUTES, SECURITY_IMPERSONATION_LEVEL, TOKEN_TYPE, PHANDLE);
    ADVAPI(Fn, "DuplicateTokenEx");
    return bound ? bound(token, access, attributes, level, type, newToken) : Missing<BOOL>(FALSE);
}

BOOL LateCreateProcessWithToken(HANDLE token, DWORD logonFlags, LPCWSTR applicationName, LPWSTR commandLine,
                                DWORD creationFlags, LPVOID environment, LPCWSTR currentDirectory,
                                LPSTARTUPINFOW startupInfo, LPPROCESS_INFORMATION processInfo) {
    typedef BOOL(WINAPI * Fn)(HANDLE, DWORD, LPCWSTR, LPWSTR, DWORD, LPVOID, LPCWSTR, LPSTARTUPINFOW,
                              LPPROCESS_INFORMATION);
    ADVAPI(Fn, "CreateProcessWithTokenW");
    return bound ? bound(token, logonFlags, applicationName, commandLine, creationFlags, environment,
                         currentDirectory, startupInfo, processInfo)
                 : Missing<BOOL>(FALSE);
}

DWORD LateGetFileVersionInfoSize(LPCWSTR path, LPDWORD handle) {
    typedef DWORD(WINAPI * Fn)(LPCWSTR, LPDWORD);
    VERSION(Fn, "GetFileVersionInfoSizeW");
    return bound ? bound(path, handle) : Missing<DWORD>(0);
}

BOOL LateGetFileVersionInfo(LPCWSTR path, DWORD handle, DWORD size, LPVOID data) {
    typedef BOOL(WINAPI * Fn)(LPCWSTR, DWORD, DWORD, LPVOID);
    VERSION(Fn, "GetFileVersionInfoW");
    return bound ? bound(path, handle, size, data) : Missing<BOOL>(FALSE);
}

BOOL LateVerQueryValue(LPCVOID block, LPCWSTR subBlock, LPVOID* buffer, PUINT length) {
    typedef BOOL(WINAPI * Fn)(LPCVOID, LPCWSTR, LPVOID*, PUINT);
    VERSION(Fn, "VerQueryValueW");
    return bound ? bound(block, subBlock, buffer, length) : Missing<BOOL>(FALSE);
}
