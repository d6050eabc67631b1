// The setup's spine through the real Setup.exe: what msiexec receives, the
// host message, the debugger text and the exit code.
#include <gtest/gtest.h>

#include "e2e/e2e_common.h"

using namespace e2e;

namespace {

class Spine : public ::testing::Test {
protected:
    void SetUp() override { ResetStubState(); }

    RunResult Run(const Medium& medium, const std::wstring& tail) {
        RunOptions options;
        options.onIdle = PressDefaultButtons;
        return RunSetup(medium, tail, options);
    }
};

std::vector<std::wstring> CommandLines(const std::vector<StubCall>& calls) {
    std::vector<std::wstring> lines;
    for (const StubCall& call : calls) lines.push_back(call.commandLine);
    return lines;
}

}  // namespace

TEST_F(Spine, EmptyTailInstallsBothPackagesWithTheirExactCommandLines) {
    Medium medium(L"empty tail");
    RunResult result = Run(medium, L"");
    ASSERT_TRUE(result.exited);
    EXPECT_EQ(0u, result.exitCode);
    std::vector<std::wstring> expected = {
        ExpectedMsiCommand(medium, L"QLX.msi", L""),
        ExpectedMsiCommand(medium, L"OTW.msi", L" /qb"),
    };
    EXPECT_EQ(expected, CommandLines(result.CallsTo(L"msiexec.exe")));
    for (const StubCall& call : result.calls) EXPECT_EQ(0, _wcsicmp(SystemMsiexec().c_str(), call.program.c_str()));
    EXPECT_TRUE(result.hostMessages.empty());
    EXPECT_TRUE(result.debugStrings.empty());
}

TEST_F(Spine, QuietRunWithHexHostReportsSuccessAndAddsNoBasicUi) {
    Medium medium(L"quiet");
    RunResult result = Run(medium, L"/quiet " + HostWindowSwitch(true));
    ASSERT_TRUE(result.exited);
    EXPECT_EQ(0u, result.exitCode);
    std::vector<std::wstring> expected = {
        ExpectedMsiCommand(medium, L"QLX.msi", L"/qb "),
        ExpectedMsiCommand(medium, L"OTW.msi", L"/qb "),
    };
    EXPECT_EQ(expected, CommandLines(result.CallsTo(L"msiexec.exe")));
    ASSERT_EQ(1u, result.hostMessages.size());
    EXPECT_EQ(1u, result.hostMessages[0].wParam);
    EXPECT_EQ(0, result.hostMessages[0].lParam);
    EXPECT_TRUE(result.debugStrings.empty());
}

TEST_F(Spine, ProductFailureWithHostReportsFailureAndStops) {
    AddStubRule("QLX.msi", 1602);
    Medium medium(L"product fails");
    RunResult result = Run(medium, HostWindowSwitch(false) + L" /qn");
    ASSERT_TRUE(result.exited);
    EXPECT_EQ(0u, result.exitCode);
    ASSERT_EQ(1u, result.calls.size());
    EXPECT_NE(std::wstring::npos, result.calls[0].commandLine.find(L"QLX.msi"));
    ASSERT_EQ(1u, result.hostMessages.size());
    EXPECT_EQ(3u, result.hostMessages[0].wParam);
    EXPECT_EQ(0, result.hostMessages[0].lParam);
    EXPECT_EQ(std::vector<std::wstring>{L"Install Failure"}, result.debugStrings);
}

TEST_F(Spine, ProductFailureWithoutHostPostsAndWritesNothing) {
    AddStubRule("QLX.msi", 1602);
    Medium medium(L"product fails silently");
    RunResult result = Run(medium, L"/qn");
    ASSERT_TRUE(result.exited);
    EXPECT_EQ(0u, result.exitCode);
    EXPECT_EQ(1u, result.calls.size());
    EXPECT_TRUE(result.hostMessages.empty());
    EXPECT_TRUE(result.debugStrings.empty());
}

TEST_F(Spine, EveryNonZeroCodeOfTheCompanionIsAFailure) {
    for (DWORD code : {1u, 3010u, 1641u}) {
        ResetStubState();
        AddStubRule("OTW.msi", code);
        Medium medium(L"companion fails");
        RunResult result = Run(medium, L"/passive " + HostWindowSwitch(true));
        ASSERT_TRUE(result.exited);
        EXPECT_EQ(0u, result.exitCode);
        EXPECT_EQ(2u, result.CallsTo(L"msiexec.exe").size()) << code;
        ASSERT_EQ(1u, result.hostMessages.size()) << code;
        EXPECT_EQ(3u, result.hostMessages[0].wParam) << code;
        EXPECT_EQ(std::vector<std::wstring>{L"Install Failure"}, result.debugStrings);
    }
}

TEST_F(Spine, SwitchesAreRewrittenForMsiexec) {
    Medium medium(L"rewrite");
    RunResult result = Run(medium, L"/NODISP /W32:123 /suppressTW");
    ASSERT_TRUE(result.exited);
    std::vector<StubCall> calls = result.CallsTo(L"msiexec.exe");
    ASSERT_EQ(2u, calls.size());
    EXPECT_EQ(ExpectedMsiCommand(medium, L"QLX.msi", L"/qn   "), calls[0].commandLine);
    EXPECT_EQ(ExpectedMsiCommand(medium, L"OTW.msi", L"/qn   "), calls[1].commandLine);
}

TEST_F(Spine, UnknownSwitchesAndPropertiesPassThroughUnchanged) {
    Medium medium(L"pass through");
    std::wstring tail = L"/l*v C:\\log.txt INSTALLDIR=\"C:\\Program Files\\Q\" /QUIET /q /w32:5 /W32:0x123456789abcdef0123456789";
    RunResult result = Run(medium, tail);
    ASSERT_TRUE(result.exited);
    std::vector<StubCall> calls = result.CallsTo(L"msiexec.exe");
    ASSERT_EQ(2u, calls.size());
    // Not silent: the companion gets " /qb"; the over-long host token stays.
    EXPECT_EQ(ExpectedMsiCommand(medium, L"QLX.msi", tail), calls[0].commandLine);
    EXPECT_EQ(ExpectedMsiCommand(medium, L"OTW.msi", tail + L" /qb"), calls[1].commandLine);
    EXPECT_TRUE(result.hostMessages.empty());
}

TEST_F(Spine, PlantedMsiexecBesideTheSetupNeverRuns) {
    Medium medium(L"planted");
    medium.CopyStub(L"msiexec.exe");
    RunResult result = Run(medium, L"/qn");
    ASSERT_TRUE(result.exited);
    ASSERT_EQ(2u, result.calls.size());
    for (const StubCall& call : result.calls) {
        EXPECT_EQ(0, _wcsicmp(SystemMsiexec().c_str(), call.program.c_str())) << call.program;
    }
}

TEST_F(Spine, CommandLineThatWouldNotFitStartsNothingAndReportsFailure) {
    Medium medium(L"too long");
    std::wstring tail = L"/qn " + HostWindowSwitch(true) + L" PROP=" + std::wstring(2100, L'x');
    RunResult result = Run(medium, tail);
    ASSERT_TRUE(result.exited);
    EXPECT_EQ(0u, result.exitCode);
    EXPECT_TRUE(result.calls.empty());
    ASSERT_EQ(1u, result.hostMessages.size());
    EXPECT_EQ(3u, result.hostMessages[0].wParam);
}
