// The practice list maker of the real program: naming the first list, filling it by
// clicking words, marking entries, random words, switching and deleting lists.
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

#include "e2e/e2efixture.h"
#include "support/storefixture.h"

using namespace e2e;

namespace {

constexpr int kMakeList = 13;

class MakerTest : public EndToEndTest {
protected:
    std::vector<WordEntry> PracticeFile(const std::wstring& list) const {
        return DecodeRecords(folder.Read(L"practice\\" + list + L"\\Fre_Eng.ls"));
    }
    static std::wstring Caption(const std::wstring& list) {
        return EnglishText("CreateListCaption") + L": " + list + L" (French-English)";
    }
    HWND OpenMaker(const LaunchedApp& app, HWND main) {
        Command(main, kMakeList);
        return app.WaitForWindow(L"lijst", nullptr);
    }
    // Answers the new-list dialog with a name; the dialog's window, still open when
    // the name was refused.
    static HWND NameList(const LaunchedApp& app, const std::wstring& name) {
        HWND dialog = app.WaitForWindow(L"#32770", EnglishText("NewlistDialogCaption").c_str());
        if (!dialog) return nullptr;
        HWND edit = GetDlgItem(dialog, 30);
        SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
        MessageBoxWindow(dialog).Press(IDOK);
        return dialog;
    }
    static void Click(HWND maker, int id) {
        HWND control = GetDlgItem(maker, id);
        ClickClient(control, 5, 5);
    }
    static void ClickWordRow(HWND maker, int row) {
        // The first-word row of that id (the second-word row has the same id).
        HWND control = nullptr;
        for (HWND child = GetWindow(maker, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (GetDlgCtrlID(child) == 550 + row && !control) control = child;
        ClickClient(control, 5, 5);
    }
    static bool RowShows(HWND maker, int id, const std::wstring& text) {
        return WaitUntil([&] { return ControlText(GetDlgItem(maker, id)) == text; }, 10000);
    }
    // Answers the message box that the window owns; its text.
    static std::wstring AnswerBox(const LaunchedApp& app, HWND owner, int button) {
        HWND box = nullptr;
        WaitUntil(
            [&] {
                for (HWND w : app.Windows(true))
                    if (ClassName(w) == L"#32770" && GetWindow(w, GW_OWNER) == owner) box = w;
                return box != nullptr;
            },
            10000);
        if (!box) return L"(no message)";
        const std::wstring text = MessageBoxWindow(box).Text();
        MessageBoxWindow(box).Press(button);
        WaitUntil([&] { return !IsWindow(box); }, 10000);
        return text;
    }
    // Entries "<stem>000000", "<stem>000001", ... with the same word on both sides.
    static std::string NumberedRecords(const wchar_t* stem, int count) {
        std::string bytes;
        bytes.reserve(static_cast<std::size_t>(count) * kRecordSize);
        for (int i = 0; i < count; ++i) {
            wchar_t word[24];
            swprintf(word, 24, L"%ls%06d", stem, i);
            const WordRecord r = EncodeRecord({word, word, 0}, 1252, 1252);
            bytes.append(reinterpret_cast<const char*>(r.bytes), kRecordSize);
        }
        return bytes;
    }
    // Presses the left button on a scroll bar at one height, moves and lets go at another.
    static void DragThumb(HWND bar, int from, int to) {
        PostMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, from));
        PostMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, to));
        PostMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(10, to));
    }
    static void RightClick(HWND control) {
        PostMessageW(control, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
        PostMessageW(control, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    }
    std::vector<std::wstring> ListsMenu(HWND maker) const {
        std::vector<std::wstring> names;
        const MenuBar bar = ReadMenuBar(maker);
        if (bar.popups.size() > 1)
            for (const MenuItem& item : bar.popups[1].items) names.push_back(item.text + (item.checked ? L" *" : L""));
        return names;
    }
};

}  // namespace

