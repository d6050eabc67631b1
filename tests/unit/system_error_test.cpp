#include "postinstall/system_error_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring Hex(HexValue hex) {
    DiagnosticStream text;
    text << hex;
    return text.Text();
}

TEST(HexValue, WritesZeroPaddedDigitsAfterTheBase) {
    const struct {
        HexValue hex;
        const wchar_t* text;
    } rows[] = {
        {{5, 8, false}, L"0x00000005"},
        {{1300, 8, false}, L"0x00000514"},
        {{0x80070005u, 8, false}, L"0x80070005"},
        {{0xABCDEF12u, 8, false}, L"0xabcdef12"},
        {{0xABCDEF12u, 8, true}, L"0xABCDEF12"},
        {{0xFFFFFFFFu, 8, false}, L"0xffffffff"},
        {{0, 8, false}, L"0x00000000"},
        {{0x1Au, 3, true}, L"0x01A"},
        {{0x123456u, 2, false}, L"0x123456"},
        {{0, 0, false}, L"0x0"},
        {{7, -4, false}, L"0x7"},
        {{1, 12, false}, L"0x000000000001"},
    };
    for (const auto& row : rows) EXPECT_EQ(std::wstring(row.text), Hex(row.hex)) << row.text;
}

TEST(DiagnosticStream, ChainsTextUnsignedDecimalAndHexWithoutLineBreaks) {
    DiagnosticStream text;
    text << L"a " << 0u << L" " << 4294967295u << L" ";
    text << HexValue{255, 4, true} << L"b";
    text.Append(L"c");
    EXPECT_EQ(std::wstring(L"a 0 4294967295 0x00FFbc"), text.Text());
    EXPECT_EQ(23u, text.Length());
    EXPECT_FALSE(text.Failed());
}

TEST(FormatSystemError, FollowsTheSystemTextOrStandsAlone) {
    const struct {
        uint32_t code;
        const wchar_t* systemText;
        const wchar_t* text;
    } rows[] = {
        {5, L"Access is denied.\r\n", L"Access is denied.\r\n (Error # 5 = 0x00000005)"},
        {5, nullptr, L"Error # 5 (0x00000005)"},
        {1300, L"Not all privileges or groups referenced are assigned to the caller.\r\n",
         L"Not all privileges or groups referenced are assigned to the caller.\r\n (Error # 1300 = 0x00000514)"},
        {1300, nullptr, L"Error # 1300 (0x00000514)"},
        {536870913, nullptr, L"Error # 536870913 (0x20000001)"},
        {536870913, L"Custom", L"Custom (Error # 536870913 = 0x20000001)"},
        {0x80070005u, nullptr, L"Error # 2147942405 (0x80070005)"},
        {0x80070005u, L"Access is denied.", L"Access is denied. (Error # 2147942405 = 0x80070005)"},
        {2147483648u, nullptr, L"Error # 2147483648 (0x80000000)"},
        {0, L"", L" (Error # 0 = 0x00000000)"},
    };
    for (const auto& row : rows) {
        DiagnosticStream text;
        text << L"Can't get primary token:  ";
        FormatSystemError(text, row.code, row.systemText);
        EXPECT_EQ(L"Can't get primary token:  " + std::wstring(row.text), text.Text()) << row.code;
    }
}

TEST(DiagnosticStream, GrowsPastAnyFixedSize) {
    std::wstring big(5000, L'x');
    DiagnosticStream text;
    for (int i = 0; i < 4; ++i) text << big.c_str();
    text << 12u;
    EXPECT_EQ(20002u, text.Length());
    EXPECT_EQ(big + big + big + big + L"12", text.Text());
}

}  // namespace
