// The text after a launch failure message, for any code and system text.
#include <cstdio>

#include "fuzz_input.h"
#include "postinstall/system_error_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 5) return 0;
    uint32_t code = static_cast<uint32_t>(data[0]) | static_cast<uint32_t>(data[1]) << 8 |
                    static_cast<uint32_t>(data[2]) << 16 | static_cast<uint32_t>(data[3]) << 24;
    bool withText = data[4] & 1;
    std::vector<std::wstring> in = SplitInput(data + 5, size - 5, 1);

    char digits[64];
    snprintf(digits, sizeof(digits), "%u", static_cast<unsigned>(code));
    std::wstring decimal(digits, digits + std::char_traits<char>::length(digits));
    snprintf(digits, sizeof(digits), "0x%08x", static_cast<unsigned>(code));
    std::wstring hex(digits, digits + std::char_traits<char>::length(digits));
    std::wstring expected = withText ? in[0] + L" (Error # " + decimal + L" = " + hex + L")"
                                     : L"Error # " + decimal + L" (" + hex + L")";

    DiagnosticStream text;
    text << L"prefix:  ";
    FormatSystemError(text, code, withText ? in[0].c_str() : nullptr);
    Check(!text.Failed());
    Check(std::wstring(L"prefix:  ") + expected == text.Text());
    return 0;
}
