#include "tools/bench/benchimport.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <cstdio>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "store/backups.h"
#include "store/catalogue.h"
#include "store/exportlist.h"
#include "store/folders.h"
#include "store/importlists.h"
#include "store/records.h"
#include "text/codepage.h"
#include "text/uistrings.h"
#include "tools/bench/benchsetup.h"
#include "win/handles.h"

namespace bench {

namespace {

constexpr std::size_t kLanguage = 0;  // French-English and English-French
constexpr int kTranslations = 3;
constexpr std::size_t kLongestTranslation = 14;
constexpr wchar_t kFile[] = L"import.csv";
constexpr wchar_t kResult[] = L"importresult.txt";
constexpr wchar_t kPracticeList[] = L"Bench";

constexpr double kGoalImportMs = 5000.0;
constexpr double kGoalPreviewMs = 300.0;
constexpr double kGoalExportMs = 1000.0;
constexpr double kGoalMemoryRatio = 4.0;

const char* Verdict(bool pass) { return pass ? "PASS" : "MISS"; }

std::string Utf8(const std::wstring& text) { return ToNarrow(text, CP_UTF8); }

std::wstring SortedCopy(const WordListDescriptor& d) { return L"sorted\\" + WordListFileName(d); }

// Row i: an even row brings a word the list lacks with three translations, about one in
// three of them a word the reverse list has; an odd row brings an entry the list has,
// with its own translations, every other time one new translation more (as a file of a
// learner's own words that overlaps the list).
std::string MakeFile(const SortedPair& lists, const ImportBenchOptions& options) {
    WordGenerator newWords(kLanguages[kLanguage], SeedFor(kLanguage, options.size, 31));
    WordGenerator translations(kEnglish, SeedFor(kLanguage, options.size, 32));
    std::mt19937 pick(SeedFor(kLanguage, options.size, 33));
    const std::vector<std::wstring>& knownTranslations = lists.reverseList.present;
    std::string records;
    if (!ReadFileBytes(WordListPath(*lists.forward), records) || records.size() < kRecordSize) return {};
    const std::size_t count = records.size() / kRecordSize;
    const auto fits = [](const std::wstring& w) {
        return w.size() <= kLongestTranslation && w.find_first_of(L" -") == std::wstring::npos;
    };
    std::set<std::wstring> firsts;
    std::string file = "\xEF\xBB\xBF" "French,English\r\n";
    for (int i = 0; i < options.rows; ++i) {
        std::wstring first;
        std::wstring second;
        if (i % 2 == 1) {
            WordRecord record;
            std::memcpy(record.bytes, records.data() + (pick() % count) * kRecordSize, kRecordSize);
            const WordEntry entry = DecodeRecord(record, lists.forward->firstCodePage, lists.forward->secondCodePage);
            first = entry.first;
            second = entry.second;
            std::wstring more;
            do more = translations.FirstWord();
            while (!fits(more));
            if (i % 4 == 1 && second.size() + 2 + more.size() <= kSecondWordMaxBytes) second += L", " + more;
        } else {
            do first = newWords.FirstWord();
            while (!firsts.insert(first).second);
            for (int t = 0; t < kTranslations; ++t) {
                std::wstring word;
                do word = pick() % 3 == 0 ? knownTranslations[pick() % knownTranslations.size()] : translations.FirstWord();
                while (!fits(word));
                second += (t > 0 ? L", " : L"") + word;
            }
        }
        file += Utf8(first) + ",\"" + Utf8(second) + "\"\r\n";
    }
    return file;
}

bool StartRun(WordListDescriptor& forward, WordListDescriptor& reverse) {
    CloseListFiles();
    RemoveFolderTree(L"new");
    RemoveFolderTree(kBackupFolder);
    RemoveFolderTree(UiText(Ui::PathNameList) + std::wstring(kPracticeList));
    MakeFolders(UiText(Ui::PathNameList) + std::wstring(kPracticeList));
    CurrentPracticeList = kPracticeList;
    ForgetImport();
    for (const WordListDescriptor* d : {&forward, &reverse}) {
        if (!CopyFileW(SortedCopy(*d).c_str(), WordListPath(*d).c_str(), FALSE)) return false;
        // Written long ago for the user: the copy's write-back is not the import's cost.
        const UniqueFile file(CreateFileW(WordListPath(*d).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file || !FlushFileBuffers(file.Get())) return false;
    }
    return UseWordList(forward) == 0;
}

struct RunTimes {
    double previewOpen = 0;     // file and both lists read, the first rows read and planned
    double previewRefresh = 0;  // a changed choice: the first rows read and planned again
    double count = 0;           // every row read and planned
    double previewOpenCpu = 0, countCpu = 0, importCpu = 0, exportCpu = 0;
    double import = 0;          // the file read again, backups, both lists sorted, written, replaced
    double exportMs = 0;
    double readLists = 0;  // of the opening: the file and both lists read
    double parse = 0;      // of the count: the file decoded and split into rows
    double backup = 0;     // of the import: both lists copied to the backup folder
    double forwardKeys = 0, forwardWrite = 0, reverseKeys = 0, reverseWrite = 0;  // keys made and ordered; written
    double replace = 0;    // both lists replaced, the practice lists and the log, the store reopened
};

struct PeakMemory {
    long long workingSet = 0;
    long long privateBytes = 0;
};

// CPU time of this process: on a machine other work shares, it tells this work's own
// cost when the clock does not.
double CpuMs() {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
    const auto ms = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0;
    };
    return ms(kernel) + ms(user);
}

PeakMemory PeakSince(const PROCESS_MEMORY_COUNTERS& before) {
    const PROCESS_MEMORY_COUNTERS after = MemoryCounters();
    return {static_cast<long long>(after.PeakWorkingSetSize) - static_cast<long long>(before.WorkingSetSize),
            static_cast<long long>(after.PeakPagefileUsage) - static_cast<long long>(before.PagefileUsage)};
}

}  // namespace

int ImportChild(int runs) {
    if (LoadCatalogue() != 0) return 1;
    WordListDescriptor* forward = DescriptorOf(kLanguages[kLanguage]);
    WordListDescriptor* reverse = forward ? OppositeWordList(*forward) : nullptr;
    if (!reverse) return 1;
    std::vector<RunTimes> times;
    PeakMemory peak;
    ImportCounts counts;
    int before = 0, after = 0, reverseBefore = 0, reverseAfter = 0;
    for (int run = 0; run < runs; ++run) {
        if (!StartRun(*forward, *reverse)) return 1;
        before = CountWordListEntries(*forward);
        reverseBefore = CountWordListEntries(*reverse);
        const PROCESS_MEMORY_COUNTERS memoryBefore = MemoryCounters();
        RunTimes t;
        double start = NowMs();
        double cpu = CpuMs();
        std::string bytes;
        ImportLists lists;
        if (ReadImportFile(kFile, bytes) != ImportFileRead::Ok || !ReadImportLists(*forward, lists)) return 1;
        t.readLists = NowMs() - start;
        // What the dialog shows at once: the first rows, read and planned alone.
        const std::vector<std::wstring> names{forward->firstName, forward->secondName};
        const auto firstRows = [&] {
            ImportSource first = ReadImportSource(bytes, {}, forward->firstCodePage, names, kPreviewRows);
            first.pairs.resize(std::min(first.pairs.size(), kPreviewRows));
            return PlanImport(lists, first.pairs);
        };
        if (firstRows().preview.size() != kPreviewRows) return 1;
        t.previewOpen = NowMs() - start;
        t.previewOpenCpu = CpuMs() - cpu;
        start = NowMs();
        firstRows();
        t.previewRefresh = NowMs() - start;

        // What it counts beside the window: every row read and planned.
        start = NowMs();
        cpu = CpuMs();
        ImportSource source = ReadImportSource(bytes, {}, forward->firstCodePage, names);
        t.parse = NowMs() - start;
        ImportPlan plan = PlanImport(lists, source.pairs);
        t.count = NowMs() - start;
        t.countCpu = CpuMs() - cpu;

        start = NowMs();
        cpu = CpuMs();
        std::string again;
        if (ReadImportFile(kFile, again) != ImportFileRead::Ok || again != bytes) return 1;
        // The first report of each step of each list is stamped: where the time goes.
        double stamps[2][4] = {{-1, -1, -1, -1}, {-1, -1, -1, -1}};
        const ImportFailure failure =
            ApplyImport(lists, plan, true, [&](ImportStep step, const WordListDescriptor& d, std::size_t, std::size_t) {
                double& stamp = stamps[&d == forward ? 0 : 1][static_cast<int>(step)];
                if (stamp < 0) stamp = NowMs() - start;
            });
        if (failure != ImportFailure::None) return 1;
        t.import = NowMs() - start;
        t.importCpu = CpuMs() - cpu;
        const int backup = static_cast<int>(ImportStep::Backup), sorting = static_cast<int>(ImportStep::Sorting),
                  writing = static_cast<int>(ImportStep::Writing), replacing = static_cast<int>(ImportStep::Replacing);
        t.backup = stamps[0][sorting] - stamps[0][backup];
        t.forwardKeys = stamps[0][writing] - stamps[0][sorting];
        t.forwardWrite = stamps[1][sorting] - stamps[0][writing];
        t.reverseKeys = stamps[1][writing] - stamps[1][sorting];
        t.reverseWrite = stamps[0][replacing] - stamps[1][writing];
        t.replace = t.import - stamps[0][replacing];
        if (run == 0) peak = PeakSince(memoryBefore);
        counts = plan.counts;
        after = CountWordListEntries(*forward);
        reverseAfter = CountWordListEntries(*reverse);

        start = NowMs();
        cpu = CpuMs();
        const ExportResult exported = ExportListFile(WordListPath(*forward), *forward, L"export.csv", {});
        t.exportMs = NowMs() - start;
        t.exportCpu = CpuMs() - cpu;
        if (!exported.written || static_cast<int>(exported.entries) != after) return 1;
        times.push_back(t);
    }
    CloseListFiles();
    const auto median = [&](double RunTimes::*field) {
        std::vector<double> values;
        for (const RunTimes& t : times) values.push_back(t.*field);
        return Median(values);
    };
    char line[512];
    std::snprintf(line, sizeof line,
                  "%.3f %.3f %.3f %.3f %lld %lld %zu %zu %zu %zu %zu %d %d %d %d %.3f %.3f %.3f %.3f %.3f %.3f %.3f %.3f "
                  "%.3f %.3f %.3f %.3f %.3f\n",
                  median(&RunTimes::previewOpen), median(&RunTimes::previewRefresh), median(&RunTimes::import),
                  median(&RunTimes::exportMs), peak.workingSet, peak.privateBytes, counts.rows, counts.added,
                  counts.merged, counts.unchanged, counts.refused, before, after, reverseBefore, reverseAfter,
                  median(&RunTimes::readLists), median(&RunTimes::parse), median(&RunTimes::backup),
                  median(&RunTimes::forwardKeys), median(&RunTimes::forwardWrite), median(&RunTimes::reverseKeys),
                  median(&RunTimes::reverseWrite), median(&RunTimes::replace), median(&RunTimes::count),
                  median(&RunTimes::previewOpenCpu), median(&RunTimes::countCpu), median(&RunTimes::importCpu),
                  median(&RunTimes::exportCpu));
    return WriteWholeFile(kResult, line) ? 0 : 1;
}

bool RunImportBench(const ImportBenchOptions& options) {
    SortedPair lists;
    const double setUpStart = NowMs();
    if (!MakeSortedPair(kLanguage, options.size, static_cast<std::size_t>(options.rows / 2), lists)) {
        std::fprintf(stderr, "cannot make the sorted word lists\n");
        return false;
    }
    CloseListFiles();
    CreateDirectoryW(L"sorted", nullptr);
    for (const WordListDescriptor* d : {lists.forward, lists.reverse})
        if (!CopyFileW(WordListPath(*d).c_str(), SortedCopy(*d).c_str(), FALSE)) return false;
    const std::string file = MakeFile(lists, options);
    if (file.empty() || !WriteWholeFile(kFile, file)) return false;
    const double listMb = static_cast<double>(CountWordListEntries(*lists.forward) + CountWordListEntries(*lists.reverse)) *
                          kRecordSize / kMegabyte;

    std::array<wchar_t, 1024> self{};
    GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size()));
    std::wstring command = L"\"" + std::wstring(self.data()) + L"\" --import-child " + std::to_wstring(options.runs) +
                          L" --source \"" + options.source + L"\"";
    DeleteFileW(kResult);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info)) return false;
    UniqueKernelHandle process(info.hProcess);
    UniqueKernelHandle thread(info.hThread);
    WaitForSingleObject(process.Get(), INFINITE);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.Get(), &exitCode);
    std::string text;
    if (exitCode != 0 || !ReadFileBytes(kResult, text)) {
        std::fprintf(stderr, "the import child failed\n");
        return false;
    }
    double open = 0, refresh = 0, import = 0, exportMs = 0;
    long long workingSet = 0, privateBytes = 0;
    std::size_t rows = 0, added = 0, merged = 0, unchanged = 0, refused = 0;
    int before = 0, after = 0, reverseBefore = 0, reverseAfter = 0;
    double readLists = 0, parse = 0, backup = 0, forwardKeys = 0, forwardWrite = 0, reverseKeys = 0, reverseWrite = 0,
           replace = 0, count = 0, openCpu = 0, countCpu = 0, importCpu = 0, exportCpu = 0;
    if (std::sscanf(text.c_str(),
                    "%lf %lf %lf %lf %lld %lld %zu %zu %zu %zu %zu %d %d %d %d %lf %lf %lf %lf %lf %lf %lf %lf %lf %lf %lf %lf %lf",
                    &open, &refresh, &import, &exportMs, &workingSet, &privateBytes, &rows, &added, &merged,
                    &unchanged, &refused, &before, &after, &reverseBefore, &reverseAfter, &readLists, &parse, &backup,
                    &forwardKeys, &forwardWrite, &reverseKeys, &reverseWrite, &replace, &count, &openCpu, &countCpu,
                    &importCpu, &exportCpu) != 28)
        return false;
    const double peakMb = static_cast<double>(std::max(workingSet, privateBytes)) / kMegabyte;

    Print("\nImport and export: %s-%s and %s-%s, %d and %d entries (set up in %.1f s; %.1f MB of lists); a file\n"
          "of %zu rows (%.1f MB, UTF-8 CSV): half of them new words with three translations each, half entries\n"
          "the list has, every other one with a translation more. %d runs, median.\n\n",
          Narrow(lists.forward->firstName).c_str(), Narrow(lists.forward->secondName).c_str(),
          Narrow(lists.reverse->firstName).c_str(), Narrow(lists.reverse->secondName).c_str(), before, reverseBefore,
          (NowMs() - setUpStart) / 1000.0, listMb, rows, static_cast<double>(file.size()) / kMegabyte, options.runs);
    Print("  rows %zu: new pairs %zu, merged %zu, already there %zu, cannot be stored %zu\n", rows, added, merged,
          unchanged, refused);
    Print("  entries afterwards: %d (was %d) and %d (was %d)\n", after, before, reverseAfter, reverseBefore);
    Print("  preview, opening (file and both lists read, the first %zu rows read and planned) %9.1f ms\n",
          kPreviewRows, open);
    Print("    of it: the file and both lists read %9.1f ms\n", readLists);
    Print("  preview, a changed choice (the first rows read and planned again)       %9.1f ms\n", refresh);
    Print("  every row counted beside the dialog (file decoded and split %.1f ms, rows\n"
          "    checked and planned against the lists %.1f ms)                         %9.1f ms\n",
          parse, count - parse, count);
    Print("  import (file read again, backups, both lists sorted and replaced)%9.1f ms\n", import);
    Print("    of it: backups %.1f ms; %s keys made and ordered %.1f ms, written %.1f ms; %s %.1f ms, %.1f ms;\n"
          "    both replaced, practice lists and log, store reopened %.1f ms\n",
          backup, Narrow(lists.forward->firstName).c_str(), forwardKeys, forwardWrite,
          Narrow(lists.reverse->firstName).c_str(), reverseKeys, reverseWrite, replace);
    Print("  export of %d entries as CSV                                  %9.1f ms\n", after, exportMs);
    Print("  peak memory of an import: working set %.1f MB, private %.1f MB\n",
          static_cast<double>(workingSet) / kMegabyte, static_cast<double>(privateBytes) / kMegabyte);
    Print("  CPU time of this process (both threads): preview %.1f ms, count %.1f ms, import %.1f ms, export %.1f ms\n",
          openCpu, countCpu, importCpu, exportCpu);
    Print("\nGoals\n");
    const double endToEnd = open + count + import;
    Print("  import end to end < %.0f ms          %9.1f ms   %s\n", kGoalImportMs, endToEnd,
          Verdict(endToEnd < kGoalImportMs));
    Print("  preview < %.0f ms                    %9.1f ms   %s\n", kGoalPreviewMs, open, Verdict(open < kGoalPreviewMs));
    Print("  export < %.0f ms                    %9.1f ms   %s\n", kGoalExportMs, exportMs, Verdict(exportMs < kGoalExportMs));
    Print("  peak memory < %.0fx the two lists     %9.2fx      %s\n", kGoalMemoryRatio, peakMb / listMb,
          Verdict(peakMb / listMb < kGoalMemoryRatio));
    return true;
}

}  // namespace bench
