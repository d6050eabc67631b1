// Starting a program as the logged-in desktop user: with a copy of the
// desktop shell's token, so it runs with that user's unelevated rights.
#pragma once

#include <windows.h>

#include "../common/handles.h"
#include "system_error_text.h"

// Appends FormatSystemError's text for code, with the system's message in
// the user's default language when the system has one.
void AppendSystemError(DiagnosticStream& text, DWORD code);

// Starts commandLine (writable; the platform may change it) with the shell's
// token. On failure appends one message to diagnostics and returns false.
// processInfo, zero-filled by the caller, receives the handles on success;
// the caller closes them. Only for Windows 6.0 and later.
bool LaunchAsDesktopUser(DiagnosticStream& diagnostics, wchar_t* commandLine, STARTUPINFOW* startupInfo,
                         PROCESS_INFORMATION* processInfo);

// Starts a post-install program: as the desktop user when asked (Windows 6.0
// and later), otherwise as a plain child with the setup's token. The
// returned handles are the caller's; both are empty when nothing started.
void StartPostInstallProgram(wchar_t* commandLine, bool asDesktopUser, ProcessHandles& process);
