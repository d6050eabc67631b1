// Setup.ini through the platform's profile functions: both encodings the
// platform reads, the section chosen by the WOW64 flag, defaults and cuts.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "driver/setup_ini.h"

namespace {

class SetupIni : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        dir_ = std::wstring(temp) + L"setup_ini_test";
        CreateDirectoryW(dir_.c_str(), NULL);
        path_ = dir_ + L"\\Setup.ini";
        DeleteFileW(path_.c_str());
    }
    void TearDown() override {
        DeleteFileW(path_.c_str());
        RemoveDirectoryW(dir_.c_str());
    }

    void WriteBytes(const std::string& bytes) {
        HANDLE file = CreateFileW(path_.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        ASSERT_NE(INVALID_HANDLE_VALUE, file);
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, NULL);
        CloseHandle(file);
    }
    void WriteAnsi(const std::string& text) { WriteBytes(text); }
    void WriteUtf16(const std::wstring& text) {
        std::string bytes("\xFF\xFE", 2);
        for (wchar_t c : text) {
            bytes.push_back(static_cast<char>(c & 0xFF));
            bytes.push_back(static_cast<char>((c >> 8) & 0xFF));
        }
        WriteBytes(bytes);
    }

    std::wstring Redist(bool wow64, const wchar_t* key, size_t capacity = kIniValueCapacity) {
        std::wstring value(capacity + 8, L'#');
        ReadRedistString(path_.c_str(), wow64, key, &value[0], capacity);
        return value.c_str();
    }
    std::wstring Job(const wchar_t* key) {
        wchar_t value[kJobEntryCapacity];
        ReadJobSettingsString(path_.c_str(), key, value, kJobEntryCapacity);
        return value;
    }

    std::wstring dir_;
    std::wstring path_;
};

const char kBothSections[] =
    "; sample medium\r\n"
    "[Redist]\r\n"
    "Module1=Prereq\\msi31.exe\r\n"
    "Cmd1=/quiet /norestart\r\n"
    "Title1=Windows Installer 3.1\r\n"
    "DotNetRuntime=Prereq\\dotnetfx.exe\r\n"
    "Module2=Prereq\\runtime.exe\r\n"
    "\r\n"
    "[Redist.x64]\r\n"
    "Module1=Prereq64\\msi31-x64.exe\r\n"
    "Cmd1=/q\r\n"
    "Title1=Windows Installer 3.1 (x64)\r\n"
    "DotNetRuntime=Prereq64\\dotnetfx64.exe\r\n"
    "\r\n"
    "[JobSettings]\r\n"
    "AllUsers=-1\r\n"
    "count=2\r\n"
    "0=Jobs\\Scan to PDF.qjx\r\n"
    "1=Jobs\\Mail.qjx\r\n";

TEST_F(SetupIni, TheWow64FlagChoosesTheSection) {
    EXPECT_STREQ(L"Redist", RedistSectionName(false));
    EXPECT_STREQ(L"Redist.x64", RedistSectionName(true));

    WriteAnsi(kBothSections);
    const struct {
        bool wow64;
        const wchar_t* key;
        const wchar_t* value;
    } rows[] = {
        {false, L"Module1", L"Prereq\\msi31.exe"},
        {false, L"Cmd1", L"/quiet /norestart"},
        {false, L"Title1", L"Windows Installer 3.1"},
        {false, L"DotNetRuntime", L"Prereq\\dotnetfx.exe"},
        {false, L"Module2", L"Prereq\\runtime.exe"},
        {false, L"Cmd2", L""},
        {true, L"Module1", L"Prereq64\\msi31-x64.exe"},
        {true, L"Cmd1", L"/q"},
        {true, L"Title1", L"Windows Installer 3.1 (x64)"},
        {true, L"DotNetRuntime", L"Prereq64\\dotnetfx64.exe"},
        // No fallback: only [Redist] names module 2.
        {true, L"Module2", L""},
        // Names are case-insensitive, as the profile functions make them.
        {false, L"MODULE1", L"Prereq\\msi31.exe"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.value, Redist(row.wow64, row.key)) << (row.wow64 ? "x64 " : "") << "row " << (&row - rows);
    }
}

TEST_F(SetupIni, NoFallbackBetweenTheSections) {
    WriteAnsi("[Redist]\r\nModule1=a.exe\r\nDotNetRuntime=n.exe\r\n");
    EXPECT_EQ(L"a.exe", Redist(false, L"Module1"));
    EXPECT_EQ(L"", Redist(true, L"Module1"));
    EXPECT_EQ(L"", Redist(true, L"DotNetRuntime"));

    WriteAnsi("[Redist.x64]\r\nModule1=a64.exe\r\n");
    EXPECT_EQ(L"", Redist(false, L"Module1"));
    EXPECT_EQ(L"a64.exe", Redist(true, L"Module1"));
}

