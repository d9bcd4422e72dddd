#include "store/importlists.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <exception>
#include <string_view>
#include <unordered_map>

#include "store/atomicfile.h"
#include "store/backups.h"
#include "store/catalogue.h"
#include "store/sortedlist.h"
#include "store/collation.h"
#include "text/codepage.h"
#include "text/locale.h"
#include "text/translations.h"
#include "text/uistrings.h"
#include "win/handles.h"

namespace {

constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);
constexpr wchar_t kLogFolder[] = L"new";

// ---------------------------------------------------------------------------------
// Words as the lists store them.

// The 8-bit form of a word when its code page gives it back unchanged; else nothing.
bool EncodeExactly(const std::wstring& word, UINT codePage, std::string& bytes) {
    bytes = ToNarrow(word, codePage);
    return ToWide(bytes, codePage) == word;
}

bool HasControl(std::wstring_view text) {
    return std::any_of(text.begin(), text.end(), [](wchar_t c) { return c < 0x20; });
}

bool IsDoubleByte(UINT codePage) {
    CPINFO info{};
    return GetCPInfo(codePage, &info) && info.MaxCharSize > 1;
}

// A-Z folded, as every case-blind comparison of words; the trail bytes of double-byte
// characters stay as they are.
std::string FoldedKey(std::string_view bytes, UINT codePage, bool doubleByte) {
    std::string key(bytes);
    for (std::size_t i = 0; i < key.size(); ++i) {
        const auto c = static_cast<unsigned char>(key[i]);
        if (doubleByte && IsDBCSLeadByteEx(codePage, c)) {
            ++i;
            continue;
        }
        if (c >= 'A' && c <= 'Z') key[i] = static_cast<char>(c - 'A' + 'a');
    }
    return key;
}

std::size_t StoredBytes(const std::wstring& text, UINT codePage) { return ToNarrow(text, codePage).size(); }

std::wstring JoinTranslations(const std::vector<std::wstring>& pieces) {
    std::wstring joined;
    for (std::size_t i = 0; i < pieces.size(); ++i) joined += (i > 0 ? L", " : L"") + pieces[i];
    return joined;
}

bool HasTranslation(const std::wstring& second, const std::wstring& word) {
    for (const std::wstring& piece : SplitTranslations(second))
        if (EqualsIgnoreAsciiCase(piece, word)) return true;
    return false;
}

bool IsMarked(const unsigned char* record) { return (record[kDeletedMarkOffset] | record[kDeletedMarkOffset + 1]) != 0; }

// ---------------------------------------------------------------------------------
// One list while the rows are planned: the entries the rows name, found once by one
// pass over the records.

struct TransparentHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

class PlannedList {
public:
    PlannedList(const WordListDescriptor& d, const ListImage& image, std::vector<ImportEntry>& entries)
        : d_(d), image_(image), entries_(entries), doubleByte_(IsDoubleByte(d.firstCodePage)) {}

    std::string Key(const std::string& firstBytes) const { return FoldedKey(firstBytes, d_.firstCodePage, doubleByte_); }
    void Want(const std::string& key) { index_.emplace(key, kNotFound); }

    // The first live record of every wanted word becomes an entry; marked ones count as
    // absent, as the next sort drops them.
    void Find() {
        if (index_.empty()) return;
        char folded[kFirstWordField];
        for (std::size_t i = 0; i < image_.Count(); ++i) {
            const unsigned char* record = image_.Record(i);
            if (IsMarked(record)) continue;
            const std::size_t length = FieldTextLength(record, kFirstWordField, kFirstWordMaxBytes, d_.firstCodePage);
            std::memcpy(folded, record, length);
            for (std::size_t k = 0; k < length; ++k) {
                const auto c = static_cast<unsigned char>(folded[k]);
                if (doubleByte_ && IsDBCSLeadByteEx(d_.firstCodePage, c)) {
                    ++k;
                    continue;
                }
                if (c >= 'A' && c <= 'Z') folded[k] = static_cast<char>(c - 'A' + 'a');
            }
            const auto found = index_.find(std::string_view(folded, length));
            if (found == index_.end() || found->second != kNotFound) continue;
            WordRecord copy;
            std::memcpy(copy.bytes, record, kRecordSize);
            const WordEntry entry = DecodeRecord(copy, d_.firstCodePage, d_.secondCodePage);
            found->second = entries_.size();
            entries_.push_back({static_cast<std::int64_t>(i), entry.first, entry.second, false});
        }
    }

