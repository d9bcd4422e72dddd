#include "practice/reviewlog.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "practice/reviewfields.h"

using namespace reviewfile;

namespace {

// A log naming more cards than this is not one the program wrote; the rest is left unread.
constexpr std::size_t kMostCards = 4000000;
constexpr std::size_t kReadChunk = 1 << 20;
constexpr std::size_t kFingerprintBytes = 4096;
constexpr char kLogHeader[] = "# Lingorix review log 1\n";

double Round4(double value) { return std::round(value * 10000.0) / 10000.0; }

std::uint64_t Fnv1a(const char* data, std::size_t size) {
    std::uint64_t hash = 14695981039346656037ull;
    for (std::size_t i = 0; i < size; ++i) {
        hash ^= static_cast<unsigned char>(data[i]);
        hash *= 1099511628211ull;
    }
    return hash;
}

// Cuts a file into lines as it is read in chunks; lines longer than kLongestLogLine
// are handed over empty-handed (as too long) without being kept whole in memory.
class LineSplitter {
public:
    // Feeds bytes; `line(text, tooLong)` gets every complete line without its line feed.
    template <typename OnLine>
    void Feed(const char* data, std::size_t size, OnLine&& line) {
        std::size_t at = 0;
        while (at < size) {
            const void* found = std::memchr(data + at, '\n', size - at);
            const std::size_t end = found ? static_cast<std::size_t>(static_cast<const char*>(found) - data) : size;
            const std::size_t piece = end - at;
            if (!tooLong_) {
                if (pending_.size() + piece > kLongestLogLine) {
                    tooLong_ = true;
                    pending_.clear();
                } else {
                    pending_.append(data + at, piece);
                }
            }
            consumed_ += piece;
            if (!found) return;
            ++consumed_;
            wholeLines_ = consumed_;
            line(std::string_view(pending_), tooLong_);
            pending_.clear();
            tooLong_ = false;
            at = end + 1;
        }
    }
    // Bytes up to the end of the last complete line, and whether bytes follow it.
    std::uint64_t WholeLines() const { return wholeLines_; }
    bool HasPartialLine() const { return consumed_ > wholeLines_; }

private:
    std::string pending_;
    bool tooLong_ = false;
    std::uint64_t consumed_ = 0;
    std::uint64_t wholeLines_ = 0;
};

}  // namespace

// --- keys and lines ----------------------------------------------------------------------

std::string CardKey(std::string_view first, std::string_view second) {
    std::string key;
    key.reserve(first.size() + second.size() + 1);
    key.append(first);
    key += '\0';
    key.append(second);
    return key;
}

std::string_view KeyFirstWord(std::string_view key) { return key.substr(0, key.find('\0')); }

std::string_view KeySecondWord(std::string_view key) {
    const std::size_t zero = key.find('\0');
    return zero == std::string_view::npos ? std::string_view() : key.substr(zero + 1);
}

CardMemory StoredMemory(CardMemory memory) {
    memory.stability = std::max(Round4(memory.stability), kMinStability);
    memory.difficulty = Round4(memory.difficulty);
    return memory;
}

std::string FormatLogLine(const ReviewAnswer& answer) {
    std::string line;
    line.reserve(96);
    AppendNumber(line, answer.time);
    line += '\t';
    AppendEscaped(line, KeyFirstWord(answer.key));
    line += '\t';
    AppendEscaped(line, KeySecondWord(answer.key));
    line += '\t';
    AppendNumber(line, static_cast<int>(answer.grade));
    line += '\t';
    AppendState(line, StoredMemory(answer.after));
    line += '\n';
    return line;
}

LineVerdict ParseLogLine(std::string_view line, std::int64_t now, ReviewAnswer& out) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') return LineVerdict::Comment;
    if (line.size() > kLongestLogLine) return LineVerdict::Garbage;
    std::array<std::string_view, 9> f;
    if (!SplitFields(line, f)) return LineVerdict::Garbage;
    if (!KeyOfFields(f[1], f[2], out.key)) return LineVerdict::Garbage;
    int grade = 0;
    if (!Number(f[0], out.time) || out.time < kEarliestTime || out.time > kLatestTime) return LineVerdict::Damaged;
    if (out.time > now + kFutureTolerance) return LineVerdict::Damaged;
    if (!Number(f[3], grade) || grade < 1 || grade > 4) return LineVerdict::Damaged;
    out.grade = static_cast<Grade>(grade);
    if (!ParseState(&f[4], out.time, out.after)) return LineVerdict::Damaged;
    out.after.lastReview = out.time;
    return LineVerdict::Answer;
}

