// A DLL planted beside Setup.exe by the hardening tests under the names of
// DLLs the setup loads. It records in C:\e2e\planted.log that it was loaded
// and, for the version functions the setup binds, which module called them.
#include <windows.h>

namespace {

void Record(const wchar_t* what, const wchar_t* detail) {
    HANDLE log = CreateFileW(L"C:\\e2e\\planted.log", FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (log == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(log, what, lstrlenW(what) * sizeof(wchar_t), &written, NULL);
    WriteFile(log, L" ", sizeof(wchar_t), &written, NULL);
    WriteFile(log, detail, lstrlenW(detail) * sizeof(wchar_t), &written, NULL);
    WriteFile(log, L"\n", sizeof(wchar_t), &written, NULL);
    CloseHandle(log);
}

void RecordCall(const wchar_t* function, void* returnAddress) {
    HMODULE caller = NULL;
    wchar_t path[MAX_PATH] = L"?";
    if (GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           static_cast<LPCWSTR>(returnAddress), &caller)) {
        GetModuleFileNameW(caller, path, MAX_PATH);
    }
    Record(function, path);
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        wchar_t path[MAX_PATH] = L"";
        GetModuleFileNameW(instance, path, MAX_PATH);
        Record(L"loaded", path);
    }
    return TRUE;
}

extern "C" __declspec(dllexport) DWORD WINAPI GetFileVersionInfoSizeW(LPCWSTR, LPDWORD) {
    RecordCall(L"GetFileVersionInfoSizeW", __builtin_return_address(0));
    return 0;
}

extern "C" __declspec(dllexport) BOOL WINAPI GetFileVersionInfoW(LPCWSTR, DWORD, DWORD, LPVOID) {
    RecordCall(L"GetFileVersionInfoW", __builtin_return_address(0));
    return FALSE;
}

extern "C" __declspec(dllexport) BOOL WINAPI VerQueryValueW(LPCVOID, LPCWSTR, LPVOID*, PUINT) {
    RecordCall(L"VerQueryValueW", __builtin_return_address(0));
    return FALSE;
}
