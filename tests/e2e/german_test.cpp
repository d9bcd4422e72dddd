// The German edition in the same data folder as the English one: language.ini
// chooses it, and then the main window, the language menu and the word lists are
// all its own.
#include <string>
#include <vector>

#include "e2e/e2efixture.h"

using namespace e2e;

namespace {

constexpr int kSearchCommand = 12;
constexpr int kSearchEdit = 30;

class GermanEditionTest : public EndToEndTest {
protected:
    void SetUp() override {
        EndToEndTest::SetUp();
        folder.Write(L"language.ini", "[Lingorix]\r\nLanguage=german\r\n");
    }
};

TEST_F(GermanEditionTest, MainWindowAndLanguageMenuAreTheGermanEditions) {
    LaunchedApp app(folder);
    HWND main = StartMainWindow(app);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(WindowText(GetDlgItem(main, 10)), L"Wörter hin&zufügen");
    EXPECT_EQ(WindowText(GetDlgItem(main, 11)), L"Ü&ben");
    EXPECT_EQ(WindowText(GetDlgItem(main, 12)), L"&Suchen");
    EXPECT_EQ(WindowText(GetDlgItem(main, 13)), L"Liste &erstellen");

    const MenuBar bar = ReadMenuBar(main);
    ASSERT_TRUE(bar.read) << "the menu probe did not answer";
    ASSERT_EQ(bar.popups.size(), 4u);
    EXPECT_EQ(bar.popups[0].title, L"&Datei");
    EXPECT_EQ(bar.popups[1].title, L"S&prachen");
    EXPECT_EQ(bar.popups[2].title, L"Übungs&art");
    EXPECT_EQ(bar.popups[3].title, L"&Hilfe");

    // The lists of sprachen.ini with German as the native language, not those of
    // the English edition's languages.ini.
    const std::vector<std::wstring> foreign = {L"Englisch", L"Französisch", L"Spanisch"};
    const std::vector<MenuItem>& languages = bar.popups[kLanguagePopup].items;
    ASSERT_EQ(languages.size(), 2 * foreign.size() + 1);
    for (std::size_t i = 0; i < foreign.size(); ++i) {
        EXPECT_EQ(languages[i].text, foreign[i] + L"\tDeutsch");
        EXPECT_EQ(languages[i + foreign.size() + 1].text, L"Deutsch\t" + foreign[i]);
    }
    EXPECT_TRUE(languages[foreign.size()].separator);
    EXPECT_EQ(bar.CheckedIds(kLanguagePopup), std::vector<UINT>{200});
    EXPECT_EQ(app.Exit(main), std::optional<DWORD>(0));

    // Each edition keeps to its own files.
    EXPECT_TRUE(folder.Exists(L"woerterlisten\\Eng_Deu.tvk"));
    EXPECT_TRUE(folder.Exists(L"uebungslisten\\Grundwortschatz\\Eng_Deu.ls"));
    EXPECT_EQ(folder.SelectedWordList(), "Fre_Eng.tvk");
}

TEST_F(GermanEditionTest, SearchShowsTheGermanTranslation) {
    LaunchedApp app(folder);
    HWND main = StartMainWindow(app);
    ASSERT_NE(main, nullptr);
    Command(main, kSearchCommand);
    HWND search = app.WaitForWindow(L"zoeken", L"Suchen");
    ASSERT_NE(search, nullptr);
    ASSERT_NE(WaitForControl(search, kSearchEdit), nullptr);
    ASSERT_TRUE(TypeText(search, L"key"));
    ASSERT_TRUE(TextBecomes(GetDlgItem(search, 100), L"key"));
    EXPECT_EQ(ControlText(GetDlgItem(search, 150)), L"Schlüssel");
}

}  // namespace
