// Splits a fuzz input into NUL-separated wide texts, one character a byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

inline std::vector<std::wstring> SplitInput(const uint8_t* data, size_t size, size_t parts) {
    std::vector<std::wstring> texts(parts);
    size_t part = 0;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            if (++part == parts) break;
            continue;
        }
        texts[part].push_back(static_cast<wchar_t>(data[i]));
    }
    return texts;
}

inline void Check(bool condition) {
    if (!condition) abort();
}
