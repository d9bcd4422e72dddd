// The running main window: switching word lists, swapping the direction, stay on
// top, the practise question, keyboard exit and what the end of the run writes.
#include <string>
#include <vector>

#include "e2e/e2efixture.h"
#include "support/testenv.h"

using namespace e2e;

namespace {

using MainWindowTest = EndToEndTest;

// Every line of the language file but the one after [Selected].
std::vector<std::string> LinesBesideSelection(const AppFolder& folder) {
    std::vector<std::string> lines = folder.LanguageFileLines();
    for (std::size_t i = 0; i + 1 < lines.size(); ++i)
        if (lines[i] == "[Selected]") lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i + 1));
    return lines;
}

TEST_F(MainWindowTest, LanguageMenuChoiceRewritesTheSelection) {
    const std::vector<std::string> before = LinesBesideSelection(folder);
    LaunchedApp app(folder);
    HWND main = StartMainWindow(app);
    ASSERT_NE(main, nullptr);

    // The menu is read on the program's own thread, so once it shows the new check
    // the command, and with it the rewrite of the language file, is complete.
    Command(main, 203);  // Russian-English
    EXPECT_EQ(CheckedLanguagesWhen(main, {203}), std::vector<UINT>{203});
    EXPECT_EQ(folder.SelectedWordList(), "Rus_Eng.tvk");
    EXPECT_EQ(LinesBesideSelection(folder), before);
    EXPECT_FALSE(folder.Exists(L"tmp.ini"));

    Command(main, 208);  // English-Russian, from the reverse half
    EXPECT_EQ(CheckedLanguagesWhen(main, {208}), std::vector<UINT>{208});
    EXPECT_EQ(folder.SelectedWordList(), "Eng_Rus.tvk");

    // The choice is kept for the next start.
    ASSERT_EQ(app.Exit(main), 0u);
    LaunchedApp again(folder);
    HWND next = StartMainWindow(again);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(ReadMenuBar(next).CheckedIds(kLanguagePopup), std::vector<UINT>{208});
}

// Choosing a list whose file is gone says so and changes nothing: the program runs on
// with the old list, and the next start finds the old selection.
TEST_F(MainWindowTest, WordListWithoutItsFileIsRefused) {
    ASSERT_TRUE(folder.Delete(L"wordlists\\Rus_Eng.tvk"));
    const std::vector<std::string> before = folder.LanguageFileLines();
    LaunchedApp app(folder);
    HWND main = StartMainWindow(app);
    ASSERT_NE(main, nullptr);

    Command(main, 203);  // Russian-English
    const std::optional<MessageBoxWindow> box = app.WaitForMessageBox();
    ASSERT_TRUE(box.has_value()) << "no message; running: " << app.Running();
    EXPECT_EQ(box->Text(), L"Can't open " + folder.Path() + L"\\wordlists\\Rus_Eng.tvk   ");
    EXPECT_EQ(box->Caption(), L"Lingorix");
    EXPECT_EQ(GetWindow(box->Handle(), GW_OWNER), main);
    EXPECT_TRUE(box->HasButton(IDOK));
    box->Press(IDOK);
    EXPECT_TRUE(WaitUntil([&] { return !app.FindMessageBox(); }, 15000));

    EXPECT_TRUE(app.Running());
    EXPECT_EQ(ReadMenuBar(main).CheckedIds(kLanguagePopup), std::vector<UINT>{200});
    EXPECT_EQ(folder.LanguageFileLines(), before);
    EXPECT_FALSE(folder.Exists(L"tmp.ini"));
    EXPECT_EQ(app.Exit(main), 0u);
}

TEST_F(MainWindowTest, IconClickSwapsTheDirection) {
    LaunchedApp app(folder);
    HWND main = StartMainWindow(app);
    ASSERT_NE(main, nullptr);

    // Beside the icons nothing happens; the messages are handled in order, so the
    // state after the later click on the icon shows that the first changed nothing.
    ClickClient(main, 100, 120);
    ClickClient(main, 70, 120);
    EXPECT_EQ(CheckedLanguagesWhen(main, {205}), std::vector<UINT>{205});
    EXPECT_EQ(folder.SelectedWordList(), "Eng_Fre.tvk");

    ClickClient(main, 91, 208);  // the lower icon's last pixel swaps back
    EXPECT_EQ(CheckedLanguagesWhen(main, {200}), std::vector<UINT>{200});
    EXPECT_EQ(folder.SelectedWordList(), "Fre_Eng.tvk");
}

