// The prerequisites through the real Setup.exe: which installers start, in
// which order and with which command lines, on each Windows version Wine can
// report, with the .NET 2.0 key and the Windows Installer version each row of
// the decision is about; and what the progress dialog does meanwhile.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "e2e/e2e_common.h"
#include "e2e/prereq_support.h"

using namespace e2e;

namespace {

const char kSetupIni[] =
    "[Redist]\r\n"
    "Module1=Prereq\\msi31.exe\r\n"
    "Cmd1=/quiet /norestart LOG=\"C:\\prereq log.txt\"\r\n"
    "Title1=Windows Installer 3.1\r\n"
    "DotNetRuntime=Prereq\\dotnetfx.exe\r\n"
    "Module2=Prereq\\drivers.exe\r\n"
    "Title2=Capture Device Drivers\r\n"
    "\r\n"
    "[Redist.x64]\r\n"
    "Module1=Prereq64\\msi31-x64.exe\r\n"
    "Title1=Windows Installer 3.1 (64-bit)\r\n"
    "DotNetRuntime=Prereq64\\dotnetfx-x64.exe\r\n"
    "Module2=Prereq64\\drivers-x64.exe\r\n";

const wchar_t* const kInstallers[] = {L"Prereq\\msi31.exe",        L"Prereq\\dotnetfx.exe",
                                      L"Prereq\\drivers.exe",      L"Prereq64\\msi31-x64.exe",
                                      L"Prereq64\\dotnetfx-x64.exe", L"Prereq64\\drivers-x64.exe"};

const prereq::MsiVersion kOldWindowsInstaller = {3, 1, 4000, 2434};

// A medium whose Setup.ini names stub installers in both sections.
Medium PrereqMedium(const std::wstring& name, const std::string& setupIni = kSetupIni) {
    Medium medium(name);
    medium.WriteFile(L"Setup.ini", setupIni);
    CreateDirectoryW(medium.Path(L"Prereq").c_str(), NULL);
    CreateDirectoryW(medium.Path(L"Prereq64").c_str(), NULL);
    for (const wchar_t* installer : kInstallers) medium.CopyStub(installer);
    return medium;
}

// What ran, in order: the installer's file name, or the package msiexec got.
std::vector<std::wstring> Sequence(const RunResult& result) {
    std::vector<std::wstring> sequence;
    for (const StubCall& call : result.calls) {
        std::wstring name = call.ProgramName();
        if (name == L"msiexec.exe") {
            name = call.commandLine.find(L"QLX.msi") != std::wstring::npos ? L"QLX.msi" : L"OTW.msi";
        }
        sequence.push_back(name);
    }
    return sequence;
}

bool Ran(const std::vector<StubCall>& calls, const std::wstring& programName) {
    for (const StubCall& call : calls) {
        if (call.ProgramName() == programName) return true;
    }
    return false;
}

// The progress dialog: the setup's visible dialog captioned "Setup".
HWND ProgressDialog(DWORD processId) {
    for (HWND window : TopLevelWindows(processId)) {
        if (IsWindowVisible(window) && ClassName(window) == L"#32770" && WindowText(window) == L"Setup") return window;
    }
    return NULL;
}

// Ends the completion dialog, and nothing else, so interactive runs finish.
void FinishCompletionDialog(DWORD processId) {
    for (HWND window : TopLevelWindows(processId)) {
        if (IsWindowVisible(window) && ClassName(window) == L"#32770" && WindowText(window) != L"Setup") {
            PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        }
    }
}

enum class DotNet { Absent, KeyWithoutInstall, Install0, Install1 };

const char* DotNetName(DotNet state) {
    switch (state) {
    case DotNet::Absent: return "key absent";
    case DotNet::KeyWithoutInstall: return "key without Install";
    case DotNet::Install0: return "Install=0";
    case DotNet::Install1: return "Install=1";
    }
    return "";
}

class Prerequisites : public ::testing::Test {
protected:
    void SetUp() override {
        ResetStubState();
        ASSERT_TRUE(msiFromDisk_.Applied());
    }

