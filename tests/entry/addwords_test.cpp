// Storing word pairs in both directions, on real word list files.
#include <gtest/gtest.h>

#include "entry/addwords.h"
#include "store/collation.h"
#include "support/storefixture.h"
#include "text/translations.h"

namespace {

class AddWords : public StoreTest {
protected:
    void OpenFrenchEnglish(const std::vector<WordEntry>& forward, const std::vector<WordEntry>& reverse,
                           bool practiceList = true) {
        if (practiceList) MakeDirectories(L"practice\\Basics");
        WriteBytes(L"languages.ini", LanguageFile({"French,french"}, "Fre_Eng.tvk"));
        WriteWordList(L"Fre_Eng.tvk", forward);
        WriteWordList(L"Eng_Fre.tvk", reverse);
        Open();
        session = BeginAddSession(true);
    }
    static std::vector<WordEntry> Practice(const std::wstring& file) {
        return DecodeRecords(ReadBytes(L"practice\\Basics\\" + file));
    }
    AddSession session;
};

TEST(Translations, CommasSplitAndPiecesAreTrimmed) {
    EXPECT_EQ(NormaliseTranslations(L"house,,  home ,abode"), L"house, home, abode");
    EXPECT_EQ(NormaliseTranslations(L",,,"), L"");
    EXPECT_EQ(NormaliseTranslations(L"a,  ,b"), L"a, , b");
    EXPECT_EQ(SplitTranslations(L"woning, huis").size(), 2u);
}

TEST_F(AddWords, PairGoesIntoBothDirectionsThePracticeListsAndTheLog) {
    OpenFrenchEnglish({{L"chat", L"cat", 0}, {L"maison", L"house", 0}},
                      {{L"cat", L"chat", 0}, {L"home", L"foyer", 0}, {L"house", L"logis", 0}});
    ASSERT_EQ(StorePair(session, L"  demeure ", L"house,,  home ,abode"), StoreOutcome::Added);

    EXPECT_EQ(&CurrentWordList(), session.forward);
    EXPECT_EQ(WordCount, 3);
    EXPECT_EQ(ReadWordList(L"Fre_Eng.tvk").back(), (WordEntry{L"demeure", L"house, home, abode", 0}));
    const std::vector<WordEntry> reverse = ReadWordList(L"Eng_Fre.tvk");
    ASSERT_EQ(reverse.size(), 4u);
    EXPECT_EQ(reverse[1].second, L"foyer, demeure");
    EXPECT_EQ(reverse[2].second, L"logis, demeure");
    EXPECT_EQ(reverse[3], (WordEntry{L"abode", L"demeure", 0}));
    // Only new entries go into the practice lists; merged translations do not.
    EXPECT_EQ(FirstWords(Practice(L"Fre_Eng.ls")), std::vector<std::wstring>{L"demeure"});
    EXPECT_EQ(FirstWords(Practice(L"Eng_Fre.ls")), std::vector<std::wstring>{L"abode"});
    EXPECT_EQ(ReadBytes(L"new\\French_English.tvk").size(), kRecordSize);

    SortChangedLists(session);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(FirstWords(ReadWordList(L"Fre_Eng.tvk")), (std::vector<std::wstring>{L"chat", L"demeure", L"maison"}));
    EXPECT_EQ(FirstWords(ReadWordList(L"Eng_Fre.tvk")),
              (std::vector<std::wstring>{L"abode", L"cat", L"home", L"house"}));
    EXPECT_EQ(&CurrentWordList(), session.forward);
    EXPECT_EQ(WordCount, 3);
    EXPECT_FALSE(session.currentListChanged || session.reverseListChanged);
}

TEST_F(AddWords, ReverseTranslationsMergeOnceAndOnlyWhileTheyFit) {
    const std::wstring crowded = L"one, two, three, four, five, six, seven, eig";  // 44 characters
    OpenFrenchEnglish({}, {{L"full", crowded, 0}, {L"house", L"woning", 0}});
    StorePair(session, L"huis", L"house");
    EXPECT_EQ(ReadWordList(L"Eng_Fre.tvk")[1].second, L"woning, huis");
    StorePair(session, L"HUIS", L"house");  // the same translation in other case
    EXPECT_EQ(ReadWordList(L"Eng_Fre.tvk")[1].second, L"woning, huis");
    StorePair(session, L"plein", L"full");  // 44 + 2 + 5 > 50
    EXPECT_EQ(ReadWordList(L"Eng_Fre.tvk")[0].second, crowded);
    StorePair(session, L"long", L"a translation far over thirty letters");
    EXPECT_EQ(ReadWordList(L"Eng_Fre.tvk").size(), 2u);
    EXPECT_EQ(ReadWordList(L"Fre_Eng.tvk").back().second, L"a translation far over thirty letters");
}

TEST_F(AddWords, WordsAddedWhileOpenAreNotSearchedButSortedOnesAreUpdatedInPlace) {
    OpenFrenchEnglish({{L"chat", L"cat", 0}, {L"maison", L"house", 1}}, {});
    EXPECT_EQ(LookUpTranslation(session, L"MAISON"), std::optional<std::wstring>(L"house"));
    EXPECT_FALSE(LookUpTranslation(session, L"mais"));

    // Stored onto an entry marked deleted: the pair is wanted, so the mark goes.
    EXPECT_EQ(StorePair(session, L"maison", L"home"), StoreOutcome::Updated);
    EXPECT_EQ(ReadWordList(L"Fre_Eng.tvk")[1], (WordEntry{L"maison", L"home", 0}));
    EXPECT_TRUE(session.currentListChanged);
    session.currentListChanged = false;

    // "zoo" sorts after every sorted word: the search lands on the first appended one.
    EXPECT_EQ(StorePair(session, L"zoo", L"zoo"), StoreOutcome::Added);
    EXPECT_EQ(StorePair(session, L"zoo", L"zoo"), StoreOutcome::Added);
    EXPECT_FALSE(LookUpTranslation(session, L"zoo"));
    EXPECT_EQ(FirstWords(ReadWordList(L"Fre_Eng.tvk")),
              (std::vector<std::wstring>{L"chat", L"maison", L"zoo", L"zoo"}));
    EXPECT_EQ(StorePair(session, L"a,b", L"c"), StoreOutcome::CommaInFirstWord);
    EXPECT_EQ(StorePair(session, L"   ", L"c"), StoreOutcome::Nothing);
    EXPECT_EQ(StorePair(session, L"x", L" ,, "), StoreOutcome::Nothing);
    EXPECT_EQ(WordCount, 4);
}

TEST_F(AddWords, WithoutAPracticeListOnlyTheWordListsChange) {
    OpenFrenchEnglish({}, {}, false);
    ASSERT_EQ(StorePair(session, L"chien", L"dog"), StoreOutcome::Added);
    EXPECT_FALSE(FileExists(L"practice"));
    EXPECT_EQ(ReadWordList(L"Eng_Fre.tvk").size(), 1u);
    EXPECT_EQ(session.addedCount, 1);
}

TEST_F(AddWords, AMissingReverseListIsReportedAndTheForwardEntryKept) {
    OpenFrenchEnglish({}, {});
    DeleteFileW(L"wordlists\\Eng_Fre.tvk");
    ASSERT_EQ(StorePair(session, L"chien", L"dog"), StoreOutcome::Added);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].text.find(L"Eng_Fre.tvk"), std::wstring::npos);
    EXPECT_EQ(&CurrentWordList(), session.forward);
    EXPECT_EQ(WordCount, 1);
    EXPECT_EQ(ReadWordList(L"Fre_Eng.tvk").size(), 1u);
    SortChangedLists(session);
    EXPECT_EQ(ReadWordList(L"Fre_Eng.tvk").size(), 1u);
    EXPECT_FALSE(FileExists(L"wordlists\\Eng_Fre.tvk"));
}

// English to Japanese: the reverse list's first words are double-byte text.
TEST_F(AddWords, DoubleByteTranslationsAreMeasuredInBytes) {
    WriteBytes(L"languages.ini", LanguageFile({"Japanese,japanese,128"}, "Eng_Jap.tvk"));
    WriteWordList(L"Eng_Jap.tvk", {}, 1252, 932);
    WriteWordList(L"Jap_Eng.tvk", {}, 932, 1252);
    Open();
    session = BeginAddSession(false);
    const std::wstring cat = L"\x30CD\x30B3";
    const std::wstring sixteen(16, L'\x30A2');  // 32 bytes: too long for a first word
    StorePair(session, L"cat", cat + L", " + sixteen);
    const std::vector<WordEntry> reverse = ReadWordList(L"Jap_Eng.tvk", 932, 1252);
    ASSERT_EQ(reverse.size(), 1u);
    EXPECT_EQ(reverse[0].first, cat);
    EXPECT_EQ(reverse[0].second, L"cat");
    EXPECT_EQ(ReadWordList(L"Eng_Jap.tvk", 1252, 932)[0].second, cat + L", " + sixteen);
}

}  // namespace
