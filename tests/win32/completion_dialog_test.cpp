// The completion dialog read back from the live window: its templates as
// stored in Setup.exe, the texts of the user's locale, the mirrored template
// for Arabic, the picture, the title font and the ways it ends.
// ShowCompletionDialog runs on a worker thread, as modal as in the setup;
// this thread reads the dialog and ends it. Tests named *UserLocale* also
// run once per locale (LC_ALL set by ctest).
#include <windows.h>

#include <gtest/gtest.h>

#include <process.h>

#include <functional>

#include "resource.h"
#include "ui/completion_dialog.h"
#include "win32/dialog_test_support.h"

HINSTANCE g_hInst = NULL;

using namespace dialog_test;

namespace {

const DWORD kRightToLeft = WS_EX_LAYOUTRTL | WS_EX_RTLREADING;

HANDLE g_initialised = NULL;
HWND g_dialog = NULL;

// Runs on the worker after the dialog procedure has handled WM_INITDIALOG.
LRESULT CALLBACK AfterWindowProc(int code, WPARAM wParam, LPARAM lParam) {
    const CWPRETSTRUCT* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_INITDIALOG && g_dialog == NULL) {
        g_dialog = call->hwnd;
        SetEvent(g_initialised);
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

unsigned __stdcall ShowOnWorker(void*) {
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROCRET, AfterWindowProc, NULL, GetCurrentThreadId());
    ShowCompletionDialog();
    if (hook != NULL) UnhookWindowsHookEx(hook);
    return 0;
}

class CompletionDialog : public ::testing::Test {
protected:
    static void SetUpTestSuite() { g_hInst = LoadSetupResources(); }

    void SetUp() override {
        ASSERT_NE(static_cast<HINSTANCE>(NULL), g_hInst) << "cannot load SETUP_EXE as data";
        g_initialised = CreateEventW(NULL, TRUE, FALSE, NULL);
    }

    void TearDown() override {
        if (worker_ != NULL) {
            if (IsWindow(dialog_)) PostMessageW(dialog_, WM_CLOSE, 0, 0);
            WaitForSingleObject(worker_, INFINITE);
            CloseHandle(worker_);
        }
        CloseHandle(g_initialised);
    }

    // The dialog, up and initialised; NULL when it never came.
    HWND Show() {
        g_dialog = NULL;
        ResetEvent(g_initialised);
        worker_ = reinterpret_cast<HANDLE>(_beginthreadex(NULL, 0, ShowOnWorker, NULL, 0, NULL));
        if (worker_ == NULL) return NULL;
        HANDLE initialisedOrEnded[2] = {g_initialised, worker_};
        if (WaitForMultipleObjects(2, initialisedOrEnded, FALSE, INFINITE) != WAIT_OBJECT_0) return NULL;
        dialog_ = g_dialog;
        return dialog_;
    }

    // ShowCompletionDialog has returned.
    void WaitForEnd() {
        WaitForSingleObject(worker_, INFINITE);
        CloseHandle(worker_);
        worker_ = NULL;
    }

    HWND Item(int id) const { return GetDlgItem(dialog_, id); }

