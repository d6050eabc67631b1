#pragma once

// Questions asked of the system; each asks afresh and answers false when it
// cannot find out.
bool IsRunningUnderWow64();
bool IsMsiVersionSufficient();
bool IsDotNet20Installed();
bool IsWindowsVersionAtLeast(unsigned major, unsigned minor);
