#include "practice/reviewsession.h"

#include <array>
#include <cstring>
#include <ctime>

#include "app/settings.h"
#include "practice/reviewsnapshot.h"
#include "store/catalogue.h"
#include "store/records.h"

namespace {

std::wstring WithEnding(const std::wstring& practiceFile, const wchar_t* ending) {
    const std::size_t ls = practiceFile.rfind(L".ls");
    return (ls == std::wstring::npos ? practiceFile : practiceFile.substr(0, ls)) + ending;
}

// Bytes of a code page to UTF-8. A practice list of a hundred thousand entries is read
// every time the review opens, so the single-byte code pages go through a table.
class Utf8Converter {
public:
    explicit Utf8Converter(UINT codePage) : codePage_(codePage) {
        CPINFO info{};
        singleByte_ = GetCPInfo(codePage, &info) && info.MaxCharSize == 1;
        if (!singleByte_) return;
        for (int byte = 1; byte < 256; ++byte) {
            const char c = static_cast<char>(byte);
            wchar_t wide[2] = {};
            const int length = MultiByteToWideChar(codePage, 0, &c, 1, wide, 2);
            table_[static_cast<std::size_t>(byte)] = WideToUtf8(std::wstring_view(wide, length > 0 ? length : 0));
        }
    }
    void Append(const unsigned char* field, std::size_t length, std::string& out) const {
        if (singleByte_) {
            for (std::size_t i = 0; i < length; ++i) {
                if (field[i] < 0x80)
                    out += static_cast<char>(field[i]);
                else
                    out += table_[field[i]];
            }
            return;
        }
        const std::string bytes(reinterpret_cast<const char*>(field), length);
        std::wstring wide(length, L'\0');
        const int count = MultiByteToWideChar(codePage_, 0, bytes.data(), static_cast<int>(length), wide.data(),
                                              static_cast<int>(wide.size()));
        wide.resize(count > 0 ? static_cast<std::size_t>(count) : 0);
        out += WideToUtf8(wide);
    }

private:
    UINT codePage_;
    bool singleByte_ = false;
    std::array<std::string, 256> table_;
};

}  // namespace

// --- decks -------------------------------------------------------------------------

ReviewDeckFiles DeckFilesFor(const WordListDescriptor& words, const std::wstring& practiceFile) {
    return {&words, practiceFile, WithEnding(practiceFile, L".review"), WithEnding(practiceFile, L".reviewstate")};
}

std::vector<ReviewDeckFiles> CurrentReviewDecks() {
    std::vector<ReviewDeckFiles> decks;
    if (CurrentPracticeList.empty()) return decks;
    const WordListDescriptor& current = CurrentWordList();
    decks.push_back(DeckFilesFor(current, PracticeListPath(current)));
    if (const WordListDescriptor* opposite = OppositeWordList(current))
        decks.push_back(DeckFilesFor(*opposite, PracticeListPath(*opposite)));
    return decks;
}

int CountDeckEntries(const std::vector<ReviewDeckFiles>& decks) {
    long long entries = 0;
    for (const ReviewDeckFiles& deck : decks) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!GetFileAttributesExW(deck.practiceFile.c_str(), GetFileExInfoStandard, &data)) continue;
        const unsigned long long size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        entries += static_cast<long long>(size / kRecordSize);
    }
    return static_cast<int>(std::min<long long>(entries, 0x7FFFFFFF));
}

CardKeyIndex PracticeListCardKeys(std::string_view fileBytes, UINT firstCodePage, UINT secondCodePage) {
    const Utf8Converter first(firstCodePage);
    const Utf8Converter second(secondCodePage);
    const std::size_t records = fileBytes.size() / kRecordSize;
    CardKeyIndex keys;
    keys.Reserve(records, records * 24);
    std::string key;
    for (std::size_t i = 0; i < records; ++i) {
        const auto* record = reinterpret_cast<const unsigned char*>(fileBytes.data() + i * kRecordSize);
        if (record[kDeletedMarkOffset] != 0 || record[kDeletedMarkOffset + 1] != 0) continue;
        const std::size_t firstLength =
            FieldTextLength(record, kFirstWordField, kFirstWordMaxBytes, firstCodePage);
        const std::size_t secondLength =
            FieldTextLength(record + kFirstWordField, kSecondWordField, kSecondWordMaxBytes, secondCodePage);
        if (firstLength == 0 || secondLength == 0) continue;
        key.clear();
        first.Append(record, firstLength, key);
        key += '\0';
        second.Append(record + kFirstWordField, secondLength, key);
        keys.Add(key);
    }
    return keys;
}

std::wstring Utf8ToWide(std::string_view text) {
    if (text.empty()) return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(length, 0)), L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string WideToUtf8(std::wstring_view text) {
    if (text.empty()) return {};
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(std::max(length, 0)), '\0');
    if (length > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), narrow.data(), length, nullptr,
                            nullptr);
    return narrow;
}

std::int64_t ReviewNow() {
    if (AppSettings.reviewClock > 0) return AppSettings.reviewClock;
    return static_cast<std::int64_t>(std::time(nullptr));
}

std::wstring ReviewCard::First() const { return Utf8ToWide(KeyFirstWord(key)); }
std::wstring ReviewCard::Second() const { return Utf8ToWide(KeySecondWord(key)); }

// --- the session -----------------------------------------------------------------------

ReviewSession::ReviewSession() = default;

