#include "completion_dialog.h"

#include "../../res/resource.h"
#include "../driver/globals.h"
#include "localised_texts.h"
#include "text_choice.h"

namespace {

const int kTitlePoints = 16;

// Made at initialisation, released by ShowCompletionDialog once the title
// control that draws with it is gone.
HFONT s_hTitleFont = NULL;

HFONT CreateTitleFont(HDC titleContext) {
    int height = -MulDiv(kTitlePoints, GetDeviceCaps(titleContext, LOGPIXELSY), 72);
    return CreateFontW(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"MS Shell Dlg");
}

void ReleaseTitleFont() {
    if (s_hTitleFont == NULL) return;
    DeleteObject(s_hTitleFont);
    s_hTitleFont = NULL;
}

// The right-to-left picture is stored mirrored already; a mirrored control
// would flip it back and put the dark band under the title and hint.
void KeepPictureUnmirrored(HWND dialog) {
    HWND picture = GetDlgItem(dialog, IDC_COMPLETION_PICTURE);
    LONG_PTR style = GetWindowLongPtrW(picture, GWL_EXSTYLE);
    if ((style & WS_EX_LAYOUTRTL) == 0) return;
    SetWindowLongPtrW(picture, GWL_EXSTYLE, style & ~static_cast<LONG_PTR>(WS_EX_LAYOUTRTL));
    InvalidateRect(picture, NULL, TRUE);
}

BOOL OnInitDialog(HWND dialog) {
    KeepPictureUnmirrored(dialog);
    wchar_t text[kCompletionTextCapacity];
    HWND title = GetDlgItem(dialog, IDC_COMPLETION_TITLE);
    LoadCompletionTitleText(text);
    SetWindowTextW(title, text);

    HDC titleContext = GetDC(title);
    ReleaseTitleFont();
    s_hTitleFont = CreateTitleFont(titleContext);
    SendMessageW(title, WM_SETFONT, reinterpret_cast<WPARAM>(s_hTitleFont), TRUE);

    LoadFinishHintText(text);
    SetWindowTextW(GetDlgItem(dialog, IDC_FINISH_HINT), text);
    LoadFinishButtonText(text);
    SetWindowTextW(GetDlgItem(dialog, IDOK), text);
    LoadBackButtonText(text);
    SetWindowTextW(GetDlgItem(dialog, IDC_BACK), text);
    LoadCancelButtonText(text);
    SetWindowTextW(GetDlgItem(dialog, IDCANCEL), text);
    ReleaseDC(title, titleContext);

    SetForegroundWindow(dialog);
    SetActiveWindow(dialog);
    BringWindowToTop(dialog);
    return FALSE;
}

// The title and the hint lie on the picture's white part.
INT_PTR OnCtlColorStatic(HWND dialog, HDC context, HWND control) {
    if (control != GetDlgItem(dialog, IDC_COMPLETION_TITLE) && control != GetDlgItem(dialog, IDC_FINISH_HINT)) {
        return FALSE;
    }
    SetBkMode(context, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
}

}  // namespace

void ShowCompletionDialog() {
    WORD templateId = UsesRightToLeftTemplates(GetUserDefaultLangID()) ? IDD_COMPLETION_RTL : IDD_COMPLETION;
    DialogBoxParamW(g_hInst, MAKEINTRESOURCEW(templateId), NULL, CompletionDialogProc, 0);
    ReleaseTitleFont();
}

INT_PTR CALLBACK CompletionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog);
    case WM_CTLCOLORSTATIC:
        return OnCtlColorStatic(dialog, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}
