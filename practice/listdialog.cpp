#include "practice/listdialog.h"

#include <string>

#include "app/drawing.h"
#include "app/fonts.h"
#include "store/catalogue.h"
#include "store/practicelists.h"
#include "store/records.h"
#include "text/uistrings.h"
#include "win/messages.h"
#include "win/session.h"

namespace {

INT_PTR OnInitDialog(HWND dialog) {
    for (int id : {int{kListDialogGroup}, int{kListDialogName}, IDOK, IDCANCEL})
        SendDlgItemMessageW(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(GuiFont), FALSE);
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

INT_PTR CALLBACK ListDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog);
    case WM_COMMAND: return OnCommand(dialog, wParam);
    default: return FALSE;
    }
}

}  // namespace

void RunNewListDialog(HWND owner) { DialogBoxParamW(ModuleInstance, L"listdialog", owner, ListDialogProc, 0); }