TEST_F(MakerTest, FirstListIsNamedThenFilledByClicksAndUpdatedAtClosing) {
    folder.DeleteFolder(L"practice\\Basics");
    MakeDirectories(folder.Full(L"practice\\.sync"));  // a sync tool's folder is no list
    LaunchedApp app(folder);
    HWND main = StartMainWindow(app);
    ASSERT_NE(main, nullptr);
    Command(main, kMakeList);
    HWND dialog = NameList(app, L"a.b");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(AnswerBox(app, dialog, IDOK), EnglishText("CreateListNotAllowed"));
    EXPECT_TRUE(IsWindow(dialog));
    NameList(app, L"Week 1");

    HWND maker = app.WaitForWindow(L"lijst", Caption(L"Week 1").c_str());
    ASSERT_NE(maker, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); }, 10000));
    EXPECT_TRUE(folder.Exists(L"practice\\Week 1\\Fre_Eng.ls"));
    const std::wstring first = ControlText(GetDlgItem(maker, 550));
    ClickWordRow(maker, 0);
    ASSERT_TRUE(RowShows(maker, 500, first));
    ClickWordRow(maker, 1);
    ClickWordRow(maker, 2);
    ASSERT_TRUE(WaitUntil([&] { return PracticeFile(L"Week 1").size() == 3; }, 10000));
    const std::vector<WordEntry> added = PracticeFile(L"Week 1");

    Click(maker, 500);  // marked
    ASSERT_TRUE(RowShows(maker, 500, EnglishText("CreateListDeleted")));
    Click(maker, 501);  // marked and unmarked again
    ASSERT_TRUE(RowShows(maker, 501, EnglishText("CreateListDeleted")));
    Click(maker, 501);
    ASSERT_TRUE(RowShows(maker, 501, added[1].first));
    Click(maker, 507);  // no entry there
    EXPECT_EQ(PracticeFile(L"Week 1").size(), 3u);

    Click(maker, 14);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(maker) && IsWindowVisible(main); }, 15000));
    EXPECT_EQ(PracticeFile(L"Week 1"), (std::vector<WordEntry>{added[1], added[2]}));
    EXPECT_FALSE(folder.Exists(L"practice\\update.tmp"));
    ASSERT_EQ(app.Exit(main), 0u);
    EXPECT_EQ(profile::Text(L"PracticeList"), L"Week 1");
}

TEST_F(MakerTest, RandomWordsReplaceOrExtendTheList) {
    LaunchedApp app(folder);
    HWND main = StartMainWindow(app);
    ASSERT_NE(main, nullptr);
    HWND maker = OpenMaker(app, main);
    ASSERT_NE(maker, nullptr);
    for (bool emptyFirst : {true, false}) {
        Click(maker, 17);
        HWND window = app.WaitForWindow(L"addrandom", EnglishText("CreateListAddRandomNumber").c_str());
        ASSERT_NE(window, nullptr);
        if (!emptyFirst) Click(window, 19);
        HWND number = GetDlgItem(window, 30);
        SendMessageW(number, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"0"));
        Click(window, 18);
        ASSERT_TRUE(TextBecomes(number, L""));  // refused, the window stays
        SendMessageW(number, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"5"));
        Click(window, 18);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(window); }, 10000));
    }
    EXPECT_EQ(PracticeFile(L"Basics").size(), 10u);
    EXPECT_FALSE(ControlText(GetDlgItem(maker, 507)).empty());
}

TEST_F(MakerTest, ListsAreSwitchedAndDeletedFromTheMenu) {
    MakeDirectories(folder.Full(L"practice\\.sync"));  // a sync tool's folder is no list
    LaunchedApp app(folder);
    HWND main = StartMainWindow(app);
    ASSERT_NE(main, nullptr);
    HWND maker = OpenMaker(app, main);
    ASSERT_NE(maker, nullptr);
    EXPECT_EQ(WindowText(maker), Caption(L"Basics"));
    Command(maker, 60);
    EXPECT_EQ(AnswerBox(app, maker, IDOK), EnglishText("CreateListKeeplist"));
    EXPECT_TRUE(folder.Exists(L"practice\\Basics\\Fre_Eng.ls"));

    Command(maker, 59);
    NameList(app, L"Verbs");
    ASSERT_TRUE(WaitUntil([&] { return WindowText(maker) == Caption(L"Verbs"); }, 10000));
    EXPECT_EQ(ListsMenu(maker), (std::vector<std::wstring>{L"Basics", L"Verbs *"}));
    EXPECT_TRUE(ControlText(GetDlgItem(maker, 500)).empty());

    Command(maker, 800);
    ASSERT_TRUE(WaitUntil([&] { return WindowText(maker) == Caption(L"Basics"); }, 10000));
    EXPECT_EQ(ListsMenu(maker), (std::vector<std::wstring>{L"Basics *", L"Verbs"}));
    EXPECT_FALSE(ControlText(GetDlgItem(maker, 500)).empty());

    Command(maker, 60);
    EXPECT_EQ(AnswerBox(app, maker, IDYES), EnglishText("CreateListSureDel") + L" Basics" + EnglishText("CreateListSureDel2"));
    ASSERT_TRUE(WaitUntil([&] { return WindowText(maker) == Caption(L"Verbs"); }, 10000));
    EXPECT_FALSE(folder.Exists(L"practice\\Basics"));
    EXPECT_EQ(ListsMenu(maker), (std::vector<std::wstring>{L"Verbs *"}));
}

