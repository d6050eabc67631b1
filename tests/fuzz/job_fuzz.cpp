// Job import and staging texts from arbitrary Setup.ini and registry values:
// the import's texts whole or not built, the staging texts cut to 259
// characters and never past their buffers.
#include "fuzz_input.h"
#include "postinstall/job_command.h"

namespace {

void CheckCut(const std::wstring& expected, const wchar_t* built) {
    std::wstring text(built);
    Check(text.size() <= kJobPathCapacity - 1);
    Check(text == expected.substr(0, kJobPathCapacity - 1));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::wstring> in = SplitInput(data, size, 4);
    const std::wstring& directory = in[0];
    const std::wstring& fileName = in[1];
    const std::wstring& executable = in[2];
    const std::wstring& installFolder = in[3];

    wchar_t path[kJobPathCapacity + 1];
    path[kJobPathCapacity] = L'#';
    std::wstring expectedPath = directory + L"\\" + fileName;
    bool built = BuildJobPath(directory.c_str(), fileName.c_str(), path);
    Check(path[kJobPathCapacity] == L'#');
    Check(built == (expectedPath.size() < kJobPathCapacity));
    Check(built ? expectedPath == path : path[0] == L'\0');

    if (built) {
        wchar_t line[kImportCommandCapacity + 1];
        line[kImportCommandCapacity] = L'#';
        std::wstring expected = L"\"" + executable + L"\" /ImportJob \"" + expectedPath + L"\"";
        bool whole = BuildImportCommandLine(executable.c_str(), path, line);
        Check(line[kImportCommandCapacity] == L'#');
        Check(whole == (expected.size() < kImportCommandCapacity));
        Check(whole ? expected == line : line[0] == L'\0');
    }

    wchar_t cut[kJobPathCapacity + 1];
    cut[kJobPathCapacity] = L'#';
    BuildStagingFolder(installFolder.c_str(), cut);
    CheckCut(installFolder + L"\\RunOnce", cut);
    std::wstring folder = cut;
    BuildStagedConfiguration(folder.c_str(), cut);
    CheckCut(folder + L"\\Setup.ini", cut);
    BuildStagingSource(directory.c_str(), fileName.c_str(), cut);
    CheckCut(directory + L"\\" + fileName, cut);
    BuildStagingTarget(installFolder.c_str(), fileName.c_str(), cut);
    CheckCut(installFolder + L"\\RunOnce\\" + fileName, cut);
    BuildRunValueData(installFolder.c_str(), cut);
    CheckCut(L"\"" + installFolder + L"\\QLMJobDeployCmd.exe\"", cut);
    Check(cut[kJobPathCapacity] == L'#');
    return 0;
}
