// The progress dialog on its own thread, read back from the live window:
// its templates as stored in Setup.exe, the text of the user's locale, the
// title limits, the early end by Enter or Escape, and dialogs in a row.
// Tests named *UserLocale* also run once per locale (LC_ALL set by ctest).
#include <windows.h>

#include <gtest/gtest.h>

#include "resource.h"
#include "ui/progress_dialog.h"
#include "win32/dialog_test_support.h"

HINSTANCE g_hInst = NULL;

using namespace dialog_test;

namespace {

const DWORD kRightToLeft = WS_EX_LAYOUTRTL | WS_EX_RTLREADING;

struct Shown {
    HWND window;
    DWORD thread;
};

class ProgressDialog : public ::testing::Test {
protected:
    static void SetUpTestSuite() { g_hInst = LoadSetupResources(); }

    void SetUp() override { ASSERT_NE(static_cast<HINSTANCE>(NULL), g_hInst) << "cannot load SETUP_EXE as data"; }

    // No dialog outlives its test.
    void TearDown() override {
        for (const Shown& shown : shown_) {
            if (IsWindow(shown.window)) PostMessageW(shown.window, WM_CLOSE, 0, 0);
            WaitForThread(shown.thread);
        }
    }

    Shown Show(const wchar_t* title) {
        ShowProgressDialog(title);
        Shown shown = {g_hWndProgress, 0};
        if (shown.window != NULL) shown.thread = GetWindowThreadProcessId(shown.window, NULL);
        shown_.push_back(shown);
        return shown;
    }

    static std::wstring LineOf(const Shown& shown) { return TextOf(GetDlgItem(shown.window, IDC_PROGRESS_TEXT)); }

