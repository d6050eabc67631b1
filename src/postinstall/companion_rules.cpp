#include "companion_rules.h"

#include <cstddef>

#include "../driver/switches.h"

bool IsOldCompanionVersion(const wchar_t* version) {
    const wchar_t* token = version;
    while (*token == L'.') ++token;
    if (*token == L'\0') return false;
    // The decimal reader stops at the dot that ends the token.
    return ParseDecimal(token) < 3;
}

bool IsUserInterfaceInstall(const wchar_t* uiInstall) {
    const wchar_t expected[] = L"YES";
    size_t i = 0;
    for (; uiInstall[i] != L'\0'; ++i) {
        if (i >= 3) return false;
        wchar_t c = uiInstall[i];
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
        if (c != expected[i]) return false;
    }
    return i == 3;
}

bool NeedsCompanionProperties(const wchar_t* version, const wchar_t* uiInstall) {
    bool oldVersion = IsOldCompanionVersion(version);
    bool userInterface = IsUserInterfaceInstall(uiInstall);
    return userInterface || oldVersion;
}