    // The system the next run sees: Windows version, .NET 2.0 key, and
    // whether Msi.dll is older than 3.1.4000.2435.
    void Prepare(const wchar_t* windows, DotNet dotNet, bool oldWindowsInstaller) {
        version_.reset();  // the old setting goes before the new one is made
        version_.reset(new prereq::WindowsVersionSetting(L"Setup.exe", windows));
        ASSERT_TRUE(version_->Applied());
        switch (dotNet) {
        case DotNet::Absent: ASSERT_TRUE(dotNet_.Remove()); break;
        case DotNet::KeyWithoutInstall: ASSERT_TRUE(dotNet_.Remove() && dotNet_.CreateEmpty()); break;
        case DotNet::Install0: ASSERT_TRUE(dotNet_.SetInstall(0)); break;
        case DotNet::Install1: ASSERT_TRUE(dotNet_.SetInstall(1)); break;
        }
        if (oldWindowsInstaller) {
            ASSERT_TRUE(msi_.Set(kOldWindowsInstaller));
        } else {
            ASSERT_TRUE(msi_.Restore());
        }
    }

    RunResult Run(const Medium& medium, const std::wstring& tail, std::function<void(DWORD)> onIdle = nullptr) {
        RunOptions options;
        options.onIdle = onIdle ? onIdle : FinishCompletionDialog;
        return RunSetup(medium, tail, options);
    }

    // Each puts the prefix back as it found it.
    prereq::MsiDllVersion msi_;
    prereq::MsiDllFromDisk msiFromDisk_{L"Setup.exe"};
    prereq::DotNetKey dotNet_;
    std::unique_ptr<prereq::WindowsVersionSetting> version_;
};

}  // namespace

// The .NET decision, each row on the Windows version it is about, and module
// 1 exactly when Windows Installer is too old. The x86_64 twin never runs
// under WOW64: the WOW64 row is shown by the decision's unit test, and the
// 64-bit section by the Setup.ini reads, only.
TEST_F(Prerequisites, DecisionTableOnEachWindowsVersion) {
    const std::vector<std::wstring> plain = {L"QLX.msi", L"drivers.exe", L"OTW.msi"};
    const std::vector<std::wstring> moduleOne = {L"msi31.exe", L"QLX.msi", L"drivers.exe", L"OTW.msi"};
    const std::vector<std::wstring> runtime = {L"dotnetfx.exe", L"QLX.msi", L"drivers.exe", L"OTW.msi"};
    const struct {
        const wchar_t* windows;
        DotNet dotNet;
        bool oldWindowsInstaller;
        const std::vector<std::wstring>& sequence;
    } rows[] = {
        // .NET 2.0 installed: never, whatever else holds.
        {L"win7", DotNet::Install1, false, plain},
        {L"winxp64", DotNet::Install1, true, moduleOne},
        // Windows 8 or later: never, whatever the .NET key says.
        {L"win8", DotNet::Absent, false, plain},
        {L"win10", DotNet::Install0, false, plain},
        {L"win10", DotNet::Absent, true, moduleOne},
        // Older Windows, .NET missing, Windows Installer sufficient: runs.
        {L"win7", DotNet::Install0, false, runtime},
        {L"vista", DotNet::Absent, false, runtime},
        {L"winxp64", DotNet::KeyWithoutInstall, false, runtime},
        // Windows Installer still too old after module 1, not WOW64: never.
        {L"win7", DotNet::Absent, true, moduleOne},
        {L"vista", DotNet::Install0, true, moduleOne},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << testing::PrintToString(std::wstring(row.windows)) << ", "
                                        << DotNetName(row.dotNet)
                                        << (row.oldWindowsInstaller ? ", Windows Installer too old" : ""));
        ResetStubState();
        Prepare(row.windows, row.dotNet, row.oldWindowsInstaller);
        Medium medium = PrereqMedium(L"decision");
        RunResult result = Run(medium, L"/qn");
        ASSERT_TRUE(result.exited);
        EXPECT_EQ(0u, result.exitCode);
        EXPECT_EQ(row.sequence, Sequence(result));
    }
}

// Module 1 brings Windows Installer up to date while it runs: the second
// probe sees it, so the runtime follows, then the product, then module 2.
TEST_F(Prerequisites, ModuleOneRuntimeProductModuleTwoInThatOrder) {
    Prepare(L"win7", DotNet::Absent, true);
    AddStubRule("msi31.exe", 0, "module1");
    Medium medium = PrereqMedium(L"order");
    bool updated = false;
    RunResult result = Run(medium, L"/qn", [&](DWORD) {
        if (!updated && Ran(ReadStubCalls(), L"msi31.exe")) {
            updated = msi_.Restore();
            Release("module1");
        }
    });
    ASSERT_TRUE(result.exited);
    ASSERT_TRUE(updated);
    std::vector<std::wstring> order = {L"msi31.exe", L"dotnetfx.exe", L"QLX.msi", L"drivers.exe", L"OTW.msi"};
    ASSERT_EQ(order, Sequence(result));

    // Quoted full paths; Cmd1 as it stands; module 2 without arguments ends
    // with the quotation mark and one blank; the runtime gets nothing.
    EXPECT_EQ(medium.Path(L"Prereq\\msi31.exe"), result.calls[0].program);
    EXPECT_EQ(L"\"" + medium.Path(L"Prereq\\msi31.exe") + L"\" /quiet /norestart LOG=\"C:\\prereq log.txt\"",
              result.calls[0].commandLine);
    EXPECT_EQ(L"\"" + medium.Path(L"Prereq\\dotnetfx.exe") + L"\"", result.calls[1].commandLine);
    EXPECT_EQ(L"\"" + medium.Path(L"Prereq\\drivers.exe") + L"\" ", result.calls[3].commandLine);
}