// --- days ----------------------------------------------------------------------------

namespace {
constexpr std::int64_t kDayStartsAfterMidnight = 4 * 3600;

std::int64_t FloorDivide(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }
}  // namespace

int ReviewDayOf(std::int64_t time, int utcOffsetSeconds) {
    return static_cast<int>(FloorDivide(time + utcOffsetSeconds - kDayStartsAfterMidnight, kSecondsPerDay));
}

std::int64_t ReviewDayStart(int day, int utcOffsetSeconds) {
    return static_cast<std::int64_t>(day) * kSecondsPerDay + kDayStartsAfterMidnight - utcOffsetSeconds;
}

int LocalUtcOffset(std::int64_t time) {
    // Offsets change at most a few times a year; the hours asked lately are kept, so
    // reading a log of a million answers asks the system only a few times.
    struct Slot {
        std::int64_t hour = std::numeric_limits<std::int64_t>::min();
        int offset = 0;
    };
    static std::array<Slot, 256> cache;
    const std::int64_t hour = FloorDivide(time, 3600);
    Slot& slot = cache[static_cast<std::size_t>(hour & 255)];
    if (slot.hour == hour) return slot.offset;
    constexpr std::int64_t kUnixEpochAsFileTime = 116444736000000000ll;
    const std::int64_t ticks = (hour * 3600) * 10000000ll + kUnixEpochAsFileTime;
    FILETIME utcFile{static_cast<DWORD>(ticks & 0xFFFFFFFF), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME utc{};
    SYSTEMTIME local{};
    FILETIME localFile{};
    if (!FileTimeToSystemTime(&utcFile, &utc) || !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local) ||
        !SystemTimeToFileTime(&local, &localFile))
        return 0;
    const std::int64_t localTicks =
        (static_cast<std::int64_t>(localFile.dwHighDateTime) << 32) | static_cast<std::int64_t>(localFile.dwLowDateTime);
    slot = {hour, static_cast<int>((localTicks - ticks) / 10000000ll)};
    return slot.offset;
}

int ReviewCalendar::DayOf(std::int64_t time) const {
    return ReviewDayOf(time, local_ ? LocalUtcOffset(time) : offset_);
}

std::int64_t ReviewCalendar::DayStart(int day) const {
    if (!local_) return ReviewDayStart(day, offset_);
    // The offset of the day's own start, which summer time may set apart from today's.
    const std::int64_t guess = ReviewDayStart(day, LocalUtcOffset(ReviewDayStart(day, 0)));
    return ReviewDayStart(day, LocalUtcOffset(guess));
}

// --- the history ---------------------------------------------------------------------

const CardMemory* ReviewHistory::Find(std::string_view key) const {
    const std::uint32_t number = keys.Find(key);
    if (number == CardKeyIndex::kNone || memories[number].phase == CardPhase::New) return nullptr;
    return &memories[number];
}

std::size_t ReviewHistory::CardCount() const {
    return static_cast<std::size_t>(std::count_if(memories.begin(), memories.end(),
                                                  [](const CardMemory& m) { return m.phase != CardPhase::New; }));
}

bool ReviewHistory::SameCards(const ReviewHistory& other) const {
    if (CardCount() != other.CardCount()) return false;
    for (std::uint32_t n = 0; n < keys.Size(); ++n) {
        if (memories[n].phase == CardPhase::New) continue;
        const CardMemory* theirs = other.Find(keys.Key(n));
        if (!theirs || !(*theirs == memories[n])) return false;
    }
    return true;
}

void ReviewHistory::Apply(const ReviewAnswer& answer, int day) {
    const auto [number, added] = keys.Add(answer.key);
    if (added) memories.emplace_back();
    CardMemory& memory = memories[number];
    const CardPhase before = memory.phase;
    memory = answer.after;
    memory.lastReview = answer.time;
    DayTally& tally = days[day];
    const bool right = answer.grade != Grade::Again;
    ++tally.answers;
    tally.right += right;
    tally.introduced += before == CardPhase::New;
    if (before == CardPhase::Review) {
        ++tally.reviews;
        tally.reviewsRight += right;
    }
}

void ReviewHistory::Forget(const std::string& key) {
    const std::uint32_t number = keys.Find(key);
    if (number != CardKeyIndex::kNone) memories[number] = {};
}