TEST_F(SetupIni, ReadsUtf16WithByteOrderMark) {
    std::wstring title = L"Windows Installer 3.1 \x00C9\x0434\x4E2D\x6587";
    WriteUtf16(L"[Redist]\r\nModule1=Pr\x00E9requis\\msi31.exe\r\nTitle1=" + title +
               L"\r\n[JobSettings]\r\ncount=1\r\n0=Auftr\x00E4ge\\Scan.qjx\r\n");
    EXPECT_EQ(L"Pr\x00E9requis\\msi31.exe", Redist(false, L"Module1"));
    EXPECT_EQ(title, Redist(false, L"Title1"));
    EXPECT_EQ(1, ReadJobSettingsInt(path_.c_str(), L"count"));
    EXPECT_EQ(L"Auftr\x00E4ge\\Scan.qjx", Job(L"0"));
}

TEST_F(SetupIni, MissingFileSectionOrKeyReadsTheDefault) {
    // No file at all.
    EXPECT_EQ(L"", Redist(false, L"Module1"));
    EXPECT_EQ(0, ReadJobSettingsInt(path_.c_str(), L"count"));
    EXPECT_EQ(L"", Job(L"0"));

    WriteAnsi("[Other]\r\nModule1=x.exe\r\ncount=3\r\n");
    EXPECT_EQ(L"", Redist(false, L"Module1"));
    EXPECT_EQ(0, ReadJobSettingsInt(path_.c_str(), L"count"));

    WriteAnsi(kBothSections);
    EXPECT_EQ(L"", Redist(false, L"Title2"));
    EXPECT_EQ(L"", Redist(false, L"Module3"));
    EXPECT_EQ(L"", Job(L"2"));
}

TEST_F(SetupIni, JobSettingsIntegersAndEntries) {
    WriteAnsi(kBothSections);
    EXPECT_EQ(-1, ReadJobSettingsInt(path_.c_str(), L"AllUsers"));
    EXPECT_EQ(2, ReadJobSettingsInt(path_.c_str(), L"count"));
    EXPECT_EQ(L"Jobs\\Scan to PDF.qjx", Job(L"0"));
    EXPECT_EQ(L"Jobs\\Mail.qjx", Job(L"1"));

    WriteAnsi("[JobSettings]\r\ncount=-3\r\nAllUsers=abc\r\n");
    EXPECT_EQ(-3, ReadJobSettingsInt(path_.c_str(), L"count"));
    EXPECT_EQ(0, ReadJobSettingsInt(path_.c_str(), L"AllUsers"));
}

TEST_F(SetupIni, TheProfileFunctionCutsLongValues) {
    std::string longTitle(600, 't');
    std::string longJob(300, 'j');
    WriteAnsi("[Redist]\r\nTitle1=" + longTitle + "\r\n[JobSettings]\r\n0=" + longJob + "\r\n");
    EXPECT_EQ(std::wstring(511, L't'), Redist(false, L"Title1"));
    EXPECT_EQ(std::wstring(259, L'j'), Job(L"0"));

    std::string exact(511, 'e');
    WriteAnsi("[Redist]\r\nCmd1=" + exact + "\r\n");
    EXPECT_EQ(std::wstring(511, L'e'), Redist(false, L"Cmd1"));
}

TEST(BuildNumberedKey, WritesTheNumberInDecimal) {
    wchar_t key[kModuleKeyCapacity];
    ASSERT_TRUE(BuildNumberedKey(L"Module", 1, key, kModuleKeyCapacity));
    EXPECT_STREQ(L"Module1", key);
    ASSERT_TRUE(BuildNumberedKey(L"Title", 2, key, kModuleKeyCapacity));
    EXPECT_STREQ(L"Title2", key);
    ASSERT_TRUE(BuildNumberedKey(L"", 0, key, kJobKeyCapacity));
    EXPECT_STREQ(L"0", key);
    ASSERT_TRUE(BuildNumberedKey(L"", 12, key, kJobKeyCapacity));
    EXPECT_STREQ(L"12", key);
    EXPECT_FALSE(BuildNumberedKey(L"Module", 10, key, 8));
    EXPECT_STREQ(L"", key);
}

TEST(BuildSetupIniPath, RefusesAPathThatWouldNotFit) {
    wchar_t path[32];
    ASSERT_TRUE(BuildSetupIniPath(L"C:\\Disc", path, 32));
    EXPECT_STREQ(L"C:\\Disc\\Setup.ini", path);
    std::wstring fits(31 - 10, L'd');
    ASSERT_TRUE(BuildSetupIniPath(fits.c_str(), path, 32));
    EXPECT_EQ(fits + L"\\Setup.ini", path);
    EXPECT_FALSE(BuildSetupIniPath((fits + L"d").c_str(), path, 32));
    EXPECT_STREQ(L"", path);
}

}  // namespace
