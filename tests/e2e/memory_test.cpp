// The setup's peak working set, as the harness reads it when the process
// ends, in a silent and in an interactive run. The figures go into the test
// report (and docs/performance.md); what they should be is no test's
// business, so only that they were read is checked.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "e2e/e2e_common.h"

using namespace e2e;

namespace {

// Module 2 names a stub, so an interactive run also brings up the progress
// dialog before the completion dialog.
Medium MemoryMedium(const std::wstring& name) {
    Medium medium(name);
    medium.WriteFile(L"Setup.ini",
                     "[Redist]\r\n"
                     "Module2=Prereq\\drivers.exe\r\n"
                     "Title2=Capture Device Drivers\r\n");
    CreateDirectoryW(medium.Path(L"Prereq").c_str(), NULL);
    medium.CopyStub(L"Prereq\\drivers.exe");
    return medium;
}

class Memory : public ::testing::Test {
protected:
    void SetUp() override { ResetStubState(); }

    void MeasureRun(const std::string& kind, const std::wstring& tail) {
        Medium medium = MemoryMedium(L"memory " + std::wstring(kind.begin(), kind.end()));
        int dialogsSeen = 0;
        RunOptions options;
        options.onIdle = [&dialogsSeen](DWORD processId) {
            for (HWND window : TopLevelWindows(processId)) {
                if (IsWindowVisible(window) && ClassName(window) == L"#32770") ++dialogsSeen;
            }
            PressDefaultButtons(processId);
        };
        RunResult result = RunSetup(medium, tail, options);
        ASSERT_TRUE(result.exited) << kind;
        EXPECT_EQ(0u, result.exitCode) << kind;
        EXPECT_EQ(2u, result.CallsTo(L"msiexec.exe").size()) << kind;
        EXPECT_GT(result.peakWorkingSet, 0u) << kind;

        RecordProperty("peak_working_set_bytes", std::to_string(result.peakWorkingSet));
        RecordProperty("dialog_sightings", dialogsSeen);
        printf("peak working set, %s run: %s bytes (%s KB); dialogs seen on %d looks\n", kind.c_str(),
               std::to_string(result.peakWorkingSet).c_str(), std::to_string(result.peakWorkingSet / 1024).c_str(),
               dialogsSeen);
    }
};

}  // namespace

TEST_F(Memory, PeakWorkingSetOfASilentRunIsRead) {
    MeasureRun("silent", L"/qn");
}

TEST_F(Memory, PeakWorkingSetOfAnInteractiveRunIsRead) {
    MeasureRun("interactive", L"");
}
