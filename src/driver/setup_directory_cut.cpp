#include "setup_directory.h"

#include "../common/bounded_text.h"

void CutAtLastBackslash(wchar_t* path) {
    for (size_t i = TextLength(path); i-- > 1;) {
        if (path[i] == L'\\') {
            path[i] = L'\0';
            return;
        }
    }
}
