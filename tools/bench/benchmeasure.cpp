#include "tools/bench/benchmeasure.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>

#include "store/collation.h"
#include "store/sort.h"
#include "text/locale.h"
#include "win/handles.h"

namespace bench {

// ---------------------------------------------------------------------------------
// Child process: sorts one list once to measure its memory, then `runs` times on the
// clock (from the same unsorted file each time), and writes
// "<median ms> <working set bytes> <private bytes> <entries after>" to sortresult.txt.
//
// The memory figures are the sort's highest level above the level just before it. The
// process peaks are not enough on their own: Wine reports the current private bytes as
// their peak, so the levels are also sampled at every progress call of the sort (every
// 1000 records read or written, every 2000 comparisons). That sampling costs time, which
// is why the measured runs are separate.

namespace {

// Milliseconds of one sort; while stamping, the phases hold the time of their first
// progress call (-1 before it).
struct SortPhases {
    double total = 0;
    double read = -1;   // the sort table and the file read whole
    double keys = -1;   // live records picked, their sort keys computed
    double order = -1;  // the ordering
    double write = 0;   // the write through the temporary file, the replace, the reopen
};

struct MemoryLevels {
    long long workingSet = 0;
    long long privateBytes = 0;
};

MemoryLevels SortMemory(const BenchLanguage& language) {
    MemoryLevels levels;
    if (!RestoreUnsorted(language) || !OpenStore(language)) return levels;
    const PROCESS_MEMORY_COUNTERS before = MemoryCounters();
    SIZE_T highestWorkingSet = before.WorkingSetSize;
    SIZE_T highestPrivate = before.PagefileUsage;
    const int result = SortWordList([&](SortPhase, long long) {
        const PROCESS_MEMORY_COUNTERS now = MemoryCounters();
        highestWorkingSet = std::max(highestWorkingSet, now.WorkingSetSize);
        highestPrivate = std::max(highestPrivate, now.PagefileUsage);
    });
    if (result != 0) return levels;
    const PROCESS_MEMORY_COUNTERS after = MemoryCounters();
    highestWorkingSet = std::max(highestWorkingSet, after.PeakWorkingSetSize);
    highestPrivate = std::max(highestPrivate, after.PeakPagefileUsage);
    levels.workingSet = static_cast<long long>(highestWorkingSet) - static_cast<long long>(before.WorkingSetSize);
    levels.privateBytes = static_cast<long long>(highestPrivate) - static_cast<long long>(before.PagefileUsage);
    return levels;
}

}  // namespace

int SortChild(const std::wstring& languageName, int runs) {
    const BenchLanguage* language = nullptr;
    for (const BenchLanguage& l : kLanguages)
        if (languageName == l.name) language = &l;
    if (!language || LoadCatalogue() != 0) return 1;
    const MemoryLevels memory = SortMemory(*language);
    if (memory.workingSet <= 0) return 1;
    std::vector<SortPhases> times;
    for (int run = 0; run < runs; ++run) {
        CloseListFiles();
        if (!RestoreUnsorted(*language) || !OpenStore(*language)) return 1;
        // Only the first progress call of each phase is stamped, so the clock costs nothing
        // worth mentioning.
        SortPhases phases;
        const double start = NowMs();
        const int result = SortWordList([&](SortPhase phase, long long) {
            double& stamp = phase == SortPhase::Reading ? phases.read
                            : phase == SortPhase::Sorting ? phases.keys
                                                          : phases.order;
            if (stamp < 0) stamp = NowMs() - start;
        });
        phases.total = NowMs() - start;
        if (result != 0 || phases.read < 0 || phases.keys < 0 || phases.order < 0) return 1;
        // From stamps to durations: the file read, the keys, the ordering, and the write
        // with the replace and the reopen.
        phases.write = phases.total - phases.order;
        phases.order -= phases.keys;
        phases.keys -= phases.read;
        times.push_back(phases);
    }
    CloseListFiles();
    std::sort(times.begin(), times.end(), [](const SortPhases& a, const SortPhases& b) { return a.total < b.total; });
    const SortPhases& median = times[times.size() / 2];
    char line[256];
    std::snprintf(line, sizeof line, "%.3f %lld %lld %d %.3f %.3f %.3f %.3f\n", median.total, memory.workingSet,
                  memory.privateBytes, WordCount, median.read, median.keys, median.order, median.write);
    return WriteWholeFile(L"sortresult.txt", line) ? 0 : 1;
}

SortFigures RunSortChild(const std::wstring& sourceDir, const BenchLanguage& language, int runs) {
    SortFigures figures;
    std::array<wchar_t, 1024> self{};
    GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size()));
    std::wstring command = L"\"" + std::wstring(self.data()) + L"\" --sort-child " + language.name + L" " +
                           std::to_wstring(runs) + L" --source \"" + sourceDir + L"\"";
    DeleteFileW(L"sortresult.txt");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info))
        return figures;
    UniqueKernelHandle process(info.hProcess);
    UniqueKernelHandle thread(info.hThread);
    WaitForSingleObject(process.Get(), INFINITE);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.Get(), &exitCode);
    std::string text;
    if (exitCode != 0 || !ReadFileBytes(L"sortresult.txt", text)) return figures;
    long long workingSet = 0;
    long long privateBytes = 0;
    if (std::sscanf(text.c_str(), "%lf %lld %lld %d %lf %lf %lf %lf", &figures.ms, &workingSet, &privateBytes,
                    &figures.entries, &figures.readMs, &figures.keysMs, &figures.orderMs, &figures.writeMs) != 8)
        return figures;
    figures.workingSetMb = static_cast<double>(workingSet) / kMegabyte;
    figures.privateMb = static_cast<double>(privateBytes) / kMegabyte;
    figures.ok = true;
    return figures;
}

