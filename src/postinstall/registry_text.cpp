#include "registry_text.h"

#include "../common/bounded_text.h"
#include "../common/late_bound.h"

void ReadRegistryText(HKEY key, const wchar_t* name, wchar_t* buffer, size_t capacity) {
    ZeroText(buffer, capacity);
    DWORD size = static_cast<DWORD>(capacity * sizeof(wchar_t));
    LONG status = LateRegQueryValueEx(key, name, NULL, NULL, reinterpret_cast<BYTE*>(buffer), &size);
    // ERROR_MORE_DATA leaves the buffer's contents undefined.
    if (status != ERROR_SUCCESS || buffer[capacity - 1] != L'\0') ZeroText(buffer, capacity);
}
