#include "postinstall/companion_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(NeedsCompanionProperties, OldMajorVersionOrUserInterfaceInstall) {
    const struct {
        const wchar_t* version;
        const wchar_t* uiInstall;
        bool needed;
    } rows[] = {
        {L"2.5.1", L"", true},
        {L"2.5.1", L"NO", true},
        {L"3.0", L"yes", true},
        {L"3.0", L"Yes", true},
        {L"3.0", L"yEs", true},
        {L"3.0", L"", false},
        {L"10.0", L"", false},  // missing and empty read alike
        {L"10.0", L"NO", false},
        {L"10.0", L"YES ", false},
        {L"10.0", L" YES", false},
        {L"10.0", L"YE", false},
        {L"10.0", L"YESS", false},
        {L"10.0", L"\xFF59\xFF45\xFF53", false},  // full-width letters are not upper-cased
        {L".2", L"", true},
        {L"..2.9", L"", true},
        {L"", L"", false},
        {L"", L"YES", true},
        {L"...", L"", false},
        {L"abc", L"", true},
        {L"3", L"", false},
        {L"2", L"", true},
        {L"2abc.7", L"", true},
        {L"3abc.1", L"", false},
        {L" 2.0", L"", true},
        {L"\t\r\n\v\f 7.0", L"", false},
        {L" .5", L"", true},  // the token is a blank: no digits, so 0
        {L"-5.0", L"", true},
        {L"+4", L"", false},
        {L"+2", L"", true},
        {L"- 4", L"", true},
        {L"+-4", L"", true},
        {L"2147483647", L"", false},
        {L"2147483648", L"", false},   // clamped, not wrapped negative
        {L"4294967298", L"", false},   // clamped, not wrapped to 2
        {L"99999999999999999999.1", L"", false},
        {L"-2147483649", L"", true},
        {L"-99999999999999999999", L"", true},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.needed, NeedsCompanionProperties(row.version, row.uiInstall))
            << "Version " << testing::PrintToString(row.version) << ", UIInstall "
            << testing::PrintToString(row.uiInstall);
    }
}

}  // namespace
