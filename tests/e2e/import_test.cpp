// Words brought in from a spreadsheet and taken out again through the real program:
// a UTF-8 CSV with Russian words imported into the Russian lists through the open
// dialog and the import dialog, both lists sorted and in step with a backup beside
// them, the list exported, the import undone.
#include <algorithm>
#include <string>
#include <vector>

#include "e2e/e2efixture.h"
#include "store/records.h"
#include "support/storefixture.h"
#include "support/testenv.h"
#include "text/codepage.h"

using namespace e2e;

namespace {

class ImportTest : public EndToEndTest {
protected:
    // Answers the program's open or save dialog with a file of the data folder.
    bool AnswerFileDialog(LaunchedApp& app, const std::wstring& relative) {
        HWND dialog = app.WaitForWindow(L"#32770", nullptr);
        if (!dialog) return false;
        HWND name = nullptr;
        if (!WaitUntil([&] { return (name = GetDlgItem(dialog, 0x47C)) || (name = GetDlgItem(dialog, 0x480)); },
                       10000))
            return false;
        const std::wstring path = folder.Full(relative);
        SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return WaitUntil([&] { return !IsWindow(dialog); }, 10000);
    }
    std::vector<WordEntry> Russian() const { return DecodeRecords(folder.Read(L"wordlists\\Rus_Eng.tvk"), 1251, 1252); }
    std::vector<WordEntry> English() const { return DecodeRecords(folder.Read(L"wordlists\\Eng_Rus.tvk"), 1252, 1251); }
    std::vector<std::wstring> Backups(const std::wstring& list) const {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found{};
        const HANDLE find = FindFirstFileW(folder.Full(L"backup\\" + list + L"-*.tvk").c_str(), &found);
        if (find == INVALID_HANDLE_VALUE) return names;
        do names.push_back(found.cFileName);
        while (FindNextFileW(find, &found));
        FindClose(find);
        return names;
    }
    static std::string Utf8(const std::wstring& text) { return ToNarrow(text, CP_UTF8); }
    // "проба1,probe1" and so on: new words both ways.
    static std::string ManyRows(int count) {
        std::string rows;
        for (int i = 1; i <= count; ++i)
            rows += Utf8(L"\x043F\x0440\x043E\x0431\x0430" + std::to_wstring(i)) + ",probe" + std::to_string(i) + "\r\n";
        return rows;
    }
    static std::string CsvField(const std::wstring& text) {
        const std::string field = Utf8(text);
        return field.find_first_of(",\"") == std::string::npos ? field : "\"" + field + "\"";
    }
    static bool Greyed(HWND main, UINT id) {
        const MenuItem* item = ReadMenuBar(main).Find(id);
        return item && item->grayed;
    }
    static bool Translates(const std::vector<WordEntry>& list, const std::wstring& word, const std::wstring& into) {
        const WordEntry* entry = Find(list, word);
        return entry && (L", " + entry->second + L",").find(L" " + into + L",") != std::wstring::npos;
    }
};

TEST_F(ImportTest, RussianCsvImportedThroughTheDialogsThenExportedAndUndone) {
    folder.Write(L"russian.csv",
                 "Russian,English\r\n"
                 "\xD0\xBA\xD0\xBE\xD1\x88\xD0\xB5\xD1\x87\xD0\xBA\xD0\xB0,kitty\r\n"                  // кошечка
                 "\xD1\x81\xD0\xBE\xD0\xB1\xD0\xB0\xD1\x87\xD0\xBA\xD0\xB0,\"doggy; puppy\"\r\n"        // собачка
                 "\xD0\xB4\xD0\xB0,\"yes, sure\"\r\n"                                                   // да
                 "\xD0\xBD\xD0\xB5\xD1\x82,no\r\n"                                                      // нет
                 "\xD1\x80\xD1\x83\xD1\x87\xD0\xB5\xD1\x91\xD0\xBA,\"brook\r\nstream\"\r\n"             // ручеёк
                 "caf\xC3\xA9,coffee house\r\n" +
                 // More rows than the dialog shows: the rest are counted beside it.
                 ManyRows(10));
    const std::wstring kitty = L"\x043A\x043E\x0448\x0435\x0447\x043A\x0430";
    const std::wstring doggy = L"\x0441\x043E\x0431\x0430\x0447\x043A\x0430";
    const std::wstring brook = L"\x0440\x0443\x0447\x0435\x0451\x043A";
    const std::wstring yes = L"\x0434\x0430";
    const std::string russianBefore = folder.Read(L"wordlists\\Rus_Eng.tvk");
    const std::string englishBefore = folder.Read(L"wordlists\\Eng_Rus.tvk");

    LaunchedApp app(folder);
    HWND main = StartMainWindow(app);
    ASSERT_NE(main, nullptr);
    Command(main, 203);  // Russian-English
    EXPECT_EQ(CheckedLanguagesWhen(main, {203}), std::vector<UINT>{203});
    EXPECT_TRUE(Greyed(main, 72));

    Command(main, 70);
    ASSERT_TRUE(AnswerFileDialog(app, L"russian.csv"));
    HWND dialog = app.WaitForWindow(L"importeer", nullptr);
    ASSERT_NE(dialog, nullptr);
    const std::wstring counts = EnglishText("ImportRowsRead") + L": 16     " + EnglishText("ImportNewPairs") + L": 13     " +
                                EnglishText("ImportMerged") + L": 1     " + EnglishText("ImportUnchanged") + L": 1     " +
                                EnglishText("ImportRefused") + L": 1";
    EXPECT_TRUE(TextBecomes(WaitForControl(dialog, 47), counts)) << ControlText(GetDlgItem(dialog, 47));
    EXPECT_NE(ControlText(GetDlgItem(dialog, 48)).find(EnglishText("ImportLine") + L" 8: caf\x00E9"), std::wstring::npos);
    EXPECT_EQ(SendMessageW(GetDlgItem(dialog, 42), BM_GETCHECK, 0, 0), BST_CHECKED);  // the header row
    PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);

