// A review of the current practice list, without its window: the cards of the list in
// both directions (each direction's practice list file is a deck, with its review log
// and snapshot beside it), what the log says of them, the day's queue, and the answers.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "practice/fsrs.h"
#include "practice/reviewlog.h"
#include "practice/reviewqueue.h"

struct WordListDescriptor;

// The files of one direction of a practice list.
struct ReviewDeckFiles {
    const WordListDescriptor* words = nullptr;  // the direction: names, fonts, code pages
    std::wstring practiceFile;
    std::wstring logFile;       // the practice list file with ".review" for ".ls"
    std::wstring snapshotFile;  // and with ".reviewstate"
};
ReviewDeckFiles DeckFilesFor(const WordListDescriptor& words, const std::wstring& practiceFile);
// The current practice list's decks: the current direction first, then the opposite one
// when the catalogue has it. Empty without a practice list.
std::vector<ReviewDeckFiles> CurrentReviewDecks();
// Entries of the decks' practice list files, deleted ones included: 0 means there is
// nothing to review.
int CountDeckEntries(const std::vector<ReviewDeckFiles>& decks);

// The first and second words of the live entries of a practice list file, as card
// keys, numbered in file order, each card once.
CardKeyIndex PracticeListCardKeys(std::string_view fileBytes, UINT firstCodePage, UINT secondCodePage);

std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);

// The time the review runs at: the ReviewClock setting when it is given (tests), else the clock.
std::int64_t ReviewNow();

struct ReviewCard {
    int deck = 0;
    std::string_view key;  // in the session's own copy of the practice list's words
    std::wstring First() const;
    std::wstring Second() const;
};

class ReviewSession {
public:
    ReviewSession();

    // Reads the decks and their logs; `longWork` is called before a long read of a log.
    void Load(std::vector<ReviewDeckFiles> decks, std::int64_t now, ReviewCalendar calendar, ReviewLimits limits,
              double retention, const std::function<void()>& longWork = {});
    // New limits or retention, from now on.
    void Configure(ReviewLimits limits, double retention, std::int64_t now);

    // The card being asked, or nothing when none is left for now.
    const ReviewCard* Current() const;
    const ReviewDeckFiles& DeckOf(const ReviewCard& card) const;
    // Seconds until the current card would come back with this grade.
    std::int64_t IntervalFor(Grade grade, std::int64_t now) const;
    // Records the answer to the current card in its log and moves on. False when the
    // log could not be written: the answer then counts for this session only.
    bool Answer(Grade grade, std::int64_t now);
    // Asks the queue again (learning cards come due as time passes).
    void Refresh(std::int64_t now);

    ReviewCounts Counts() const { return queue_.Counts(); }
    NextAvailable WhenNext(std::int64_t now) const { return queue_.WhenNext(now); }
    std::size_t CardCount() const { return cards_.size(); }
    const std::vector<CardMemory>& Memories() const { return memories_; }
    // The answers per day of all decks together.
    std::map<int, DayTally> Days() const;
    int UnreadableLines() const;
    int Today() const { return today_; }
    const ReviewCalendar& Calendar() const { return calendar_; }

    // Writes the snapshots of decks that changed since they were read.
    void SaveSnapshots();

private:
    struct Deck {
        ReviewDeckFiles files;
        CardKeyIndex listKeys;  // the cards of the practice list file
        ReviewHistory history;
        std::unique_ptr<ReviewLogWriter> writer;
        bool changed = false;
        // The history is not the log's (an answer not written, the log not read, lines
        // another program appended): only the log may be trusted then, no snapshot is made.
        bool logOnly = false;
    };
    void BuildQueue(std::int64_t now);

    std::vector<Deck> decks_;
    std::vector<ReviewCard> cards_;
    std::vector<CardMemory> memories_;
    FsrsScheduler scheduler_;
    ReviewLimits limits_;
    ReviewQueue queue_;
    ReviewCalendar calendar_ = ReviewCalendar::Local();
    int today_ = 0;
    int current_ = -1;
};
