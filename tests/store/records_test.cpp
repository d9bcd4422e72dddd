#include <gtest/gtest.h>

#include <cstring>

#include "store/records.h"
#include "support/storefixture.h"
#include "win/handles.h"

namespace {
class Records : public StoreTest {};
}  // namespace

TEST(RecordFormat, FieldsHaveFixedPlacesWhateverTheWordLengths) {
    const WordEntry entry{std::wstring(30, L'a'), L"b", 1};
    const WordRecord r = EncodeRecord(entry, 1252, 1252);
    EXPECT_EQ(std::memcmp(r.bytes, std::string(30, 'a').data(), 30), 0);
    EXPECT_EQ(r.bytes[30], 0);
    EXPECT_EQ(r.bytes[31], 'b');
    EXPECT_EQ(r.bytes[32], 0);
    EXPECT_EQ(r.bytes[82], 1);
    EXPECT_EQ(r.bytes[83], 0);
    const WordEntry back = DecodeRecord(r, 1252, 1252);
    EXPECT_EQ(back.first, entry.first);
    EXPECT_EQ(back.second, L"b");
    EXPECT_EQ(back.deleted, 1);
}

TEST(RecordFormat, OverlongWordsAreCutAtACharacterBoundary) {
    WordEntry entry{std::wstring(40, L'x'), std::wstring(60, L'y'), 0};
    WordRecord r = EncodeRecord(entry, 1252, 1252);
    WordEntry back = DecodeRecord(r, 1252, 1252);
    EXPECT_EQ(back.first, std::wstring(30, L'x'));
    EXPECT_EQ(back.second, std::wstring(50, L'y'));

    // Japanese in the first field: 16 double-byte characters do not fit 30 bytes.
    entry.first = std::wstring(16, L'\x30A2');
    entry.second = L"a" + std::wstring(30, L'\x30A2');
    r = EncodeRecord(entry, 932, 932);
    EXPECT_EQ(r.bytes[30], 0);
    EXPECT_EQ(r.bytes[81], 0);
    back = DecodeRecord(r, 932, 932);
    EXPECT_EQ(back.first, std::wstring(15, L'\x30A2'));
    EXPECT_EQ(back.second, L"a" + std::wstring(24, L'\x30A2'));  // 49 bytes: the 25th would need 51

    // UTF-8, the ANSI code page of systems set to it: the words keep their letters and
    // are cut between whole sequences.
    entry.first = std::wstring(16, L'\x00E9');    // 32 bytes
    entry.second = std::wstring(17, L'\x20AC');   // 51 bytes
    back = DecodeRecord(EncodeRecord(entry, CP_UTF8, CP_UTF8), CP_UTF8, CP_UTF8);
    EXPECT_EQ(back.first, std::wstring(15, L'\x00E9'));
    EXPECT_EQ(back.second, std::wstring(16, L'\x20AC'));
}

TEST(RecordFormat, DamagedRecordsNeverReadPastAField) {
    WordRecord r;
    std::memset(r.bytes, 'z', sizeof r.bytes);  // no zero anywhere
    WordEntry back = DecodeRecord(r, 1252, 1252);
    EXPECT_EQ(back.first, std::wstring(30, L'z'));
    EXPECT_EQ(back.second, std::wstring(50, L'z'));

    unsigned char raw[kRecordSize];
    std::memset(raw, 'z', sizeof raw);
    NormalizeLiveRecord(raw, 1252, 1252);
    EXPECT_EQ(raw[29], 'z');
    EXPECT_EQ(raw[30], 0);
    EXPECT_EQ(raw[80], 'z');
    EXPECT_EQ(raw[81], 0);
    EXPECT_EQ(raw[82], 0);
    EXPECT_EQ(raw[83], 0);

    // A double-byte lead byte in the last text position is dropped rather than split.
    std::memset(raw, 0, sizeof raw);
    for (int i = 0; i < 29; ++i) raw[i] = 'k';
    raw[29] = 0x83;
    raw[30] = 0x41;
    EXPECT_EQ(FirstWordBytes(raw, 932), std::string(29, 'k'));
}

