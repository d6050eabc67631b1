// The paths and command lines of job import and staging. The import's own
// texts are refused whole when they would not fit, so nothing runs with a
// cut path; the staging texts and the Run value are cut to 259 characters
// and used as cut.
#pragma once

#include <cstddef>

const size_t kJobPathCapacity = 260;          // job paths, staging paths, Run value data
const size_t kImportCommandCapacity = 1024;
const size_t kJobIndexKeyCapacity = 32;

// setupDirectory + "\" + fileName; false (and an empty path) when it would
// not fit.
bool BuildJobPath(const wchar_t* setupDirectory, const wchar_t* fileName, wchar_t* path);

// "<productExecutable>" /ImportJob "<jobPath>"; false (and an empty command
// line) when it would not fit into kImportCommandCapacity.
bool BuildImportCommandLine(const wchar_t* productExecutable, const wchar_t* jobPath, wchar_t* commandLine);

// The job entry's key: index in decimal.
void BuildJobKey(int index, wchar_t* key);

// Cut to kJobPathCapacity - 1 characters.
void BuildStagingFolder(const wchar_t* installFolder, wchar_t* folder);
void BuildStagingSource(const wchar_t* setupDirectory, const wchar_t* fileName, wchar_t* path);
void BuildStagingTarget(const wchar_t* installFolder, const wchar_t* fileName, wchar_t* path);
void BuildStagedConfiguration(const wchar_t* stagingFolder, wchar_t* path);
// "<installFolder>\QLMJobDeployCmd.exe" with its double quotes.
void BuildRunValueData(const wchar_t* installFolder, wchar_t* data);
