// Words as the word lists store them, for work on many of them at once: their exact
// 8-bit forms, and keys (first words as stored, A-Z folded) kept in blocks and found
// through a table, with no allocation per word.
#pragma once

#include <windows.h>

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

// Keys in blocks that never move.
class KeyText {
public:
    std::string_view Store(std::string_view key);

private:
    static constexpr std::size_t kBlock = 1 << 16;
    std::vector<std::unique_ptr<char[]>> blocks_;
    std::size_t used_ = kBlock;
};

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
