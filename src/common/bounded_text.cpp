#include "bounded_text.h"

TextBuffer::TextBuffer(wchar_t* buffer, size_t capacity)
    : buffer_(buffer), capacity_(capacity), length_(0), cut_(capacity == 0) {
    if (capacity_ > 0) buffer_[0] = L'\0';
}

TextBuffer TextBuffer::Continue(wchar_t* buffer, size_t capacity) {
    size_t length = 0;
    while (length + 1 < capacity && buffer[length] != L'\0') ++length;
    TextBuffer text(buffer, 0);
    text.buffer_ = buffer;
    text.capacity_ = capacity;
    text.length_ = length;
    text.cut_ = capacity == 0 || buffer[length] != L'\0';
    if (capacity > 0) buffer[length] = L'\0';
    return text;
}

TextBuffer& TextBuffer::Append(const wchar_t* text) {
    return Append(text, TextLength(text));
}

TextBuffer& TextBuffer::Append(const wchar_t* text, size_t count) {
    if (capacity_ == 0) return *this;
    size_t room = capacity_ - 1 - length_;
    if (count > room) {
        count = room;
        cut_ = true;
    }
    for (size_t i = 0; i < count; ++i) buffer_[length_ + i] = text[i];
    length_ += count;
    buffer_[length_] = L'\0';
    return *this;
}

TextBuffer& TextBuffer::AppendChar(wchar_t character) {
    return Append(&character, 1);
}

TextBuffer& TextBuffer::AppendDecimal(int value) {
    wchar_t digits[16];
    size_t count = 0;
    // Work on the unsigned magnitude so INT_MIN needs no special case.
    unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    do {
        digits[count++] = static_cast<wchar_t>(L'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) digits[count++] = L'-';
    wchar_t ordered[16];
    for (size_t i = 0; i < count; ++i) ordered[i] = digits[count - 1 - i];
    return Append(ordered, count);
}

size_t TextLength(const wchar_t* text) {
    size_t length = 0;
    while (text[length] != L'\0') ++length;
    return length;
}

bool CopyWhole(wchar_t* buffer, size_t capacity, const wchar_t* text) {
    TextBuffer copy(buffer, capacity);
    copy.Append(text);
    if (copy.IsCut()) {
        if (capacity > 0) buffer[0] = L'\0';
        return false;
    }
    return true;
}

void CopyCut(wchar_t* buffer, size_t capacity, const wchar_t* text) {
    TextBuffer copy(buffer, capacity);
    copy.Append(text);
}

void ZeroText(wchar_t* buffer, size_t count) {
    for (size_t i = 0; i < count; ++i) buffer[i] = L'\0';
}

const wchar_t* FindText(const wchar_t* text, const wchar_t* pattern) {
    if (pattern[0] == L'\0') return text;
    for (const wchar_t* start = text; *start != L'\0'; ++start) {
        size_t i = 0;
        while (pattern[i] != L'\0' && start[i] == pattern[i]) ++i;
        if (pattern[i] == L'\0') return start;
    }
    return nullptr;
}

bool ContainsText(const wchar_t* text, const wchar_t* pattern) {
    return FindText(text, pattern) != nullptr;
}
