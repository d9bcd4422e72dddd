// lingorix_bench: measures the word list store on generated lists of 10 000, 100 000
// and 1 000 000 entries: the whole sort (read, order, write, reopen) through a locale
// and through a sort table, the binary search, the record count, the peak memory of a
// sort, and as a yardstick a plain qsort of the same words that asks the locale for
// every pair.
//
//   lingorix_bench [--source <dir>] [--quick] [--sizes <n,n,...>] [--runs <n>]
//
//   --source  the project folder holding data\strings\english.txt and
//             data\runtime\tables\Greek.stb (default: the current directory; a path
//             beginning with "/" is taken as a Unix path and reached through Z:)
//   --quick   skips the 1 000 000 entry yardstick (about ten seconds); its time is then
//             estimated from the 100 000 one
//   --sizes   other list sizes, e.g. --sizes 10000,50000
//   --runs    sorts per list and size (default 5, 3 and 1 by size); the median counts
//
// Each sort runs in a child process of this program (started with --sort-child), so
// that its peak memory is its own and not that of the list generator or an earlier,
// larger sort. Exit code: 0 when everything ran (goals missed or not), 1 on a failure.
#include <windows.h>

#ifndef PSAPI_VERSION
#define PSAPI_VERSION 2
#endif
#include <psapi.h>

#include <algorithm>
#include <array>
#include <cstdarg>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "app/handles.h"
#include "app/messages.h"
#include "store/catalogue.h"
#include "store/collation.h"
#include "store/folders.h"
#include "store/records.h"
#include "store/sort.h"
#include "text/codepage.h"
#include "text/locale.h"
#include "text/stringsource.h"
#include "text/uistrings.h"

namespace {

// ---------------------------------------------------------------------------------
// The languages of the generated lists.

struct BenchLanguage {
    const wchar_t* name;        // first language name, also the catalogue's
    const char* catalogueLine;  // name,locale,character set
    UINT codePage;
    bool sortTable;  // ordered through tables\<name>.stb instead of the locale
    const wchar_t* consonants;
    const wchar_t* vowels;
    const wchar_t* accented;  // vowels with marks, and letters that are rarer
};

constexpr std::array<BenchLanguage, 3> kLanguages{{
    {L"French", "French,french,0", 1252, false, L"bcdfghjlmnprstvbcdlmnprst", L"aeiouaeiou",
     L"\u00e9\u00e8\u00ea\u00e0\u00e2\u00ee\u00f4\u00fb\u00e7\u00eb\u00ef\u00f9\u00e9"},
    {L"Russian", "Russian,russian,204", 1251, false,
     L"\u0431\u0432\u0433\u0434\u0436\u0437\u043a\u043b\u043c\u043d\u043f\u0440\u0441\u0442\u0444\u0445\u0446"
     L"\u0447\u0448\u0449",
     L"\u0430\u0435\u0438\u043e\u0443\u044b\u044d\u044e\u044f",
     L"\u0451\u0439\u044c\u044a"},
    {L"Greek", "Greek,greek,161", 1253, true,
     L"\u03b2\u03b3\u03b4\u03b6\u03b8\u03ba\u03bb\u03bc\u03bd\u03be\u03c0\u03c1\u03c3\u03c4\u03c6\u03c7\u03c8",
     L"\u03b1\u03b5\u03b7\u03b9\u03bf\u03c5\u03c9",
     L"\u03ac\u03ad\u03ae\u03af\u03cc\u03cd\u03ce\u03ca\u03cb"},
}};

constexpr wchar_t kEnglishConsonants[] = L"bcdfghklmnprstvwbcdlmnrst";
constexpr wchar_t kEnglishVowels[] = L"aeiouaeioy";

// ---------------------------------------------------------------------------------
// Word generator: pronounceable words of 3-14 letters, alternating consonants and
// vowels with the odd cluster, accents and capital.

class WordGenerator {
public:
    WordGenerator(const BenchLanguage& language, std::uint32_t seed) : language_(language), rng_(seed) {}

    WordEntry Next() {
        WordEntry entry;
        entry.first = FirstWord();
        entry.second = Translations();
        entry.deleted = Chance(2, 100) ? 1 : 0;
        return entry;
    }

