// A review of practice list files on disk, without its window: the day's limits and
// the day boundary, cards known by their words, and words captured while reading.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "practice/progress.h"
#include "practice/reviewsession.h"
#include "store/capture.h"
#include "support/canvas.h"
#include "support/storefixture.h"
#include "win/handles.h"
#include "support/testenv.h"

namespace {

constexpr std::int64_t kMonday = 1710158400;  // 2024-03-11 12:00 UTC
constexpr std::int64_t kTuesday = kMonday + 16 * 3600;  // 04:00 UTC, the next review day
const ReviewCalendar kUtc = ReviewCalendar::Fixed(0);

std::string Records(const std::vector<WordEntry>& entries) {
    std::string bytes;
    for (const WordEntry& e : entries) bytes.append(reinterpret_cast<const char*>(EncodeRecord(e, 1252, 1252).bytes), kRecordSize);
    return bytes;
}

std::vector<WordEntry> Numbered(int count) {
    std::vector<WordEntry> entries;
    for (int i = 0; i < count; ++i) entries.push_back({L"w" + std::to_wstring(i), L"t" + std::to_wstring(i), 0});
    return entries;
}

class ReviewSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        InstallEnglishUiStrings();
        words.firstCodePage = words.secondCodePage = 1252;
        MakeDirectories(L"practice\\Week 1");
    }
    void WriteList(const std::vector<WordEntry>& entries) { WriteBytes(kList, Records(entries)); }
    void Load(ReviewSession& session, std::int64_t now, ReviewLimits limits = {}) {
        session.Load({DeckFilesFor(words, kList)}, now, kUtc, limits, 0.9);
    }
    // Answers every card the session offers with the grade; the words asked, in order.
    static std::vector<std::wstring> AnswerAll(ReviewSession& session, Grade grade, std::int64_t now) {
        std::vector<std::wstring> asked;
        while (const ReviewCard* card = session.Current()) {
            asked.push_back(card->First());
            EXPECT_TRUE(session.Answer(grade, now));
        }
        return asked;
    }
    static constexpr wchar_t kList[] = L"practice\\Week 1\\Fre_Eng.ls";
    TempDirectory dir;
    WordListDescriptor words;
};

}  // namespace

TEST_F(ReviewSessionTest, DailyLimitsHoldAcrossOpeningsUntilFourInTheMorning) {
    WriteList(Numbered(30));
    {
        ReviewSession monday;  // its log stays open for it until it goes
        Load(monday, kMonday, {20, 5});
        EXPECT_EQ(monday.Counts(), (ReviewCounts{20, 0, 0}));
        const std::vector<std::wstring> asked = AnswerAll(monday, Grade::Easy, kMonday);
        ASSERT_EQ(asked.size(), 20u);
        EXPECT_EQ(asked.front(), L"w0");  // new cards come in the order of the list
        EXPECT_EQ(asked.back(), L"w19");
        const NextAvailable next = monday.WhenNext(kMonday);
        EXPECT_TRUE(next.wholeDay);
        EXPECT_EQ(next.time, kTuesday);  // the ten left wait for tomorrow's limit
        monday.SaveSnapshots();
    }

    ReviewSession later;
    Load(later, kTuesday - 1, {20, 5});  // 03:59:59 is still Monday
    EXPECT_EQ(later.Counts(), (ReviewCounts{0, 0, 0}));
    Load(later, kTuesday, {20, 5});
    EXPECT_EQ(later.Counts(), (ReviewCounts{10, 0, 0}));

    // Easy on a new card: eight days. Then twenty are due and five may be reviewed.
    ReviewSession dueDay;
    Load(dueDay, kMonday + 8 * 86400, {20, 5});
    EXPECT_EQ(dueDay.Counts(), (ReviewCounts{10, 0, 5}));
    EXPECT_EQ(dueDay.Current()->First(), L"w0");  // reviews before new cards
    ASSERT_TRUE(dueDay.Answer(Grade::Again, kMonday + 8 * 86400));
    EXPECT_EQ(dueDay.Counts(), (ReviewCounts{10, 1, 4}));
}