TEST_F(Prerequisites, ModuleTwoRunsOnlyAfterTheProductSucceeded) {
    Prepare(L"win7", DotNet::Install1, false);
    AddStubRule("QLX.msi", 1603);
    Medium medium = PrereqMedium(L"product fails");
    RunResult result = Run(medium, L"/qn " + HostWindowSwitch(true));
    ASSERT_TRUE(result.exited);
    EXPECT_EQ(std::vector<std::wstring>{L"QLX.msi"}, Sequence(result));
    ASSERT_EQ(1u, result.hostMessages.size());
    EXPECT_EQ(3u, result.hostMessages[0].wParam);
}

TEST_F(Prerequisites, FailingRuntimeEndsTheSetupBeforeAnyPackageWithoutHostMessage) {
    for (DWORD code : {1u, 1603u, 3010u, 1641u}) {
        SCOPED_TRACE(code);
        ResetStubState();
        Prepare(L"win7", DotNet::Absent, false);
        AddStubRule("dotnetfx.exe", code);
        Medium medium = PrereqMedium(L"runtime fails");
        // Interactive, with a host: neither would stop an ordinary run.
        RunResult result = Run(medium, HostWindowSwitch(false));
        ASSERT_TRUE(result.exited);
        EXPECT_EQ(0u, result.exitCode);
        EXPECT_EQ(std::vector<std::wstring>{L"dotnetfx.exe"}, Sequence(result));
        EXPECT_TRUE(result.hostMessages.empty());
        EXPECT_TRUE(result.debugStrings.empty());
    }
}

