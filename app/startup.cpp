#include "app/startup.h"

#include <string>

#include "app/globals.h"
#include "store/catalogue.h"
#include "store/collation.h"
#include "store/records.h"
#include "text/codepage.h"
#include "text/locale.h"
#include "text/uistrings.h"

int RunLingorix(HINSTANCE instance, const wchar_t* commandLine, int /*showCommand*/) {
    ModuleInstance = instance;
    CurrentPracticeList.clear();
    PracticeMode = 0;
    ToolWindowOpen = 0;

    LoadUiStrings();
    if (FindWindowW(L"tavok", UiText(Ui::Lingorix))) return 1;

    const std::wstring switchName = SwitchNameFromCommandLine(commandLine ? commandLine : L"");
    if (LoadCatalogue() != 0) {
        MessageBoxW(nullptr, UiText(Ui::NoIni), UiText(Ui::Lingorix), MB_ICONWARNING);
        return 1;
    }
    ReadSelection();
    ApplySwitch(switchName);
    if (!SetCollationLocale(CurrentWordList().locale))
        MessageBoxW(nullptr, UiText(Ui::ErrorLocale), UiText(Ui::Lingorix), MB_ICONWARNING);
    LoadSortTable();
    ReadSystemMetrics();
    OpenWordListFile();
    CountRecords();

    const WordListDescriptor& d = CurrentWordList();
    const std::wstring report = d.firstName + L" - " + d.secondName + L": " + std::to_wstring(WordCount) + L" words";
    MessageBoxW(nullptr, report.c_str(), UiText(Ui::Lingorix), MB_ICONINFORMATION);
    CloseListFiles();
    return 0;
}
