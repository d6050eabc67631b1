// The post-install actions through the real Setup.exe: job imports and
// staging, the configuration copy, the companion's properties and launch.
// The test writes the registry values the packages would have written (the
// msiexec stand-in installs nothing) and points them at stub copies.
#include <gtest/gtest.h>

#include "e2e/e2e_common.h"
#include "e2e/postinstall_support.h"

using namespace e2e;
using namespace postinstall;

namespace {

const wchar_t kProperties[] = L" UI_INSTALL=YES SHORTCUT=YES";

// The installed product and companion as the test registers them.
struct Installation {
    std::wstring folder;
    std::wstring product;
    std::wstring companion;
    std::wstring companionCommand;
};

// A folder name with a blank, so that every path needs its quotes.
Installation Install(const std::wstring& name) {
    Installation installed;
    installed.folder = NormalisePath(Env(L"SCRATCH_DIR")) + L"\\" + name + L" install";
    DeleteTree(installed.folder);
    CreateDirectoryW(installed.folder.c_str(), NULL);
    installed.product = installed.folder + L"\\Quillmark.exe";
    installed.companion = installed.folder + L"\\Tidewatch.exe";
    installed.companionCommand = L"\"" + installed.companion + L"\" /tray";
    std::wstring stub = NormalisePath(Env(L"STUB_EXE"));
    CopyFileW(stub.c_str(), installed.product.c_str(), FALSE);
    CopyFileW(stub.c_str(), installed.companion.c_str(), FALSE);
    SetText(kProductKey, L"InstallPath", installed.product);
    SetText(kProductKey, L"InstallFolder", installed.folder);
    SetText(kCompanionKey, L"InstallPath1", installed.companionCommand);
    return installed;
}

std::wstring ImportLine(const Installation& installed, const Medium& medium, const std::wstring& job) {
    return L"\"" + installed.product + L"\" /ImportJob \"" + medium.Path(job) + L"\"";
}

std::vector<std::wstring> CommandLines(const RunResult& result, const std::wstring& program) {
    std::vector<std::wstring> lines;
    for (const StubCall& call : result.CallsTo(program)) lines.push_back(call.commandLine);
    return lines;
}

void ExpectSucceeded(const RunResult& result) {
    ASSERT_TRUE(result.exited);
    EXPECT_EQ(0u, result.exitCode);
    ASSERT_EQ(1u, result.hostMessages.size());
    EXPECT_EQ(1u, result.hostMessages[0].wParam);
}

void SetWindowsVersion(const wchar_t* version) {
    const wchar_t subKey[] = L"Software\\Wine\\AppDefaults\\Setup.exe";
    HKEY key = NULL;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, subKey, 0, NULL, 0, KEY_SET_VALUE, NULL, &key, NULL) != ERROR_SUCCESS) {
        return;
    }
    if (version != nullptr) {
        RegSetValueExW(key, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                       static_cast<DWORD>((wcslen(version) + 1) * sizeof(wchar_t)));
    } else {
        RegDeleteValueW(key, L"Version");
    }
    RegCloseKey(key);
}

std::string Ini(const std::string& jobSettings) {
    return "[Redist]\r\n[JobSettings]\r\n" + jobSettings;
}

class PostInstall : public ::testing::Test {
protected:
    void SetUp() override {
        ResetStubState();
        Clean();
    }
    void TearDown() override {
        EXPECT_TRUE(shell_.Stop());
        Clean();
    }
    static void Clean() {
        DeletePackageKeys();
        DeleteValue(kRunKey, kRunValue);
        SetWindowsVersion(nullptr);
    }

    // Runs the setup quietly with a host window and waits for the programs
    // it started without waiting, so that absent records mean "never ran".
    static RunResult Run(const Medium& medium, const std::wstring& tail = L"/qn") {
        RunOptions options;
        options.onIdle = PressDefaultButtons;
        RunResult result = RunSetup(medium, tail + L" " + HostWindowSwitch(true), options);
        EXPECT_TRUE(WaitForProgramsToEnd({L"Quillmark.exe", L"Tidewatch.exe"}));
        result.calls = ReadStubCalls();
        return result;
    }