    HANDLE worker_ = NULL;
    HWND dialog_ = NULL;
};

struct ItemCase {
    DWORD id;
    const wchar_t* className;
    const wchar_t* text;
    short x, y, cx, cy;
    DWORD style;
    DWORD exStyle;
};

TEST_F(CompletionDialog, TemplatesAreStoredAsDesigned) {
    struct TemplateCase {
        int id;
        DWORD exStyle;
        int picture;
    };
    const TemplateCase templates[] = {
        {IDD_COMPLETION, WS_EX_TOPMOST, IDB_COMPLETION},
        {IDD_COMPLETION_RTL, WS_EX_TOPMOST | WS_EX_RTLREADING | WS_EX_LAYOUTRTL, IDB_COMPLETION_RTL},
    };
    const ItemCase items[] = {
        {IDC_COMPLETION_TITLE, L"STATIC", L"Completing the Quillmark Pro installation.", 113, 1, 218, 63,
         WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT, WS_EX_TRANSPARENT},
        {IDOK, L"BUTTON", L"Finish", 188, 199, 68, 14, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0},
        {IDCANCEL, L"BUTTON", L"Cancel", 260, 199, 68, 14,
         WS_CHILD | WS_VISIBLE | WS_DISABLED | WS_TABSTOP | BS_PUSHBUTTON, 0},
        {IDC_BACK, L"BUTTON", L"< Back", 116, 199, 68, 14,
         WS_CHILD | WS_VISIBLE | WS_DISABLED | WS_TABSTOP | BS_PUSHBUTTON, 0},
        {IDC_COMPLETION_PICTURE, L"STATIC", nullptr, 0, 0, 335, 193,
         WS_CHILD | WS_VISIBLE | SS_BITMAP | SS_REALSIZECONTROL, 0},
        {IDC_COMPLETION_LINE, L"STATIC", L"", 0, 193, 336, 1, WS_CHILD | WS_VISIBLE | SS_ETCHEDHORZ, 0},
        {IDC_FINISH_HINT, L"STATIC", L"Click the Finish button to exit.", 113, 68, 218, 30,
         WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT, 0},
    };
    for (const TemplateCase& expected : templates) {
        SCOPED_TRACE(expected.id);
        DialogTemplate dialog = ReadDialogTemplate(g_hInst, expected.id);
        ASSERT_TRUE(dialog.extended);
        EXPECT_EQ(static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER |
                                     DS_SETFOREGROUND | DS_SHELLFONT),
                  dialog.style);
        EXPECT_EQ(expected.exStyle, dialog.exStyle);
        EXPECT_EQ(0, dialog.x);
        EXPECT_EQ(0, dialog.y);
        EXPECT_EQ(336, dialog.cx);
        EXPECT_EQ(221, dialog.cy);
        EXPECT_EQ(L"", dialog.menu);
        EXPECT_EQ(L"", dialog.className);
        EXPECT_EQ(L"Quillmark Pro", dialog.caption);
        EXPECT_EQ(8, dialog.pointSize);
        EXPECT_EQ(400, dialog.weight);
        EXPECT_EQ(0, dialog.italic);
        EXPECT_EQ(DEFAULT_CHARSET, dialog.charset);
        EXPECT_EQ(L"MS Shell Dlg", dialog.face);
        ASSERT_EQ(7u, dialog.items.size());
        for (size_t i = 0; i < dialog.items.size(); ++i) {
            const TemplateItem& item = dialog.items[i];
            const ItemCase& want = items[i];
            SCOPED_TRACE(want.id);
            EXPECT_EQ(want.id, item.id);
            EXPECT_EQ(want.className, item.className);
            if (want.text != nullptr) {
                EXPECT_EQ(want.text, item.text);
                EXPECT_EQ(-1, item.textOrdinal);
            } else {
                EXPECT_EQ(expected.picture, item.textOrdinal);
            }
            EXPECT_EQ(want.x, item.x);
            EXPECT_EQ(want.y, item.y);
            EXPECT_EQ(want.cx, item.cx);
            EXPECT_EQ(want.cy, item.cy);
            EXPECT_EQ(want.style, item.style);
            EXPECT_EQ(want.exStyle, item.exStyle);
        }
    }
}

