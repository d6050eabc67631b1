// End-to-end harness: runs the real Setup.exe from a scratch medium folder
// under Wine as a debuggee, with stub programs standing in for msiexec and
// the installers, a host window for /W32:, and records what happened.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

// One start of a stub program: its path and the command line it received.
struct StubCall {
    std::wstring program;
    std::wstring commandLine;
    std::wstring ProgramName() const;  // file name of program, lower case
};

struct HostMessage {
    WPARAM wParam;
    LPARAM lParam;
};

struct RunResult {
    bool started = false; // false: the platform could not start Setup.exe
    bool exited = false;  // false: the setup had to be killed
    DWORD exitCode = 0xFFFFFFFF;
    std::vector<HostMessage> hostMessages;
    std::vector<std::wstring> debugStrings;
    std::vector<StubCall> calls;
    size_t peakWorkingSet = 0;  // bytes, read as the setup ends
    std::vector<StubCall> CallsTo(const std::wstring& programName) const;
};

struct RunOptions {
    // Called every few milliseconds while the setup runs, with its process id.
    std::function<void(DWORD processId)> onIdle;
    // Extra NAME=value pairs for the setup's environment.
    std::vector<std::wstring> environment;
    // Stand the stub in for the system's msiexec (else Wine's own runs).
    bool stubMsiexec = true;
    DWORD timeoutMs = 120000;
};

std::wstring Env(const wchar_t* name);           // a variable of the test's environment
std::wstring NormalisePath(std::wstring path);   // forward slashes to backslashes

// A fresh scratch medium: Setup.exe, an MSI folder with both packages.
class Medium {
public:
    explicit Medium(const std::wstring& name);
    // A scratch copy of the sample medium the build laid out.
    static Medium SampleCopy(const std::wstring& name);
    const std::wstring& Dir() const { return dir_; }
    std::wstring Path(const std::wstring& relative) const { return dir_ + L"\\" + relative; }
    void WriteFile(const std::wstring& relative, const std::string& bytes) const;
    void WriteUtf16File(const std::wstring& relative, const std::wstring& text) const;  // with BOM
    void CopyStub(const std::wstring& relative) const;  // the stub under another name
private:
    Medium(const std::wstring& name, bool sample);
    std::wstring dir_;
};

void CopyTree(const std::wstring& from, const std::wstring& to);

// Empties C:\e2e (log, rules, hold files).
void ResetStubState();
// Adds a rule: a stub whose command line contains pattern exits with code,
// and with hold waits until Release(hold) is called.
void AddStubRule(const std::string& pattern, DWORD code, const std::string& hold = "");
void Release(const std::string& hold);
std::vector<StubCall> ReadStubCalls();

// The "/W32:" switch naming the harness's host window.
std::wstring HostWindowSwitch(bool hexadecimal);
HWND HostWindow();

RunResult RunSetup(const Medium& medium, const std::wstring& tail, const RunOptions& options = RunOptions());
// The same for any Setup.exe, started in its own folder.
RunResult RunSetupProgram(const std::wstring& setup, const std::wstring& tail, const RunOptions& options);

// Windows of a process, for reading dialogs while the setup runs.
std::vector<HWND> TopLevelWindows(DWORD processId);
std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);

void DeleteTree(const std::wstring& path);
// The form of a path that file functions take beyond MAX_PATH.
std::wstring LongPath(const std::wstring& path);
bool FileExists(const std::wstring& path);
std::string ReadBytes(const std::wstring& path);

}  // namespace e2e
