#pragma once

// Whether the .NET runtime installer runs. The probes are asked in this
// order and only as far as needed; the Windows Installer probe is asked
// afresh so that an update by prerequisite module 1 counts.
bool ShouldRunDotNetRuntime(bool (*isDotNet20Installed)(), bool windows8OrLater, bool (*isMsiVersionSufficient)(),
                            bool wow64);
