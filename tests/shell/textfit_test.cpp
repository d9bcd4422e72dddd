// Every text of both editions fits its place: each window of the program opened on the
// edition's own data folder, its controls' texts measured with their fonts and its
// painted labels against their places and the controls beside them.
#include <gtest/gtest.h>

#include <cwchar>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/fonts.h"
#include "app/globals.h"
#include "app/settings.h"
#include "app/settingsfile.h"
#include "app/sortwindow.h"
#include "entry/addwindow.h"
#include "entry/exportdialog.h"
#include "entry/importdialog.h"
#include "entry/newlistwindow.h"
#include "lookup/overviewwindow.h"
#include "lookup/searchwindow.h"
#include "lookup/translatewindow.h"
#include "practice/addrandom.h"
#include "practice/flashcards.h"
#include "practice/maker.h"
#include "practice/progresswindow.h"
#include "practice/reviewoptions.h"
#include "practice/reviewwindow.h"
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
    UINT dpi = 96;
};
void PrintTo(const Edition& edition, std::ostream* out) { *out << edition.name << " at " << edition.dpi << " DPI"; }
std::string NameOf(const ::testing::TestParamInfo<Edition>& info) {
    return std::string(info.param.name) + std::to_string(info.param.dpi);
}

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
        g_dpi = GetParam().dpi;
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
        // The main window's end asks the loop to quit; no later loop of this thread may see it.
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        ToolWindowOpen = 0;
        ProfileFile = SettingsFilePath();
        CloseListFiles();
        DeleteSharedFonts();
        InstallEnglishUiStrings();
    }

    // A dialog that runs its own loop: measured from a timer inside that loop, then
    // closed as its close box would.
    static void CheckModal(const wchar_t* className, const std::function<void()>& run) {
        g_modalClass = className;
        g_modalMisfits.reset();
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
            HWND dialog = nullptr;
            EnumThreadWindows(
                GetCurrentThreadId(),
                [](HWND window, LPARAM found) {
                    wchar_t name[64] = {};
                    GetClassNameW(window, name, 64);
                    if (!IsWindowVisible(window) || std::wcscmp(name, g_modalClass) != 0) return TRUE;
                    *reinterpret_cast<HWND*>(found) = window;
                    return FALSE;
                },
                reinterpret_cast<LPARAM>(&dialog));
            if (!dialog) return;
            KillTimer(nullptr, id);
            if (g_dpi != 96) SimulateDpiChange(dialog, g_dpi);
            g_modalMisfits = TextMisfits(dialog);
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            PostMessageW(dialog, WM_CLOSE, 0, 0);
        });
        run();
        KillTimer(nullptr, timer);
        ASSERT_TRUE(g_modalMisfits.has_value()) << "no dialog of class " << Narrow(className);
        EXPECT_TRUE(g_modalMisfits->empty()) << Narrow(className) << ":\n" << DescribeMisfits(*g_modalMisfits);
    }
    static std::string Narrow(const wchar_t* text) { return std::string(text, text + std::wcslen(text)); }
    static inline const wchar_t* g_modalClass = nullptr;
    static inline UINT g_dpi = 96;
    static inline std::optional<std::vector<TextMisfit>> g_modalMisfits;

    // Opens a tool window, measures its texts and closes it again.
    void Check(const char* what, HWND (*open)()) {
        ToolWindowOpen = 1;
        HWND window = open();
        ASSERT_NE(window, nullptr) << what;
        if (GetParam().dpi != 96) SimulateDpiChange(window, GetParam().dpi);
        const std::vector<TextMisfit> misfits = TextMisfits(window);
        EXPECT_TRUE(misfits.empty()) << what << ":\n" << DescribeMisfits(misfits);
        if (IsWindow(window)) SendMessageW(window, WM_CLOSE, 0, 0);
        if (IsWindow(window)) DestroyWindow(window);
        ToolWindowOpen = 0;
    }

    TempDirectory dir;
};

// The windows of the shell, of word entry and of look-up.
class TextsFitInTheMainAndLookUpWindows : public TextsFit {};

TEST_P(TextsFitInTheMainAndLookUpWindows, InEveryWindow) {
    ShowWindow(MainWindow, SW_SHOWNOACTIVATE);
    if (GetParam().dpi != 96) SimulateDpiChange(MainWindow, GetParam().dpi);
    const std::vector<TextMisfit> misfits = TextMisfits(MainWindow);
    EXPECT_TRUE(misfits.empty()) << "main window:\n" << DescribeMisfits(misfits);
    Check("Add", OpenAddWindow);
    Check("Search", OpenSearchWindow);
    Check("Translate", OpenTranslateWindow);
    Check("new word list", OpenNewWordListWindow);
    Check("overview", OpenOverviewWindow);
    Check("sorting", OpenSortingWindow);
    CheckModal(kExportDialogClass, [] { ExportWords(MainWindow); });
    CheckModal(kImportDialogClass, [&] {
        ImportRequest request;
        request.path = dir.Full(L"words.csv");
        request.bytes = "word,translation\r\nchat,cat\r\n";
        RunImportDialog(MainWindow, request);
    });
}

INSTANTIATE_TEST_SUITE_P(Editions, TextsFitInTheMainAndLookUpWindows,
                         ::testing::Values(Edition{"english"}, Edition{"german"}, Edition{"english", 144},
                                           Edition{"german", 144}),
                         NameOf);

// The windows of practice and recording.
class TextsFitInThePracticeWindows : public TextsFit {};

TEST_P(TextsFitInThePracticeWindows, InEveryWindow) {
    ASSERT_GT(PracticeCount, 0);
    Check("maker", OpenPracticeListMaker);
    Check("add random words", OpenAddRandom);
    Check("flash cards", OpenFlashCards);
    Check("typed practice", OpenTypedPractice);
    Check("review", OpenReviewWindow);
    Check("progress", OpenProgressWindow);
    CheckModal(L"#32770", [] { RunReviewOptions(MainWindow); });
    Check("recorder", OpenRecorderWindow);
}

INSTANTIATE_TEST_SUITE_P(Editions, TextsFitInThePracticeWindows,
                         ::testing::Values(Edition{"english"}, Edition{"german"}, Edition{"english", 144},
                                           Edition{"german", 144}),
                         NameOf);

}  // namespace
