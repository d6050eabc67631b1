#include "localised_texts.h"

#include <windows.h>

#include "../common/bounded_text.h"
#include "../driver/globals.h"
#include "progress_dialog.h"
#include "text_choice.h"

namespace {

const int kLoadedTextCapacity = 512;

void LoadChosenText(TextKind kind, wchar_t* loaded) {
    LANGID language = GetUserDefaultLangID();
    LCID locale = TextRowNeedsLocale(language) ? GetUserDefaultLCID() : 0;
    ZeroText(loaded, kLoadedTextCapacity);
    LoadStringW(g_hInst, static_cast<UINT>(TextId(ChooseTextRow(language, locale), kind)), loaded,
                kLoadedTextCapacity);
}

void CopyChosenText(TextKind kind, wchar_t* text) {
    wchar_t loaded[kLoadedTextCapacity];
    LoadChosenText(kind, loaded);
    CopyWhole(text, kCompletionTextCapacity, loaded);
}

}  // namespace

void FormatProgressText(wchar_t* text) {
    wchar_t format[kLoadedTextCapacity];
    LoadChosenText(kProgressText, format);
    FormatProgressLine(text, kProgressTextCapacity, format, g_szProgressTitle);
}

void LoadCompletionTitleText(wchar_t* text) { CopyChosenText(kCompletionTitle, text); }
void LoadFinishHintText(wchar_t* text) { CopyChosenText(kFinishHint, text); }
void LoadFinishButtonText(wchar_t* text) { CopyChosenText(kFinishLabel, text); }
void LoadBackButtonText(wchar_t* text) { CopyChosenText(kBackLabel, text); }
void LoadCancelButtonText(wchar_t* text) { CopyChosenText(kCancelLabel, text); }
