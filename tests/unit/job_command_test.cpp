#include "postinstall/job_command.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring Repeat(wchar_t c, size_t count) {
    return std::wstring(count, c);
}

TEST(BuildImportCommandLine, QuotesBothPathsOrRefusesWhole) {
    const struct {
        std::wstring product;
        std::wstring job;
        bool fits;
        std::wstring commandLine;
    } rows[] = {
        {L"C:\\Program Files\\Q\\Quillmark.exe", L"D:\\setup\\a.jxz", true,
         L"\"C:\\Program Files\\Q\\Quillmark.exe\" /ImportJob \"D:\\setup\\a.jxz\""},
        {L"", L"", true, L"\"\" /ImportJob \"\""},
        // 16 characters of quoting and switch: 1007 more fill 1023.
        {Repeat(L'p', 1000), Repeat(L'j', 7), true, L"\"" + Repeat(L'p', 1000) + L"\" /ImportJob \"" + Repeat(L'j', 7) + L"\""},
        {Repeat(L'p', 1000), Repeat(L'j', 8), false, L""},
        {Repeat(L'p', 2000), L"a", false, L""},
    };
    for (const auto& row : rows) {
        wchar_t commandLine[kImportCommandCapacity];
        EXPECT_EQ(row.fits, BuildImportCommandLine(row.product.c_str(), row.job.c_str(), commandLine));
        EXPECT_EQ(row.commandLine, commandLine);
    }
}

TEST(BuildJobPath, JoinsWithABackslashOrRefusesWhole) {
    const struct {
        std::wstring directory;
        std::wstring name;
        bool fits;
        std::wstring path;
    } rows[] = {
        {L"D:\\setup", L"jobs\\a.jxz", true, L"D:\\setup\\jobs\\a.jxz"},
        {L"D:\\setup", L"", true, L"D:\\setup\\"},
        {Repeat(L'd', 250), Repeat(L'n', 8), true, Repeat(L'd', 250) + L"\\" + Repeat(L'n', 8)},
        {Repeat(L'd', 250), Repeat(L'n', 9), false, L""},
        {Repeat(L'd', 511), L"a", false, L""},
    };
    for (const auto& row : rows) {
        wchar_t path[kJobPathCapacity];
        EXPECT_EQ(row.fits, BuildJobPath(row.directory.c_str(), row.name.c_str(), path));
        EXPECT_EQ(row.path, path);
    }
}

// The staging texts go on with what fits in 259 characters.
TEST(StagingTexts, AreCutTo259Characters) {
    std::wstring folder237 = Repeat(L'f', 237);
    std::wstring folder250 = Repeat(L'f', 250);
    std::wstring folder255 = Repeat(L'f', 255);
    wchar_t text[kJobPathCapacity];

    BuildRunValueData(L"C:\\Q", text);
    EXPECT_EQ(std::wstring(L"\"C:\\Q\\QLMJobDeployCmd.exe\""), text);
    BuildRunValueData(folder237.c_str(), text);  // 259 exactly
    EXPECT_EQ(L"\"" + folder237 + L"\\QLMJobDeployCmd.exe\"", text);
    BuildRunValueData((folder237 + L"g").c_str(), text);  // the closing quote goes first
    EXPECT_EQ(L"\"" + folder237 + L"g\\QLMJobDeployCmd.exe", text);
    BuildRunValueData(folder255.c_str(), text);
    EXPECT_EQ(L"\"" + folder255 + L"\\QL", text);

    BuildStagingFolder(L"C:\\Q", text);
    EXPECT_EQ(std::wstring(L"C:\\Q\\RunOnce"), text);
    BuildStagingFolder(folder255.c_str(), text);
    EXPECT_EQ(folder255 + L"\\Run", text);

    BuildStagedConfiguration(L"C:\\Q\\RunOnce", text);
    EXPECT_EQ(std::wstring(L"C:\\Q\\RunOnce\\Setup.ini"), text);
    BuildStagedConfiguration((folder255 + L"\\Run").c_str(), text);
    EXPECT_EQ(folder255 + L"\\Run", text);

    BuildStagingTarget(L"C:\\Q", L"a.jxz", text);
    EXPECT_EQ(std::wstring(L"C:\\Q\\RunOnce\\a.jxz"), text);
    BuildStagingTarget(folder255.c_str(), L"a.jxz", text);
    EXPECT_EQ(folder255 + L"\\Run", text);

    BuildStagingSource(L"D:\\setup", L"a.jxz", text);
    EXPECT_EQ(std::wstring(L"D:\\setup\\a.jxz"), text);
    BuildStagingSource(folder250.c_str(), Repeat(L'n', 20).c_str(), text);
    EXPECT_EQ(folder250 + L"\\" + Repeat(L'n', 8), text);
}

TEST(BuildJobKey, IsTheIndexInDecimal) {
    const struct {
        int index;
        const wchar_t* key;
    } rows[] = {{0, L"0"}, {1, L"1"}, {10, L"10"}, {2147483646, L"2147483646"}};
    for (const auto& row : rows) {
        wchar_t key[kJobIndexKeyCapacity];
        BuildJobKey(row.index, key);
        EXPECT_STREQ(row.key, key);
    }
}

}  // namespace
