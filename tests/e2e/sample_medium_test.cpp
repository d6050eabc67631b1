// The sample medium, installed for real by Wine's own msiexec.
#include <gtest/gtest.h>

#include "e2e/e2e_common.h"

using namespace e2e;

namespace {

std::wstring ReadMachineString(const wchar_t* key, const wchar_t* name) {
    wchar_t value[1024] = L"";
    DWORD size = sizeof(value) - sizeof(wchar_t);
    HKEY handle = NULL;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return L"<missing>";
    LONG result = RegQueryValueExW(handle, name, NULL, NULL, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(handle);
    return result == ERROR_SUCCESS ? std::wstring(value) : L"<missing>";
}

void RunMsiexec(const std::wstring& arguments) {
    std::wstring commandLine = L"msiexec.exe " + arguments;
    std::vector<wchar_t> writable(commandLine.begin(), commandLine.end());
    writable.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(SystemMsiexec().c_str(), writable.data(), NULL, NULL, FALSE, 0, NULL, NULL, &startup, &info)) return;
    WaitForSingleObject(info.hProcess, 60000);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
}

class SampleMedium : public ::testing::Test {
protected:
    void SetUp() override { ResetStubState(); }
    void TearDown() override {
        // Leave the prefix as it was for the other scenarios.
        RunMsiexec(L"/x \"" + medium_.Path(L"MSI\\OTW.msi") + L"\" /qn");
        RunMsiexec(L"/x \"" + medium_.Path(L"MSI\\QLX.msi") + L"\" /qn");
        HKEY run = NULL;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", 0, KEY_SET_VALUE,
                          &run) == ERROR_SUCCESS) {
            RegDeleteValueW(run, L"QLMJobDeployCmd");
            RegCloseKey(run);
        }
    }
    Medium medium_ = Medium::SampleCopy(L"sample medium");
};

}  // namespace

TEST_F(SampleMedium, WinesMsiexecInstallsBothPackages) {
    RunOptions options;
    options.stubMsiexec = false;
    RunResult result = RunSetup(medium_, L"/qn " + HostWindowSwitch(true), options);
    ASSERT_TRUE(result.exited);
    EXPECT_EQ(0u, result.exitCode);
    ASSERT_EQ(1u, result.hostMessages.size());
    EXPECT_EQ(1u, result.hostMessages[0].wParam);

    wchar_t programFiles[MAX_PATH];
    ASSERT_GT(GetEnvironmentVariableW(L"ProgramFiles", programFiles, MAX_PATH), 0u);
    std::wstring product = std::wstring(programFiles) + L"\\ORVELL\\Quillmark";
    EXPECT_TRUE(FileExists(product + L"\\Quillmark.exe"));
    EXPECT_TRUE(FileExists(product + L"\\QLMJobDeployCmd.exe"));
    EXPECT_TRUE(FileExists(std::wstring(programFiles) + L"\\ORVELL\\Tidewatch\\Tidewatch.exe"));
    EXPECT_EQ(product + L"\\Quillmark.exe", ReadMachineString(L"SOFTWARE\\ORVELL\\Quillmark", L"InstallPath"));
    EXPECT_EQ(product, ReadMachineString(L"SOFTWARE\\ORVELL\\Quillmark", L"InstallFolder"));
    EXPECT_EQ(L"3.2.0", ReadMachineString(L"Software\\ORVELL\\Tidewatch", L"Version"));
    EXPECT_EQ(L"\"" + std::wstring(programFiles) + L"\\ORVELL\\Tidewatch\\Tidewatch.exe\"",
              ReadMachineString(L"Software\\ORVELL\\Tidewatch", L"InstallPath1"));
}
