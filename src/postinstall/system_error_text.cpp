#include "system_error_text.h"

DiagnosticStream& DiagnosticStream::Append(const wchar_t* text) {
    text_.Append(text);
    return *this;
}

DiagnosticStream& DiagnosticStream::operator<<(unsigned value) {
    wchar_t reversed[16];
    size_t count = 0;
    do {
        reversed[count++] = static_cast<wchar_t>(L'0' + value % 10);
        value /= 10;
    } while (value != 0);
    wchar_t digits[16];
    for (size_t i = 0; i < count; ++i) digits[i] = reversed[count - 1 - i];
    digits[count] = L'\0';
    return Append(digits);
}

DiagnosticStream& DiagnosticStream::operator<<(const HexValue& hex) {
    const wchar_t* alphabet = hex.upperCase ? L"0123456789ABCDEF" : L"0123456789abcdef";
    wchar_t reversed[8];
    int32_t count = 0;
    uint32_t value = hex.value;
    do {
        reversed[count++] = alphabet[value & 0xF];
        value >>= 4;
    } while (value != 0);
    Append(L"0x");
    // Padding is appended piecewise so that any width is safe.
    for (int32_t padding = hex.width - count; padding > 0; --padding) Append(L"0");
    wchar_t digits[9];
    for (int32_t i = 0; i < count; ++i) digits[i] = reversed[count - 1 - i];
    digits[count] = L'\0';
    return Append(digits);
}

void FormatSystemError(DiagnosticStream& text, uint32_t code, const wchar_t* systemText) {
    HexValue hex = {code, 8, false};
    if (systemText != nullptr) {
        text << systemText << L" (Error # " << code << L" = " << hex << L")";
    } else {
        text << L"Error # " << code << L" (" << hex << L")";
    }
}
