// Binary planting: DLLs and an msiexec.exe planted beside Setup.exe, with
// Wine told to prefer native DLLs for Setup.exe, so that a load by bare name
// would take them. Wine's own user32 imports version.dll and resolves it
// from the application's folder first (Windows takes known DLLs' imports
// from the system folder), so for version.dll the test asks whether
// Setup.exe's own code ever called into the planted copy.
#include <gtest/gtest.h>

#include <sstream>

#include "e2e/e2e_common.h"

using namespace e2e;

namespace {

const wchar_t* const kPlantedDlls[] = {L"version.dll", L"comctl32.dll", L"uxtheme.dll"};

void PreferNativeDlls(const std::wstring& program, bool prefer) {
    std::wstring keyName = L"Software\\Wine\\AppDefaults\\" + program + L"\\DllOverrides";
    if (!prefer) {
        RegDeleteKeyW(HKEY_CURRENT_USER, keyName.c_str());
        return;
    }
    HKEY key = NULL;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, keyName.c_str(), 0, NULL, 0, KEY_SET_VALUE, NULL, &key, NULL) != ERROR_SUCCESS) {
        return;
    }
    const wchar_t nativeFirst[] = L"native,builtin";
    for (const wchar_t* dll : kPlantedDlls) {
        std::wstring name(dll, wcslen(dll) - 4);
        RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(nativeFirst), sizeof(nativeFirst));
    }
    RegCloseKey(key);
}

std::wstring PlantedLog() {
    std::string bytes = ReadBytes(L"C:\\e2e\\planted.log");
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
}

std::vector<std::wstring> Lines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    std::wistringstream stream(text);
    for (std::wstring line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

class Planting : public ::testing::Test {
protected:
    void SetUp() override {
        ResetStubState();
        PreferNativeDlls(L"Setup.exe", true);
    }
    void TearDown() override { PreferNativeDlls(L"Setup.exe", false); }

    static Medium PlantedMedium(const std::wstring& name) {
        Medium medium(name);
        for (const wchar_t* dll : kPlantedDlls) {
            CopyFileW(NormalisePath(Env(L"PLANTED_DLL")).c_str(), medium.Path(dll).c_str(), FALSE);
        }
        medium.CopyStub(L"msiexec.exe");
        return medium;
    }
};

}  // namespace

TEST_F(Planting, ThePlantedDllRecordsItsLoadAndItsCaller) {
    // The control: without it the scenarios below could never fail.
    // A name Wine has no built-in DLL for, so the file itself is loaded.
    Medium medium = PlantedMedium(L"planting control");
    CopyFileW(NormalisePath(Env(L"PLANTED_DLL")).c_str(), medium.Path(L"plantcheck.dll").c_str(), FALSE);
    HMODULE planted = LoadLibraryW(medium.Path(L"plantcheck.dll").c_str());
    ASSERT_NE(nullptr, planted);
    typedef DWORD(WINAPI * SizeFn)(LPCWSTR, LPDWORD);
    SizeFn size = reinterpret_cast<SizeFn>(reinterpret_cast<void*>(GetProcAddress(planted, "GetFileVersionInfoSizeW")));
    ASSERT_NE(nullptr, size);
    size(L"x", NULL);
    std::wstring log = PlantedLog();
    EXPECT_NE(std::wstring::npos, log.find(L"loaded ")) << log.size();
    EXPECT_NE(std::wstring::npos, log.find(L"GetFileVersionInfoSizeW ")) << log.size();
    EXPECT_NE(std::wstring::npos, log.find(L"planting_test.exe")) << log.size();
}

TEST_F(Planting, NothingPlantedRunsInSilentOrInteractiveRuns) {
    for (const wchar_t* tail : {L"/qn", L""}) {
        ResetStubState();
        Medium medium = PlantedMedium(L"planted");
        RunOptions options;
        options.onIdle = PressDefaultButtons;
        RunResult result = RunSetup(medium, tail, options);
        ASSERT_TRUE(result.exited);
        for (const std::wstring& line : Lines(PlantedLog())) {
            std::string shown(line.begin(), line.end());
            // version.dll loaded and called by Wine's own user32 is Wine's
            // doing; any other planted DLL loaded, or any call from
            // Setup.exe, is a fault.
            if (line.rfind(L"loaded ", 0) == 0) {
                EXPECT_NE(std::wstring::npos, line.find(L"\\version.dll")) << shown;
            } else {
                EXPECT_EQ(std::wstring::npos, line.find(L"Setup.exe")) << shown;
            }
        }
        ASSERT_EQ(2u, result.calls.size());
        for (const StubCall& call : result.calls) {
            EXPECT_EQ(0, _wcsicmp(SystemMsiexec().c_str(), call.program.c_str())) << call.program.size();
        }
    }
}