    ImportEntry* Entry(const std::string& key) {
        const auto found = index_.find(key);
        return found == index_.end() || found->second == kNotFound ? nullptr : &entries_[found->second];
    }
    std::size_t IndexOf(const std::string& key) const { return index_.at(key); }
    void Create(const std::string& key, std::wstring first, std::wstring second) {
        index_[key] = entries_.size();
        entries_.push_back({-1, std::move(first), std::move(second), false});
    }
    void Uncreate(const std::string& key) {
        entries_.pop_back();
        index_[key] = kNotFound;
    }
    std::vector<ImportEntry>& Entries() { return entries_; }
    const WordListDescriptor& Descriptor() const { return d_; }

private:
    const WordListDescriptor& d_;
    const ListImage& image_;
    std::vector<ImportEntry>& entries_;
    bool doubleByte_;
    std::unordered_map<std::string, std::size_t, TransparentHash, std::equal_to<>> index_;
};

// What a row changes, so a refused row can be taken out again.
struct RowChange {
    PlannedList* list;
    std::string key;
    bool created;
    std::size_t index;
    std::wstring oldSecond;
    bool oldChanged;
};

// A row after the checks that need no list: its words, their keys, or its refusal.
struct CheckedRow {
    std::wstring first;
    std::wstring second;               // normalised
    std::vector<std::wstring> pieces;  // non-empty translations
    std::string firstKey;
    std::vector<std::string> pieceKeys;
    bool refused = false;
    ImportRefusal reason = ImportRefusal::EmptySide;
    std::wstring word;
};

CheckedRow CheckRow(const ImportPair& pair, const WordListDescriptor& forward, const WordListDescriptor& reverse,
                    const PlannedList& forwardList, const PlannedList& reverseList) {
    CheckedRow row;
    const auto refuse = [&](ImportRefusal reason, const std::wstring& word) {
        row.refused = true;
        row.reason = reason;
        row.word = word;
        return row;
    };
    row.first = TrimSpaces(pair.first);
    row.second = ImportedTranslations(pair.second);
    if (pair.tooLong) return refuse(ImportRefusal::RowTooLong, {});
    for (std::wstring& piece : SplitTranslations(row.second))
        if (!piece.empty()) row.pieces.push_back(std::move(piece));
    if (row.first.empty() || row.pieces.empty()) return refuse(ImportRefusal::EmptySide, {});
    if (row.first.find(L',') != std::wstring::npos) return refuse(ImportRefusal::CommaInWord, row.first);
    if (HasControl(row.first)) return refuse(ImportRefusal::ControlInWord, row.first);
    for (const std::wstring& piece : row.pieces)
        if (HasControl(piece)) return refuse(ImportRefusal::ControlInWord, piece);
    // Each word is checked in both lists' code pages; a pair of lists shares them.
    std::string bytes, other;
    if (!EncodeExactly(row.first, reverse.secondCodePage, other) || !EncodeExactly(row.first, forward.firstCodePage, bytes))
        return refuse(ImportRefusal::WordNotInCodePage, row.first);
    if (bytes.size() > kFirstWordMaxBytes) return refuse(ImportRefusal::WordTooLong, row.first);
    row.firstKey = forwardList.Key(bytes);
    for (const std::wstring& piece : row.pieces) {
        if (!EncodeExactly(piece, forward.secondCodePage, other) || !EncodeExactly(piece, reverse.firstCodePage, bytes))
            return refuse(ImportRefusal::TranslationNotInCodePage, piece);
        if (bytes.size() > kFirstWordMaxBytes) return refuse(ImportRefusal::TranslationTooLongForReverse, piece);
        row.pieceKeys.push_back(reverseList.Key(bytes));
    }
    if (StoredBytes(row.second, forward.secondCodePage) > kSecondWordMaxBytes)
        return refuse(ImportRefusal::TranslationsTooLong, row.second);
    return row;
}