    static void WriteJobs(const Medium& medium, std::initializer_list<const wchar_t*> names) {
        for (const wchar_t* name : names) {
            std::wstring wide(name);
            medium.WriteFile(name, "job " + std::string(wide.begin(), wide.end()));
        }
    }

    FakeShell shell_;
};

TEST_F(PostInstall, WithTheShellJobsImportInOrderAndTheCompanionStarts) {
    ASSERT_TRUE(shell_.Start());
    Medium medium(L"with shell");
    Installation installed = Install(L"with shell");
    medium.WriteFile(L"Setup.ini", Ini("count=2\r\n0=first job.jxz\r\n1=second.jxz\r\n"));
    WriteJobs(medium, {L"first job.jxz", L"second.jxz", L"Setup.jxz"});

    RunResult result = Run(medium);
    ExpectSucceeded(result);
    std::vector<std::wstring> imports = {ImportLine(installed, medium, L"first job.jxz"),
                                         ImportLine(installed, medium, L"second.jxz")};
    EXPECT_EQ(imports, CommandLines(result, L"quillmark.exe"));
    EXPECT_EQ(imports, result.debugStrings);
    EXPECT_EQ(std::vector<std::wstring>{installed.companionCommand}, CommandLines(result, L"tidewatch.exe"));
    // The companion comes last, after both packages and the imports.
    ASSERT_FALSE(result.calls.empty());
    EXPECT_EQ(L"tidewatch.exe", result.calls.back().ProgramName());
}

// On Windows 6.0 and later both start only through the shell's token.
TEST_F(PostInstall, WithoutTheShellNothingStartsAndTheSetupStillSucceeds) {
    ASSERT_EQ(nullptr, GetShellWindow());
    Medium medium(L"no shell");
    Installation installed = Install(L"no shell");
    medium.WriteFile(L"Setup.ini", Ini("count=2\r\n0=first job.jxz\r\n1=second.jxz\r\n"));
    WriteJobs(medium, {L"first job.jxz", L"second.jxz"});

    RunResult result = Run(medium);
    ExpectSucceeded(result);
    EXPECT_TRUE(result.CallsTo(L"quillmark.exe").empty());
    EXPECT_TRUE(result.CallsTo(L"tidewatch.exe").empty());
    EXPECT_EQ(2u, result.CallsTo(L"msiexec.exe").size());
    // The command line is written before the start is tried.
    std::vector<std::wstring> imports = {ImportLine(installed, medium, L"first job.jxz"),
                                         ImportLine(installed, medium, L"second.jxz")};
    EXPECT_EQ(imports, result.debugStrings);
}

TEST_F(PostInstall, OnWindowsXpBothStartAsChildrenWithoutAShell) {
    ASSERT_EQ(nullptr, GetShellWindow());
    SetWindowsVersion(L"winxp64");
    Medium medium(L"xp");
    Installation installed = Install(L"xp");
    medium.WriteFile(L"Setup.ini", Ini("count=2\r\n0=first job.jxz\r\n1=second.jxz\r\n"));
    WriteJobs(medium, {L"first job.jxz", L"second.jxz"});

    RunResult result = Run(medium);
    ExpectSucceeded(result);
    std::vector<std::wstring> imports = {ImportLine(installed, medium, L"first job.jxz"),
                                         ImportLine(installed, medium, L"second.jxz")};
    EXPECT_EQ(imports, CommandLines(result, L"quillmark.exe"));
    EXPECT_EQ(imports, result.debugStrings);
    EXPECT_EQ(std::vector<std::wstring>{installed.companionCommand}, CommandLines(result, L"tidewatch.exe"));
}

