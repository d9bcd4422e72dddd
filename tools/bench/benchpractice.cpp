#include "tools/bench/benchpractice.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/fonts.h"
#include "practice/updating.h"
#include "store/catalogue.h"
#include "store/folders.h"
#include "store/practicelists.h"
#include "store/random.h"
#include "store/records.h"
#include "text/uistrings.h"
#include "tools/bench/benchsetup.h"
#include "win/session.h"

namespace bench {

namespace {

constexpr double kGoalUpdateMs = 500.0;
constexpr double kGoalAddAllMs = 1000.0;
constexpr double kGoalAddRandomMs = 500.0;
constexpr std::size_t kLanguage = 0;  // French-English
constexpr wchar_t kPracticeList[] = L"Bench";

const char* Verdict(bool pass) { return pass ? "PASS" : "MISS"; }

// Every spacing-th entry of the update's practice list is marked for removal; at least
// every second one stays.
int MarkSpacing(const PracticeBenchOptions& options) {
    if (options.marked <= 0) return options.practiceSize + 1;
    return std::max(2, options.practiceSize / options.marked);
}

// The practice list of the update: the word list's first entries, every
// MarkSpacing-th of them marked for removal and no other.
bool WritePracticeList(const PracticeBenchOptions& options) {
    const WordListDescriptor& d = CurrentWordList();
    const int spacing = MarkSpacing(options);
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(options.practiceSize) * kRecordSize);
    for (int i = 0; i < options.practiceSize; ++i) {
        if (ReadWordRecord(i) != 0) return false;
        CurrentEntry.deleted = i % spacing == spacing - 1 ? 1 : 0;
        const WordRecord record = EncodeRecord(CurrentEntry, d.firstCodePage, d.secondCodePage);
        bytes.append(reinterpret_cast<const char*>(record.bytes), kRecordSize);
    }
    ClosePracticeListFile();
    const bool written = WriteWholeFile(PracticeListTargetPath(), bytes);
    OpenPracticeListFile();
    CountPracticeRecords();
    return written && PracticeCount == options.practiceSize;
}

// None of the entries left carries a mark, and they are the unmarked ones in order.
bool UpdateKeptTheRest(const PracticeBenchOptions& options) {
    const int spacing = MarkSpacing(options);
    if (PracticeCount != options.practiceSize - options.practiceSize / spacing) return false;
    for (int at : {0, PracticeCount / 2, PracticeCount - 1}) {
        const int source = at + at / (spacing - 1);
        if (ReadPracticeRecord(at) != 0 || CurrentEntry.deleted != 0) return false;
        const std::wstring kept = CurrentEntry.first;
        if (ReadWordRecord(source) != 0 || CurrentEntry.first != kept) return false;
    }
    return true;
}

struct Timings {
    std::vector<double> remove;      // RemoveMarkedPracticeEntries
    std::vector<double> update;      // UpdatePracticeList: the same behind its window
    std::vector<double> addAll;      // CopyWordListFile
    std::vector<double> addRandom;   // AppendRandomWords
    std::vector<double> randomRead;  // the draws and reads of add-random alone
};

bool TimeUpdate(const PracticeBenchOptions& options, bool behindWindow, std::vector<double>& into) {
    if (!WritePracticeList(options)) return false;
    const double start = NowMs();
    if (behindWindow)
        UpdatePracticeList();
    else if (!RemoveMarkedPracticeEntries())
        return false;
    into.push_back(NowMs() - start);
    return UpdateKeptTheRest(options);
}

bool TimeAddAll(std::vector<double>& into) {
    EmptyPracticeList();
    const double start = NowMs();
    if (CopyWordListFile() != 0) return false;
    into.push_back(NowMs() - start);
    return PracticeCount == WordCount && WordCount > 0;
}

bool TimeAddRandom(const PracticeBenchOptions& options, int run, Timings& timings) {
    EmptyPracticeList();
    SeedRandomSource(SeedFor(kLanguage, options.wordListSize, 30 + static_cast<std::uint32_t>(run)));
    double start = NowMs();
    AppendRandomWords(options.randomWords, false);
    timings.addRandom.push_back(NowMs() - start);
    if (PracticeCount != options.randomWords) return false;
    // The same draws without the writes: what add-random cannot do faster than.
    SeedRandomSource(SeedFor(kLanguage, options.wordListSize, 30 + static_cast<std::uint32_t>(run)));
    start = NowMs();
    for (int i = 0; i < options.randomWords; ++i)
        if (ReadWordRecord(RandomIndex(WordCount)) != 0) return false;
    timings.randomRead.push_back(NowMs() - start);
    return true;
}

void PrintLine(const char* what, double goal, const std::vector<double>& ms) {
    if (goal > 0)
        Print("  %-52s median %8.1f ms   worst %8.1f ms   < %4.0f ms %s\n", what, Median(ms), Worst(ms), goal,
              Verdict(Median(ms) < goal && Worst(ms) < goal));
    else
        Print("  %-52s median %8.1f ms   worst %8.1f ms\n", what, Median(ms), Worst(ms));
}

}  // namespace

