#include "install/prereq_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

const std::wstring kRefused = L"<refused>";

std::wstring Module(const std::wstring& directory, const std::wstring& module, const std::wstring& arguments,
                    size_t capacity = kModuleBufferCapacity) {
    wchar_t line[kModuleBufferCapacity + 1];
    std::fill(line, line + kModuleBufferCapacity + 1, L'#');
    if (!BuildModuleCommandLine(directory.c_str(), module.c_str(), arguments.c_str(), line, capacity)) {
        // A refused line leaves nothing that could be started.
        for (size_t i = 0; i < capacity; ++i) EXPECT_EQ(L'\0', line[i]) << i;
        return kRefused;
    }
    return line;
}

std::wstring DotNet(const std::wstring& directory, const std::wstring& installer,
                    size_t capacity = kDotNetBufferCapacity) {
    wchar_t line[kDotNetBufferCapacity];
    if (!BuildDotNetCommandLine(directory.c_str(), installer.c_str(), line, capacity)) {
        for (size_t i = 0; i < capacity; ++i) EXPECT_EQ(L'\0', line[i]) << i;
        return kRefused;
    }
    return line;
}

TEST(BuildModuleCommandLine, QuotesTheFullPathAndAppendsTheArguments) {
    const struct {
        const wchar_t* module;
        const wchar_t* arguments;
        const wchar_t* line;
    } cases[] = {
        {L"Prereq\\msi31.exe", L"/quiet /norestart", L"\"D:\\Disc 1\\Prereq\\msi31.exe\" /quiet /norestart"},
        {L"Prereq\\msi31.exe", L"", L"\"D:\\Disc 1\\Prereq\\msi31.exe\" "},
        {L"My Folder\\a b.exe", L"\"quoted arg\"  x", L"\"D:\\Disc 1\\My Folder\\a b.exe\" \"quoted arg\"  x"},
        {L"", L"", L"\"D:\\Disc 1\\\" "},
    };
    for (const auto& c : cases) EXPECT_EQ(c.line, Module(L"D:\\Disc 1", c.module, c.arguments));
}

TEST(BuildModuleCommandLine, RefusesALineThatWouldNotFit) {
    // "\"" + D + "\\" + module + "\" " is 5 + module characters.
    std::wstring module(500, L'm');
    std::wstring arguments(1023 - 5 - module.size(), L'a');
    EXPECT_EQ(L"\"D\\" + module + L"\" " + arguments, Module(L"D", module, arguments));
    EXPECT_EQ(kRefused, Module(L"D", module, arguments + L"a"));
    EXPECT_EQ(kRefused, Module(std::wstring(1024, L'd'), L"m.exe", L""));
    EXPECT_EQ(kRefused, Module(L"D", L"m.exe", L"", 0));
}

TEST(BuildDotNetCommandLine, QuotesThePathAndAddsNothing) {
    EXPECT_EQ(L"\"C:\\Media\\Prereq\\dotnetfx.exe\"", DotNet(L"C:\\Media", L"Prereq\\dotnetfx.exe"));
    // Arguments written into the key stay inside the quotes.
    EXPECT_EQ(L"\"C:\\Media\\dotnetfx.exe /q\"", DotNet(L"C:\\Media", L"dotnetfx.exe /q"));
    EXPECT_EQ(L"\"C:\\Media\\\"", DotNet(L"C:\\Media", L""));
}

TEST(BuildDotNetCommandLine, RefusesALineThatWouldNotFit) {
    // "\"" + D + "\\" + installer + "\"" is 4 + installer characters.
    std::wstring installer(511 - 4, L'n');
    EXPECT_EQ(L"\"D\\" + installer + L"\"", DotNet(L"D", installer));
    EXPECT_EQ(kRefused, DotNet(L"D", installer + L"n"));
    EXPECT_EQ(kRefused, DotNet(std::wstring(509, L'd'), L"x"));
}

}  // namespace
