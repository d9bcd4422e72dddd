#include "text/scramble.h"

#include <cstdint>

namespace {

// Step and seed of a small linear congruential generator; each key byte is the
// generator's high byte, with zero replaced so that no position leaves a byte as it is.
constexpr std::uint32_t kKeyMultiplier = 1664525u;
constexpr std::uint32_t kKeyIncrement = 1013904223u;
constexpr std::uint32_t kKeySeed = 0x4C78A3D1u;
constexpr unsigned char kZeroReplacement = 0x5Bu;

void Apply(char* data, std::size_t count, bool scramble) {
    const auto key = UiScrambleKey();
    std::size_t k = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const auto plain = static_cast<unsigned char>(data[i]);
        const unsigned char out = scramble ? static_cast<unsigned char>(plain + key[k])
                                           : static_cast<unsigned char>(plain - key[k]);
        data[i] = static_cast<char>(out);
        if (++k == key.size()) k = 0;
    }
}

}  // namespace

std::array<unsigned char, kUiScrambleKeyLength> UiScrambleKey() {
    std::array<unsigned char, kUiScrambleKeyLength> key{};
    std::uint32_t state = kKeySeed;
    for (auto& byte : key) {
        state = state * kKeyMultiplier + kKeyIncrement;
        byte = static_cast<unsigned char>(state >> 24);
        if (byte == 0) byte = kZeroReplacement;
    }
    return key;
}

void ScrambleUiBytes(char* data, std::size_t count) { Apply(data, count, true); }
void UnscrambleUiBytes(char* data, std::size_t count) { Apply(data, count, false); }
void ScrambleUiBytes(std::string& bytes) { Apply(bytes.data(), bytes.size(), true); }
void UnscrambleUiBytes(std::string& bytes) { Apply(bytes.data(), bytes.size(), false); }