TEST_F(ReviewSessionTest, CardsAreKnownByTheirWordsNotTheirPlace) {
    const WordEntry chat{L"chat", L"cat", 0};
    const WordEntry chien{L"chien", L"dog", 0};
    const WordEntry maison{L"maison", L"house", 1};  // marked deleted
    WriteList({chat, chien, maison, chat});
    ReviewSession session;
    Load(session, kMonday);
    EXPECT_EQ(session.CardCount(), 2u);
    ASSERT_EQ(session.Current()->First(), L"chat");
    ASSERT_TRUE(session.Answer(Grade::Good, kMonday));
    session.SaveSnapshots();

    WriteList({chien});  // chat taken out of the list
    Load(session, kMonday + 60);
    EXPECT_EQ(session.CardCount(), 1u);
    EXPECT_EQ(session.Counts(), (ReviewCounts{1, 0, 0}));
    EXPECT_EQ(session.Current()->First(), L"chien");

    WriteList({chien, chat});  // and put in again: its history is found
    Load(session, kMonday + 120);
    EXPECT_EQ(session.Counts(), (ReviewCounts{1, 1, 0}));
    ASSERT_EQ(session.Memories().size(), 2u);
    EXPECT_EQ(session.Memories()[1].phase, CardPhase::Learning);
    EXPECT_EQ(session.Memories()[1].step, 1);
}

