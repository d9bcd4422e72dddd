// The words of many cards, each kept once in one block of bytes and numbered in the
// order they came: a hundred thousand cards cost a few allocations instead of a few
// hundred thousand, which is most of the time a review takes to open.
#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

class CardKeyIndex {
public:
    static constexpr std::uint32_t kNone = 0xFFFFFFFF;

    // Room for `keys` keys of `bytes` bytes in all, made at once.
    void Reserve(std::size_t keys, std::size_t bytes);
    // The key's number, and whether it was added now.
    std::pair<std::uint32_t, bool> Add(std::string_view key);
    // The key's number, or kNone.
    std::uint32_t Find(std::string_view key) const;
    // Valid until the next Add (a move of the index keeps it valid).
    std::string_view Key(std::uint32_t number) const {
        return {bytes_.data() + starts_[number], starts_[number + 1] - starts_[number]};
    }
    std::size_t Size() const { return starts_.size() - 1; }

private:
    void Grow();
    std::uint32_t Slot(std::string_view key, std::size_t hash) const;

    std::vector<char> bytes_;                    // the keys, back to back
    std::vector<std::uint32_t> starts_{0};       // key n is bytes_[starts_[n], starts_[n + 1])
    std::vector<std::uint32_t> slots_;           // key number + 1 by hash; 0 is empty
};
