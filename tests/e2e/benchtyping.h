// The end-to-end benchmarks' common ground: their generated word lists, and timing
// what keys typed from outside do to the program's controls.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "e2e/driver.h"
#include "store/catalogue.h"
#include "store/records.h"
#include "support/testenv.h"
#include "text/uistrings.h"
#include "tools/bench/benchsetup.h"

namespace e2e {

// What every end-to-end benchmark runs in: messages to standard error (a box would stop
// an unattended run), a data folder of its own, the program's profile section cleared
// before and after, and the clock of its set-up.
class BenchRun {
public:
    BenchRun() {
        bench::RouteMessagesToStderr();
        profile::Clear();
    }
    ~BenchRun() { profile::Clear(); }
    BenchRun(const BenchRun&) = delete;
    BenchRun& operator=(const BenchRun&) = delete;

    const AppFolder& Folder() const { return folder_; }
    double SetUpSeconds() const { return (bench::NowMs() - start_) / 1000.0; }

private:
    AppFolder folder_;
    double start_ = bench::NowMs();
};

// Generates in the data folder the word list of kLanguages[languageIndex] to English
// and its reverse list, `size` entries each, sorted by the store's own code; `pick` then
// runs inside the folder with the lists open, to choose what to type. False, with a
// message, when the lists could not be made or the forward one is not the folder's
// current word list.
inline bool MakeSortedLists(const AppFolder& folder, std::size_t languageIndex, int size, std::size_t samples,
                            const std::function<void(const bench::SortedPair&)>& pick) {
    const std::wstring previous = bench::CurrentDirectory();
    SetCurrentDirectoryW(folder.Path().c_str());
    bench::SortedPair lists;
    bool ok = LoadUiStringsFile(UiStringsPath()).Ok() && LoadCatalogue() == 0 &&
              bench::MakeSortedPair(languageIndex, size, samples, lists);
    if (ok && bench::Narrow(WordListFileName(*lists.forward)) != folder.SelectedWordList()) {
        std::fprintf(stderr, "the data folder's current word list is not %s\n",
                     bench::Narrow(WordListFileName(*lists.forward)).c_str());
        ok = false;
    }
    if (ok) pick(lists);
    if (!ok) std::fprintf(stderr, "cannot make the word lists\n");
    CloseListFiles();
    SetCurrentDirectoryW(previous.c_str());
    return ok;
}

// Reads the control as fast as the program answers until it shows the text; the
// milliseconds since `start` then, or nothing after the timeout.
inline std::optional<double> MsUntilShown(HWND control, const std::wstring& text, double start,
                                          DWORD timeoutMs = 5000) {
    const DWORD begin = GetTickCount();
    while (ControlText(control) != text)
        if (GetTickCount() - begin > timeoutMs) return std::nullopt;
    return bench::NowMs() - start;
}

// Command line argument `at` as a number of at least `least`; `fallback` without it.
inline int CountArgument(int argc, char** argv, int at, int fallback, int least = 1) {
    return argc > at ? std::max(least, std::atoi(argv[at])) : fallback;
}

// Words the letter keys alone type, so that each key is one character of the word.
inline bool TypedWithLetterKeys(const std::wstring& word) {
    return word.size() >= 2 && std::all_of(word.begin(), word.end(), [](wchar_t c) { return c >= L'a' && c <= L'z'; });
}

// The value below which a share p (0 to 1) of the timings lie; 0 for none.
inline double Percentile(std::vector<double> values, double p) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t index = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
    return values[index];
}

// "  <what> (<count> <unit>): median ... ms   95th percentile ... ms   worst ... ms"
inline void PrintTimings(const char* what, const char* unit, const std::vector<double>& ms) {
    std::printf("  %s (%zu %s): median %.2f ms   95th percentile %.2f ms   worst %.2f ms\n", what, ms.size(), unit,
                bench::Median(ms), Percentile(ms, 0.95), bench::Worst(ms));
}

// The typing goal, judged on the median and on the 95th percentile of the keys.
inline void PrintKeyGoal(const std::vector<double>& ms, double goalMs) {
    std::printf("\nGoals\n  keys < %.0f ms: median %s, 95th percentile %s\n", goalMs,
                bench::Median(ms) < goalMs ? "PASS" : "MISS", Percentile(ms, 0.95) < goalMs ? "PASS" : "MISS");
}

// Types the words one by one until `timed` holds `timedKeys` timings; `type` types one
// word and tells whether every key showed what was expected. False, with a message,
// when one did not.
template <class Word, class TypeWord>
bool TypeWordsUntil(const std::vector<Word>& words, const std::vector<double>& timed, int timedKeys, TypeWord type) {
    for (const Word& word : words) {
        if (static_cast<int>(timed.size()) >= timedKeys) break;
        if (!type(word)) {
            std::fprintf(stderr, "typing %s did not show the rows expected\n", bench::Narrow(word.text).c_str());
            return false;
        }
    }
    return true;
}

// The press, the release or both of one character's key.
inline bool SendKey(wchar_t c, KeyHalf half) {
    std::vector<INPUT> inputs;
    AppendCharacterKey(inputs, c, half);
    return SendKeyboardInputs(std::move(inputs));
}

}  // namespace e2e