class RowPlanner {
public:
    RowPlanner(PlannedList& forward, PlannedList& reverse) : forward_(forward), reverse_(reverse) {}

    // Applies the row to the entries; on a refusal everything of it is taken back.
    PlannedRow Plan(CheckedRow& row) {
        changes_.clear();
        PlannedRow planned;
        planned.first = row.first;
        planned.second = row.second;
        rowChangesReverse_ = false;
        if (!PlanForward(row, planned) || !PlanReverse(row, planned)) {
            Undo();
            return planned;
        }
        reverseChanged = reverseChanged || rowChangesReverse_;
        return planned;
    }
    bool reverseChanged = false;

private:
    bool Refuse(PlannedRow& planned, ImportRefusal reason, const std::wstring& word) {
        planned.outcome = PairOutcome::Refused;
        planned.reason = reason;
        planned.word = word;
        return false;
    }

    void Remember(PlannedList& list, const std::string& key, bool created) {
        const std::size_t index = list.IndexOf(key);
        const ImportEntry& e = list.Entries()[index];
        changes_.push_back({&list, key, created, index, e.second, e.changed});
    }

    bool PlanForward(const CheckedRow& row, PlannedRow& planned) {
        const UINT secondCodePage = forward_.Descriptor().secondCodePage;
        ImportEntry* entry = forward_.Entry(row.firstKey);
        if (!entry) {
            forward_.Create(row.firstKey, row.first, JoinTranslations(row.pieces));
            Remember(forward_, row.firstKey, true);
            planned.outcome = PairOutcome::Added;
            planned.second = forward_.Entries().back().second;
            return true;
        }
        std::wstring merged = entry->second;
        for (const std::wstring& piece : row.pieces)
            if (!HasTranslation(merged, piece)) merged += (merged.empty() ? L"" : L", ") + piece;
        planned.first = entry->first;
        planned.second = merged;
        if (merged == entry->second) {
            planned.outcome = PairOutcome::Unchanged;
            return true;
        }
        if (StoredBytes(merged, secondCodePage) > kSecondWordMaxBytes)
            return Refuse(planned, ImportRefusal::TranslationsTooLong, merged);
        Remember(forward_, row.firstKey, false);
        entry->second = merged;
        entry->changed = entry->record >= 0;
        planned.outcome = PairOutcome::Merged;
        return true;
    }

