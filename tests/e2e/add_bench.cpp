// Live look-up speed of the Add window on a word list of a million entries, end to end:
// the real lingorix.exe in a data folder whose current word list (French-English) and
// its reverse list are generated and sorted by the store's own code. Each word is typed
// key by key into the first edit and timed from the SendInput of its last key's release
// until the second edit, read with WM_GETTEXT, shows the translation. For comparison,
// the edit's own echo of a key: from the SendInput of a word's first key press until
// the first edit shows that letter.
//
// Usage: add_bench.exe [words (30)] [entries per list (1000000)]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "e2e/benchtyping.h"
#include "e2e/driver.h"
#include "entry/addwords.h"
#include "store/catalogue.h"
#include "store/records.h"
#include "support/testenv.h"
#include "text/uistrings.h"
#include "tools/bench/benchsetup.h"

namespace {

constexpr double kGoalMs = 20.0;
constexpr std::size_t kLanguage = 0;  // French: the shipped current word list is French-English
constexpr std::size_t kSamples = 2000;
constexpr int kAddCommand = 10;  // main window: Add
constexpr wchar_t kAddClass[] = L"toevoeg";
constexpr int kFirstEdit = 30;
constexpr int kSecondEdit = 31;

struct Word {
    std::wstring text;
    std::wstring translation;  // what the program's look-up finds for it
};

struct Figures {
    std::vector<double> lookUpMs;  // last key pressed -> translation shown
    std::vector<double> letterMs;  // first key pressed -> letter shown
};

// Words of the list that the letter keys alone type, each with the translation the
// program's own look-up gives. The word less its last letter must show something else,
// or the last key's result could not be told from the one before.
std::vector<Word> PickWords(const bench::SortedPair& lists, int count) {
    const AddSession session = BeginAddSession(false);
    std::vector<Word> words;
    for (const std::wstring& text : lists.forwardList.present) {
        if (static_cast<int>(words.size()) == count) break;
        if (!e2e::TypedWithLetterKeys(text)) continue;
        const std::optional<std::wstring> translation = LookUpTranslation(session, text);
        if (!translation || translation->empty() ||
            LookUpTranslation(session, text.substr(0, text.size() - 1)) == translation)
            continue;
        words.push_back({text, *translation});
    }
    return words;
}

// The lists go into the folder the way the program finds them: its own strings file
// names the folders, its language file the lists.
bool MakeLists(const e2e::AppFolder& folder, int size, int count, std::vector<Word>& words) {
    return e2e::MakeSortedLists(folder, kLanguage, size, kSamples,
                                [&](const bench::SortedPair& lists) { words = PickWords(lists, count); }) &&
           !words.empty();
}


bool SetControlText(HWND control, const wchar_t* text) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                               &result) != 0;
}


// Both edits start empty and the program is idle; each key waits for its letter.
bool TypeWord(HWND first, HWND second, const Word& word, Figures& figures) {
    if (!SetControlText(first, L"") || !SetControlText(second, L"")) return false;
    std::wstring typed(1, word.text[0]);
    const double firstPressed = bench::NowMs();
    if (!e2e::SendKey(word.text[0], e2e::KeyHalf::Press)) return false;
    const std::optional<double> letter = e2e::MsUntilShown(first, typed, firstPressed);
    if (!letter || !e2e::SendKey(word.text[0], e2e::KeyHalf::Release)) return false;
    figures.letterMs.push_back(*letter);
    for (std::size_t i = 1; i + 1 < word.text.size(); ++i) {
        typed += word.text[i];
        if (!e2e::SendKey(word.text[i], e2e::KeyHalf::Both) || !e2e::MsUntilShown(first, typed, 0)) return false;
    }
    // The look-up runs on every change of the edit: the last letter's press is timed to
    // the translation.
    if (word.text.size() > 1 && e2e::ControlText(second) == word.translation) return false;
    const double pressed = bench::NowMs();
    if (word.text.size() > 1 && !e2e::SendKey(word.text.back(), e2e::KeyHalf::Press)) return false;
    const std::optional<double> shown = e2e::MsUntilShown(second, word.translation, word.text.size() > 1 ? pressed : 0);
    if (!shown || (word.text.size() > 1 && !e2e::SendKey(word.text.back(), e2e::KeyHalf::Release))) return false;
    figures.lookUpMs.push_back(*shown);
    return true;
}

bool HasFocus(HWND control) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(control, nullptr), &info) && info.hwndFocus == control;
}

bool Measure(const e2e::AppFolder& folder, const std::vector<Word>& words, Figures& figures) {
    e2e::LaunchedApp app(folder);
    HWND main = app.WaitForMainWindow(60000);
    if (!main) {
        std::fprintf(stderr, "no main window\n");
        return false;
    }
    e2e::Command(main, kAddCommand);
    HWND add = app.WaitForWindow(kAddClass, nullptr);
    HWND first = add ? GetDlgItem(add, kFirstEdit) : nullptr;
    HWND second = add ? GetDlgItem(add, kSecondEdit) : nullptr;
    if (!first || !second || !e2e::BringToForeground(add) || !e2e::WaitUntil([&] { return HasFocus(first); }, 5000)) {
        std::fprintf(stderr, "no Add window in the foreground with its first edit focused\n");
        return false;
    }
    for (const Word& word : words) {
        if (!TypeWord(first, second, word, figures)) {
            std::fprintf(stderr, "typing %s did not show %s\n", bench::Narrow(word.text).c_str(),
                         bench::Narrow(word.translation).c_str());
            return false;
        }
    }
    e2e::CloseAndExit(app, add, main);
    return true;
}

void Report(const char* what, const std::vector<double>& ms) {
    std::printf("  %-40s median %7.2f ms   worst %7.2f ms   (word %td)\n", what, bench::Median(ms), bench::Worst(ms),
                std::max_element(ms.begin(), ms.end()) - ms.begin() + 1);
}

}  // namespace

int main(int argc, char** argv) {
    const int count = e2e::CountArgument(argc, argv, 1, 30);
    const int size = e2e::CountArgument(argc, argv, 2, 1000000, 1000);
    const e2e::BenchRun run;
    const e2e::AppFolder& folder = run.Folder();
    std::vector<Word> words;
    if (!MakeLists(folder, size, count, words)) return 1;
    std::printf("Add window live look-up, end to end: lingorix.exe on French-English and English-French lists of\n"
                "%d entries (sorted, set up in %.1f s); %zu words of the list typed key by key into the first edit\n\n",
                size, run.SetUpSeconds(), words.size());
    Figures figures;
    if (!Measure(folder, words, figures)) return 1;
    Report("last key pressed -> translation shown", figures.lookUpMs);
    Report("first key pressed -> letter in the edit", figures.letterMs);
    std::printf("\nGoal\n  look-up < %.0f ms: median %.2f ms   %s\n", kGoalMs, bench::Median(figures.lookUpMs),
                bench::Median(figures.lookUpMs) < kGoalMs ? "PASS" : "MISS");
    return 0;
}
