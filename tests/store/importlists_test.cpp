// Importing word pairs in bulk into a word list and its reverse list: the merge, the
// refusals, backups and undo, failures that leave the lists as they were, and the
// round trip through an export.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "store/atomicfile.h"
#include "store/backups.h"
#include "store/exportlist.h"
#include "store/importlists.h"
#include "store/sort.h"
#include "support/storefixture.h"
#include "win/handles.h"

namespace {

class Import : public StoreTest {
protected:
    void OpenFrenchEnglish(const std::vector<WordEntry>& forward, const std::vector<WordEntry>& reverse) {
        MakeDirectories(L"practice\\Basics");
        WriteBytes(L"languages.ini", LanguageFile({"French,french"}, "Fre_Eng.tvk"));
        WriteWordList(L"Fre_Eng.tvk", forward);
        WriteWordList(L"Eng_Fre.tvk", reverse);
        Open();
        forwardBytes = ReadBytes(L"wordlists\\Fre_Eng.tvk");
        reverseBytes = ReadBytes(L"wordlists\\Eng_Fre.tvk");
    }
    ImportPlan Plan(const std::vector<ImportPair>& pairs) {
        EXPECT_TRUE(ReadImportLists(CurrentWordList(), lists));
        return PlanImport(lists, pairs);
    }
    ImportFailure Apply(const std::vector<ImportPair>& pairs, bool practice = true) {
        plan = Plan(pairs);
        return ApplyImport(lists, plan, practice);
    }
    bool ListsAsBefore() const {
        return ReadBytes(L"wordlists\\Fre_Eng.tvk") == forwardBytes && ReadBytes(L"wordlists\\Eng_Fre.tvk") == reverseBytes;
    }
    static std::vector<WordEntry> Practice(const std::wstring& file) {
        return DecodeRecords(ReadBytes(L"practice\\Basics\\" + file));
    }
    static std::vector<ImportRefusal> Reasons(const ImportPlan& p) {
        std::vector<ImportRefusal> reasons;
        for (const PlannedRow& row : p.refused) reasons.push_back(row.reason);
        return reasons;
    }

    ImportLists lists;
    ImportPlan plan;
    std::string forwardBytes;
    std::string reverseBytes;
};

}  // namespace

TEST_F(Import, PairsMergeIntoBothListsWhichEndSortedWithPracticeListsLogAndBackups) {
    OpenFrenchEnglish({{L"chat", L"cat", 0}, {L"maison", L"house", 0}, {L"vieux", L"old", 1}},
                      {{L"cat", L"chat", 0}, {L"home", L"foyer", 0}, {L"house", L"logis", 0}});
    ASSERT_EQ(Apply({{2, L"demeure", L"house; home; abode"},
                     {3, L"maison", L"house, home"},
                     {4, L"CHAT", L"cat"},
                     {5, L"vieux", L"old"},     // marked deleted: comes in as new
                     {6, L"demeure", L"dwelling"}}),  // merges into the row above
              ImportFailure::None);
    EXPECT_EQ(plan.counts.rows, 5u);
    EXPECT_EQ(plan.counts.added, 2u);
    EXPECT_EQ(plan.counts.merged, 2u);
    EXPECT_EQ(plan.counts.unchanged, 1u);
    EXPECT_EQ(plan.counts.refused, 0u);

    EXPECT_EQ(ReadWordList(L"Fre_Eng.tvk"), (std::vector<WordEntry>{{L"chat", L"cat", 0},
                                                                     {L"demeure", L"house, home, abode, dwelling", 0},
                                                                     {L"maison", L"house, home", 0},
                                                                     {L"vieux", L"old", 0}}));
    EXPECT_EQ(ReadWordList(L"Eng_Fre.tvk"), (std::vector<WordEntry>{{L"abode", L"demeure", 0},
                                                                     {L"cat", L"chat", 0},
                                                                     {L"dwelling", L"demeure", 0},
                                                                     {L"home", L"foyer, demeure, maison", 0},
                                                                     {L"house", L"logis, demeure, maison", 0},
                                                                     {L"old", L"vieux", 0}}));
    // New entries only, as they stand at the end, in the order they came.
    EXPECT_EQ(FirstWords(Practice(L"Fre_Eng.ls")), (std::vector<std::wstring>{L"demeure", L"vieux"}));
    EXPECT_EQ(Practice(L"Fre_Eng.ls")[0].second, L"house, home, abode, dwelling");
    EXPECT_EQ(FirstWords(Practice(L"Eng_Fre.ls")), (std::vector<std::wstring>{L"abode", L"old", L"dwelling"}));
    EXPECT_EQ(FirstWords(DecodeRecords(ReadBytes(L"new\\French_English.tvk"))),
              (std::vector<std::wstring>{L"demeure", L"vieux"}));
    const std::vector<std::wstring> backups = BackupsOf(*lists.forward);
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_EQ(ReadBytes(backups[0]), forwardBytes);
    ASSERT_EQ(BackupsOf(*lists.reverse).size(), 1u);
    EXPECT_EQ(ReadBytes(BackupsOf(*lists.reverse)[0]), reverseBytes);

    // The store is open again on the forward list.
    EXPECT_EQ(&CurrentWordList(), lists.forward);
    EXPECT_EQ(WordCount, 4);
    EXPECT_TRUE(messages.empty());
}

