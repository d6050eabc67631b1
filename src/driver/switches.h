// The setup's command-line vocabulary, read from the command-line tail by
// case-sensitive substring search.
#pragma once

#include <cstddef>
#include <cstdint>

const size_t kHostWindowTokenLimit = 31;  // longer "/W32:" tokens are ignored

bool IsSilentMode(const wchar_t* commandLine);

// True when the companion must not be launched after installation.
bool IsLaunchSuppressed(const wchar_t* commandLine);

// Locates the first "/W32:" token: it runs to the next blank (U+0020) or to
// the end. Returns false when there is none.
bool FindHostWindowToken(const wchar_t* commandLine, size_t* start, size_t* length);

// The host window's handle value as a signed 32-bit number, 0 for none.
int32_t ParseHostWindowValue(const wchar_t* commandLine);

// The C library's conversions (_wtoi, wcstol with base 16), clamped to the
// signed 32-bit range on every platform.
int32_t ParseDecimal(const wchar_t* text);
int32_t ParseHex(const wchar_t* text);
