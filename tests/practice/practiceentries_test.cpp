// The practice list's entries as the maker holds them in memory.
#include <gtest/gtest.h>

#include <cstring>

#include "practice/practiceentries.h"
#include "support/testenv.h"

namespace {

std::string Record(const WordEntry& entry) {
    return std::string(reinterpret_cast<const char*>(EncodeRecord(entry, 1252, 1252).bytes), kRecordSize);
}

}  // namespace

TEST(PracticeEntries, LiveEntriesOfTheFileCountOnceEach) {
    TempDirectory dir;
    std::string bytes = Record({L"chat", L"cat", 0}) + Record({L"chat", L"cat", 0}) + Record({L"chien", L"dog", 1});
    // Bytes after a word's terminator are no part of it.
    std::string untidy = Record({L"loup", L"wolf", 0});
    std::memcpy(untidy.data() + 5, "xyz", 3);
    bytes += untidy + Record({L"ab", L"c", 0});
    bytes += Record({L"cut", L"off", 0}).substr(0, 40);  // a record the file's end cuts is none
    WriteBytes(L"p.ls", bytes);

    PracticeEntrySet set;
    ASSERT_TRUE(set.Load(dir.Full(L"p.ls"), 1252, 1252));
    EXPECT_EQ(set.Size(), 4u);
    EXPECT_TRUE(set.Holds({L"chat", L"cat", 0}));
    EXPECT_FALSE(set.Holds({L"chien", L"dog", 0}));  // marked for removal: on its way out
    EXPECT_TRUE(set.Holds({L"loup", L"wolf", 0}));
    EXPECT_TRUE(set.Holds({L"ab", L"c", 1}));  // the mark is no part of the entry
    EXPECT_FALSE(set.Holds({L"a", L"bc", 0}));
    EXPECT_FALSE(set.Holds({L"chat", L"cats", 0}));
    EXPECT_FALSE(set.Holds({L"cut", L"off", 0}));

    // Held twice, it takes two removals to go.
    set.Remove({L"chat", L"cat", 0});
    EXPECT_TRUE(set.Holds({L"chat", L"cat", 0}));
    set.Remove({L"chat", L"cat", 0});
    EXPECT_FALSE(set.Holds({L"chat", L"cat", 0}));
    set.Remove({L"chat", L"cat", 0});  // nothing left to remove
    set.Add({L"chien", L"dog", 0});
    EXPECT_TRUE(set.Holds({L"chien", L"dog", 0}));
    EXPECT_EQ(set.Size(), 3u);

    EXPECT_FALSE(set.Load(dir.Full(L"missing.ls"), 1252, 1252));
    EXPECT_EQ(set.Size(), 0u);
}

// A double-byte record copied raw from the word list ("Add all") may hold bytes that do not
// come back as they were once read; the maker asks with the words as read.
TEST(PracticeEntries, ARawDoubleByteRecordIsHeldAsItReads) {
    TempDirectory dir;
    WordRecord raw{};
    std::memcpy(raw.bytes, "\x81\x20x", 3);  // a lead byte with no trail byte behind it
    std::memcpy(raw.bytes + kFirstWordField, "cat", 3);
    const WordEntry read = DecodeRecord(raw, 932, 1252);
    ASSERT_NE(std::string(reinterpret_cast<const char*>(EncodeRecord(read, 932, 1252).bytes), 3),
              std::string(reinterpret_cast<const char*>(raw.bytes), 3));
    WriteBytes(L"p.ls", std::string(reinterpret_cast<const char*>(raw.bytes), kRecordSize));
    PracticeEntrySet set;
    ASSERT_TRUE(set.Load(dir.Full(L"p.ls"), 932, 1252));
    EXPECT_TRUE(set.Holds(read));
}
