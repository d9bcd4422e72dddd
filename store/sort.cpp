#include "store/sort.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <exception>
#include <string>
#include <thread>
#include <vector>

#include "store/atomicfile.h"
#include "store/catalogue.h"
#include "store/collation.h"
#include "store/records.h"
#include "text/codepage.h"
#include "text/locale.h"
#include "text/uistrings.h"
#include "win/handles.h"

namespace {

constexpr long long kRecordProgressStep = 1000;
constexpr long long kCompareProgressStep = 2000;
constexpr std::size_t kWriteChunkRecords = 2048;
// Below this many records a second thread costs more than it saves.
constexpr std::size_t kParallelThreshold = 20000;

// One live entry. Its sort key lives in a shared arena; the first sixteen key bytes
// are kept inline, so most comparisons never leave the array.
struct SortItem {
    std::uint64_t prefixHigh;
    std::uint64_t prefixLow;
    std::uint32_t keyOffset;
    std::uint32_t keyLength;
    std::uint32_t record;
};

struct KeyBatch {
    std::string keys;
    std::vector<SortItem> items;
};

// The word list file seen read-only in memory: no copy, no zero-filled buffer.
class MappedWordList {
public:
    bool Map(HANDLE file, std::size_t size) {
        size_ = size;
        if (size == 0) return true;
        mapping_.Reset(CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr));
        if (!mapping_) return false;
        view_ = static_cast<const unsigned char*>(MapViewOfFile(mapping_.Get(), FILE_MAP_READ, 0, 0, size));
        return view_ != nullptr;
    }
    // The file can only be replaced once nothing maps it.
    void Unmap() {
        if (view_) UnmapViewOfFile(view_);
        view_ = nullptr;
        mapping_.Reset();
    }
    ~MappedWordList() { Unmap(); }
    const unsigned char* Record(std::size_t i) const { return view_ + i * kRecordSize; }
    std::size_t Count() const { return size_ / kRecordSize; }

private:
    UniqueKernelHandle mapping_;
    const unsigned char* view_ = nullptr;
    std::size_t size_ = 0;
};

std::uint64_t BigEndian8(const char* key, std::size_t length, std::size_t from) {
    std::uint64_t value = 0;
    for (std::size_t i = from; i < from + 8; ++i)
        value = (value << 8) | (i < length ? static_cast<unsigned char>(key[i]) : 0u);
    return value;
}

// Runs `other` on a second thread while the caller does `own`; a failure on either
// side reaches the caller, and only once both sides are finished.
template <typename Other, typename Own>
void InParallel(Other other, Own own) {
    std::exception_ptr failure;
    std::jthread worker([&] {
        try {
            other();
        } catch (...) {
            failure = std::current_exception();
        }
    });
    own();
    worker.join();
    if (failure) std::rethrow_exception(failure);
}

void Report(const SortProgress& progress, SortPhase phase, long long count) {
    if (progress) progress(phase, count);
}

bool IsMarked(const unsigned char* record) {
    return (record[kDeletedMarkOffset] | (record[kDeletedMarkOffset + 1] << 8)) != 0;
}

// Whether every byte of the code page comes back unchanged from wide text and back, as
// in every single-byte code page. Then a table may weigh a record's bytes as they stand.
bool BytesRoundTrip(UINT codePage) {
    for (int b = 1; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        wchar_t wide[2];
        char back[4];
        const int n = MultiByteToWideChar(codePage, MultiByteFlags(codePage), &byte, 1, wide, 2);
        if (n != 1 || WideCharToMultiByte(codePage, 0, wide, 1, back, sizeof back, nullptr, nullptr) != 1 ||
            back[0] != byte)
            return false;
    }
    return true;
}

// The sort key straight from the record's bytes: the table weighs the 8-bit text as
// it stands, unless the code page could change it on the way through wide text (lone
// lead bytes, undefined double-byte codes); then it weighs the word as the search
// sees it once read. The locale gets the word as wide text from a stack buffer.
void AppendRecordKey(const WordListDescriptor& d, bool weighAsStored, const unsigned char* record, std::string& keys) {
    const std::size_t length = FieldTextLength(record, kFirstWordField, kFirstWordMaxBytes, d.firstCodePage);
    if (d.hasSortTable && !weighAsStored) {
        AppendFirstWordKey(d, ToWideCounted(reinterpret_cast<const char*>(record), length, d.firstCodePage), keys);
        return;
    }
    if (d.hasSortTable) {
        for (std::size_t i = 0; i < length; ++i) {
            const unsigned char w = ActiveSortTable[record[i]];
            if (w == 0) break;
            if (w != 1) keys.push_back(static_cast<char>(w));
        }
        keys.push_back('\0');
        return;
    }
    wchar_t wide[kFirstWordField];
    const int n = length == 0 ? 0
                              : MultiByteToWideChar(d.firstCodePage, MultiByteFlags(d.firstCodePage), reinterpret_cast<const char*>(record),
                                                    static_cast<int>(length), wide, static_cast<int>(kFirstWordField));
    AppendCollationSortKey(std::wstring_view(wide, static_cast<std::size_t>(n > 0 ? n : 0)), keys);
}

