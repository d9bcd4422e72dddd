#include "app/menus.h"

#include <string>

#include "app/globals.h"
#include "store/backups.h"
#include "store/catalogue.h"
#include "text/uistrings.h"

HMENU LanguageMenu = nullptr;
int CheckedLanguageItem = 0;

namespace {

constexpr std::size_t kLanguageItemChars = 199;

void AppendItem(HMENU menu, int id, Ui text, bool checked = false) {
    AppendMenuW(menu, MF_STRING | (checked ? MF_CHECKED : MF_UNCHECKED), static_cast<UINT_PTR>(id), UiText(text));
}

HMENU FileMenu() {
    HMENU menu = CreatePopupMenu();
    AppendItem(menu, kCmdStayOnTop, Ui::MainMenuFile1, StayOnTop == 1);
    AppendItem(menu, kCmdTranslate, Ui::MainMenuFile2);
    AppendItem(menu, kCmdNewWordList, Ui::MainMenuFile3);
    AppendItem(menu, kCmdRecord, Ui::RecordCaption);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendItem(menu, kCmdImport, Ui::MainMenuImport);
    AppendItem(menu, kCmdExport, Ui::MainMenuExport);
    AppendItem(menu, kCmdUndoImport, Ui::MainMenuUndoImport);
    EnableMenuItem(menu, kCmdUndoImport, MF_BYCOMMAND | MF_GRAYED);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendItem(menu, kCmdExit, Ui::MainMenuFile4);
    return menu;
}

HMENU PracticeModeMenu() {
    HMENU menu = CreatePopupMenu();
    AppendItem(menu, kCmdFlashCards, Ui::MainMenuPracticeMode1, PracticeMode == 0);
    AppendItem(menu, kCmdTypedPractice, Ui::MainMenuPracticeMode2, PracticeMode == 1);
    AppendItem(menu, kCmdReviewMode, Ui::MainMenuPracticeMode3, PracticeMode == 2);
    return menu;
}

HMENU HelpMenu() {
    HMENU menu = CreatePopupMenu();
    AppendItem(menu, kCmdHelp, Ui::MainMenuPracticeHelp1);
    AppendItem(menu, kCmdOverview, Ui::MainMenuPracticeHelp2);
    AppendItem(menu, kCmdProgress, Ui::MenuProgress);
    AppendItem(menu, kCmdAbout, Ui::MainMenuPracticeHelp3);
    return menu;
}

// Forward word lists first, a separator, then the reverse ones.
HMENU WordListMenu() {
    HMENU menu = CreatePopupMenu();
    const CatalogueList& catalogue = Catalogue();
    const int half = static_cast<int>(catalogue.size()) / 2;
    for (int i = 0; i < static_cast<int>(catalogue.size()); ++i) {
        if (i == half) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AddLanguageMenuItem(menu, *catalogue[static_cast<std::size_t>(i)], kCmdFirstWordList + i);
    }
    return menu;
}

void CheckSelectedWordList() {
    CheckedLanguageItem = 0;
    for (const auto& d : Catalogue()) {
        if (d->selected != 1) continue;
        CheckMenuItem(LanguageMenu, static_cast<UINT>(d->menuCommandId), MF_BYCOMMAND | MF_CHECKED);
        CheckedLanguageItem = d->menuCommandId;
        return;
    }
}

void AppendPopup(HMENU bar, HMENU popup, Ui title) {
    AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), UiText(title));
}

WORD FirstCharacterKey(Ui text) { return static_cast<WORD>(UiText(text)[0]); }

}  // namespace

void AddLanguageMenuItem(HMENU menu, WordListDescriptor& d, int commandId) {
    std::wstring text = d.firstName + L"\t" + d.secondName;
    if (text.size() > kLanguageItemChars) text.resize(kLanguageItemChars);
    AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(commandId), text.c_str());
    d.menuCommandId = commandId;
}

HMENU CreateMainMenuBar() {
    HMENU bar = CreateMenu();
    AppendPopup(bar, FileMenu(), Ui::MainMenuFile0);
    AppendPopup(bar, PracticeModeMenu(), Ui::MainMenuPracticeMode0);
    AppendPopup(bar, HelpMenu(), Ui::MainMenuPracticeHelp0);
    LanguageMenu = WordListMenu();
    InsertMenuW(bar, 1, MF_BYPOSITION | MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(LanguageMenu),
                UiText(Ui::LanguageMenu));
    CheckSelectedWordList();
    return bar;
}

void AttachMainMenu(HWND window) {
    HMENU old = GetMenu(window);
    SetMenu(window, CreateMainMenuBar());
    if (old) DestroyMenu(old);
    DrawMenuBar(window);
}

std::vector<ACCEL> MainAcceleratorEntries() {
    return {
        {FALT | FVIRTKEY, FirstCharacterKey(Ui::AccelAdd), kCmdAdd},
        {FALT | FVIRTKEY, FirstCharacterKey(Ui::AccelPractice), kCmdPractise},
        {FALT | FVIRTKEY, FirstCharacterKey(Ui::AccelSearch), kCmdSearch},
        {FALT | FVIRTKEY, FirstCharacterKey(Ui::AccelCreatelist), kCmdMakeList},
        {FCONTROL | FVIRTKEY, FirstCharacterKey(Ui::AccelExit), kCmdExit},
        {FVIRTKEY, VK_F1, kCmdHelp},
    };
}

HACCEL CreateMainAccelerators() {
    std::vector<ACCEL> entries = MainAcceleratorEntries();
    return CreateAcceleratorTableW(entries.data(), static_cast<int>(entries.size()));
}

void UpdateUndoImportItem(HMENU bar) {
    if (bar) EnableMenuItem(bar, kCmdUndoImport, MF_BYCOMMAND | (CanUndoImport() ? MF_ENABLED : MF_GRAYED));
}

void CheckMenuPair(HMENU menu, int checkedId, int uncheckedId) {
    CheckMenuItem(menu, static_cast<UINT>(checkedId), MF_BYCOMMAND | MF_CHECKED);
    CheckMenuItem(menu, static_cast<UINT>(uncheckedId), MF_BYCOMMAND | MF_UNCHECKED);
}

void TrackLanguageMenu(HWND window, LPARAM clientPoint) {
    if (!LanguageMenu) return;
    POINT at{static_cast<short>(LOWORD(clientPoint)), static_cast<short>(HIWORD(clientPoint))};
    ClientToScreen(window, &at);
    TrackPopupMenu(LanguageMenu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, window, nullptr);
}
