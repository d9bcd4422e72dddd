// The fields of the review log's lines and of its snapshot: words with their escapes,
// whole and decimal numbers, a card's state; and the plain file reads both need.
#pragma once

#include <windows.h>

#include <array>
#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

#include "practice/fsrs.h"
#include "win/handles.h"

namespace reviewfile {

inline constexpr std::int64_t kEarliestTime = 946684800;  // 2000-01-01: no answer is older
inline constexpr std::int64_t kLatestTime = 32503680000;  // 3000-01-01

// A word as a field holds it: backslash, tab, line feed and carriage return escaped.
void AppendEscaped(std::string& out, std::string_view word);
// The card key of two word fields, built into `key`; false when a field holds no word
// (empty, too long, a broken escape, no clean UTF-8).
bool KeyOfFields(std::string_view first, std::string_view second, std::string& key);

// The whole field as a number, nothing before or after it.
template <typename T>
bool Number(std::string_view text, T& value) {
    if (text.empty()) return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}
bool Decimal(std::string_view text, double& value);
void AppendNumber(std::string& out, std::int64_t value);
void AppendDecimal(std::string& out, double value);  // four decimals

// Splits at tabs into exactly N fields; false for another number of them.
template <std::size_t N>
bool SplitFields(std::string_view line, std::array<std::string_view, N>& fields) {
    std::size_t at = 0;
    for (std::size_t i = 0; i < N; ++i) {
        const std::size_t tab = line.find('\t', at);
        const bool last = i + 1 == N;
        if (last != (tab == std::string_view::npos)) return false;
        fields[i] = line.substr(at, last ? std::string_view::npos : tab - at);
        at = tab + 1;
    }
    return true;
}

// A card's state in five fields: phase, step, stability, difficulty, due. False for
// values the scheduler never makes (a due before `time` among them).
bool ParseState(const std::string_view* fields, std::int64_t time, CardMemory& memory);
void AppendState(std::string& out, const CardMemory& memory);

std::uint64_t FileSize(HANDLE file);
bool SeekTo(HANDLE file, std::uint64_t offset);
bool ReadExactly(HANDLE file, char* data, std::size_t size);
// Shared with a writer that appends meanwhile.
UniqueFile OpenForReading(const std::wstring& path);

}  // namespace reviewfile
