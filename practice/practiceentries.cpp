#include "practice/practiceentries.h"

#include <algorithm>
#include <cstring>

#include "text/codepage.h"
#include "win/handles.h"

namespace {

// Records read at a time: the file is never held in memory whole.
constexpr std::size_t kChunkRecords = 8192;

constexpr std::uint64_t kFnvOffset = 0xcbf29ce484222325ULL;
constexpr std::uint64_t kFnvPrime = 0x100000001b3ULL;

std::uint64_t Mix(std::uint64_t hash, const unsigned char* bytes, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) hash = (hash ^ bytes[i]) * kFnvPrime;
    return hash;
}

// Spreads the bits of the byte-wise hash over the whole word.
std::uint64_t Finish(std::uint64_t h) {
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    h *= 0xc4ceb9fe1a85ec53ULL;
    h ^= h >> 33;
    return h;
}

bool Marked(const unsigned char* record) {
    return (record[kDeletedMarkOffset] | record[kDeletedMarkOffset + 1]) != 0;
}

}  // namespace

std::uint64_t PracticeRecordKey(const unsigned char* record, UINT firstCodePage, UINT secondCodePage) {
    const unsigned char* second = record + kFirstWordField;
    const std::size_t firstLength = FieldTextLength(record, kFirstWordField, kFirstWordMaxBytes, firstCodePage);
    const std::size_t secondLength = FieldTextLength(second, kSecondWordField, kSecondWordMaxBytes, secondCodePage);
    // The terminator between the words keeps "ab"+"c" apart from "a"+"bc".
    const unsigned char zero = 0;
    return Finish(Mix(Mix(Mix(kFnvOffset, record, firstLength), &zero, 1), second, secondLength));
}

bool PracticeEntrySet::Load(const std::wstring& path, UINT firstCodePage, UINT secondCodePage) {
    firstCodePage_ = firstCodePage;
    secondCodePage_ = secondCodePage;
    keys_.clear();
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return false;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file.Get(), &size) && size.QuadPart > 0)
        keys_.reserve(static_cast<std::size_t>(size.QuadPart / static_cast<LONGLONG>(kRecordSize)));
    // The words of a double-byte record may not come back as they were stored (a lead byte
    // without its trail, say: a raw copy from the word list keeps it), while Holds asks with
    // the words as read: such records are keyed as they read, single-byte ones as stored.
    const bool asStored = IsSingleByteCodePage(firstCodePage) && IsSingleByteCodePage(secondCodePage);
    std::vector<unsigned char> chunk(kChunkRecords * kRecordSize);
    std::size_t kept = 0;  // bytes of a record cut by the chunk's end
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), chunk.data() + kept, static_cast<DWORD>(chunk.size() - kept), &read, nullptr)) {
            keys_.clear();
            return false;
        }
        if (read == 0) break;  // a cut record at the file's end is no entry
        const std::size_t filled = kept + read;
        std::size_t at = 0;
        for (; at + kRecordSize <= filled; at += kRecordSize)
            if (!Marked(chunk.data() + at)) keys_.push_back(LoadedKey(chunk.data() + at, asStored));
        kept = filled - at;
        std::memmove(chunk.data(), chunk.data() + at, kept);
    }
    std::sort(keys_.begin(), keys_.end());
    return true;
}

std::uint64_t PracticeEntrySet::LoadedKey(const unsigned char* record, bool asStored) const {
    if (asStored) return PracticeRecordKey(record, firstCodePage_, secondCodePage_);
    WordRecord stored{};
    std::memcpy(stored.bytes, record, kRecordSize);
    return KeyOf(DecodeRecord(stored, firstCodePage_, secondCodePage_));
}

std::uint64_t PracticeEntrySet::KeyOf(const WordEntry& entry) const {
    const WordRecord record = EncodeRecord(entry, firstCodePage_, secondCodePage_);
    return PracticeRecordKey(record.bytes, firstCodePage_, secondCodePage_);
}

bool PracticeEntrySet::Holds(const WordEntry& entry) const {
    return std::binary_search(keys_.begin(), keys_.end(), KeyOf(entry));
}

void PracticeEntrySet::Add(const WordEntry& entry) {
    const std::uint64_t key = KeyOf(entry);
    keys_.insert(std::upper_bound(keys_.begin(), keys_.end(), key), key);
}

void PracticeEntrySet::Remove(const WordEntry& entry) {
    const std::uint64_t key = KeyOf(entry);
    const auto found = std::lower_bound(keys_.begin(), keys_.end(), key);
    if (found != keys_.end() && *found == key) keys_.erase(found);
}
