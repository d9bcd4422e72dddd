// The store benchmark's measurements: sorts in a child process, look-ups and counting on
// the sorted list, and the pairwise qsort yardstick.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "tools/bench/benchsetup.h"

namespace bench {

inline constexpr int kLookups = 10000;

struct SortFigures {
    bool ok = false;
    double ms = 0;
    double readMs = 0;
    double keysMs = 0;
    double orderMs = 0;
    double writeMs = 0;
    double workingSetMb = 0;
    double privateMb = 0;
    int entries = 0;
};

struct LookupFigures {
    double msPerLookup = 0;
    int found = 0;
    int presentFound = 0;
    int presentAsked = 0;
    double countUs = 0;
    double readUs = 0;  // one ReadWordRecord at a random index
    double keyUs = 0;   // one comparison key of a first word
};

struct ReferenceFigures {
    bool measured = false;
    double ms = 0;
    long long comparisons = 0;
    int entries = 0;
};

// Runs in the child process started by RunSortChild; returns its exit code.
int SortChild(const std::wstring& languageName, int runs);
SortFigures RunSortChild(const std::wstring& sourceDir, const BenchLanguage& language, int runs);
GeneratedList GenerateList(std::size_t languageIndex, int size);
LookupFigures MeasureLookups(std::size_t languageIndex, int size, const std::vector<std::wstring>& present);
ReferenceFigures MeasureReference(std::size_t languageIndex, int size);

}  // namespace bench
