// The four probes against the Wine they run on: its Windows version (also
// per program), the .NET 2.0 key written here, Wine's own Msi.dll and the
// same file with other version numbers stamped into it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/late_bound.h"
#include "e2e/prereq_support.h"
#include "install/probes.h"
#include "install/version_rules.h"

namespace {

const char kChildSwitch[] = "--answer-probes";

struct VersionQuery {
    unsigned major, minor;
};
const VersionQuery kQueries[] = {{5, 1}, {5, 2}, {6, 0}, {6, 1}, {6, 2}, {10, 0}};
const int kVersionBits = 0x3F;
const int kMsiBit = 0x40;

// The probes' answers in this process: one bit per query of kQueries, then
// the Windows Installer probe.
int AnswerProbes() {
    int bits = 0;
    for (size_t i = 0; i < sizeof(kQueries) / sizeof(kQueries[0]); ++i) {
        if (IsWindowsVersionAtLeast(kQueries[i].major, kQueries[i].minor)) bits |= 1 << i;
    }
    if (IsMsiVersionSufficient()) bits |= kMsiBit;
    return bits;
}

std::wstring OwnPath() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(NULL, path, MAX_PATH);
    return path;
}

std::wstring OwnName() {
    std::wstring path = OwnPath();
    return path.substr(path.find_last_of(L'\\') + 1);
}

// This program started afresh, so that Wine applies its per-program
// settings, answering the probes.
int AnswerProbesInChild() {
    std::string childSwitch(kChildSwitch);
    std::wstring commandLine = L"\"" + OwnPath() + L"\" " + std::wstring(childSwitch.begin(), childSwitch.end());
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(NULL, &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &info)) return -1;
    WaitForSingleObject(info.hProcess, INFINITE);
    DWORD code = 0xFFFFFFFF;
    GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return static_cast<int>(code);
}

// The version as this program is told it, which is what VerifyVersionInfoW
// compares with.
OSVERSIONINFOW RunningVersion() {
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    GetVersionExW(&version);
    return version;
}

TEST(IsWindowsVersionAtLeast, ComparesMajorAndMinorWithTheRunningVersion) {
    OSVERSIONINFOW running = RunningVersion();
    ASSERT_GE(running.dwMajorVersion, 5u);
    unsigned major = running.dwMajorVersion;
    unsigned minor = running.dwMinorVersion;
    EXPECT_TRUE(IsWindowsVersionAtLeast(major, minor));
    EXPECT_TRUE(IsWindowsVersionAtLeast(major, 0));
    EXPECT_TRUE(IsWindowsVersionAtLeast(major - 1, 99));
    EXPECT_FALSE(IsWindowsVersionAtLeast(major, minor + 1));
    EXPECT_FALSE(IsWindowsVersionAtLeast(major + 1, 0));
}

TEST(IsWindowsVersionAtLeast, FollowsWinesPerProgramVersion) {
    // Bits in the order of kQueries: 5.1, 5.2, 6.0, 6.1, 6.2, 10.0.
    const struct {
        const wchar_t* setting;
        int answers;
    } rows[] = {
        {L"winxp64", 0x03},  // 5.2: neither (6, 0) nor (6, 2)
        {L"vista", 0x07},    // 6.0
        {L"win7", 0x0F},     // 6.1: (6, 0) holds, (6, 2) fails
        {L"win8", 0x1F},     // 6.2
        // A program whose manifest has no compatibility section (this one
        // has no manifest, Setup.exe's lacks the section) is told 6.2 on
        // Windows 10, as on Windows itself: (6, 2) still holds.
        {L"win10", 0x1F},
    };
    for (const auto& row : rows) {
        prereq::WindowsVersionSetting setting(OwnName(), row.setting);
        ASSERT_TRUE(setting.Applied());
        EXPECT_EQ(row.answers, AnswerProbesInChild() & kVersionBits)
            << "Wine version setting " << testing::PrintToString(std::wstring(row.setting));
    }
}

TEST(IsRunningUnderWow64, IsFalseForANativeProcess) {
    // The x86_64 twin under wine64 is native; the shipped i686 program in a
    // 64-bit prefix would be the WOW64 case.
    BOOL wow64 = TRUE;
    ASSERT_TRUE(IsWow64Process(GetCurrentProcess(), &wow64));
    EXPECT_FALSE(wow64);
    EXPECT_FALSE(IsRunningUnderWow64());
}

class DotNetProbe : public ::testing::Test {
protected:
    prereq::DotNetKey key_;  // absent at the start, the original back at the end
};