TEST_F(PostInstall, WithoutJobSettingsOnlySetupJxzIsImportedWhenItExists) {
    ASSERT_TRUE(shell_.Start());
    Medium medium(L"default job");
    Installation installed = Install(L"default job");
    WriteJobs(medium, {L"Setup.jxz", L"0"});

    RunResult result = Run(medium);  // no Setup.ini at all
    ExpectSucceeded(result);
    std::vector<std::wstring> imports = {ImportLine(installed, medium, L"Setup.jxz")};
    EXPECT_EQ(imports, CommandLines(result, L"quillmark.exe"));
    EXPECT_EQ(imports, result.debugStrings);

    ResetStubState();
    medium.WriteFile(L"Setup.ini", Ini("count=0\r\n0=0\r\n"));
    DeleteFileW(medium.Path(L"Setup.jxz").c_str());
    result = Run(medium);
    ExpectSucceeded(result);
    EXPECT_TRUE(result.CallsTo(L"quillmark.exe").empty());
    EXPECT_TRUE(result.debugStrings.empty());
}

TEST_F(PostInstall, AllUsersStagesTheListedJobsTheConfigurationAndTheRunValue) {
    ASSERT_TRUE(shell_.Start());
    Medium medium(L"all users");
    Installation installed = Install(L"all users");
    // Index 1 names no file and index 2 has no key: neither starts anything.
    std::string ini = Ini("AllUsers=1\r\ncount=4\r\n0=first job.jxz\r\n1=missing.jxz\r\n3=second.jxz\r\n");
    medium.WriteFile(L"Setup.ini", ini);
    WriteJobs(medium, {L"first job.jxz", L"second.jxz", L"Setup.jxz"});

    RunResult result = Run(medium);
    ExpectSucceeded(result);
    std::vector<std::wstring> imports = {ImportLine(installed, medium, L"first job.jxz"),
                                         ImportLine(installed, medium, L"second.jxz")};
    EXPECT_EQ(imports, CommandLines(result, L"quillmark.exe"));
    EXPECT_EQ(imports, result.debugStrings);

    std::wstring staging = installed.folder + L"\\RunOnce";
    EXPECT_EQ("job first job.jxz", ReadBytes(staging + L"\\first job.jxz"));
    EXPECT_EQ("job second.jxz", ReadBytes(staging + L"\\second.jxz"));
    EXPECT_FALSE(FileExists(staging + L"\\missing.jxz"));
    EXPECT_FALSE(FileExists(staging + L"\\Setup.jxz"));
    EXPECT_EQ(ini, ReadBytes(staging + L"\\Setup.ini"));
    bool found = false;
    DWORD type = 0;
    EXPECT_EQ(L"\"" + installed.folder + L"\\QLMJobDeployCmd.exe\"", ReadText(kRunKey, kRunValue, &found, &type));
    EXPECT_TRUE(found);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
}

TEST_F(PostInstall, AllUsersWithoutCountStagesTheConfigurationButNotSetupJxz) {
    ASSERT_TRUE(shell_.Start());
    Medium medium(L"all users default job");
    Installation installed = Install(L"all users default job");
    medium.WriteFile(L"Setup.ini", Ini("AllUsers=-1\r\n"));
    WriteJobs(medium, {L"Setup.jxz"});

    RunResult result = Run(medium);
    ExpectSucceeded(result);
    EXPECT_EQ(std::vector<std::wstring>{ImportLine(installed, medium, L"Setup.jxz")},
              CommandLines(result, L"quillmark.exe"));
    EXPECT_FALSE(FileExists(installed.folder + L"\\RunOnce\\Setup.jxz"));
    EXPECT_EQ(Ini("AllUsers=-1\r\n"), ReadBytes(installed.folder + L"\\RunOnce\\Setup.ini"));
    bool found = false;
    ReadText(kRunKey, kRunValue, &found);
    EXPECT_TRUE(found);
}

