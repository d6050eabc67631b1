// The launch as the desktop user against the platform: the system's error
// texts, and a shell stand-in whose token the launch borrows.
#include "postinstall/desktop_launch.h"

#include <gtest/gtest.h>

#include <string>

#include "e2e/postinstall_support.h"

namespace {

std::wstring SystemText(DWORD code) {
    wchar_t* text = NULL;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM, NULL,
                   code, 0x0400, reinterpret_cast<LPWSTR>(&text), 0, NULL);
    std::wstring result = text != NULL ? text : L"";
    if (text != NULL) LocalFree(text);
    return result;
}

std::wstring ErrorText(DWORD code) {
    DiagnosticStream text;
    AppendSystemError(text, code);
    return text.Text();
}

std::wstring StubLog() {
    HANDLE file = CreateFileW(L"C:\\e2e\\stub.log", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) return std::wstring();
    wchar_t buffer[8192] = L"";
    DWORD read = 0;
    ReadFile(file, buffer, sizeof(buffer) - sizeof(wchar_t), &read, NULL);
    CloseHandle(file);
    return std::wstring(buffer, read / sizeof(wchar_t));
}

struct Launch {
    bool started = false;
    std::wstring diagnostics;
    PROCESS_INFORMATION info = {};

    explicit Launch(const std::wstring& commandLine) {
        wchar_t buffer[1024];
        wcsncpy(buffer, commandLine.c_str(), 1023);
        buffer[1023] = L'\0';
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        DiagnosticStream stream;
        started = LaunchAsDesktopUser(stream, buffer, &startup, &info);
        diagnostics = stream.Text();
    }
    ~Launch() {
        if (info.hProcess != NULL) {
            WaitForSingleObject(info.hProcess, 30000);
            CloseHandle(info.hProcess);
        }
        if (info.hThread != NULL) CloseHandle(info.hThread);
    }
};

class LaunchAsDesktopUserTest : public ::testing::Test {
protected:
    void SetUp() override {
        CreateDirectoryW(L"C:\\e2e", NULL);
        DeleteFileW(L"C:\\e2e\\stub.log");
        DeleteFileW(L"C:\\e2e\\rules.txt");
        stub_ = postinstall::EnvPath(L"STUB_EXE");
    }

    std::wstring stub_;
};

TEST(AppendSystemError, UsesTheSystemsTextWhenItHasOne) {
    ASSERT_FALSE(SystemText(ERROR_ACCESS_DENIED).empty());
    EXPECT_EQ(SystemText(ERROR_ACCESS_DENIED) + L" (Error # 5 = 0x00000005)", ErrorText(ERROR_ACCESS_DENIED));
    ASSERT_FALSE(SystemText(ERROR_NOT_ALL_ASSIGNED).empty());
    EXPECT_EQ(SystemText(ERROR_NOT_ALL_ASSIGNED) + L" (Error # 1300 = 0x00000514)", ErrorText(ERROR_NOT_ALL_ASSIGNED));
    // A customer code has no system text.
    ASSERT_TRUE(SystemText(536870913).empty());
    EXPECT_EQ(L"Error # 536870913 (0x20000001)", ErrorText(536870913));
}

TEST_F(LaunchAsDesktopUserTest, WithoutAShellNothingStarts) {
    ASSERT_EQ(nullptr, GetShellWindow());
    Launch launch(L"\"" + stub_ + L"\" no shell");
    EXPECT_FALSE(launch.started);
    EXPECT_EQ(L"No desktop shell is present", launch.diagnostics);
    EXPECT_EQ(nullptr, launch.info.hProcess);
    EXPECT_EQ(nullptr, launch.info.hThread);
    EXPECT_EQ(std::wstring::npos, StubLog().find(L"no shell"));
}

TEST_F(LaunchAsDesktopUserTest, WithTheShellStartsTheCommandLineAndSaysNothing) {
    postinstall::FakeShell shell;
    ASSERT_TRUE(shell.Start());
    Launch launch(L"\"" + stub_ + L"\" as the desktop user");
    EXPECT_TRUE(launch.started);
    EXPECT_EQ(L"", launch.diagnostics);
    ASSERT_NE(nullptr, launch.info.hProcess);
    EXPECT_NE(nullptr, launch.info.hThread);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(launch.info.hProcess, 30000));
    EXPECT_NE(std::wstring::npos, StubLog().find(L"\" as the desktop user"));
    EXPECT_TRUE(shell.Stop());
}

TEST_F(LaunchAsDesktopUserTest, AFailedStartAppendsOneMessageWithTheErrorText) {
    postinstall::FakeShell shell;
    ASSERT_TRUE(shell.Start());
    std::wstring missing = stub_ + L".missing.exe";
    Launch launch(L"\"" + missing + L"\"");
    EXPECT_FALSE(launch.started);
    EXPECT_EQ(L"CreateProcessWithTokenW failed:  " + ErrorText(ERROR_FILE_NOT_FOUND), launch.diagnostics);
    EXPECT_EQ(nullptr, launch.info.hProcess);
    EXPECT_EQ(nullptr, launch.info.hThread);
    EXPECT_TRUE(shell.Stop());
}

TEST_F(LaunchAsDesktopUserTest, AShellThatHasEndedIsNoShell) {
    postinstall::FakeShell shell;
    ASSERT_TRUE(shell.Start());
    ASSERT_TRUE(shell.Stop());
    Launch launch(L"\"" + stub_ + L"\" after the shell");
    EXPECT_FALSE(launch.started);
    EXPECT_EQ(L"No desktop shell is present", launch.diagnostics);
}

}  // namespace