bool RunPracticeBench(const PracticeBenchOptions& options) {
    ModuleInstance = GetModuleHandleW(nullptr);
    ReadSystemMetrics();
    CreateSharedFonts(SharedFontSettings{}, UiCharset());
    const BenchLanguage& language = kLanguages[kLanguage];
    const double setUpStart = NowMs();
    WordGenerator generator(language, SeedFor(kLanguage, options.wordListSize, 1));
    CloseListFiles();
    bool ok = WriteGeneratedList(ListPath(language), generator, options.wordListSize, language.codePage, 1252,
                                 SeedFor(kLanguage, options.wordListSize, 2), 0)
                  .ok;
    CurrentPracticeList = kPracticeList;
    MakeFolders(UiText(Ui::PathNameList) + std::wstring(kPracticeList));
    ok = ok && OpenStore(language) && WordCount == options.wordListSize;
    if (!ok) std::fprintf(stderr, "cannot make the word list\n");
    const WordListDescriptor& d = CurrentWordList();
    Print("\nPractice list maker: %s-%s word list of %d entries (set up in %.1f s), %d runs each.\n"
          "update = the marked entries taken out at closing (%d of %d entries marked); add-all = the word list\n"
          "file copied over the practice list file and both reopened; add-random = %d words drawn and appended.\n\n",
          Narrow(d.firstName).c_str(), Narrow(d.secondName).c_str(), options.wordListSize, (NowMs() - setUpStart) / 1000.0,
          options.runs, options.marked, options.practiceSize, options.randomWords);
    Timings timings;
    for (int run = 0; run < options.runs && ok; ++run) {
        ok = TimeUpdate(options, false, timings.remove) && TimeUpdate(options, true, timings.update) &&
             TimeAddAll(timings.addAll) && TimeAddRandom(options, run, timings);
        if (!ok) std::fprintf(stderr, "run %d: a step failed or left the practice list wrong\n", run + 1);
    }
    if (ok) {
        Print("Goals (median and worst of %d runs)\n", options.runs);
        PrintLine("update: RemoveMarkedPracticeEntries", kGoalUpdateMs, timings.remove);
        PrintLine("update: UpdatePracticeList (with its window)", kGoalUpdateMs, timings.update);
        PrintLine("add-all: CopyWordListFile", kGoalAddAllMs, timings.addAll);
        PrintLine("add-random: AppendRandomWords", kGoalAddRandomMs, timings.addRandom);
        Print("\nWhere add-random's time goes\n");
        PrintLine("  the draws and word list reads alone", 0, timings.randomRead);
    }
    EmptyPracticeList();
    CloseListFiles();
    DeleteSharedFonts();
    return ok;
}

}  // namespace bench
