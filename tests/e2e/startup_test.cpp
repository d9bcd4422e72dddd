// Start-up of the real program: the home screen, the single-instance rule, the
// messages of a failed start and the command line switch.
#include <string>
#include <vector>

#include "e2e/e2efixture.h"

using namespace e2e;

namespace {

using StartupTest = EndToEndTest;

// The sample language file: five foreign languages, French-English selected.
const std::vector<std::wstring> kForward = {L"French", L"Spanish", L"German", L"Russian", L"Greek"};

TEST_F(StartupTest, NormalStartShowsTheCentredHomeScreen) {
    LaunchedApp app(folder);
    HWND main = StartMainWindow(app);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(WindowText(main), L"Lingorix");
    EXPECT_FALSE(IsTopmost(main));

    const int caption = GetSystemMetrics(SM_CYCAPTION);
    const int menu = GetSystemMetrics(SM_CYMENU);
    const RECT outer = WindowRect(main);
    EXPECT_EQ(outer.right - outer.left, 565);
    EXPECT_EQ(outer.bottom - outer.top, caption + menu + 332);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 565) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - menu - caption - 332) / 2);

    struct Button {
        int id;
        int left;
        const wchar_t* text;
    };
    for (const Button& b : {Button{10, 10, L"&Add words"}, Button{13, 150, L"&Make practice list"},
                            Button{11, 290, L"P&ractise"}, Button{12, 430, L"&Search"}}) {
        SCOPED_TRACE(b.id);
        HWND button = GetDlgItem(main, b.id);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(ClassName(button), L"Button");
        EXPECT_EQ(WindowText(button), b.text);
        EXPECT_TRUE(IsWindowVisible(button));
        RECT r = WindowRect(button);
        MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, b.left);
        EXPECT_EQ(r.top, 280);
        EXPECT_EQ(r.right - r.left, 120);
        EXPECT_EQ(r.bottom - r.top, 30);
    }
}

TEST_F(StartupTest, MenuBarHasFourPopupsAndTheSelectedWordListChecked) {
    LaunchedApp app(folder);
    HWND main = StartMainWindow(app);
    ASSERT_NE(main, nullptr);
    const MenuBar bar = ReadMenuBar(main);
    ASSERT_TRUE(bar.read) << "the menu probe did not answer";
    ASSERT_EQ(bar.popups.size(), 4u);
    EXPECT_EQ(bar.popups[0].title, L"&File");
    EXPECT_EQ(bar.popups[1].title, L"&Languages");
    EXPECT_EQ(bar.popups[2].title, L"&Practice mode");
    EXPECT_EQ(bar.popups[3].title, L"&Help");

    std::vector<UINT> fileIds;
    for (const MenuItem& item : bar.popups[0].items) fileIds.push_back(item.id);
    EXPECT_EQ(fileIds, (std::vector<UINT>{55, 9, 62, 25, 0, 70, 71, 72, 0, 3}));
    EXPECT_FALSE(bar.IsChecked(55));
    EXPECT_TRUE(bar.IsChecked(64));
    EXPECT_FALSE(bar.IsChecked(65));
    std::vector<UINT> helpIds;
    for (const MenuItem& item : bar.popups[3].items) helpIds.push_back(item.id);
    EXPECT_EQ(helpIds, (std::vector<UINT>{4, 63, 67, 5}));

    // Forward lists 200-204, a separator, the reverse lists 205-209.
    const std::vector<MenuItem>& languages = bar.popups[kLanguagePopup].items;
    ASSERT_EQ(languages.size(), 11u);
    for (std::size_t i = 0; i < kForward.size(); ++i) {
        EXPECT_EQ(languages[i].id, 200 + i);
        EXPECT_EQ(languages[i].text, kForward[i] + L"\tEnglish");
        EXPECT_EQ(languages[i + 6].id, 205 + i);
        EXPECT_EQ(languages[i + 6].text, L"English\t" + kForward[i]);
    }
    EXPECT_TRUE(languages[5].separator);
    EXPECT_EQ(bar.CheckedIds(kLanguagePopup), std::vector<UINT>{200});
}

TEST_F(StartupTest, SecondInstanceEndsSilentlyWithCodeOne) {
    LaunchedApp first(folder);
    HWND main = StartMainWindow(first);
    ASSERT_NE(main, nullptr);

    LaunchedApp second(folder);
    ASSERT_TRUE(second.Started());
    bool showedSomething = false;
    const bool ended = WaitUntil(
        [&] {
            if (!second.Windows(true).empty()) showedSomething = true;
            return !second.Running();
        },
        15000);
    ASSERT_TRUE(ended) << "the second copy is still running";
    EXPECT_EQ(second.WaitForExit(0), 1u);
    EXPECT_FALSE(showedSomething);
    EXPECT_TRUE(first.Running());
    EXPECT_TRUE(IsWindowVisible(main));
}

