// Counting and finding practice list folders below the practice list root.
#include <gtest/gtest.h>

#include "practice/practicelists.h"
#include "support/testenv.h"

namespace {

class PracticeListsTest : public ::testing::Test {
protected:
    void SetUp() override { InstallEnglishUiStrings(); }
    TempDirectory dir;
};

}  // namespace

TEST_F(PracticeListsTest, MissingRootCountsNothing) {
    EXPECT_EQ(CountPracticeLists(), 0);
    EXPECT_FALSE(PracticeListExists(L"Week 1"));
}

TEST_F(PracticeListsTest, EmptyRootCountsItsTwoDotEntries) {
    MakeDirectories(L"practice");
    EXPECT_EQ(CountPracticeLists(), 2);
}

TEST_F(PracticeListsTest, CountsFoldersButNotFiles) {
    MakeDirectories(L"practice\\Week 1");
    MakeDirectories(L"practice\\Verbs");
    WriteBytes(L"practice\\update.tmp", "x");
    EXPECT_EQ(CountPracticeLists(), 4);
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
