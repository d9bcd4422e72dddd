#include "store/sortedlist.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <exception>
#include <string_view>
#include <thread>

#include "store/atomicfile.h"
#include "store/backups.h"
#include "store/catalogue.h"
#include "store/collation.h"
#include "text/codepage.h"
#include "win/handles.h"

namespace {

constexpr std::size_t kProgressStep = 20000;
constexpr std::size_t kWriteChunkRecords = 4096;

bool IsMarked(const unsigned char* record) { return (record[kDeletedMarkOffset] | record[kDeletedMarkOffset + 1]) != 0; }

struct SortItem {
    std::uint64_t prefixHigh;
    std::uint64_t prefixLow;
    std::uint32_t keyOffset;
    std::uint32_t keyLength;
    std::uint32_t source;  // a record of the image, or (from the image's count on) a record of the import
};

std::uint64_t BigEndian8(const char* key, std::size_t length, std::size_t from) {
    std::uint64_t value = 0;
    for (std::size_t i = from; i < from + 8; ++i)
        value = (value << 8) | (i < length ? static_cast<unsigned char>(key[i]) : 0u);
    return value;
}

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

// The key the store's sort orders a record by: its table's weights of the bytes as they
// stand, or the locale's key of the word as wide text.
void AppendRecordKey(const WordListDescriptor& d, bool weighBytes, const unsigned char* record, std::string& keys) {
    const std::size_t length = FieldTextLength(record, kFirstWordField, kFirstWordMaxBytes, d.firstCodePage);
    if (d.hasSortTable && weighBytes) {
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
                              : MultiByteToWideChar(d.firstCodePage, MultiByteFlags(d.firstCodePage),
                                                    reinterpret_cast<const char*>(record), static_cast<int>(length),
                                                    wide, static_cast<int>(kFirstWordField));
    AppendFirstWordKey(d, std::wstring_view(wide, static_cast<std::size_t>(n > 0 ? n : 0)), keys);
}

class SortedListWriter {
public:
    SortedListWriter(const WordListDescriptor& d, const ListImage& image, const std::vector<ImportEntry>& entries)
        : d_(d), image_(image) {
        replaced_.assign(image.Count(), -1);
        for (const ImportEntry& e : entries) {
            if (e.record >= 0 && !e.changed) continue;
            const auto index = static_cast<std::int32_t>(records_.size());
            records_.push_back(RecordOf(d, e.first, e.second));
            if (e.record >= 0)
                replaced_[static_cast<std::size_t>(e.record)] = index;
            else
                appended_.push_back(index);
        }
    }

    const unsigned char* Source(std::uint32_t source) const {
        return source < image_.Count() ? (replaced_[source] >= 0 ? records_[static_cast<std::size_t>(replaced_[source])].bytes
                                                                 : image_.Record(source))
                                       : records_[source - image_.Count()].bytes;
    }

    // Keys of records [from, to) of all sources (the image's, then the new ones).
    void MakeKeys(std::size_t from, std::size_t to, std::string& keys, std::vector<SortItem>& items,
                  const std::function<void(std::size_t)>& progress) const {
        const bool weighBytes = !d_.hasSortTable || BytesRoundTrip(d_.firstCodePage);
        keys.reserve((to - from) * (d_.hasSortTable ? 12 : 40));
        items.reserve(to - from);
        for (std::size_t i = from; i < to; ++i) {
            if (progress && (i - from) % kProgressStep == 0) progress(i - from);
            const auto source = static_cast<std::uint32_t>(i < image_.Count() ? i : image_.Count() + static_cast<std::size_t>(appended_[i - image_.Count()]));
            const unsigned char* record = Source(source);
            if (IsMarked(record)) continue;
            const std::size_t offset = keys.size();
            AppendRecordKey(d_, weighBytes, record, keys);
            const std::size_t length = keys.size() - offset;
            items.push_back({BigEndian8(keys.data() + offset, length, 0), BigEndian8(keys.data() + offset, length, 8),
                             static_cast<std::uint32_t>(offset), static_cast<std::uint32_t>(length), source});
        }
    }
    std::size_t SourceCount() const { return image_.Count() + appended_.size(); }

private:
    const WordListDescriptor& d_;
    const ListImage& image_;
    std::vector<WordRecord> records_;
    std::vector<std::int32_t> replaced_;
    std::vector<std::int32_t> appended_;
};

// Runs `other` on a second thread while the caller does `own`.
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

// The text in the field, cut at a character boundary of the code page when it would not
// fit, as EncodeRecord stores it.
void StoreField(std::wstring_view text, UINT codePage, unsigned char* field, std::size_t maxBytes) {
    if (text.empty()) return;
    char buffer[4 * kSecondWordField];
    const int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), buffer,
                                      static_cast<int>(sizeof buffer), nullptr, nullptr);
    if (n <= 0) {
        const std::string bytes = ToNarrowLimited(text, codePage, maxBytes);
        std::memcpy(field, bytes.data(), bytes.size());
        return;
    }
    const std::size_t length = CharacterBoundaryPrefix(buffer, static_cast<std::size_t>(n), maxBytes, codePage);
    std::memcpy(field, buffer, length);
}

}  // namespace

