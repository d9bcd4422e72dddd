// Recorded pronunciations: one wave file per word in a folder per language, played
// from the Search window's rows.
#pragma once

#include <string>
#include <vector>

#include "store/soundfiles.h"

// The words a row's text stands for: a first word whole, a second word each of its
// comma-separated translations (empty ones skipped, blanks at both ends removed).
std::vector<std::wstring> SoundWords(const std::wstring& text, bool wholeText);
// Whether any of those words has a recording.
bool HasRecording(const std::wstring& text, const std::wstring& language, bool wholeText);
// Plays every word that has a recording, in order, each to its end.
void PlayRecordings(const std::wstring& text, const std::wstring& language, bool wholeText);
