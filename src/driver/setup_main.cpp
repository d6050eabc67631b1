#include <windows.h>

#include "../common/bounded_text.h"
#include "../common/late_bound.h"
#include "../install/package_runner.h"
#include "../install/prerequisites.h"
#include "../install/probes.h"
#include "../postinstall/companion.h"
#include "../postinstall/jobs.h"
#include "../postinstall/product_config.h"
#include "../ui/completion_dialog.h"
#include "globals.h"
#include "host_window.h"
#include "sequence_rules.h"
#include "switches.h"

HINSTANCE g_hInst = NULL;
HWND g_hWndHost = NULL;

namespace {

// Everything after the product package; false when the companion failed.
bool InstallCompanionAndFinish(const wchar_t* tail, bool silent, bool launchSuppressed) {
    wchar_t properties[kCompanionPropertiesCapacity];
    ZeroText(properties, kCompanionPropertiesCapacity);
    const wchar_t* extraProperties = BuildCompanionProperties(properties) ? properties : NULL;
    if (RunMsiPackage(tail, L"OTW.msi", extraProperties, true) != 0) return false;

    DeployJobs();
    CopyProductConfig();
    if (!launchSuppressed) LaunchCompanion();

    if (!silent) ShowCompletionDialog();
    return true;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR lpCmdLine, int) {
    g_hInst = hInstance;
    RestrictDllSearchToSystem();
    const wchar_t* tail = lpCmdLine != NULL ? lpCmdLine : L"";

    g_hWndHost = ParseHostWindow(tail);
    HWND dummyWindow = CreateDummyWindow();

    bool wow64 = IsRunningUnderWow64();
    if (!IsMsiVersionSufficient()) RunRedistModule(wow64, IsSilentMode(tail), 0);
    bool windows8OrLater = IsWindowsVersionAtLeast(6, 2);
    if (ShouldRunDotNetRuntime(IsDotNet20Installed, windows8OrLater, IsMsiVersionSufficient, wow64)) {
        RunDotNetRuntime(wow64);
    }

    bool silent = IsSilentMode(tail);
    bool launchSuppressed = IsLaunchSuppressed(tail);

    bool succeeded = false;
    if (RunMsiPackage(tail, L"QLX.msi", NULL, false) == 0) {
        RunRedistModule(wow64, silent, 1);
        if (!silent) {
            SetForegroundWindow(dummyWindow);
            SetActiveWindow(dummyWindow);
        }
        succeeded = InstallCompanionAndFinish(tail, silent, launchSuppressed);
    }
    NotifyHost(succeeded ? SETUP_RESULT_SUCCESS : SETUP_RESULT_FAILURE);

    if (dummyWindow != NULL) DestroyWindow(dummyWindow);
    return 0;
}
