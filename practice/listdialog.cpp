#include "practice/listdialog.h"

#include <string>

#include "app/controls.h"
#include "app/drawing.h"
#include "app/fonts.h"
#include "store/catalogue.h"
#include "store/practicelists.h"
#include "store/records.h"
#include "text/uistrings.h"
#include "win/dpi.h"
#include "win/messages.h"
#include "win/session.h"

namespace {

INT_PTR OnInitDialog(HWND dialog) {
    // The template lays the dialog out for the screen's DPI; the program's font is made
    // for it too.
    for (int id : {int{kListDialogGroup}, int{kListDialogName}, IDOK, IDCANCEL})
        SetChildFont(GetDlgItem(dialog, id), GuiFont, false);
    SetWindowTextW(dialog, UiText(Ui::NewlistDialogCaption));
    SetDlgItemTextW(dialog, kListDialogGroup, UiText(Ui::NewlistDialogListname));
    SetDlgItemTextW(dialog, IDOK, UiText(Ui::NewlistDialogOk));
    SetDlgItemTextW(dialog, IDCANCEL, UiText(Ui::NewlistDialogCancel));
    SetFocus(GetDlgItem(dialog, kListDialogName));
    return FALSE;  // the focus is set
}

void Accept(HWND dialog) {
    const std::wstring typed = EditText(GetDlgItem(dialog, kListDialogName), kListDialogNameChars);
    switch (CheckPracticeListName(typed, CurrentWordList().firstCodePage)) {
    case ListNameVerdict::Empty: return;
    case ListNameVerdict::NotAllowed:
        ShowMessage(dialog, UiText(Ui::CreateListNotAllowed), UiText(Ui::CreateListnewList), MB_ICONWARNING);
        return;
    case ListNameVerdict::Accepted: break;
    }
    CurrentPracticeList = PracticeListNameFromTyped(typed);
    CreatePracticeListFolder();
    EndDialog(dialog, IDOK);
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case IDOK: Accept(dialog); return TRUE;
    case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
    default: return FALSE;
    }
}

// Moved to a monitor of another DPI: the system moves and sizes the template's controls,
// their font is the program's to give again.
INT_PTR OnDpiChanged(HWND dialog, WPARAM wParam) {
    SetWindowDpi(dialog, LOWORD(wParam));
    RelayoutChildren(dialog);
    return FALSE;
}

INT_PTR CALLBACK ListDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog);
    case WM_COMMAND: return OnCommand(dialog, wParam);
    case WM_DPICHANGED: return OnDpiChanged(dialog, wParam);
    default: return FALSE;
    }
}

}  // namespace

void RunNewListDialog(HWND owner) { DialogBoxParamW(ModuleInstance, L"listdialog", owner, ListDialogProc, 0); }
