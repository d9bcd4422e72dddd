// Look-up speed of the practice list maker on a word list of a million entries, end to
// end: the real lingorix.exe in a data folder whose current word list (French-English)
// is generated and sorted by the store's own code, with one practice list. The maker is
// opened with the main window's make-practice-list command and words of the list are
// typed key by key into its search field; each key that moves the word column is timed
// from the SendInput of its press until the first first-word row, read with
// WM_GETTEXT, shows the entry the store's own search puts there, and then until the
// column's last row shows its entry too (the rows are filled top to bottom). The practice
// list is empty, or holds every n-th entry of the word list when asked for a size, so the
// word column's marks of the words it holds come and go as the column moves.
//
// Usage: maker_bench.exe [timed keys (200)] [entries (1000000)] [practice list entries (0)]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "e2e/benchtyping.h"
#include "e2e/driver.h"
#include "practice/maker.h"
#include "practice/rowscroll.h"
#include "store/catalogue.h"
#include "store/collation.h"
#include "store/folders.h"
#include "store/records.h"
#include "support/testenv.h"
#include "text/uistrings.h"
#include "tools/bench/benchsetup.h"

namespace {

constexpr double kGoalMs = 20.0;
constexpr std::size_t kLanguage = 0;  // French: the shipped current word list is French-English
constexpr std::size_t kSamples = 400;
constexpr int kMakeListCommand = 13;
constexpr wchar_t kPracticeList[] = L"Bench";

// What the first and the last first-word rows show for a search text.
struct Rows {
    std::wstring first;
    std::wstring last;
    bool operator==(const Rows&) const = default;
};
struct Key {
    wchar_t c;
    Rows rows;   // once the key is handled
    bool timed;  // the key changes the first row, so its effect can be seen
};
struct Word {
    std::wstring text;
    Rows emptyRows;  // for the empty search text
    std::vector<Key> keys;
};

Rows RowsFor(const std::wstring& text) {
    const int top = ClampRowTop(FindWordPosition(text), WordCount);
    Rows rows;
    if (ReadWordRecord(top) == 0) rows.first = CurrentEntry.first;
    if (ReadWordRecord(top + kMakerRows - 1) == 0) rows.last = CurrentEntry.first;
    return rows;
}

std::vector<Word> PickWords(const bench::SortedPair& lists, int timedKeys) {
    std::vector<Word> words;
    int timed = 0;
    const Rows empty = RowsFor(L"");
    for (const std::wstring& text : lists.forwardList.present) {
        if (timed >= timedKeys) break;
        if (!e2e::TypedWithLetterKeys(text)) continue;
        Word word{text, empty, {}};
        Rows shown = empty;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const Rows next = RowsFor(text.substr(0, i + 1));
            const bool moved = next.first != shown.first;
            word.keys.push_back({text[i], next, moved});
            if (moved) ++timed;
            shown = next;
        }
        words.push_back(std::move(word));
    }
    return words;
}

// Every n-th record of the word list, `entries` of them.
bool WritePracticeList(const WordListDescriptor& d, int entries) {
    std::string words;
    if (!ReadFileBytes(WordListPath(d), words)) return false;
    const std::size_t count = words.size() / kRecordSize;
    const std::size_t step = std::max<std::size_t>(1, count / static_cast<std::size_t>(entries));
    std::string practice;
    for (std::size_t i = 0; i < count && practice.size() < static_cast<std::size_t>(entries) * kRecordSize; i += step)
        practice.append(words, i * kRecordSize, kRecordSize);
    const std::wstring path = UiText(Ui::PathNameList) + std::wstring(kPracticeList) + L"\\" + PracticeListFileName(d);
    return bench::WriteWholeFile(path, practice);
}

bool MakeList(const e2e::AppFolder& folder, int size, int practiceEntries, int timedKeys, std::vector<Word>& words) {
    bool written = true;
    return e2e::MakeSortedLists(folder, kLanguage, size, kSamples,
                                [&](const bench::SortedPair& lists) {
                                    // With a practice list in place the command opens the
                                    // maker, not the new-list dialog.
                                    MakeFolders(UiText(Ui::PathNameList) + std::wstring(kPracticeList));
                                    if (practiceEntries > 0) written = WritePracticeList(*lists.forward, practiceEntries);
                                    words = PickWords(lists, timedKeys);
                                }) &&
           written && !words.empty();
}

