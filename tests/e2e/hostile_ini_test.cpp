// Setup.ini as an administrator might really leave it: missing, empty,
// ANSI or UTF-16, binary garbage, a megabyte long, values past their
// buffers, negative and large job counts. Every run ends with both packages
// installed and success reported, starts nothing cut, and leaves the medium
// as it was.
#include <gtest/gtest.h>

#include <random>

#include "e2e/e2e_common.h"
#include "e2e/postinstall_support.h"

using namespace e2e;

namespace {

struct IniCase {
    const char* name;
    std::string bytes;       // empty with missing: no Setup.ini at all
    bool missing;
    bool wantsModule;        // Module2 names the stub and must run whole
    size_t imports;          // job.jxz imported this often
};

std::string Utf16(const std::wstring& text) {
    std::string bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    return bytes;
}

std::vector<IniCase> Cases() {
    std::vector<IniCase> cases;
    cases.push_back({"missing", "", true, false, 0});
    cases.push_back({"empty", "", false, false, 0});
    cases.push_back({"ansi", "[Redist]\r\nModule2=mod.exe\r\nCmd2=/S\r\n[JobSettings]\r\ncount=1\r\n0=job.jxz\r\n", false, true, 1});
    cases.push_back({"utf16", Utf16(L"[Redist]\r\nModule2=mod.exe\r\nCmd2=/S\r\nTitle2=\u0628\u0631\u0646\u0627\u0645\u062C\r\n"
                                    L"[JobSettings]\r\ncount=1\r\n0=job.jxz\r\n"),
                     false, true, 1});
    std::mt19937 random(7);
    std::string garbage(4096, '\0');
    for (char& c : garbage) c = static_cast<char>(random());
    cases.push_back({"garbage", garbage, false, false, 0});
    std::string huge;
    while (huge.size() < (1u << 20)) huge += "[Filler" + std::to_string(huge.size()) + "]\r\nkey=value\r\n";
    huge += "[Redist]\r\nModule2=mod.exe\r\nCmd2=/S\r\n";
    cases.push_back({"megabyte", huge, false, true, 0});
    // Cut to 511 by the profile function: the cut name names no file, and
    // the cut arguments never reach a program.
    cases.push_back({"long values", "[Redist]\r\nModule2=" + std::string(600, 'm') + ".exe\r\nCmd2=" +
                                        std::string(600, 'a') + "\r\nTitle2=" + std::string(600, 't') +
                                        "\r\n[JobSettings]\r\ncount=1\r\n0=" + std::string(400, 'j') + "\r\n",
                     false, false, 0});
    cases.push_back({"negative count", "[JobSettings]\r\nAllUsers=1\r\ncount=-5\r\n", false, false, 0});
    cases.push_back({"large count", "[JobSettings]\r\nAllUsers=1\r\ncount=20000\r\n19999=job.jxz\r\n", false, false, 1});
    return cases;
}

class HostileIni : public ::testing::Test {
protected:
    void SetUp() override {
        ResetStubState();
        // This may be the first scenario of a fresh build tree.
        CreateDirectoryW(NormalisePath(Env(L"SCRATCH_DIR")).c_str(), NULL);
        install_ = NormalisePath(Env(L"SCRATCH_DIR")) + L"\\hostile ini product";
        DeleteTree(install_);
        CreateDirectoryW(install_.c_str(), NULL);
        ASSERT_TRUE(CopyFileW(NormalisePath(Env(L"STUB_EXE")).c_str(), (install_ + L"\\Quillmark.exe").c_str(), FALSE));
        postinstall::SetText(postinstall::kProductKey, L"InstallPath", install_ + L"\\Quillmark.exe");
        postinstall::SetText(postinstall::kProductKey, L"InstallFolder", install_);
        // The imports start through the shell's token; on XP they would be
        // plain children.
        ASSERT_TRUE(shell_.Start());
    }

    void TearDown() override {
        shell_.Stop();
        postinstall::DeletePackageKeys();
        postinstall::DeleteValue(postinstall::kRunKey, postinstall::kRunValue);
    }
    std::wstring install_;
    postinstall::FakeShell shell_;
};

}  // namespace

TEST_F(HostileIni, EveryFileEndsInSuccessWithNothingCutStarted) {
    for (const IniCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        ResetStubState();
        Medium medium(L"hostile ini");
        medium.CopyStub(L"mod.exe");
        medium.WriteFile(L"job.jxz", "<Job/>");
        if (!c.missing) medium.WriteFile(L"Setup.ini", c.bytes);

        RunResult result = RunSetup(medium, L"/qn " + HostWindowSwitch(true));
        ASSERT_TRUE(result.exited);
        EXPECT_EQ(0u, result.exitCode);
        ASSERT_EQ(1u, result.hostMessages.size());
        EXPECT_EQ(1u, result.hostMessages[0].wParam);

        std::vector<std::wstring> allowed = {
            ExpectedMsiCommand(medium, L"QLX.msi", L"/qn "),
            ExpectedMsiCommand(medium, L"OTW.msi", L"/qn "),
            L"\"" + medium.Path(L"mod.exe") + L"\" /S",
            L"\"" + install_ + L"\\Quillmark.exe\" /ImportJob \"" + medium.Path(L"job.jxz") + L"\"",
        };
        size_t modules = 0;
        for (const StubCall& call : result.calls) {
            EXPECT_NE(allowed.end(), std::find(allowed.begin(), allowed.end(), call.commandLine))
                << std::string(call.commandLine.begin(), call.commandLine.end()).substr(0, 200);
            if (call.ProgramName() == L"mod.exe") ++modules;
        }
        EXPECT_EQ(c.wantsModule ? 1u : 0u, modules);
        EXPECT_EQ(c.imports, result.CallsTo(L"quillmark.exe").size()) << result.debugStrings.size();
        EXPECT_EQ(2u, result.CallsTo(L"msiexec.exe").size());
        if (!c.missing) {
            EXPECT_EQ(c.bytes, ReadBytes(medium.Path(L"Setup.ini"))) << "the medium was changed";
        }
        EXPECT_EQ("<Job/>", ReadBytes(medium.Path(L"job.jxz")));
    }
}
