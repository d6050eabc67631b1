// Reads of Setup.ini beside the executable, through the platform's profile
// functions: a missing file, section or key reads as the default (0 or "").
#pragma once

#include <cstddef>

const size_t kIniValueCapacity = 512;     // prerequisite values
const size_t kJobEntryCapacity = 260;     // JobSettings file names
const size_t kSectionNameCapacity = 32;
const size_t kModuleKeyCapacity = 100;
const size_t kJobKeyCapacity = 32;

// "Redist" for a native 32-bit process, "Redist.x64" under WOW64; the other
// section is never consulted.
const wchar_t* RedistSectionName(bool wow64);

// setupDirectory + "\Setup.ini"; false (and nothing in path) when it would
// not fit: a cut path would name another file.
bool BuildSetupIniPath(const wchar_t* setupDirectory, wchar_t* path, size_t capacity);

// One string key; the profile function cuts a longer value to capacity - 1.
void ReadIniString(const wchar_t* iniPath, const wchar_t* section, const wchar_t* key, wchar_t* value,
                   size_t capacity);

// A key of the prerequisite section that wow64 selects.
void ReadRedistString(const wchar_t* iniPath, bool wow64, const wchar_t* key, wchar_t* value, size_t capacity);

// "Module%d", "Cmd%d", "Title%d": stem and number n in decimal.
bool BuildNumberedKey(const wchar_t* stem, int number, wchar_t* key, size_t capacity);

// [JobSettings]: AllUsers and count (default 0), entries "0", "1", ...
// (read into kJobEntryCapacity characters by the caller).
int ReadJobSettingsInt(const wchar_t* iniPath, const wchar_t* key);
void ReadJobSettingsString(const wchar_t* iniPath, const wchar_t* key, wchar_t* value, size_t capacity);