TEST_F(PostInstall, NegativeCountImportsNothingWhileAllUsersStillStages) {
    ASSERT_TRUE(shell_.Start());
    Medium medium(L"negative count");
    Installation installed = Install(L"negative count");
    medium.WriteFile(L"Setup.ini", Ini("AllUsers=1\r\ncount=-1\r\n0=first.jxz\r\n"));
    WriteJobs(medium, {L"first.jxz", L"Setup.jxz"});

    RunResult result = Run(medium);
    ExpectSucceeded(result);
    EXPECT_TRUE(result.CallsTo(L"quillmark.exe").empty());
    EXPECT_TRUE(result.debugStrings.empty());
    EXPECT_FALSE(FileExists(installed.folder + L"\\RunOnce\\first.jxz"));
    EXPECT_TRUE(FileExists(installed.folder + L"\\RunOnce\\Setup.ini"));
    bool found = false;
    ReadText(kRunKey, kRunValue, &found);
    EXPECT_TRUE(found);
    // The companion is not held up by the jobs.
    EXPECT_EQ(1u, result.CallsTo(L"tidewatch.exe").size());
}

TEST_F(PostInstall, AllUsersZeroImportsButStagesNothing) {
    ASSERT_TRUE(shell_.Start());
    Medium medium(L"one user");
    Installation installed = Install(L"one user");
    medium.WriteFile(L"Setup.ini", Ini("AllUsers=0\r\ncount=1\r\n0=first.jxz\r\n"));
    WriteJobs(medium, {L"first.jxz"});

    RunResult result = Run(medium);
    ExpectSucceeded(result);
    EXPECT_EQ(std::vector<std::wstring>{ImportLine(installed, medium, L"first.jxz")},
              CommandLines(result, L"quillmark.exe"));
    EXPECT_FALSE(FileExists(installed.folder + L"\\RunOnce"));
    bool found = true;
    ReadText(kRunKey, kRunValue, &found);
    EXPECT_FALSE(found);
}

TEST_F(PostInstall, AnEmptyInstallPathLeavesOnlyTheStagingFolder) {
    ASSERT_TRUE(shell_.Start());
    Medium medium(L"no install path");
    Installation installed = Install(L"no install path");
    DeleteValue(kProductKey, L"InstallPath");
    medium.WriteFile(L"Setup.ini", Ini("AllUsers=1\r\ncount=1\r\n0=first.jxz\r\n"));
    WriteJobs(medium, {L"first.jxz"});

    RunResult result = Run(medium);
    ExpectSucceeded(result);
    EXPECT_TRUE(result.CallsTo(L"quillmark.exe").empty());
    EXPECT_TRUE(result.debugStrings.empty());
    EXPECT_TRUE(FileExists(installed.folder + L"\\RunOnce"));
    EXPECT_FALSE(FileExists(installed.folder + L"\\RunOnce\\first.jxz"));
    EXPECT_FALSE(FileExists(installed.folder + L"\\RunOnce\\Setup.ini"));
    bool found = true;
    ReadText(kRunKey, kRunValue, &found);
    EXPECT_FALSE(found);
}

TEST_F(PostInstall, WithoutTheProductKeyNoJobOrConfigurationIsTouched) {
    ASSERT_TRUE(shell_.Start());
    Medium medium(L"no product");
    Installation installed = Install(L"no product");
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, kProductKey);
    medium.WriteFile(L"Setup.ini", Ini("AllUsers=1\r\ncount=1\r\n0=first.jxz\r\n"));
    WriteJobs(medium, {L"first.jxz"});
    medium.WriteFile(L"Quillmark.config", "configuration");

    RunResult result = Run(medium);
    ExpectSucceeded(result);
    EXPECT_TRUE(result.CallsTo(L"quillmark.exe").empty());
    EXPECT_TRUE(result.debugStrings.empty());
    EXPECT_FALSE(FileExists(installed.folder + L"\\RunOnce"));
    EXPECT_FALSE(FileExists(installed.folder + L"\\Config"));
    bool found = true;
    ReadText(kRunKey, kRunValue, &found);
    EXPECT_FALSE(found);
}