    // Every translation of the row gets the first word, as the entry the forward list
    // keeps: a new entry of its own, or the word added to the translation's entry.
    bool PlanReverse(const CheckedRow& row, PlannedRow& planned) {
        const std::wstring& first = planned.first;
        const UINT secondCodePage = reverse_.Descriptor().secondCodePage;
        for (std::size_t i = 0; i < row.pieces.size(); ++i) {
            const std::string& key = row.pieceKeys[i];
            ImportEntry* entry = reverse_.Entry(key);
            if (!entry) {
                reverse_.Create(key, row.pieces[i], first);
                Remember(reverse_, key, true);
                rowChangesReverse_ = true;
                continue;
            }
            if (HasTranslation(entry->second, first)) continue;
            const std::wstring joined = entry->second.empty() ? first : entry->second + L", " + first;
            if (StoredBytes(joined, secondCodePage) > kSecondWordMaxBytes)
                return Refuse(planned, ImportRefusal::ReverseEntryFull, entry->first);
            Remember(reverse_, key, false);
            entry->second = joined;
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
    std::vector<RowChange> changes_;
    bool rowChangesReverse_ = false;
};

// Makes the list current for its keys: its locale and its sort table, no files opened.
void OrderBy(WordListDescriptor& d) {
    SetCurrentWordList(d);
    SetCollationLocale(d.locale);
    LoadSortTable();
}

// ---------------------------------------------------------------------------------
// Files the import appends to: the practice lists and the log of new entries. They are
// rewritten whole with the new records behind the old ones, in one step.

bool AppendRecords(const std::wstring& path, const std::vector<WordRecord>& records, ImportUndo& undo) {
    if (records.empty()) return true;
    std::string bytes;
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES && !ReadWholeFile(path, bytes)) return false;
    const auto before = static_cast<long long>(bytes.size());
    AtomicFileWriter writer(path + L".tmp", path);
    if (!writer.Write(bytes) || !writer.Write(records.data(), records.size() * kRecordSize) || !writer.Commit())
        return false;
    undo.appended.push_back({CurrentFileState(path, true), before});
    return true;
}

std::vector<WordRecord> NewRecords(const WordListDescriptor& d, const std::vector<ImportEntry>& entries) {
    std::vector<WordRecord> records;
    for (const ImportEntry& e : entries)
        if (e.record < 0) records.push_back(EncodeRecord({e.first, e.second, 0}, d.firstCodePage, d.secondCodePage));
    return records;
}

std::wstring LogPath(const WordListDescriptor& d) {
    return std::wstring(kLogFolder) + L"\\" + d.firstName + L"_" + d.secondName + L".tvk";
}

void AppendToPracticeLists(const ImportLists& lists, const ImportPlan& plan, ImportUndo& undo) {
    if (CurrentPracticeList.empty()) return;
    const std::wstring folder = std::wstring(UiText(Ui::PathNameList)) + CurrentPracticeList;
    if (GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    AppendRecords(PracticeListPath(*lists.forward), NewRecords(*lists.forward, plan.forwardEntries), undo);
    AppendRecords(PracticeListPath(*lists.reverse), NewRecords(*lists.reverse, plan.reverseEntries), undo);
}

}  // namespace

std::wstring ImportedTranslations(const std::wstring& text) {
    return JoinTranslations(SplitTranslations(TranslationsWithCommas(TrimSpaces(text))));
}

ImportFileRead ReadImportFile(const std::wstring& path, std::string& bytes) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return ImportFileRead::Unreadable;
    const unsigned long long size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    if (size > kLargestImportFile) return ImportFileRead::TooLarge;
    if (!ReadWholeFile(path, bytes)) return ImportFileRead::Unreadable;
    return bytes.size() > kLargestImportFile ? ImportFileRead::TooLarge : ImportFileRead::Ok;
}

bool ReadImportLists(WordListDescriptor& forward, ImportLists& lists) {
    lists.forward = &forward;
    lists.reverse = OppositeWordList(forward);
    return lists.reverse && ReadWholeFile(WordListPath(forward), lists.forwardImage.bytes) &&
           ReadWholeFile(WordListPath(*lists.reverse), lists.reverseImage.bytes);
}

ImportPlan PlanImport(const ImportLists& lists, const std::vector<ImportPair>& pairs) {
    ImportPlan plan;
    PlannedList forward(*lists.forward, lists.forwardImage, plan.forwardEntries);
    PlannedList reverse(*lists.reverse, lists.reverseImage, plan.reverseEntries);
    std::vector<CheckedRow> rows;
    rows.reserve(pairs.size());
    for (const ImportPair& pair : pairs) {
        rows.push_back(CheckRow(pair, *lists.forward, *lists.reverse, forward, reverse));
        const CheckedRow& row = rows.back();
        if (row.refused) continue;
        forward.Want(row.firstKey);
        for (const std::string& key : row.pieceKeys) reverse.Want(key);
    }
    forward.Find();
    reverse.Find();

    RowPlanner planner(forward, reverse);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        CheckedRow& row = rows[i];
        PlannedRow planned;
        if (row.refused) {
            planned = {pairs[i].line, pairs[i].first, pairs[i].second, PairOutcome::Refused, row.reason, row.word};
        } else {
            planned = planner.Plan(row);
            planned.line = pairs[i].line;
            if (planned.outcome == PairOutcome::Refused) {
                planned.first = pairs[i].first;
                planned.second = pairs[i].second;
            }
        }
        ++plan.counts.rows;
        switch (planned.outcome) {
        case PairOutcome::Added: ++plan.counts.added; break;
        case PairOutcome::Merged: ++plan.counts.merged; break;
        case PairOutcome::Unchanged: ++plan.counts.unchanged; break;
        case PairOutcome::Refused: ++plan.counts.refused; break;
        }
        if (plan.preview.size() < kPreviewRows) plan.preview.push_back(planned);
        if (planned.outcome == PairOutcome::Refused) plan.refused.push_back(std::move(planned));
    }
    plan.reverseChanges = planner.reverseChanged;
    return plan;
}

