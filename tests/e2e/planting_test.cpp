// Binary planting: DLLs and an msiexec.exe planted beside Setup.exe, with
// Wine told to prefer native DLLs for Setup.exe so that a load by bare name
// would pick them. None of them may ever be loaded or started.
#include <gtest/gtest.h>

#include "e2e/e2e_common.h"

using namespace e2e;

namespace {

const wchar_t* const kPlantedDlls[] = {L"version.dll", L"advapi32.dll", L"comctl32.dll", L"uxtheme.dll"};
const wchar_t kAppOverrides[] = L"Software\\Wine\\AppDefaults\\Setup.exe\\DllOverrides";

class Planting : public ::testing::Test {
protected:
    void SetUp() override {
        ResetStubState();
        HKEY key = NULL;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, kAppOverrides, 0, NULL, 0, KEY_SET_VALUE, NULL,
                                                 &key, NULL));
        const wchar_t nativeFirst[] = L"native,builtin";
        for (const wchar_t* dll : kPlantedDlls) {
            std::wstring name(dll, wcslen(dll) - 4);
            RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(nativeFirst), sizeof(nativeFirst));
        }
        RegCloseKey(key);
    }
    void TearDown() override { RegDeleteKeyW(HKEY_CURRENT_USER, kAppOverrides); }

    Medium PlantedMedium(const std::wstring& name) {
        Medium medium(name);
        for (const wchar_t* dll : kPlantedDlls) {
            CopyFileW(NormalisePath(Env(L"PLANTED_DLL")).c_str(), medium.Path(dll).c_str(), FALSE);
        }
        medium.CopyStub(L"msiexec.exe");
        return medium;
    }

    static std::string PlantedLog() { return ReadBytes(L"C:\\e2e\\planted.log"); }
};

}  // namespace

TEST_F(Planting, ThePlantedDllRecordsWhenItIsLoaded) {
    // The control: without it a planting test could never fail.
    Medium medium = PlantedMedium(L"planting control");
    HMODULE planted = LoadLibraryW(medium.Path(L"version.dll").c_str());
    ASSERT_NE(nullptr, planted);
    FreeLibrary(planted);
    EXPECT_FALSE(PlantedLog().empty());
}

TEST_F(Planting, NothingPlantedRunsInSilentOrInteractiveRuns) {
    for (const wchar_t* tail : {L"/qn", L""}) {
        ResetStubState();
        Medium medium = PlantedMedium(L"planted");
        RunOptions options;
        options.onIdle = PressDefaultButtons;
        RunResult result = RunSetup(medium, tail, options);
        ASSERT_TRUE(result.exited) << tail;
        EXPECT_EQ("", PlantedLog()) << "tail: " << (tail[0] ? "/qn" : "empty");
        ASSERT_EQ(2u, result.calls.size());
        for (const StubCall& call : result.calls) {
            EXPECT_EQ(0, _wcsicmp(SystemMsiexec().c_str(), call.program.c_str())) << call.program;
        }
    }
}
