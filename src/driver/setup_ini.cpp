#include "setup_ini.h"

#include <windows.h>

#include "../common/bounded_text.h"

namespace {

const wchar_t kJobSettings[] = L"JobSettings";

DWORD ClampCapacity(size_t capacity) {
    return capacity > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<DWORD>(capacity);
}

}  // namespace

const wchar_t* RedistSectionName(bool wow64) {
    return wow64 ? L"Redist.x64" : L"Redist";
}

bool BuildSetupIniPath(const wchar_t* setupDirectory, wchar_t* path, size_t capacity) {
    TextBuffer text(path, capacity);
    text.Append(setupDirectory).Append(L"\\Setup.ini");
    if (text.IsCut()) {
        ZeroText(path, capacity);
        return false;
    }
    return true;
}

void ReadIniString(const wchar_t* iniPath, const wchar_t* section, const wchar_t* key, wchar_t* value,
                   size_t capacity) {
    if (capacity == 0) return;
    value[0] = L'\0';
    GetPrivateProfileStringW(section, key, L"", value, ClampCapacity(capacity), iniPath);
}

void ReadRedistString(const wchar_t* iniPath, bool wow64, const wchar_t* key, wchar_t* value, size_t capacity) {
    wchar_t section[kSectionNameCapacity];
    ZeroText(section, kSectionNameCapacity);
    CopyWhole(section, kSectionNameCapacity, RedistSectionName(wow64));
    ReadIniString(iniPath, section, key, value, capacity);
}

bool BuildNumberedKey(const wchar_t* stem, int number, wchar_t* key, size_t capacity) {
    TextBuffer text(key, capacity);
    text.Append(stem).AppendDecimal(number);
    if (text.IsCut()) {
        ZeroText(key, capacity);
        return false;
    }
    return true;
}

int ReadJobSettingsInt(const wchar_t* iniPath, const wchar_t* key) {
    return static_cast<int>(GetPrivateProfileIntW(kJobSettings, key, 0, iniPath));
}

void ReadJobSettingsString(const wchar_t* iniPath, const wchar_t* key, wchar_t* value, size_t capacity) {
    ReadIniString(iniPath, kJobSettings, key, value, capacity);
}
