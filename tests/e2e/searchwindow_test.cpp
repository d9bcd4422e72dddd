// The Search window of the real program: rows that follow typing, corrections and
// deleted marks sorted away on closing (also across size changes), the clipboard
// both ways, and the Play item of the row menus.
#include <optional>
#include <string>
#include <vector>

#include "e2e/e2efixture.h"
#include "store/records.h"
#include "support/storefixture.h"
#include "text/codepage.h"

using namespace e2e;

namespace {

constexpr int kSearchCommand = 12;
constexpr int kRussianEnglish = 203;

class SearchWindowTest : public EndToEndTest {
protected:
    HWND OpenSearch(LaunchedApp& app, HWND main) {
        Command(main, kSearchCommand);
        HWND search = app.WaitForWindow(L"zoeken", nullptr);
        if (search) lookUp = WaitForControl(search, 30);
        return search;
    }
    HWND StartSearch(LaunchedApp& app, HWND& main) {
        main = StartMainWindow(app);
        return main ? OpenSearch(app, main) : nullptr;
    }
    static HWND Row(HWND search, int row, bool first = true) { return GetDlgItem(search, (first ? 100 : 150) + row); }
    std::vector<WordEntry> Entries(const wchar_t* file = L"wordlists\\Fre_Eng.tvk", UINT cp1 = 1252,
                                   UINT cp2 = 1252) const {
        return DecodeRecords(folder.Read(file), cp1, cp2);
    }
    // What another program's Copy does.
    static bool PutOnClipboard(const std::wstring& text) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
        if (!block) return false;
        wcscpy(static_cast<wchar_t*>(GlobalLock(block)), text.c_str());
        GlobalUnlock(block);
        const bool open = WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 5000);
        const bool put = open && EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, block);
        if (open) CloseClipboard();
        if (!put) GlobalFree(block);
        return put;
    }
    HWND lookUp = nullptr;
};

// Without the mouse: Tab walks the controls in reading order and a row's word reached
// with it is replaced by typing and stored with Enter; Escape closes the window as Done
// does, sorting what was changed. The wheel moves the rows as the arrow keys do, by the
// system's lines a notch, and the scroll bar follows.
TEST_F(SearchWindowTest, TabWheelAndEscapeDoWhatTheyDoEverywhere) {
    const std::vector<WordEntry> list = Entries();
    ASSERT_GT(list.size(), 20u);
    LaunchedApp app(folder);
    HWND main = nullptr;
    HWND search = StartSearch(app, main);
    ASSERT_NE(search, nullptr);
    const auto focusBecomes = [&](HWND control) { return WaitUntil([&] { return FocusOf(search) == control; }, 10000); };
    ASSERT_TRUE(focusBecomes(lookUp));
    ASSERT_TRUE(PressKeys(search, {VK_TAB}));
    EXPECT_TRUE(focusBecomes(GetDlgItem(search, 14)));  // Done
    ASSERT_TRUE(PressKeys(search, {VK_TAB}));
    EXPECT_TRUE(focusBecomes(Row(search, 0)));
    ASSERT_TRUE(PressKeys(search, {VK_TAB}));
    EXPECT_TRUE(focusBecomes(Row(search, 0, false)));
    ASSERT_TRUE(PressKeys(search, {VK_SHIFT, VK_TAB}));
    ASSERT_TRUE(focusBecomes(Row(search, 0)));
    ASSERT_TRUE(TypeText(search, L"zzz moved\r"));
    ASSERT_TRUE(focusBecomes(lookUp));
    EXPECT_EQ(ControlText(Row(search, 0)), L"zzz moved");

    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    ASSERT_GT(lines, 0u);
    ASSERT_LT(lines, 5u);  // four notches stay inside the list
    HWND bar = GetDlgItem(search, 41);
    ASSERT_TRUE(TurnWheelOver(Row(search, 1), -4));
    EXPECT_TRUE(TextBecomes(Row(search, 0), list[4 * lines].first));
    EXPECT_EQ(SendMessageW(bar, SBM_GETPOS, 0, 0), static_cast<LRESULT>(4 * lines / 10));
    ASSERT_TRUE(TurnWheelOver(Row(search, 1), 1));
    EXPECT_TRUE(TextBecomes(Row(search, 0), list[3 * lines].first));
    EXPECT_EQ(SendMessageW(bar, SBM_GETPOS, 0, 0), static_cast<LRESULT>(3 * lines / 10));

    ASSERT_TRUE(PressKeys(search, {VK_ESCAPE}));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(search) && IsWindowVisible(main); }, 20000));
    const std::vector<WordEntry> sorted = Entries();
    EXPECT_TRUE(Sorted(sorted, L"french"));
    ASSERT_NE(Find(sorted, L"zzz moved"), nullptr);
    EXPECT_EQ(Find(sorted, L"zzz moved")->second, list[0].second);
    EXPECT_EQ(app.Exit(main), 0u);
}