TEST_F(CompletionDialog, ShowsTheTextsOfTheUserLocale) {
    const LocaleExpectation* locale = CurrentLocale();
    ASSERT_NE(nullptr, locale);
    ASSERT_NE(static_cast<HWND>(NULL), Show());

    EXPECT_EQ(L"#32770", ClassOf(dialog_));
    EXPECT_EQ(L"Quillmark Pro", TextOf(dialog_));
    const int columns[] = {IDC_COMPLETION_TITLE, IDC_FINISH_HINT, IDOK, IDC_BACK, IDCANCEL};
    for (int column = 1; column <= 5; ++column) {
        std::wstring shown = TextOf(Item(columns[column - 1]));
        std::wstring wanted = ExpectedTextOf(locale->row, column);
        EXPECT_EQ(wanted, shown) << "control " << columns[column - 1] << "\n  shown:" << Hex(shown)
                                 << "\n  wanted:" << Hex(wanted);
    }
    if (locale->row == kDefault) {
        EXPECT_EQ(L"Completing the Quillmark Pro installation.", TextOf(Item(IDC_COMPLETION_TITLE)));
        EXPECT_EQ(L"Click the Finish button to exit.", TextOf(Item(IDC_FINISH_HINT)));
        EXPECT_EQ(L"&Finish", TextOf(Item(IDOK)));
        EXPECT_EQ(L"< &Back", TextOf(Item(IDC_BACK)));
        EXPECT_EQ(L"Cancel", TextOf(Item(IDCANCEL)));
    }

    LONG_PTR exStyle = GetWindowLongPtrW(dialog_, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_EQ(locale->rightToLeft ? kRightToLeft : 0, static_cast<DWORD>(exStyle) & kRightToLeft);
    EXPECT_TRUE(GetWindowLongPtrW(dialog_, GWL_STYLE) & WS_SYSMENU) << "close box";
    EXPECT_TRUE(BecomesVisible(dialog_));
}

bool IsDark(COLORREF colour) { return GetRValue(colour) == 0 && GetGValue(colour) == 0; }
bool IsWhite(COLORREF colour) { return colour == RGB(255, 255, 255); }

TEST_F(CompletionDialog, ShowsThePictureOfItsTemplateAcrossItsControlInUserLocale) {
    const LocaleExpectation* locale = CurrentLocale();
    ASSERT_NE(nullptr, locale);
    ASSERT_NE(static_cast<HWND>(NULL), Show());

    HWND picture = Item(IDC_COMPLETION_PICTURE);
    HBITMAP bitmap = reinterpret_cast<HBITMAP>(SendMessageW(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(static_cast<HBITMAP>(NULL), bitmap);
    BITMAP info = {};
    ASSERT_TRUE(GetObjectW(bitmap, sizeof info, &info));
    EXPECT_EQ(503, info.bmWidth);
    EXPECT_EQ(314, info.bmHeight);

    // The dark band lies on the left of 1025 and on the right of its mirror, 1028.
    HDC memory = CreateCompatibleDC(NULL);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    COLORREF left = GetPixel(memory, 20, 157);
    COLORREF right = GetPixel(memory, 482, 157);
    SelectObject(memory, previous);
    DeleteDC(memory);
    if (locale->rightToLeft) {
        EXPECT_TRUE(IsWhite(left) && IsDark(right)) << std::hex << left << " " << right;
    } else {
        EXPECT_TRUE(IsDark(left) && IsWhite(right)) << std::hex << left << " " << right;
    }

    // The picture draws as stored: a mirrored control would flip 1028 back
    // and put the dark band under the Arabic title and hint.
    EXPECT_EQ(0, GetWindowLongPtrW(picture, GWL_EXSTYLE) & WS_EX_LAYOUTRTL);

    // SS_REALSIZECONTROL: the control keeps its own size and the picture is
    // stretched to it, rather than the control taking the picture's size
    // (with the default dialog font 335 units are not 503 pixels).
    RECT wanted = {0, 0, 335, 193};
    MapDialogRect(dialog_, &wanted);
    RECT client = {};
    GetClientRect(picture, &client);
    EXPECT_EQ(wanted.right - wanted.left, client.right);
    EXPECT_EQ(wanted.bottom - wanted.top, client.bottom);
}

TEST_F(CompletionDialog, OnlyFinishCanBeUsedAndItIsTheDefault) {
    ASSERT_NE(static_cast<HWND>(NULL), Show());
    EXPECT_TRUE(IsWindowEnabled(Item(IDOK)));
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_BACK)));
    EXPECT_FALSE(IsWindowEnabled(Item(IDCANCEL)));
    LRESULT defaultId = SendMessageW(dialog_, DM_GETDEFID, 0, 0);
    EXPECT_EQ(DC_HASDEFID, HIWORD(defaultId));
    EXPECT_EQ(IDOK, LOWORD(defaultId));
}

