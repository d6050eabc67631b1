// The completion dialog through the real Setup.exe: an interactive run
// shows it in the user's language (the mirrored template for Arabic), and
// the host hears of the success only once the dialog has been ended.
// Tests named *UserLocale* also run once per locale (LC_ALL set by ctest).
#include <gtest/gtest.h>

#include <functional>

#include "e2e/e2e_common.h"
#include "resource.h"
#include "win32/dialog_test_support.h"

using namespace e2e;

namespace {

const UINT kSetupResult = 0x7FF1;
const DWORD kRightToLeft = WS_EX_LAYOUTRTL | WS_EX_RTLREADING;

struct SeenDialog {
    std::wstring caption;
    std::wstring texts[5];  // title, hint, Finish, Back, Cancel
    LONG_PTR exStyle = 0;
    bool backEnabled = true;
    bool cancelEnabled = true;
};

// What the host window saw, and when: the harness's host window is
// subclassed so each result message records whether the dialog had been
// ended by then.
struct Observation {
    int dialogsSeen = 0;
    bool ended = false;
    SeenDialog dialog;
    std::vector<bool> resultsAfterTheEnd;
};

Observation* g_observation = nullptr;
WNDPROC g_hostProc = nullptr;

LRESULT CALLBACK ObservingHostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kSetupResult && g_observation != nullptr) g_observation->resultsAfterTheEnd.push_back(g_observation->ended);
    return CallWindowProcW(g_hostProc, window, message, wParam, lParam);
}

// Read as the window system holds it, without a message: the setup may be
// stopped at a debug event that this thread, its debugger, has yet to take.
std::wstring StoredText(HWND window) {
    wchar_t text[1024] = L"";
    GetWindowTextW(window, text, ARRAYSIZE(text));
    return text;
}

HWND FindCompletionDialog(DWORD processId) {
    for (HWND window : TopLevelWindows(processId)) {
        if (IsWindowVisible(window) && ClassName(window) == L"#32770" && StoredText(window) == L"Quillmark Pro") {
            return window;
        }
    }
    return NULL;
}

// Results posted so far reach the host before the dialog is ended.
void DeliverPendingResults() {
    MSG message;
    while (PeekMessageW(&message, HostWindow(), kSetupResult, kSetupResult, PM_REMOVE)) DispatchMessageW(&message);
}

class Ui : public ::testing::Test {
protected:
    void SetUp() override {
        ResetStubState();
        HostWindow();
        g_hostProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(HostWindow(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ObservingHostProc)));
    }

    void TearDown() override {
        SetWindowLongPtrW(HostWindow(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_hostProc));
        g_observation = nullptr;
    }

    // An interactive run whose completion dialog is read and then ended by end.
    RunResult Run(Observation* observation, const std::function<void(HWND dialog)>& end) {
        g_observation = observation;
        RunOptions options;
        options.onIdle = [observation, end](DWORD processId) {
            if (observation->ended) return;
            HWND dialog = FindCompletionDialog(processId);
            if (dialog == NULL) return;
            ++observation->dialogsSeen;
            SeenDialog& seen = observation->dialog;
            seen.caption = StoredText(dialog);
            const int ids[] = {IDC_COMPLETION_TITLE, IDC_FINISH_HINT, IDOK, IDC_BACK, IDCANCEL};
            for (int i = 0; i < 5; ++i) seen.texts[i] = StoredText(GetDlgItem(dialog, ids[i]));
            seen.exStyle = GetWindowLongPtrW(dialog, GWL_EXSTYLE);
            seen.backEnabled = IsWindowEnabled(GetDlgItem(dialog, IDC_BACK)) != FALSE;
            seen.cancelEnabled = IsWindowEnabled(GetDlgItem(dialog, IDCANCEL)) != FALSE;
            DeliverPendingResults();
            observation->ended = true;
            end(dialog);
        };
        std::wstring tail = HostWindowSwitch(true);
        return RunSetup(Medium(L"ui"), tail, options);
    }
};

TEST_F(Ui, CompletionDialogOfTheUserLocaleComesBeforeTheSuccessMessage) {
    const dialog_test::LocaleExpectation* locale = dialog_test::CurrentLocale();
    ASSERT_NE(nullptr, locale);
    Observation observation;
    // Posted: a sent message would wait on a setup that waits on its debugger, this thread.
    RunResult result = Run(&observation, [](HWND dialog) { PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0); });

    ASSERT_TRUE(result.exited);
    EXPECT_EQ(0u, result.exitCode);
    EXPECT_EQ(2u, result.CallsTo(L"msiexec.exe").size());
    ASSERT_EQ(1, observation.dialogsSeen);

    const SeenDialog& seen = observation.dialog;
    EXPECT_EQ(L"Quillmark Pro", seen.caption);
    for (int column = 1; column <= 5; ++column) {
        std::wstring wanted = dialog_test::ExpectedTextOf(locale->row, column);
        EXPECT_EQ(wanted, seen.texts[column - 1]) << "column " << column << "\n  shown:"
                                                   << dialog_test::Hex(seen.texts[column - 1])
                                                   << "\n  wanted:" << dialog_test::Hex(wanted);
    }
    // Only the Arabic template, 1030, is mirrored.
    EXPECT_EQ(locale->rightToLeft ? kRightToLeft : 0, static_cast<DWORD>(seen.exStyle) & kRightToLeft);
    EXPECT_TRUE(seen.exStyle & WS_EX_TOPMOST);
    EXPECT_FALSE(seen.backEnabled);
    EXPECT_FALSE(seen.cancelEnabled);

    ASSERT_EQ(1u, result.hostMessages.size());
    EXPECT_EQ(1u, result.hostMessages[0].wParam);
    EXPECT_EQ(0, result.hostMessages[0].lParam);
    EXPECT_EQ(std::vector<bool>{true}, observation.resultsAfterTheEnd) << "success reported while the dialog was up";
}

TEST_F(Ui, EnterAndTheCloseBoxEndItAndTheSetupReportsSuccess) {
    struct EndCase {
        const char* name;
        std::function<void(HWND dialog)> end;
    };
    const EndCase cases[] = {
        {"Enter", [](HWND dialog) { PostMessageW(dialog, WM_KEYDOWN, VK_RETURN, 0); }},
        {"close box", [](HWND dialog) { PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const EndCase& endCase : cases) {
        SCOPED_TRACE(endCase.name);
        ResetStubState();
        Observation observation;
        RunResult result = Run(&observation, endCase.end);
        ASSERT_TRUE(result.exited);
        EXPECT_EQ(1, observation.dialogsSeen);
        ASSERT_EQ(1u, result.hostMessages.size());
        EXPECT_EQ(1u, result.hostMessages[0].wParam);
        EXPECT_EQ(std::vector<bool>{true}, observation.resultsAfterTheEnd);
    }
}

}  // namespace
