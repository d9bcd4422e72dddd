// Speed of the Translate window on a word list of a million entries, end to end: the
// real lingorix.exe reads a 2 MB text file through its open dialog, and words of the
// text are clicked one after another, each timed from the click's release until the
// first row shows the word.
//
// Usage: translate_bench.exe [clicks (200)] [entries (1000000)] [text bytes (2000000)]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "e2e/benchtyping.h"
#include "e2e/driver.h"
#include "store/catalogue.h"
#include "store/records.h"
#include "support/testenv.h"
#include "text/codepage.h"
#include "text/uistrings.h"
#include "tools/bench/benchsetup.h"

namespace {

constexpr std::size_t kLanguage = 0;  // French, the shipped current word list
constexpr std::size_t kSamples = 4000;
constexpr int kTranslateCommand = 9;
constexpr DWORD kTimeoutMs = 10000;

struct TextWord {
    std::size_t position;  // of its middle letter in the pane's text
    std::wstring word;
};

struct Text {
    std::string bytes;  // the file, in the list's code page
    std::size_t characters = 0;
    std::vector<TextWord> clicks;
};

bool PlainWord(const std::wstring& w) {
    return !w.empty() && std::all_of(w.begin(), w.end(), [](wchar_t c) { return c >= L'a' && c <= L'z'; });
}

// Words of the list, line after line, until the text has its size; the first words
// that differ from the one before are the ones clicked.
Text MakeText(const std::vector<std::wstring>& words, std::size_t bytes, std::size_t clicks) {
    Text text;
    std::wstring line;
    std::wstring previous;
    for (std::size_t i = 0; text.bytes.size() < bytes; ++i) {
        const std::wstring& word = words[i % words.size()];
        if (!PlainWord(word)) continue;
        if (text.clicks.size() < clicks && word != previous)
            text.clicks.push_back({text.characters + word.size() / 2, word});
        previous = word;
        const std::wstring piece = word + ((i % 12 == 11) ? L".\r\n" : L" ");
        text.bytes += ToNarrow(piece, 1252);
        text.characters += piece.size();
    }
    return text;
}

bool MakeLists(const e2e::AppFolder& folder, int size, std::vector<std::wstring>& words) {
    return e2e::MakeSortedLists(folder, kLanguage, size, kSamples,
                                [&](const bench::SortedPair& lists) { words = lists.forwardList.present; }) &&
           !words.empty();
}

std::size_t TextLength(HWND control) {
    DWORD_PTR length = 0;
    SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &length);
    return length;
}

// From the dialog's OK until the pane holds the whole text.
std::optional<double> LoadThroughDialog(const e2e::LaunchedApp& app, HWND window, HWND pane,
                                        const std::wstring& path, std::size_t characters) {
    e2e::Command(window, 1);
    HWND dialog = app.WaitForWindow(L"#32770", nullptr);
    HWND name = nullptr;
    if (!dialog || !e2e::WaitUntil([&] { return (name = GetDlgItem(dialog, 0x47C)) || (name = GetDlgItem(dialog, 0x480)); },
                                   kTimeoutMs))
        return std::nullopt;
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    // Emptied first, so the whole text arriving again can be told from the last load.
    SendMessageW(pane, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    const double start = bench::NowMs();
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    const DWORD begin = GetTickCount();
    while (TextLength(pane) != characters)
        if (GetTickCount() - begin > kTimeoutMs) return std::nullopt;
    return bench::NowMs() - start;
}

std::optional<double> Click(HWND pane, HWND firstRow, const TextWord& word) {
    SendMessageW(pane, EM_SETSEL, word.position, word.position);
    const double start = bench::NowMs();
    PostMessageW(pane, WM_LBUTTONUP, 0, 0);
    const DWORD begin = GetTickCount();
    while (e2e::ControlText(firstRow) != word.word)
        if (GetTickCount() - begin > kTimeoutMs) return std::nullopt;
    return bench::NowMs() - start;
}

double Percentile95(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return ms[std::min(ms.size() - 1, ms.size() * 95 / 100)];
}

}  // namespace

int main(int argc, char** argv) {
    const std::size_t clicks = argc > 1 ? static_cast<std::size_t>(std::max(1, std::atoi(argv[1]))) : 200;
    const int size = e2e::CountArgument(argc, argv, 2, 1000000, 1000);
    const std::size_t bytes = argc > 3 ? static_cast<std::size_t>(std::max(1000, std::atoi(argv[3]))) : 2000000;
    const e2e::BenchRun run;
    const e2e::AppFolder& folder = run.Folder();
    std::vector<std::wstring> words;
    if (!MakeLists(folder, size, words)) return 1;
    const Text text = MakeText(words, bytes, clicks);
    folder.Write(L"reading.txt", text.bytes);

    e2e::LaunchedApp app(folder);
    HWND main = app.WaitForMainWindow(60000);
    if (!main) return 1;
    e2e::Command(main, kTranslateCommand);
    HWND window = app.WaitForWindow(L"vertaal", nullptr);
    HWND pane = window ? e2e::WaitForControl(window, 31) : nullptr;
    HWND firstRow = window ? GetDlgItem(window, 100) : nullptr;
    if (!pane || !firstRow) return 1;

    std::vector<double> loads;
    for (int i = 0; i < 5; ++i) {
        const std::optional<double> ms = LoadThroughDialog(app, window, pane, folder.Full(L"reading.txt"), text.characters);
        if (!ms) {
            std::fprintf(stderr, "the text did not load\n");
            return 1;
        }
        loads.push_back(*ms);
    }
    std::vector<double> clickMs;
    for (const TextWord& word : text.clicks) {
        const std::optional<double> ms = Click(pane, firstRow, word);
        if (!ms) {
            std::fprintf(stderr, "clicking %s did not show it\n", bench::Narrow(word.word).c_str());
            return 1;
        }
        clickMs.push_back(*ms);
    }
    e2e::CloseAndExit(app, window, main);

    std::printf("Translate window, end to end: lingorix.exe on a French-English list of %d entries\n\n", size);
    std::printf("  %zu-byte text file, OK in the dialog -> whole text in the pane (5 loads)\n"
                "      median %7.1f ms   worst %7.1f ms   goal < 300 ms   %s\n",
                text.bytes.size(), bench::Median(loads), bench::Worst(loads), bench::Median(loads) < 300 ? "PASS" : "MISS");
    std::printf("  click in the text -> its word in the first row (%zu clicks)\n"
                "      median %7.2f ms   95th %7.2f ms   worst %7.2f ms   goal < 20 ms   %s\n",
                clickMs.size(), bench::Median(clickMs), Percentile95(clickMs), bench::Worst(clickMs),
                Percentile95(clickMs) < 20 ? "PASS" : "MISS");
    return 0;
}
