// advapi32 and version functions, bound at their first call from the system
// directory by full path: a DLL of the same name beside Setup.exe is never
// loaded, and the program starts on systems that lack a function. A missing
// function fails with ERROR_PROC_NOT_FOUND.
#pragma once

#include <windows.h>

LONG LateRegOpenKeyEx(HKEY key, LPCWSTR subKey, DWORD options, REGSAM access, PHKEY result);
LONG LateRegQueryValueEx(HKEY key, LPCWSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size);
LONG LateRegSetValueEx(HKEY key, LPCWSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size);
LONG LateRegCloseKey(HKEY key);

BOOL LateOpenProcessToken(HANDLE process, DWORD access, PHANDLE token);
BOOL LateLookupPrivilegeValue(LPCWSTR systemName, LPCWSTR name, PLUID luid);
BOOL LateAdjustTokenPrivileges(HANDLE token, BOOL disableAll, PTOKEN_PRIVILEGES newState, DWORD length,
                               PTOKEN_PRIVILEGES previous, PDWORD returnLength);
BOOL LateDuplicateTokenEx(HANDLE token, DWORD access, LPSECURITY_ATTRIBUTES attributes,
                          SECURITY_IMPERSONATION_LEVEL level, TOKEN_TYPE type, PHANDLE newToken);
BOOL LateCreateProcessWithToken(HANDLE token, DWORD logonFlags, LPCWSTR applicationName, LPWSTR commandLine,
                                DWORD creationFlags, LPVOID environment, LPCWSTR currentDirectory,
                                LPSTARTUPINFOW startupInfo, LPPROCESS_INFORMATION processInfo);

DWORD LateGetFileVersionInfoSize(LPCWSTR path, LPDWORD handle);
BOOL LateGetFileVersionInfo(LPCWSTR path, DWORD handle, DWORD size, LPVOID data);
BOOL LateVerQueryValue(LPCVOID block, LPCWSTR subBlock, LPVOID* buffer, PUINT length);

// The full path of a file in the system directory; false if it does not fit.
bool GetSystemFilePath(const wchar_t* fileName, wchar_t* path, size_t capacity);

// Restricts later DLL loads to the system directory where the platform can.
void RestrictDllSearchToSystem();
