// A small growable wide string: just the find, replace and append that the
// option text needs, without pulling the C++ library's string into the
// executable. An allocation failure marks the string failed; a failed string
// is never used to build a command line.
#pragma once

#include <cstddef>

class WideString {
public:
    static const size_t npos = static_cast<size_t>(-1);

    WideString();
    explicit WideString(const wchar_t* text);
    ~WideString();
    WideString(const WideString&) = delete;
    WideString& operator=(const WideString&) = delete;

    size_t Find(const wchar_t* pattern, size_t patternLength) const;
    void Replace(size_t position, size_t count, const wchar_t* text, size_t textLength);
    void Append(const wchar_t* text);

    const wchar_t* Text() const { return data_ ? data_ : L""; }
    size_t Length() const { return length_; }
    bool Failed() const { return failed_; }

private:
    bool Reserve(size_t length);

    wchar_t* data_;
    size_t length_;
    size_t capacity_;
    bool failed_;
};
