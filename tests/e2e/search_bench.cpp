// Look-up speed of the Search window on a word list of a million entries, end to end:
// the real lingorix.exe in a data folder whose current word list (French-English) is
// generated and sorted by the store's own code. Words of the list are typed key by key
// into the look-up edit; each key that moves the table is timed from the SendInput of
// its press until the last row, read with WM_GETTEXT, shows the entry the store's own
// search puts there (the rows are filled top to bottom, so the last row comes last).
// Then words are copied from this program while the window lies minimized, each timed
// until the restored window's last row shows the copied word's place.
//
// Usage: search_bench.exe [timed keys (200)] [entries (1000000)]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "e2e/benchtyping.h"
#include "e2e/driver.h"
#include "lookup/searchrows.h"
#include "store/catalogue.h"
#include "store/collation.h"
#include "store/records.h"
#include "support/testenv.h"
#include "text/uistrings.h"
#include "tools/bench/benchsetup.h"

namespace {

constexpr double kGoalMs = 20.0;
constexpr double kCopyGoalMs = 50.0;
constexpr std::size_t kLanguage = 0;  // French: the shipped current word list is French-English
constexpr std::size_t kSamples = 400;
constexpr int kRows = 10;
constexpr int kSearchCommand = 12;

struct Key {
    wchar_t c;
    std::wstring lastRow;  // what the last row shows once the key is handled
    bool timed;            // the key changes the last row, so its effect can be seen
};
struct Word {
    std::wstring text;
    std::wstring emptyLastRow;  // the last row for the empty look-up text
    std::vector<Key> keys;
};

std::wstring LastRowFor(const std::wstring& text) {
    const int top = EndClamp(FindWordPosition(text), WordCount, kRows);
    if (ReadWordRecord(top + kRows - 1) != 0) return {};
    return CurrentEntry.deleted ? UiText(Ui::CreateListDeleted) : CurrentEntry.first;
}

std::vector<Word> PickWords(const bench::SortedPair& lists, int timedKeys) {
    std::vector<Word> words;
    int timed = 0;
    const std::wstring empty = LastRowFor(L"");
    for (const std::wstring& text : lists.forwardList.present) {
        if (timed >= timedKeys) break;
        if (!e2e::TypedWithLetterKeys(text)) continue;
        Word word{text, empty, {}};
        std::wstring shown = empty;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const std::wstring next = LastRowFor(text.substr(0, i + 1));
            word.keys.push_back({text[i], next, next != shown});
            if (next != shown) ++timed;
            shown = next;
        }
        words.push_back(std::move(word));
    }
    return words;
}

bool MakeList(const e2e::AppFolder& folder, int size, int timedKeys, std::vector<Word>& words) {
    return e2e::MakeSortedLists(folder, kLanguage, size, kSamples,
                                [&](const bench::SortedPair& lists) { words = PickWords(lists, timedKeys); }) &&
           !words.empty();
}

bool TypeWord(HWND lookUp, HWND lastRow, const Word& word, std::vector<double>& ms) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(lookUp, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""), SMTO_ABORTIFHUNG, 5000, &result) ||
        !e2e::MsUntilShown(lastRow, word.emptyLastRow, 0))
        return false;
    std::wstring typed;
    for (const Key& key : word.keys) {
        typed += key.c;
        const double pressed = bench::NowMs();
        if (!e2e::SendKey(key.c, e2e::KeyHalf::Press)) return false;
        const std::optional<double> shown = e2e::MsUntilShown(lastRow, key.lastRow, pressed);
        if (!shown || !e2e::MsUntilShown(lookUp, typed, 0) || !e2e::SendKey(key.c, e2e::KeyHalf::Release))
            return false;
        if (key.timed) ms.push_back(*shown);
    }
    return true;
}

bool PutOnClipboard(const std::wstring& text) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    bool put = false;
    if (void* data = memory ? GlobalLock(memory) : nullptr) {
        std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(data));
        GlobalUnlock(memory);
        put = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    }
    if (!put && memory) GlobalFree(memory);
    CloseClipboard();
    return put;
}

// Another program copies a word while the window lies minimized: timed from the copy
// until the restored window's last row shows where the word stands.
bool FollowCopies(HWND search, HWND lastRow, const std::vector<Word>& words, std::vector<double>& ms) {
    std::wstring previous = e2e::ControlText(lastRow);
    for (const Word& word : words) {
        const std::wstring& expected = word.keys.back().lastRow;
        if (expected == previous) continue;
        ShowWindow(search, SW_MINIMIZE);
        if (!e2e::WaitUntil([&] { return IsIconic(search) != FALSE; }, 5000)) return false;
        const double copied = bench::NowMs();
        if (!PutOnClipboard(word.text)) return false;
        const std::optional<double> shown = e2e::MsUntilShown(lastRow, expected, copied);
        if (!shown) return false;
        ms.push_back(*shown);
        previous = expected;
    }
    return true;
}

bool Measure(const e2e::AppFolder& folder, const std::vector<Word>& words, int timedKeys, std::vector<double>& ms,
             std::vector<double>& copyMs) {
    e2e::LaunchedApp app(folder);
    HWND main = app.WaitForMainWindow(60000);
    if (!main) return false;
    e2e::Command(main, kSearchCommand);
    HWND search = app.WaitForWindow(L"zoeken", nullptr);
    HWND lookUp = search ? GetDlgItem(search, 30) : nullptr;
    HWND lastRow = search ? GetDlgItem(search, 100 + kRows - 1) : nullptr;
    if (!lookUp || !lastRow || !e2e::BringToForeground(search)) {
        std::fprintf(stderr, "no Search window in the foreground\n");
        return false;
    }
    const auto type = [&](const Word& word) { return TypeWord(lookUp, lastRow, word, ms); };
    if (!e2e::TypeWordsUntil(words, ms, timedKeys, type)) return false;
    if (!FollowCopies(search, lastRow, words, copyMs)) {
        std::fprintf(stderr, "a copied word did not show in the rows\n");
        return false;
    }
    e2e::CloseAndExit(app, search, main);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const int timedKeys = e2e::CountArgument(argc, argv, 1, 200);
    const int size = e2e::CountArgument(argc, argv, 2, 1000000, 1000);
    const e2e::BenchRun run;
    const e2e::AppFolder& folder = run.Folder();
    std::vector<Word> words;
    if (!MakeList(folder, size, timedKeys, words)) return 1;
    std::printf("Search window look-up, end to end: lingorix.exe on a French-English list of %d entries\n"
                "(sorted, set up in %.1f s); words typed key by key into the look-up edit, %d rows\n\n",
                size, run.SetUpSeconds(), kRows);
    std::vector<double> ms;
    std::vector<double> copyMs;
    e2e::profile::Set(L"ClipSearch", L"1");
    const bool ran = Measure(folder, words, timedKeys, ms, copyMs);
    e2e::profile::Clear();
    if (!ran) return 1;
    e2e::PrintTimings("key pressed -> all rows show the new entries", "keys", ms);
    e2e::PrintTimings("a copy in another program -> the restored window's rows show it", "copies", copyMs);
    e2e::PrintKeyGoal(ms, kGoalMs);
    std::printf("  copies < %.0f ms: median %s\n", kCopyGoalMs, bench::Median(copyMs) < kCopyGoalMs ? "PASS" : "MISS");
    return 0;
}
