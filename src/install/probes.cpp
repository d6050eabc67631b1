#include "probes.h"

#include <windows.h>
#include <shlobj.h>

#include "../common/bounded_text.h"
#include "../common/handles.h"
#include "../common/late_bound.h"
#include "version_rules.h"

bool IsRunningUnderWow64() {
    typedef BOOL(WINAPI * IsWow64ProcessFn)(HANDLE, PBOOL);
    HMODULE kernel = GetModuleHandleW(L"kernel32");
    if (kernel == NULL) return false;
    IsWow64ProcessFn isWow64Process =
        reinterpret_cast<IsWow64ProcessFn>(reinterpret_cast<void*>(GetProcAddress(kernel, "IsWow64Process")));
    if (isWow64Process == NULL) return false;
    BOOL wow64 = FALSE;
    if (!isWow64Process(GetCurrentProcess(), &wow64)) return false;
    return wow64 != FALSE;
}

namespace {

bool ReadFileVersion(const wchar_t* path, FileVersion* version) {
    DWORD handle = 0;
    DWORD size = LateGetFileVersionInfoSize(path, &handle);
    if (size == 0) return false;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (memory == NULL) return false;
    bool found = false;
    void* data = GlobalLock(memory);
    if (data != NULL) {
        VS_FIXEDFILEINFO* info = NULL;
        UINT length = 0;
        if (LateGetFileVersionInfo(path, handle, size, data) &&
            LateVerQueryValue(data, L"\\", reinterpret_cast<void**>(&info), &length) && info != NULL &&
            length >= sizeof(VS_FIXEDFILEINFO)) {
            version->major = HIWORD(info->dwFileVersionMS);
            version->minor = LOWORD(info->dwFileVersionMS);
            version->build = HIWORD(info->dwFileVersionLS);
            version->revision = LOWORD(info->dwFileVersionLS);
            found = true;
        }
        GlobalUnlock(memory);
    }
    GlobalFree(memory);
    return found;
}

}  // namespace

bool IsMsiVersionSufficient() {
    wchar_t path[MAX_PATH];
    ZeroText(path, MAX_PATH);
    if (!SHGetSpecialFolderPathW(NULL, path, CSIDL_SYSTEM, FALSE)) return false;
    if (TextBuffer::Continue(path, MAX_PATH).Append(L"\\Msi.dll").IsCut()) return false;
    FileVersion version = {0, 0, 0, 0};
    if (!ReadFileVersion(path, &version)) return false;
    return IsMsiVersionEnough(version);
}

bool IsDotNet20Installed() {
    UniqueKey key;
    if (LateRegOpenKeyEx(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\NET Framework Setup\\NDP\\v2.0.50727", 0, KEY_READ,
                         key.Put()) != ERROR_SUCCESS) {
        return false;
    }
    DWORD install = 0;
    DWORD size = sizeof(install);
    // A value that is missing or does not fit leaves no trusted data.
    if (LateRegQueryValueEx(key.Get(), L"Install", NULL, NULL, reinterpret_cast<BYTE*>(&install), &size) !=
        ERROR_SUCCESS) {
        install = 0;
    }
    return install != 0;
}

bool IsWindowsVersionAtLeast(unsigned major, unsigned minor) {
    OSVERSIONINFOEXW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    version.dwMajorVersion = major;
    version.dwMinorVersion = minor;
    DWORDLONG mask = VerSetConditionMask(0, VER_MAJORVERSION, VER_GREATER_EQUAL);
    mask = VerSetConditionMask(mask, VER_MINORVERSION, VER_GREATER_EQUAL);
    return VerifyVersionInfoW(&version, VER_MAJORVERSION | VER_MINORVERSION, mask) != FALSE;
}
