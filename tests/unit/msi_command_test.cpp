#include "install/msi_command.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring Translated(const wchar_t* tail) {
    WideString text(tail);
    TranslateSwitches(text);
    return text.Text();
}

struct TranslationCase {
    const wchar_t* tail;
    const wchar_t* options;
};

const TranslationCase kTranslations[] = {
    {L"", L""},
    {L"/nola", L"/qb"},
    {L"/NOLA", L"/qb"},
    {L"-nola", L"/qb"},
    {L"-NOLA", L"/qb"},
    {L"/passive", L"/qb"},
    {L"/quiet", L"/qb"},
    {L"/NODISP", L"/qn"},
    {L"/qb", L"/qb"},
    {L"/qn", L"/qn"},
    {L"/nola /nola", L"/qb /nola"},
    {L"/NODISP /W32:123 /suppressTW", L"/qn   "},
    {L"/SUPPRESSTW /suppressTW", L"   "},
    {L"/W32:0x12 /l*v log.txt", L" /l*v log.txt"},
    {L"/l*v log.txt /W32:0x12", L"/l*v log.txt "},
    {L"/W32:123456789012345678901234567 /qn", L"/W32:123456789012345678901234567 /qn"},
    {L"/W32:12345678901234567890123456 /qn", L" /qn"},
    {L"/W32:1 /W32:2", L" /W32:2"},
    {L"TARGET=x/quietly", L"TARGET=x/qbly"},
    {L"/QUIET /Passive /q", L"/QUIET /Passive /q"},
    {L"/w32:5", L"/w32:5"},
    // Rows run in order on what the earlier rows left: "/no" + "la" only
    // forms a switch after the first replacement.
    {L"/quiet/nola", L"/qb/qb"},
};

TEST(TranslateSwitches, RewritesFirstOccurrencesInTableOrder) {
    for (const TranslationCase& c : kTranslations) {
        EXPECT_EQ(std::wstring(c.options), Translated(c.tail)) << "case " << (&c - kTranslations);
    }
}

TEST(ReplaceFirst, ReplacesTheGivenLengthAtTheFirstMatchOnly) {
    WideString text(L"abcabc");
    ReplaceFirst(text, L"bc", 2, L"XYZ");
    EXPECT_EQ(std::wstring(L"aXYZabc"), text.Text());
    ReplaceFirst(text, L"nothere", 7, L"-");
    EXPECT_EQ(std::wstring(L"aXYZabc"), text.Text());
}

std::wstring Build(const wchar_t* tail, const wchar_t* package, const wchar_t* extra, bool addBasicUi,
                   const wchar_t* directory = L"C:\\Media Disc") {
    wchar_t line[kMsiCommandCapacity];
    if (!BuildMsiCommandLine(tail, directory, package, extra, addBasicUi, line)) return L"<refused>";
    return line;
}

TEST(BuildMsiCommandLine, ConcatenatesThePiecesExactly) {
    EXPECT_EQ(L"msiexec.exe /i \"C:\\Media Disc\\MSI\\QLX.msi\" ", Build(L"", L"QLX.msi", nullptr, false));
    EXPECT_EQ(L"msiexec.exe /i \"C:\\Media Disc\\MSI\\OTW.msi\"  /qb UI_INSTALL=YES SHORTCUT=YES",
              Build(L"", L"OTW.msi", L"UI_INSTALL=YES SHORTCUT=YES", true));
    EXPECT_EQ(L"msiexec.exe /i \"C:\\Media Disc\\MSI\\OTW.msi\" /qb", Build(L"/quiet", L"OTW.msi", nullptr, true));
    EXPECT_EQ(L"msiexec.exe /i \"C:\\Media Disc\\MSI\\OTW.msi\" /qb", Build(L"/qb", L"OTW.msi", nullptr, true));
    EXPECT_EQ(L"msiexec.exe /i \"C:\\Media Disc\\MSI\\OTW.msi\" /qn  P=1",
              Build(L"/qn ", L"OTW.msi", L"P=1", true));
}

TEST(BuildMsiCommandLine, RefusesRatherThanCuts) {
    std::wstring longDirectory(2048 - 15, L'd');  // "\MSI\QLX.msi\" " no longer fits
    EXPECT_EQ(L"<refused>", Build(L"", L"QLX.msi", nullptr, false, longDirectory.c_str()));

    // The longest line that fits, then one character more.
    std::wstring prefix = L"msiexec.exe /i \"D\\MSI\\QLX.msi\" ";
    std::wstring fits(2047 - prefix.size(), L'p');
    EXPECT_EQ(prefix + fits, Build(fits.c_str(), L"QLX.msi", nullptr, false, L"D"));
    std::wstring tooLong = fits + L"p";
    EXPECT_EQ(L"<refused>", Build(tooLong.c_str(), L"QLX.msi", nullptr, false, L"D"));

    // A tail over the capacity that the rewrite shrinks back into it.
    std::wstring shrinking = std::wstring(L"/passive ") + std::wstring(2047 - prefix.size() - 4, L'p');
    EXPECT_NE(L"<refused>", Build(shrinking.c_str(), L"QLX.msi", nullptr, false, L"D"));

    // Extra properties count as well.
    std::wstring almost(2047 - prefix.size() - 1, L'p');
    EXPECT_EQ(L"<refused>", Build(almost.c_str(), L"QLX.msi", L"X=1", false, L"D"));
}

}  // namespace