// The maker's two first-word rows of a line share their id with the second-word rows
// beside them; the first-word one is the left one.
HWND FirstWordRow(HWND maker, int row) {
    HWND found = nullptr;
    for (HWND child = GetWindow(maker, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(child) != kMakerFirstWordRow + row) continue;
        if (!found || e2e::WindowRect(child).left < e2e::WindowRect(found).left) found = child;
    }
    return found;
}

struct Figures {
    std::vector<double> firstRowMs;
    std::vector<double> lastRowMs;
};

bool TypeWord(HWND search, HWND firstRow, HWND lastRow, const Word& word, Figures& figures) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(search, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""), SMTO_ABORTIFHUNG, 5000, &result) ||
        !e2e::MsUntilShown(firstRow, word.emptyRows.first, 0) || !e2e::MsUntilShown(lastRow, word.emptyRows.last, 0))
        return false;
    std::wstring typed;
    Rows shown = word.emptyRows;
    for (const Key& key : word.keys) {
        typed += key.c;
        const double pressed = bench::NowMs();
        if (!e2e::SendKey(key.c, e2e::KeyHalf::Press)) return false;
        const std::optional<double> first = e2e::MsUntilShown(firstRow, key.rows.first, pressed);
        const std::optional<double> last = e2e::MsUntilShown(lastRow, key.rows.last, pressed);
        if (!first || !last || !e2e::MsUntilShown(search, typed, 0) || !e2e::SendKey(key.c, e2e::KeyHalf::Release))
            return false;
        if (key.timed) figures.firstRowMs.push_back(*first);
        if (key.rows.last != shown.last) figures.lastRowMs.push_back(*last);
        shown = key.rows;
    }
    return true;
}

bool Measure(const e2e::AppFolder& folder, const std::vector<Word>& words, int timedKeys, Figures& figures) {
    e2e::LaunchedApp app(folder);
    HWND main = app.WaitForMainWindow(60000);
    if (!main) return false;
    e2e::Command(main, kMakeListCommand);
    HWND maker = app.WaitForWindow(kMakerClass, nullptr);
    HWND search = maker ? e2e::WaitForControl(maker, kMakerSearch) : nullptr;
    HWND firstRow = maker ? FirstWordRow(maker, 0) : nullptr;
    HWND lastRow = maker ? FirstWordRow(maker, kMakerRows - 1) : nullptr;
    if (!search || !firstRow || !lastRow || !e2e::BringToForeground(maker)) {
        std::fprintf(stderr, "no maker window in the foreground\n");
        return false;
    }
    const auto type = [&](const Word& word) { return TypeWord(search, firstRow, lastRow, word, figures); };
    if (!e2e::TypeWordsUntil(words, figures.firstRowMs, timedKeys, type)) return false;
    e2e::CloseAndExit(app, maker, main);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const int timedKeys = e2e::CountArgument(argc, argv, 1, 200);
    const int size = e2e::CountArgument(argc, argv, 2, 1000000, 1000);
    const int practiceEntries = e2e::CountArgument(argc, argv, 3, 0, 0);
    const e2e::BenchRun run;
    const e2e::AppFolder& folder = run.Folder();
    std::vector<Word> words;
    if (!MakeList(folder, size, practiceEntries, timedKeys, words)) return 1;
    std::printf("Practice list maker look-up, end to end: lingorix.exe on a French-English list of %d entries\n"
                "(sorted, set up in %.1f s) and a practice list of %d of them; words typed key by key into the\n"
                "maker's search field, %d rows\n\n",
                size, run.SetUpSeconds(), practiceEntries, kMakerRows);
    Figures figures;
    if (!Measure(folder, words, timedKeys, figures)) return 1;
    e2e::PrintTimings("key pressed -> the first row shows the new entry", "keys", figures.firstRowMs);
    e2e::PrintTimings("key pressed -> the last row shows its entry too", "keys", figures.lastRowMs);
    e2e::PrintKeyGoal(figures.firstRowMs, kGoalMs);
    return 0;
}