TEST_F(Import, RowsThatCannotBeStoredExactlyAreRefusedWholeWithTheirReason) {
    const std::wstring crowded = L"one, two, three, four, five, six, seven, eig";  // 44 bytes
    OpenFrenchEnglish({{L"long", L"a translation of forty-six bytes, more or less", 0}},
                      {{L"full", crowded, 0}});
    ImportPair tooLong{12, L"", L"", true};
    plan = Plan({{1, L"\x0434\x043e\x043c", L"house"},
                 {2, L"maison", L"\x0434\x043e\x043c"},
                 {3, L"mmmmmmmmmmmmmmmmmmmmmmmmmmmmmmm", L"m"},  // 31 bytes
                 {4, L"a", L"aaaaaaaaaa, bbbbbbbbbb, cccccccccc, dddddddddd, eeeee"},  // 52 bytes
                 {5, L"b", L"a translation far over thirty letters"},
                 {6, L"plein", L"new, full"},  // "full" has no room: "new" must not stay either
                 {7, L"a,b", L"x"},
                 {8, L"", L"x"},
                 {9, L"y", L" ; "},
                 {10, L"long", L"extra"},  // merged it would pass 50 bytes
                 {11, L"tab\tword", L"x"},
                 tooLong});
    EXPECT_EQ(Reasons(plan),
              (std::vector<ImportRefusal>{ImportRefusal::WordNotInCodePage, ImportRefusal::TranslationNotInCodePage,
                                          ImportRefusal::WordTooLong, ImportRefusal::TranslationsTooLong,
                                          ImportRefusal::TranslationTooLongForReverse, ImportRefusal::ReverseEntryFull,
                                          ImportRefusal::CommaInWord, ImportRefusal::EmptySide, ImportRefusal::EmptySide,
                                          ImportRefusal::TranslationsTooLong, ImportRefusal::ControlInWord,
                                          ImportRefusal::RowTooLong}));
    EXPECT_EQ(plan.refused[5].word, L"full");
    EXPECT_EQ(plan.counts.refused, 12u);
    EXPECT_FALSE(plan.Changes());
    for (const ImportEntry& e : plan.forwardEntries) EXPECT_TRUE(e.record >= 0 && !e.changed);
    for (const ImportEntry& e : plan.reverseEntries) EXPECT_TRUE(e.record >= 0 && !e.changed);
}

