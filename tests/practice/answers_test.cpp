// Judging typed answers and the best score's file.
#include <gtest/gtest.h>

#include "practice/answers.h"
#include "store/atomicfile.h"
#include "support/storefixture.h"
#include "support/testenv.h"
#include "text/uistrings.h"

TEST(TypedAnswers, AnyTranslationMatchesTheFirstTypedPiece) {
    const std::wstring huis = L"huis, woning";
    for (const wchar_t* right : {L"huis", L"Woning", L" woning ", L"huis, anything", L",,huis"})
        EXPECT_EQ(JudgeAnswer(right, huis), AnswerVerdict::Right) << right;
    for (const wchar_t* wrong : {L"huis woning", L"hui", L"anything, huis"})
        EXPECT_EQ(JudgeAnswer(wrong, huis), AnswerVerdict::Wrong) << wrong;
    for (const wchar_t* none : {L"", L",", L" , ,", L"   "}) EXPECT_EQ(JudgeAnswer(none, huis), AnswerVerdict::Empty) << none;
    EXPECT_EQ(JudgeAnswer(L"\u00C9T\u00C9", L"\u00E9t\u00E9"), AnswerVerdict::Right);
}

TEST(BestScore, FewerSkippedFirstThenFewerErrors) {
    const Score run{1, 2};
    EXPECT_TRUE(IsBetterScore(run, std::nullopt));
    EXPECT_TRUE(IsBetterScore(run, Score{1, 3}));
    EXPECT_TRUE(IsBetterScore(run, Score{2, 0}));
    EXPECT_FALSE(IsBetterScore(run, Score{0, 5}));
    EXPECT_FALSE(IsBetterScore(run, Score{1, 2}));  // equal is not better
}

TEST(BestScore, EndOfARunSaysTheScoreAndWhetherItIsANewBest) {
    InstallEnglishUiStrings();
    const std::wstring end = std::wstring(UiText(Ui::PracticeEndlist)) + L"\n\n" + UiText(Ui::PracticeRight) + L" 8   " +
                             UiText(Ui::PracticeErrors) + L" 3   " + UiText(Ui::PracticeSkipped) + L" 2\n";
    EXPECT_EQ(EndOfRunText(10, {2, 3}, std::nullopt, true), end + UiText(Ui::PracticeNewBest));
    EXPECT_EQ(EndOfRunText(10, {2, 3}, Score{2, 4}, false),
              end + UiText(Ui::PracticeNewBest) + L" " + UiText(Ui::PracticeBestNotSaved));
    EXPECT_EQ(EndOfRunText(10, {2, 3}, Score{2, 3}, true),
              end + UiText(Ui::PracticeBestscore) + L" " + UiText(Ui::PracticeSkipped) + L" 2  -  " +
                  UiText(Ui::PracticeErrors) + L" 3");
}

TEST(BestScore, FileNeedsTwoLines) {
    EXPECT_EQ(ParseScoreFile("1\r\n2\r\n"), (Score{1, 2}));
    EXPECT_EQ(ParseScoreFile("  3\n-4"), (Score{3, -4}));
    EXPECT_EQ(ParseScoreFile("7\r\n"), std::nullopt);
    EXPECT_EQ(ParseScoreFile(""), std::nullopt);
    // A line longer than a reader takes is read in pieces; the second piece is line two.
    EXPECT_EQ(ParseScoreFile("0000000000000000012\n5\n"), (Score{1, 2}));
    EXPECT_EQ(FormatScoreFile({1, 2}), "1\r\n2\r\n");
}

class ScoreFileTest : public StoreTest {
protected:
    void SetUp() override {
        StoreTest::SetUp();
        CurrentPracticeList = L"Week 1";
        MakeDirectories(L"practice\\Week 1");
        OpenFrench({{L"chat", L"cat", 0}});
    }
    static constexpr wchar_t kScoreFile[] = L"practice\\Week 1\\Fre_Eng.score";
};

TEST_F(ScoreFileTest, BetterRunsReplaceTheBestWholeAndFailedWritesKeepIt) {
    EXPECT_EQ(LoadBestScore(), std::nullopt);
    EXPECT_TRUE(SaveBestScore({1, 3}, std::nullopt));  // the first run always counts
    EXPECT_EQ(ReadBytes(kScoreFile), "1\r\n3\r\n");
    EXPECT_TRUE(SaveBestScore({0, 5}, LoadBestScore()));
    EXPECT_EQ(LoadBestScore(), (Score{0, 5}));
    EXPECT_TRUE(SaveBestScore({1, 2}, LoadBestScore()));  // worse: kept as it was
    EXPECT_EQ(ReadBytes(kScoreFile), "0\r\n5\r\n");

    SetAtomicWriteFailureAfter(1);
    EXPECT_FALSE(SaveBestScore({0, 1}, LoadBestScore()));
    EXPECT_EQ(ReadBytes(kScoreFile), "0\r\n5\r\n");
    EXPECT_FALSE(FileExists(L"practice\\Week 1\\Fre_Eng.score.new"));
}