void ReviewSession::Load(std::vector<ReviewDeckFiles> decks, std::int64_t now, ReviewCalendar calendar,
                         ReviewLimits limits, double retention, const std::function<void()>& longWork) {
    decks_.clear();
    cards_.clear();
    memories_.clear();
    calendar_ = calendar;
    limits_ = limits;
    FsrsSettings settings;
    settings.retention = retention;
    scheduler_ = FsrsScheduler(settings);
    bool warned = false;
    const std::function<void()> once = [&] {
        if (!warned && longWork) longWork();
        warned = true;
    };
    for (ReviewDeckFiles& files : decks) {
        Deck deck;
        deck.files = std::move(files);
        const HistoryLoad load = LoadHistory(deck.files.logFile, deck.files.snapshotFile, now, calendar_,
                                             deck.history, once);
        deck.changed = load.rebuilt || load.tailBytes > 0;
        deck.logOnly = load.unreadable;
        deck.writer = std::make_unique<ReviewLogWriter>(deck.files.logFile);
        std::string bytes;
        if (deck.files.words && ReadFileBytes(deck.files.practiceFile, bytes))
            deck.listKeys = PracticeListCardKeys(bytes, deck.files.words->firstCodePage,
                                                 deck.files.words->secondCodePage);
        decks_.push_back(std::move(deck));
    }
    // The cards' words stay where the decks keep them from here on.
    std::size_t total = 0;
    for (const Deck& deck : decks_) total += deck.listKeys.Size();
    cards_.reserve(total);
    memories_.reserve(total);
    for (int index = 0; index < static_cast<int>(decks_.size()); ++index) {
        const Deck& deck = decks_[static_cast<std::size_t>(index)];
        for (std::uint32_t n = 0; n < deck.listKeys.Size(); ++n) {
            const std::string_view key = deck.listKeys.Key(n);
            const CardMemory* known = deck.history.Find(key);
            memories_.push_back(known ? *known : CardMemory{});
            cards_.push_back({index, key});
        }
    }
    BuildQueue(now);
}

void ReviewSession::Configure(ReviewLimits limits, double retention, std::int64_t now) {
    limits_ = limits;
    FsrsSettings settings;
    settings.retention = retention;
    scheduler_ = FsrsScheduler(settings);
    BuildQueue(now);
}

std::map<int, DayTally> ReviewSession::Days() const {
    std::map<int, DayTally> days;
    for (const Deck& deck : decks_) {
        for (const auto& [day, t] : deck.history.days) {
            DayTally& sum = days[day];
            sum.answers += t.answers;
            sum.right += t.right;
            sum.introduced += t.introduced;
            sum.reviews += t.reviews;
            sum.reviewsRight += t.reviewsRight;
        }
    }
    return days;
}

void ReviewSession::BuildQueue(std::int64_t now) {
    today_ = calendar_.DayOf(now);
    const std::map<int, DayTally> days = Days();
    const auto found = days.find(today_);
    queue_.Build(memories_, found == days.end() ? DayTally{} : found->second, calendar_.DayStart(today_ + 1),
                 limits_);
    current_ = queue_.Next(now);
}

void ReviewSession::Refresh(std::int64_t now) {
    // A new review day brings its own limits and due cards.
    if (calendar_.DayOf(now) != today_) {
        BuildQueue(now);
        return;
    }
    current_ = queue_.Next(now);
}

const ReviewCard* ReviewSession::Current() const {
    return current_ >= 0 ? &cards_[static_cast<std::size_t>(current_)] : nullptr;
}

const ReviewDeckFiles& ReviewSession::DeckOf(const ReviewCard& card) const {
    return decks_[static_cast<std::size_t>(card.deck)].files;
}

std::int64_t ReviewSession::IntervalFor(Grade grade, std::int64_t now) const {
    if (current_ < 0) return 0;
    return scheduler_.IntervalSeconds(memories_[static_cast<std::size_t>(current_)], grade, now);
}

bool ReviewSession::Answer(Grade grade, std::int64_t now) {
    if (current_ < 0) return true;
    const std::size_t index = static_cast<std::size_t>(current_);
    const CardMemory before = memories_[index];
    const CardMemory after = StoredMemory(scheduler_.Review(before, grade, now));
    Deck& deck = decks_[static_cast<std::size_t>(cards_[index].deck)];
    const ReviewAnswer answer{now, std::string(cards_[index].key), grade, after};
    const bool written = deck.writer->Append(answer);
    deck.history.Apply(answer, calendar_.DayOf(now));
    // The history covers the log up to logBytes: it covers this line too only when the
    // line follows at once, not after lines it never read.
    if (written && deck.writer->Start() == deck.history.logBytes)
        deck.history.logBytes = deck.writer->End();
    else
        deck.logOnly = true;
    deck.changed = true;
    memories_[index] = *deck.history.Find(cards_[index].key);
    queue_.Answered(current_, before, memories_[index]);
    Refresh(now);
    return written;
}

int ReviewSession::UnreadableLines() const {
    int lines = 0;
    for (const Deck& deck : decks_) lines += deck.history.unreadableLines;
    return lines;
}

void ReviewSession::SaveSnapshots() {
    const int keepFrom = today_ - 400;
    for (Deck& deck : decks_) {
        if (!deck.changed || deck.logOnly) continue;
        // The snapshot describes exactly the log as it stands now; lines written by this
        // session are already in `history`.
        ReviewHistory& history = deck.history;
        UniqueFile log(CreateFileW(deck.files.logFile.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!log) continue;
        LARGE_INTEGER size{};
        // A line cut off at the end stays behind the part the snapshot covers.
        if (!GetFileSizeEx(log.Get(), &size) || static_cast<std::uint64_t>(size.QuadPart) < history.logBytes) continue;
        history.logHash = LogFingerprint(log.Get(), history.logBytes);
        log.Reset();
        if (SaveSnapshot(deck.files.snapshotFile, history, keepFrom)) deck.changed = false;
    }
}
