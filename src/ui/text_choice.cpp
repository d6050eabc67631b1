#include "text_choice.h"

#include "../../res/string_ids.h"
#include "../common/bounded_text.h"

namespace {

const std::uint16_t kPrimaryLanguageMask = 0x3FF;
const std::uint16_t kLangArabic = 0x01;
const std::uint16_t kLangChinese = 0x04;

struct LanguageRow {
    std::uint16_t primaryLanguage;
    TextRow row;
};

// Chinese is left out: its row depends on the locale.
const LanguageRow kLanguageRows[] = {
    {0x01, kRowArabic},     {0x05, kRowCzech},     {0x06, kRowDanish},     {0x07, kRowGerman},
    {0x0A, kRowSpanish},    {0x0B, kRowFinnish},   {0x0C, kRowFrench},     {0x0E, kRowHungarian},
    {0x10, kRowItalian},    {0x11, kRowJapanese},  {0x12, kRowKorean},     {0x13, kRowDutch},
    {0x14, kRowNorwegian},  {0x15, kRowPolish},    {0x16, kRowPortuguese}, {0x18, kRowRomanian},
    {0x19, kRowRussian},    {0x1D, kRowSwedish},   {0x1F, kRowTurkish},
};

// Indexed by TextRow, then TextKind.
const int kTextIds[kTextRowCount][6] = {
    {IDS_PROGRESS_ARABIC, IDS_TITLE_ARABIC, IDS_HINT_ARABIC, IDS_FINISH_ARABIC, IDS_BACK_ARABIC, IDS_CANCEL_ARABIC},
    {IDS_PROGRESS_CHINESE_TRADITIONAL, IDS_TITLE_CHINESE_TRADITIONAL, IDS_HINT_CHINESE_TRADITIONAL,
     IDS_FINISH_CHINESE_TRADITIONAL, IDS_BACK_CHINESE_TRADITIONAL, IDS_CANCEL_CHINESE_TRADITIONAL},
    {IDS_PROGRESS_CHINESE_SIMPLIFIED, IDS_TITLE_CHINESE_SIMPLIFIED, IDS_HINT_CHINESE_SIMPLIFIED,
     IDS_FINISH_CHINESE_SIMPLIFIED, IDS_BACK_CHINESE_SIMPLIFIED, IDS_CANCEL_CHINESE_SIMPLIFIED},
    {IDS_PROGRESS_CZECH, IDS_TITLE_CZECH, IDS_HINT_CZECH, IDS_FINISH_CZECH, IDS_BACK_CZECH, IDS_CANCEL_CZECH},
    {IDS_PROGRESS_DANISH, IDS_TITLE_DANISH, IDS_HINT_DANISH, IDS_FINISH_DANISH, IDS_BACK_DANISH, IDS_CANCEL_DANISH},
    {IDS_PROGRESS_GERMAN, IDS_TITLE_GERMAN, IDS_HINT_GERMAN, IDS_FINISH_GERMAN, IDS_BACK_GERMAN, IDS_CANCEL_GERMAN},
    {IDS_PROGRESS_SPANISH, IDS_TITLE_SPANISH, IDS_HINT_SPANISH, IDS_FINISH_SPANISH, IDS_BACK_SPANISH,
     IDS_CANCEL_SPANISH},
    {IDS_PROGRESS_FINNISH, IDS_TITLE_FINNISH, IDS_HINT_FINNISH, IDS_FINISH_FINNISH, IDS_BACK_FINNISH,
     IDS_CANCEL_FINNISH},
    {IDS_PROGRESS_FRENCH, IDS_TITLE_FRENCH, IDS_HINT_FRENCH, IDS_FINISH_FRENCH, IDS_BACK_FRENCH, IDS_CANCEL_FRENCH},
    {IDS_PROGRESS_HUNGARIAN, IDS_TITLE_HUNGARIAN, IDS_HINT_HUNGARIAN, IDS_FINISH_HUNGARIAN, IDS_BACK_HUNGARIAN,
     IDS_CANCEL_HUNGARIAN},
    {IDS_PROGRESS_ITALIAN, IDS_TITLE_ITALIAN, IDS_HINT_ITALIAN, IDS_FINISH_ITALIAN, IDS_BACK_ITALIAN,
     IDS_CANCEL_ITALIAN},
    {IDS_PROGRESS_JAPANESE, IDS_TITLE_JAPANESE, IDS_HINT_JAPANESE, IDS_FINISH_JAPANESE, IDS_BACK_JAPANESE,
     IDS_CANCEL_JAPANESE},
    {IDS_PROGRESS_KOREAN, IDS_TITLE_KOREAN, IDS_HINT_KOREAN, IDS_FINISH_KOREAN, IDS_BACK_KOREAN, IDS_CANCEL_KOREAN},
    {IDS_PROGRESS_DUTCH, IDS_TITLE_DUTCH, IDS_HINT_DUTCH, IDS_FINISH_DUTCH, IDS_BACK_DUTCH, IDS_CANCEL_DUTCH},
    {IDS_PROGRESS_NORWEGIAN, IDS_TITLE_NORWEGIAN, IDS_HINT_NORWEGIAN, IDS_FINISH_NORWEGIAN, IDS_BACK_NORWEGIAN,
     IDS_CANCEL_NORWEGIAN},
    {IDS_PROGRESS_POLISH, IDS_TITLE_POLISH, IDS_HINT_POLISH, IDS_FINISH_POLISH, IDS_BACK_POLISH, IDS_CANCEL_POLISH},
    {IDS_PROGRESS_PORTUGUESE, IDS_TITLE_PORTUGUESE, IDS_HINT_PORTUGUESE, IDS_FINISH_PORTUGUESE,
     IDS_BACK_PORTUGUESE, IDS_CANCEL_PORTUGUESE},
    {IDS_PROGRESS_ROMANIAN, IDS_TITLE_ROMANIAN, IDS_HINT_ROMANIAN, IDS_FINISH_ROMANIAN, IDS_BACK_ROMANIAN,
     IDS_CANCEL_ROMANIAN},
    {IDS_PROGRESS_RUSSIAN, IDS_TITLE_RUSSIAN, IDS_HINT_RUSSIAN, IDS_FINISH_RUSSIAN, IDS_BACK_RUSSIAN,
     IDS_CANCEL_RUSSIAN},
    {IDS_PROGRESS_SWEDISH, IDS_TITLE_SWEDISH, IDS_HINT_SWEDISH, IDS_FINISH_SWEDISH, IDS_BACK_SWEDISH,
     IDS_CANCEL_SWEDISH},
    {IDS_PROGRESS_TURKISH, IDS_TITLE_TURKISH, IDS_HINT_TURKISH, IDS_FINISH_TURKISH, IDS_BACK_TURKISH,
     IDS_CANCEL_TURKISH},
    {IDS_PROGRESS_DEFAULT, IDS_TITLE_DEFAULT, IDS_HINT_DEFAULT, IDS_FINISH_DEFAULT, IDS_BACK_DEFAULT,
     IDS_CANCEL_DEFAULT},
};

std::uint16_t PrimaryLanguage(std::uint16_t languageId) {
    return static_cast<std::uint16_t>(languageId & kPrimaryLanguageMask);
}

}  // namespace