TEST_F(Import, BackupsKeepTheTenNewestAndUndoPutsEverythingBackUnlessTheListsChanged) {
    OpenFrenchEnglish({{L"chat", L"cat", 0}}, {{L"cat", L"chat", 0}});
    for (int day = 1; day <= 11; ++day)
        WriteBytes(L"backup\\Fre_Eng-200001" + std::wstring(day < 10 ? L"0" : L"") + std::to_wstring(day) + L"-120000.tvk",
                   "old");
    const std::string practiceBefore = ReadBytes(L"practice\\Basics\\Fre_Eng.ls");
    ASSERT_EQ(Apply({{1, L"chien", L"dog"}}), ImportFailure::None);
    const std::vector<std::wstring> backups = BackupsOf(*lists.forward);
    ASSERT_EQ(backups.size(), kBackupsKept);
    EXPECT_EQ(backups.front(), L"backup\\Fre_Eng-20000103-120000.tvk");
    EXPECT_EQ(ReadBytes(backups.back()), forwardBytes);
    EXPECT_FALSE(ListsAsBefore());

    EXPECT_TRUE(CanUndoImport());
    EXPECT_EQ(RestoreBeforeImport(), UndoOutcome::Done);
    EXPECT_TRUE(ListsAsBefore());
    EXPECT_EQ(ReadBytes(L"practice\\Basics\\Fre_Eng.ls"), practiceBefore);
    EXPECT_EQ(ReadBytes(L"new\\French_English.tvk"), "");
    EXPECT_FALSE(CanUndoImport());
    EXPECT_EQ(WordCount, 1);

    // A list changed after the import (a corrected entry, say): the undo would lose it.
    ASSERT_EQ(Apply({{1, L"chien", L"dog"}}), ImportFailure::None);
    const std::string imported = ReadBytes(L"wordlists\\Eng_Fre.tvk");
    CurrentEntry = {L"chien", L"hound", 0};
    ASSERT_EQ(WriteWordRecord(0), 0);
    const std::string corrected = ReadBytes(L"wordlists\\Fre_Eng.tvk");
    EXPECT_EQ(RestoreBeforeImport(), UndoOutcome::Changed);
    EXPECT_EQ(ReadBytes(L"wordlists\\Fre_Eng.tvk"), corrected);
    EXPECT_EQ(ReadBytes(L"wordlists\\Eng_Fre.tvk"), imported);
}

