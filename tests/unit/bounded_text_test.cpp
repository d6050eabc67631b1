#include "common/bounded_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

TEST(TextBuffer, CutsAtCapacityAndSaysSo) {
    wchar_t buffer[6];
    TextBuffer text(buffer, 6);
    text.Append(L"abc").Append(L"de");
    EXPECT_FALSE(text.IsCut());
    EXPECT_EQ(std::wstring(L"abcde"), buffer);
    text.Append(L"f");
    EXPECT_TRUE(text.IsCut());
    EXPECT_EQ(std::wstring(L"abcde"), buffer);
    EXPECT_EQ(5u, text.Length());
}

TEST(TextBuffer, ContinueGoesOnFromTheTextInTheBuffer) {
    wchar_t buffer[8] = L"ab";
    TextBuffer::Continue(buffer, 8).Append(L"cd");
    EXPECT_EQ(std::wstring(L"abcd"), buffer);
    EXPECT_TRUE(TextBuffer::Continue(buffer, 8).Append(L"efgh").IsCut());
    EXPECT_EQ(std::wstring(L"abcdefg"), buffer);
}

TEST(TextBuffer, ZeroCapacityHoldsNothing) {
    wchar_t untouched = L'x';
    TextBuffer text(&untouched, 0);
    text.Append(L"a");
    EXPECT_TRUE(text.IsCut());
    EXPECT_EQ(L'x', untouched);
}

TEST(TextBuffer, DecimalIsWrittenLikePercentD) {
    const struct {
        int value;
        const wchar_t* text;
    } cases[] = {{0, L"0"}, {7, L"7"}, {-1, L"-1"}, {2147483647, L"2147483647"}, {INT_MIN, L"-2147483648"}};
    for (const auto& c : cases) {
        wchar_t buffer[32];
        TextBuffer(buffer, 32).AppendDecimal(c.value);
        EXPECT_EQ(std::wstring(c.text), buffer);
    }
}

TEST(CopyWhole, RefusesWhatDoesNotFit) {
    wchar_t buffer[4] = L"old";
    EXPECT_FALSE(CopyWhole(buffer, 4, L"abcd"));
    EXPECT_EQ(std::wstring(), buffer);
    EXPECT_TRUE(CopyWhole(buffer, 4, L"abc"));
    EXPECT_EQ(std::wstring(L"abc"), buffer);
}

TEST(FindText, IsACaseSensitiveSubstringSearch) {
    const wchar_t* text = L"one /Two /two";
    EXPECT_EQ(text + 9, FindText(text, L"/two"));
    EXPECT_EQ(nullptr, FindText(text, L"/TWO"));
    EXPECT_EQ(nullptr, FindText(L"", L"a"));
}

}  // namespace
