// The diagnostics sink of the desktop-user launch and the texts written into
// it. Nothing here needs the platform: the system's own message text for an
// error code is fetched by the caller and handed in.
#pragma once

#include <cstddef>
#include <cstdint>

#include "../common/wide_string.h"

// A number written as "0x" and at least width hexadecimal digits, padded
// with '0' on the left.
struct HexValue {
    uint32_t value;
    int32_t width;
    bool upperCase;
};

// Grows as text is appended, so a message is never cut; when memory runs out
// the stream is marked failed and its text must not be trusted.
class DiagnosticStream {
public:
    DiagnosticStream& Append(const wchar_t* text);
    DiagnosticStream& operator<<(const wchar_t* text) { return Append(text); }
    DiagnosticStream& operator<<(unsigned value);  // decimal, no grouping
    DiagnosticStream& operator<<(const HexValue& hex);

    const wchar_t* Text() const { return text_.Text(); }
    size_t Length() const { return text_.Length(); }
    bool Failed() const { return text_.Failed(); }

private:
    WideString text_;
};

// Writes the text that follows a failure message for a system error code:
// with systemText (the platform's message, null when it has none)
//   systemText + " (Error # " + code + " = " + 0x%08x + ")"
// and without it
//   "Error # " + code + " (" + 0x%08x + ")".
void FormatSystemError(DiagnosticStream& text, uint32_t code, const wchar_t* systemText);