    std::optional<MessageBoxWindow> done = app.WaitForMessageBox(30000);
    ASSERT_TRUE(done);
    EXPECT_EQ(done->Text().rfind(EnglishText("ImportDone"), 0), 0u) << Utf8(done->Text());
    EXPECT_NE(done->Text().find(EnglishText("ImportSkipped") + L": 1"), std::wstring::npos);
    ASSERT_TRUE(done->HasButton(IDNO));  // the offer of the report
    done->Press(IDNO);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(done->Handle()) && !IsWindow(dialog); }, 10000));

    const std::vector<WordEntry> russian = Russian();
    const std::vector<WordEntry> english = English();
    EXPECT_TRUE(Sorted(russian, L"russian"));
    EXPECT_TRUE(Sorted(english, L"english"));
    EXPECT_EQ(russian.size(), DecodeRecords(russianBefore, 1251, 1252).size() + 13);
    ASSERT_NE(Find(russian, doggy), nullptr);
    EXPECT_EQ(Find(russian, doggy)->second, L"doggy, puppy");
    EXPECT_EQ(Find(russian, brook)->second, L"brook, stream");
    EXPECT_EQ(Find(russian, yes)->second, L"yes, sure");
    EXPECT_EQ(Find(russian, L"caf\x00E9"), nullptr);
    // Every translation of an imported word leads back to it.
    for (const std::wstring& word : {kitty, doggy, brook, yes}) {
        ASSERT_NE(Find(russian, word), nullptr);
        for (const wchar_t* t : {L"kitty", L"doggy", L"puppy", L"brook", L"stream", L"sure"}) {
            if (Translates(russian, word, t)) {
                EXPECT_TRUE(Translates(english, t, word)) << Utf8(t);
            }
        }
    }
    ASSERT_EQ(Backups(L"Rus_Eng").size(), 1u);
    ASSERT_EQ(Backups(L"Eng_Rus").size(), 1u);
    EXPECT_EQ(folder.Read(L"backup\\" + Backups(L"Rus_Eng")[0]), russianBefore);
    EXPECT_EQ(folder.Read(L"backup\\" + Backups(L"Eng_Rus")[0]), englishBefore);
    EXPECT_FALSE(Greyed(main, 72));

    // Out again: the list as CSV, every entry in its order.
    Command(main, 71);
    HWND exporter = app.WaitForWindow(L"exporteer", nullptr);
    ASSERT_NE(exporter, nullptr);
    PostMessageW(GetDlgItem(exporter, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(AnswerFileDialog(app, L"export.csv"));
    std::optional<MessageBoxWindow> exported = app.WaitForMessageBox(15000);
    ASSERT_TRUE(exported);
    EXPECT_EQ(exported->Text().rfind(std::to_wstring(russian.size()) + L" " + EnglishText("ExportDone"), 0), 0u);
    exported->Press(IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(exporter); }, 10000));
    std::string expected = "\xEF\xBB\xBF";
    for (const WordEntry& e : russian) expected += CsvField(e.first) + "," + CsvField(e.second) + "\r\n";
    EXPECT_EQ(folder.Read(L"export.csv"), expected);

    // And the import taken back: both lists as they were, byte for byte.
    Command(main, 72);
    std::optional<MessageBoxWindow> undone = app.WaitForMessageBox(15000);
    ASSERT_TRUE(undone);
    EXPECT_EQ(undone->Text(), EnglishText("UndoImportDone"));
    undone->Press(IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(undone->Handle()); }, 10000));
    EXPECT_EQ(folder.Read(L"wordlists\\Rus_Eng.tvk"), russianBefore);
    EXPECT_EQ(folder.Read(L"wordlists\\Eng_Rus.tvk"), englishBefore);
    EXPECT_TRUE(Greyed(main, 72));
    EXPECT_EQ(app.Exit(main), std::optional<DWORD>(0));
}

}  // namespace