// ---------------------------------------------------------------------------------
// Generating a list file, keeping a sample of its live words for look-ups.

GeneratedList GenerateList(std::size_t languageIndex, int size) {
    const BenchLanguage& language = kLanguages[languageIndex];
    WordGenerator generator(language, SeedFor(languageIndex, size, 1));
    return WriteGeneratedList(UnsortedCopyPath(language), generator, size, language.codePage, 1252,
                              SeedFor(languageIndex, size, 2), kLookups / 2);
}

// ---------------------------------------------------------------------------------
// Look-ups and counting on the sorted list.

LookupFigures MeasureLookups(std::size_t languageIndex, int size, const std::vector<std::wstring>& present) {
    const BenchLanguage& language = kLanguages[languageIndex];
    // Words of the same make that mostly are not in the list.
    WordGenerator other(language, SeedFor(languageIndex, size, 3));
    std::vector<std::pair<std::wstring, bool>> queries;
    for (const std::wstring& w : present) queries.emplace_back(w, true);
    while (queries.size() < static_cast<std::size_t>(kLookups)) queries.emplace_back(other.FirstWord(), false);
    std::shuffle(queries.begin(), queries.end(), std::mt19937(SeedFor(languageIndex, size, 4)));

    LookupFigures figures;
    std::vector<int> positions(queries.size());
    const double start = NowMs();
    for (std::size_t i = 0; i < queries.size(); ++i) positions[i] = FindWordPosition(queries[i].first);
    figures.msPerLookup = (NowMs() - start) / static_cast<double>(queries.size());

    // Checked apart from the timing: a word at the returned position must be equal.
    for (std::size_t i = 0; i < queries.size(); ++i) {
        const bool hit = positions[i] < WordCount && ReadWordRecord(positions[i]) == 0 &&
                         CompareFirstWords(CurrentEntry.first, queries[i].first) == 0;
        figures.found += hit ? 1 : 0;
        if (queries[i].second) {
            ++figures.presentAsked;
            figures.presentFound += hit ? 1 : 0;
        }
    }

    // The two halves of one step of the search, measured alone.
    std::mt19937 pick(SeedFor(languageIndex, size, 5));
    const double readStart = NowMs();
    for (std::size_t i = 0; i < queries.size(); ++i) ReadWordRecord(static_cast<int>(pick() % static_cast<unsigned>(WordCount)));
    figures.readUs = (NowMs() - readStart) * 1000.0 / static_cast<double>(queries.size());
    std::string key;
    const double keyStart = NowMs();
    for (const auto& query : queries) {
        key.clear();
        AppendFirstWordKey(CurrentWordList(), query.first, key);
    }
    figures.keyUs = (NowMs() - keyStart) * 1000.0 / static_cast<double>(queries.size());

    constexpr int kCounts = 2000;
    const double countStart = NowMs();
    for (int i = 0; i < kCounts; ++i) CountRecords();
    figures.countUs = (NowMs() - countStart) * 1000.0 / kCounts;
    return figures;
}

// ---------------------------------------------------------------------------------
// The yardstick: the entries as wide text in memory, ordered by qsort with the locale
// asked for every pair.

namespace {

struct WideSortEntry {
    wchar_t first[kFirstWordField];
    wchar_t second[kSecondWordField];
    std::uint16_t deleted;
};

long long g_referenceComparisons = 0;

int CompareByLocale(const void* a, const void* b) {
    ++g_referenceComparisons;
    const WideSortEntry* x = *static_cast<WideSortEntry* const*>(a);
    const WideSortEntry* y = *static_cast<WideSortEntry* const*>(b);
    return CollateIgnoreCase(x->first, y->first);
}

void CopyWide(wchar_t* field, std::size_t size, const std::wstring& text) {
    const std::size_t n = std::min(text.size(), size - 1);
    std::copy_n(text.data(), n, field);
    field[n] = 0;
}

}  // namespace

ReferenceFigures MeasureReference(std::size_t languageIndex, int size) {
    const BenchLanguage& language = kLanguages[languageIndex];
    WordGenerator generator(language, SeedFor(languageIndex, size, 1));
    std::vector<WideSortEntry> entries;
    entries.reserve(static_cast<std::size_t>(size));
    for (int i = 0; i < size; ++i) {
        const WordEntry e = generator.Next();
        if (e.deleted) continue;
        WideSortEntry& s = entries.emplace_back();
        CopyWide(s.first, kFirstWordField, e.first);
        CopyWide(s.second, kSecondWordField, e.second);
        s.deleted = 0;
    }
    std::vector<WideSortEntry*> order;
    order.reserve(entries.size());
    for (WideSortEntry& e : entries) order.push_back(&e);

    ReferenceFigures figures;
    g_referenceComparisons = 0;
    const double start = NowMs();
    std::qsort(order.data(), order.size(), sizeof order[0], CompareByLocale);
    figures.ms = NowMs() - start;
    figures.comparisons = g_referenceComparisons;
    figures.entries = static_cast<int>(order.size());
    figures.measured = true;
    return figures;
}

}  // namespace bench
