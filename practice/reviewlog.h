// The review log: every answer of the review, one line each, appended beside the
// practice list file and flushed before the next card shows, so a crash or a kill
// loses at most the answer being written. The schedule of every card can be rebuilt
// from it; the snapshot beside it only caches that rebuild.
//
// A log line (UTF-8, ended by a line feed; backslash, tab, line feed and carriage
// return inside words written as \\ \t \n \r):
//   <time> TAB <first word> TAB <second word> TAB <grade 1-4> TAB <phase 1-3> TAB <step>
//   TAB <stability> TAB <difficulty> TAB <due>
// times in seconds since 1970 (UTC); phase, step, stability, difficulty and due are
// the card's state after the answer. Lines beginning with "#" are comments.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "practice/cardkeys.h"
#include "practice/fsrs.h"
#include "win/handles.h"

// A card is known by its first and second word, in UTF-8: this key joins them.
std::string CardKey(std::string_view first, std::string_view second);
std::string_view KeyFirstWord(std::string_view key);
std::string_view KeySecondWord(std::string_view key);

struct ReviewAnswer {
    std::int64_t time = 0;
    std::string key;  // CardKey of the card answered
    Grade grade = Grade::Good;
    CardMemory after;
};

// The state as the log keeps it: stability and difficulty to four decimals. Answers
// are carried on from this form, so a card goes on the same way whether it was kept in
// memory or read back from the log.
CardMemory StoredMemory(CardMemory memory);

std::string FormatLogLine(const ReviewAnswer& answer);

enum class LineVerdict {
    Answer,   // a sound answer
    Comment,  // a "#" line or an empty one
    Garbage,  // not an answer of any card this log could name
    Damaged,  // the words name a card, but the rest is broken or lies in the future
};
inline constexpr std::size_t kLongestLogLine = 1024;
// Times more than this after `now` are in the future: a clock set back a little is no damage.
inline constexpr std::int64_t kFutureTolerance = 86400;
// The line without its line feed. For Damaged, `out.key` names the card.
LineVerdict ParseLogLine(std::string_view line, std::int64_t now, ReviewAnswer& out);

// Answers of one day (days as ReviewDayOf counts them).
struct DayTally {
    int answers = 0;
    int right = 0;         // answered Hard, Good or Easy
    int introduced = 0;    // answers that were a card's first
    int reviews = 0;       // answers to cards in the Review phase
    int reviewsRight = 0;  // of them not forgotten
    bool operator==(const DayTally&) const = default;
};

// The review day of a time: days begin at 4 a.m. local time. `utcOffset` is the local
// time's offset from UTC in seconds at that time.
int ReviewDayOf(std::int64_t time, int utcOffsetSeconds);
// The first second of a review day.
std::int64_t ReviewDayStart(int day, int utcOffsetSeconds);
// The offset of the local time zone at a time (summer time included).
int LocalUtcOffset(std::int64_t time);

// Review days by the local clock for the program, or by a fixed offset for tests.
class ReviewCalendar {
public:
    static ReviewCalendar Local() { return ReviewCalendar(true, 0); }
    static ReviewCalendar Fixed(int utcOffsetSeconds) { return ReviewCalendar(false, utcOffsetSeconds); }
    int DayOf(std::int64_t time) const;
    std::int64_t DayStart(int day) const;

private:
    ReviewCalendar(bool local, int offset) : local_(local), offset_(offset) {}
    bool local_;
    int offset_;
};

// Every card's state after the answers read so far, and the answers per day.
struct ReviewHistory {
    CardKeyIndex keys;                // every card the log named
    std::vector<CardMemory> memories;  // by key number; New: no history (none, or forgotten)
    std::map<int, DayTally> days;
    std::uint64_t logBytes = 0;  // the part of the log read (whole lines)
    std::uint64_t logHash = 0;   // of the last bytes of that part
    int unreadableLines = 0;     // garbage and damaged lines met while reading
    bool tornTail = false;       // the log ends in a line that was being written

    // The card's state, or nullptr when it has no history.
    const CardMemory* Find(std::string_view key) const;
    // Cards with a history.
    std::size_t CardCount() const;
    // The same cards in the same states, whatever order they came in.
    bool SameCards(const ReviewHistory& other) const;
    // Applies an answer; `day` is its review day.
    void Apply(const ReviewAnswer& answer, int day);
    // A card whose history cannot be trusted starts as a new card.
    void Forget(const std::string& key);
};

// Reads the log from byte `from` (the start of a line) to its last whole line,
// applying every sound answer. A line cut off at the end (the program stopped while
// writing it) is left for the writer to drop. False when the file cannot be read.
bool ReadLogInto(const std::wstring& path, std::uint64_t from, std::int64_t now, const ReviewCalendar& calendar,
                 ReviewHistory& history);

// A fingerprint of the last bytes before `end` of a file, to tell that the log the
// snapshot was made of is still the one beside it; 0 when they cannot be read.
std::uint64_t LogFingerprint(HANDLE file, std::uint64_t end);

// Appends answers to a log, each flushed to the disk before Append returns. A line the
// program was writing when it stopped is cut off first, so the next line starts clean.
class ReviewLogWriter {
public:
    explicit ReviewLogWriter(std::wstring path);
    bool Append(const ReviewAnswer& answer);
    // Where the bytes of the last answer appended begin (a header or line end written
    // before it included), and the size of the log after it.
    std::uint64_t Start() const { return start_; }
    std::uint64_t End() const { return end_; }

private:
    bool Open();
    std::wstring path_;
    UniqueFile file_;
    std::uint64_t opened_ = 0;  // the size of the log when opened, a cut-off line dropped
    std::uint64_t start_ = 0;
    std::uint64_t end_ = 0;
};