TEST_F(MainWindowTest, StayOnTopFollowsTheProfileAndTheCommand) {
    profile::Set(L"StayOnTop", L"1");
    LaunchedApp app(folder);
    HWND main = StartMainWindow(app);
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(IsTopmost(main));
    EXPECT_TRUE(ReadMenuBar(main).IsChecked(55));

    Command(main, 55);
    EXPECT_TRUE(WaitUntil([&] { return !IsTopmost(main); }, 15000));
    EXPECT_FALSE(ReadMenuBar(main).IsChecked(55));

    Command(main, 55);
    EXPECT_TRUE(WaitUntil([&] { return IsTopmost(main); }, 15000));
    EXPECT_TRUE(ReadMenuBar(main).IsChecked(55));
}

TEST_F(MainWindowTest, PractiseWithoutPracticeWordsAsksAndNoChangesNothing) {
    folder.DeleteFolder(L"practice");
    LaunchedApp app(folder);
    HWND main = StartMainWindow(app);
    ASSERT_NE(main, nullptr);
    const MenuBar before = ReadMenuBar(main);

    Command(main, 11);
    const std::optional<MessageBoxWindow> box = app.WaitForMessageBox();
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->Caption(), L"Lingorix");
    EXPECT_EQ(box->Text(), EnglishText("CreateListEmpty1") + L" (French-English) " + EnglishText("CreateListEmpty2"));
    EXPECT_TRUE(box->HasButton(IDYES));
    EXPECT_TRUE(box->HasButton(IDNO));
    EXPECT_EQ(GetWindow(box->Handle(), GW_OWNER), main);

    box->Press(IDNO);
    EXPECT_TRUE(WaitUntil([&] { return !app.FindMessageBox(); }, 15000));
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_EQ(app.Windows(true), std::vector<HWND>{main});
    const MenuBar after = ReadMenuBar(main);
    for (std::size_t p = 0; p < before.popups.size(); ++p) EXPECT_EQ(after.CheckedIds(p), before.CheckedIds(p));
    EXPECT_EQ(folder.SelectedWordList(), "Fre_Eng.tvk");
}

TEST_F(MainWindowTest, EndOfRunWritesTheSettings) {
    LaunchedApp app(folder);
    HWND main = StartMainWindow(app);
    ASSERT_NE(main, nullptr);
    Command(main, 55);  // stay on top
    Command(main, 65);  // typed answers
    ASSERT_TRUE(WaitUntil([&] { return IsTopmost(main); }, 15000));
    const RECT outer = WindowRect(main);
    EXPECT_FALSE(profile::Int(L"StayOnTop")) << "written before the end";

    ASSERT_EQ(app.Exit(main), 0u);
    EXPECT_EQ(profile::Int(L"PracticeMode"), 1);
    EXPECT_EQ(profile::Int(L"StayOnTop"), 1);
    EXPECT_EQ(profile::Int(L"WinPosLeftMain"), outer.left);
    EXPECT_EQ(profile::Int(L"WinPosTopMain"), outer.top);
    EXPECT_EQ(profile::Int(L"searchwindowsize"), 10);
    EXPECT_EQ(profile::Int(L"searchwindowminimal"), 0);
    EXPECT_EQ(profile::Int(L"ClipSearch"), 0);
    EXPECT_EQ(profile::Int(L"AddNewWordsToList"), 1);
    EXPECT_EQ(profile::Int(L"PracticeSound"), 1);
    // Tool windows that were never opened keep no position, and nothing is written
    // that the program only reads.
    for (const wchar_t* key : {L"WinPosTopAdd", L"WinPosLeftAdd", L"WinPosTopSearch", L"WinPosTopPractise",
                               L"WinPosTopMakelist", L"WinPosTopTranslate", L"colorR", L"guifont", L"languagefont"})
        EXPECT_FALSE(profile::Text(key)) << std::string(key, key + wcslen(key));
}

TEST_F(MainWindowTest, SavedPositionAndModeAreUsedAtStart) {
    profile::Set(L"WinPosLeftMain", L"40");
    profile::Set(L"WinPosTopMain", L"30");
    profile::Set(L"PracticeMode", L"1");
    LaunchedApp app(folder);
    HWND main = StartMainWindow(app);
    ASSERT_NE(main, nullptr);
    const RECT outer = WindowRect(main);
    EXPECT_EQ(outer.left, 40);
    EXPECT_EQ(outer.top, 30);
    const MenuBar bar = ReadMenuBar(main);
    EXPECT_FALSE(bar.IsChecked(64));
    EXPECT_TRUE(bar.IsChecked(65));
}

