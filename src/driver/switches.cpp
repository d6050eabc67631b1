#include "switches.h"

#include "../common/bounded_text.h"

namespace {

const wchar_t* const kQuietSwitches[] = {
    L"/nola", L"/NOLA", L"-nola", L"-NOLA", L"/qb", L"/passive", L"/quiet", L"/NODISP", L"/qn",
};

bool IsCSpace(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\v' || c == L'\f' || c == L'\r';
}

int HexDigitValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

// Accumulates digits of base into a clamped magnitude, then applies the sign.
int32_t ParseClamped(const wchar_t* text, int base) {
    while (IsCSpace(*text)) ++text;
    bool negative = false;
    if (*text == L'+' || *text == L'-') {
        negative = *text == L'-';
        ++text;
    }
    if (base == 16 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X') && HexDigitValue(text[2]) >= 0) {
        text += 2;
    }
    const int64_t limit = negative ? INT64_C(2147483648) : INT64_C(2147483647);
    int64_t magnitude = 0;
    for (;; ++text) {
        int digit = HexDigitValue(*text);
        if (digit < 0 || digit >= base) break;
        magnitude = magnitude * base + digit;
        if (magnitude > limit) magnitude = limit;
    }
    return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

}  // namespace

bool IsSilentMode(const wchar_t* commandLine) {
    for (const wchar_t* quiet : kQuietSwitches) {
        if (ContainsText(commandLine, quiet)) return true;
    }
    return false;
}

bool IsLaunchSuppressed(const wchar_t* commandLine) {
    return ContainsText(commandLine, L"/suppressTW") || ContainsText(commandLine, L"/SUPPRESSTW");
}

bool FindHostWindowToken(const wchar_t* commandLine, size_t* start, size_t* length) {
    const wchar_t* token = FindText(commandLine, L"/W32:");
    if (token == nullptr) return false;
    size_t n = 0;
    while (token[n] != L'\0' && token[n] != L' ') ++n;
    *start = static_cast<size_t>(token - commandLine);
    *length = n;
    return true;
}

int32_t ParseHostWindowValue(const wchar_t* commandLine) {
    size_t start = 0;
    size_t length = 0;
    if (!FindHostWindowToken(commandLine, &start, &length)) return 0;
    if (length > kHostWindowTokenLimit) return 0;
    wchar_t value[64];
    ZeroText(value, 64);
    TextBuffer(value, 64).Append(commandLine + start + 5, length - 5);
    if (TextLength(value) > 2 && value[0] == L'0' && value[1] == L'x') return ParseHex(value);
    return ParseDecimal(value);
}

int32_t ParseDecimal(const wchar_t* text) {
    return ParseClamped(text, 10);
}

int32_t ParseHex(const wchar_t* text) {
    return ParseClamped(text, 16);
}