TEST_F(CompletionDialog, TitleIsBold16PointAndTheFontGoesWithTheDialog) {
    ASSERT_NE(static_cast<HWND>(NULL), Show());
    HFONT titleFont = reinterpret_cast<HFONT>(SendMessageW(Item(IDC_COMPLETION_TITLE), WM_GETFONT, 0, 0));
    ASSERT_NE(static_cast<HFONT>(NULL), titleFont);
    LOGFONTW font = {};
    ASSERT_TRUE(GetObjectW(titleFont, sizeof font, &font));

    HDC screen = GetDC(NULL);
    int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(NULL, screen);
    EXPECT_EQ(-MulDiv(16, pixelsPerInch, 72), font.lfHeight);
    if (pixelsPerInch == 96) {
        EXPECT_EQ(-21, font.lfHeight);
    }
    EXPECT_EQ(0, font.lfWidth);
    EXPECT_EQ(0, font.lfEscapement);
    EXPECT_EQ(0, font.lfOrientation);
    EXPECT_EQ(FW_BOLD, font.lfWeight);
    EXPECT_EQ(0, font.lfItalic);
    EXPECT_EQ(0, font.lfUnderline);
    EXPECT_EQ(0, font.lfStrikeOut);
    EXPECT_EQ(ANSI_CHARSET, font.lfCharSet);
    EXPECT_EQ(OUT_DEFAULT_PRECIS, font.lfOutPrecision);
    EXPECT_EQ(CLIP_DEFAULT_PRECIS, font.lfClipPrecision);
    EXPECT_EQ(ANTIALIASED_QUALITY, font.lfQuality);
    EXPECT_EQ(DEFAULT_PITCH | FF_DONTCARE, font.lfPitchAndFamily);
    EXPECT_EQ(std::wstring(L"MS Shell Dlg"), font.lfFaceName);

    // Only the title has it.
    HFONT hintFont = reinterpret_cast<HFONT>(SendMessageW(Item(IDC_FINISH_HINT), WM_GETFONT, 0, 0));
    EXPECT_NE(titleFont, hintFont);

    SendMessageW(Item(IDOK), BM_CLICK, 0, 0);
    WaitForEnd();
    EXPECT_EQ(0u, GetObjectType(titleFont)) << "the title font outlived the dialog";
}

TEST_F(CompletionDialog, TitleAndHintAloneAreDrawnTransparentlyOnWhite) {
    ASSERT_NE(static_cast<HWND>(NULL), Show());
    HDC context = CreateCompatibleDC(NULL);
    struct ColourCase {
        int id;
        bool onWhite;
    };
    const ColourCase cases[] = {
        {IDC_COMPLETION_TITLE, true},
        {IDC_FINISH_HINT, true},
        {IDC_COMPLETION_PICTURE, false},
        {IDC_COMPLETION_LINE, false},
    };
    HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    for (int round = 0; round < 2; ++round) {
        for (const ColourCase& colour : cases) {
            SetBkMode(context, OPAQUE);
            LRESULT brush = SendMessageW(dialog_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(context),
                                         reinterpret_cast<LPARAM>(Item(colour.id)));
            if (colour.onWhite) {
                EXPECT_EQ(reinterpret_cast<LRESULT>(white), brush) << colour.id;
                EXPECT_EQ(TRANSPARENT, GetBkMode(context)) << colour.id;
            } else {
                EXPECT_NE(reinterpret_cast<LRESULT>(white), brush) << colour.id;
                EXPECT_EQ(OPAQUE, GetBkMode(context)) << colour.id;
            }
        }
    }
    DeleteDC(context);
}

struct EndCase {
    const char* name;
    std::function<void(HWND dialog)> end;
};

TEST_F(CompletionDialog, FinishEnterIdcancelAndTheCloseBoxEachEndIt) {
    const EndCase cases[] = {
        {"Finish clicked", [](HWND dialog) { SendMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0); }},
        {"Enter", [](HWND dialog) { PostMessageW(dialog, WM_KEYDOWN, VK_RETURN, 0); }},
        {"IDCANCEL", [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); }},
        {"close box", [](HWND dialog) { PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"WM_CLOSE", [](HWND dialog) { PostMessageW(dialog, WM_CLOSE, 0, 0); }},
    };
    for (const EndCase& endCase : cases) {
        SCOPED_TRACE(endCase.name);
        HWND dialog = Show();
        ASSERT_NE(static_cast<HWND>(NULL), dialog);
        endCase.end(dialog);
        WaitForEnd();
        EXPECT_FALSE(IsWindow(dialog));
    }
}

// EndDialog hides the dialog at once, so a dialog still shown has not ended.
TEST_F(CompletionDialog, OtherCommandsLeaveItUp) {
    ASSERT_NE(static_cast<HWND>(NULL), Show());
    ASSERT_TRUE(BecomesVisible(dialog_));
    SendMessageW(dialog_, WM_COMMAND, MAKEWPARAM(IDC_BACK, BN_CLICKED), 0);
    SendMessageW(dialog_, WM_COMMAND, MAKEWPARAM(IDC_COMPLETION_PICTURE, STN_CLICKED), 0);
    EXPECT_TRUE(IsWindowVisible(dialog_));
    SendMessageW(dialog_, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_FALSE(IsWindowVisible(dialog_)) << "the check above could not see an end";
}

}  // namespace
