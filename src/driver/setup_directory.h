#pragma once

#include <cstddef>

// The folder of the running Setup.exe without trailing backslash, in a
// zero-filled buffer of capacity characters. False when the executable's path
// does not fit: a cut path would name another folder.
bool GetSetupDirectory(wchar_t* buffer, size_t capacity);

// Cuts a module path at its last backslash after the first character; a path
// without one stays whole.
void CutAtLastBackslash(wchar_t* path);