    std::wstring FirstWord() {
        std::wstring word = Word(language_.consonants, language_.vowels, language_.accented);
        // Some entries are two words ("pomme de terre", "arc-en-ciel"), at most 30 letters.
        if (Chance(4, 100)) {
            const std::wstring more = Word(language_.consonants, language_.vowels, language_.accented);
            if (word.size() + 1 + more.size() <= kFirstWordMaxBytes) word += (Chance(1, 2) ? L" " : L"-") + more;
        }
        if (Chance(3, 100)) {
            wchar_t first[2] = {word[0], 0};
            CharUpperW(first);
            word[0] = first[0];
        }
        // Greek writes a final sigma at the end of a word.
        if (language_.codePage == 1253 && word.back() == L'\u03c3') word.back() = L'\u03c2';
        return word;
    }

private:
    bool Chance(unsigned in, unsigned of) { return Uniform(of) < in; }
    unsigned Uniform(unsigned n) { return static_cast<unsigned>(rng_() % n); }
    wchar_t Pick(const wchar_t* letters) { return letters[Uniform(static_cast<unsigned>(std::wcslen(letters)))]; }

    std::wstring Word(const wchar_t* consonants, const wchar_t* vowels, const wchar_t* accented) {
        // Mostly 5 to 9 letters, now and then as short as 3 or as long as 14.
        const std::size_t length = 3 + (Uniform(7) + Uniform(6));
        std::wstring word;
        bool vowel = Chance(1, 4);
        while (word.size() < length) {
            if (vowel) {
                word += (accented && Chance(1, 8)) ? Pick(accented) : Pick(vowels);
            } else {
                word += Pick(consonants);
                if (word.size() < length && Chance(1, 6)) word += Pick(consonants);
            }
            vowel = !vowel;
        }
        word.resize(length);
        return word;
    }

    // One to three English words, ", " between them, within the 50-byte field.
    std::wstring Translations() {
        const unsigned count = 1 + Uniform(3);
        std::wstring text;
        for (unsigned i = 0; i < count; ++i) {
            const std::wstring word = Word(kEnglishConsonants, kEnglishVowels, nullptr);
            const std::size_t added = (text.empty() ? 0 : 2) + word.size();
            if (text.size() + added > kSecondWordMaxBytes) break;
            if (!text.empty()) text += L", ";
            text += word;
        }
        return text;
    }