TEST_F(ReviewSessionTest, ASnapshotNeverClaimsLogLinesItsSessionDidNotRead) {
    const std::wstring log = L"practice\\Week 1\\Fre_Eng.review";
    const std::wstring snapshot = L"practice\\Week 1\\Fre_Eng.reviewstate";
    WriteList({{L"chat", L"cat", 0}, {L"chien", L"dog", 0}, {L"maison", L"house", 0}});
    {
        ReviewSession early;
        Load(early, kMonday);
        {
            ReviewSession other;  // opened after it, answers everything and goes
            Load(other, kMonday);
            AnswerAll(other, Grade::Easy, kMonday);
            other.SaveSnapshots();
        }
        ASSERT_TRUE(early.Answer(Grade::Good, kMonday + 60));  // its line comes after the other's
        early.SaveSnapshots();
    }
    ReviewSession later;
    Load(later, kMonday + 120);
    EXPECT_EQ(later.Counts(), (ReviewCounts{0, 1, 0}));  // every answer known: chien and maison due in eight days
    later.SaveSnapshots();

    // A log held by another program while the review opens is not read, and the
    // snapshot made of the whole of it stays.
    const std::string whole = ReadBytes(snapshot);
    ASSERT_NE(whole.find("maison"), std::string::npos);
    ReviewSession blind;
    {
        const UniqueFile held(CreateFileW(log.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        Load(blind, kMonday + 180);
    }
    ASSERT_EQ(blind.Counts(), (ReviewCounts{3, 0, 0}));
    blind.SaveSnapshots();
    EXPECT_EQ(ReadBytes(snapshot), whole);
}

TEST_F(ReviewSessionTest, ProgressCountsAndPaintsTheMonth) {
    WriteList(Numbered(4));
    ReviewSession session;
    Load(session, kMonday);
    AnswerAll(session, Grade::Easy, kMonday);  // four cards, due in eight days
    const ProgressFigures figures =
        ComputeProgress(session.Memories(), session.Days(), session.Calendar().DayOf(kMonday), 0);
    EXPECT_EQ(figures.duePerDay[8], 4);
    EXPECT_EQ(figures.reviewsPerDay[kProgressDays - 1], 4);
    EXPECT_EQ(figures.rightPerDay[kProgressDays - 1], 4);
    EXPECT_EQ(figures.young, 4);
    EXPECT_EQ(figures.retentionReviews, 0);  // new cards are no reviews

    Canvas canvas(kProgressWidth, kProgressHeight);
    PaintProgress(canvas.Dc(), {0, 0, kProgressWidth, kProgressHeight}, figures, L"Week 1");
    const RECT due = DueChartArea();
    const int slot = (due.right - due.left) / kProgressDays;
    EXPECT_EQ(canvas.At(due.left + 8 * slot + slot / 2, due.bottom - 5), RGB(0, 90, 200));
    EXPECT_EQ(canvas.At(due.left + 7 * slot + slot / 2, due.bottom - 5), RGB(255, 255, 255));
    const RECT reviews = ReviewChartArea();
    EXPECT_EQ(canvas.At(reviews.left + 29 * slot + slot / 2, reviews.bottom - 5), RGB(0, 150, 0));
}

namespace {

class CaptureTest : public StoreTest {
protected:
    void OpenWith(const std::vector<WordEntry>& french, const std::vector<WordEntry>& english) {
        WriteBytes(L"languages.ini", LanguageFile({"French,french"}, "Fre_Eng.tvk"));
        WriteWordList(L"Fre_Eng.tvk", french);
        WriteWordList(L"Eng_Fre.tvk", english);
        Open();
    }
};

}  // namespace

TEST_F(CaptureTest, AnEntryGoesIntoBothDirectionsOnceAndIsANewCard) {
    MakeDirectories(L"practice\\Week 1");
    CurrentPracticeList = L"Week 1";
    OpenWith({{L"chat", L"cat, puss", 0}, {L"chien", L"dog", 0}}, {{L"cat", L"chat, matou", 0}});
    CurrentEntry = {L"chien", L"dog", 0};

    EXPECT_EQ(AddEntryToPracticeList({L"chat", L"cat, puss", 0}), CaptureOutcome::Added);
    EXPECT_EQ(DecodeRecords(ReadBytes(L"practice\\Week 1\\Fre_Eng.ls")),
              (std::vector<WordEntry>{{L"chat", L"cat, puss", 0}}));
    EXPECT_EQ(DecodeRecords(ReadBytes(L"practice\\Week 1\\Eng_Fre.ls")),
              (std::vector<WordEntry>{{L"cat", L"chat, matou", 0}, {L"puss", L"chat", 0}}));
    EXPECT_EQ(AddEntryToPracticeList({L"chat", L"cat, puss", 0}), CaptureOutcome::AlreadyThere);
    EXPECT_EQ(DecodeRecords(ReadBytes(L"practice\\Week 1\\Eng_Fre.ls")).size(), 2u);
    // The window that asked finds its word list, files and entry as they were.
    EXPECT_EQ(CurrentWordList().firstName, L"French");
    EXPECT_EQ(PracticeCount, 1);
    EXPECT_EQ(CurrentEntry, (WordEntry{L"chien", L"dog", 0}));
    EXPECT_EQ(AddEntryToPracticeList({L"chien", L"dog", 1}), CaptureOutcome::NotAnEntry);

    ReviewSession session;
    session.Load(CurrentReviewDecks(), kMonday, kUtc, {}, 0.9);
    EXPECT_EQ(session.Counts(), (ReviewCounts{3, 0, 0}));
    EXPECT_EQ(session.Current()->First(), L"chat");
}

TEST_F(CaptureTest, WithoutAPracticeListNothingIsAdded) {
    MakeDirectories(L"practice");
    OpenWith({{L"chat", L"cat", 0}}, {});
    EXPECT_EQ(AddEntryToPracticeList({L"chat", L"cat", 0}), CaptureOutcome::NoPracticeList);
    EXPECT_FALSE(FileExists(L"practice\\Fre_Eng.ls"));
}

// A record copied raw from a word list may hold leftover bytes behind its words: it is
// the same entry. A practice list file that cannot be written is said so, not taken for
// one that holds the entry.
TEST_F(CaptureTest, ARawCopyIsTheSameEntryAndAFileThatCannotBeWrittenIsSaidSo) {
    MakeDirectories(L"practice\\Week 1");
    CurrentPracticeList = L"Week 1";
    WordRecord raw = EncodeRecord({L"chat", L"cat", 0}, 1252, 1252);
    raw.bytes[10] = 'x';  // behind the first word's terminator
    WriteBytes(L"practice\\Week 1\\Fre_Eng.ls", std::string(reinterpret_cast<const char*>(raw.bytes), kRecordSize));
    OpenWith({{L"chat", L"cat", 0}, {L"chien", L"dog", 0}}, {{L"cat", L"chat", 0}});
    EXPECT_EQ(AddEntryToPracticeList({L"chat", L"cat", 0}), CaptureOutcome::Added);  // the reverse entry only
    EXPECT_EQ(ReadBytes(L"practice\\Week 1\\Fre_Eng.ls").size(), kRecordSize);

    {
        // Another program holds the reverse file and lets nobody write it.
        const UniqueFile held(CreateFileW(L"practice\\Week 1\\Eng_Fre.ls", GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(held.Valid());
        EXPECT_EQ(AddEntryToPracticeList({L"chien", L"dog", 0}), CaptureOutcome::NotWritten);
    }
    EXPECT_EQ(ReadBytes(L"practice\\Week 1\\Eng_Fre.ls").size(), kRecordSize);
}