WordRecord RecordOf(const WordListDescriptor& d, std::wstring_view first, std::wstring_view second) {
    WordRecord record{};
    StoreField(first, d.firstCodePage, record.bytes, kFirstWordMaxBytes);
    StoreField(second, d.secondCodePage, record.bytes + kFirstWordField, kSecondWordMaxBytes);
    return record;
}

// The list written sorted into the writer; the contents' digest for the undo.
bool WriteSortedList(const WordListDescriptor& d, const ListImage& image, const std::vector<ImportEntry>& entries,
                     AtomicFileWriter& writer, ContentHash& hash, const ImportProgress& progress) {
    const SortedListWriter list(d, image, entries);
    const std::size_t count = list.SourceCount();
    const auto report = [&](ImportStep step, std::size_t done) {
        if (progress) progress(step, d, done, count);
    };
    std::string keys;
    std::vector<SortItem> items;
    const std::size_t middle = count / 2;
    std::string otherKeys;
    std::vector<SortItem> otherItems;
    InParallel([&] { list.MakeKeys(middle, count, otherKeys, otherItems, {}); },
               [&] { list.MakeKeys(0, middle, keys, items, [&](std::size_t done) { report(ImportStep::Sorting, done); }); });
    const auto shift = static_cast<std::uint32_t>(keys.size());
    keys += otherKeys;
    std::string().swap(otherKeys);
    items.reserve(items.size() + otherItems.size());
    for (SortItem item : otherItems) {
        item.keyOffset += shift;
        items.push_back(item);
    }
    std::vector<SortItem>().swap(otherItems);
    report(ImportStep::Sorting, middle);

    const auto order = [&keys](const SortItem& a, const SortItem& b) {
        if (a.prefixHigh != b.prefixHigh) return a.prefixHigh < b.prefixHigh;
        if (a.prefixLow != b.prefixLow) return a.prefixLow < b.prefixLow;
        return std::string_view(keys.data() + a.keyOffset, a.keyLength) <
               std::string_view(keys.data() + b.keyOffset, b.keyLength);
    };
    // Equal words keep their order, as the store's sort keeps them.
    const auto half = items.begin() + static_cast<std::ptrdiff_t>(items.size() / 2);
    InParallel([&] { std::stable_sort(half, items.end(), order); }, [&] { std::stable_sort(items.begin(), half, order); });
    std::inplace_merge(items.begin(), half, items.end(), order);
    std::string().swap(keys);

    std::vector<unsigned char> chunk(kWriteChunkRecords * kRecordSize);
    std::size_t filled = 0;
    const auto flush = [&] {
        hash.Add(chunk.data(), filled * kRecordSize);
        const bool ok = writer.Write(chunk.data(), filled * kRecordSize);
        filled = 0;
        return ok;
    };
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i % kProgressStep == 0) report(ImportStep::Writing, i);
        unsigned char* out = chunk.data() + filled * kRecordSize;
        std::memcpy(out, list.Source(items[i].source), kRecordSize);
        NormalizeLiveRecord(out, d.firstCodePage, d.secondCodePage);
        if (++filled == kWriteChunkRecords && !flush()) return false;
    }
    return flush();
}