// Alt and a letter as a hurried hand types them: Alt goes up before the letter.
bool PressAltShortcut(HWND window, WORD letter) {
    if (!BringToForeground(window)) return false;
    std::vector<INPUT> inputs;
    for (const auto& [key, up] : {std::pair<WORD, bool>{VK_MENU, false}, {letter, false}, {VK_MENU, true}, {letter, true}}) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    }
    return SendKeyboardInputs(std::move(inputs));
}

// A window opened by its Alt shortcut takes what is typed next into its main edit:
// its menu bar does not take the Alt key's release for its own. Escape closes it as
// its Done button does, and the main window is back for the next shortcut.
TEST_F(MainWindowTest, AltShortcutsOpenWindowsReadyForTyping) {
    LaunchedApp app(folder);
    HWND main = StartMainWindow(app);
    ASSERT_NE(main, nullptr);

    ASSERT_TRUE(PressAltShortcut(main, 'A'));
    HWND add = app.WaitForWindow(L"toevoeg", nullptr);
    ASSERT_NE(add, nullptr);
    ASSERT_TRUE(TypeText(add, L"maison"));
    EXPECT_TRUE(TextBecomes(GetDlgItem(add, 30), L"maison"));
    EXPECT_TRUE(TextBecomes(GetDlgItem(add, 31), L"house, home"));
    ASSERT_TRUE(PressKeys(add, {VK_ESCAPE}));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(add) && IsWindowVisible(main); }, 20000));

    ASSERT_TRUE(PressAltShortcut(main, 'S'));
    HWND search = app.WaitForWindow(L"zoeken", nullptr);
    ASSERT_NE(search, nullptr);
    ASSERT_TRUE(TypeText(search, L"merci"));
    EXPECT_TRUE(TextBecomes(GetDlgItem(search, 30), L"merci"));
    EXPECT_TRUE(TextBecomes(GetDlgItem(search, 100), L"merci"));
    EXPECT_TRUE(CloseAndExit(app, search, main));
}

TEST_F(MainWindowTest, CtrlQEndsTheProgram) {
    LaunchedApp app(folder);
    HWND main = StartMainWindow(app);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(PressKeys(main, {VK_CONTROL, 'Q'})) << "cannot bring the window to the foreground";
    EXPECT_EQ(app.WaitForExit(), 0u);
    EXPECT_TRUE(profile::Int(L"WinPosTopMain")) << "the settings were not written";
}

// The About box: modal and owned by the main window, which stays visible; its OK
// button closes it together with the animation.
TEST_F(MainWindowTest, AboutBoxIsModalOverTheVisibleMainWindowAndOkClosesIt) {
    ASSERT_TRUE(folder.Exists(L"gorix.avi"));
    LaunchedApp app(folder);
    HWND main = StartMainWindow(app);
    ASSERT_NE(main, nullptr);

    Command(main, 5);
    HWND about = app.WaitForWindow(L"#32770", EnglishText("AboutDialogCaption").c_str(), 10000);
    ASSERT_NE(about, nullptr) << "no About box";
    EXPECT_EQ(GetWindow(about, GW_OWNER), main);
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_FALSE(IsWindowEnabled(main)) << "not modal";
    HWND animation = nullptr;
    for (HWND child = GetWindow(about, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::wstring name = ClassName(child);
        if (_wcsicmp(name.c_str(), L"Button") != 0 && _wcsicmp(name.c_str(), L"Static") != 0) animation = child;
    }
    EXPECT_NE(animation, nullptr) << "no animation window";
    HWND ok = GetDlgItem(about, IDOK);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(WindowText(ok), EnglishText("AboutDialogOk"));

    const RECT button = ClientRect(ok);
    ClickClient(ok, button.right / 2, button.bottom / 2);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }, 15000)) << "OK did not close the About box";
    if (animation) {
        EXPECT_FALSE(IsWindow(animation));
    }
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(main); }, 15000));
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_TRUE(app.Running());
    EXPECT_EQ(app.Exit(main), 0u);
}

}  // namespace