void MakeKeys(const MappedWordList& list, std::size_t from, std::size_t to, KeyBatch& batch,
              const SortProgress& progress) {
    const WordListDescriptor& d = CurrentWordList();
    const bool weighAsStored = !d.hasSortTable || BytesRoundTrip(d.firstCodePage);
    batch.items.reserve(to - from);
    batch.keys.reserve((to - from) * (d.hasSortTable ? 12 : 40));
    for (std::size_t i = from; i < to; ++i) {
        if (static_cast<long long>(i) % kRecordProgressStep == 0) Report(progress, SortPhase::Reading, static_cast<long long>(i));
        const unsigned char* record = list.Record(i);
        if (IsMarked(record)) continue;
        const std::size_t offset = batch.keys.size();
        AppendRecordKey(d, weighAsStored, record, batch.keys);
        const std::size_t length = batch.keys.size() - offset;
        const char* key = batch.keys.data() + offset;
        batch.items.push_back({BigEndian8(key, length, 0), BigEndian8(key, length, 8),
                               static_cast<std::uint32_t>(offset), static_cast<std::uint32_t>(length),
                               static_cast<std::uint32_t>(i)});
    }
}

// Keys for every live record, the second half made on a thread of its own. Progress
// is reported from the calling thread only, in record order.
KeyBatch CollectLiveEntries(const MappedWordList& list, const SortProgress& progress) {
    const std::size_t count = list.Count();
    KeyBatch first;
    if (count < kParallelThreshold) {
        MakeKeys(list, 0, count, first, progress);
        return first;
    }
    const std::size_t middle = count / 2;
    KeyBatch second;
    InParallel([&] { MakeKeys(list, middle, count, second, {}); }, [&] { MakeKeys(list, 0, middle, first, progress); });
    for (long long i = (static_cast<long long>(middle) + kRecordProgressStep - 1) / kRecordProgressStep * kRecordProgressStep;
         i < static_cast<long long>(count); i += kRecordProgressStep)
        Report(progress, SortPhase::Reading, i);

    const std::uint32_t shift = static_cast<std::uint32_t>(first.keys.size());
    first.keys += second.keys;
    first.items.reserve(first.items.size() + second.items.size());
    for (SortItem item : second.items) {
        item.keyOffset += shift;
        first.items.push_back(item);
    }
    return first;
}

class ItemOrder {
public:
    explicit ItemOrder(const std::string& keys) : keys_(keys) {}
    bool operator()(const SortItem& a, const SortItem& b) const {
        if (a.prefixHigh != b.prefixHigh) return a.prefixHigh < b.prefixHigh;
        if (a.prefixLow != b.prefixLow) return a.prefixLow < b.prefixLow;
        return std::string_view(keys_.data() + a.keyOffset, a.keyLength) <
               std::string_view(keys_.data() + b.keyOffset, b.keyLength);
    }

private:
    const std::string& keys_;
};

// Equal words keep their order in the file: both halves sort stably and the merge
// takes the first half's equal entries first.
void SortItems(std::vector<SortItem>& items, const std::string& keys, const SortProgress& progress) {
    const ItemOrder order(keys);
    long long comparisons = 0;
    auto counted = [&](const SortItem& a, const SortItem& b) {
        if (comparisons % kCompareProgressStep == 0) Report(progress, SortPhase::Sorting, comparisons);
        ++comparisons;
        return order(a, b);
    };
    if (items.size() < kParallelThreshold) {
        std::stable_sort(items.begin(), items.end(), counted);
        return;
    }
    const auto middle = items.begin() + static_cast<std::ptrdiff_t>(items.size() / 2);
    InParallel([&] { std::stable_sort(middle, items.end(), order); },
               [&] { std::stable_sort(items.begin(), middle, counted); });
    std::vector<SortItem> merged;
    merged.reserve(items.size());
    std::merge(items.begin(), middle, middle, items.end(), std::back_inserter(merged), order);
    items.swap(merged);
}

bool WriteSorted(AtomicFileWriter& writer, const MappedWordList& list, const std::vector<SortItem>& items,
                 const SortProgress& progress) {
    const WordListDescriptor& d = CurrentWordList();
    std::vector<unsigned char> chunk(kWriteChunkRecords * kRecordSize);
    std::size_t filled = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (static_cast<long long>(i) % kRecordProgressStep == 0) Report(progress, SortPhase::Writing, static_cast<long long>(i));
        unsigned char* out = chunk.data() + filled * kRecordSize;
        std::memcpy(out, list.Record(items[i].record), kRecordSize);
        NormalizeLiveRecord(out, d.firstCodePage, d.secondCodePage);
        if (++filled == kWriteChunkRecords) {
            if (!writer.Write(chunk.data(), filled * kRecordSize)) return false;
            filled = 0;
        }
    }
    return writer.Write(chunk.data(), filled * kRecordSize);
}

void ReopenStore() {
    CloseListFiles();
    OpenWordListFile();
    CountRecords();
}

}  // namespace

namespace {

int SortOpenWordList(const SortProgress& progress, MappedWordList& list) {
    KeyBatch batch = CollectLiveEntries(list, progress);
    WordCount = static_cast<int>(batch.items.size());
    SortItems(batch.items, batch.keys, progress);
    std::string().swap(batch.keys);

    const std::wstring target = WordListPath(CurrentWordList());
    AtomicFileWriter writer(UiText(Ui::FilenameTempLanguage), target);
    const bool written = writer.Ok() && WriteSorted(writer, list, batch.items, progress);
    // Neither the view nor the open word list file may stand in the way of the replace.
    list.Unmap();
    CloseListFiles();
    const bool replaced = written && writer.Commit();
    if (!replaced) writer.Abandon();
    return replaced ? 0 : -1;
}

}  // namespace

int SortWordList(const SortProgress& progress) {
    // Keys are made through the table, so it must be the current list's before reading.
    LoadSortTable();
    int result = -1;
    {
        MappedWordList list;
        if (WordListFileOpen() && list.Map(WordListFileHandle(), static_cast<std::size_t>(WordCount) * kRecordSize)) {
            // Running out of memory or threads leaves the file as it was.
            try {
                result = SortOpenWordList(progress, list);
            } catch (const std::exception&) {
                result = -1;
            }
        }
    }
    ReopenStore();
    return result;
}
