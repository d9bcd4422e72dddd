#include "shell/startup.h"

#include <commctrl.h>

#include <string>

#include "app/fonts.h"
#include "app/globals.h"
#include "app/menus.h"
#include "app/settings.h"
#include "app/toolwindow.h"
#include "shell/mainwindow.h"
#include "store/catalogue.h"
#include "store/collation.h"
#include "store/practicelists.h"
#include "store/records.h"
#include "text/locale.h"
#include "text/uistrings.h"
#include "win/dpi.h"
#include "win/handles.h"

namespace {

constexpr int kFailedStart = 1;

void ResetSharedState(HINSTANCE instance) {
    ModuleInstance = instance;
    CurrentPracticeList.clear();
    PracticeMode = 0;
    ToolWindowOpen = 0;
    PracticeListCount = 0;
}

bool AnotherCopyRuns() { return FindWindowW(kMainWindowClass, UiText(Ui::Lingorix)) != nullptr; }

bool LoadWordLists() {
    if (LoadCatalogue() == 0) return true;
    MessageBoxW(nullptr, UiText(Ui::NoIni), UiText(Ui::Lingorix), MB_ICONWARNING);
    return false;
}

void ChooseCurrentWordList(const std::wstring& switchName) {
    ReadSelection();
    ApplySwitch(switchName);
    if (!SetCollationLocale(CurrentWordList().locale))
        MessageBoxW(nullptr, UiText(Ui::ErrorLocale), UiText(Ui::Lingorix), MB_ICONWARNING);
    LoadSortTable();
}

void CreateFontsFromProfile() {
    ReadStartSettings(AppSettings, ProfileFile);
    SharedFontSettings fonts;
    fonts.languageFace = AppSettings.languageFont;
    fonts.guiFace = AppSettings.guiFont;
    fonts.guiSize = AppSettings.guiFontSize;
    fonts.languageSize = AppSettings.languageFontSize;
    CreateSharedFonts(fonts, UiCharset());
}

// A practice list deleted outside the program since the last run is forgotten.
void ChoosePracticeList() {
    ReadPracticeListSettings(AppSettings, ProfileFile);
    CurrentPracticeList = AppSettings.practiceList;
    CurrentListId = AppSettings.listId;
    if (!CurrentPracticeList.empty() && !PracticeListExists(CurrentPracticeList)) {
        CurrentPracticeList.clear();
        CurrentListId = 800;
    }
}

// The rich edit control that printing needs is loaded when printing first needs it,
// which keeps it out of every start.
void LoadCommonControls() { InitCommonControls(); }

int RunMessageLoop(HACCEL accelerators) {
    MSG msg;
    BOOL got;
    while ((got = GetMessageW(&msg, nullptr, 0, 0)) != 0) {
        if (got == -1) return kFailedStart;
        if (TranslateToolWindowMessage(msg)) continue;
        if (TranslateAcceleratorW(MainWindow, accelerators, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace

int RunLingorix(HINSTANCE instance, const wchar_t* commandLine, int showCommand) {
    ResetSharedState(instance);
    DeclareDpiAwareness();
    LoadUiStrings();
    if (AnotherCopyRuns()) return kFailedStart;
    const std::wstring switchName = SwitchNameFromCommandLine(commandLine ? commandLine : L"");
    if (!LoadWordLists()) return kFailedStart;
    ChooseCurrentWordList(switchName);
    CreateFontsFromProfile();
    RegisterMainWindowClass(instance);
    ReadSystemMetrics();
    if (!CreateMainWindow(instance)) return kFailedStart;
    SetMessageOwner(MainWindow);
    ChoosePracticeList();
    OpenWordListFile();
    CountRecords();
    AttachMainMenu(MainWindow);
    LoadCommonControls();
    UniqueAccelerators accelerators(CreateMainAccelerators());
    ShowWindow(MainWindow, showCommand);
    UpdateWindow(MainWindow);
    return RunMessageLoop(accelerators.Get());
}
