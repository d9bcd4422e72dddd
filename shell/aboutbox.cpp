#include "shell/aboutbox.h"

#include <vfw.h>

#include "app/controls.h"
#include "app/fonts.h"
#include "app/globals.h"
#include "app/lazylibrary.h"
#include "app/settings.h"
#include "text/uistrings.h"
#include "win/dpi.h"

namespace {

constexpr int kVersionControl = 69;
constexpr int kCopyrightControl = 70;
constexpr int kWebsiteControl = 71;
constexpr int kEmailControl = 72;
constexpr int kAnimationLeft = 10;
constexpr int kAnimationTop = 11;
constexpr wchar_t kAnimationFile[] = L"gorix.avi";

struct AboutState {
    HWND animation = nullptr;
    UINT device = 0;
    MCIERROR lastPlay = 0;
};
AboutState g_about;

void Play(HWND dialog) {
    MCI_PLAY_PARMS play{};
    play.dwCallback = reinterpret_cast<DWORD_PTR>(dialog);
    play.dwFrom = 0;
    using SendCommand = MCIERROR(WINAPI*)(MCIDEVICEID, UINT, DWORD_PTR, DWORD_PTR);
    const auto send = LazyFunction<SendCommand>(L"winmm.dll", "mciSendCommandW");
    g_about.lastPlay = send ? send(g_about.device, MCI_PLAY, MCI_NOTIFY | MCI_FROM, reinterpret_cast<DWORD_PTR>(&play))
                            : MCIERR_UNRECOGNIZED_COMMAND;
}

// Stands still on the last frame; a mouse button cuts the pause short.
void PauseBetweenPlays() {
    const int pause = AppSettings.aboutPause;
    if (pause <= 0) return;
    HANDLE neverSignalled = GetCurrentProcess();
    MsgWaitForMultipleObjects(1, &neverSignalled, FALSE, static_cast<DWORD>(pause), QS_MOUSEBUTTON);
}

void SetTexts(HWND dialog) {
    SetChildFont(GetDlgItem(dialog, IDOK), GuiFont);
    SetWindowTextW(dialog, UiText(Ui::AboutDialogCaption));
    SetDlgItemTextW(dialog, IDOK, UiText(Ui::AboutDialogOk));
    SetDlgItemTextW(dialog, kVersionControl, kVersionText);
    SetDlgItemTextW(dialog, kCopyrightControl, UiText(Ui::AboutDialogCopyright));
    SetDlgItemTextW(dialog, kWebsiteControl, UiText(Ui::AboutDialogWebsite));
    SetDlgItemTextW(dialog, kEmailControl, UiText(Ui::AboutDialogEmail));
}

INT_PTR OnInitDialog(HWND dialog) {
    g_about = {};
    SetTexts(dialog);
    // Created as a child from the start: a window only restyled as a child afterwards
    // keeps no parent and would stand at the screen's corner.
    using CreateMediaWindow = HWND(VFWAPIV*)(HWND, HINSTANCE, DWORD, LPCWSTR);
    const auto create = LazyFunction<CreateMediaWindow>(L"msvfw32.dll", "MCIWndCreateW");
    if (!create) return TRUE;
    g_about.animation = create(dialog, ModuleInstance,
                               WS_CHILD | WS_VISIBLE | MCIWNDF_NOPLAYBAR | MCIWNDF_NOMENU | MCIWNDF_NOERRORDLG,
                               kAnimationFile);
    if (!g_about.animation) return TRUE;
    SetWindowLongPtrW(g_about.animation, GWL_STYLE, WS_CHILD | WS_VISIBLE);
    const UINT dpi = WindowDpi(dialog);
    SetWindowPos(g_about.animation, nullptr, Scaled(kAnimationLeft, dpi), Scaled(kAnimationTop, dpi), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    MCIWndSetRepeat(g_about.animation, TRUE);
    g_about.device = MCIWndGetDeviceID(g_about.animation);
    Play(dialog);
    return TRUE;
}

INT_PTR OnPlayEnded(HWND dialog, WPARAM how) {
    if (how != MCI_NOTIFY_SUCCESSFUL || g_about.lastPlay != 0) return TRUE;
    PauseBetweenPlays();
    Play(dialog);
    return TRUE;
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
    const int id = LOWORD(wParam);
    if (id != IDOK && id != IDCANCEL) return FALSE;
    if (g_about.animation) SendMessageW(g_about.animation, WM_CLOSE, 0, 0);
    g_about = {};
    EndDialog(dialog, 0);
    return TRUE;
}

}  // namespace

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: return OnInitDialog(dialog);
        case MM_MCINOTIFY: return OnPlayEnded(dialog, wParam);
        case WM_COMMAND: return OnCommand(dialog, wParam);
        default: return FALSE;
    }
}

void ShowAboutBox(HWND owner) { DialogBoxParamW(ModuleInstance, L"AboutBox", owner, AboutDialogProc, 0); }
