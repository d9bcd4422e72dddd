// The review log on real files: what a kill or a damaged file leaves behind is read
// without harm, and the snapshot never disagrees with the log it caches.
#include <gtest/gtest.h>

#include <string>

#include "practice/reviewlog.h"
#include "practice/reviewsnapshot.h"
#include "store/practicelists.h"
#include "support/testenv.h"

namespace {

constexpr std::int64_t kMonday = 1710158400;  // 2024-03-11 12:00 UTC
const ReviewCalendar kUtc = ReviewCalendar::Fixed(0);

ReviewAnswer Answer(std::int64_t time, const std::string& first, const std::string& second, Grade grade,
                    std::int64_t dueIn = 86400) {
    return {time, CardKey(first, second), grade, {CardPhase::Review, 0, 2.3065, 2.1181, time + dueIn, time}};
}

class ReviewLogTest : public ::testing::Test {
protected:
    void SetUp() override { InstallEnglishUiStrings(); }
    ReviewHistory Load(std::int64_t now = kMonday + 10 * 86400) {
        ReviewHistory history;
        LoadHistory(kLog, kSnapshot, now, kUtc, history);
        return history;
    }
    void Append(const ReviewAnswer& answer) {
        ReviewLogWriter writer(kLog);
        ASSERT_TRUE(writer.Append(answer));
    }
    static constexpr wchar_t kLog[] = L"practice\\Week 1\\Fre_Eng.review";
    static constexpr wchar_t kSnapshot[] = L"practice\\Week 1\\Fre_Eng.reviewstate";
    TempDirectory dir;
};

}  // namespace

TEST_F(ReviewLogTest, WordsWithTabsAndBackslashesComeBackAsTheyWere) {
    MakeDirectories(L"practice\\Week 1");
    const ReviewAnswer answer = Answer(kMonday, "a\tb\\c", "d\ne, \xc3\xa9t\xc3\xa9", Grade::Hard);
    Append(answer);
    const std::string bytes = ReadBytes(kLog);
    EXPECT_NE(bytes.find("a\\tb\\\\c\td\\ne, \xc3\xa9t\xc3\xa9\t2\t2\t0\t2.3065\t2.1181\t"), std::string::npos) << bytes;
    const ReviewHistory history = Load();
    ASSERT_NE(history.Find(answer.key), nullptr);
    EXPECT_EQ(history.Find(answer.key)->due, answer.after.due);
    EXPECT_EQ(history.unreadableLines, 0);
}

TEST_F(ReviewLogTest, ATornLastLineIsIgnoredAndCutOffBeforeTheNextAnswer) {
    MakeDirectories(L"practice\\Week 1");
    Append(Answer(kMonday, "chat", "cat", Grade::Good));
    const std::string whole = ReadBytes(kLog);
    const std::string line = FormatLogLine(Answer(kMonday + 60, "chien", "dog", Grade::Again));
    WriteBytes(kLog, whole + line.substr(0, line.size() / 2));  // killed while writing

    ReviewHistory history = Load();
    EXPECT_TRUE(history.tornTail);
    EXPECT_EQ(history.unreadableLines, 0);  // nothing to tell the user: that answer was never given
    EXPECT_EQ(history.CardCount(), 1u);

    Append(Answer(kMonday + 120, "maison", "house", Grade::Easy));
    EXPECT_EQ(ReadBytes(kLog), whole + FormatLogLine(Answer(kMonday + 120, "maison", "house", Grade::Easy)));
    history = Load();
    EXPECT_FALSE(history.tornTail);
    EXPECT_EQ(history.CardCount(), 2u);
}

TEST_F(ReviewLogTest, GarbageHugeLinesAndFutureDatesStartTheirCardsAfresh) {
    MakeDirectories(L"practice\\Week 1");
    const std::int64_t now = kMonday + 10 * 86400;
    std::string log = FormatLogLine(Answer(kMonday, "chat", "cat", Grade::Good));
    log += FormatLogLine(Answer(kMonday, "chien", "dog", Grade::Good));
    log += FormatLogLine(Answer(kMonday, "unknown", "not in any list", Grade::Good));
    log += "\x01\x02 not a line at all \xff\xfe\n";
    log += std::string(200000, 'x') + "\n";
    log += FormatLogLine(Answer(now + 5 * 86400, "chien", "dog", Grade::Easy));  // from the future
    log += "1710158400\tchat\tcat\t9\t2\t0\t1.0\t5.0\t1710244800\n";            // no such grade
    log += FormatLogLine(Answer(kMonday + 3600, "maison", "house", Grade::Good));
    WriteBytes(kLog, log);

    const ReviewHistory history = Load(now);
    EXPECT_EQ(history.unreadableLines, 4);
    EXPECT_EQ(history.Find(CardKey("chat", "cat")), nullptr);   // its last line is damaged
    EXPECT_EQ(history.Find(CardKey("chien", "dog")), nullptr);  // answered in the future
    EXPECT_NE(history.Find(CardKey("unknown", "not in any list")), nullptr);  // kept for a re-added entry
    EXPECT_NE(history.Find(CardKey("maison", "house")), nullptr);
    EXPECT_EQ(history.days.at(ReviewDayOf(kMonday, 0)).answers, 4);
}