TEST_F(Records, CountsOnlyWholeRecords) {
    OpenFrench({});
    EXPECT_EQ(WordCount, 0);
    EXPECT_EQ(ReadWordRecord(0), -1);

    CloseListFiles();
    WriteWordList(L"Fre_Eng.tvk", {{L"chat", L"cat", 0}, {L"chien", L"dog", 0}});
    std::string bytes = ReadBytes(L"wordlists\\Fre_Eng.tvk");
    WriteBytes(L"wordlists\\Fre_Eng.tvk", bytes + std::string(50, 'j'));
    ASSERT_EQ(TryOpenWordListFile(), 0);
    CountRecords();
    EXPECT_EQ(WordCount, 2);
}

TEST_F(Records, ReadingOutsideTheListFailsAndKeepsTheCurrentEntry) {
    OpenFrench({{L"chat", L"cat", 0}, {L"\x00E9t\x00E9", L"summer", 1}});
    ASSERT_EQ(ReadWordRecord(1), 0);
    EXPECT_EQ(CurrentEntry.first, L"\x00E9t\x00E9");
    EXPECT_EQ(CurrentEntry.deleted, 1);
    EXPECT_EQ(ReadWordRecord(2), -1);  // passes the bound, then the read is short
    EXPECT_EQ(ReadWordRecord(-1), -1);
    EXPECT_EQ(ReadWordRecord(7), -1);
    EXPECT_EQ(CurrentEntry.first, L"\x00E9t\x00E9");
}

TEST_F(Records, WritingAtTheCountAppendsAndInPlaceOverwrites) {
    OpenFrench({{L"chat", L"cat", 0}});
    CurrentEntry = {L"maison", L"house, home", 0};
    ASSERT_EQ(WriteWordRecord(WordCount), 0);
    ++WordCount;
    CurrentEntry = {L"chat", L"cat", 1};
    ASSERT_EQ(WriteWordRecord(0), 0);
    const auto entries = ReadWordList(L"Fre_Eng.tvk");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].deleted, 1);
    EXPECT_EQ(entries[1].second, L"house, home");
    EXPECT_EQ(WriteWordRecord(-1), -1);
}

TEST_F(Records, WithoutPracticeListsThereIsNoPracticeFile) {
    OpenFrench({});
    EXPECT_TRUE(CurrentPracticeList.empty());
    EXPECT_EQ(OpenPracticeListFile(), -1);
    EXPECT_EQ(PracticeCount, 0);
    CurrentEntry = {L"a", L"b", 0};
    EXPECT_EQ(WritePracticeRecord(0), -1);
}

TEST_F(Records, TheFirstPracticeListFolderIsTakenAndItsFileCreated) {
    MakeDirectories(L"practice\\.hidden");
    MakeDirectories(L"practice\\Basics");
    OpenFrench({{L"chat", L"cat", 0}});
    EXPECT_EQ(CurrentPracticeList, L"Basics");
    EXPECT_EQ(PracticeListCount, 2);
    EXPECT_TRUE(FileExists(L"practice\\Basics\\Fre_Eng.ls"));
    EXPECT_EQ(PracticeCount, 0);

    ASSERT_EQ(ReadWordRecord(0), 0);
    ASSERT_EQ(AppendEntryTo(PracticeCount, nullptr), 0);
    CountPracticeRecords();
    EXPECT_EQ(PracticeCount, 1);
    ASSERT_EQ(ReadPracticeRecord(0), 0);
    EXPECT_EQ(CurrentEntry.second, L"cat");
}

TEST_F(Records, ReadsAfterWritesSeeTheNewRecord) {
    OpenFrench({{L"chat", L"cat", 0}, {L"chien", L"dog", 0}});
    ASSERT_EQ(ReadWordRecord(1), 0);  // now remembered
    CurrentEntry = {L"chien", L"dog, hound", 1};
    ASSERT_EQ(WriteWordRecord(1), 0);
    CurrentEntry = {};
    ASSERT_EQ(ReadWordRecord(1), 0);
    EXPECT_EQ(CurrentEntry.second, L"dog, hound");
    EXPECT_EQ(CurrentEntry.deleted, 1);

    // A list replaced on disk and opened again is read afresh.
    CloseListFiles();
    WriteWordList(L"Fre_Eng.tvk", {{L"a", L"1", 0}, {L"b", L"2", 0}});
    ASSERT_EQ(TryOpenWordListFile(), 0);
    CountRecords();
    ASSERT_EQ(ReadWordRecord(1), 0);
    EXPECT_EQ(CurrentEntry.first, L"b");
}