TEST_F(DotNetProbe, ReadsTheInstallValueAsFourBytes) {
    EXPECT_FALSE(IsDotNet20Installed()) << "key absent";
    ASSERT_TRUE(key_.CreateEmpty());
    EXPECT_FALSE(IsDotNet20Installed()) << "key without Install";

    const DWORD qword[2] = {1, 0};
    const BYTE binaryOne[4] = {1, 0, 0, 0};
    const BYTE wideOne[] = {'1', 0, 0, 0};  // "1" with its terminator: 4 bytes, any type
    const struct {
        DWORD type;
        const void* data;
        DWORD size;
        bool installed;
    } rows[] = {
        {REG_DWORD, binaryOne, 4, true},
        {REG_BINARY, "\x02\x00\x00\x00", 4, true},
        {REG_DWORD, "\x00\x00\x00\x00", 4, false},
        {REG_QWORD, qword, 8, false},  // does not fit into 4 bytes
        {REG_BINARY, binaryOne, 4, true},
        {REG_SZ, wideOne, 4, true},
    };
    for (const auto& row : rows) {
        ASSERT_TRUE(key_.SetValue(row.type, row.data, row.size));
        EXPECT_EQ(row.installed, IsDotNet20Installed()) << "row " << (&row - rows);
    }
    ASSERT_TRUE(key_.Remove());
    EXPECT_FALSE(IsDotNet20Installed()) << "key removed again";
}

prereq::MsiVersion PlatformFileVersion(const std::wstring& path) {
    prereq::MsiVersion version = {0, 0, 0, 0};
    DWORD handle = 0;
    DWORD size = LateGetFileVersionInfoSize(path.c_str(), &handle);
    if (size == 0) return version;
    std::string data(size, '\0');
    VS_FIXEDFILEINFO* info = NULL;
    UINT length = 0;
    if (LateGetFileVersionInfo(path.c_str(), handle, size, &data[0]) &&
        LateVerQueryValue(data.data(), L"\\", reinterpret_cast<void**>(&info), &length) && info != NULL) {
        version = {HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS), HIWORD(info->dwFileVersionLS),
                   LOWORD(info->dwFileVersionLS)};
    }
    return version;
}

bool operator==(const prereq::MsiVersion& a, const prereq::MsiVersion& b) {
    return a.major == b.major && a.minor == b.minor && a.build == b.build && a.revision == b.revision;
}

class MsiProbe : public ::testing::Test {
protected:
    bool ChildSufficient() { return (AnswerProbesInChild() & kMsiBit) != 0; }

    prereq::MsiDllVersion msi_;  // Wine's own file back at the end
};

TEST_F(MsiProbe, AnswersForWinesOwnMsiDll) {
    prereq::MsiVersion own = msi_.Original();
    ASSERT_NE(0, own.major) << "no version resource found in Wine's msi.dll";
    EXPECT_TRUE(PlatformFileVersion(prereq::SystemMsiDll()) == own);
    FileVersion version = {own.major, own.minor, own.build, own.revision};
    EXPECT_TRUE(IsMsiVersionEnough(version)) << "Wine 8 ships a later Windows Installer";
    EXPECT_TRUE(IsMsiVersionSufficient());
    prereq::MsiDllFromDisk fromDisk(OwnName());
    EXPECT_TRUE(ChildSufficient());
}

TEST_F(MsiProbe, ReadsTheSystemFileAfreshAtEveryCall) {
    prereq::MsiDllFromDisk fromDisk(OwnName());
    ASSERT_TRUE(fromDisk.Applied());
    const struct {
        prereq::MsiVersion version;
        bool sufficient;
    } rows[] = {
        {{3, 1, 4000, 2435}, true},  {{3, 1, 4000, 2434}, false}, {{3, 1, 3999, 9999}, false},
        {{3, 0, 9999, 9999}, false}, {{3, 1, 4001, 0}, true},     {{3, 2, 0, 0}, true},
        {{4, 0, 0, 0}, true},        {{2, 99, 9999, 9999}, false},
    };
    for (const auto& row : rows) {
        ASSERT_TRUE(msi_.Set(row.version));
        EXPECT_EQ(row.sufficient, ChildSufficient()) << "row " << (&row - rows);
    }
    ASSERT_TRUE(msi_.Restore());
    EXPECT_TRUE(ChildSufficient());
}

TEST_F(MsiProbe, MissingFileOrVersionResourceIsNotSufficient) {
    prereq::MsiDllFromDisk fromDisk(OwnName());
    std::wstring path = prereq::SystemMsiDll();
    ASSERT_TRUE(prereq::WriteWholeFile(path, "not a program"));
    EXPECT_FALSE(ChildSufficient());
    ASSERT_TRUE(DeleteFileW(path.c_str()));
    EXPECT_FALSE(ChildSufficient());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == kChildSwitch) return AnswerProbes();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
