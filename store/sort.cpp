#include "store/sort.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "store/atomicfile.h"
#include "store/catalogue.h"
#include "store/collation.h"
#include "store/records.h"
#include "text/codepage.h"
#include "text/uistrings.h"

namespace {

constexpr long long kRecordProgressStep = 1000;
constexpr long long kCompareProgressStep = 2000;
constexpr std::size_t kWriteChunkRecords = 2048;

// One live entry: its sort key lives in a shared arena; the first eight key bytes are
// kept inline so most comparisons never leave the array.
struct SortItem {
    std::uint64_t prefix;
    std::uint32_t keyOffset;
    std::uint32_t keyLength;
    std::uint32_t record;
};

std::uint64_t KeyPrefix(const char* key, std::size_t length) {
    std::uint64_t prefix = 0;
    for (std::size_t i = 0; i < 8; ++i)
        prefix = (prefix << 8) | (i < length ? static_cast<unsigned char>(key[i]) : 0u);
    return prefix;
}

void Report(const SortProgress& progress, SortPhase phase, long long count) {
    if (progress) progress(phase, count);
}

// Reads the records, drops the marked ones and computes each live entry's key.
std::vector<SortItem> CollectLiveEntries(std::string& raw, std::string& keys, const SortProgress& progress) {
    const WordListDescriptor& d = CurrentWordList();
    const std::size_t count = raw.size() / kRecordSize;
    std::vector<SortItem> items;
    items.reserve(count);
    keys.reserve(count * 24);
    for (std::size_t i = 0; i < count; ++i) {
        if (static_cast<long long>(i) % kRecordProgressStep == 0) Report(progress, SortPhase::Reading, static_cast<long long>(i));
        unsigned char* record = reinterpret_cast<unsigned char*>(raw.data()) + i * kRecordSize;
        if ((record[kDeletedMarkOffset] | (record[kDeletedMarkOffset + 1] << 8)) != 0) continue;
        NormalizeLiveRecord(record, d.firstCodePage, d.secondCodePage);
        const std::size_t offset = keys.size();
        AppendFirstWordKey(d, ToWide(FirstWordBytes(record, d.firstCodePage), d.firstCodePage), keys);
        items.push_back({0, static_cast<std::uint32_t>(offset), static_cast<std::uint32_t>(keys.size() - offset),
                         static_cast<std::uint32_t>(i)});
    }
    for (SortItem& item : items) item.prefix = KeyPrefix(keys.data() + item.keyOffset, item.keyLength);
    return items;
}

void SortItems(std::vector<SortItem>& items, const std::string& keys, const SortProgress& progress) {
    long long comparisons = 0;
    // Equal words keep their order in the file.
    std::stable_sort(items.begin(), items.end(), [&](const SortItem& a, const SortItem& b) {
        if (comparisons % kCompareProgressStep == 0) Report(progress, SortPhase::Sorting, comparisons);
        ++comparisons;
        if (a.prefix != b.prefix) return a.prefix < b.prefix;
        const std::string_view ka(keys.data() + a.keyOffset, a.keyLength);
        const std::string_view kb(keys.data() + b.keyOffset, b.keyLength);
        return ka < kb;
    });
}

bool WriteSorted(AtomicFileWriter& writer, const std::string& raw, const std::vector<SortItem>& items,
                 const SortProgress& progress) {
    std::string chunk;
    chunk.reserve(kWriteChunkRecords * kRecordSize);
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (static_cast<long long>(i) % kRecordProgressStep == 0) Report(progress, SortPhase::Writing, static_cast<long long>(i));
        chunk.append(raw, static_cast<std::size_t>(items[i].record) * kRecordSize, kRecordSize);
        if (chunk.size() >= kWriteChunkRecords * kRecordSize) {
            if (!writer.Write(chunk)) return false;
            chunk.clear();
        }
    }
    return writer.Write(chunk);
}

void ReopenStore() {
    CloseListFiles();
    OpenWordListFile();
    CountRecords();
}

}  // namespace

int SortWordList(const SortProgress& progress) {
    // Keys are made through the table, so it must be the current list's before reading.
    LoadSortTable();
    std::string raw;
    if (!ReadWholeWordListFile(raw)) {
        ReopenStore();
        return -1;
    }
    std::string keys;
    std::vector<SortItem> items = CollectLiveEntries(raw, keys, progress);
    WordCount = static_cast<int>(items.size());
    SortItems(items, keys, progress);
    std::string().swap(keys);

    const std::wstring target = WordListPath(CurrentWordList());
    AtomicFileWriter writer(UiText(Ui::FilenameTempLanguage), target);
    const bool written = writer.Ok() && WriteSorted(writer, raw, items, progress);
    // The open word list file would keep the replace from happening.
    CloseListFiles();
    const bool replaced = written && writer.Commit();
    if (!replaced) writer.Abandon();
    ReopenStore();
    return replaced ? 0 : -1;
}
