// Practice list folders and the operations on whole practice list files, on real
// folders and files.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "practice/addrandom.h"
#include "store/atomicfile.h"
#include "store/practicelists.h"
#include "store/random.h"
#include "support/storefixture.h"
#include "support/testenv.h"

namespace {

class PracticeListsTest : public ::testing::Test {
protected:
    void SetUp() override { InstallEnglishUiStrings(); }
    TempDirectory dir;
};

std::vector<WordEntry> Numbered(int count, std::initializer_list<int> marked = {}) {
    std::vector<WordEntry> entries;
    for (int i = 0; i < count; ++i) {
        const bool mark = std::find(marked.begin(), marked.end(), i) != marked.end();
        entries.push_back({L"w" + std::to_wstring(i), L"t" + std::to_wstring(i), static_cast<std::uint16_t>(mark)});
    }
    return entries;
}

std::string Encoded(const std::vector<WordEntry>& entries) {
    std::string bytes;
    for (const WordEntry& e : entries) bytes.append(reinterpret_cast<const char*>(EncodeRecord(e, 1252, 1252).bytes), kRecordSize);
    return bytes;
}

// A French-English folder with the practice list "Week 1" holding `practice`.
class PracticeFileTest : public StoreTest {
protected:
    void OpenWith(const std::vector<WordEntry>& words, const std::vector<WordEntry>& practice) {
        WriteBytes(kPracticeFile, Encoded(practice));
        CurrentPracticeList = L"Week 1";
        OpenFrench(words);
    }
    static std::vector<WordEntry> Practice() { return DecodeRecords(ReadBytes(kPracticeFile)); }
    static constexpr wchar_t kPracticeFile[] = L"practice\\Week 1\\Fre_Eng.ls";
};

}  // namespace

TEST_F(PracticeListsTest, MissingRootCountsNothing) {
    EXPECT_EQ(CountPracticeLists(), -1);  // unlike an empty root, where a first list can be made
    EXPECT_FALSE(PracticeListExists(L"Week 1"));
    EXPECT_EQ(SelectFirstPracticeList(), 0);
}

TEST_F(PracticeListsTest, EmptyRootHoldsNoLists) {
    MakeDirectories(L"practice");
    EXPECT_EQ(CountPracticeLists(), 0);
    EXPECT_TRUE(ListPracticeLists().empty());
}

TEST_F(PracticeListsTest, CountsTheListsTheMenuShows) {
    MakeDirectories(L"practice\\Week 1");
    MakeDirectories(L"practice\\Verbs");
    MakeDirectories(L"practice\\.sync");
    WriteBytes(L"practice\\update.tmp", "x");
    EXPECT_EQ(CountPracticeLists(), 2);
    EXPECT_EQ(CountPracticeLists(), static_cast<int>(ListPracticeLists().size()));
}

TEST_F(PracticeListsTest, ExistsIgnoresCaseFilesAndDotFolders) {
    MakeDirectories(L"practice\\Week 1");
    MakeDirectories(L"practice\\.hidden");
    WriteBytes(L"practice\\Verbs", "a file, not a list");
    EXPECT_TRUE(PracticeListExists(L"Week 1"));
    EXPECT_TRUE(PracticeListExists(L"WEEK 1"));
    EXPECT_FALSE(PracticeListExists(L"Week"));
    EXPECT_FALSE(PracticeListExists(L"Verbs"));
    EXPECT_FALSE(PracticeListExists(L".hidden"));
    EXPECT_FALSE(PracticeListExists(L"."));
    EXPECT_FALSE(PracticeListExists(L""));
}

TEST_F(PracticeListsTest, ListsAndTheFirstOneSkipDotFoldersAndFiles) {
    MakeDirectories(L"practice\\.old");
    MakeDirectories(L"practice\\Animals");
    MakeDirectories(L"practice\\Verbs");
    WriteBytes(L"practice\\Basics", "a file");
    EXPECT_EQ(ListPracticeLists(), (std::vector<std::wstring>{L"Animals", L"Verbs"}));
    CurrentPracticeList = L"Verbs";
    EXPECT_EQ(SelectFirstPracticeList(), kFirstListCommand);
    EXPECT_EQ(CurrentPracticeList, L"Animals");
    CurrentPracticeList.clear();
}

