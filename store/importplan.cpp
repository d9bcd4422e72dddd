// Planning an import: every row checked on its own, the entries the rows name found by
// one pass over each list, then the rows applied to those entries in file order. A
// hundred thousand rows against lists of a million entries: the words live in the
// plan's text blocks and the keys in blocks of their own, so the work allocates little.
#include <windows.h>

#include <algorithm>
#include <array>
#include <functional>
#include <cstring>
#include <exception>
#include <thread>

#include "store/catalogue.h"
#include "store/importlists.h"
#include "store/wordkeys.h"
#include "text/codepage.h"

namespace {

bool IsMarked(const unsigned char* record) { return (record[kDeletedMarkOffset] | record[kDeletedMarkOffset + 1]) != 0; }

bool HasControl(std::wstring_view text) {
    return std::any_of(text.begin(), text.end(), [](wchar_t c) { return c < 0x20; });
}

std::wstring_view TrimBlanks(std::wstring_view text) {
    while (!text.empty() && text.front() == L' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == L' ') text.remove_suffix(1);
    return text;
}

// Whether one of the comma-separated translations is the word, A-Z folded.
bool HasTranslation(std::wstring_view second, std::wstring_view word) {
    std::size_t pos = 0;
    while (pos <= second.size()) {
        const std::size_t comma = std::min(second.find(L',', pos), second.size());
        if (EqualsIgnoreAsciiCase(TrimBlanks(second.substr(pos, comma - pos)), word)) return true;
        pos = comma + 1;
    }
    return false;
}

std::uint64_t Fnv(std::string_view bytes) {
    std::uint64_t h = 0xCBF29CE484222325ull;
    for (const char c : bytes) h = (h ^ static_cast<unsigned char>(c)) * 0x100000001B3ull;
    return h;
}

// One list while the rows are planned: the entries the rows name, found by one pass
// over its records.
class PlannedList {
public:
    PlannedList(const WordListDescriptor& d, const ListImage& image, std::vector<ImportEntry>& entries, ImportText& text)
        : d_(d), image_(image), entries_(entries), text_(text), firstCoder_(d.firstCodePage),
          secondCoder_(d.secondCodePage) {
        CPINFO info{};
        doubleByte_ = GetCPInfo(d.firstCodePage, &info) && info.MaxCharSize > 1;
    }

    // The key of a first word's bytes, kept for the whole plan.
    std::string_view Key(std::string_view bytes) {
        folded_.assign(bytes);
        Fold(folded_.data(), folded_.size());
        return keys_.Store(folded_);
    }
    void Want(std::string_view key) { table_.At(key, Fnv(key)); }

    // The first live record of every wanted word becomes an entry; marked ones count as
    // absent, as the next sort drops them. Most records are no wanted word: a bit per
    // hash tells so before the table is asked.
    void Find() {
        if (wanted_.empty()) return;
        // Two cheap looks first, which is all most records get when the rows are few (the
        // dialog's first rows): the word's length with its first two bytes A-Z folded,
        // then a bit for the hash of the whole word.
        std::vector<std::uint64_t> maybe(kFilterBits / 64);
        std::vector<std::uint64_t> starts(kStartBits / 64);
        for (const std::string_view key : wanted_) {
            Mark(maybe, Fnv(key));
            const std::size_t start = Start(key.size(), key.empty() ? 0 : key[0], key.size() > 1 ? key[1] : 0);
            starts[start / 64] |= std::uint64_t{1} << (start % 64);
        }
        char folded[kFirstWordField];
        wchar_t first[kFirstWordField];
        wchar_t second[kSecondWordField];
        for (std::size_t i = 0; i < image_.Count(); ++i) {
            if (i % kCancelStep == 0 && cancelled_ && cancelled_()) return;
            const unsigned char* record = image_.Record(i);
            const std::size_t length = FieldTextLength(record, kFirstWordField, kFirstWordMaxBytes, d_.firstCodePage);
            char two[2] = {static_cast<char>(record[0]), length > 1 ? static_cast<char>(record[1]) : '\0'};
            Fold(two, std::min<std::size_t>(length, 2));
            const std::size_t start = Start(length, two[0], two[1]);
            if (!((starts[start / 64] >> (start % 64)) & 1)) continue;
            if (IsMarked(record)) continue;
            std::memcpy(folded, record, length);
            Fold(folded, length);
            const std::string_view key(folded, length);
            const std::uint64_t hash = Fnv(key);
            if (!Marked(maybe, hash)) continue;
            std::uint32_t* value = table_.Find(key, hash);
            if (!value || *value != kAbsentKey) continue;
            *value = static_cast<std::uint32_t>(entries_.size());
            const unsigned char* translations = record + kFirstWordField;
            const std::size_t secondLength =
                FieldTextLength(translations, kSecondWordField, kSecondWordMaxBytes, d_.secondCodePage);
            entries_.push_back({static_cast<std::int64_t>(i), Decode(record, length, d_.firstCodePage, first),
                                Decode(translations, secondLength, d_.secondCodePage, second), false});
        }
    }
    void StopWhen(const std::function<bool()>& cancelled) { cancelled_ = cancelled; }
    void Wanted(std::string_view key) {
        Want(key);
        wanted_.push_back(key);
    }

    ImportEntry* Entry(std::string_view key) {
        std::uint32_t* value = table_.Find(key, Fnv(key));
        return value && *value != kAbsentKey ? &entries_[*value] : nullptr;
    }
    std::size_t IndexOf(const ImportEntry* entry) const { return static_cast<std::size_t>(entry - entries_.data()); }
    void Create(std::string_view key, std::wstring_view first, std::wstring_view second) {
        table_.At(key, Fnv(key)) = static_cast<std::uint32_t>(entries_.size());
        entries_.push_back({-1, first, second, false});
    }
    void Uncreate(std::string_view key) {
        entries_.pop_back();
        table_.At(key, Fnv(key)) = kAbsentKey;
    }
    std::vector<ImportEntry>& Entries() { return entries_; }
    const WordListDescriptor& Descriptor() const { return d_; }
    const ExactCoder& FirstCoder() const { return firstCoder_; }
    const ExactCoder& SecondCoder() const { return secondCoder_; }

private:
    static constexpr std::size_t kFilterBits = std::size_t{1} << 22;
    static constexpr std::size_t kCancelStep = 1 << 16;
    static constexpr std::size_t kStartBits = std::size_t{1} << 16;
    // The length and first two bytes of a folded word as one bit number.
    static std::size_t Start(std::size_t length, char a, char b) {
        return ((length * 0x9E37u) ^ (static_cast<unsigned char>(a) << 8) ^ static_cast<unsigned char>(b)) & (kStartBits - 1);
    }
    static void Mark(std::vector<std::uint64_t>& bits, std::uint64_t hash) {
        const std::size_t bit = (hash >> 20) & (kFilterBits - 1);
        bits[bit / 64] |= std::uint64_t{1} << (bit % 64);
    }
    static bool Marked(const std::vector<std::uint64_t>& bits, std::uint64_t hash) {
        const std::size_t bit = (hash >> 20) & (kFilterBits - 1);
        return (bits[bit / 64] >> (bit % 64)) & 1;
    }
    // A-Z folded, as every case-blind comparison of words; the trail bytes of
    // double-byte characters stay as they are.
    void Fold(char* bytes, std::size_t length) const {
        for (std::size_t k = 0; k < length; ++k) {
            const auto c = static_cast<unsigned char>(bytes[k]);
            if (c >= 'A' && c <= 'Z') bytes[k] = static_cast<char>(c - 'A' + 'a');
            else if (doubleByte_ && IsDBCSLeadByteEx(d_.firstCodePage, c)) ++k;
        }
    }
    std::wstring_view Decode(const unsigned char* field, std::size_t length, UINT codePage, wchar_t* buffer) {
        const int n = length == 0 ? 0
                                  : MultiByteToWideChar(codePage, MultiByteFlags(codePage),
                                                        reinterpret_cast<const char*>(field), static_cast<int>(length),
                                                        buffer, static_cast<int>(length));
        return text_.Store(std::wstring_view(buffer, static_cast<std::size_t>(n > 0 ? n : 0)));
    }

    const WordListDescriptor& d_;
    const ListImage& image_;
    std::vector<ImportEntry>& entries_;
    ImportText& text_;
    bool doubleByte_ = false;
    ExactCoder firstCoder_;
    ExactCoder secondCoder_;
    KeyText keys_;
    KeyTable table_;
    std::vector<std::string_view> wanted_;
    std::string folded_;
    std::function<bool()> cancelled_;
};

// A row after the checks that need no list: its words and their keys, or its refusal.
struct CheckedRow {
    std::wstring_view first;   // in the plan's text
    std::wstring_view second;  // normalised, in the plan's text
    std::string_view firstKey;
    std::uint32_t piecesBegin = 0;  // its translations in the planner's list of pieces
    std::uint32_t piecesEnd = 0;
    bool refused = false;
    ImportRefusal reason = ImportRefusal::EmptySide;
    std::wstring_view word;
};

struct Piece {
    std::wstring_view text;
    std::string_view key;
};

class RowChecker {
public:
    RowChecker(const WordListDescriptor& forward, const WordListDescriptor& reverse, PlannedList& forwardList,
               PlannedList& reverseList, ImportText& text, std::vector<Piece>& pieces)
        : forward_(forward), reverse_(reverse), forwardList_(forwardList), reverseList_(reverseList), text_(text),
          pieces_(pieces) {}

    CheckedRow Check(const ImportPair& pair) {
        CheckedRow row;
        row.piecesBegin = row.piecesEnd = static_cast<std::uint32_t>(pieces_.size());
        if (pair.tooLong) return Refuse(row, ImportRefusal::RowTooLong, {});
        row.first = text_.Store(TrimBlanks(pair.first));
        Normalise(pair.second);
        row.second = text_.Store(joined_);
        // Pieces are views of the stored second word: the same pieces, in the same places.
        for (const auto& [from, length] : spans_) pieces_.push_back({row.second.substr(from, length), {}});
        row.piecesEnd = static_cast<std::uint32_t>(pieces_.size());
        if (row.first.empty() || row.piecesEnd == row.piecesBegin) return Refuse(row, ImportRefusal::EmptySide, {});
        if (row.first.find(L',') != std::wstring_view::npos) return Refuse(row, ImportRefusal::CommaInWord, row.first);
        if (HasControl(row.first)) return Refuse(row, ImportRefusal::ControlInWord, row.first);
        for (std::uint32_t i = row.piecesBegin; i < row.piecesEnd; ++i)
            if (HasControl(pieces_[i].text)) return Refuse(row, ImportRefusal::ControlInWord, pieces_[i].text);
        // Each word is checked in both lists' code pages; a pair of lists shares them.
        const bool firstBothWays = forward_.firstCodePage == reverse_.secondCodePage;
        if (!forwardList_.FirstCoder().Encode(row.first, bytes_) ||
            (!firstBothWays && !reverseList_.SecondCoder().Encode(row.first, other_)))
            return Refuse(row, ImportRefusal::WordNotInCodePage, row.first);
        if (bytes_.size() > kFirstWordMaxBytes) return Refuse(row, ImportRefusal::WordTooLong, row.first);
        row.firstKey = forwardList_.Key(bytes_);
        const bool secondBothWays = forward_.secondCodePage == reverse_.firstCodePage;
        for (std::uint32_t i = row.piecesBegin; i < row.piecesEnd; ++i) {
            Piece& piece = pieces_[i];
            if (!reverseList_.FirstCoder().Encode(piece.text, bytes_) ||
                (!secondBothWays && !forwardList_.SecondCoder().Encode(piece.text, other_)))
                return Refuse(row, ImportRefusal::TranslationNotInCodePage, piece.text);
            if (bytes_.size() > kFirstWordMaxBytes)
                return Refuse(row, ImportRefusal::TranslationTooLongForReverse, piece.text);
            piece.key = reverseList_.Key(bytes_);
        }
        if (forwardList_.SecondCoder().Bytes(row.second) > kSecondWordMaxBytes)
            return Refuse(row, ImportRefusal::TranslationsTooLong, row.second);
        return row;
    }

private:
    static CheckedRow Refuse(CheckedRow& row, ImportRefusal reason, std::wstring_view word) {
        row.refused = true;
        row.reason = reason;
        row.word = word;
        return row;
    }

    // The translations in the comma form the lists keep, as the Add window makes it of
    // what is typed (pieces trimmed, joined by ", "; a piece of blanks stays an empty
    // piece); the spans of the non-empty pieces in the joined text.
    void Normalise(std::wstring_view text) {
        text = TrimBlanks(text);
        const wchar_t separator = text.find(L',') != std::wstring_view::npos   ? L','
                                  : text.find(L';') != std::wstring_view::npos ? L';'
                                                                               : L'/';
        joined_.clear();
        spans_.clear();
        std::size_t pos = 0;
        bool firstPiece = true;
        while (pos < text.size()) {
            std::size_t end = pos;
            while (end < text.size() && text[end] != separator && text[end] != L'\n' && text[end] != L'\r') ++end;
            if (end > pos) {
                const std::wstring_view piece = TrimBlanks(text.substr(pos, end - pos));
                if (!firstPiece) joined_ += L", ";
                firstPiece = false;
                if (!piece.empty()) spans_.push_back({joined_.size(), piece.size()});
                joined_ += piece;
            }
            pos = end + 1;
        }
    }

    const WordListDescriptor& forward_;
    const WordListDescriptor& reverse_;
    PlannedList& forwardList_;
    PlannedList& reverseList_;
    ImportText& text_;
    std::vector<Piece>& pieces_;
    std::wstring joined_;
    std::vector<std::pair<std::size_t, std::size_t>> spans_;
    std::string bytes_;
    std::string other_;
};

// What a row changed, so a refused row can be taken out again.
struct RowChange {
    PlannedList* list;
    std::string_view key;
    bool created;
    std::size_t index;
    std::wstring_view oldSecond;
    bool oldChanged;
};

class RowPlanner {
public:
    RowPlanner(PlannedList& forward, PlannedList& reverse, ImportText& text, const std::vector<Piece>& pieces)
        : forward_(forward), reverse_(reverse), text_(text), pieces_(pieces) {}

    // Applies the row to the entries; on a refusal everything of it is taken back. The
    // outcome, and the entry as it stands afterwards (the word a refusal is about).
    PairOutcome Plan(const CheckedRow& row, ImportRefusal& reason, std::wstring_view& first, std::wstring_view& second,
                     std::wstring_view& word) {
        changes_.clear();
        rowChangesReverse_ = false;
        first = row.first;
        second = row.second;
        PairOutcome outcome = PlanForward(row, first, second, reason, word);
        if (outcome != PairOutcome::Refused && !PlanReverse(row, first, reason, word)) outcome = PairOutcome::Refused;
        if (outcome == PairOutcome::Refused) {
            Undo();
            return outcome;
        }
        reverseChanged = reverseChanged || rowChangesReverse_;
        return outcome;
    }
    bool reverseChanged = false;

private:
    void Remember(PlannedList& list, std::string_view key, const ImportEntry& e, bool created) {
        changes_.push_back({&list, key, created, list.IndexOf(&e), e.second, e.changed});
    }

    PairOutcome PlanForward(const CheckedRow& row, std::wstring_view& first, std::wstring_view& second,
                            ImportRefusal& reason, std::wstring_view& word) {
        ImportEntry* entry = forward_.Entry(row.firstKey);
        if (!entry) {
            forward_.Create(row.firstKey, row.first, row.second);
            Remember(forward_, row.firstKey, forward_.Entries().back(), true);
            return PairOutcome::Added;
        }
        merged_.assign(entry->second);
        for (std::uint32_t i = row.piecesBegin; i < row.piecesEnd; ++i) {
            const std::wstring_view piece = pieces_[i].text;
            if (HasTranslation(merged_, piece)) continue;
            if (!merged_.empty()) merged_ += L", ";
            merged_ += piece;
        }
        first = entry->first;
        if (merged_ == entry->second) {
            second = entry->second;
            return PairOutcome::Unchanged;
        }
        if (forward_.SecondCoder().Bytes(merged_) > kSecondWordMaxBytes) {
            reason = ImportRefusal::TranslationsTooLong;
            word = second = text_.Store(merged_);
            return PairOutcome::Refused;
        }
        Remember(forward_, row.firstKey, *entry, false);
        entry->second = second = text_.Store(merged_);
        entry->changed = entry->record >= 0;
        return PairOutcome::Merged;
    }

    // Every translation of the row gets the first word as the forward list keeps it: a
    // new entry of its own, or the word added to the translation's entry.
    bool PlanReverse(const CheckedRow& row, std::wstring_view first, ImportRefusal& reason, std::wstring_view& word) {
        for (std::uint32_t i = row.piecesBegin; i < row.piecesEnd; ++i) {
            const Piece& piece = pieces_[i];
            ImportEntry* entry = reverse_.Entry(piece.key);
            if (!entry) {
                reverse_.Create(piece.key, piece.text, first);
                Remember(reverse_, piece.key, reverse_.Entries().back(), true);
                rowChangesReverse_ = true;
                continue;
            }
            if (HasTranslation(entry->second, first)) continue;
            merged_.assign(entry->second);
            if (!merged_.empty()) merged_ += L", ";
            merged_ += first;
            if (reverse_.SecondCoder().Bytes(merged_) > kSecondWordMaxBytes) {
                reason = ImportRefusal::ReverseEntryFull;
                word = entry->first;
                return false;
            }
            Remember(reverse_, piece.key, *entry, false);
            entry->second = text_.Store(merged_);
            entry->changed = entry->record >= 0;
            rowChangesReverse_ = true;
        }
        return true;
    }

    void Undo() {
        for (auto change = changes_.rbegin(); change != changes_.rend(); ++change) {
            if (change->created) {
                change->list->Uncreate(change->key);
                continue;
            }
            ImportEntry& e = change->list->Entries()[change->index];
            e.second = change->oldSecond;
            e.changed = change->oldChanged;
        }
        changes_.clear();
    }

    PlannedList& forward_;
    PlannedList& reverse_;
    ImportText& text_;
    const std::vector<Piece>& pieces_;
    std::vector<RowChange> changes_;
    std::wstring merged_;
    bool rowChangesReverse_ = false;
};

PlannedRow Shown(std::size_t line, std::wstring_view first, std::wstring_view second, PairOutcome outcome,
                 ImportRefusal reason, std::wstring_view word) {
    return {line, std::wstring(first), std::wstring(second), outcome, reason, std::wstring(word)};
}

}  // namespace

std::wstring_view ImportText::Store(std::wstring_view text) {
    const std::lock_guard lock(mutex_);
    return blocks_.Store(text);
}

ImportPlan PlanImport(const ImportLists& lists, const std::vector<ImportPair>& pairs,
                      const std::function<bool()>& cancelled) {
    ImportPlan plan;
    ImportText& text = *plan.text;
    PlannedList forward(*lists.forward, lists.forwardImage, plan.forwardEntries, text);
    PlannedList reverse(*lists.reverse, lists.reverseImage, plan.reverseEntries, text);
    std::vector<Piece> pieces;
    RowChecker checker(*lists.forward, *lists.reverse, forward, reverse, text, pieces);
    std::vector<CheckedRow> rows;
    rows.reserve(pairs.size());
    pieces.reserve(pairs.size() * 3);
    for (const ImportPair& pair : pairs) {
        rows.push_back(checker.Check(pair));
        const CheckedRow& row = rows.back();
        if (row.refused) continue;
        forward.Wanted(row.firstKey);
        for (std::uint32_t i = row.piecesBegin; i < row.piecesEnd; ++i) reverse.Wanted(pieces[i].key);
    }
    forward.StopWhen(cancelled);
    reverse.StopWhen(cancelled);
    {
        // The two lists are searched at once, each on its own.
        std::exception_ptr failure;
        std::jthread other([&] {
            try {
                reverse.Find();
            } catch (...) {
                failure = std::current_exception();
            }
        });
        forward.Find();
        other.join();
        if (failure) std::rethrow_exception(failure);
    }

    RowPlanner planner(forward, reverse, text, pieces);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i % 4096 == 0 && cancelled && cancelled()) {
            plan.cancelled = true;
            return plan;
        }
        const CheckedRow& row = rows[i];
        ImportRefusal reason = row.reason;
        std::wstring_view first, second, word = row.word;
        const PairOutcome outcome =
            row.refused ? PairOutcome::Refused : planner.Plan(row, reason, first, second, word);
        ++plan.counts.rows;
        switch (outcome) {
        case PairOutcome::Added: ++plan.counts.added; break;
        case PairOutcome::Merged: ++plan.counts.merged; break;
        case PairOutcome::Unchanged: ++plan.counts.unchanged; break;
        case PairOutcome::Refused: ++plan.counts.refused; break;
        }
        // A refused row is shown as the file holds it.
        if (outcome == PairOutcome::Refused) {
            first = pairs[i].first;
            second = pairs[i].second;
        }
        const bool shown = plan.preview.size() < kPreviewRows;
        if (shown) plan.preview.push_back(Shown(pairs[i].line, first, second, outcome, reason, word));
        if (outcome == PairOutcome::Refused)
            plan.refused.push_back(shown ? plan.preview.back() : Shown(pairs[i].line, first, second, outcome, reason, word));
    }
    plan.reverseChanges = planner.reverseChanged;
    return plan;
}
