#include "ui/text_choice.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/expected_texts.h"

namespace {

// expected_texts.h lists six texts per language, in the order of TextKind,
// languages in this order.
enum ExpectedRow {
    kArabic, kChineseTraditional, kChineseSimplified, kCzech, kDanish, kGerman, kSpanish, kFinnish,
    kFrench, kHungarian, kItalian, kJapanese, kKorean, kDutch, kNorwegian, kPolish, kPortuguese,
    kRomanian, kRussian, kSwedish, kTurkish, kDefault, kExpectedRowCount
};
static_assert(sizeof(kExpectedTexts) / sizeof(kExpectedTexts[0]) == 6 * kExpectedRowCount, "six texts a row");

struct LocaleCase {
    std::uint16_t languageId;
    std::uint32_t userLocale;
    ExpectedRow row;
};

const LocaleCase kLocaleCases[] = {
    // One locale for each row.
    {0x0401, 0x0401, kArabic},
    {0x0404, 0x0404, kChineseTraditional},
    {0x0804, 0x0804, kChineseSimplified},
    {0x0405, 0x0405, kCzech},
    {0x0406, 0x0406, kDanish},
    {0x0407, 0x0407, kGerman},
    {0x0C0A, 0x0C0A, kSpanish},
    {0x040B, 0x040B, kFinnish},
    {0x040C, 0x040C, kFrench},
    {0x040E, 0x040E, kHungarian},
    {0x0410, 0x0410, kItalian},
    {0x0411, 0x0411, kJapanese},
    {0x0412, 0x0412, kKorean},
    {0x0413, 0x0413, kDutch},
    {0x0414, 0x0414, kNorwegian},
    {0x0415, 0x0415, kPolish},
    {0x0416, 0x0416, kPortuguese},
    {0x0418, 0x0418, kRomanian},
    {0x0419, 0x0419, kRussian},
    {0x041D, 0x041D, kSwedish},
    {0x041F, 0x041F, kTurkish},
    {0x0409, 0x0409, kDefault},
    // Every sublanguage takes its language's row.
    {0x0816, 0x0816, kPortuguese},
    {0x0814, 0x0814, kNorwegian},
    {0x0C01, 0x0C01, kArabic},
    {0x3801, 0x3801, kArabic},
    {0x080C, 0x080C, kFrench},
    {0x0C07, 0x0C07, kGerman},
    {0x080A, 0x080A, kSpanish},
    {0x081D, 0x081D, kSwedish},
    // Chinese: the user locale decides.
    {0x0C04, 0x0C04, kChineseTraditional},
    {0x1004, 0x1004, kChineseSimplified},
    {0x1404, 0x1404, kChineseSimplified},
    {0x0004, 0x0404, kChineseTraditional},
    {0x0404, 0x0804, kChineseSimplified},
    // Languages without texts of their own.
    {0x040D, 0x040D, kDefault},
    {0x0408, 0x0408, kDefault},
    {0x041E, 0x041E, kDefault},
    {0x0809, 0x0809, kDefault},
    {0x0402, 0x0402, kDefault},
    {0x0403, 0x0403, kDefault},
    {0x041B, 0x041B, kDefault},
    {0x041A, 0x041A, kDefault},
    {0x0C1A, 0x0C1A, kDefault},
    {0x0000, 0x0000, kDefault},
    {0x03FF, 0x03FF, kDefault},
};

const TextKind kKinds[] = {kProgressText, kCompletionTitle, kFinishHint, kFinishLabel, kBackLabel, kCancelLabel};

TEST(ChooseTextRow, EveryLocaleGetsItsLanguagesSixIds) {
    for (const LocaleCase& locale : kLocaleCases) {
        TextRow row = ChooseTextRow(locale.languageId, locale.userLocale);
        for (TextKind kind : kKinds) {
            EXPECT_EQ(kExpectedTexts[6 * locale.row + kind].id, TextId(row, kind))
                << std::hex << "language 0x" << locale.languageId << " locale 0x" << locale.userLocale
                << " kind " << kind;
        }
    }
}

TEST(ChooseTextRow, OnlyChineseAsksForTheUserLocale) {
    for (std::uint16_t languageId : {0x0404, 0x0804, 0x0C04, 0x1004, 0x1404, 0x0004}) {
        EXPECT_TRUE(TextRowNeedsLocale(languageId)) << std::hex << languageId;
    }
    for (std::uint16_t languageId : {0x0401, 0x0409, 0x040D, 0x0411, 0x0412, 0x0000}) {
        EXPECT_FALSE(TextRowNeedsLocale(languageId)) << std::hex << languageId;
    }
}

TEST(TextId, RowsCoverEachEntryOfTheTableOnce) {
    std::vector<int> seen;
    for (int row = 0; row < kTextRowCount; ++row) {
        for (TextKind kind : kKinds) seen.push_back(TextId(static_cast<TextRow>(row), kind));
    }
    ASSERT_EQ(132u, seen.size());
    for (size_t i = 0; i < seen.size(); ++i) EXPECT_EQ(kExpectedTexts[i].id, seen[i]) << i;
}

TEST(TextId, OutOfRangeRowFallsBackToTheDefaultRow) {
    EXPECT_EQ(1022, TextId(static_cast<TextRow>(-1), kCompletionTitle));
    EXPECT_EQ(104, TextId(kTextRowCount, kProgressText));
}

TEST(UsesRightToLeftTemplates, ArabicInEverySublanguageAndNothingElse) {
    for (std::uint16_t languageId : {0x0401, 0x0801, 0x0C01, 0x1401, 0x3801, 0x0001}) {
        EXPECT_TRUE(UsesRightToLeftTemplates(languageId)) << std::hex << languageId;
    }
    for (std::uint16_t languageId : {0x040D, 0x0429, 0x0420, 0x0409, 0x0404, 0x0000, 0x0402}) {
        EXPECT_FALSE(UsesRightToLeftTemplates(languageId)) << std::hex << languageId;
    }
}

const wchar_t kEnglishFormat[] = L"Please wait while Windows configures %s";

std::wstring Format(const wchar_t* format, const wchar_t* title, size_t capacity = 512) {
    std::vector<wchar_t> buffer(capacity + 1, L'#');
    FormatProgressLine(buffer.data(), capacity, format, title);
    EXPECT_EQ(L'#', buffer[capacity]) << "wrote past the buffer";
    return capacity == 0 ? std::wstring() : std::wstring(buffer.data());
}

TEST(FormatProgressLine, PutsTheTitleInPlaceOfTheOnePlaceholder) {
    EXPECT_EQ(L"Please wait while Windows configures Windows Installer",
              Format(kEnglishFormat, L"Windows Installer"));
    EXPECT_EQ(L"Please wait while Windows configures ", Format(kEnglishFormat, L""));
    EXPECT_EQ(L"Please wait while Windows configures ", Format(kEnglishFormat, nullptr));
    EXPECT_EQ(L"T\u00e4st\u6b63\uff0c", Format(L"%s\u6b63\uff0c", L"T\u00e4st"));
    EXPECT_EQ(L"%s is kept literally: 100%", Format(L"%s is kept literally: 100%", L"%s"));
    EXPECT_EQ(L"one A, then %s", Format(L"one %s, then %s", L"A"));
    EXPECT_EQ(L"no placeholder", Format(L"no placeholder", L"A"));
}

TEST(FormatProgressLine, KeepsEveryCharacterOfEachLanguagesFormat) {
    for (int row = 0; row < kExpectedRowCount; ++row) {
        std::wstring format = kExpectedTexts[6 * row].text;
        size_t slot = format.find(L"%s");
        ASSERT_NE(std::wstring::npos, slot) << row;
        ASSERT_EQ(std::wstring::npos, format.find(L'%', slot + 1)) << row;
        std::wstring expected = format.substr(0, slot) + L"Microsoft .NET" + format.substr(slot + 2);
        EXPECT_EQ(expected, Format(format.c_str(), L"Microsoft .NET")) << row;
    }
    EXPECT_EQ(std::wstring(L"\u200f\u200f"), Format(kExpectedTexts[0].text, L"x").substr(0, 2));
}

// Our choice for a line longer than the buffer: cut at 511 characters.
TEST(FormatProgressLine, CutsAnOverLongLineAtTheBufferWithoutWritingPastIt) {
    std::wstring title(510, L't');
    std::wstring line = Format(kEnglishFormat, title.c_str());
    ASSERT_EQ(511u, line.size());
    EXPECT_EQ(std::wstring(L"Please wait while Windows configures ") + std::wstring(511 - 37, L't'), line);

    std::wstring fits(511 - 37, L'f');
    EXPECT_EQ(std::wstring(L"Please wait while Windows configures ") + fits, Format(kEnglishFormat, fits.c_str()));

    // Text after the placeholder is cut as well.
    EXPECT_EQ(L"ab", Format(L"a%sbcdef", L"", 3));
    EXPECT_EQ(L"", Format(kEnglishFormat, L"x", 1));
    EXPECT_EQ(L"", Format(kEnglishFormat, L"x", 0));
}

}  // namespace