TEST(PracticeListNames, RefusedAcceptedAndEmpty) {
    for (const wchar_t* name : {L"a.b", L"x/y", L"?", L"a\\b", L"<", L">", L"|", L"\"", L"*", L"c:"})
        EXPECT_EQ(CheckPracticeListName(name, 1252), ListNameVerdict::NotAllowed) << name;
    EXPECT_EQ(CheckPracticeListName(L"", 1252), ListNameVerdict::Empty);
    EXPECT_EQ(CheckPracticeListName(L"   ", 1252), ListNameVerdict::Empty);
    EXPECT_EQ(CheckPracticeListName(L"Week 1", 1252), ListNameVerdict::Accepted);
    // A letter the word list's code page lacks could not be stored in its files.
    EXPECT_EQ(CheckPracticeListName(L"\u03A9mega", 1252), ListNameVerdict::NotAllowed);
    EXPECT_EQ(CheckPracticeListName(L"\u03A9mega", 1253), ListNameVerdict::Accepted);
    EXPECT_EQ(PracticeListNameFromTyped(L"  Week 1  "), L"  Week 1");
}

TEST_F(PracticeFileTest, NewListFolderGetsItsFileOnFirstUse) {
    OpenFrench(Numbered(3));
    MakeDirectories(L"practice");
    CurrentPracticeList = L"Week 1";
    EXPECT_EQ(CreatePracticeListFolder(), 0);
    EXPECT_EQ(CreatePracticeListFolder(), -1);  // exists: the list is simply used
    ASSERT_EQ(OpenPracticeListFile(), 0);
    CountPracticeRecords();
    EXPECT_EQ(PracticeCount, 0);
    EXPECT_TRUE(FileExists(kPracticeFile));
    EXPECT_EQ(ReadBytes(kPracticeFile), "");
}

TEST_F(PracticeFileTest, RemovingAListTakesAllItsFilesAndOnlyIts) {
    OpenFrench(Numbered(3));
    for (const wchar_t* file : {L"Fre_Eng.ls", L"Eng_Fre.ls", L"Fre_Eng.score", L"Eng_Fre.score"}) {
        WriteBytes(std::wstring(L"practice\\A\\") + file, "x");
        WriteBytes(std::wstring(L"practice\\B\\") + file, "x");
    }
    EXPECT_TRUE(RemovePracticeListFolder(L"A"));
    EXPECT_FALSE(FileExists(L"practice\\A"));
    EXPECT_EQ(FilesBelow(L"practice\\B").size(), 4u);

    MakeDirectories(L"practice\\B\\kept");
    EXPECT_FALSE(RemovePracticeListFolder(L"B"));  // a sub-folder stays, and so does the list
    EXPECT_TRUE(PracticeListExists(L"B"));
    EXPECT_TRUE(FilesBelow(L"practice\\B").empty());
}

TEST_F(PracticeFileTest, UpdateKeepsTheOrderOfTheUnmarked) {
    OpenWith(Numbered(3), Numbered(10, {2, 7}));
    ASSERT_EQ(PracticeCount, 10);
    ASSERT_TRUE(RemoveMarkedPracticeEntries());
    std::vector<std::wstring> kept;
    for (const WordEntry& e : Practice()) kept.push_back(e.first);
    EXPECT_EQ(kept, (std::vector<std::wstring>{L"w0", L"w1", L"w3", L"w4", L"w5", L"w6", L"w8", L"w9"}));
    EXPECT_EQ(PracticeCount, 8);
    EXPECT_FALSE(FileExists(L"practice\\update.tmp"));
}

