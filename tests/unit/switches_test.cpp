#include "driver/switches.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

struct SilentCase {
    const wchar_t* tail;
    bool silent;
};

const SilentCase kSilentCases[] = {
    {L"", false},
    {L"/nola", true},
    {L"/NOLA", true},
    {L"-nola", true},
    {L"-NOLA", true},
    {L"/qb", true},
    {L"/qb-", true},
    {L"/qb!", true},
    {L"/qn+", true},
    {L"/passive", true},
    {L"/quiet", true},
    {L"/NODISP", true},
    {L"/qn", true},
    {L"PROP=a/qbc", true},
    {L"x/quietly", true},
    {L"/QUIET", false},
    {L"/QN", false},
    {L"/nodisp", false},
    {L"/Passive", false},
    {L"/q", false},
    {L"/Nola -Nola /QB", false},
    {L"/W32:0x10 /suppressTW /l*v log.txt", false},
};

TEST(IsSilentMode, FindsEveryQuietSwitchAsCaseSensitiveSubstring) {
    for (const SilentCase& c : kSilentCases) {
        EXPECT_EQ(c.silent, IsSilentMode(c.tail)) << std::wstring(c.tail).size() << " chars: case " << (&c - kSilentCases);
    }
}

struct HostCase {
    const wchar_t* tail;
    int32_t value;
};

const HostCase kHostCases[] = {
    {L"", 0},
    {L"/W32:132", 132},
    {L"/W32:0x84", 132},
    {L"/W32:0X84", 0},        // not the prefix; decimal stops at the X
    {L"/W32:0x", 0},          // too short to be hexadecimal, decimal "0"
    {L"/W32:", 0},
    {L"/W32: 132", 0},        // a blank ends the token
    {L"/W32:12ab", 12},
    {L"/W32:0x3F2", 0x3F2},
    {L"/W32:0x3f2", 0x3F2},
    {L"/qn /W32:77 /l*v x", 77},
    {L"/W32:5 /W32:6", 5},    // only the first counts
    {L"/w32:5", 0},
    {L"/W32:-5", -5},
    {L"/W32:+9", 9},
    {L"/W32:\t42", 42},       // a tab does not end the token; _wtoi skips it
    {L"/W32:0x7FFFFFFF", INT32_MAX},
    {L"/W32:0x80000000", INT32_MAX},
    {L"/W32:0xFFFFFFFFFF", INT32_MAX},
    {L"/W32:99999999999", INT32_MAX},
    {L"/W32:-99999999999", INT32_MIN},
    {L"/W32:2147483647", INT32_MAX},
    {L"/W32:-2147483648", INT32_MIN},
    {L"/W32:0xg1", 0},
    {L"/W32:12345678901234567890123456", INT32_MAX},   // 31 characters: used
    {L"/W32:123456789012345678901234567", 0},         // 32 characters: ignored
    {L"a/W32:15b", 15},
};

TEST(ParseHostWindowValue, FollowsTheCLibraryRulesClampedTo32Bits) {
    for (const HostCase& c : kHostCases) {
        EXPECT_EQ(c.value, ParseHostWindowValue(c.tail)) << "case " << (&c - kHostCases);
    }
}

TEST(IsLaunchSuppressed, KnowsOnlyTheTwoSpellings) {
    EXPECT_TRUE(IsLaunchSuppressed(L"/suppressTW"));
    EXPECT_TRUE(IsLaunchSuppressed(L"/qn /SUPPRESSTW"));
    EXPECT_TRUE(IsLaunchSuppressed(L"x/suppressTWy"));
    EXPECT_FALSE(IsLaunchSuppressed(L"/SuppressTW"));
    EXPECT_FALSE(IsLaunchSuppressed(L"/suppresstw"));
    EXPECT_FALSE(IsLaunchSuppressed(L""));
}

}  // namespace
