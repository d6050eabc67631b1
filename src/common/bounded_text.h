// Fixed-capacity wide text. Every buffer with a fixed capacity is filled
// through TextBuffer: an append that does not fit is cut at the capacity and
// marks the text as cut. Callers that must refuse an over-long result check
// IsCut() and never use the text; the few that truncate on purpose ignore it.
#pragma once

#include <cstddef>

class TextBuffer {
public:
    // Starts an empty text in buffer (capacity in characters, terminator
    // included; a capacity of 0 holds nothing and is always cut).
    TextBuffer(wchar_t* buffer, size_t capacity);
    // Goes on from the text already in buffer (which must be terminated
    // within capacity).
    static TextBuffer Continue(wchar_t* buffer, size_t capacity);

    TextBuffer& Append(const wchar_t* text);
    TextBuffer& Append(const wchar_t* text, size_t count);
    TextBuffer& AppendChar(wchar_t character);
    // Signed decimal, as the C library's "%d" writes it.
    TextBuffer& AppendDecimal(int value);

    bool IsCut() const { return cut_; }
    size_t Length() const { return length_; }
    const wchar_t* Text() const { return buffer_; }

private:
    wchar_t* buffer_;
    size_t capacity_;
    size_t length_;
    bool cut_;
};

size_t TextLength(const wchar_t* text);

// Copies text whole or not at all: false (and an empty buffer) when it does
// not fit into capacity characters with its terminator.
bool CopyWhole(wchar_t* buffer, size_t capacity, const wchar_t* text);

// Copies what fits, cut to capacity - 1 characters.
void CopyCut(wchar_t* buffer, size_t capacity, const wchar_t* text);

// Zero-fills count characters.
void ZeroText(wchar_t* buffer, size_t count);

const wchar_t* FindText(const wchar_t* text, const wchar_t* pattern);
bool ContainsText(const wchar_t* text, const wchar_t* pattern);