ImportFailure ApplyImport(const ImportLists& lists, const ImportPlan& plan, bool addToPracticeList,
                          const ImportProgress& progress) {
    WordListDescriptor& current = CurrentWordList();
    WordListDescriptor& forward = *lists.forward;
    WordListDescriptor& reverse = *lists.reverse;
    const auto step = [&](ImportStep s, const WordListDescriptor& d) {
        if (progress) progress(s, d, 0, 1);
    };

    SYSTEMTIME now{};
    GetLocalTime(&now);
    step(ImportStep::Backup, forward);
    ImportUndo undo;
    const std::wstring forwardBackup = WriteBackup(forward, lists.forwardImage.bytes, now);
    const std::wstring reverseBackup = forwardBackup.empty() ? std::wstring() : WriteBackup(reverse, lists.reverseImage.bytes, now);
    if (reverseBackup.empty()) return ImportFailure::Backup;

    ImportFailure failure = ImportFailure::None;
    {
        AtomicFileWriter forwardWriter(WordListPath(forward) + L".tmp", WordListPath(forward));
        AtomicFileWriter reverseWriter(WordListPath(reverse) + L".tmp", WordListPath(reverse));
        ContentHash forwardHash, reverseHash;
        bool written = false;
        try {
            OrderBy(forward);
            written = forwardWriter.Ok() &&
                      WriteSortedList(forward, lists.forwardImage, plan.forwardEntries, forwardWriter, forwardHash, progress);
            OrderBy(reverse);
            written = written && reverseWriter.Ok() &&
                      WriteSortedList(reverse, lists.reverseImage, plan.reverseEntries, reverseWriter, reverseHash, progress);
        } catch (const std::exception&) {
            written = false;
        }
        step(ImportStep::Replacing, forward);
        // Nothing may hold the lists open while they are replaced.
        CloseListFiles();
        if (!written) {
            failure = ImportFailure::Write;
        } else if (!forwardWriter.Commit()) {
            failure = ImportFailure::Replace;
        } else if (!reverseWriter.Commit()) {
            // One list new and the other old would not agree: the first goes back too.
            AtomicFileWriter back(WordListPath(forward) + L".tmp", WordListPath(forward));
            if (back.Write(lists.forwardImage.bytes)) back.Commit();
            failure = ImportFailure::Replace;
        } else {
            FileState forwardAfter = CurrentFileState(WordListPath(forward), false);
            forwardAfter.hash = forwardHash.Value();
            FileState reverseAfter = CurrentFileState(WordListPath(reverse), false);
            reverseAfter.hash = reverseHash.Value();
            undo.lists.push_back({forwardAfter, forwardBackup});
            undo.lists.push_back({reverseAfter, reverseBackup});
        }
    }
    if (failure == ImportFailure::None) {
        CreateDirectoryW(kLogFolder, nullptr);
        AppendRecords(LogPath(forward), NewRecords(forward, plan.forwardEntries), undo);
        if (addToPracticeList) AppendToPracticeLists(lists, plan, undo);
        RememberImport(std::move(undo));
    }
    UseWordList(current);
    return failure;
}
