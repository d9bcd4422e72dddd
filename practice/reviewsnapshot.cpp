#include "practice/reviewsnapshot.h"

#include <algorithm>
#include <new>

#include "practice/reviewfields.h"
#include "store/atomicfile.h"
#include "store/catalogue.h"

using namespace reviewfile;

namespace {

constexpr char kSnapshotHeader[] = "# Lingorix review snapshot 1";
// Logs longer than this are read behind a window that says so.
constexpr std::uint64_t kLongReadBytes = 16u << 20;
// No card line is shorter: "card", two words, four state fields, two times of nine
// digits at least, their tabs and the line feed.
constexpr std::size_t kShortestCardLine = 36;
// More than ten answers a second all day long: no day of a review holds more.
constexpr int kMostAnswersPerDay = 1000000;

}  // namespace

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

// Counts one day of answers can make: none above its answers, the reviews answered
// right within the reviews.
bool PossibleTally(const DayTally& t) {
    const auto within = [](int value, int most) { return value >= 0 && value <= most; };
    return within(t.answers, kMostAnswersPerDay) && within(t.right, t.answers) && within(t.introduced, t.answers) &&
           within(t.reviews, t.answers) && within(t.reviewsRight, t.reviews);
}

bool ParseSnapshotLine(std::string_view line, ReviewHistory& history, bool& sawLog, std::string& key) {
    if (line.rfind("card\t", 0) == 0) {
        std::array<std::string_view, 8> f;
        CardMemory memory;
        if (!SplitFields(line.substr(5), f) || !KeyOfFields(f[0], f[1], key) || !Number(f[7], memory.lastReview) ||
            memory.lastReview < kEarliestTime || memory.lastReview > kLatestTime ||
            !ParseState(&f[2], memory.lastReview, memory))
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
        return PossibleTally(t) && history.days.emplace(day, t).second;
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
        // Room for the cards the bytes can hold, not for every line feed they may be.
        const std::size_t lines = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
        const std::size_t cards = std::min(lines, bytes.size() / kShortestCardLine);
        history.keys.Reserve(cards, bytes.size());
        history.memories.reserve(cards);
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
            const DWORD error = GetLastError();
            load.rebuilt = true;
            load.unreadable = error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
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
            load.unreadable = true;
        }
    } catch (const std::bad_alloc&) {
        // Far more than any practice list holds: the review starts afresh rather than fail.
        history = {};
        history.unreadableLines = 1;
        load.rebuilt = true;
        load.unreadable = true;
    }
    return load;
}