TEST_F(SearchWindowTest, TypingMovesTheRowsToTheWordAndStopsAtTheEnd) {
    const std::vector<WordEntry> list = Entries();
    ASSERT_GT(list.size(), 20u);
    LaunchedApp app(folder);
    HWND main = nullptr;
    HWND search = StartSearch(app, main);
    ASSERT_NE(search, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); }, 10000));
    EXPECT_EQ(ControlText(Row(search, 0)), list[0].first);
    EXPECT_EQ(ControlText(Row(search, 9, false)), list[9].second);
    EXPECT_EQ(Row(search, 10), nullptr);

    ASSERT_TRUE(TypeText(search, L"merci"));
    ASSERT_TRUE(TextBecomes(Row(search, 0), L"merci"));
    EXPECT_EQ(ControlText(Row(search, 0, false)), L"thank you, thanks");
    // After every entry: the last ten rows of the list, not rows past its end.
    ASSERT_TRUE(TypeText(search, L"\rzzzz"));
    ASSERT_TRUE(TextBecomes(Row(search, 9), list.back().first));
    EXPECT_EQ(ControlText(Row(search, 0)), list[list.size() - 10].first);
    ASSERT_TRUE(TextBecomes(lookUp, L"zzzz"));  // every key in before the scroll bar is used
    // The scroll bar: a page is the ten rows, the thumb stands for tens of entries.
    HWND bar = GetDlgItem(search, 41);
    PostMessageW(search, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 3), reinterpret_cast<LPARAM>(bar));
    ASSERT_TRUE(TextBecomes(Row(search, 0), list[30].first));
    PostMessageW(search, WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), reinterpret_cast<LPARAM>(bar));
    ASSERT_TRUE(TextBecomes(Row(search, 0), list[40].first));
    ASSERT_TRUE(TypeText(search, L"\rzzzz"));
    ASSERT_TRUE(TextBecomes(lookUp, L"zzzz"));
    ASSERT_TRUE(TextBecomes(Row(search, 9), list.back().first));
    // Up moves one entry; Enter empties the edit and goes back to the first entry.
    ASSERT_TRUE(PressKeys(search, {VK_UP}));
    ASSERT_TRUE(TextBecomes(Row(search, 9), list[list.size() - 2].first));
    ASSERT_TRUE(TypeText(search, L"\r"));
    ASSERT_TRUE(TextBecomes(Row(search, 0), list[0].first));
    EXPECT_EQ(ControlText(lookUp), L"");
    EXPECT_TRUE(CloseAndExit(app, search, main));
}

// A correction and a mark made before the size changes are sorted all the same when
// the last of the rebuilt windows closes.
TEST_F(SearchWindowTest, CorrectionsAndMarksSurviveSizeChangesAndAreSortedAtClose) {
    LaunchedApp app(folder);
    HWND main = nullptr;
    HWND search = StartSearch(app, main);
    ASSERT_NE(search, nullptr);

    // "merc" already shows "merci": the last key must be in before the row is clicked.
    ASSERT_TRUE(TypeText(search, L"merci"));
    ASSERT_TRUE(TextBecomes(lookUp, L"merci"));
    HWND merci = Row(search, 0);
    ASSERT_TRUE(TextBecomes(merci, L"merci"));
    ClickClient(merci, 5, 5);
    SendMessageW(merci, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"aaa merci"));
    ASSERT_TRUE(TypeText(search, L"\r"));
    // Enter gives the focus back to the look-up edit: typing finds the next word there.
    ASSERT_TRUE(TypeText(search, L"\rbonsoir"));
    ASSERT_TRUE(TextBecomes(lookUp, L"bonsoir"));
    HWND bonsoir = Row(search, 0);
    ASSERT_TRUE(TextBecomes(bonsoir, L"bonsoir"));
    PostMessageW(bonsoir, WM_COMMAND, 50, 0);  // the row menu's Delete
    ASSERT_TRUE(TextBecomes(bonsoir, EnglishText("CreateListDeleted")));
    ASSERT_TRUE(TextBecomes(Row(search, 0, false), EnglishText("CreateListDeleted")));

    Command(search, 605);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(search); }, 10000));
    search = app.WaitForWindow(L"zoeken", nullptr);
    ASSERT_NE(search, nullptr);
    EXPECT_NE(WaitForControl(search, 104), nullptr);
    EXPECT_EQ(GetDlgItem(search, 105), nullptr);
    EXPECT_FALSE(IsWindowVisible(main));

    Command(search, 600);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(search); }, 10000));
    search = app.WaitForWindow(L"zoeken", nullptr);
    ASSERT_NE(search, nullptr);
    EXPECT_EQ(WindowRect(search).right - WindowRect(search).left, 500);
    lookUp = WaitForControl(search, 30);
    EXPECT_FALSE(IsWindowVisible(lookUp));
    // The hidden edit still has the focus and drives the single row.
    ASSERT_TRUE(TypeText(search, L"oui"));
    EXPECT_TRUE(TextBecomes(Row(search, 0), L"oui"));
    ASSERT_TRUE(CloseAndExit(app, search, main));

    const std::vector<WordEntry> list = Entries();
    EXPECT_TRUE(Sorted(list, L"french"));
    ASSERT_NE(Find(list, L"aaa merci"), nullptr);
    EXPECT_EQ(Find(list, L"aaa merci")->second, L"thank you, thanks");
    EXPECT_EQ(Find(list, L"merci"), nullptr);
    EXPECT_EQ(Find(list, L"bonsoir"), nullptr);
    EXPECT_EQ(Find(list, L"bonjour")->second, L"hello, good morning");
    EXPECT_EQ(profile::Int(L"searchwindowminimal"), 1);
}