TEST_F(PracticeFileTest, FailedUpdateLeavesTheListWholeWithItsMarks) {
    const std::vector<WordEntry> before = Numbered(10, {2, 7});
    OpenWith(Numbered(3), before);
    SetAtomicWriteFailureAfter(kRecordSize * 3);
    EXPECT_FALSE(RemoveMarkedPracticeEntries());
    EXPECT_EQ(Practice(), before);
    EXPECT_EQ(PracticeCount, 10);
    EXPECT_EQ(ReadPracticeRecord(9), 0);  // the list is open again
}

TEST_F(PracticeFileTest, AddAllReplacesThePracticeListWithTheWordList) {
    const std::vector<WordEntry> words = Numbered(300, {4});
    OpenWith(words, Numbered(5));
    EXPECT_EQ(CopyWordListFile(), 0u);
    EXPECT_EQ(Practice(), words);  // deleted marks as in the word list
    EXPECT_EQ(PracticeCount, 300);
    EXPECT_EQ(WordCount, 300);
}

TEST_F(PracticeFileTest, FailedAddAllKeepsTheOldPracticeListAndSaysWhy) {
    const std::vector<WordEntry> practice = Numbered(5);
    OpenWith(Numbered(300), practice);
    MakeDirectories(L"practice\\Week 1\\Fre_Eng.ls.new\\blocked");  // the copy cannot be made
    CopyWordListToPracticeList();
    EXPECT_EQ(Practice(), practice);
    EXPECT_EQ(PracticeCount, 5);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text.rfind(L"Could not copy word list file, error code ", 0), 0u) << messages[0].text;
    EXPECT_NE(messages[0].text, L"Could not copy word list file, error code 0   ");
}

TEST_F(PracticeFileTest, EmptyingLeavesAnEmptyFile) {
    OpenWith(Numbered(3), Numbered(5));
    EmptyPracticeList();
    EXPECT_EQ(PracticeCount, 0);
    EXPECT_EQ(ReadBytes(kPracticeFile), "");
}

TEST_F(PracticeFileTest, RandomWordsAppendOrReplaceWithMarksFromTheWordList) {
    OpenWith(Numbered(20, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}), Numbered(3));
    AppendRandomWords(5, false);
    EXPECT_EQ(PracticeCount, 8);
    std::vector<WordEntry> entries = Practice();
    ASSERT_EQ(entries.size(), 8u);
    for (std::size_t i = 3; i < entries.size(); ++i) {
        const int n = std::stoi(entries[i].first.substr(1));
        EXPECT_EQ(entries[i].deleted, n < 10 ? 1 : 0) << entries[i].first;
        EXPECT_EQ(entries[i].second, L"t" + std::to_wstring(n));
    }
    AppendRandomWords(5, true);
    EXPECT_EQ(PracticeCount, 5);
    EXPECT_EQ(Practice().size(), 5u);
}

TEST(RandomSource, DrawsUniformlyOverTheWholeOfALargeList) {
    SeedRandomSource(20261207);
    constexpr int kCount = 100000;
    constexpr int kDraws = 200000;
    std::array<int, 10> tenths{};
    int highest = 0;
    for (int i = 0; i < kDraws; ++i) {
        const int k = RandomIndex(kCount);
        ASSERT_GE(k, 0);
        ASSERT_LT(k, kCount);
        highest = std::max(highest, k);
        ++tenths[k / (kCount / 10)];
    }
    EXPECT_GT(highest, kCount - 100);
    for (int n : tenths) EXPECT_NEAR(n, kDraws / 10, kDraws / 100);  // within 5 %
    EXPECT_EQ(RandomIndex(0), 0);
}

TEST(AddRandomNumber, OnlyCountsTheListCanGive) {
    for (const wchar_t* refused : {L"0", L"-5", L"121", L"abc", L""}) EXPECT_EQ(AcceptedWordCount(refused, 120), 0) << refused;
    EXPECT_EQ(AcceptedWordCount(L"120", 120), 120);
    EXPECT_EQ(AcceptedWordCount(L"5 words", 120), 5);
    EXPECT_EQ(AcceptedWordCount(L"1", 0), 0);
}
