#include "jobs.h"

#include <windows.h>

#include "../common/bounded_text.h"
#include "../common/handles.h"
#include "../common/late_bound.h"
#include "../driver/setup_directory.h"
#include "../driver/setup_ini.h"
#include "../install/probes.h"
#include "desktop_launch.h"
#include "job_command.h"
#include "registry_text.h"

namespace {

const size_t kSetupDirectoryCapacity = 512;
const DWORD kImportWaitMs = 60000;
void SetRunValue(HKEY runKey, const wchar_t* installFolder) {
    wchar_t data[kJobPathCapacity];
    BuildRunValueData(installFolder, data);
    DWORD size = static_cast<DWORD>((TextLength(data) + 1) * sizeof(wchar_t));
    LateRegSetValueEx(runKey, L"QLMJobDeployCmd", 0, REG_SZ, reinterpret_cast<const BYTE*>(data), size);
}

}  // namespace

void ImportJob(const wchar_t* fileName, const wchar_t* setupDirectory, const wchar_t* productExecutable,
               bool asDesktopUser) {
    wchar_t jobPath[kJobPathCapacity];
    if (!BuildJobPath(setupDirectory, fileName, jobPath)) return;

    WIN32_FIND_DATAW found;
    UniqueFind search(FindFirstFileW(jobPath, &found));
    if (!search.IsValid()) return;
    search.Reset();

    wchar_t commandLine[kImportCommandCapacity];
    if (!BuildImportCommandLine(productExecutable, jobPath, commandLine)) return;
    OutputDebugStringW(commandLine);

    ProcessHandles process;
    StartPostInstallProgram(commandLine, asDesktopUser, process);
    if (process.process.IsValid()) WaitForSingleObject(process.process.Get(), kImportWaitMs);
    process.thread.Reset();
    process.process.Reset();
}

void DeployJobs() {
    wchar_t setupDirectory[kSetupDirectoryCapacity];
    wchar_t configurationPath[kSetupDirectoryCapacity];
    // Every job and staging path lies inside these; when they do not fit,
    // nothing could be imported or staged.
    if (!GetSetupDirectory(setupDirectory, kSetupDirectoryCapacity)) return;
    if (!BuildSetupIniPath(setupDirectory, configurationPath, kSetupDirectoryCapacity)) return;

    bool asDesktopUser = IsWindowsVersionAtLeast(6, 0);

    wchar_t installPath[kJobPathCapacity];
    wchar_t installFolder[kJobPathCapacity];
    {
        UniqueKey product;
        if (LateRegOpenKeyEx(HKEY_LOCAL_MACHINE, L"SOFTWARE\\ORVELL\\Quillmark", 0, KEY_READ, product.Put()) !=
            ERROR_SUCCESS) {
            return;
        }
        ReadRegistryText(product.Get(), L"InstallPath", installPath, kJobPathCapacity);
        ReadRegistryText(product.Get(), L"InstallFolder", installFolder, kJobPathCapacity);
    }

    bool allUsers = ReadJobSettingsInt(configurationPath, L"AllUsers") != 0;
    wchar_t stagingFolder[kJobPathCapacity];
    BuildStagingFolder(installFolder, stagingFolder);
    if (allUsers) CreateDirectoryW(stagingFolder, NULL);

    if (installPath[0] == L'\0') return;

    int count = ReadJobSettingsInt(configurationPath, L"count");
    for (int i = 0; i < count; ++i) {
        wchar_t key[kJobIndexKeyCapacity];
        BuildJobKey(i, key);
        wchar_t fileName[kJobPathCapacity];
        ReadJobSettingsString(configurationPath, key, fileName, kJobPathCapacity);
        ImportJob(fileName, setupDirectory, installPath, asDesktopUser);
        if (allUsers) {
            wchar_t source[kJobPathCapacity];
            wchar_t target[kJobPathCapacity];
            BuildStagingSource(setupDirectory, fileName, source);
            BuildStagingTarget(installFolder, fileName, target);
            CopyFileW(source, target, FALSE);
        }
    }
    if (count == 0) ImportJob(L"Setup.jxz", setupDirectory, installPath, asDesktopUser);

    UniqueKey run;
    if (LateRegOpenKeyEx(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", 0, KEY_WRITE,
                         run.Put()) != ERROR_SUCCESS) {
        return;
    }
    if (allUsers) {
        SetRunValue(run.Get(), installFolder);
        CreateDirectoryW(stagingFolder, NULL);
        wchar_t stagedConfiguration[kJobPathCapacity];
        BuildStagedConfiguration(stagingFolder, stagedConfiguration);
        CopyFileW(configurationPath, stagedConfiguration, FALSE);
    }
}
