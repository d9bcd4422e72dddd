#include <gtest/gtest.h>

#include "store/collation.h"
#include "store/records.h"
#include "support/storefixture.h"
#include "text/codepage.h"

namespace {

// Letters rank by alphabet with capitals equal to small letters; the hyphen is ignored
// and a blank ends the word.
std::string LatinTable() {
    std::string t(256, '\x02');
    for (int c = 'a'; c <= 'z'; ++c) {
        t[static_cast<std::size_t>(c)] = static_cast<char>(10 + (c - 'a'));
        t[static_cast<std::size_t>(c - 'a' + 'A')] = static_cast<char>(10 + (c - 'a'));
    }
    t['-'] = '\x01';
    t[' '] = '\x00';
    return t;
}

class Collation : public StoreTest {
protected:
    void OpenWithTable(const std::vector<WordEntry>& entries, const std::string& table) {
        WriteBytes(L"tables\\Latin.stb", table);
        WriteBytes(L"languages.ini", LanguageFile({"Latin,english"}, "Lat_Eng.tvk"));
        WriteWordList(L"Lat_Eng.tvk", entries);
        Open();
    }
};

}  // namespace

TEST_F(Collation, TableWeightsDecideEqualityAndOrder) {
    OpenWithTable({}, LatinTable());
    ASSERT_EQ(CurrentWordList().hasSortTable, 1);
    EXPECT_EQ(CompareWords(L"e-mail", L"email"), 0);
    EXPECT_EQ(CompareWords(L"Apple", L"apple"), 0);
    EXPECT_EQ(CompareWords(L"car", L"card"), -1);
    EXPECT_EQ(CompareWords(L"card", L"car"), 1);
    EXPECT_EQ(CompareWords(L"ice cream", L"ice"), 0);  // weight 0 ends the word
    EXPECT_EQ(CompareWords(L"", L""), 0);
}

TEST_F(Collation, AShortTableFileLeavesTheMissingWeightsZero) {
    const std::string full = LatinTable();
    OpenWithTable({}, full.substr(0, 'n'));  // weights up to 'm' only
    EXPECT_EQ(ActiveSortTable['m'], 22);
    EXPECT_EQ(ActiveSortTable['n'], 0);
    // 't' lies past the short table, so its weight 0 ends the word there.
    EXPECT_EQ(CompareWords(L"cat", L"ca"), 0);
    EXPECT_EQ(CompareWords(L"cab", L"ca"), 1);
    EXPECT_EQ(SortTableFromBytes(std::string(300, '\x05'))[255], 5);
}

TEST_F(Collation, AMissingTableFileIsReportedAndThePreviousTableKept) {
    OpenWithTable({}, LatinTable());
    const SortTable before = ActiveSortTable;
    DeleteFileW(L"tables\\Latin.stb");
    LoadSortTable();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, L"Can't open sorttable   ");
    EXPECT_EQ(messages[0].caption, L"error");
    EXPECT_EQ(ActiveSortTable, before);
}

TEST_F(Collation, AListWithoutATableLeavesTheActiveTableAlone) {
    OpenWithTable({}, LatinTable());
    const SortTable latin = ActiveSortTable;
    // Whether a list has a table was settled when the catalogue was read; a file
    // that turns up later is not looked at.
    WriteBytes(L"tables\\English.stb", std::string(256, '\x07'));
    SetCurrentWordList(Find(L"English", L"Latin"));
    ASSERT_EQ(CurrentWordList().hasSortTable, 0);
    LoadSortTable();
    EXPECT_EQ(ActiveSortTable, latin);
    EXPECT_TRUE(messages.empty());
}

