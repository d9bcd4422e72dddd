// Every text of both editions fits its place: each window of the program opened on the
// edition's own data folder, its controls' texts measured with their fonts and its
// painted labels against their places and the controls beside them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/fonts.h"
#include "app/globals.h"
#include "app/settings.h"
#include "app/settingsfile.h"
#include "app/sortwindow.h"
#include "entry/addwindow.h"
#include "entry/newlistwindow.h"
#include "lookup/overviewwindow.h"
#include "lookup/searchwindow.h"
#include "lookup/translatewindow.h"
#include "practice/addrandom.h"
#include "practice/flashcards.h"
#include "practice/maker.h"
#include "practice/typedpractice.h"
#include "shell/mainwindow.h"
#include "sound/recorder.h"
#include "store/catalogue.h"
#include "store/collation.h"
#include "store/practicelists.h"
#include "store/records.h"
#include "support/testenv.h"
#include "support/textfit.h"
#include "text/locale.h"
#include "text/uistrings.h"

namespace {

std::wstring BinDirectory() {
    std::wstring dir = EnvironmentValue(L"LINGORIX_BIN_DIR");
    if (!dir.empty() && dir[0] == L'/') dir = L"Z:" + dir;
    for (wchar_t& c : dir)
        if (c == L'/') c = L'\\';
    return dir;
}

struct Edition {
    const char* name;
};
void PrintTo(const Edition& edition, std::ostream* out) { *out << edition.name; }

class TextsFit : public ::testing::TestWithParam<Edition> {
protected:
    void SetUp() override {
        const std::wstring bin = BinDirectory();
        ASSERT_FALSE(bin.empty()) << "LINGORIX_BIN_DIR is not set";
        // The edition's own data folder, as the build ships it.
        for (const auto& [path, bytes] : FilesBelow(bin)) {
            const std::wstring relative = path.substr(bin.size() + 1);
            if (relative.ends_with(L".exe") || relative.ends_with(L".avi")) continue;
            WriteBytes(relative, bytes);
        }
        const std::string edition = GetParam().name;
        const std::wstring strings = L"strings\\" + std::wstring(edition.begin(), edition.end()) + L".str";
        ASSERT_TRUE(LoadUiStringsFile(dir.Full(strings)).Ok());
        ModuleInstance = GetModuleHandleW(nullptr);
        ReadSystemMetrics();
        ASSERT_EQ(LoadCatalogue(), 0);
        ReadSelection();
        SetCollationLocale(CurrentWordList().locale);
        LoadSortTable();
        CreateSharedFonts(SharedFontSettings{}, UiCharset());
        AppSettings = {};
        ProfileFile = dir.Full(L"lingorix.ini");
        ASSERT_TRUE(RegisterMainWindowClass(ModuleInstance));
        MainWindow = CreateMainWindow(ModuleInstance);
        ASSERT_NE(MainWindow, nullptr);
        OpenWordListFile();
        CountRecords();
        CurrentPracticeList.clear();
        SelectFirstPracticeList();
        ClosePracticeListFile();
        OpenPracticeListFile();
        CountPracticeRecords();
    }
    void TearDown() override {
        if (MainWindow) DestroyWindow(MainWindow);
        MainWindow = nullptr;
        ToolWindowOpen = 0;
        ProfileFile = SettingsFilePath();
        CloseListFiles();
        DeleteSharedFonts();
        InstallEnglishUiStrings();
    }

    // Opens a tool window, measures its texts and closes it again.
    void Check(const char* what, HWND (*open)()) {
        ToolWindowOpen = 1;
        HWND window = open();
        ASSERT_NE(window, nullptr) << what;
        const std::vector<TextMisfit> misfits = TextMisfits(window);
        EXPECT_TRUE(misfits.empty()) << what << ":\n" << DescribeMisfits(misfits);
        if (IsWindow(window)) SendMessageW(window, WM_CLOSE, 0, 0);
        if (IsWindow(window)) DestroyWindow(window);
        ToolWindowOpen = 0;
    }

    TempDirectory dir;
};

TEST_P(TextsFit, InEveryWindow) {
    ShowWindow(MainWindow, SW_SHOWNOACTIVATE);
    const std::vector<TextMisfit> misfits = TextMisfits(MainWindow);
    EXPECT_TRUE(misfits.empty()) << "main window:\n" << DescribeMisfits(misfits);
    ASSERT_GT(PracticeCount, 0);
    Check("Add", OpenAddWindow);
    Check("Search", OpenSearchWindow);
    Check("Translate", OpenTranslateWindow);
    Check("maker", OpenPracticeListMaker);
    Check("flash cards", OpenFlashCards);
    Check("typed practice", OpenTypedPractice);
    Check("recorder", OpenRecorderWindow);
    Check("new word list", OpenNewWordListWindow);
    Check("overview", OpenOverviewWindow);
    Check("sorting", OpenSortingWindow);
    Check("add random words", OpenAddRandom);
}

INSTANTIATE_TEST_SUITE_P(Editions, TextsFit, ::testing::Values(Edition{"english"}, Edition{"german"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
