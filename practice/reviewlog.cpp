#include "practice/reviewlog.h"

#include <windows.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <new>
#include <vector>

#include "store/atomicfile.h"
#include "store/catalogue.h"

namespace {

constexpr std::int64_t kEarliestTime = 946684800;  // 2000-01-01: no answer is older
constexpr std::int64_t kLatestTime = 32503680000;  // 3000-01-01
constexpr std::size_t kLongestWord = 256;          // bytes of UTF-8; a record's word is far shorter
constexpr double kLargestStability = 1e7;
constexpr int kMostSteps = 16;
// A log naming more cards than this is not one the program wrote; the rest is left unread.
constexpr std::size_t kMostCards = 4000000;
constexpr std::size_t kReadChunk = 1 << 20;
constexpr std::size_t kFingerprintBytes = 4096;
constexpr std::uint64_t kLongReadBytes = 16u << 20;
constexpr char kSnapshotHeader[] = "# Lingorix review snapshot 1";
constexpr char kLogHeader[] = "# Lingorix review log 1\n";

// --- text pieces ---------------------------------------------------------------------

void AppendEscaped(std::string& out, std::string_view word) {
    for (char c : word) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out += c; break;
        }
    }
}

// Appends the text with its escapes undone; false for an escape the writer never makes.
bool AppendUnescaped(std::string_view text, std::string& out) {
    if (text.find('\\') == std::string_view::npos) {
        out.append(text);
        return true;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size()) return false;
        switch (text[i]) {
        case '\\': out += '\\'; break;
        case 't': out += '\t'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        default: return false;
        }
    }
    return true;
}

// Well-formed UTF-8 without zeros: what the program writes, and what a word can hold.
bool IsCleanUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == 0) return false;
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t more = 0;
        unsigned minimum = 0;
        unsigned value = 0;
        if ((c & 0xE0) == 0xC0) {
            more = 1, minimum = 0x80, value = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            more = 2, minimum = 0x800, value = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            more = 3, minimum = 0x10000, value = c & 0x07;
        } else {
            return false;
        }
        if (i + more >= text.size()) return false;
        for (std::size_t k = 1; k <= more; ++k) {
            const unsigned char n = static_cast<unsigned char>(text[i + k]);
            if ((n & 0xC0) != 0x80) return false;
            value = (value << 6) | (n & 0x3F);
        }
        if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
        i += more + 1;
    }
    return true;
}

// Appends the word a field holds to `out`; false when the field holds no word.
bool AppendWord(std::string_view field, std::string& out) {
    if (field.empty() || field.size() > 2 * kLongestWord) return false;
    const std::size_t start = out.size();
    if (!AppendUnescaped(field, out)) return false;
    const std::string_view word(out.data() + start, out.size() - start);
    return !word.empty() && word.size() <= kLongestWord && IsCleanUtf8(word);
}

// The card key of two word fields, built into `key`.
bool KeyOfFields(std::string_view first, std::string_view second, std::string& key) {
    key.clear();
    if (!AppendWord(first, key)) return false;
    key += '\0';
    return AppendWord(second, key);
}

