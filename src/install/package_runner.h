#pragma once

// Installs MSI\<packageName> beside Setup.exe through msiexec and returns its
// exit code; non-zero also when msiexec could not be started or the command
// line would not fit.
int RunMsiPackage(const wchar_t* options, const wchar_t* packageName, const wchar_t* extraProperties,
                  bool addBasicUi);