TEST_F(MakerTest, MarksLeaveTheListTheyWereMadeInWhenAnotherIsOpened) {
    LaunchedApp app(folder);
    HWND main = StartMainWindow(app);
    ASSERT_NE(main, nullptr);
    HWND maker = OpenMaker(app, main);
    ASSERT_NE(maker, nullptr);
    const std::vector<WordEntry> basics = PracticeFile(L"Basics");
    ASSERT_GE(basics.size(), 8u);
    Click(maker, 507);  // the list's last entry
    ASSERT_TRUE(RowShows(maker, 507, EnglishText("CreateListDeleted")));

    Command(maker, 59);
    NameList(app, L"Verbs");
    ASSERT_TRUE(WaitUntil([&] { return WindowText(maker) == Caption(L"Verbs"); }, 10000));
    EXPECT_EQ(PracticeFile(L"Basics"), std::vector<WordEntry>(basics.begin(), basics.end() - 1));

    ClickWordRow(maker, 0);
    ASSERT_TRUE(WaitUntil([&] { return PracticeFile(L"Verbs").size() == 1; }, 10000));
    Click(maker, 500);
    ASSERT_TRUE(RowShows(maker, 500, EnglishText("CreateListDeleted")));
    Command(maker, 800);
    ASSERT_TRUE(WaitUntil([&] { return WindowText(maker) == Caption(L"Basics"); }, 10000));
    EXPECT_TRUE(PracticeFile(L"Verbs").empty());
    EXPECT_TRUE(CloseAndExit(app, maker, main));
}

TEST_F(MakerTest, RightClickOnARowDoesNothing) {
    LaunchedApp app(folder);
    HWND main = StartMainWindow(app);
    ASSERT_NE(main, nullptr);
    HWND maker = OpenMaker(app, main);
    ASSERT_NE(maker, nullptr);
    const std::vector<WordEntry> before = PracticeFile(L"Basics");
    const std::wstring second = ControlText(GetDlgItem(maker, 551));
    RightClick(GetDlgItem(maker, 550));
    RightClick(GetDlgItem(maker, 507));
    // A left click after them adds its word once they have been handled.
    ClickWordRow(maker, 1);
    ASSERT_TRUE(WaitUntil([&] { return PracticeFile(L"Basics").size() > before.size(); }, 10000));
    std::vector<WordEntry> after = PracticeFile(L"Basics");
    ASSERT_EQ(after.size(), before.size() + 1);
    EXPECT_EQ(after.back().first, second);
    after.pop_back();
    EXPECT_EQ(after, before);  // no mark flipped either
    for (HWND w : app.Windows(true)) EXPECT_NE(ClassName(w), L"#32768") << "a menu came up";
    EXPECT_TRUE(CloseAndExit(app, maker, main));
}

