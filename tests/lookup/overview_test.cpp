// The overview's rows: counts from the file sizes, with the current word list and
// every other file left exactly as they were.
#include <gtest/gtest.h>

#include "lookup/overviewwindow.h"
#include "support/storefixture.h"
#include "text/uistrings.h"

namespace {

class OverviewTest : public StoreTest {};

TEST_F(OverviewTest, RowsCountEachFileBySizeAndShowUnknownWhereNothingIsKnown) {
    WriteBytes(L"languages.ini", LanguageFile({"French,french,0", "Russian,russian,204", "Hebrew,hebrew,177"},
                                              "Fre_Eng.tvk"));
    MakeDirectories(L"practice\\Basics");
    CurrentPracticeList = L"Basics";
    WriteWordList(L"Fre_Eng.tvk", {{L"chat", L"cat", 0}, {L"chien", L"dog", 0}, {L"maison", L"house", 1}});
    WriteWordList(L"Eng_Fre.tvk", {{L"cat", L"chat", 0}});
    // A torn last record does not count.
    WriteBytes(L"wordlists\\Rus_Eng.tvk", std::string(2 * kRecordSize + 40, 'x'));
    WriteBytes(L"wordlists\\Heb_Eng.tvk", "");
    WriteWordList(L"Eng_Heb.tvk", {{L"cat", L"", 0}, {L"dog", L"", 0}});
    // Eng_Rus.tvk is missing.
    Open();
    ASSERT_EQ(ReadWordRecord(1), 0);
    const auto before = FilesBelow(dir.Path());

    const std::wstring unknown = UiText(Ui::WordlistInfoUnknown);
    const std::vector<OverviewRow> expected{
        {L"French - English", L"3", L"french", L"ANSI"},
        {L"Russian - English", L"2", L"russian", L"Cyrillic"},
        {L"Hebrew - English", L"0", L"hebrew", unknown},
        {L"English - French", L"1", L"english", L"ANSI"},
        {L"English - Russian", unknown, L"english", L"ANSI"},
        {L"English - Hebrew", L"2", L"english", L"ANSI"},
    };
    EXPECT_EQ(OverviewRows(), expected);

    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(FilesBelow(dir.Path()), before) << "looking wrote or created a file";
    EXPECT_EQ(&CurrentWordList(), &Find(L"French", L"English"));
    EXPECT_EQ(WordCount, 3);
    ASSERT_TRUE(WordListFileOpen());
    ASSERT_EQ(ReadWordRecord(2), 0);
    EXPECT_EQ(CurrentEntry.first, L"maison");
}

TEST_F(OverviewTest, LongNamesAreCountedInTheirOwnFiles) {
    WriteBytes(L"languages.ini", LanguageFile({"longname,russian,600,Old Norse"}, "Old Norse_English.tvk"));
    WriteWordList(L"Old Norse_English.tvk", {{L"hus", L"house", 0}});
    WriteWordList(L"English_Old Norse.tvk", {{L"house", L"hus", 0}, {L"cat", L"kottr", 0}});
    Open();
    const std::vector<OverviewRow> rows = OverviewRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (OverviewRow{L"Old Norse - English", L"1", L"russian", UiText(Ui::WordlistInfoUnknown)}));
    EXPECT_EQ(rows[1].count, L"2");
}

}  // namespace