    std::vector<Shown> shown_;
};

struct TemplateCase {
    int id;
    DWORD exStyle;
};

TEST_F(ProgressDialog, TemplatesAreStoredAsDesigned) {
    const TemplateCase cases[] = {
        {IDD_PROGRESS, WS_EX_TOPMOST},
        {IDD_PROGRESS_RTL, WS_EX_TOPMOST | WS_EX_RTLREADING | WS_EX_LAYOUTRTL},
    };
    for (const TemplateCase& expected : cases) {
        DialogTemplate dialog = ReadDialogTemplate(g_hInst, expected.id);
        ASSERT_TRUE(dialog.extended) << expected.id;
        EXPECT_EQ(static_cast<DWORD>(WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_CENTER | DS_SHELLFONT), dialog.style);
        EXPECT_EQ(expected.exStyle, dialog.exStyle) << expected.id;
        EXPECT_EQ(0, dialog.x);
        EXPECT_EQ(0, dialog.y);
        EXPECT_EQ(319, dialog.cx);
        EXPECT_EQ(63, dialog.cy);
        EXPECT_EQ(L"", dialog.menu);
        EXPECT_EQ(L"", dialog.className);
        EXPECT_EQ(L"Setup", dialog.caption);
        EXPECT_EQ(8, dialog.pointSize);
        EXPECT_EQ(400, dialog.weight);
        EXPECT_EQ(0, dialog.italic);
        EXPECT_EQ(DEFAULT_CHARSET, dialog.charset);
        EXPECT_EQ(L"MS Shell Dlg", dialog.face);
        ASSERT_EQ(1u, dialog.items.size());
        const TemplateItem& text = dialog.items[0];
        EXPECT_EQ(static_cast<DWORD>(IDC_PROGRESS_TEXT), text.id);
        EXPECT_EQ(L"STATIC", text.className);
        EXPECT_EQ(L"Please wait while Windows configures Windows Installer", text.text);
        EXPECT_EQ(static_cast<DWORD>(WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT), text.style);
        EXPECT_EQ(0u, text.exStyle);
        EXPECT_EQ(7, text.x);
        EXPECT_EQ(19, text.y);
        EXPECT_EQ(305, text.cx);
        EXPECT_EQ(26, text.cy);
    }
}

TEST_F(ProgressDialog, ComesUpOnItsOwnThreadWithTheTextOfTheUserLocale) {
    const LocaleExpectation* locale = CurrentLocale();
    ASSERT_NE(nullptr, locale);

    Shown shown = Show(L"Windows Installer");
    // Stored before ShowProgressDialog returned, event already gone.
    ASSERT_TRUE(IsWindow(shown.window));
    EXPECT_EQ(static_cast<HANDLE>(NULL), g_hProgressReady);
    EXPECT_NE(GetCurrentThreadId(), shown.thread);
    EXPECT_EQ(L"#32770", ClassOf(shown.window));
    EXPECT_TRUE(BecomesVisible(shown.window));
    EXPECT_EQ(L"Setup", TextOf(shown.window));

    std::wstring line = LineOf(shown);
    std::wstring expected = ExpectedProgressLine(locale->row, L"Windows Installer");
    EXPECT_EQ(expected, line) << "\n  shown:" << Hex(line) << "\n  wanted:" << Hex(expected);

    LONG_PTR exStyle = GetWindowLongPtrW(shown.window, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_EQ(locale->rightToLeft ? kRightToLeft : 0, static_cast<DWORD>(exStyle) & kRightToLeft);
    EXPECT_FALSE(GetWindowLongPtrW(shown.window, GWL_STYLE) & WS_SYSMENU) << "no close box";

    CloseProgressDialog();
    EXPECT_EQ(static_cast<HWND>(NULL), g_hWndProgress);
    WaitForThread(shown.thread);
    EXPECT_FALSE(IsWindow(shown.window));
}

TEST_F(ProgressDialog, ShowsTitlesUpTo510CharactersAndLongerOnesAsEmptyInUserLocale) {
    const LocaleExpectation* locale = CurrentLocale();
    ASSERT_NE(nullptr, locale);
    struct TitleCase {
        std::wstring title;
        std::wstring shownTitle;
    };
    const TitleCase cases[] = {
        {L"", L""},
        {std::wstring(509, L'a') + L"z", std::wstring(509, L'a') + L"z"},
        {std::wstring(511, L'b'), L""},
    };
    for (const TitleCase& titleCase : cases) {
        Shown shown = Show(titleCase.title.c_str());
        ASSERT_TRUE(IsWindow(shown.window)) << titleCase.title.size();
        EXPECT_EQ(ExpectedProgressLine(locale->row, titleCase.shownTitle), LineOf(shown)) << titleCase.title.size();
        CloseProgressDialog();
        WaitForThread(shown.thread);
    }
    if (locale->row == kDefault) {
        Shown shown = Show(L"");
        EXPECT_EQ(L"Please wait while Windows configures ", LineOf(shown));
        CloseProgressDialog();
    }
}

// The 510-character title reaches the dialog whole; the line it makes is
// cut at the 511 characters its buffer holds.
TEST_F(ProgressDialog, CutsTheLineOfTheLongestTitleAtItsBuffer) {
    std::wstring title = std::wstring(500, L'c') + L"0123456789";
    Shown shown = Show(title.c_str());
    EXPECT_EQ(title, std::wstring(g_szProgressTitle));
    std::wstring line = LineOf(shown);
    EXPECT_EQ(511u, line.size());
    CloseProgressDialog();
}

TEST_F(ProgressDialog, EnterOrEscapeEndsItEarlyAndTheCloseThenTouchesNoWindow) {
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        Shown shown = Show(L"Windows Installer");
        ASSERT_TRUE(IsWindow(shown.window));
        PostMessageW(shown.window, WM_KEYDOWN, key, 0);
        WaitForThread(shown.thread);
        EXPECT_FALSE(IsWindow(shown.window)) << key;
        // The ended dialog took its handle with it.
        EXPECT_EQ(static_cast<HWND>(NULL), g_hWndProgress) << key;
        CloseProgressDialog();
        EXPECT_EQ(static_cast<HWND>(NULL), g_hWndProgress);
    }
    // The next prerequisite still gets its dialog.
    Shown next = Show(L"Microsoft .NET Framework");
    EXPECT_TRUE(IsWindow(next.window));
    CloseProgressDialog();
}

TEST_F(ProgressDialog, TwoInARowEachShowOnlyTheirOwnTitle) {
    Shown first = Show(L"First prerequisite");
    ASSERT_TRUE(IsWindow(first.window));
    std::wstring firstLine = LineOf(first);
    CloseProgressDialog();

    Shown second = Show(L"Second prerequisite");
    ASSERT_TRUE(IsWindow(second.window));
    EXPECT_NE(first.window, second.window);
    EXPECT_NE(first.thread, second.thread);
    std::wstring secondLine = LineOf(second);
    EXPECT_NE(std::wstring::npos, firstLine.find(L"First prerequisite"));
    EXPECT_EQ(std::wstring::npos, firstLine.find(L"Second"));
    EXPECT_NE(std::wstring::npos, secondLine.find(L"Second prerequisite"));
    EXPECT_EQ(std::wstring::npos, secondLine.find(L"First"));
    CloseProgressDialog();
    WaitForThread(first.thread);
    WaitForThread(second.thread);
    EXPECT_FALSE(IsWindow(first.window));
    EXPECT_FALSE(IsWindow(second.window));
}

// The dialog cannot be made (no template in the module): the wait ends with
// the thread and the setup goes on without a dialog.
TEST_F(ProgressDialog, WithoutATemplateReturnsWithoutADialog) {
    HINSTANCE resources = g_hInst;
    g_hInst = GetModuleHandleW(NULL);
    ShowProgressDialog(L"Windows Installer");
    EXPECT_EQ(static_cast<HWND>(NULL), g_hWndProgress);
    EXPECT_EQ(static_cast<HANDLE>(NULL), g_hProgressReady);
    CloseProgressDialog();
    EXPECT_EQ(static_cast<HWND>(NULL), g_hWndProgress);
    g_hInst = resources;
}

TEST_F(ProgressDialog, KeepsNoHandleOnceItHasEnded) {
    // A first showing, so one-time handles of the window system are made.
    Shown warm = Show(L"Windows Installer");
    CloseProgressDialog();
    WaitForThread(warm.thread);

    long before = ProcessHandleCount();
    ASSERT_GT(before, 0);
    for (int i = 0; i < 3; ++i) {
        Shown shown = Show(L"Windows Installer");
        CloseProgressDialog();
        WaitForThread(shown.thread);
    }
    EXPECT_EQ(before, ProcessHandleCount());
}

}  // namespace
