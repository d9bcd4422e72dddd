// The entries a practice list holds, kept in memory while the maker is open: the word
// column marks the words that are there already on every key of its search field, which
// must not cost a pass over a practice list file of a hundred thousand entries.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "store/records.h"

class PracticeEntrySet {
public:
    // The live entries of a practice list file (those marked for removal are on their way
    // out and do not count). False, and nothing held, when the file cannot be read.
    bool Load(const std::wstring& path, UINT firstCodePage, UINT secondCodePage);
    void Clear() { keys_.clear(); }

    // An entry is its two words as the file stores them; the mark does not count.
    bool Holds(const WordEntry& entry) const;
    void Add(const WordEntry& entry);
    // One of them, when the list holds the entry more than once.
    void Remove(const WordEntry& entry);
    std::size_t Size() const { return keys_.size(); }

private:
    std::uint64_t KeyOf(const WordEntry& entry) const;
    std::uint64_t LoadedKey(const unsigned char* record, bool asStored) const;

    UINT firstCodePage_ = CP_ACP;
    UINT secondCodePage_ = CP_ACP;
    // 64-bit digests of the stored words, sorted, one per held entry: far less memory
    // than the words themselves, and the chance that two different entries of a list of
    // a million share a digest is below one in ten million.
    std::vector<std::uint64_t> keys_;
};

// The digest of a record's two words as stored (each up to its terminator).
std::uint64_t PracticeRecordKey(const unsigned char* record, UINT firstCodePage, UINT secondCodePage);
