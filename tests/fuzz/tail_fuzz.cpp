// The command-line tail through the switch logic and the msiexec command
// line, checked against a plain reference built with std::wstring.
// Input: the tail, optionally followed by a NUL byte and the setup
// directory; each byte is one character.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cwchar>
#include <string>

#include "driver/switches.h"
#include "install/msi_command.h"

namespace {

void Check(bool condition) {
    if (!condition) abort();
}

const wchar_t* const kQuiet[] = {L"/nola", L"/NOLA", L"-nola", L"-NOLA", L"/qb", L"/passive", L"/quiet", L"/NODISP", L"/qn"};

void ReferenceReplaceFirst(std::wstring& text, const std::wstring& pattern, const std::wstring& replacement) {
    size_t at = text.find(pattern);
    if (at != std::wstring::npos) text.replace(at, pattern.size(), replacement);
}

int32_t ReferenceHost(const std::wstring& tail) {
    size_t at = tail.find(L"/W32:");
    if (at == std::wstring::npos) return 0;
    size_t end = tail.find(L' ', at);
    size_t n = (end == std::wstring::npos ? tail.size() : end) - at;
    if (n > 31) return 0;
    std::wstring value = tail.substr(at + 5, n - 5);
    long long parsed;
    if (value.size() > 2 && value[0] == L'0' && value[1] == L'x') {
        parsed = wcstoll(value.c_str(), nullptr, 16);
    } else {
        parsed = wcstoll(value.c_str(), nullptr, 10);
    }
    if (parsed > INT32_MAX) return INT32_MAX;
    if (parsed < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(parsed);
}

std::wstring ReferenceCommand(const std::wstring& tail, const std::wstring& directory, bool addBasicUi,
                              const wchar_t* extra) {
    bool silent = false;
    for (const wchar_t* quiet : kQuiet) silent = silent || tail.find(quiet) != std::wstring::npos;
    std::wstring options = tail;
    const wchar_t* rows[][2] = {{L"/nola", L"/qb"},    {L"/NOLA", L"/qb"},  {L"-nola", L"/qb"},  {L"-NOLA", L"/qb"},
                                {L"/passive", L"/qb"}, {L"/quiet", L"/qb"}, {L"/NODISP", L"/qn"}};
    for (auto& row : rows) ReferenceReplaceFirst(options, row[0], row[1]);
    size_t at = options.find(L"/W32:");
    if (at != std::wstring::npos) {
        size_t end = options.find(L' ', at);
        size_t n = (end == std::wstring::npos ? options.size() : end) - at;
        if (n <= 31) options.erase(at, n);
    }
    ReferenceReplaceFirst(options, L"/suppressTW", L" ");
    ReferenceReplaceFirst(options, L"/SUPPRESSTW", L" ");
    if (!silent && addBasicUi) options += L" /qb";
    std::wstring command = L"msiexec.exe /i \"" + directory + L"\\MSI\\OTW.msi\" " + options;
    if (extra != nullptr) command += std::wstring(L" ") + extra;
    return command;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::wstring tail;
    std::wstring directory = L"C:\\Medium";
    size_t i = 0;
    for (; i < size && data[i] != 0; ++i) tail.push_back(static_cast<wchar_t>(data[i]));
    if (i < size) {
        directory.clear();
        for (++i; i < size && data[i] != 0; ++i) directory.push_back(static_cast<wchar_t>(data[i]));
    }

    bool silent = IsSilentMode(tail.c_str());
    Check(ParseHostWindowValue(tail.c_str()) == ReferenceHost(tail));

    for (int variant = 0; variant < 2; ++variant) {
        bool addBasicUi = variant == 1;
        const wchar_t* extra = addBasicUi ? L"UI_INSTALL=YES SHORTCUT=YES" : nullptr;
        wchar_t line[kMsiCommandCapacity + 1];
        line[kMsiCommandCapacity] = L'#';  // must stay untouched
        bool built = BuildMsiCommandLine(tail.c_str(), directory.c_str(), L"OTW.msi", extra, addBasicUi, line);
        Check(line[kMsiCommandCapacity] == L'#');
        std::wstring expected = ReferenceCommand(tail, directory, addBasicUi, extra);
        // Whole or not at all: a refused line leaves nothing runnable.
        bool pathFits = directory.size() + 14 <= kMsiCommandCapacity - 1;
        if (built) {
            Check(pathFits && expected.size() <= kMsiCommandCapacity - 1);
            Check(expected == line);
        } else {
            Check(!pathFits || expected.size() > kMsiCommandCapacity - 1);
            Check(line[0] == L'\0');
        }
        // The package path stays one quoted argument: nothing the tail holds
        // comes before its closing quote.
        if (built) Check(std::wstring(line).compare(0, 16 + directory.size() + 14, L"msiexec.exe /i \"" + directory + L"\\MSI\\OTW.msi\" ") == 0);
        (void)silent;
    }
    return 0;
}
