#include "practice/cardkeys.h"

#include <algorithm>
#include <functional>

namespace {

std::size_t HashOf(std::string_view key) { return std::hash<std::string_view>{}(key); }

std::size_t SlotCountFor(std::size_t keys) {
    std::size_t slots = 16;
    while (slots < keys * 2) slots *= 2;  // at most half full
    return slots;
}

}  // namespace

void CardKeyIndex::Reserve(std::size_t keys, std::size_t bytes) {
    bytes_.reserve(bytes);
    starts_.reserve(keys + 1);
    if (SlotCountFor(keys) > slots_.size()) {
        slots_.assign(SlotCountFor(keys), 0);
        for (std::uint32_t n = 0; n < Size(); ++n) {
            const std::string_view key = Key(n);
            slots_[Slot(key, HashOf(key))] = n + 1;
        }
    }
}

void CardKeyIndex::Grow() { Reserve(std::max<std::size_t>(Size() * 2, 8), bytes_.size()); }

// The slot holding the key, or the empty slot where it would go.
std::uint32_t CardKeyIndex::Slot(std::string_view key, std::size_t hash) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const std::uint32_t held = slots_[at];
        if (held == 0 || Key(held - 1) == key) return static_cast<std::uint32_t>(at);
    }
}

std::pair<std::uint32_t, bool> CardKeyIndex::Add(std::string_view key) {
    if (slots_.size() < 2 * (Size() + 1)) Grow();
    const std::uint32_t at = Slot(key, HashOf(key));
    if (slots_[at] != 0) return {slots_[at] - 1, false};
    const std::uint32_t number = static_cast<std::uint32_t>(Size());
    bytes_.insert(bytes_.end(), key.begin(), key.end());
    starts_.push_back(static_cast<std::uint32_t>(bytes_.size()));
    slots_[at] = number + 1;
    return {number, true};
}

std::uint32_t CardKeyIndex::Find(std::string_view key) const {
    if (slots_.empty()) return kNone;
    const std::uint32_t held = slots_[Slot(key, HashOf(key))];
    return held == 0 ? kNone : held - 1;
}
