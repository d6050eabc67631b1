#pragma once

#include <windows.h>

#include <cstddef>

// Reads a value as text into a zero-filled buffer of capacity characters,
// whatever its type. A value that is missing, or that fills the buffer
// without room for its terminator, reads as empty: a cut path or command
// line would name something else.
void ReadRegistryText(HKEY key, const wchar_t* name, wchar_t* buffer, size_t capacity);
