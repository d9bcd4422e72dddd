// UI strings files are stored scrambled, byte by byte, with a fixed key of 29
// non-zero bytes: stored = plain + K[i mod 29] (mod 256), i counted from the first
// byte of the file. The key restarts every 29 bytes; the file has no header.
// Every UI strings file ever shipped depends on the key, so it must never change.
#pragma once

#include <array>
#include <cstddef>
#include <string>

inline constexpr std::size_t kUiScrambleKeyLength = 29;

// The key, built from constants each time it is asked for, so it never stands in
// the program as one readable block.
std::array<unsigned char, kUiScrambleKeyLength> UiScrambleKey();

void ScrambleUiBytes(std::string& bytes);
void UnscrambleUiBytes(std::string& bytes);

// The same on a raw buffer, for callers that read the file into memory of their own.
void ScrambleUiBytes(char* data, std::size_t count);
void UnscrambleUiBytes(char* data, std::size_t count);
