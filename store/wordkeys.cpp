#include "store/wordkeys.h"

#include <algorithm>
#include <cstring>

#include "text/codepage.h"

ExactCoder::ExactCoder(UINT codePage) : codePage_(codePage) {
    singleByte_ = IsSingleByteCodePage(codePage);
    if (!singleByte_) return;
    byteOf_.assign(0x10000, 0);
    for (int b = 1; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        wchar_t wide[2];
        if (MultiByteToWideChar(codePage, MultiByteFlags(codePage), &byte, 1, wide, 2) != 1) continue;
        if (byteOf_[wide[0]] == 0) byteOf_[wide[0]] = static_cast<unsigned char>(b);
    }
}

bool ExactCoder::Encode(std::wstring_view word, std::string& bytes) const {
    if (!singleByte_) {
        bytes = ToNarrow(word, codePage_);
        return ToWide(bytes, codePage_) == word;
    }
    bytes.resize(word.size());
    for (std::size_t i = 0; i < word.size(); ++i) {
        const unsigned char b = byteOf_[word[i]];
        if (b == 0) return false;
        bytes[i] = static_cast<char>(b);
    }
    return true;
}

std::size_t ExactCoder::Bytes(std::wstring_view text) const {
    return singleByte_ ? text.size() : ToNarrow(text, codePage_).size();
}

std::uint32_t& KeyTable::At(std::string_view key, std::uint64_t hash) {
    if ((count_ + 1) * 2 > slots_.size()) Grow();
    Slot& slot = Probe(key, hash);
    if (!slot.used) {
        slot = {hash, key, kAbsentKey, true};
        ++count_;
    }
    return slot.value;
}

std::uint32_t* KeyTable::Find(std::string_view key, std::uint64_t hash) {
    if (slots_.empty()) return nullptr;
    Slot& slot = Probe(key, hash);
    return slot.used ? &slot.value : nullptr;
}

KeyTable::Slot& KeyTable::Probe(std::string_view key, std::uint64_t hash) {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        Slot& slot = slots_[i];
        if (!slot.used || (slot.hash == hash && slot.key == key)) return slot;
    }
}

void KeyTable::Grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(std::max<std::size_t>(64, old.size() * 2), Slot{});
    for (const Slot& s : old)
        if (s.used) Probe(s.key, s.hash) = s;
}