TEST_F(MakerTest, ThumbsDraggedDownLongListsShowTheEntriesThere) {
    // Both scroll bars past 32 767 units: the word column's moves eight words a unit,
    // the practice column's one entry.
    folder.Write(L"wordlists\\Fre_Eng.tvk", NumberedRecords(L"w", 280000));
    folder.Write(L"practice\\Basics\\Fre_Eng.ls", NumberedRecords(L"p", 40000));
    LaunchedApp app(folder);
    HWND main = StartMainWindow(app);
    ASSERT_NE(main, nullptr);
    HWND maker = OpenMaker(app, main);
    ASSERT_NE(maker, nullptr);
    ASSERT_TRUE(RowShows(maker, 500, L"p039992"));
    const int arrow = GetSystemMetrics(SM_CYVSCROLL);
    const int barHeight = 184;

    DragThumb(GetDlgItem(maker, 42), arrow + 2, barHeight - 1);  // from the top to the end
    EXPECT_TRUE(RowShows(maker, 550, L"w279992"));

    DragThumb(GetDlgItem(maker, 41), barHeight - arrow - 2, barHeight - arrow - 17);  // a little up from the end
    HWND firstRow = GetDlgItem(maker, 500);
    ASSERT_TRUE(WaitUntil([&] { return ControlText(firstRow) != L"p039992"; }, 10000));
    const std::wstring shown = ControlText(firstRow);
    ASSERT_EQ(shown.size(), 7u) << std::string(shown.begin(), shown.end());
    const int entry = std::stoi(shown.substr(1));
    EXPECT_GT(entry, 32767);
    EXPECT_LT(entry, 39992);
    EXPECT_TRUE(CloseAndExit(app, maker, main));
}

TEST_F(MakerTest, MakerWaitsForItsPrintDialog) {
    const std::wstring printer = TestPrinterName();
    if (printer.empty()) GTEST_SKIP() << "no test printer (the test command starts one)";
    LaunchedApp app(folder);
    HWND main = StartMainWindow(app);
    ASSERT_NE(main, nullptr);
    HWND maker = OpenMaker(app, main);
    ASSERT_NE(maker, nullptr);
    Click(maker, 23);
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (dialog = FindPrintDialog(app.ProcessId())) != nullptr; }, 30000));
    EXPECT_FALSE(IsWindowEnabled(maker));
    // Closed from outside (as from the taskbar) while the dialog is up, then the dialog
    // is cancelled.
    PostMessageW(maker, WM_CLOSE, 0, 0);
    ASSERT_TRUE(AnswerPrintDialog(app.ProcessId(), {L"", 1, false, true}));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 10000));
    EXPECT_TRUE(IsWindow(maker));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(maker) != FALSE; }, 10000));
    EXPECT_TRUE(CloseAndExit(app, maker, main));
}

TEST_F(MakerTest, SearchFieldPositionsTheWordRows) {
    LaunchedApp app(folder);
    HWND main = StartMainWindow(app);
    ASSERT_NE(main, nullptr);
    HWND maker = OpenMaker(app, main);
    ASSERT_NE(maker, nullptr);
    HWND firstRow = GetDlgItem(maker, 550);
    const std::wstring start = ControlText(firstRow);
    ASSERT_TRUE(TypeText(maker, L"mai"));
    ASSERT_TRUE(TextBecomes(firstRow, L"mai"));
    ASSERT_TRUE(PressKeys(maker, {VK_DOWN}));
    ASSERT_TRUE(TextBecomes(firstRow, L"main"));
    EXPECT_EQ(ControlText(GetDlgItem(maker, 30)), L"mai");
    ASSERT_TRUE(PressKeys(maker, {VK_RETURN}));
    EXPECT_TRUE(TextBecomes(GetDlgItem(maker, 30), L""));
    EXPECT_TRUE(TextBecomes(firstRow, start));
}

