// lingorix_bench: measures the word list store on generated lists of 10 000, 100 000
// and 1 000 000 entries: the whole sort (read, order, write, reopen) through a locale
// and through a sort table, the binary search, the record count, the peak memory of a
// sort, and as a yardstick a plain qsort of the same words that asks the locale for
// every pair. Then the Add window's part on lists of the largest size in both
// directions: storing a pair of three translations, and the sort of both lists when
// the window closes. Then the practice list maker's file work on a word list of the
// largest size: the update at closing, add-all and add-random. Last the import of a file of
// 100 000 rows into lists of the largest size, its preview, and the export.
//
//   lingorix_bench [--source <dir>] [--quick] [--sizes <n,n,...>] [--runs <n>] [--add-only]
//                  [--practice-only] [--import-only]
//
//   --source    the project folder holding data\strings\english.txt and
//               data\runtime\tables\Greek.stb (default: the current directory; a path
//               beginning with "/" is taken as a Unix path and reached through Z:)
//   --quick     skips the 1 000 000 entry yardstick (about ten seconds); its time is then
//               estimated from the 100 000 one
//   --sizes     other list sizes, e.g. --sizes 10000,50000
//   --runs      sorts per list and size (default 5, 3 and 1 by size), and Add window runs
//               (default 3); the median counts
//   --add-only  only the Add window's part
//   --practice-only  only the practice list maker's part
//   --import-only    only the import and the export
//
// Each sort runs in a child process of this program (started with --sort-child), so
// that its peak memory is its own and not that of the list generator or an earlier,
// larger sort. Exit code: 0 when everything ran (goals missed or not), 1 on a failure.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "store/catalogue.h"
#include "store/collation.h"
#include "store/folders.h"
#include "store/records.h"
#include "text/locale.h"
#include "text/uistrings.h"
#include "tools/bench/benchadd.h"
#include "tools/bench/benchimport.h"
#include "tools/bench/benchmeasure.h"
#include "tools/bench/benchpractice.h"
#include "tools/bench/benchsetup.h"

using namespace bench;

namespace {

// ---------------------------------------------------------------------------------
// The run.

struct Options {
    std::wstring source;
    bool quick = false;
    bool addOnly = false;
    bool practiceOnly = false;
    bool importOnly = false;
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
    std::fprintf(stderr, "usage: lingorix_bench [--source <project folder>] [--quick] [--sizes n,n,...] [--runs n] "
                         "[--add-only] [--practice-only] [--import-only]\n");
    return 2;
}

bool RunStoreBench(const Options& options) {
    Print("Lingorix store benchmark: records of %zu bytes, about 2%% marked deleted, in random order\n", kRecordSize);
    Print("sort = read, order, write through a temporary file, reopen (median of the runs, own process);\n"
          "peak = the sort's peak above the level before it, working set and private bytes;\n"
          "look-up = FindWordPosition, %d words, half of them in the list; count = CountRecords\n\n",
          kLookups);
    Print("%9s  %-8s %-6s %8s %8s %10s %17s %17s %10s %13s %8s\n", "records", "list", "order", "file MB", "live",
          "sort ms", "peak WS MB", "peak priv MB", "look-up ms", "found", "count us");
    std::vector<ListRow> rows;
    std::vector<ReferenceFigures> refs;
    bool ok = true;
    for (const int size : options.sizes) {
        if (!MeasureSize(options, size, rows, refs)) {
            ok = false;
            break;
        }
    }
    CloseListFiles();
    if (ok) {
        PrintBreakdown(rows);
        PrintReference(options, rows, refs);
        PrintGoals(options, rows, refs);
    }
    return ok;
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
    const bool only = options.addOnly || options.practiceOnly || options.importOnly;
    if (ok && !only) ok = RunStoreBench(options);
    if (ok && (!only || options.addOnly)) {
        AddBenchOptions add;
        add.size = options.sizes.back();
        if (options.runs > 0) add.runs = options.runs;
        ok = RunAddBench(add);
    }
    if (ok && (!only || options.practiceOnly)) {
        PracticeBenchOptions practice;
        practice.wordListSize = options.sizes.back();
        // A smaller word list gives the update a practice list of its own size.
        practice.practiceSize = std::min(practice.practiceSize, practice.wordListSize);
        practice.marked = std::min(practice.marked, practice.practiceSize / 2);
        if (options.runs > 0) practice.runs = options.runs;
        ok = RunPracticeBench(practice);
    }
    if (ok && (!only || options.importOnly)) {
        ImportBenchOptions import;
        import.source = options.source;
        import.size = options.sizes.back();
        import.rows = std::min(import.rows, import.size / 10 > 0 ? import.size / 10 : 1);
        if (options.runs > 0) import.runs = options.runs;
        ok = RunImportBench(import);
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
    int importChildRuns = 0;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (arg == L"--source" && i + 1 < argc) {
            options.source = argv[++i];
        } else if (arg == L"--quick") {
            options.quick = true;
        } else if (arg == L"--add-only") {
            options.addOnly = true;
        } else if (arg == L"--practice-only") {
            options.practiceOnly = true;
        } else if (arg == L"--import-only") {
            options.importOnly = true;
        } else if (arg == L"--import-child" && i + 1 < argc) {
            importChildRuns = std::max(1, static_cast<int>(std::wcstol(argv[++i], nullptr, 10)));
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
    if (importChildRuns > 0) return ImportChild(importChildRuns);
    return RunBench(options);
}
