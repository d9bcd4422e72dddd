// Sorting a whole word list file by first word, dropping entries marked deleted.
#pragma once

#include <windows.h>

#include <functional>

enum class SortPhase { Reading, Sorting, Writing };

// Called with the phase and the record index (Reading, Writing: every 1000 records)
// or the comparison count (Sorting: every 2000 comparisons).
using SortProgress = std::function<void(SortPhase phase, long long count)>;

// Sorts the current word list file through a temporary file that replaces it in one
// step. The store files are open again afterwards whatever happened; -1 when the
// list could not be read, sorted or replaced (the old file then stays as it was).
int SortWordList(const SortProgress& progress = {});
