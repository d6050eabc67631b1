// Which string-table entry the dialogs show, from the user's language, and
// the progress line built from its format. Standard library only.
#pragma once

#include <cstddef>
#include <cstdint>

enum TextKind {
    kProgressText,
    kCompletionTitle,
    kFinishHint,
    kFinishLabel,
    kBackLabel,
    kCancelLabel,
};

// Rows of the id table: twenty languages (Chinese twice) and the default.
enum TextRow {
    kRowArabic,
    kRowChineseTraditional,
    kRowChineseSimplified,
    kRowCzech,
    kRowDanish,
    kRowGerman,
    kRowSpanish,
    kRowFinnish,
    kRowFrench,
    kRowHungarian,
    kRowItalian,
    kRowJapanese,
    kRowKorean,
    kRowDutch,
    kRowNorwegian,
    kRowPolish,
    kRowPortuguese,
    kRowRomanian,
    kRowRussian,
    kRowSwedish,
    kRowTurkish,
    kRowDefault,
    kTextRowCount
};

// Only Chinese needs the user locale to pick its row.
bool TextRowNeedsLocale(std::uint16_t languageId);
// languageId: the user's LANGID; userLocale: the user's LCID (read only
// where TextRowNeedsLocale says so).
TextRow ChooseTextRow(std::uint16_t languageId, std::uint32_t userLocale);
int TextId(TextRow row, TextKind kind);

// Arabic alone gets the mirrored templates.
bool UsesRightToLeftTemplates(std::uint16_t languageId);

// The format with its first "%s" replaced by title, everything else kept
// as it stands. A result longer than capacity - 1 characters is cut there.
void FormatProgressLine(wchar_t* buffer, std::size_t capacity, const wchar_t* format, const wchar_t* title);
