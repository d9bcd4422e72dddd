// Opening speed of the word list overview, end to end: the real lingorix.exe in a data
// folder with 50 foreign languages, so 100 word lists of 100 000 entries each. Each
// opening is timed from posting the Help menu's overview command until the overview
// is on screen with all 100 rows in its list view and nothing of it left to paint.
// The counts come from the file sizes, so the files are made at full size without
// writing their records.
//
// Usage: overview_bench.exe [openings (10)]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include <commctrl.h>

#include "e2e/driver.h"
#include "store/records.h"
#include "tools/bench/benchsetup.h"
#include "win/handles.h"

namespace {

constexpr double kGoalMs = 500.0;
constexpr int kLanguages = 50;
constexpr int kRows = 2 * kLanguages;
constexpr long long kEntries = 100000;
constexpr int kOverviewCommand = 63;
constexpr wchar_t kOverviewClass[] = L"info";
constexpr DWORD kOpenTimeoutMs = 10000;
constexpr int kCharsets[] = {0, 161, 162, 238, 204, 186, 129, 128, 134, 136, 163, 222, 177};

// Distinct three-letter stems, so every language has files of its own.
std::wstring LanguageName(int i) {
    return std::wstring{static_cast<wchar_t>(L'A' + i / 26), static_cast<wchar_t>(L'a' + i % 26), L'x'} + L"ish";
}

bool MakeFullSizeFile(const std::wstring& path, long long size) {
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER end{};
    end.QuadPart = size;
    return file && SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN) && SetEndOfFile(file.Get());
}

bool MakeLanguages(const e2e::AppFolder& folder) {
    std::string file = "[Languages]\r\n";
    for (int i = 0; i < kLanguages; ++i) {
        const std::string name = bench::Narrow(LanguageName(i));
        file += name + ",english," + std::to_string(kCharsets[i % std::size(kCharsets)]) + "\r\n";
        const std::wstring stem = LanguageName(i).substr(0, 3);
        for (const std::wstring& list : {stem + L"_Eng.tvk", L"Eng_" + stem + L".tvk"})
            if (!MakeFullSizeFile(folder.Full(L"wordlists\\" + list), kEntries * static_cast<long long>(kRecordSize)))
                return false;
    }
    file += "\r\n[Selected]\r\n" + bench::Narrow(LanguageName(0).substr(0, 3)) + "_Eng.tvk\r\n";
    folder.Write(L"languages.ini", file);
    return true;
}

LRESULT Ask(HWND window, UINT message) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, message, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) ? static_cast<LRESULT>(result)
                                                                                      : -1;
}

HWND OverviewOf(const e2e::LaunchedApp& app) {
    HWND window = FindWindowW(kOverviewClass, nullptr);
    DWORD owner = 0;
    if (window) GetWindowThreadProcessId(window, &owner);
    return owner == app.ProcessId() ? window : nullptr;
}

// Polled without pause, so the moment it holds is seen at once.
std::optional<double> OpenOnce(const e2e::LaunchedApp& app, HWND main, HWND& overview) {
    const double start = bench::NowMs();
    e2e::Command(main, kOverviewCommand);
    const DWORD begin = GetTickCount();
    for (;;) {
        overview = OverviewOf(app);
        HWND list = overview ? GetDlgItem(overview, 1) : nullptr;
        if (list && IsWindowVisible(overview) && Ask(list, LVM_GETITEMCOUNT) == kRows &&
            !GetUpdateRect(list, nullptr, FALSE) && !GetUpdateRect(overview, nullptr, FALSE))
            return bench::NowMs() - start;
        if (GetTickCount() - begin > kOpenTimeoutMs) return std::nullopt;
    }
}

// Every pair in catalogue order with the full count.
bool RowsRight(HWND overview) {
    const std::vector<std::vector<std::wstring>> rows = e2e::ListViewRows(GetDlgItem(overview, 1), 2);
    if (rows.size() != kRows) return false;
    for (int i = 0; i < kRows; ++i) {
        const std::wstring language = LanguageName(i % kLanguages);
        const std::wstring pair = i < kLanguages ? language + L" - English" : L"English - " + language;
        if (rows[i] != std::vector<std::wstring>{pair, std::to_wstring(kEntries)}) return false;
    }
    return true;
}

bool Close(HWND overview, HWND main) {
    PostMessageW(overview, WM_CLOSE, 0, 0);
    return e2e::WaitUntil([&] { return !IsWindow(overview) && IsWindowVisible(main); }, 15000);
}

}  // namespace

int main(int argc, char** argv) {
    const int openings = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    e2e::AppFolder folder;
    e2e::profile::Clear();
    if (!MakeLanguages(folder)) {
        std::fprintf(stderr, "cannot make the word lists\n");
        return 1;
    }
    e2e::LaunchedApp app(folder);
    HWND main = app.WaitForMainWindow(60000);
    if (!main) {
        std::fprintf(stderr, "no main window\n");
        return 1;
    }
    std::vector<double> ms;
    for (int i = 0; i < openings; ++i) {
        HWND overview = nullptr;
        const std::optional<double> opened = OpenOnce(app, main, overview);
        if (!opened) {
            std::fprintf(stderr, "opening %d: no overview with %d rows in time\n", i + 1, kRows);
            return 1;
        }
        if (i == 0 && !RowsRight(overview)) {
            std::fprintf(stderr, "the overview's rows are not the %d lists of %lld entries\n", kRows, kEntries);
            return 1;
        }
        ms.push_back(*opened);
        if (!Close(overview, main)) {
            std::fprintf(stderr, "the overview did not close\n");
            return 1;
        }
    }
    app.Exit(main);
    e2e::profile::Clear();
    std::printf("Word list overview, end to end: lingorix.exe with %d languages (%d lists of %lld entries);\n"
                "%d openings, each from the command to all rows on screen\n\n",
                kLanguages, kRows, kEntries, openings);
    std::printf("  first %7.1f ms   median %7.1f ms   worst %7.1f ms\n", ms.front(), bench::Median(ms),
                bench::Worst(ms));
    std::printf("\nGoal\n  open < %.0f ms: worst %.1f ms   %s\n", kGoalMs, bench::Worst(ms),
                bench::Worst(ms) < kGoalMs ? "PASS" : "MISS");
    return 0;
}
