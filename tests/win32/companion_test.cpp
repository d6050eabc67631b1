// The companion's properties decision read from the real registry: what the
// 128-character buffer makes of values that do not fit, and of other types.
#include "postinstall/companion.h"

#include <gtest/gtest.h>

#include <string>

#include "e2e/postinstall_support.h"

namespace {

using postinstall::kCompanionKey;

class CompanionProperties : public ::testing::Test {
protected:
    void SetUp() override { postinstall::DeletePackageKeys(); }
    void TearDown() override { postinstall::DeletePackageKeys(); }

    // The properties text, or "(none)" when the function declines.
    static std::wstring Build() {
        wchar_t properties[kCompanionPropertiesCapacity];
        for (wchar_t& c : properties) c = L'#';
        properties[kCompanionPropertiesCapacity - 1] = L'\0';
        if (BuildCompanionProperties(properties)) return properties;
        EXPECT_EQ(std::wstring(kCompanionPropertiesCapacity - 1, L'#'), properties) << "left as it was";
        return L"(none)";
    }

    // Wine's REG_SZ reads want room for a terminator; binary data is
    // handed over as stored, as Windows hands over an unterminated string.
    static void SetRawText(const wchar_t* name, const std::wstring& text, bool terminated) {
        DWORD size = static_cast<DWORD>((text.size() + (terminated ? 1 : 0)) * sizeof(wchar_t));
        ASSERT_TRUE(postinstall::SetRaw(kCompanionKey, name, terminated ? REG_SZ : REG_BINARY, text.c_str(), size));
    }
};

const wchar_t kGiven[] = L"UI_INSTALL=YES SHORTCUT=YES";

TEST_F(CompanionProperties, NoCompanionKeyGivesNone) {
    EXPECT_EQ(L"(none)", Build());
}

TEST_F(CompanionProperties, OldVersionOrInterfaceInstallGivesThem) {
    ASSERT_TRUE(postinstall::SetText(kCompanionKey, L"Version", L"2.5.1"));
    EXPECT_EQ(kGiven, Build());
    ASSERT_TRUE(postinstall::SetText(kCompanionKey, L"Version", L"10.0"));
    EXPECT_EQ(L"(none)", Build());
    ASSERT_TRUE(postinstall::SetText(kCompanionKey, L"UIInstall", L"yEs"));
    EXPECT_EQ(kGiven, Build());
}

// A value that leaves no room for its terminator in 128 characters reads as
// empty: its first characters alone would say "old".
TEST_F(CompanionProperties, AVersionThatDoesNotFitReadsAsEmpty) {
    const struct {
        size_t length;
        bool terminated;
        const wchar_t* expected;
    } rows[] = {
        {127, true, kGiven},
        {127, false, kGiven},
        {128, false, L"(none)"},
        {128, true, L"(none)"},
        {400, true, L"(none)"},
    };
    for (const auto& row : rows) {
        std::wstring version = L"2." + std::wstring(row.length - 2, L'7');
        SetRawText(L"Version", version, row.terminated);
        EXPECT_EQ(row.expected, Build()) << row.length << (row.terminated ? " terminated" : " unterminated");
    }
}

TEST_F(CompanionProperties, TheValueTypeIsNotExamined) {
    DWORD two = 2;  // as text: U+0002, no digits, so major version 0
    ASSERT_TRUE(postinstall::SetRaw(kCompanionKey, L"Version", REG_DWORD, &two, sizeof(two)));
    EXPECT_EQ(kGiven, Build());
    ASSERT_TRUE(postinstall::SetText(kCompanionKey, L"Version", L"4"));
    ASSERT_TRUE(postinstall::SetRaw(kCompanionKey, L"UIInstall", REG_BINARY, L"YeS", 6));
    EXPECT_EQ(kGiven, Build());
}

}  // namespace