// Russian words go to the clipboard as Unicode text and as code page 1251 text, so
// they arrive whole in any program, and come back from it into a row.
TEST_F(SearchWindowTest, CopyPutsBothTextFormsAndPasteTakesTheWordBack) {
    LaunchedApp app(folder);
    HWND main = StartMainWindow(app);
    ASSERT_NE(main, nullptr);
    Command(main, kRussianEnglish);
    EXPECT_EQ(CheckedLanguagesWhen(main, {kRussianEnglish}), std::vector<UINT>{kRussianEnglish});
    HWND search = OpenSearch(app, main);
    ASSERT_NE(search, nullptr);
    HWND first = Row(search, 0);
    const std::wstring word = ControlText(first);
    ASSERT_FALSE(word.empty());
    ASSERT_GE(word[0], L'\x0400');

    const DWORD before = GetClipboardSequenceNumber();
    PostMessageW(first, WM_COMMAND, 53, 0);
    ASSERT_TRUE(WaitUntil([&] { return GetClipboardSequenceNumber() != before; }, 10000));
    std::wstring unicode;
    std::string narrow;
    ASSERT_TRUE(WaitUntil(
        [&] {
            if (!OpenClipboard(nullptr)) return false;
            if (HANDLE h = GetClipboardData(CF_UNICODETEXT))
                if (const auto* p = static_cast<const wchar_t*>(GlobalLock(h))) unicode = p, GlobalUnlock(h);
            if (HANDLE h = GetClipboardData(CF_TEXT))
                if (const auto* p = static_cast<const char*>(GlobalLock(h))) narrow = p, GlobalUnlock(h);
            CloseClipboard();
            return unicode == word;
        },
        10000));
    EXPECT_EQ(narrow, ToNarrow(word, 1251));

    HWND target = Row(search, 1);
    PostMessageW(target, WM_COMMAND, 54, 0);
    EXPECT_TRUE(TextBecomes(target, word));
    // A pasted text longer than the column is cut to it.
    ASSERT_TRUE(PutOnClipboard(std::wstring(300, L'\x0436')));
    PostMessageW(target, WM_COMMAND, 54, 0);
    EXPECT_TRUE(TextBecomes(target, std::wstring(30, L'\x0436')));
    ASSERT_TRUE(CloseAndExit(app, search, main));
}

TEST_F(SearchWindowTest, FollowedClipboardLooksUpWhatAnotherProgramCopies) {
    profile::Set(L"ClipSearch", L"1");
    LaunchedApp app(folder);
    HWND main = nullptr;
    HWND search = StartSearch(app, main);
    ASSERT_NE(search, nullptr);
    EXPECT_TRUE(ReadMenuBar(search).IsChecked(56));
    ShowWindow(search, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(search) != FALSE; }, 10000));
    ASSERT_TRUE(PutOnClipboard(L"merci"));
    EXPECT_TRUE(TextBecomes(Row(search, 0), L"merci"));
    EXPECT_EQ(ControlText(lookUp), L"merci");
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(search); }, 10000));
    // Not following: a copy changes nothing.
    Command(search, 57);
    ASSERT_TRUE(WaitUntil([&] { return !ReadMenuBar(search).IsChecked(56); }, 10000));
    ASSERT_TRUE(PutOnClipboard(L"bonjour"));
    ASSERT_TRUE(PutOnClipboard(L"oui"));
    SendMessageW(search, WM_NULL, 0, 0);  // after any notification of the copy
    EXPECT_EQ(ControlText(lookUp), L"merci");
    ASSERT_TRUE(CloseAndExit(app, search, main));
}