    const BenchLanguage& language_;
    std::mt19937 rng_;
};

std::uint32_t SeedFor(std::size_t languageIndex, int size, std::uint32_t salt) {
    return static_cast<std::uint32_t>(0x4c474258u ^ (languageIndex * 7919u) ^ (static_cast<std::uint32_t>(size) * 31u) ^
                                      (salt * 104729u));
}

// ---------------------------------------------------------------------------------
// Small helpers: output, clock, memory, files.

void Print(const char* format, ...) __attribute__((format(gnu_printf, 1, 2)));
void Print(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vfprintf(stdout, format, args);
    va_end(args);
    std::fflush(stdout);
}

std::string Narrow(std::wstring_view text) { return ToNarrow(text, CP_UTF8); }

double NowMs() {
    static const double ticksPerMs = [] {
        LARGE_INTEGER f{};
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER t{};
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / ticksPerMs;
}

PROCESS_MEMORY_COUNTERS MemoryCounters() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters;
}

constexpr double kMegabyte = 1024.0 * 1024.0;

std::wstring CurrentDirectory() {
    std::array<wchar_t, MAX_PATH> buffer{};
    GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
    return buffer.data();
}

bool WriteWholeFile(const std::wstring& path, std::string_view bytes) {
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

// A Unix path becomes the Wine drive Z: path; anything else is made absolute.
std::wstring ResolveSourceDirectory(std::wstring dir) {
    if (dir.empty()) dir = CurrentDirectory();
    if (dir[0] == L'/') dir = L"Z:" + dir;
    for (wchar_t& c : dir)
        if (c == L'/') c = L'\\';
    std::array<wchar_t, 1024> full{};
    const DWORD n = GetFullPathNameW(dir.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (n > 0 && n < full.size()) dir = full.data();
    while (dir.size() > 3 && dir.back() == L'\\') dir.pop_back();
    return dir;
}

// ---------------------------------------------------------------------------------
// The store set up the way the program sets it up.

bool InstallStrings(const std::wstring& sourceDir) {
    std::string text;
    const std::wstring path = sourceDir + L"\\data\\strings\\english.txt";
    if (!ReadFileBytes(path, text)) {
        std::fprintf(stderr, "cannot read %s (use --source <project folder>)\n", Narrow(path).c_str());
        return false;
    }
    const StringSource source = ParseStringSource(text);
    if (!source.Ok()) {
        std::fprintf(stderr, "english.txt line %d: %s\n", source.errorLine, source.error.c_str());
        return false;
    }
    const UiLoadResult result = InstallUiStrings(EntriesToPlain(source.entries));
    if (!result.Ok()) std::fprintf(stderr, "english.txt lacks the key %s\n", result.missingKey.c_str());
    return result.Ok();
}

// A message box would stop an unattended run; the text goes to standard error instead.
void RouteMessagesToStderr() {
    SetMessageHook([](HWND, const wchar_t* text, const wchar_t* caption, UINT) {
        std::fprintf(stderr, "message \"%s\": %s\n", Narrow(caption).c_str(), Narrow(text).c_str());
        return IDOK;
    });
}

WordListDescriptor* DescriptorOf(const BenchLanguage& language) {
    for (const auto& d : Catalogue())
        if (d->firstName == language.name) return d.get();
    return nullptr;
}

// Makes the language's word list current and opens it, as a switch of lists does.
bool OpenStore(const BenchLanguage& language) {
    WordListDescriptor* d = DescriptorOf(language);
    if (!d) return false;
    CloseListFiles();
    SetCurrentWordList(*d);
    if (!SetCollationLocale(d->locale)) std::fprintf(stderr, "locale %s not accepted\n", Narrow(d->locale).c_str());
    LoadSortTable();
    if (TryOpenWordListFile() != 0) return false;
    CountRecords();
    return true;
}

std::wstring UnsortedCopyPath(const BenchLanguage& language) {
    return std::wstring(L"unsorted\\") + language.name + L".tvk";
}

std::wstring ListPath(const BenchLanguage& language) {
    WordListDescriptor* d = DescriptorOf(language);
    return d ? WordListPath(*d) : std::wstring();
}

bool RestoreUnsorted(const BenchLanguage& language) {
    return CopyFileW(UnsortedCopyPath(language).c_str(), ListPath(language).c_str(), FALSE) != FALSE;
}

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

constexpr int kLookups = 10000;
constexpr std::size_t kWriteChunk = 4096;

struct GeneratedList {
    bool ok = false;
    int records = 0;
    int live = 0;
    std::vector<std::wstring> present;  // a uniform sample of live first words
};

GeneratedList GenerateList(std::size_t languageIndex, int size) {
    const BenchLanguage& language = kLanguages[languageIndex];
    GeneratedList list;
    UniqueFile file(CreateFileW(UnsortedCopyPath(language).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return list;
    WordGenerator generator(language, SeedFor(languageIndex, size, 1));
    std::mt19937 sampler(SeedFor(languageIndex, size, 2));
    const std::size_t wanted = kLookups / 2;
    std::string chunk;
    chunk.reserve(kWriteChunk * kRecordSize);
    DWORD written = 0;
    for (int i = 0; i < size; ++i) {
        const WordEntry entry = generator.Next();
        const WordRecord record = EncodeRecord(entry, language.codePage, 1252);
        chunk.append(reinterpret_cast<const char*>(record.bytes), kRecordSize);
        if (entry.deleted == 0) {
            // Reservoir sampling keeps every live word equally likely to be looked up.
            ++list.live;
            if (list.present.size() < wanted)
                list.present.push_back(entry.first);
            else if (const std::size_t j = sampler() % static_cast<unsigned>(list.live); j < wanted)
                list.present[j] = entry.first;
        }
        if (chunk.size() >= kWriteChunk * kRecordSize || i + 1 == size) {
            if (!WriteFile(file.Get(), chunk.data(), static_cast<DWORD>(chunk.size()), &written, nullptr) ||
                written != chunk.size())
                return list;
            chunk.clear();
        }
    }
    list.records = size;
    list.ok = true;
    return list;
}

// ---------------------------------------------------------------------------------
// Look-ups and counting on the sorted list.

struct LookupFigures {
    double msPerLookup = 0;
    int found = 0;
    int presentFound = 0;
    int presentAsked = 0;
    double countUs = 0;
    double readUs = 0;  // one ReadWordRecord at a random index
    double keyUs = 0;   // one comparison key of a first word
};

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

struct ReferenceFigures {
    bool measured = false;
    double ms = 0;
    long long comparisons = 0;
    int entries = 0;
};

void CopyWide(wchar_t* field, std::size_t size, const std::wstring& text) {
    const std::size_t n = std::min(text.size(), size - 1);
    std::copy_n(text.data(), n, field);
    field[n] = 0;
}

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

// ---------------------------------------------------------------------------------
// The run.

struct Options {
    std::wstring source;
    bool quick = false;
    int runs = 0;  // 0: by size
    std::vector<int> sizes{10000, 100000, 1000000};
};

struct ListRow {
    int size = 0;
    std::size_t language = 0;
    SortFigures sort;
    LookupFigures lookup;
    int live = 0;
    double fileMb = 0;
};

constexpr double kGoalSortMs = 1500.0;
constexpr double kGoalSpeedup = 4.0;
constexpr double kGoalLookupMs = 0.1;
constexpr double kGoalMemoryRatio = 3.0;
constexpr std::size_t kReferenceLanguage = 0;  // French, ordered by its locale

const char* Verdict(bool pass) { return pass ? "PASS" : "MISS"; }

bool SetUpFolder(const std::wstring& sourceDir) {
    std::string ini = "# Generated word lists\r\n[Languages]\r\n";
    for (const BenchLanguage& l : kLanguages) ini += std::string(l.catalogueLine) + "\r\n";
    ini += "\r\n[Selected]\r\nFre_Eng.tvk\r\n";
    CreateDirectoryW(L"wordlists", nullptr);
    CreateDirectoryW(L"unsorted", nullptr);
    CreateDirectoryW(L"tables", nullptr);
    if (!WriteWholeFile(UiText(Ui::FilenameIni), ini)) return false;
    for (const BenchLanguage& l : kLanguages) {
        if (!l.sortTable) continue;
        const std::wstring from = sourceDir + L"\\data\\runtime\\tables\\" + l.name + L".stb";
        if (!CopyFileW(from.c_str(), SortTablePath(l.name).c_str(), FALSE)) {
            std::fprintf(stderr, "cannot copy %s\n", Narrow(from).c_str());
            return false;
        }
    }
    if (LoadCatalogue() != 0 || ReadSelection() != 0) return false;
    for (const BenchLanguage& l : kLanguages) {
        const WordListDescriptor* d = DescriptorOf(l);
        if (!d || (d->hasSortTable != 0) != l.sortTable) {
            std::fprintf(stderr, "the catalogue does not describe %s as expected\n", Narrow(l.name).c_str());
            return false;
        }
    }
    return true;
}

int RunsFor(const Options& options, int size) {
    if (options.runs > 0) return options.runs;
    return size <= 10000 ? 5 : (size <= 100000 ? 3 : 1);
}

bool MeasureSize(const Options& options, int size, std::vector<ListRow>& rows, std::vector<ReferenceFigures>& refs) {
    for (std::size_t li = 0; li < kLanguages.size(); ++li) {
        const BenchLanguage& language = kLanguages[li];
        CloseListFiles();
        const GeneratedList list = GenerateList(li, size);
        if (!list.ok) {
            std::fprintf(stderr, "cannot write the %s list\n", Narrow(language.name).c_str());
            return false;
        }
        ListRow row;
        row.size = size;
        row.language = li;
        row.live = list.live;
        row.fileMb = static_cast<double>(size) * kRecordSize / kMegabyte;
        row.sort = RunSortChild(options.source, language, RunsFor(options, size));
        if (!row.sort.ok || row.sort.entries != list.live) {
            std::fprintf(stderr, "the %s sort failed (entries %d, expected %d)\n", Narrow(language.name).c_str(),
                         row.sort.entries, list.live);
            return false;
        }
        if (!OpenStore(language)) return false;
        row.lookup = MeasureLookups(li, size, list.present);
        CloseListFiles();
        DeleteFileW(UnsortedCopyPath(language).c_str());
        DeleteFileW(ListPath(language).c_str());
        rows.push_back(std::move(row));
        const ListRow& r = rows.back();
        Print("%9d  %-8s %-6s %8.1f %8d %10.1f %9.1f (%4.2fx) %9.1f (%4.2fx) %10.4f %6d/%-6d %8.2f\n", size,
              Narrow(language.name).c_str(), language.sortTable ? "table" : "locale", r.fileMb, r.live, r.sort.ms,
              r.sort.workingSetMb, r.sort.workingSetMb / r.fileMb, r.sort.privateMb, r.sort.privateMb / r.fileMb,
              r.lookup.msPerLookup, r.lookup.found, kLookups, r.lookup.countUs);
        if (r.lookup.presentFound != r.lookup.presentAsked)
            Print("           !! only %d of %d words known to be in the list were found\n", r.lookup.presentFound,
                  r.lookup.presentAsked);
    }
    ReferenceFigures ref;
    if (!(options.quick && size >= 1000000)) {
        SetCollationLocale(DescriptorOf(kLanguages[kReferenceLanguage])->locale);
        ref = MeasureReference(kReferenceLanguage, size);
    }
    ref.entries = ref.measured ? ref.entries : 0;
    refs.push_back(ref);
    return true;
}

void PrintReference(const Options& options, const std::vector<ListRow>& rows,
                    const std::vector<ReferenceFigures>& refs) {
    Print("\nYardstick: qsort of the %s entries as wide text, the locale asked for every pair\n",
          Narrow(kLanguages[kReferenceLanguage].name).c_str());
    Print("%9s  %9s %12s %14s %22s\n", "records", "entries", "qsort ms", "comparisons", "sort end to end faster");
    for (std::size_t i = 0; i < options.sizes.size(); ++i) {
        const ReferenceFigures& ref = refs[i];
        if (!ref.measured) {
            Print("%9d  %9s %12s %14s %22s\n", options.sizes[i], "-", "skipped", "-", "-");
            continue;
        }
        double ours = 0;
        for (const ListRow& r : rows)
            if (r.size == options.sizes[i] && r.language == kReferenceLanguage) ours = r.sort.ms;
        Print("%9d  %9d %12.1f %14lld %21.1fx\n", options.sizes[i], ref.entries, ref.ms, ref.comparisons, ref.ms / ours);
    }
}

// Steps of a binary search over n records: at most floor(log2 n) + 1.
int SearchSteps(int n) {
    int steps = 0;
    for (; n > 0; n /= 2) ++steps;
    return steps;
}

void PrintBreakdown(const std::vector<ListRow>& rows) {
    Print("\nWhere the time goes: sort phases in ms (median run); one search step = read a record + make its key\n");
    Print("%9s  %-8s %-6s %9s %9s %9s %9s | %10s %10s %6s\n", "records", "list", "order", "read", "keys", "ordering",
          "write*", "read us", "key us", "steps");
    for (const ListRow& r : rows)
        Print("%9d  %-8s %-6s %9.1f %9.1f %9.1f %9.1f | %10.2f %10.2f %6d\n", r.size,
              Narrow(kLanguages[r.language].name).c_str(), kLanguages[r.language].sortTable ? "table" : "locale",
              r.sort.readMs, r.sort.keysMs, r.sort.orderMs, r.sort.writeMs, r.lookup.readUs, r.lookup.keyUs,
              SearchSteps(r.live));
    Print("  read = sort table and whole file read; keys = live records picked and their keys made;\n"
          "  write* = write of the temporary file, flush, replace, reopen and count\n");
}

void PrintGoals(const Options& options, const std::vector<ListRow>& rows, const std::vector<ReferenceFigures>& refs) {
    const int largest = options.sizes.back();
    Print("\nGoals (at %d records)\n", largest);
    // The yardstick at the largest size; with --quick it is scaled from the next size as n log n.
    double refMs = refs.back().ms;
    bool estimated = false;
    if (!refs.back().measured) {
        for (std::size_t i = refs.size(); i-- > 0;) {
            if (!refs[i].measured) continue;
            const double n0 = options.sizes[i];
            const double n1 = largest;
            refMs = refs[i].ms * (n1 * std::log(n1)) / (n0 * std::log(n0));
            estimated = true;
            break;
        }
    }
    for (const ListRow& r : rows) {
        if (r.size != largest) continue;
        const std::string name = Narrow(kLanguages[r.language].name);
        const char* order = kLanguages[r.language].sortTable ? "table" : "locale";
        Print("  sort end to end < %.0f ms        %-8s %-6s %9.1f ms        %s\n", kGoalSortMs, name.c_str(), order,
              r.sort.ms, Verdict(r.sort.ms < kGoalSortMs));
    }
    for (const ListRow& r : rows) {
        if (r.size != largest || r.language != kReferenceLanguage) continue;
        if (refMs > 0) {
            const double speedup = refMs / r.sort.ms;
            Print("  >= %.0fx faster than the yardstick %-8s %-6s %9.1fx%s  %s\n", kGoalSpeedup,
                  Narrow(kLanguages[r.language].name).c_str(), "locale", speedup,
                  estimated ? " (yardstick estimated)" : "", Verdict(speedup >= kGoalSpeedup));
        } else {
            Print("  >= %.0fx faster than the yardstick not measured (--quick without a smaller size)\n",
                  kGoalSpeedup);
        }
    }
    for (const ListRow& r : rows) {
        if (r.size != largest) continue;
        Print("  look-up < %.1f ms                %-8s %-6s %9.4f ms        %s\n", kGoalLookupMs,
              Narrow(kLanguages[r.language].name).c_str(), kLanguages[r.language].sortTable ? "table" : "locale",
              r.lookup.msPerLookup, Verdict(r.lookup.msPerLookup < kGoalLookupMs));
    }
    for (const ListRow& r : rows) {
        if (r.size != largest) continue;
        // The larger of the two measures counts: private bytes miss what is mapped,
        // the working set misses what was paged out.
        const double ratio = std::max(r.sort.workingSetMb, r.sort.privateMb) / r.fileMb;
        Print("  sort peak memory < %.0fx file       %-8s %-6s %9.2fx         %s\n", kGoalMemoryRatio,
              Narrow(kLanguages[r.language].name).c_str(), kLanguages[r.language].sortTable ? "table" : "locale",
              ratio, Verdict(ratio < kGoalMemoryRatio));
    }
}

bool ParseSizes(const std::wstring& text, std::vector<int>& sizes) {
    sizes.clear();
    std::size_t pos = 0;
    while (pos <= text.size()) {
        const std::size_t comma = std::min(text.find(L',', pos), text.size());
        const int n = std::wcstol(text.substr(pos, comma - pos).c_str(), nullptr, 10);
        if (n <= 0 || n > 5000000) return false;
        sizes.push_back(n);
        pos = comma + 1;
    }
    std::sort(sizes.begin(), sizes.end());
    return !sizes.empty();
}

int Usage() {
    std::fprintf(stderr,
                 "usage: lingorix_bench [--source <project folder>] [--quick] [--sizes n,n,...] [--runs n]\n");
    return 2;
}

int RunBench(const Options& options) {
    std::array<wchar_t, MAX_PATH> base{};
    GetTempPathW(static_cast<DWORD>(base.size()), base.data());
    const std::wstring work = std::wstring(base.data()) + L"lgxbench" + std::to_wstring(GetCurrentProcessId());
    const std::wstring previous = CurrentDirectory();
    if (!CreateDirectoryW(work.c_str(), nullptr) || !SetCurrentDirectoryW(work.c_str())) {
        std::fprintf(stderr, "cannot create %s\n", Narrow(work).c_str());
        return 1;
    }
    bool ok = SetUpFolder(options.source);
    std::vector<ListRow> rows;
    std::vector<ReferenceFigures> refs;
    if (ok) {
        Print("Lingorix store benchmark: records of %zu bytes, about 2%% marked deleted, in random order\n",
              kRecordSize);
        Print("sort = read, order, write through a temporary file, reopen (median of the runs, own process);\n"
              "peak = the sort's peak above the level before it, working set and private bytes;\n"
              "look-up = FindWordPosition, %d words, half of them in the list; count = CountRecords\n\n",
              kLookups);
        Print("%9s  %-8s %-6s %8s %8s %10s %17s %17s %10s %13s %8s\n", "records", "list", "order", "file MB", "live",
              "sort ms", "peak WS MB", "peak priv MB", "look-up ms", "found", "count us");
        for (const int size : options.sizes) {
            if (!MeasureSize(options, size, rows, refs)) {
                ok = false;
                break;
            }
        }
    }
    CloseListFiles();
    if (ok) {
        PrintBreakdown(rows);
        PrintReference(options, rows, refs);
        PrintGoals(options, rows, refs);
    }
    SetCurrentDirectoryW(previous.c_str());
    RemoveFolderTree(work);
    return ok ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    Options options;
    std::wstring childLanguage;
    int childRuns = 0;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (arg == L"--source" && i + 1 < argc) {
            options.source = argv[++i];
        } else if (arg == L"--quick") {
            options.quick = true;
        } else if (arg == L"--runs" && i + 1 < argc) {
            options.runs = std::max(1, static_cast<int>(std::wcstol(argv[++i], nullptr, 10)));
        } else if (arg == L"--sizes" && i + 1 < argc) {
            if (!ParseSizes(argv[++i], options.sizes)) return Usage();
        } else if (arg == L"--sort-child" && i + 2 < argc) {
            childLanguage = argv[++i];
            childRuns = std::max(1, static_cast<int>(std::wcstol(argv[++i], nullptr, 10)));
        } else {
            return Usage();
        }
    }
    options.source = ResolveSourceDirectory(options.source);
    RouteMessagesToStderr();
    if (!InstallStrings(options.source)) return 1;
    if (!childLanguage.empty()) return SortChild(childLanguage, childRuns);
    return RunBench(options);
}
