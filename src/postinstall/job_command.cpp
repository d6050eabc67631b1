#include "job_command.h"

#include "../common/bounded_text.h"

bool BuildJobPath(const wchar_t* setupDirectory, const wchar_t* fileName, wchar_t* path) {
    TextBuffer text(path, kJobPathCapacity);
    text.Append(setupDirectory).Append(L"\\").Append(fileName);
    if (text.IsCut()) {
        path[0] = L'\0';
        return false;
    }
    return true;
}

bool BuildImportCommandLine(const wchar_t* productExecutable, const wchar_t* jobPath, wchar_t* commandLine) {
    TextBuffer text(commandLine, kImportCommandCapacity);
    text.Append(L"\"").Append(productExecutable).Append(L"\" /ImportJob \"").Append(jobPath).Append(L"\"");
    if (text.IsCut()) {
        commandLine[0] = L'\0';
        return false;
    }
    return true;
}

void BuildJobKey(int index, wchar_t* key) {
    TextBuffer(key, kJobIndexKeyCapacity).AppendDecimal(index);
}

void BuildStagingFolder(const wchar_t* installFolder, wchar_t* folder) {
    TextBuffer(folder, kJobPathCapacity).Append(installFolder).Append(L"\\RunOnce");
}

void BuildStagingSource(const wchar_t* setupDirectory, const wchar_t* fileName, wchar_t* path) {
    TextBuffer(path, kJobPathCapacity).Append(setupDirectory).Append(L"\\").Append(fileName);
}

void BuildStagingTarget(const wchar_t* installFolder, const wchar_t* fileName, wchar_t* path) {
    TextBuffer(path, kJobPathCapacity).Append(installFolder).Append(L"\\RunOnce\\").Append(fileName);
}

void BuildStagedConfiguration(const wchar_t* stagingFolder, wchar_t* path) {
    TextBuffer(path, kJobPathCapacity).Append(stagingFolder).Append(L"\\Setup.ini");
}

void BuildRunValueData(const wchar_t* installFolder, wchar_t* data) {
    TextBuffer(data, kJobPathCapacity).Append(L"\"").Append(installFolder).Append(L"\\QLMJobDeployCmd.exe\"");
}
