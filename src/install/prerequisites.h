#pragma once

// Prerequisite module index + 1 from Setup.ini, waited for; the progress
// dialog shows its title unless silent.
void RunRedistModule(bool wow64, bool silent, int index);

// The .NET runtime installer; ends the process (exit status 0) when the
// installer fails.
void RunDotNetRuntime(bool wow64);