bool ReadLogInto(const std::wstring& path, std::uint64_t from, std::int64_t now, const ReviewCalendar& calendar,
                 ReviewHistory& history) {
    UniqueFile file = OpenForReading(path);
    if (!file || !SeekTo(file.Get(), from)) return false;
    LineSplitter splitter;
    ReviewAnswer answer;
    const auto onLine = [&](std::string_view line, bool tooLong) {
        const LineVerdict verdict = tooLong ? LineVerdict::Garbage : ParseLogLine(line, now, answer);
        if (verdict == LineVerdict::Comment) return;
        if (verdict == LineVerdict::Answer &&
            (history.keys.Size() < kMostCards || history.keys.Find(answer.key) != CardKeyIndex::kNone)) {
            history.Apply(answer, calendar.DayOf(answer.time));
            return;
        }
        if (history.unreadableLines < std::numeric_limits<int>::max()) ++history.unreadableLines;
        if (verdict == LineVerdict::Damaged) history.Forget(answer.key);
    };
    std::vector<char> chunk(kReadChunk);
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), chunk.data(), static_cast<DWORD>(chunk.size()), &read, nullptr)) return false;
        if (read == 0) break;
        splitter.Feed(chunk.data(), read, onLine);
    }
    history.logBytes = from + splitter.WholeLines();
    history.tornTail = splitter.HasPartialLine();
    history.logHash = LogFingerprint(file.Get(), history.logBytes);
    return true;
}

std::uint64_t LogFingerprint(HANDLE file, std::uint64_t end) {
    const std::size_t size = static_cast<std::size_t>(std::min<std::uint64_t>(end, kFingerprintBytes));
    std::string bytes(size, '\0');
    if (size > 0 && (!SeekTo(file, end - size) || !ReadExactly(file, bytes.data(), size))) return 0;
    return Fnv1a(bytes.data(), bytes.size()) ^ end;
}

// --- the writer ------------------------------------------------------------------------

ReviewLogWriter::ReviewLogWriter(std::wstring path) : path_(std::move(path)) {}

bool ReviewLogWriter::Open() {
    file_.Reset(CreateFileW(path_.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file_) return false;
    const std::uint64_t size = FileSize(file_.Get());
    opened_ = size;
    // What goes before the first answer: the header of a new log, or a line end.
    std::string_view start;
    if (size == 0) {
        start = kLogHeader;
    } else {
        // The end of the file: a line cut off when the program stopped is dropped; a longer
        // run of bytes without a line end is no answer of ours and is only closed off.
        const std::size_t look = static_cast<std::size_t>(std::min<std::uint64_t>(size, kLongestLogLine + 1));
        std::string tail(look, '\0');
        if (!SeekTo(file_.Get(), size - look) || !ReadExactly(file_.Get(), tail.data(), look)) {
            file_.Reset();
            return false;
        }
        if (tail.back() != '\n') {
            const std::size_t lineEnd = tail.rfind('\n');
            if (lineEnd != std::string::npos || look == size) {
                const std::uint64_t keep = size - look + (lineEnd == std::string::npos ? 0 : lineEnd + 1);
                if (!SeekTo(file_.Get(), keep) || !SetEndOfFile(file_.Get())) {
                    file_.Reset();
                    return false;
                }
                opened_ = keep;
                if (keep == 0) start = kLogHeader;
            } else {
                start = "\n";
            }
        }
    }
    if (start.empty()) return true;
    LARGE_INTEGER zero{};
    DWORD written = 0;
    return SetFilePointerEx(file_.Get(), zero, nullptr, FILE_END) &&
           WriteFile(file_.Get(), start.data(), static_cast<DWORD>(start.size()), &written, nullptr) &&
           written == start.size();
}

bool ReviewLogWriter::Append(const ReviewAnswer& answer) {
    const bool opening = !file_;
    if (opening && !Open()) return false;
    const std::string line = FormatLogLine(answer);
    LARGE_INTEGER zero{};
    LARGE_INTEGER at{};
    LARGE_INTEGER end{};
    DWORD written = 0;
    const bool ok = SetFilePointerEx(file_.Get(), zero, &at, FILE_END) &&
                    WriteFile(file_.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
                    written == line.size() && FlushFileBuffers(file_.Get()) &&
                    SetFilePointerEx(file_.Get(), zero, &end, FILE_CURRENT);
    // A failed write is tried afresh next time, from a file opened again.
    if (!ok) {
        file_.Reset();
        return false;
    }
    start_ = opening ? opened_ : static_cast<std::uint64_t>(at.QuadPart);
    end_ = static_cast<std::uint64_t>(end.QuadPart);
    return true;
}
