// The companion's Version and UIInstall values against a plain reference.
#include <cwchar>

#include "fuzz_input.h"
#include "postinstall/companion_rules.h"

namespace {

bool ReferenceOld(const std::wstring& version) {
    size_t start = version.find_first_not_of(L'.');
    if (start == std::wstring::npos) return false;
    std::wstring token = version.substr(start, version.find(L'.', start) - start);
    // The C library's decimal reading, clamped to 32 bits.
    size_t i = 0;
    while (i < token.size() && (token[i] == L' ' || (token[i] >= L'\t' && token[i] <= L'\r'))) ++i;
    bool negative = false;
    if (i < token.size() && (token[i] == L'+' || token[i] == L'-')) negative = token[i++] == L'-';
    long long value = 0;
    for (; i < token.size() && token[i] >= L'0' && token[i] <= L'9'; ++i) {
        value = value * 10 + (token[i] - L'0');
        if (value > 2147483648LL) value = 2147483648LL;
    }
    if (negative) value = -value;
    if (value > 2147483647LL) value = 2147483647LL;
    return value < 3;
}

bool ReferenceInterface(std::wstring value) {
    for (wchar_t& c : value) {
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    }
    return value == L"YES";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::wstring> in = SplitInput(data, size, 2);
    bool old = IsOldCompanionVersion(in[0].c_str());
    bool ui = IsUserInterfaceInstall(in[1].c_str());
    Check(old == ReferenceOld(in[0]));
    Check(ui == ReferenceInterface(in[1]));
    Check(NeedsCompanionProperties(in[0].c_str(), in[1].c_str()) == (old || ui));
    return 0;
}