// A job path is never cut: a cut one could name another file, so one is
// planted where the cut would point.
TEST_F(PostInstall, AJobPathThatDoesNotFitIsNeitherPrintedNorStarted) {
    ASSERT_TRUE(shell_.Start());
    size_t scratch = NormalisePath(Env(L"SCRATCH_DIR")).size();
    std::wstring name = L"deep\\" + std::wstring(240 - scratch - 6, L'd');  // a 240-character folder
    Medium medium(name);
    ASSERT_EQ(240u, medium.Dir().size());
    Installation installed = Install(L"deep");
    std::wstring tooLong(19, L'n');  // 240 + 1 + 19 = 260 characters
    std::wstring cut(18, L'n');
    std::string ini = Ini("count=2\r\n0=" + std::string(tooLong.begin(), tooLong.end()) + "\r\n1=a.jxz\r\n");
    medium.WriteFile(L"Setup.ini", ini);
    medium.WriteFile(tooLong, "job");
    medium.WriteFile(cut, "job");
    WriteJobs(medium, {L"a.jxz"});
    ASSERT_TRUE(FileExists(medium.Path(tooLong)));

    RunResult result = Run(medium);
    ExpectSucceeded(result);
    std::vector<std::wstring> imports = {ImportLine(installed, medium, L"a.jxz")};
    EXPECT_EQ(imports, CommandLines(result, L"quillmark.exe"));
    EXPECT_EQ(imports, result.debugStrings);
}

TEST_F(PostInstall, ALongInstallFolderCutsTheRunValueTo259Characters) {
    Medium medium(L"long folder");
    Install(L"long folder");
    std::wstring folder = L"C:\\" + std::wstring(252, L'q');  // 255 characters
    SetText(kProductKey, L"InstallFolder", folder);
    medium.WriteFile(L"Setup.ini", Ini("AllUsers=1\r\n"));

    RunResult result = Run(medium);
    ExpectSucceeded(result);
    bool found = false;
    std::wstring data = ReadText(kRunKey, kRunValue, &found);
    EXPECT_TRUE(found);
    EXPECT_EQ(L"\"" + folder + L"\\QL", data);
}

TEST_F(PostInstall, TheConfigurationCreatesConfigAndReplacesTheOldFile) {
    Medium medium(L"config");
    Installation installed = Install(L"config");
    medium.WriteFile(L"Quillmark.config", "new configuration");

    ExpectSucceeded(Run(medium));
    EXPECT_EQ("new configuration", ReadBytes(installed.folder + L"\\Config\\Quillmark.config"));

    ResetStubState();
    medium.WriteFile(L"Quillmark.config", "newer configuration, longer");
    ExpectSucceeded(Run(medium));
    EXPECT_EQ("newer configuration, longer", ReadBytes(installed.folder + L"\\Config\\Quillmark.config"));
}

TEST_F(PostInstall, AMissingOrBusyConfigurationCopiesNothing) {
    Medium medium(L"config missing");
    Installation installed = Install(L"config missing");
    ExpectSucceeded(Run(medium));
    EXPECT_FALSE(FileExists(installed.folder + L"\\Config"));

    // Held open for writing by another program: not readable with read sharing alone.
    ResetStubState();
    medium.WriteFile(L"Quillmark.config", "being written");
    HANDLE writer = CreateFileW(medium.Path(L"Quillmark.config").c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, writer);
    RunResult result = Run(medium);
    CloseHandle(writer);
    ExpectSucceeded(result);
    EXPECT_FALSE(FileExists(installed.folder + L"\\Config"));
}