template <typename T>
bool Number(std::string_view text, T& value) {
    if (text.empty()) return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

bool Decimal(std::string_view text, double& value) {
    if (text.empty() || text.size() > 24) return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    return error == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

void AppendNumber(std::string& out, std::int64_t value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void AppendDecimal(std::string& out, double value) {
    char buffer[48];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 4);
    out.append(buffer, result.ptr);
}

// Splits at tabs into exactly `count` fields; false for another number of them.
template <std::size_t N>
bool SplitFields(std::string_view line, std::array<std::string_view, N>& fields) {
    std::size_t at = 0;
    for (std::size_t i = 0; i < N; ++i) {
        const std::size_t tab = line.find('\t', at);
        const bool last = i + 1 == N;
        if (last != (tab == std::string_view::npos)) return false;
        fields[i] = line.substr(at, last ? std::string_view::npos : tab - at);
        at = tab + 1;
    }
    return true;
}

double Round4(double value) { return std::round(value * 10000.0) / 10000.0; }

// The state part of a line or snapshot entry: phase, step, stability, difficulty, due.
bool ParseState(const std::string_view* f, std::int64_t time, CardMemory& memory) {
    int phase = 0;
    if (!Number(f[0], phase) || phase < 1 || phase > 3) return false;
    memory.phase = static_cast<CardPhase>(phase);
    if (!Number(f[1], memory.step) || memory.step < 0 || memory.step >= kMostSteps) return false;
    if (!Decimal(f[2], memory.stability) || memory.stability < kMinStability || memory.stability > kLargestStability)
        return false;
    if (!Decimal(f[3], memory.difficulty) || memory.difficulty < 1.0 || memory.difficulty > 10.0) return false;
    if (!Number(f[4], memory.due)) return false;
    const std::int64_t latestDue = time + (static_cast<std::int64_t>(kLongestIntervalDays) + 1) * kSecondsPerDay;
    return memory.due >= time && memory.due <= latestDue;
}

void AppendState(std::string& out, const CardMemory& m) {
    AppendNumber(out, static_cast<int>(m.phase));
    out += '\t';
    AppendNumber(out, m.step);
    out += '\t';
    AppendDecimal(out, m.stability);
    out += '\t';
    AppendDecimal(out, m.difficulty);
    out += '\t';
    AppendNumber(out, m.due);
}

std::uint64_t Fnv1a(const char* data, std::size_t size) {
    std::uint64_t hash = 14695981039346656037ull;
    for (std::size_t i = 0; i < size; ++i) {
        hash ^= static_cast<unsigned char>(data[i]);
        hash *= 1099511628211ull;
    }
    return hash;
}

std::uint64_t FileSize(HANDLE file) {
    LARGE_INTEGER size{};
    return GetFileSizeEx(file, &size) ? static_cast<std::uint64_t>(size.QuadPart) : 0;
}

bool SeekTo(HANDLE file, std::uint64_t offset) {
    LARGE_INTEGER to{};
    to.QuadPart = static_cast<LONGLONG>(offset);
    return SetFilePointerEx(file, to, nullptr, FILE_BEGIN) != FALSE;
}

bool ReadExactly(HANDLE file, char* data, std::size_t size) {
    DWORD read = 0;
    return ReadFile(file, data, static_cast<DWORD>(size), &read, nullptr) && read == size;
}

UniqueFile OpenForReading(const std::wstring& path) {
    return UniqueFile(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
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
        ++history.unreadableLines;
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

// --- the snapshot ----------------------------------------------------------------------

std::string FormatSnapshot(const ReviewHistory& history, int firstDay) {
    std::string out;
    out.reserve(64 + history.days.size() * 40 + history.memories.size() * 72);
    out += kSnapshotHeader;
    out += "\nlog\t";
    AppendNumber(out, static_cast<std::int64_t>(history.logBytes));
    out += '\t';
    char hash[24];
    out.append(hash, std::to_chars(hash, hash + sizeof hash, history.logHash, 16).ptr);
    out += '\n';
    for (auto it = history.days.lower_bound(firstDay); it != history.days.end(); ++it) {
        const DayTally& t = it->second;
        out += "day";
        for (const std::int64_t value : {std::int64_t{it->first}, std::int64_t{t.answers}, std::int64_t{t.right},
                                         std::int64_t{t.introduced}, std::int64_t{t.reviews},
                                         std::int64_t{t.reviewsRight}}) {
            out += '\t';
            AppendNumber(out, value);
        }
        out += '\n';
    }
    for (std::uint32_t n = 0; n < history.keys.Size(); ++n) {
        const CardMemory& memory = history.memories[n];
        if (memory.phase == CardPhase::New) continue;
        const std::string_view key = history.keys.Key(n);
        out += "card\t";
        AppendEscaped(out, KeyFirstWord(key));
        out += '\t';
        AppendEscaped(out, KeySecondWord(key));
        out += '\t';
        AppendState(out, memory);
        out += '\t';
        AppendNumber(out, memory.lastReview);
        out += '\n';
    }
    return out;
}

namespace {

bool ParseSnapshotLine(std::string_view line, ReviewHistory& history, bool& sawLog, std::string& key) {
    if (line.rfind("card\t", 0) == 0) {
        std::array<std::string_view, 8> f;
        CardMemory memory;
        if (!SplitFields(line.substr(5), f) || !KeyOfFields(f[0], f[1], key) || !Number(f[7], memory.lastReview) ||
            memory.lastReview < kEarliestTime || !ParseState(&f[2], memory.lastReview, memory))
            return false;
        if (!history.keys.Add(key).second) return false;
        history.memories.push_back(memory);
        return true;
    }
    if (line.rfind("day\t", 0) == 0) {
        std::array<std::string_view, 6> f;
        int day = 0;
        DayTally t;
        if (!SplitFields(line.substr(4), f) || !Number(f[0], day) || !Number(f[1], t.answers) ||
            !Number(f[2], t.right) || !Number(f[3], t.introduced) || !Number(f[4], t.reviews) ||
            !Number(f[5], t.reviewsRight))
            return false;
        if (t.answers < 0 || t.right < 0 || t.introduced < 0 || t.reviews < 0 || t.reviewsRight < 0) return false;
        return history.days.emplace(day, t).second;
    }
    if (line.rfind("log\t", 0) == 0) {
        std::array<std::string_view, 2> f;
        std::uint64_t hash = 0;
        if (sawLog || !SplitFields(line.substr(4), f) || !Number(f[0], history.logBytes) || f[1].empty() ||
            std::from_chars(f[1].data(), f[1].data() + f[1].size(), hash, 16).ptr != f[1].data() + f[1].size())
            return false;
        history.logHash = hash;
        sawLog = true;
        return true;
    }
    return false;
}

}  // namespace

bool ParseSnapshot(std::string_view bytes, ReviewHistory& history) {
    history = {};
    const std::string_view header(kSnapshotHeader);
    if (bytes.substr(0, header.size()) != header || bytes.size() <= header.size() || bytes[header.size()] != '\n')
        return false;
    bool sawLog = false;
    std::string key;
    std::size_t at = header.size() + 1;
    try {
        const std::size_t lines = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
        history.keys.Reserve(lines, bytes.size());
        history.memories.reserve(lines);
        while (at < bytes.size()) {
            const std::size_t end = bytes.find('\n', at);
            // A snapshot is written whole; one without its last line feed is not one.
            if (end == std::string_view::npos || !ParseSnapshotLine(bytes.substr(at, end - at), history, sawLog, key)) {
                history = {};
                return false;
            }
            at = end + 1;
        }
    } catch (const std::bad_alloc&) {
        history = {};
        return false;
    }
    if (!sawLog) history = {};
    return sawLog;
}

bool SaveSnapshot(const std::wstring& path, const ReviewHistory& history, int firstDay) {
    AtomicFileWriter writer(path + L".new", path);
    return writer.Ok() && writer.Write(FormatSnapshot(history, firstDay)) && writer.Commit();
}

HistoryLoad LoadHistory(const std::wstring& logPath, const std::wstring& snapshotPath, std::int64_t now,
                        const ReviewCalendar& calendar, ReviewHistory& history, const std::function<void()>& longWork) {
    HistoryLoad load;
    history = {};
    std::uint64_t logSize = 0;
    {
        UniqueFile log = OpenForReading(logPath);
        if (!log) {
            load.rebuilt = true;
            return load;
        }
        logSize = FileSize(log.Get());
        std::string bytes;
        ReviewHistory cached;
        if (ReadFileBytes(snapshotPath, bytes) && ParseSnapshot(bytes, cached) && cached.logBytes <= logSize &&
            LogFingerprint(log.Get(), cached.logBytes) == cached.logHash) {
            history = std::move(cached);
        } else {
            load.rebuilt = true;
        }
    }
    const std::uint64_t from = load.rebuilt ? 0 : history.logBytes;
    load.tailBytes = logSize - from;
    // About one card for every ten answers of a log read whole.
    if (load.rebuilt) {
        const std::size_t cards = static_cast<std::size_t>(std::min<std::uint64_t>(logSize / 700, 1u << 20));
        history.keys.Reserve(cards, cards * 24);
        history.memories.reserve(cards);
    }
    if (load.tailBytes > kLongReadBytes && longWork) longWork();
    try {
        if (!ReadLogInto(logPath, from, now, calendar, history)) {
            history = {};
            load.rebuilt = true;
        }
    } catch (const std::bad_alloc&) {
        // Far more than any practice list holds: the review starts afresh rather than fail.
        history = {};
        history.unreadableLines = 1;
        load.rebuilt = true;
    }
    return load;
}

// --- the writer ------------------------------------------------------------------------

ReviewLogWriter::ReviewLogWriter(std::wstring path) : path_(std::move(path)) {}

bool ReviewLogWriter::Open() {
    file_.Reset(CreateFileW(path_.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file_) return false;
    const std::uint64_t size = FileSize(file_.Get());
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
    if (!file_ && !Open()) return false;
    const std::string line = FormatLogLine(answer);
    LARGE_INTEGER zero{};
    LARGE_INTEGER end{};
    DWORD written = 0;
    const bool ok = SetFilePointerEx(file_.Get(), zero, nullptr, FILE_END) &&
                    WriteFile(file_.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
                    written == line.size() && FlushFileBuffers(file_.Get()) &&
                    SetFilePointerEx(file_.Get(), zero, &end, FILE_CURRENT);
    // A failed write is tried afresh next time, from a file opened again.
    if (!ok) file_.Reset();
    if (ok) end_ = static_cast<std::uint64_t>(end.QuadPart);
    return ok;
}
