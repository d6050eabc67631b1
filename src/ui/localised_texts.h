// The dialogs' texts in the user's language, from the string table of
// g_hInst. Each call reads the language afresh.
#pragma once

#include <cstddef>

const std::size_t kProgressTextCapacity = 512;
const std::size_t kCompletionTextCapacity = 1024;

// The progress line with g_szProgressTitle in place of "%s"; text holds
// kProgressTextCapacity characters. A line that would not fit is cut.
void FormatProgressText(wchar_t* text);

// Each text holds kCompletionTextCapacity characters.
void LoadCompletionTitleText(wchar_t* text);
void LoadFinishHintText(wchar_t* text);
void LoadFinishButtonText(wchar_t* text);
void LoadBackButtonText(wchar_t* text);
void LoadCancelButtonText(wchar_t* text);