TEST_F(Collation, FindWordPositionFindsWordsAndInsertionPoints) {
    OpenWithTable({}, LatinTable());
    EXPECT_EQ(FindWordPosition(L"anything"), 0);  // empty list

    CloseListFiles();
    WriteWordList(L"Lat_Eng.tvk", {{L"aqua", L"water", 0}, {L"bellum", L"war", 0}, {L"canis", L"dog", 0},
                                    {L"domus", L"house", 0}, {L"equus", L"horse", 0}});
    ASSERT_EQ(TryOpenWordListFile(), 0);
    CountRecords();
    EXPECT_EQ(FindWordPosition(L"canis"), 2);
    EXPECT_EQ(CurrentEntry.second, L"dog");
    EXPECT_EQ(FindWordPosition(L"CANIS"), 2);
    EXPECT_EQ(FindWordPosition(L"a"), 0);
    EXPECT_EQ(FindWordPosition(L"cat"), 3);
    EXPECT_EQ(FindWordPosition(L"zebra"), WordCount);
}

TEST_F(Collation, WithoutATableTheLocaleOrdersTheSearch) {
    WriteBytes(L"languages.ini", LanguageFile({"French,french"}, "Fre_Eng.tvk"));
    WriteWordList(L"Fre_Eng.tvk", {{L"abricot", L"apricot", 0}, {L"\x00E9t\x00E9", L"summer", 0},
                                    {L"\x00C9toile", L"star", 0}, {L"zoo", L"zoo", 0}});
    Open();
    ASSERT_EQ(CurrentWordList().hasSortTable, 0);
    EXPECT_EQ(FindWordPosition(L"\x00C9T\x00C9"), 1);
    EXPECT_EQ(FindWordPosition(L"\x00E9toile"), 2);
    EXPECT_EQ(FindWordPosition(L"maison"), 3);
}

TEST_F(Collation, ATableComparesInTheFirstLanguagesCodePage) {
    // Cyrillic first language, Latin second: both compared words go through 1251.
    std::string table(256, '\x02');
    for (int c = 0xE0; c <= 0xFF; ++c) {
        table[static_cast<std::size_t>(c)] = static_cast<char>(20 + c - 0xE0);
        table[static_cast<std::size_t>(c - 0x20)] = static_cast<char>(20 + c - 0xE0);
    }
    WriteBytes(L"tables\\Russian.stb", table);
    WriteBytes(L"languages.ini", LanguageFile({"Russian,russian,204"}, "Rus_Eng.tvk"));
    WriteWordList(L"Rus_Eng.tvk", {{L"\x0430\x0431", L"ab", 0}, {L"\x0432", L"v", 0}, {L"\x044F", L"ya", 0}}, 1251,
                  1252);
    Open();
    EXPECT_EQ(CompareWords(L"\x0410", L"\x0430"), 0);  // capital and small letter
    EXPECT_EQ(CompareWords(L"\x044F", L"\x0432"), 1);
    EXPECT_EQ(FindWordPosition(L"\x0412"), 1);
}

// Words added since the last sort sit unsorted at the end; a caller that must not
// see them lowers WordCount for the search.
TEST_F(Collation, ALoweredWordCountSearchesOnlyTheSortedPart) {
    OpenWithTable({{L"aqua", L"water", 0}, {L"bellum", L"war", 0}, {L"canis", L"dog", 0}, {L"domus", L"house", 0},
                   {L"equus", L"horse", 0}, {L"aardvark", L"aardvark", 0}, {L"abacus", L"abacus", 0}},
                  LatinTable());
    ASSERT_EQ(WordCount, 7);
    WordCount = 5;
    // Reading on into the appended words would lead these searches past the end.
    EXPECT_EQ(FindWordPosition(L"equus"), 4);
    EXPECT_EQ(FindWordPosition(L"ego"), 4);
    EXPECT_EQ(FindWordPosition(L"zz"), 5);
    EXPECT_EQ(CurrentEntry.first, L"equus");  // the last record looked at
    EXPECT_EQ(FindWordPosition(L"abacus"), 0);
    EXPECT_EQ(CurrentEntry.first, L"aqua");
    EXPECT_EQ(FindWordPosition(L"domus"), 3);
    WordCount = 7;
    ASSERT_EQ(ReadWordRecord(6), 0);
    EXPECT_EQ(CurrentEntry.first, L"abacus");
}
