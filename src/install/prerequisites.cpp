#include "prerequisites.h"

#include <windows.h>

#include <cstdlib>

#include "../common/bounded_text.h"
#include "../common/handles.h"
#include "../driver/setup_directory.h"
#include "../driver/setup_ini.h"
#include "../ui/progress_dialog.h"
#include "prereq_command.h"

namespace {

// Setup.ini's key stem + number from the prerequisite section; stays empty
// when the key name would not fit.
void ReadModuleValue(const wchar_t* iniPath, bool wow64, const wchar_t* stem, int number, wchar_t* value) {
    ZeroText(value, kIniValueCapacity);
    wchar_t key[kModuleKeyCapacity];
    ZeroText(key, kModuleKeyCapacity);
    if (!BuildNumberedKey(stem, number, key, kModuleKeyCapacity)) return;
    ReadRedistString(iniPath, wow64, key, value, kIniValueCapacity);
}

// Starts the command line; on success only the process handle is kept.
bool StartProcess(wchar_t* commandLine, BOOL inheritHandles, STARTUPINFOW& startup, UniqueHandle& process) {
    PROCESS_INFORMATION info;
    ZeroMemory(&info, sizeof(info));
    if (!CreateProcessW(NULL, commandLine, NULL, NULL, inheritHandles, 0, NULL, NULL, &startup, &info)) {
        return false;
    }
    ProcessHandles handles;
    handles.Take(info);
    handles.thread.Reset();
    process.Reset(handles.process.Release());
    return true;
}

}  // namespace

void RunRedistModule(bool wow64, bool silent, int index) {
    const int number = index + 1;
    wchar_t directory[kModuleBufferCapacity];
    wchar_t iniPath[kModuleBufferCapacity];
    wchar_t value[kIniValueCapacity];
    wchar_t commandLine[kModuleBufferCapacity];
    ZeroText(iniPath, kModuleBufferCapacity);
    ZeroText(commandLine, kModuleBufferCapacity);

    // A path or command line that would not fit is never cut and started:
    // the run then goes on as after a failed start.
    bool named = GetSetupDirectory(directory, kModuleBufferCapacity) &&
                 BuildSetupIniPath(directory, iniPath, kModuleBufferCapacity);
    bool built = false;
    if (named) {
        ReadModuleValue(iniPath, wow64, L"Module", number, value);
        wchar_t arguments[kIniValueCapacity];
        ReadModuleValue(iniPath, wow64, L"Cmd", number, arguments);
        built = BuildModuleCommandLine(directory, value, arguments, commandLine, kModuleBufferCapacity);
    }

    UniqueHandle process;
    if (built) {
        STARTUPINFOW startup;
        ZeroMemory(&startup, sizeof(startup));
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWNA;
        StartProcess(commandLine, TRUE, startup, process);
    }

    if (!silent) {
        ZeroText(value, kIniValueCapacity);
        if (named) ReadModuleValue(iniPath, wow64, L"Title", number, value);
        ShowProgressDialog(value);
    }
    if (process.IsValid()) WaitForSingleObject(process.Get(), INFINITE);
    process.Reset();
    CloseProgressDialog();
}

void RunDotNetRuntime(bool wow64) {
    wchar_t directory[kDotNetBufferCapacity];
    wchar_t iniPath[kDotNetBufferCapacity];
    wchar_t installer[kIniValueCapacity];
    wchar_t commandLine[kDotNetBufferCapacity];
    ZeroText(installer, kIniValueCapacity);

    if (!GetSetupDirectory(directory, kDotNetBufferCapacity) ||
        !BuildSetupIniPath(directory, iniPath, kDotNetBufferCapacity)) {
        return;
    }
    ReadRedistString(iniPath, wow64, L"DotNetRuntime", installer, kIniValueCapacity);
    if (!BuildDotNetCommandLine(directory, installer, commandLine, kDotNetBufferCapacity)) return;

    STARTUPINFOW startup;
    ZeroMemory(&startup, sizeof(startup));
    startup.cb = sizeof(startup);
    UniqueHandle process;
    if (!StartProcess(commandLine, FALSE, startup, process)) return;

    WaitForSingleObject(process.Get(), INFINITE);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.Get(), &exitCode);
    process.Reset();
    // Any failure, restart requests included, ends the whole setup quietly.
    if (exitCode != 0) exit(0);
}