TEST_F(ReviewLogTest, TheSnapshotCoversTheLogAndIsDroppedWhenTheLogIsAnotherOne) {
    MakeDirectories(L"practice\\Week 1");
    Append(Answer(kMonday, "chat", "cat", Grade::Good));
    Append(Answer(kMonday, "chien", "dog", Grade::Again));
    ReviewHistory first = Load();
    ASSERT_TRUE(SaveSnapshot(kSnapshot, first));

    // Answers after the snapshot are read from the log's tail.
    Append(Answer(kMonday + 86400, "chat", "cat", Grade::Easy, 5 * 86400));
    ReviewHistory cached;
    const HistoryLoad load = LoadHistory(kLog, kSnapshot, kMonday + 10 * 86400, kUtc, cached);
    EXPECT_FALSE(load.rebuilt);
    EXPECT_LT(load.tailBytes, 200u);
    DeleteFileW(kSnapshot);
    const ReviewHistory rebuilt = Load();
    EXPECT_TRUE(cached.SameCards(rebuilt));
    EXPECT_EQ(cached.days, rebuilt.days);
    EXPECT_EQ(cached.days.at(ReviewDayOf(kMonday, 0)).introduced, 2);

    // A log replaced by another one of the same size: the snapshot does not fit it.
    ASSERT_TRUE(SaveSnapshot(kSnapshot, rebuilt));
    std::string other = ReadBytes(kLog);
    other[other.size() - 3] = other[other.size() - 3] == '1' ? '2' : '1';
    WriteBytes(kLog, other);
    ReviewHistory fresh;
    EXPECT_TRUE(LoadHistory(kLog, kSnapshot, kMonday + 10 * 86400, kUtc, fresh).rebuilt);

    // A damaged snapshot is only a cache: the log is read instead.
    WriteBytes(kSnapshot, "# Lingorix review snapshot 1\ncard\tbroken\n");
    EXPECT_TRUE(LoadHistory(kLog, kSnapshot, kMonday + 10 * 86400, kUtc, fresh).rebuilt);
    EXPECT_EQ(fresh.CardCount(), 2u);
}

TEST_F(ReviewLogTest, DeletingThePracticeListTakesItsReviewFilesAlong) {
    MakeDirectories(L"practice\\Week 1");
    WriteBytes(L"practice\\Week 1\\Fre_Eng.ls", "");
    Append(Answer(kMonday, "chat", "cat", Grade::Good));
    ASSERT_TRUE(SaveSnapshot(kSnapshot, Load()));
    EXPECT_TRUE(RemovePracticeListFolder(L"Week 1"));
    EXPECT_FALSE(FileExists(L"practice\\Week 1"));
}

TEST(ReviewDayTest, DaysBeginAtFourInTheMorningLocalTime) {
    const std::int64_t midnightUtc = 1710115200;  // 2024-03-11 00:00 UTC
    const int day = ReviewDayOf(midnightUtc + 4 * 3600, 0);
    EXPECT_EQ(ReviewDayOf(midnightUtc + 4 * 3600 - 1, 0), day - 1);
    EXPECT_EQ(ReviewDayStart(day, 0), midnightUtc + 4 * 3600);
    // At UTC+2, 04:00 local is 02:00 UTC; at UTC-5 it is 09:00 UTC.
    EXPECT_EQ(ReviewDayOf(midnightUtc + 2 * 3600, 7200), day);
    EXPECT_EQ(ReviewDayOf(midnightUtc + 2 * 3600 - 1, 7200), day - 1);
    EXPECT_EQ(ReviewDayStart(day, -5 * 3600), midnightUtc + 9 * 3600);
    EXPECT_EQ(ReviewDayOf(midnightUtc + 9 * 3600 - 1, -5 * 3600), day - 1);
    EXPECT_EQ(ReviewCalendar::Fixed(3600).DayStart(day), midnightUtc + 3 * 3600);
}
