#include "wide_string.h"

#include <cstdlib>
#include <cstring>

#include "bounded_text.h"

WideString::WideString() : data_(nullptr), length_(0), capacity_(0), failed_(false) {}

WideString::WideString(const wchar_t* text) : WideString() {
    Append(text);
}

WideString::~WideString() {
    free(data_);
}

bool WideString::Reserve(size_t length) {
    if (failed_) return false;
    if (length < capacity_) return true;
    size_t capacity = capacity_ == 0 ? 64 : capacity_;
    while (capacity <= length) {
        if (capacity > (static_cast<size_t>(-1) / sizeof(wchar_t)) / 2) {
            failed_ = true;
            return false;
        }
        capacity *= 2;
    }
    void* grown = realloc(data_, capacity * sizeof(wchar_t));
    if (grown == nullptr) {
        failed_ = true;
        return false;
    }
    data_ = static_cast<wchar_t*>(grown);
    capacity_ = capacity;
    return true;
}

size_t WideString::Find(const wchar_t* pattern, size_t patternLength) const {
    if (patternLength > length_) return npos;
    for (size_t start = 0; start + patternLength <= length_; ++start) {
        if (memcmp(data_ + start, pattern, patternLength * sizeof(wchar_t)) == 0) return start;
    }
    return npos;
}

void WideString::Replace(size_t position, size_t count, const wchar_t* text, size_t textLength) {
    if (failed_ || position > length_) return;
    if (count > length_ - position) count = length_ - position;
    size_t newLength = length_ - count + textLength;
    if (!Reserve(newLength)) return;
    size_t tail = length_ - position - count;
    memmove(data_ + position + textLength, data_ + position + count, tail * sizeof(wchar_t));
    if (textLength > 0) memcpy(data_ + position, text, textLength * sizeof(wchar_t));
    length_ = newLength;
    data_[length_] = L'\0';
}

void WideString::Append(const wchar_t* text) {
    Replace(length_, 0, text, TextLength(text));
}
