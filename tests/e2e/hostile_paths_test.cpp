// Setup directories an administrator may really have: blanks, Arabic and
// Chinese names, and lengths around the capacities. The setup either runs
// a package whole or refuses it and reports failure; it never starts a cut
// command line and never crashes.
#include <gtest/gtest.h>

#include "e2e/e2e_common.h"

using namespace e2e;

namespace {

class HostilePaths : public ::testing::Test {
protected:
    void SetUp() override { ResetStubState(); }
};

// A medium whose folder makes the setup directory exactly length characters
// long (when the file system allows it).
std::wstring NameForDirectoryLength(size_t length) {
    std::wstring scratch = NormalisePath(Env(L"SCRATCH_DIR"));
    size_t fixed = scratch.size() + 1;
    std::wstring name;
    while (fixed + name.size() < length) {
        size_t left = length - fixed - name.size();
        if (!name.empty()) {
            name += L'\\';
            --left;
        }
        name += std::wstring(left < 200 ? left : 200, L'd');
    }
    return name;
}

}  // namespace

TEST_F(HostilePaths, BlanksArabicAndChineseStayOneQuotedArgument) {
    Medium medium(L"dir with  blanks\\\u0645\u062C\u0644\u062F \u0627\u0644\u0625\u0639\u062F\u0627\u062F\\\u5B89\u88C5 \u7A0B\u5E8F");
    RunResult result = RunSetup(medium, L"/qn " + HostWindowSwitch(true));
    ASSERT_TRUE(result.exited);
    std::vector<StubCall> calls = result.CallsTo(L"msiexec.exe");
    ASSERT_EQ(2u, calls.size());
    EXPECT_EQ(ExpectedMsiCommand(medium, L"QLX.msi", L"/qn "), calls[0].commandLine);
    EXPECT_EQ(ExpectedMsiCommand(medium, L"OTW.msi", L"/qn "), calls[1].commandLine);
    ASSERT_EQ(1u, result.hostMessages.size());
    EXPECT_EQ(1u, result.hostMessages[0].wParam);
}

TEST_F(HostilePaths, TheDeepestFolderThatCanHoldAStartableSetup) {
    // Setup.exe's own path can be at most 259 characters, so the setup
    // directory never exceeds 249: the 512-, 1024- and 2048-character
    // buffers cannot be overrun by it. One character more and the platform
    // refuses to start the program at all.
    for (size_t length : {200u, 249u, 250u}) {
        ResetStubState();
        Medium medium(NameForDirectoryLength(length));
        ASSERT_EQ(length, medium.Dir().size());
        ASSERT_TRUE(FileExists(medium.Path(L"Setup.exe"))) << length;
        RunResult result = RunSetup(medium, L"/qn " + HostWindowSwitch(true));
        if (length == 250u) {
            EXPECT_FALSE(result.started);
            continue;
        }
        ASSERT_TRUE(result.exited) << length;
        EXPECT_EQ(0u, result.exitCode) << length;
        std::vector<StubCall> calls = result.CallsTo(L"msiexec.exe");
        ASSERT_EQ(2u, calls.size()) << length;
        EXPECT_EQ(ExpectedMsiCommand(medium, L"QLX.msi", L"/qn "), calls[0].commandLine) << length;
        ASSERT_EQ(1u, result.hostMessages.size()) << length;
        EXPECT_EQ(1u, result.hostMessages[0].wParam) << length;
    }
}