TEST_F(Records, APracticeListIsOpenedAsItIsAndAMissingOneGivesNoFile) {
    std::string practice;
    for (const WordEntry& e : {WordEntry{L"chat", L"cat", 0}, WordEntry{L"chien", L"dog", 1}}) {
        const WordRecord r = EncodeRecord(e, 1252, 1252);
        practice.append(reinterpret_cast<const char*>(r.bytes), kRecordSize);
    }
    WriteBytes(L"practice\\Basics\\Fre_Eng.ls", practice);
    CurrentPracticeList = L"Basics";
    OpenFrench({{L"chat", L"cat", 0}});
    EXPECT_EQ(PracticeCount, 2);
    ASSERT_EQ(ReadPracticeRecord(1), 0);
    EXPECT_EQ(CurrentEntry.first, L"chien");
    EXPECT_EQ(CurrentEntry.deleted, 1);
    // Opening it again, as a switch of practice list does, keeps what it holds.
    ClosePracticeListFile();
    ASSERT_EQ(OpenPracticeListFile(), 0);
    CountPracticeRecords();
    EXPECT_EQ(PracticeCount, 2);
    EXPECT_EQ(ReadBytes(L"practice\\Basics\\Fre_Eng.ls"), practice);

    // A practice list whose folder is gone is not replaced by another one.
    ClosePracticeListFile();
    CurrentPracticeList = L"Gone";
    EXPECT_EQ(OpenPracticeListFile(), -1);
    CountPracticeRecords();
    EXPECT_EQ(PracticeCount, 0);
    EXPECT_EQ(CurrentPracticeList, L"Gone");
    EXPECT_FALSE(FileExists(L"practice\\Gone"));
    CurrentEntry = {L"a", L"b", 0};
    EXPECT_EQ(WritePracticeRecord(0), -1);
    EXPECT_EQ(ReadBytes(L"practice\\Basics\\Fre_Eng.ls"), practice);
}

TEST_F(Records, AppendingToAGivenFileWritesRecordsInARowWhereTheFileStands) {
    MakeDirectories(L"practice\\Basics");
    WriteBytes(L"languages.ini", LanguageFile({"Greek,greek,161"}, "Gre_Eng.tvk"));
    WriteWordList(L"Gre_Eng.tvk", {}, 1253);
    Open();
    ASSERT_EQ(CurrentPracticeList, L"Basics");

    UniqueFile copy(CreateFileW(L"copy.tmp", GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(copy);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(copy.Get(), "head", 4, &written, nullptr));
    const std::vector<WordEntry> entries = {{L"\x03B3\x03AC\x03C4\x03B1", L"cat", 0},
                                            {L"\x03C3\x03BA\x03CD\x03BB\x03BF\x03C2", L"dog", 0},
                                            {L"\x03BB\x03CD\x03BA\x03BF\x03C2", L"wolf", 0}};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        CurrentEntry = entries[i];
        ASSERT_EQ(AppendEntryTo(static_cast<int>(i), copy.Get()), 0);
    }
    copy.Reset();

    const std::string bytes = ReadBytes(L"copy.tmp");
    ASSERT_EQ(bytes.size(), 4 + 3 * kRecordSize);
    EXPECT_EQ(bytes.substr(0, 4), "head");
    for (std::size_t i = 0; i < entries.size(); ++i) {
        WordRecord r;
        std::memcpy(r.bytes, bytes.data() + 4 + i * kRecordSize, kRecordSize);
        const WordEntry back = DecodeRecord(r, 1253, 1252);
        EXPECT_EQ(back.first, entries[i].first);
        EXPECT_EQ(back.second, entries[i].second);
    }
    // The practice list file is not touched.
    CountPracticeRecords();
    EXPECT_EQ(PracticeCount, 0);
    EXPECT_EQ(ReadBytes(L"practice\\Basics\\Gre_Eng.ls").size(), 0u);
}
