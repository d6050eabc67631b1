// Shared checks of the scenarios.
#pragma once

#include "e2e/harness.h"

namespace e2e {

// Ends the completion dialog with its default button, so interactive runs
// finish on their own; the progress dialog ("Setup") is left alone.
inline void PressDefaultButtons(DWORD processId) {
    for (HWND window : TopLevelWindows(processId)) {
        if (IsWindowVisible(window) && ClassName(window) == L"#32770" && WindowText(window) != L"Setup") {
            PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        }
    }
}

inline std::wstring ExpectedMsiCommand(const Medium& medium, const std::wstring& package, const std::wstring& rest) {
    return L"msiexec.exe /i \"" + medium.Dir() + L"\\MSI\\" + package + L"\" " + rest;
}

inline std::wstring SystemMsiexec() {
    wchar_t directory[MAX_PATH];
    GetSystemDirectoryW(directory, MAX_PATH);
    return std::wstring(directory) + L"\\msiexec.exe";
}

}  // namespace e2e
