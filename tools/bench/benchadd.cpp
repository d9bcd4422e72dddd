#include "tools/bench/benchadd.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "app/fonts.h"
#include "entry/addwords.h"
#include "store/catalogue.h"
#include "store/collation.h"
#include "store/folders.h"
#include "store/records.h"
#include "tests/support/canvas.h"
#include "text/uistrings.h"
#include "tools/bench/benchsetup.h"
#include "win/handles.h"
#include "win/session.h"

namespace bench {

namespace {

constexpr double kGoalStoreMs = 5.0;
constexpr double kGoalCloseMs = 3000.0;
constexpr std::size_t kLanguage = 0;  // French-English and English-French
constexpr std::size_t kSamples = 2000;
constexpr int kTranslations = 3;
// Three words of this length and their separators fit the translation field.
constexpr std::size_t kLongestTranslation = 14;
constexpr wchar_t kPracticeList[] = L"Bench";

struct BenchPair {
    std::wstring first;
    std::wstring second;
    int known = 0;  // translations that are first words of the reverse list already
};

// Pair i: a first word the forward list does not have, and three
// translations, i % 4 of them first words of the reverse list, so merges into existing
// reverse entries and new reverse entries come in every mix.
std::vector<BenchPair> MakePairs(const SortedPair& lists, const AddBenchOptions& options) {
    WordGenerator firstWords(kLanguages[kLanguage], SeedFor(kLanguage, options.size, 21));
    WordGenerator newWords(kEnglish, SeedFor(kLanguage, options.size, 22));
    std::mt19937 pick(SeedFor(kLanguage, options.size, 23));
    const std::vector<std::wstring>& known = lists.reverseList.present;
    UseWordList(*lists.forward);
    const AddSession forward = BeginAddSession(false);
    std::set<std::wstring> firsts;
    const auto fits = [](const std::wstring& w) {
        return w.size() <= kLongestTranslation && w.find_first_of(L" -") == std::wstring::npos;
    };
    std::vector<BenchPair> pairs;
    for (int i = 0; i < options.pairs; ++i) {
        BenchPair pair{firstWords.FirstWord(), {}, i % (kTranslations + 1)};
        while (LookUpTranslation(forward, pair.first) || !firsts.insert(pair.first).second)
            pair.first = firstWords.FirstWord();
        for (int t = 0; t < kTranslations; ++t) {
            std::wstring word;
            do
                word = t < pair.known ? known[pick() % known.size()] : newWords.FirstWord();
            while (!fits(word));
            pair.second += (t > 0 ? L", " : L"") + word;
        }
        pairs.push_back(std::move(pair));
    }
    return pairs;
}

// ---------------------------------------------------------------------------------
// Files: every run starts from the lists as sorted, an empty practice list, no log.

std::wstring SortedCopyPath(const WordListDescriptor& d) { return L"sorted\\" + WordListFileName(d); }
std::wstring PracticeFolder() { return UiText(Ui::PathNameList) + std::wstring(kPracticeList); }

bool KeepSortedCopies(const SortedPair& lists) {
    CloseListFiles();
    CreateDirectoryW(L"sorted", nullptr);
    for (const WordListDescriptor* d : {lists.forward, lists.reverse})
        if (!CopyFileW(WordListPath(*d).c_str(), SortedCopyPath(*d).c_str(), FALSE)) return false;
    return true;
}

// The copies are flushed to the disk before the clock runs: the write-back of 160 MB
// just copied would otherwise slow down the small writes of the first pairs, which a
// user, whose lists were written long before, never sees.
bool RestoreSorted(const WordListDescriptor& d) {
    if (!CopyFileW(SortedCopyPath(d).c_str(), WordListPath(d).c_str(), FALSE)) return false;
    const UniqueFile file(CreateFileW(WordListPath(d).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && FlushFileBuffers(file.Get());
}

bool StartRun(const SortedPair& lists) {
    CloseListFiles();
    RemoveFolderTree(L"new");
    RemoveFolderTree(PracticeFolder());
    MakeFolders(PracticeFolder());
    return RestoreSorted(*lists.forward) && RestoreSorted(*lists.reverse) && UseWordList(*lists.forward) == 0;
}

int RecordsIn(const WordListDescriptor& d) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(WordListPath(d).c_str(), GetFileExInfoStandard, &data)) return -1;
    const unsigned long long size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return static_cast<int>(size / kRecordSize);
}

// ---------------------------------------------------------------------------------
// The sorting windows of a close, seen through a hook on this thread: when each came,
// when it was taken off the screen and how long that took, and whether it was on
// screen with progress figures painted in it. Taking a window off the screen is timed
// apart because under Wine without a window manager it waits for one, 2 s a window.

struct SortingWindowSeen {
    double opened = 0;
    double hiding = 0;
    double hidden = 0;
    bool visible = false;
    bool progress = false;
    double SortMs() const { return hiding - opened; }
    double HideMs() const { return hidden - hiding; }
};

std::vector<SortingWindowSeen> g_sortingWindows;

bool IsSortingWindow(HWND window) {
    std::array<wchar_t, 16> name{};
    GetClassNameW(window, name.data(), static_cast<int>(name.size()));
    return std::wstring_view(name.data()) == L"sorting";
}

// The figures are the only dark grey (50, 50, 50) the window paints.
bool ShowsProgress(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    if (client.right <= 0 || client.bottom <= 0) return false;
    const Canvas canvas(client.right, client.bottom);
    const WindowDc dc(window);
    if (!dc || !BitBlt(canvas.Dc(), 0, 0, client.right, client.bottom, dc.Get(), 0, 0, SRCCOPY)) return false;
    const std::vector<std::uint32_t> pixels = canvas.Rows(client.bottom);
    return std::any_of(pixels.begin(), pixels.end(), [](std::uint32_t p) { return (p & 0xFFFFFF) == 0x323232; });
}

bool Hides(LPARAM lParam) { return (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_HIDEWINDOW) != 0; }

LRESULT CALLBACK WatchSortingWindows(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && IsSortingWindow(call->hwnd)) {
        if (call->message == WM_CREATE) {
            g_sortingWindows.push_back({NowMs()});
        } else if (!g_sortingWindows.empty() && call->message == WM_WINDOWPOSCHANGING && Hides(call->lParam)) {
            SortingWindowSeen& seen = g_sortingWindows.back();
            seen.hiding = NowMs();
            seen.visible = IsWindowVisible(call->hwnd) != FALSE;
            seen.progress = ShowsProgress(call->hwnd);
        } else if (!g_sortingWindows.empty() && call->message == WM_WINDOWPOSCHANGED && Hides(call->lParam)) {
            g_sortingWindows.back().hidden = NowMs();
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// ---------------------------------------------------------------------------------
// One window's life: the pairs stored one by one, then the close.

struct RunFigures {
    std::vector<double> storeMs;  // per pair, in order
    int added = 0;
    int updated = 0;
    int reverseAppended = 0;
    double closeMs = 0;
    std::vector<SortingWindowSeen> windows;
    int foundAfter = 0;  // pairs the sorted forward list gives back
};

// `practice` tells for each pair whether it goes into the practice list too.
using PracticeChoice = bool (*)(std::size_t pair);
bool Always(std::size_t) { return true; }
// Pairs in fours with and without, so both kinds meet the same load of the machine.
bool FourWithFourWithout(std::size_t pair) { return pair / 4 % 2 == 0; }

bool RunOnce(const SortedPair& lists, const std::vector<BenchPair>& pairs, PracticeChoice practice, RunFigures& run) {
    if (!StartRun(lists)) return false;
    const int reverseBefore = RecordsIn(*lists.reverse);
    AddSession session = BeginAddSession(true);
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        const BenchPair& pair = pairs[i];
        session.addToPracticeList = practice(i);
        const double start = NowMs();
        const StoreOutcome outcome = StorePair(session, pair.first, pair.second);
        run.storeMs.push_back(NowMs() - start);
        run.added += outcome == StoreOutcome::Added ? 1 : 0;
        run.updated += outcome == StoreOutcome::Updated ? 1 : 0;
    }
    run.reverseAppended = RecordsIn(*lists.reverse) - reverseBefore;

    g_sortingWindows.clear();
    {
        const UniqueHook hook(SetWindowsHookExW(WH_CALLWNDPROC, WatchSortingWindows, nullptr, GetCurrentThreadId()));
        const double start = NowMs();
        SortChangedLists(session);
        run.closeMs = NowMs() - start;
    }
    run.windows = g_sortingWindows;

    const AddSession sorted = BeginAddSession(false);
    for (const BenchPair& pair : pairs)
        run.foundAfter += LookUpTranslation(sorted, pair.first) == NormaliseTranslations(pair.second) ? 1 : 0;
    return true;
}

// ---------------------------------------------------------------------------------
// Where a pair's time goes: the parts of a store measured one by one on the lists.

struct PartFigures {
    double withPracticeMs = 0;  // pairs into the practice list too
    double withoutPracticeMs = 0;
    double switchMs = 0;           // to the reverse list and back
    double coldSearchMs = 0;       // one search right after a switch: no record cached
    double warmSearchMs = 0;       // the same search again
};

bool MeasureParts(const SortedPair& lists, const std::vector<BenchPair>& pairs, PartFigures& parts) {
    RunFigures mixed;
    if (!RunOnce(lists, pairs, FourWithFourWithout, mixed)) return false;
    std::vector<double> with, without;
    for (std::size_t i = 0; i < mixed.storeMs.size(); ++i)
        (FourWithFourWithout(i) ? with : without).push_back(mixed.storeMs[i]);
    parts.withPracticeMs = Median(with);
    parts.withoutPracticeMs = Median(without);
    if (!StartRun(lists)) return false;
    std::vector<double> switches, cold, warm;
    for (const BenchPair& pair : pairs) {
        double start = NowMs();
        UseWordList(*lists.reverse);
        UseWordList(*lists.forward);
        switches.push_back(NowMs() - start);
        start = NowMs();
        FindWordPosition(pair.first);
        cold.push_back(NowMs() - start);
        start = NowMs();
        FindWordPosition(pair.first);
        warm.push_back(NowMs() - start);
    }
    parts.switchMs = Median(switches);
    parts.coldSearchMs = Median(cold);
    parts.warmSearchMs = Median(warm);
    return true;
}

// ---------------------------------------------------------------------------------
// The report.

const char* Verdict(bool pass) { return pass ? "PASS" : "MISS"; }

void PrintRuns(const std::vector<RunFigures>& runs, const SortedPair& lists) {
    Print("%4s %6s %8s %8s | %9s %9s %5s | %9s %21s %21s %7s %9s %6s\n", "", "", "", "reverse", "pair", "pair",
          "worst", "close", Narrow(lists.reverse->firstName + L"-" + lists.reverse->secondName).c_str(),
          Narrow(lists.forward->firstName + L"-" + lists.forward->secondName).c_str(), "", "sorting", "");
    Print("%4s %6s %8s %8s | %9s %9s %5s | %9s %10s %10s %10s %10s %7s %9s %6s\n", "run", "added", "updated", "new",
          "median", "worst", "pair", "whole", "sort", "hide", "sort", "hide", "rest", "windows", "found");
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const RunFigures& r = runs[i];
        bool shown = r.windows.size() == 2;
        double inWindows = 0;
        for (const SortingWindowSeen& w : r.windows) {
            shown = shown && w.visible && w.progress;
            inWindows += w.hidden - w.opened;
        }
        const SortingWindowSeen none;
        const SortingWindowSeen& first = r.windows.size() > 0 ? r.windows[0] : none;
        const SortingWindowSeen& second = r.windows.size() > 1 ? r.windows[1] : none;
        const auto worst = std::max_element(r.storeMs.begin(), r.storeMs.end());
        Print("%4zu %6d %8d %8d | %9.2f %9.2f %5td | %9.1f %10.1f %10.1f %10.1f %10.1f %7.1f %4zu %-4s %6d\n", i + 1,
              r.added, r.updated, r.reverseAppended, Median(r.storeMs), Worst(r.storeMs),
              worst - r.storeMs.begin() + 1, r.closeMs, first.SortMs(),
              first.HideMs(), second.SortMs(), second.HideMs(), r.closeMs - inWindows, r.windows.size(),
              shown ? "ok" : "BAD", r.foundAfter);
    }
    Print("  ms; reverse new = entries the reverse list gained; worst pair = its number in the run;\n"
          "  sort = the sorting window's life up to its hiding, hide = taking it off the screen, rest = the\n"
          "  switches around them; sorting windows ok = each was on screen with progress figures in it;\n"
          "  found = pairs the sorted list gives back\n");
}

void PrintParts(const std::vector<RunFigures>& runs, const std::vector<BenchPair>& pairs, const PartFigures& parts) {
    std::array<std::vector<double>, kTranslations + 1> byKnown;
    std::vector<double> all;
    for (const RunFigures& r : runs)
        for (std::size_t i = 0; i < r.storeMs.size(); ++i) {
            byKnown[static_cast<std::size_t>(pairs[i].known)].push_back(r.storeMs[i]);
            all.push_back(r.storeMs[i]);
        }
    Print("\nWhere a pair's time goes (medians, ms)\n");
    Print("  whole pair                                          %8.3f\n", Median(all));
    for (std::size_t k = 0; k < byKnown.size(); ++k)
        Print("    %zu of its 3 translations in the reverse list      %8.3f\n", k, Median(byKnown[k]));
    Print("  pairs stored in fours into the practice list too    %8.3f\n", parts.withPracticeMs);
    Print("    and the fours between them, not into it           %8.3f\n", parts.withoutPracticeMs);
    Print("  switch to the reverse list and back                 %8.3f\n", parts.switchMs);
    Print("  a search right after a switch (up to 4 a pair)      %8.3f\n", parts.coldSearchMs);
    Print("  the same search again, its records cached           %8.3f\n", parts.warmSearchMs);
}

void PrintGoals(const std::vector<RunFigures>& runs, int pairCount) {
    std::vector<double> all, closes, hiding;
    for (const RunFigures& r : runs) {
        all.insert(all.end(), r.storeMs.begin(), r.storeMs.end());
        closes.push_back(r.closeMs);
        for (const SortingWindowSeen& w : r.windows) hiding.push_back(w.HideMs());
    }
    Print("\nGoals\n");
    Print("  store a pair < %.0f ms              median %8.3f ms   worst %8.3f ms   %s\n", kGoalStoreMs, Median(all),
          Worst(all), Verdict(Median(all) < kGoalStoreMs));
    Print("  close after %d pairs < %.0f ms     median %8.1f ms   worst %8.1f ms   %s\n", pairCount, kGoalCloseMs,
          Median(closes), Worst(closes), Verdict(Median(closes) < kGoalCloseMs));
    if (Median(hiding) > 1000)
        Print("  (a sorting window taking %.0f ms to hide is Wine waiting for a window manager the screen lacks)\n",
              Median(hiding));
}

}  // namespace

bool RunAddBench(const AddBenchOptions& options) {
    ModuleInstance = GetModuleHandleW(nullptr);
    ReadSystemMetrics();
    CreateSharedFonts(SharedFontSettings{}, UiCharset());
    SortedPair lists;
    const double setUpStart = NowMs();
    bool ok = MakeSortedPair(kLanguage, options.size, kSamples, lists) && KeepSortedCopies(lists);
    if (!ok) std::fprintf(stderr, "cannot make the sorted word lists\n");
    std::vector<RunFigures> runs;
    PartFigures parts;
    if (ok) {
        const std::vector<BenchPair> pairs = MakePairs(lists, options);
        Print("\nAdd window: %s-%s and %s-%s, %d entries each, sorted (set up in %.1f s); %d pairs of three\n"
              "translations per run, %d runs from the same lists. A pair = StorePair: the forward entry, its log\n"
              "and practice list, the switch to the reverse list, three reverse look-ups each with a merge or a\n"
              "new entry, the switch back. The close = SortChangedLists.\n\n",
              Narrow(lists.forward->firstName).c_str(), Narrow(lists.forward->secondName).c_str(),
              Narrow(lists.reverse->firstName).c_str(), Narrow(lists.reverse->secondName).c_str(), options.size,
              (NowMs() - setUpStart) / 1000.0, options.pairs, options.runs);
        for (int i = 0; i < options.runs && ok; ++i) {
            RunFigures run;
            ok = RunOnce(lists, pairs, Always, run);
            runs.push_back(std::move(run));
        }
        ok = ok && MeasureParts(lists, pairs, parts);
        if (ok) {
            PrintRuns(runs, lists);
            PrintParts(runs, pairs, parts);
            PrintGoals(runs, options.pairs);
        }
    }
    CloseListFiles();
    DeleteSharedFonts();
    return ok;
}

}  // namespace bench