bool TextRowNeedsLocale(std::uint16_t languageId) {
    return PrimaryLanguage(languageId) == kLangChinese;
}

TextRow ChooseTextRow(std::uint16_t languageId, std::uint32_t userLocale) {
    std::uint16_t primary = PrimaryLanguage(languageId);
    if (primary == kLangChinese) {
        // Taiwan and Hong Kong SAR write the traditional characters.
        return userLocale == 0x0404 || userLocale == 0x0C04 ? kRowChineseTraditional : kRowChineseSimplified;
    }
    for (const LanguageRow& entry : kLanguageRows) {
        if (entry.primaryLanguage == primary) return entry.row;
    }
    return kRowDefault;
}

int TextId(TextRow row, TextKind kind) {
    if (row < 0 || row >= kTextRowCount) row = kRowDefault;
    if (kind < kProgressText || kind > kCancelLabel) return 0;
    return kTextIds[row][kind];
}

bool UsesRightToLeftTemplates(std::uint16_t languageId) {
    return PrimaryLanguage(languageId) == kLangArabic;
}

void FormatProgressLine(wchar_t* buffer, std::size_t capacity, const wchar_t* format, const wchar_t* title) {
    TextBuffer line(buffer, capacity);
    const wchar_t* slot = FindText(format, L"%s");
    if (slot == nullptr) {
        line.Append(format);
        return;
    }
    line.Append(format, static_cast<std::size_t>(slot - format));
    if (title != nullptr) line.Append(title);
    line.Append(slot + 2);
}
