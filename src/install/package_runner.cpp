#include "package_runner.h"

#include <windows.h>

#include "../common/bounded_text.h"
#include "../common/handles.h"
#include "../common/late_bound.h"
#include "../driver/setup_directory.h"
#include "msi_command.h"

int RunMsiPackage(const wchar_t* options, const wchar_t* packageName, const wchar_t* extraProperties,
                  bool addBasicUi) {
    wchar_t setupDirectory[kMsiCommandCapacity];
    if (!GetSetupDirectory(setupDirectory, kMsiCommandCapacity)) return ERROR_FILENAME_EXCED_RANGE;

    wchar_t commandLine[kMsiCommandCapacity];
    if (!BuildMsiCommandLine(options, setupDirectory, packageName, extraProperties, addBasicUi, commandLine)) {
        return ERROR_FILENAME_EXCED_RANGE;
    }

    // The program is named by its full path so that no msiexec.exe beside the
    // setup or in the current directory runs elevated in its place.
    wchar_t msiexecPath[MAX_PATH];
    if (!GetSystemFilePath(L"msiexec.exe", msiexecPath, MAX_PATH)) return ERROR_FILENAME_EXCED_RANGE;

    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(msiexecPath, commandLine, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &info)) {
        DWORD error = GetLastError();
        return error != 0 ? static_cast<int>(error) : static_cast<int>(ERROR_FILE_NOT_FOUND);
    }
    ProcessHandles process;
    process.Take(info);
    process.thread.Reset();

    WaitForSingleObject(process.process.Get(), INFINITE);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.process.Get(), &exitCode);
    return static_cast<int>(exitCode);
}
