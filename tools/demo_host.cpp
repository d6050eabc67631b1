// The demo's launcher: runs a Setup.exe the way a launcher program does,
// with its own window passed through /W32:, and prints what came back.
//   demo_host.exe <path of Setup.exe> [switches for the setup...]
#include <cstdio>
#include <string>

#include "e2e/harness.h"

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        fwprintf(stderr, L"usage: demo_host <Setup.exe> [switches]\n");
        return 2;
    }
    std::wstring tail;
    for (int i = 2; i < argc; ++i) tail += std::wstring(argv[i]) + L" ";
    tail += e2e::HostWindowSwitch(true);

    e2e::RunOptions options;
    options.stubMsiexec = false;
    e2e::RunResult result = e2e::RunSetupProgram(e2e::NormalisePath(argv[1]), tail, options);

    wprintf(L"setup command-line tail: %ls\n", tail.c_str());
    wprintf(L"setup exit code: %lu%ls\n", result.exitCode, result.exited ? L"" : L" (killed)");
    if (result.hostMessages.empty()) wprintf(L"host message: none\n");
    for (const e2e::HostMessage& message : result.hostMessages) {
        wprintf(L"host message: WM_SETUP_RESULT wParam=%lu (%ls) lParam=%ld\n", static_cast<unsigned long>(message.wParam),
                message.wParam == 1 ? L"success" : L"failure", static_cast<long>(message.lParam));
    }
    for (const std::wstring& text : result.debugStrings) wprintf(L"debugger output: %ls\n", text.c_str());
    return result.exited ? 0 : 1;
}