TEST_F(MakerTest, PrintedListComesOutOfThePrinter) {
    const std::wstring printer = TestPrinterName();
    const std::wstring out = PrintedPdfFolder();
    if (printer.empty() || out.empty()) GTEST_SKIP() << "no test printer (the test command starts one)";
    std::string bytes;
    for (int i = 0; i < 200; ++i) {
        const WordRecord r = EncodeRecord({L"mot" + std::to_wstring(i), L"word" + std::to_wstring(i), 0}, 1252, 1252);
        bytes.append(reinterpret_cast<const char*>(r.bytes), kRecordSize);
    }
    folder.Write(L"practice\\Basics\\Fre_Eng.ls", bytes);
    LaunchedApp app(folder);
    HWND main = StartMainWindow(app);
    ASSERT_NE(main, nullptr);
    HWND maker = OpenMaker(app, main);
    ASSERT_NE(maker, nullptr);
    const std::vector<std::wstring> before = PdfFilesIn(out);
    Click(maker, 23);
    ASSERT_TRUE(AnswerPrintDialog(app.ProcessId(), {printer, 2, true}));
    const std::wstring pdf = WaitForPrintedPdf(out, before);
    ASSERT_FALSE(pdf.empty()) << "nothing printed";
    // Two copies of a list that takes more than one page.
    const std::string printed = ReadBytes(pdf);
    int pages = 0;
    for (std::size_t at = printed.find("/Type"); at != std::string::npos; at = printed.find("/Type", at + 1)) {
        std::size_t p = printed.find_first_not_of(' ', at + 5);
        if (printed.compare(p, 5, "/Page") == 0 && printed.compare(p, 6, "/Pages") != 0) ++pages;
    }
    EXPECT_GE(pages, 4);
    EXPECT_EQ(pages % 2, 0);
    EXPECT_EQ(folder.Read(L"list.prt").substr(0, 12), std::string("F\0r\0e\0n\0c\0h\0", 12));
}

TEST_F(MakerTest, TabEscapeCtrlDAndTheWheelWorkTheMaker) {
    LaunchedApp app(folder);
    HWND main = StartMainWindow(app);
    ASSERT_NE(main, nullptr);
    HWND maker = OpenMaker(app, main);
    ASSERT_NE(maker, nullptr);
    const std::vector<WordEntry> basics = PracticeFile(L"Basics");
    ASSERT_GE(basics.size(), 16u);
    ASSERT_TRUE(BringToForeground(maker));
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(maker) == GetDlgItem(maker, 30); }, 10000));

    // Tab goes round the search field and the buttons in reading order; never onto a
    // row, whose focus would add or mark its entry.
    for (int id : {15, 16, 17, 23, 14, 30}) {
        ASSERT_TRUE(PressKeys(maker, {VK_TAB}));
        ASSERT_TRUE(WaitUntil([&] { return FocusOf(maker) == GetDlgItem(maker, id); }, 10000)) << id;
    }
    ASSERT_TRUE(PressKeys(maker, {VK_SHIFT, VK_TAB}));
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(maker) == GetDlgItem(maker, 14); }, 10000));
    EXPECT_EQ(PracticeFile(L"Basics"), basics);

    // The wheel scrolls the column under the pointer by the system's lines a notch.
    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    ASSERT_LT(lines, 8u);
    const int step = static_cast<int>(lines);
    const std::wstring wordThere = ControlText(GetDlgItem(maker, 550 + step));
    const std::wstring practiceShown = ControlText(GetDlgItem(maker, 500));
    ASSERT_TRUE(TurnWheelOver(GetDlgItem(maker, 551), -1));
    EXPECT_TRUE(RowShows(maker, 550, wordThere));
    EXPECT_EQ(ControlText(GetDlgItem(maker, 500)), practiceShown);
    const std::size_t practiceTop = basics.size() - 8 - lines;
    ASSERT_TRUE(TurnWheelOver(GetDlgItem(maker, 502), 1));
    EXPECT_TRUE(RowShows(maker, 500, basics[practiceTop].first));
    EXPECT_EQ(ControlText(GetDlgItem(maker, 550)), wordThere);

    // Escape closes the maker as Done does: the entry marked leaves the list.
    Click(maker, 500);
    ASSERT_TRUE(RowShows(maker, 500, EnglishText("CreateListDeleted")));
    // Ctrl+D adds the word of the first row, the one the search field finds.
    ASSERT_TRUE(PressKeys(maker, {VK_CONTROL, 'D'}));
    ASSERT_TRUE(WaitUntil([&] { return PracticeFile(L"Basics").size() == basics.size() + 1; }, 10000));
    const WordEntry added = PracticeFile(L"Basics").back();
    EXPECT_EQ(added.first, wordThere);
    ASSERT_TRUE(PressKeys(maker, {VK_ESCAPE}));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(maker) && IsWindowVisible(main); }, 15000));
    std::vector<WordEntry> kept = basics;
    kept.erase(kept.begin() + static_cast<std::ptrdiff_t>(practiceTop));
    kept.push_back(added);
    EXPECT_EQ(PracticeFile(L"Basics"), kept);
    ASSERT_EQ(app.Exit(main), 0u);
}