TEST_F(PostInstall, AnOldOrInterfaceInstalledCompanionGetsTheExtraProperties) {
    const struct {
        const wchar_t* version;    // null: no value
        const wchar_t* uiInstall;  // null: no value
        bool given;
    } rows[] = {
        {L"2.5.1", nullptr, true},
        {L"3.0", L"yes", true},
        {L"10.0", L"Yes", true},
        {L"10.0", L"YES ", false},
        {L"10.0", nullptr, false},
        {nullptr, nullptr, false},
    };
    Medium medium(L"properties");
    for (const auto& row : rows) {
        ResetStubState();
        Clean();
        Install(L"properties");
        if (row.version != nullptr) SetText(kCompanionKey, L"Version", row.version);
        if (row.uiInstall != nullptr) SetText(kCompanionKey, L"UIInstall", row.uiInstall);
        RunResult result = RunSetup(medium, L"/qn");
        std::wstring otw = ExpectedMsiCommand(medium, L"OTW.msi", std::wstring(L"/qn") + (row.given ? kProperties : L""));
        std::vector<std::wstring> expected = {ExpectedMsiCommand(medium, L"QLX.msi", L"/qn"), otw};
        EXPECT_EQ(expected, CommandLines(result, L"msiexec.exe"))
            << testing::PrintToString(row.version) << " " << testing::PrintToString(row.uiInstall);
    }
    // Without the companion key at all.
    ResetStubState();
    Clean();
    RunResult result = RunSetup(medium, L"/qn");
    EXPECT_EQ(ExpectedMsiCommand(medium, L"OTW.msi", L"/qn"), CommandLines(result, L"msiexec.exe").back());
}

TEST_F(PostInstall, SuppressingTheCompanionLeavesEverythingElse) {
    ASSERT_TRUE(shell_.Start());
    const struct {
        const wchar_t* tail;
        bool launched;
    } rows[] = {
        {L"/qn /suppressTW", false},
        {L"/SUPPRESSTW /qn", false},
        {L"/qn /SuppressTW", true},
    };
    Medium medium(L"suppress");
    medium.WriteFile(L"Setup.ini", Ini("AllUsers=1\r\ncount=1\r\n0=first.jxz\r\n"));
    WriteJobs(medium, {L"first.jxz"});
    medium.WriteFile(L"Quillmark.config", "configuration");
    for (const auto& row : rows) {
        ResetStubState();
        Clean();
        Installation installed = Install(L"suppress");
        SetText(kCompanionKey, L"Version", L"2.5.1");
        RunResult result = Run(medium, row.tail);
        ExpectSucceeded(result);
        std::vector<std::wstring> msiexec = CommandLines(result, L"msiexec.exe");
        ASSERT_EQ(2u, msiexec.size()) << row.tail;
        EXPECT_NE(std::wstring::npos, msiexec[1].find(kProperties)) << row.tail;
        EXPECT_EQ(1u, result.CallsTo(L"quillmark.exe").size()) << row.tail;
        EXPECT_TRUE(FileExists(installed.folder + L"\\RunOnce\\first.jxz")) << row.tail;
        EXPECT_EQ("configuration", ReadBytes(installed.folder + L"\\Config\\Quillmark.config")) << row.tail;
        EXPECT_EQ(row.launched ? 1u : 0u, result.CallsTo(L"tidewatch.exe").size()) << row.tail;
    }
}

// InstallPath1 is used exactly as stored, and only whole.
TEST_F(PostInstall, TheCompanionCommandLineStartsOnlyWhenItFits) {
    ASSERT_TRUE(shell_.Start());
    Medium medium(L"companion line");
    for (size_t length : {1023u, 1024u}) {
        ResetStubState();
        Clean();
        Installation installed = Install(L"companion line");
        std::wstring command = installed.companionCommand + L" ";
        command += std::wstring(length - command.size(), L'a');
        SetText(kCompanionKey, L"InstallPath1", command);
        RunResult result = Run(medium);
        ExpectSucceeded(result);
        std::vector<std::wstring> expected;
        if (length == 1023) expected.push_back(command);
        EXPECT_EQ(expected, CommandLines(result, L"tidewatch.exe")) << length;
    }
}

}  // namespace
