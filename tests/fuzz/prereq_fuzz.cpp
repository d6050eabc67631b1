// Prerequisite command lines from arbitrary Setup.ini values and setup
// directories: whole or not built, never past the buffer, and the installer's
// path always one quoted argument ahead of the arguments.
#include "fuzz_input.h"
#include "install/prereq_command.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::wstring> in = SplitInput(data, size, 3);
    const std::wstring& directory = in[0];
    const std::wstring& module = in[1];
    const std::wstring& arguments = in[2];

    wchar_t line[kModuleBufferCapacity + 1];
    line[kModuleBufferCapacity] = L'#';
    std::wstring expected = L"\"" + directory + L"\\" + module + L"\" " + arguments;
    bool built = BuildModuleCommandLine(directory.c_str(), module.c_str(), arguments.c_str(), line, kModuleBufferCapacity);
    Check(line[kModuleBufferCapacity] == L'#');
    Check(built == (expected.size() < kModuleBufferCapacity));
    Check(built ? expected == line : line[0] == L'\0');

    wchar_t dotNet[kDotNetBufferCapacity + 1];
    dotNet[kDotNetBufferCapacity] = L'#';
    std::wstring expectedDotNet = L"\"" + directory + L"\\" + module + L"\"";
    built = BuildDotNetCommandLine(directory.c_str(), module.c_str(), dotNet, kDotNetBufferCapacity);
    Check(dotNet[kDotNetBufferCapacity] == L'#');
    Check(built == (expectedDotNet.size() < kDotNetBufferCapacity));
    Check(built ? expectedDotNet == dotNet : dotNet[0] == L'\0');
    return 0;
}
