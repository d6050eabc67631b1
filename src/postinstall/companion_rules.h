// What the registry values of an installed companion mean for its package.
#pragma once

const wchar_t kCompanionProperties[] = L"UI_INSTALL=YES SHORTCUT=YES";

// True when the major version (the first dot-separated token, read as a
// clamped signed decimal) is below 3; an empty or all-dot version has none.
bool IsOldCompanionVersion(const wchar_t* version);

// True when the value is "YES" in any mix of case (letters a to z only).
bool IsUserInterfaceInstall(const wchar_t* uiInstall);

// Whether the companion package needs kCompanionProperties.
bool NeedsCompanionProperties(const wchar_t* version, const wchar_t* uiInstall);
