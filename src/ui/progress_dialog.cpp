#include "progress_dialog.h"

#include <process.h>

#include "../../res/resource.h"
#include "../common/bounded_text.h"
#include "../driver/globals.h"
#include "localised_texts.h"
#include "text_choice.h"

wchar_t g_szProgressTitle[512];
HANDLE g_hProgressReady = NULL;
HWND g_hWndProgress = NULL;

namespace {

const size_t kLongestTitle = 510;

// 1 from ShowProgressDialog until CloseProgressDialog. A dialog that comes up
// after the close (possible only when the ready event could not be made)
// sees 0 and ends itself.
LONG volatile s_lProgressWanted = 0;

// The thread of a dialog that was started without a ready event and may
// still be on its way up; the next ShowProgressDialog lets it end before it
// reuses the title and the event.
HANDLE s_hUnreadyThread = NULL;

PVOID volatile* ProgressWindowSlot() {
    return reinterpret_cast<PVOID volatile*>(&g_hWndProgress);
}

BOOL OnInitDialog(HWND dialog) {
    InterlockedExchangePointer(ProgressWindowSlot(), dialog);
    if (g_hProgressReady != NULL) SetEvent(g_hProgressReady);

    HWND textControl = GetDlgItem(dialog, IDC_PROGRESS_TEXT);
    if (textControl != NULL) {
        wchar_t text[kProgressTextCapacity];
        FormatProgressText(text);
        SetWindowTextW(textControl, text);
    }
    SetForegroundWindow(dialog);
    SetActiveWindow(dialog);
    BringWindowToTop(dialog);

    if (InterlockedCompareExchange(&s_lProgressWanted, 0, 0) == 0) EndDialog(dialog, 0);
    return FALSE;
}

// Once the window is gone the handle must not reach CloseProgressDialog,
// unless the main thread has already taken it.
void OnDestroy(HWND dialog) {
    InterlockedCompareExchangePointer(ProgressWindowSlot(), NULL, dialog);
}

void LetUnreadyDialogEnd() {
    if (s_hUnreadyThread == NULL) return;
    WaitForSingleObject(s_hUnreadyThread, INFINITE);
    CloseHandle(s_hUnreadyThread);
    s_hUnreadyThread = NULL;
}

}  // namespace

void ShowProgressDialog(const wchar_t* title) {
    LetUnreadyDialogEnd();

    ZeroText(g_szProgressTitle, ARRAYSIZE(g_szProgressTitle));
    if (title != NULL && TextLength(title) <= kLongestTitle) {
        CopyWhole(g_szProgressTitle, ARRAYSIZE(g_szProgressTitle), title);
    }
    InterlockedExchange(&s_lProgressWanted, 1);

    g_hProgressReady = CreateEventW(NULL, FALSE, FALSE, NULL);
    unsigned threadId = 0;
    HANDLE thread = reinterpret_cast<HANDLE>(_beginthreadex(NULL, 0, ProgressThreadProc, NULL, 0, &threadId));

    // The thread's end also ends the wait: without a dialog the event never comes.
    if (g_hProgressReady != NULL && thread != NULL) {
        HANDLE readyOrEnded[2] = {g_hProgressReady, thread};
        WaitForMultipleObjects(2, readyOrEnded, FALSE, INFINITE);
    }
    Sleep(10);

    if (g_hProgressReady != NULL) {
        CloseHandle(g_hProgressReady);
        g_hProgressReady = NULL;
        if (thread != NULL) CloseHandle(thread);
    } else {
        s_hUnreadyThread = thread;
    }
}

void CloseProgressDialog() {
    InterlockedExchange(&s_lProgressWanted, 0);
    HWND dialog = static_cast<HWND>(InterlockedExchangePointer(ProgressWindowSlot(), NULL));
    if (dialog != NULL) {
        SetForegroundWindow(dialog);
        PostMessageW(dialog, WM_CLOSE, 0, 0);
    }
}

unsigned __stdcall ProgressThreadProc(void*) {
    WORD templateId = UsesRightToLeftTemplates(GetUserDefaultLangID()) ? IDD_PROGRESS_RTL : IDD_PROGRESS;
    DialogBoxParamW(g_hInst, MAKEINTRESOURCEW(templateId), NULL, ProgressDialogProc, 0);
    _endthreadex(0);
    return 0;
}

INT_PTR CALLBACK ProgressDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog);
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        EndDialog(dialog, 0);
        return TRUE;
    case WM_DESTROY:
        OnDestroy(dialog);
        return FALSE;
    }
    return FALSE;
}
