// The msiexec command line built from the setup's command-line tail.
#pragma once

#include <cstddef>

#include "../common/wide_string.h"

const size_t kMsiCommandCapacity = 2048;  // command line and package path

// Replaces replacedLength characters at the first occurrence of pattern.
void ReplaceFirst(WideString& text, const wchar_t* pattern, size_t replacedLength, const wchar_t* replacement);

// Removes the first "/W32:" token unless it is too long to be a host window.
void StripHostWindowSwitch(WideString& text);

// Rewrites the quiet switches into msiexec's, removes the host window and
// blanks the companion-launch switch; first occurrence of each only.
void TranslateSwitches(WideString& text);

// Builds the whole command line into commandLine (kMsiCommandCapacity
// characters). False when the package path or the command line would not fit
// (or memory ran out): then the buffer holds nothing to run.
bool BuildMsiCommandLine(const wchar_t* tail, const wchar_t* setupDirectory, const wchar_t* packageName,
                         const wchar_t* extraProperties, bool addBasicUi, wchar_t* commandLine);
