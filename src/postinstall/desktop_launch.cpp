#include "desktop_launch.h"

#include "../common/handles.h"
#include "../common/late_bound.h"

namespace {

const DWORD kPrimaryTokenAccess =
    TOKEN_ASSIGN_PRIMARY | TOKEN_DUPLICATE | TOKEN_QUERY | TOKEN_ADJUST_DEFAULT | TOKEN_ADJUST_SESSIONID;
static_assert(kPrimaryTokenAccess == 0x018B, "the access the shell token is duplicated with");

void AppendFailure(DiagnosticStream& diagnostics, const wchar_t* message, DWORD error) {
    diagnostics << message;
    AppendSystemError(diagnostics, error);
}

// The shell's token needs the quota privilege to be assigned to a new
// process; returns the last error left by the adjustment, 0 on success.
DWORD EnableIncreaseQuotaPrivilege(HANDLE ownToken) {
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!LateLookupPrivilegeValue(NULL, L"SeIncreaseQuotaPrivilege", &privileges.Privileges[0].Luid)) {
        DWORD error = GetLastError();
        return error != 0 ? error : static_cast<DWORD>(ERROR_NO_SUCH_PRIVILEGE);
    }
    LateAdjustTokenPrivileges(ownToken, FALSE, &privileges, 0, NULL, NULL);
    // Success with ERROR_NOT_ALL_ASSIGNED still means the privilege is not held.
    return GetLastError();
}

}  // namespace

void AppendSystemError(DiagnosticStream& text, DWORD code) {
    wchar_t* systemText = NULL;
    DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS |
                                      FORMAT_MESSAGE_FROM_SYSTEM,
                                  NULL, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                  reinterpret_cast<LPWSTR>(&systemText), 0, NULL);
    FormatSystemError(text, code, length != 0 && systemText != NULL ? systemText : NULL);
    if (systemText != NULL) LocalFree(systemText);
}

bool LaunchAsDesktopUser(DiagnosticStream& diagnostics, wchar_t* commandLine, STARTUPINFOW* startupInfo,
                         PROCESS_INFORMATION* processInfo) {
    UniqueHandle ownToken;
    if (!LateOpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, ownToken.Put())) {
        AppendFailure(diagnostics, L"OpenProcessToken failed:  ", GetLastError());
        return false;
    }
    DWORD privilegeError = EnableIncreaseQuotaPrivilege(ownToken.Get());
    ownToken.Reset();
    if (privilegeError != 0) {
        AppendFailure(diagnostics, L"AdjustTokenPrivileges failed:  ", privilegeError);
        return false;
    }

    HWND shellWindow = GetShellWindow();
    if (shellWindow == NULL) {
        diagnostics << L"No desktop shell is present";
        return false;
    }
    DWORD shellProcessId = 0;
    GetWindowThreadProcessId(shellWindow, &shellProcessId);
    if (shellProcessId == 0) {
        diagnostics << L"Unable to get PID of desktop shell.";
        return false;
    }
    UniqueHandle shellProcess(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, shellProcessId));
    if (!shellProcess.IsValid()) {
        AppendFailure(diagnostics, L"Can't open desktop shell process:  ", GetLastError());
        return false;
    }

    bool started = false;
    UniqueHandle shellToken;
    UniqueHandle primaryToken;
    if (!LateOpenProcessToken(shellProcess.Get(), TOKEN_DUPLICATE, shellToken.Put())) {
        AppendFailure(diagnostics, L"Can't get process token of desktop shell:  ", GetLastError());
    } else if (!LateDuplicateTokenEx(shellToken.Get(), kPrimaryTokenAccess, NULL, SecurityImpersonation,
                                     TokenPrimary, primaryToken.Put())) {
        AppendFailure(diagnostics, L"Can't get primary token:  ", GetLastError());
    } else if (!LateCreateProcessWithToken(primaryToken.Get(), 0, NULL, commandLine, 0, NULL, NULL, startupInfo,
                                           processInfo)) {
        AppendFailure(diagnostics, L"CreateProcessWithTokenW failed:  ", GetLastError());
    } else {
        started = true;
    }
    shellToken.Reset();
    primaryToken.Reset();
    shellProcess.Reset();
    return started;
}

void StartPostInstallProgram(wchar_t* commandLine, bool asDesktopUser, ProcessHandles& process) {
    STARTUPINFOW startup;
    ZeroMemory(&startup, sizeof(startup));
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info;
    ZeroMemory(&info, sizeof(info));
    if (asDesktopUser) {
        // Nobody reads the launch's diagnostics.
        DiagnosticStream diagnostics;
        LaunchAsDesktopUser(diagnostics, commandLine, &startup, &info);
    } else {
        CreateProcessW(NULL, commandLine, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &info);
    }
    process.Take(info);
}
