#include "setup_directory.h"

#include <windows.h>

#include "../common/bounded_text.h"

bool GetSetupDirectory(wchar_t* buffer, size_t capacity) {
    ZeroText(buffer, capacity);
    DWORD length = GetModuleFileNameW(NULL, buffer, static_cast<DWORD>(capacity));
    if (length == 0 || length >= capacity) {
        ZeroText(buffer, capacity);
        return false;
    }
    CutAtLastBackslash(buffer);
    return true;
}