TEST_F(Import, AFailedWriteOrReplaceLeavesBothListsAsTheyWere) {
    OpenFrenchEnglish({{L"chat", L"cat", 0}, {L"maison", L"house", 0}}, {{L"cat", L"chat", 0}, {L"house", L"maison", 0}});
    // The backups are written, then a list fails half way.
    SetAtomicWriteFailureAfter(static_cast<long long>(forwardBytes.size() + reverseBytes.size() + kRecordSize));
    EXPECT_EQ(Apply({{1, L"chien", L"dog"}}), ImportFailure::Write);
    SetAtomicWriteFailureAfter(-1);
    EXPECT_TRUE(ListsAsBefore());
    EXPECT_FALSE(CanUndoImport());
    // No backup of an import that did not happen stays behind.
    EXPECT_TRUE(BackupsOf(*lists.forward).empty());
    EXPECT_TRUE(BackupsOf(*lists.reverse).empty());
    EXPECT_FALSE(FileExists(L"wordlists\\Fre_Eng.tvk.tmp"));
    EXPECT_EQ(WordCount, 2);

    // A read-only list is refused before anything is written.
    ASSERT_TRUE(SetFileAttributesW(L"wordlists\\Eng_Fre.tvk", FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(Apply({{1, L"chien", L"dog"}}), ImportFailure::Replace);
    SetFileAttributesW(L"wordlists\\Eng_Fre.tvk", FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(ListsAsBefore());
    EXPECT_TRUE(BackupsOf(*lists.reverse).empty());

    // Another program holds the reverse list: the forward one, replaced already, goes back.
    ASSERT_TRUE(ReadImportLists(CurrentWordList(), lists));
    plan = PlanImport(lists, {{1, L"chien", L"dog"}});
    {
        const UniqueFile held(CreateFileW(L"wordlists\\Eng_Fre.tvk", GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(held.Valid());
        EXPECT_EQ(ApplyImport(lists, plan, true), ImportFailure::Replace);
    }
    EXPECT_TRUE(ListsAsBefore());
    EXPECT_TRUE(BackupsOf(*lists.forward).empty());
    EXPECT_TRUE(BackupsOf(*lists.reverse).empty());
    EXPECT_FALSE(FileExists(L"practice\\Basics\\Fre_Eng.ls") && !ReadBytes(L"practice\\Basics\\Fre_Eng.ls").empty());
    EXPECT_FALSE(CanUndoImport());

    // The forward list cannot go back either: its backup is then the only copy of what it
    // held, and stays.
    ASSERT_TRUE(ReadImportLists(CurrentWordList(), lists));
    plan = PlanImport(lists, {{1, L"chien", L"dog"}});
    SetAtomicWriteFailureAfter(static_cast<long long>(2 * (forwardBytes.size() + reverseBytes.size() + kRecordSize)));
    {
        const UniqueFile held(CreateFileW(L"wordlists\\Eng_Fre.tvk", GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(held.Valid());
        EXPECT_EQ(ApplyImport(lists, plan, true), ImportFailure::Replace);
    }
    SetAtomicWriteFailureAfter(-1);
    const std::vector<std::wstring> kept = BackupsOf(*lists.forward);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(ReadBytes(kept[0]), forwardBytes);
}

TEST_F(Import, AnExportedListImportedIntoEmptyListsGivesTheSameFileBack) {
    OpenFrenchEnglish({{L"\x00E9t\x00E9", L"summer", 0},
                       {L"maison", L"house, home", 0},
                       {L"chat", L"cat", 1},
                       {L"\x0153uf", L"egg", 0},
                       {L"dire \"oui\"", L"to say \"yes\"", 0},
                       {L"arbre", L"tree", 0}},
                      {});
    ASSERT_EQ(SortWordList(), 0);
    const std::string sorted = ReadBytes(L"wordlists\\Fre_Eng.tvk");
    for (const ExportFormat format : {ExportFormat::Csv, ExportFormat::Tabs}) {
        SCOPED_TRACE(format == ExportFormat::Csv ? "CSV" : "tabs");
        std::size_t entries = 0;
        const std::string text = ExportText(sorted, 1252, 1252, {format, true}, L"French", L"English", &entries);
        EXPECT_EQ(entries, 5u);
        if (format == ExportFormat::Csv) {
            EXPECT_EQ(text.substr(0, 3), "\xEF\xBB\xBF");
            EXPECT_NE(text.find("\r\nmaison,\"house, home\"\r\n"), std::string::npos);
            EXPECT_NE(text.find("\r\n\"dire \"\"oui\"\"\",\"to say \"\"yes\"\"\"\r\n"), std::string::npos);
            EXPECT_NE(text.find("\r\n\xC3\xA9t\xC3\xA9,summer\r\n"), std::string::npos);
        } else {
            EXPECT_EQ(text.substr(0, 15), "French\tEnglish\r");
        }
        CloseListFiles();
        WriteWordList(L"Fre_Eng.tvk", {});
        WriteWordList(L"Eng_Fre.tvk", {});
        UseWordList(CurrentWordList());
        const ImportSource source = ReadImportSource(text, {}, 1252, {L"French", L"English"});
        EXPECT_TRUE(source.headerRow);
        ASSERT_EQ(Apply(source.pairs, false), ImportFailure::None);
        EXPECT_EQ(ReadBytes(L"wordlists\\Fre_Eng.tvk"), sorted);
    }
}

TEST_F(Import, FilesThatAreTooLargeLockedOrGoneAreRefusedUnread) {
    std::string bytes = "kept";
    EXPECT_EQ(ReadImportFile(L"missing.csv", bytes), ImportFileRead::Unreadable);
    WriteBytes(L"words.csv", "chat,cat\n");
    {
        const UniqueFile held(CreateFileW(L"words.csv", GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                          nullptr));
        ASSERT_TRUE(held.Valid());
        EXPECT_EQ(ReadImportFile(L"words.csv", bytes), ImportFileRead::Unreadable);
    }
    EXPECT_EQ(ReadImportFile(L"words.csv", bytes), ImportFileRead::Ok);
    EXPECT_EQ(bytes, "chat,cat\n");
    {
        const UniqueFile big(CreateFileW(L"big.csv", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                         nullptr));
        LARGE_INTEGER size{};
        size.QuadPart = static_cast<LONGLONG>(kLargestImportFile) + 1;
        ASSERT_TRUE(SetFilePointerEx(big.Get(), size, nullptr, FILE_BEGIN) && SetEndOfFile(big.Get()));
    }
    EXPECT_EQ(ReadImportFile(L"big.csv", bytes), ImportFileRead::TooLarge);
    // A header and nothing else: no rows.
    EXPECT_TRUE(ReadImportSource("French,English\r\n", {}, 1252, {L"French", L"English"}).pairs.empty());
}

// Shift-JIS: the second byte of a character may be a letter A-Z; folded, "ア" (83 41)
// would be "ヂ" (83 61). Only bytes that are characters of their own are folded.
TEST_F(Import, DoubleByteWordsAreMatchedWholeAndFoldedOnlyWhereTheyAreLetters) {
    MakeDirectories(L"practice\\Basics");
    WriteBytes(L"languages.ini", LanguageFile({"Japanese,japanese,128"}, "Jap_Eng.tvk"));
    WriteWordList(L"Jap_Eng.tvk", {{L"\x30C2", L"di", 0}, {L"Tokyo", L"capital", 0}}, 932, 1252);
    WriteWordList(L"Eng_Jap.tvk", {}, 1252, 932);
    Open();
    plan = Plan({{1, L"\x30A2", L"a"}, {2, L"TOKYO", L"city"}, {3, L"\x30C2", L"ji"}});
    EXPECT_EQ(plan.counts.added, 1u);   // ア is a word of its own
    EXPECT_EQ(plan.counts.merged, 2u);  // TOKYO is Tokyo, ヂ is ヂ
    ASSERT_EQ(ApplyImport(lists, plan, false), ImportFailure::None);
    const std::vector<WordEntry> japanese = ReadWordList(L"Jap_Eng.tvk", 932, 1252);
    ASSERT_EQ(japanese.size(), 3u);
    const auto second = [&](const std::wstring& first) {
        const auto e = std::find_if(japanese.begin(), japanese.end(), [&](const WordEntry& x) { return x.first == first; });
        return e == japanese.end() ? std::wstring(L"(none)") : e->second;
    };
    EXPECT_EQ(second(L"\x30A2"), L"a");
    EXPECT_EQ(second(L"\x30C2"), L"di, ji");
    EXPECT_EQ(second(L"Tokyo"), L"capital, city");
    EXPECT_EQ(ReadWordList(L"Eng_Jap.tvk", 1252, 932).size(), 3u);  // a, city, ji
}

// Words are kept in blocks: an empty word may come first (a row without its first
// column), and a word longer than a block (a hostile field) must not let the next ones
// run past the end of its block.
TEST(ImportText, EmptyAndOversizedWordsLeaveEveryStoredWordIntact) {
    ImportText text;
    EXPECT_EQ(text.Store(L""), L"");
    const std::wstring_view first = text.Store(L"chat");
    const std::wstring huge(100000, L'a');
    const std::wstring_view hugeView = text.Store(huge);
    std::vector<std::pair<std::wstring_view, std::wstring>> later;
    for (int i = 0; i < 300; ++i) {
        const std::wstring word(1000, static_cast<wchar_t>(L'b' + i % 20));
        later.emplace_back(text.Store(word), word);
    }
    EXPECT_EQ(first, L"chat");
    EXPECT_TRUE(hugeView == huge);
    for (const auto& [view, word] : later) EXPECT_TRUE(view == word);
}