// Installers that cannot be started: the setup goes on as after success.
TEST_F(Prerequisites, StartsThatFailAreNotNoticed) {
    const struct {
        const char* description;
        std::string setupIni;
    } rows[] = {
        {"files missing", "[Redist]\r\nModule1=Prereq\\gone.exe\r\nDotNetRuntime=Prereq\\gone.exe\r\nModule2=gone.exe\r\n"},
        {"keys empty", "[Redist]\r\nModule1=\r\nDotNetRuntime=\r\n"},
        {"arguments inside the runtime's quoted path", "[Redist]\r\nDotNetRuntime=Prereq\\dotnetfx.exe /q\r\n"},
        // 5 + 500 + 511 characters do not fit into 1024: nothing is started.
        {"module command line over capacity",
         "[Redist]\r\nModule1=Prereq\\" + std::string(493, 'm') + "\r\nCmd1=" + std::string(511, 'a') + "\r\n"},
        // No fallback: a non-WOW64 setup never reads [Redist.x64].
        {"only the 64-bit section",
         "[Redist.x64]\r\nModule1=Prereq64\\msi31-x64.exe\r\nDotNetRuntime=Prereq64\\dotnetfx-x64.exe\r\n"
         "Module2=Prereq64\\drivers-x64.exe\r\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.description);
        ResetStubState();
        Prepare(L"win7", DotNet::Absent, true);
        Medium medium = PrereqMedium(L"start fails", row.setupIni);
        RunResult result = Run(medium, L"/qn " + HostWindowSwitch(true));
        ASSERT_TRUE(result.exited);
        EXPECT_EQ((std::vector<std::wstring>{L"QLX.msi", L"OTW.msi"}), Sequence(result));
        ASSERT_EQ(1u, result.hostMessages.size());
        EXPECT_EQ(1u, result.hostMessages[0].wParam);
    }
}

TEST_F(Prerequisites, ModulePathWithBlanksStartsQuoted) {
    Prepare(L"win7", DotNet::Install1, true);
    Medium medium = PrereqMedium(L"disc with blanks");
    CreateDirectoryW(medium.Path(L"My Prereqs").c_str(), NULL);
    medium.CopyStub(L"My Prereqs\\msi 31 setup.exe");
    medium.CopyStub(L"My Prereqs\\drivers setup.exe");
    medium.WriteFile(L"Setup.ini",
                     "[Redist]\r\nModule1=My Prereqs\\msi 31 setup.exe\r\nCmd1=/q TARGET=\"C:\\a b\"\r\n"
                     "Module2=My Prereqs\\drivers setup.exe\r\nCmd2=/S\r\n");
    RunResult result = Run(medium, L"/qn");
    ASSERT_TRUE(result.exited);
    ASSERT_EQ((std::vector<std::wstring>{L"msi 31 setup.exe", L"QLX.msi", L"drivers setup.exe", L"OTW.msi"}),
              Sequence(result));
    EXPECT_EQ(medium.Path(L"My Prereqs\\msi 31 setup.exe"), result.calls[0].program);
    EXPECT_EQ(L"\"" + medium.Path(L"My Prereqs\\msi 31 setup.exe") + L"\" /q TARGET=\"C:\\a b\"",
              result.calls[0].commandLine);
    EXPECT_EQ(L"\"" + medium.Path(L"My Prereqs\\drivers setup.exe") + L"\" /S", result.calls[2].commandLine);
}

// Silent: no dialog is ever made, and each module is still waited for:
// while it runs, the setup starts nothing else.
TEST_F(Prerequisites, SilentRunShowsNoDialogAndWaitsForEachModule) {
    Prepare(L"win7", DotNet::Install1, true);
    AddStubRule("msi31.exe", 0, "module1");
    AddStubRule("drivers.exe", 0, "module2");
    Medium medium = PrereqMedium(L"silent");
    const int kRoundsHeld = 10;  // idle rounds of the harness each module is kept running
    struct Hold {
        const wchar_t* program;
        const char* release;
        size_t callsBefore;
        int rounds;
    } holds[] = {{L"msi31.exe", "module1", 0, 0}, {L"drivers.exe", "module2", 2, 0}};
    bool startedMeanwhile = false;
    DWORD setup = 0;
    prereq::WindowCreations creations;
    ASSERT_TRUE(creations.Hooked());
    RunResult result = Run(medium, L"/quiet", [&](DWORD processId) {
        setup = processId;
        std::vector<StubCall> calls = ReadStubCalls();
        for (Hold& hold : holds) {
            if (hold.rounds >= kRoundsHeld || calls.size() <= hold.callsBefore ||
                calls[hold.callsBefore].ProgramName() != hold.program) {
                continue;
            }
            startedMeanwhile = startedMeanwhile || calls.size() != hold.callsBefore + 1;
            if (++hold.rounds == kRoundsHeld) Release(hold.release);
        }
    });
    ASSERT_TRUE(result.exited);
    EXPECT_EQ(kRoundsHeld, holds[0].rounds);
    EXPECT_EQ(kRoundsHeld, holds[1].rounds);
    EXPECT_FALSE(startedMeanwhile);
    EXPECT_EQ((std::vector<std::wstring>{L"msi31.exe", L"QLX.msi", L"drivers.exe", L"OTW.msi"}), Sequence(result));
    std::vector<prereq::WindowCreations::Creation> windows = creations.Of(setup);
    ASSERT_FALSE(windows.empty()) << "the hook saw not even the dummy window";
    for (const auto& window : windows) EXPECT_NE(L"#32770", window.className) << window.text;
}

// A module that cannot be started: its dialog still comes up, on a thread of
// its own, and is gone again before the product's msiexec starts.
TEST_F(Prerequisites, ModuleThatFailsToStartShowsAndClosesTheDialog) {
    Prepare(L"win7", DotNet::Install1, true);
    AddStubRule("QLX.msi", 0, "product");
    Medium medium = PrereqMedium(L"module missing",
                                 "[Redist]\r\nModule1=Prereq\\not there.exe\r\nTitle1=Windows Installer 3.1\r\n"
                                 "Module2=Prereq\\drivers.exe\r\n");
    prereq::WindowCreations creations;
    ASSERT_TRUE(creations.Hooked());
    DWORD setup = 0;
    std::vector<prereq::WindowCreations::Creation> beforeProduct;
    bool closedBeforeProduct = false;
    RunResult result = Run(medium, L"", [&](DWORD processId) {
        setup = processId;
        if (closedBeforeProduct) {
            FinishCompletionDialog(processId);
            return;
        }
        if (!Ran(ReadStubCalls(), L"msiexec.exe")) return;
        beforeProduct = creations.Of(processId);
        for (const auto& window : beforeProduct) {
            if (IsWindow(window.window) && window.className == L"#32770") return;  // still closing
        }
        closedBeforeProduct = true;
        Release("product");
    });
    ASSERT_TRUE(result.exited);
    EXPECT_TRUE(closedBeforeProduct);
    EXPECT_EQ((std::vector<std::wstring>{L"QLX.msi", L"drivers.exe", L"OTW.msi"}), Sequence(result));

    DWORD mainThread = 0;
    std::vector<prereq::WindowCreations::Creation> dialogs;
    for (const auto& window : beforeProduct) {
        if (window.className == L"setup_dummywindow") mainThread = window.threadId;
        if (window.className == L"#32770") dialogs.push_back(window);
    }
    ASSERT_NE(0u, mainThread);
    ASSERT_EQ(1u, dialogs.size());
    EXPECT_EQ(L"Setup", dialogs[0].text);
    EXPECT_NE(mainThread, dialogs[0].threadId);
}

// Interactive: the progress dialog is up with the module's title while the
// module runs, and gone before the next installer starts.
TEST_F(Prerequisites, InteractiveRunShowsTheProgressDialogWhileEachModuleRuns) {
    Prepare(L"win7", DotNet::Install1, true);
    AddStubRule("msi31.exe", 0, "module1");
    AddStubRule("QLX.msi", 0, "product");
    AddStubRule("drivers.exe", 0, "module2");
    AddStubRule("OTW.msi", 0, "companion");
    Medium medium = PrereqMedium(L"interactive");
    prereq::WindowCreations creations;
    ASSERT_TRUE(creations.Hooked());
    DWORD setup = 0;
    struct Step {
        const wchar_t* running;  // the stub being held
        const wchar_t* title;    // expected in the dialog, or null: no dialog
        const char* release;
        std::wstring seenText;
        bool done;
    } steps[] = {
        {L"msi31.exe", L"Windows Installer 3.1", "module1", L"", false},
        {L"QLX.msi", nullptr, "product", L"", false},
        {L"drivers.exe", L"Capture Device Drivers", "module2", L"", false},
        {L"OTW.msi", nullptr, "companion", L"", false},
    };
    RunResult result = Run(medium, L"", [&](DWORD processId) {
        setup = processId;
        std::vector<StubCall> calls = ReadStubCalls();
        RunResult sofar;
        sofar.calls = calls;
        std::vector<std::wstring> sequence = Sequence(sofar);
        for (size_t i = 0; i < sizeof(steps) / sizeof(steps[0]); ++i) {
            Step& step = steps[i];
            if (step.done || sequence.size() != i + 1 || sequence[i] != step.running) continue;
            HWND dialog = ProgressDialog(processId);
            if (step.title == nullptr) {
                if (dialog != NULL) return;  // still closing
            } else {
                if (dialog == NULL) return;  // not up yet
                step.seenText = WindowText(GetDlgItem(dialog, 1000));
                if (step.seenText.find(step.title) == std::wstring::npos) return;  // text not set yet
            }
            step.done = true;
            Release(step.release);
        }
        if (steps[3].done) FinishCompletionDialog(processId);
    });
    ASSERT_TRUE(result.exited);
    for (const Step& step : steps) {
        EXPECT_TRUE(step.done) << testing::PrintToString(std::wstring(step.running));
    }
    EXPECT_EQ(L"Please wait while Windows configures Windows Installer 3.1", steps[0].seenText);
    EXPECT_EQ(L"Please wait while Windows configures Capture Device Drivers", steps[2].seenText);
    EXPECT_EQ((std::vector<std::wstring>{L"msi31.exe", L"QLX.msi", L"drivers.exe", L"OTW.msi"}), Sequence(result));

    // Each dialog made once its module runs, on a thread of its own that is
    // not the main thread.
    DWORD mainThread = 0;
    std::vector<prereq::WindowCreations::Creation> dialogs;
    for (const auto& window : creations.Of(setup)) {
        if (window.className == L"setup_dummywindow") mainThread = window.threadId;
        if (window.className == L"#32770" && window.text == L"Setup") dialogs.push_back(window);
    }
    ASSERT_NE(0u, mainThread);
    ASSERT_EQ(2u, dialogs.size());
    const wchar_t* modules[] = {L"msi31.exe", L"drivers.exe"};
    for (size_t i = 0; i < 2; ++i) {
        const std::vector<std::wstring>& running = dialogs[i].programsRunning;
        EXPECT_NE(running.end(), std::find(running.begin(), running.end(), modules[i])) << "dialog " << i;
        EXPECT_NE(mainThread, dialogs[i].threadId) << "dialog " << i;
    }
    EXPECT_NE(dialogs[0].threadId, dialogs[1].threadId);
}

