#include "companion.h"

#include <windows.h>

#include "../common/bounded_text.h"
#include "../common/handles.h"
#include "../common/late_bound.h"
#include "../install/probes.h"
#include "companion_rules.h"
#include "desktop_launch.h"
#include "registry_text.h"

namespace {

const size_t kValueCapacity = 128;
const size_t kCommandLineCapacity = 1024;

LONG OpenCompanionKey(UniqueKey& key) {
    return LateRegOpenKeyEx(HKEY_LOCAL_MACHINE, L"Software\\ORVELL\\Tidewatch", 0, KEY_READ, key.Put());
}

}  // namespace

bool BuildCompanionProperties(wchar_t* properties) {
    UniqueKey key;
    if (OpenCompanionKey(key) != ERROR_SUCCESS) return false;
    wchar_t value[kValueCapacity];
    ReadRegistryText(key.Get(), L"Version", value, kValueCapacity);
    bool oldVersion = IsOldCompanionVersion(value);
    ReadRegistryText(key.Get(), L"UIInstall", value, kValueCapacity);
    bool userInterface = IsUserInterfaceInstall(value);
    if (!userInterface && !oldVersion) return false;
    return CopyWhole(properties, kCompanionPropertiesCapacity, kCompanionProperties);
}

void LaunchCompanion() {
    wchar_t commandLine[kCommandLineCapacity];
    {
        UniqueKey key;
        if (OpenCompanionKey(key) != ERROR_SUCCESS) return;
        ReadRegistryText(key.Get(), L"InstallPath1", commandLine, kCommandLineCapacity);
    }
    if (commandLine[0] == L'\0') return;

    // The companion runs on after the setup: nothing waits for it.
    ProcessHandles process;
    StartPostInstallProgram(commandLine, IsWindowsVersionAtLeast(6, 0), process);
    process.thread.Reset();
    process.process.Reset();
}