// A failed start: one message box without owner, caption "Lingorix", exit code 1
// once it is answered, and no main window on the way.
void ExpectFailedStart(LaunchedApp& app, const std::wstring& text) {
    ASSERT_TRUE(app.Started());
    const std::optional<MessageBoxWindow> box = app.WaitForMessageBox();
    ASSERT_TRUE(box.has_value()) << "no message; exit code " << app.WaitForExit(0).value_or(259);
    EXPECT_EQ(box->Text(), text);
    EXPECT_EQ(box->Caption(), L"Lingorix");
    EXPECT_TRUE(box->HasButton(IDOK));
    for (HWND window : app.Windows(true)) EXPECT_NE(ClassName(window), L"tavok") << "main window shown";
    box->Press(IDOK);
    EXPECT_EQ(app.WaitForExit(), 1u);
}

TEST_F(StartupTest, MissingStringsFileIsReported) {
    ASSERT_TRUE(folder.Delete(L"strings\\english.str"));
    LaunchedApp app(folder);
    ExpectFailedStart(app, L"No strings file found.   ");
}

TEST_F(StartupTest, LanguageIniWithoutLanguageKeyFindsNoStringsFile) {
    folder.Write(L"language.ini", "[Lingorix]\r\nOther=english\r\n");
    LaunchedApp app(folder);
    ExpectFailedStart(app, L"No strings file found.   ");
}

TEST_F(StartupTest, MissingKeyIsNamed) {
    folder.Write(L"strings\\english.str", EnglishStringsWithout("Install_Finished"));
    LaunchedApp app(folder);
    ExpectFailedStart(app, L"String: Install_Finished not found.   ");
}

TEST_F(StartupTest, MissingLanguageFileIsReported) {
    ASSERT_TRUE(folder.Delete(L"languages.ini"));
    LaunchedApp app(folder);
    const std::wstring noIni = EnglishText("NoIni");
    ASSERT_FALSE(noIni.empty());
    ExpectFailedStart(app, noIni);
}

TEST_F(StartupTest, LanguageFileWithoutLanguagesIsReported) {
    folder.Write(L"languages.ini", "[Languages]\n\n[Selected]\nFre_Eng.tvk\n");
    LaunchedApp app(folder);
    ExpectFailedStart(app, EnglishText("NoIni"));
}

TEST_F(StartupTest, MissingWordListFileIsReported) {
    ASSERT_TRUE(folder.Delete(L"wordlists\\Fre_Eng.tvk"));
    LaunchedApp app(folder);
    ExpectFailedStart(app, L"Can't open " + folder.Path() + L"\\wordlists\\Fre_Eng.tvk   \n\nProgram aborted");
}

// A locale that cannot be set only brings a warning without owner; the start goes on.
TEST_F(StartupTest, LocaleThatCannotBeSetIsOnlyAWarning) {
    folder.Write(L"languages.ini",
                 "[Languages]\r\nFrench,klingon_qo'noS,0\r\nSpanish,spanish,0\r\n\r\n[Selected]\r\nFre_Eng.tvk\r\n");
    LaunchedApp app(folder);
    ASSERT_TRUE(app.Started());
    const std::optional<MessageBoxWindow> box = app.WaitForMessageBox();
    ASSERT_TRUE(box.has_value()) << "no warning; exit code " << app.WaitForExit(0).value_or(259);
    EXPECT_EQ(box->Text(), EnglishText("ErrorLocale"));
    EXPECT_EQ(box->Caption(), L"Lingorix");
    EXPECT_EQ(GetWindow(box->Handle(), GW_OWNER), nullptr);
    EXPECT_TRUE(box->HasButton(IDOK));
    for (HWND window : app.Windows()) EXPECT_NE(ClassName(window), L"tavok") << "main window before the warning";

    box->Press(IDOK);
    HWND main = app.WaitForMainWindow();
    ASSERT_NE(main, nullptr) << "the start did not go on";
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_EQ(ReadMenuBar(main).CheckedIds(kLanguagePopup), std::vector<UINT>{200});
    EXPECT_FALSE(app.FindMessageBox().has_value());
    EXPECT_EQ(app.Exit(main), 0u);
}

// The switch /tvk picks the first forward list whose language begins with the name.
struct SwitchCase {
    const wchar_t* arguments;
    UINT checked;
};

class CommandLineSwitchTest : public EndToEndTest, public ::testing::WithParamInterface<SwitchCase> {};

TEST_P(CommandLineSwitchTest, ChoosesTheCurrentWordList) {
    LaunchedApp app(folder, GetParam().arguments);
    HWND main = StartMainWindow(app);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(ReadMenuBar(main).CheckedIds(kLanguagePopup), std::vector<UINT>{GetParam().checked});
    // Only a choice in the running program is written to the language file.
    ASSERT_EQ(app.Exit(main), 0u);
    EXPECT_EQ(folder.SelectedWordList(), "Fre_Eng.tvk");
}

INSTANTIATE_TEST_SUITE_P(Switches, CommandLineSwitchTest,
                         ::testing::Values(SwitchCase{L"/tvk Gre", 204},   // Greek-English
                                           SwitchCase{L"/tvk eng", 200},   // begins the current second language
                                           SwitchCase{L"x /tvk Gre", 200}  // only the first token counts
                                           ));

}  // namespace
