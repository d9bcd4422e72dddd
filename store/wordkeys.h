// Words as the word lists store them, for work on many of them at once: their exact
// 8-bit forms, and keys (first words as stored, A-Z folded) kept in blocks and found
// through a table, with no allocation per word.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::uint32_t kAbsentKey = 0xFFFFFFFFu;

// The exact 8-bit forms of words in one code page. A single-byte code page goes through
// the table of its 256 characters: a character is stored exactly when one of them is it
// (a character the conversion would only approximate, "ā" as "a" say, is not). Other
// code pages go through the system's conversion and back.
class ExactCoder {
public:
    explicit ExactCoder(UINT codePage);
    // False when a character would not come back unchanged.
    bool Encode(std::wstring_view word, std::string& bytes) const;
    // Bytes of text the code page holds (read from a record, or checked by Encode).
    std::size_t Bytes(std::wstring_view text) const;

private:
    UINT codePage_;
    bool singleByte_ = false;
    std::vector<unsigned char> byteOf_;
};

// Texts in blocks that never move, so views of them stay valid while more are stored,
// with no allocation per text. A text longer than a block gets one of its own.
template <typename Char>
class BlockText {
public:
    std::basic_string_view<Char> Store(std::basic_string_view<Char> text) {
        if (text.empty()) return {};
        if (text.size() > kBlock) {
            // Apart from the blocks, whose current one keeps its room for the texts to come.
            oversized_.push_back(std::make_unique<Char[]>(text.size()));
            std::copy(text.begin(), text.end(), oversized_.back().get());
            return {oversized_.back().get(), text.size()};
        }
        if (blocks_.empty() || text.size() > kBlock - used_) {
            blocks_.push_back(std::make_unique<Char[]>(kBlock));
            used_ = 0;
        }
        Char* at = blocks_.back().get() + used_;
        std::copy(text.begin(), text.end(), at);
        used_ += text.size();
        return {at, text.size()};
    }

private:
    static constexpr std::size_t kBlock = 1 << 16;
    std::vector<std::unique_ptr<Char[]>> blocks_;
    std::vector<std::unique_ptr<Char[]>> oversized_;
    std::size_t used_ = 0;
};

// Keys in blocks that never move.
using KeyText = BlockText<char>;

// Entry numbers by key: open addressing on the key's hash, no allocation per key. The
// keys stay where they are (in a KeyText).
class KeyTable {
public:
    // The value of the key, inserted as kAbsentKey when it is new.
    std::uint32_t& At(std::string_view key, std::uint64_t hash);
    std::uint32_t* Find(std::string_view key, std::uint64_t hash);

private:
    struct Slot {
        std::uint64_t hash = 0;
        std::string_view key;
        std::uint32_t value = kAbsentKey;
        bool used = false;
    };
    Slot& Probe(std::string_view key, std::uint64_t hash);
    void Grow();
    std::vector<Slot> slots_;
    std::size_t count_ = 0;
};
