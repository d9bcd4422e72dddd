#include "app/wordlists.h"

#include <string>

#include "app/globals.h"
#include "app/menus.h"
#include "store/catalogue.h"
#include "store/records.h"
#include "text/uistrings.h"
#include "win/messages.h"

WordListDescriptor* WordListOfCommand(int commandId) {
    for (const auto& d : Catalogue())
        if (d->menuCommandId == commandId) return d.get();
    return nullptr;
}

void UncheckLanguageItem() {
    if (LanguageMenu && CheckedLanguageItem)
        CheckMenuItem(LanguageMenu, static_cast<UINT>(CheckedLanguageItem), MF_BYCOMMAND | MF_UNCHECKED);
}

bool SelectWordList(WordListDescriptor& d, HWND messageOwner) {
    // Checked before anything changes: once the selection names a list whose file is
    // gone, the store ends the program at the switch and at every start after it.
    if (!WordListFileOpens(d)) {
        const std::wstring text = CantOpenWordListText(d);
        ShowMessage(messageOwner ? messageOwner : MainWindow, text.c_str(), UiText(Ui::Lingorix), MB_ICONWARNING);
        return false;
    }
    UncheckLanguageItem();
    CheckedLanguageItem = d.menuCommandId;
    if (LanguageMenu) CheckMenuItem(LanguageMenu, static_cast<UINT>(d.menuCommandId), MF_BYCOMMAND | MF_CHECKED);
    SetCurrentWordList(d);
    SaveSelection();
    if (MainWindow) SendMessageW(MainWindow, kWordListChangedMessage, 0, 0);
    return true;
}