// The language menu on the window's own area switches the list the rows show; a
// correction of the old list is sorted first, and a list whose file is gone is
// refused with the window left as it was.
TEST_F(SearchWindowTest, LanguageMenuSwitchesTheListAfterSortingTheOldOne) {
    folder.Delete(L"wordlists\\Spa_Eng.tvk");
    LaunchedApp app(folder);
    HWND main = nullptr;
    HWND search = StartSearch(app, main);
    ASSERT_NE(search, nullptr);
    HWND first = Row(search, 0);
    ClickClient(first, 5, 5);
    SendMessageW(first, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"zzz"));
    ASSERT_TRUE(TypeText(search, L"\r"));
    // The menu must not open before the Enter is in: the menu would take it.
    ASSERT_TRUE(WaitUntil([&] { return Entries().at(0).first == L"zzz"; }, 10000));

    const MenuBar items = ReadContextMenu(app, search, {300, 8});
    ASSERT_TRUE(items.read);
    ASSERT_NE(items.Find(kRussianEnglish), nullptr);
    EXPECT_TRUE(items.IsChecked(200));

    Command(search, 201);
    const auto box = app.WaitForMessageBox();
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(GetWindow(box->Handle(), GW_OWNER), search);
    box->Press(IDOK);
    Command(search, kRussianEnglish);
    const std::vector<WordEntry> russian = Entries(L"wordlists\\Rus_Eng.tvk", 1251, 1252);
    ASSERT_FALSE(russian.empty());
    EXPECT_TRUE(TextBecomes(Row(search, 0), russian[0].first));
    EXPECT_EQ(ControlText(Row(search, 0, false)), russian[0].second);
    EXPECT_TRUE(IsWindowVisible(search));
    EXPECT_EQ(CheckedLanguagesWhen(main, {kRussianEnglish}), std::vector<UINT>{kRussianEnglish});
    EXPECT_EQ(folder.SelectedWordList(), "Rus_Eng.tvk");
    const std::vector<WordEntry> french = Entries();
    EXPECT_TRUE(Sorted(french, L"french"));
    EXPECT_NE(Find(french, L"zzz"), nullptr);
    ASSERT_TRUE(CloseAndExit(app, search, main));
}

// A second word plays piece by piece: "thank you, thanks" has a recording of its
// second piece only; "merci" and the next row's words have none.
TEST_F(SearchWindowTest, PlayIsOfferedOnlyForWordsWithARecording) {
    folder.Write(L"sound\\English\\thanks.wav", folder.Read(L"right.wav"));
    LaunchedApp app(folder);
    HWND main = nullptr;
    HWND search = StartSearch(app, main);
    ASSERT_NE(search, nullptr);
    ASSERT_TRUE(TypeText(search, L"merci"));
    ASSERT_TRUE(TextBecomes(lookUp, L"merci"));  // a menu would take a key still on its way
    ASSERT_TRUE(TextBecomes(Row(search, 0), L"merci"));
    const auto playOffered = [&](HWND edit) -> std::optional<bool> {
        const MenuBar items = ReadContextMenu(app, edit);
        const MenuItem* play = items.Find(58);
        if (!play || play->text != EnglishText("SearchPlay")) return std::nullopt;
        return !play->grayed;
    };
    EXPECT_EQ(playOffered(Row(search, 0, false)), std::optional<bool>(true));
    EXPECT_EQ(playOffered(Row(search, 0)), std::optional<bool>(false));
    EXPECT_EQ(playOffered(Row(search, 1, false)), std::optional<bool>(false));
    // Playing is synchronous; the window answers again once it is done.
    PostMessageW(Row(search, 0, false), WM_COMMAND, 58, 0);
    ASSERT_TRUE(TypeText(search, L"\r"));
    EXPECT_TRUE(TextBecomes(lookUp, L""));
    ASSERT_TRUE(CloseAndExit(app, search, main));
}

}  // namespace
