// The review on a practice list of 100 000 entries with a review log of 1 000 000
// answers, end to end: the real lingorix.exe, sounds off. Times the opening of the
// review window (the practise command posted until the first card shows), first while
// the log has no snapshot and then as it opens every other time, each grade until the
// next card shows, and the Progress window (its command posted until it stands painted).
//
// Usage: review_bench.exe [entries (100000)] [log lines (1000000)] [grades (100)] [openings (5)]
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "e2e/benchtyping.h"
#include "e2e/driver.h"
#include "practice/reviewlog.h"
#include "store/records.h"
#include "tools/bench/benchsetup.h"

namespace {

constexpr int kPractiseCommand = 11;
constexpr int kProgressCommand = 67;
constexpr long long kNow = 1718020800;  // 2024-06-10 12:00 UTC, the program's clock
constexpr long long kDay = 86400;
constexpr double kOpenGoalMs = 300.0;
constexpr double kGradeGoalMs = 20.0;
constexpr double kProgressGoalMs = 300.0;

void WritePracticeList(const e2e::AppFolder& folder, int entries) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(entries) * kRecordSize);
    for (int i = 0; i < entries; ++i) {
        const WordRecord r = EncodeRecord({L"w" + std::to_wstring(i), L"t" + std::to_wstring(i), 0}, 1252, 1252);
        bytes.append(reinterpret_cast<const char*>(r.bytes), kRecordSize);
    }
    folder.Write(L"practice\\Basics\\Fre_Eng.ls", bytes);
    folder.Write(L"practice\\Basics\\Eng_Fre.ls", "");
}

// The cards answered over the last months, the oldest answers first; each card's last
// answer leaves it due somewhere between five days ago and two months ahead.
void WriteLog(const e2e::AppFolder& folder, int entries, int lines) {
    const int rounds = std::max(1, lines / entries);
    std::string log = "# Lingorix review log 1\n";
    log.reserve(static_cast<std::size_t>(lines) * 70);
    int written = 0;
    for (int round = 0; round < rounds && written < lines; ++round) {
        for (int i = 0; i < entries && written < lines; ++i, ++written) {
            const long long time = kNow - (rounds - round) * 20 * kDay + (i * 37LL) % 80000;
            const bool last = round + 1 == rounds;
            const long long due = last ? kNow + ((i % 65) - 5) * kDay : time + 20 * kDay;
            const Grade grade = i % 9 == 0 ? Grade::Again : Grade::Good;
            const CardMemory after{CardPhase::Review, 0, 20.0 + round, 4.5, due, time};
            const std::string number = std::to_string(i);
            const std::string key = CardKey(std::string(1, 'w').append(number), std::string(1, 't').append(number));
            log += FormatLogLine({time, key, grade, after});
        }
    }
    folder.Write(L"practice\\Basics\\Fre_Eng.review", log);
}

HWND FindWindowOf(const e2e::LaunchedApp& app, const wchar_t* className) {
    for (HWND w : app.Windows(true))
        if (e2e::ClassName(w) == className) return w;
    return nullptr;
}

// The practise command until the review window shows a card; its time, or a negative one.
double OpenReview(const e2e::LaunchedApp& app, HWND main, HWND& window) {
    const double start = bench::NowMs();
    e2e::Command(main, kPractiseCommand);
    HWND question = nullptr;
    e2e::WaitUntil(
        [&] {
            window = FindWindowOf(app, L"herhalen");
            question = window ? GetDlgItem(window, 45) : nullptr;
            return question && !e2e::ControlText(question).empty();
        },
        60000);
    return question ? bench::NowMs() - start : -1;
}

bool CloseReview(HWND window, HWND main) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    return e2e::WaitUntil([&] { return IsWindowVisible(main) != FALSE; }, 60000);
}

bool GradeCards(HWND window, int grades, std::vector<double>& gradeMs) {
    HWND question = GetDlgItem(window, 45);
    HWND solution = GetDlgItem(window, 46);
    if (!e2e::BringToForeground(window)) return false;
    for (int g = 0; g < grades; ++g) {
        if (!e2e::SendKey(L' ', e2e::KeyHalf::Both)) return false;
        const DWORD begin = GetTickCount();
        while (e2e::ControlText(solution).empty())
            if (GetTickCount() - begin > 5000) return false;
        const std::wstring asked = e2e::ControlText(question);
        const double pressed = bench::NowMs();
        if (!e2e::SendKey(L'3', e2e::KeyHalf::Both)) return false;
        while (!e2e::ControlText(solution).empty() || e2e::ControlText(question) == asked)
            if (GetTickCount() - begin > 5000) return false;
        gradeMs.push_back(bench::NowMs() - pressed);
    }
    return true;
}

double OpenProgress(const e2e::LaunchedApp& app, HWND main) {
    const double start = bench::NowMs();
    e2e::Command(main, kProgressCommand);
    HWND window = nullptr;
    e2e::WaitUntil([&] { return (window = FindWindowOf(app, L"voortgang")) != nullptr; }, 60000);
    if (!window) return -1;
    // It is painted before it shows; the answer to a message says the handler is done.
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
    const double ms = bench::NowMs() - start;
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (!e2e::WaitUntil([&] { return IsWindowVisible(main) != FALSE; }, 60000)) return -1;
    return ms;
}

void Report(const char* what, const std::vector<double>& ms, double goal) {
    std::printf("  %-44s median %8.2f ms   worst %8.2f ms   goal < %.0f ms: %s\n", what, bench::Median(ms),
                bench::Worst(ms), goal, bench::Median(ms) < goal ? "PASS" : "MISS");
}

}  // namespace

int main(int argc, char** argv) {
    const int entries = e2e::CountArgument(argc, argv, 1, 100000);
    const int lines = e2e::CountArgument(argc, argv, 2, 1000000);
    const int grades = e2e::CountArgument(argc, argv, 3, 100);
    const int openings = e2e::CountArgument(argc, argv, 4, 5);
    e2e::BenchRun run;
    e2e::profile::Set(L"PracticeMode", L"2");
    e2e::profile::Set(L"PracticeSound", L"0");
    e2e::profile::Set(L"ReviewClock", std::to_wstring(kNow));
    WritePracticeList(run.Folder(), entries);
    WriteLog(run.Folder(), entries, lines);
    std::printf("Review, end to end: lingorix.exe on a practice list of %d entries with a review log of %d answers\n"
                "(set up in %.1f s); %d openings, %d grades, %d Progress windows\n\n",
                entries, lines, run.SetUpSeconds(), openings, grades, openings);

    e2e::LaunchedApp app(run.Folder());
    HWND main = app.WaitForMainWindow(60000);
    if (!main) return 1;
    HWND window = nullptr;
    std::vector<double> firstMs{OpenReview(app, main, window)};
    if (firstMs[0] < 0 || !CloseReview(window, main)) return 1;
    std::vector<double> openMs;
    std::vector<double> gradeMs;
    for (int n = 0; n < openings; ++n) {
        openMs.push_back(OpenReview(app, main, window));
        if (openMs.back() < 0) return 1;
        if (n + 1 == openings && !GradeCards(window, grades, gradeMs)) {
            std::fprintf(stderr, "the review window did not answer as expected\n");
            return 1;
        }
        if (!CloseReview(window, main)) return 1;
    }
    std::vector<double> progressMs;
    for (int n = 0; n < openings; ++n) {
        progressMs.push_back(OpenProgress(app, main));
        if (progressMs.back() < 0) return 1;
    }
    app.Exit(main);

    Report("first opening (whole log read, no snapshot)", firstMs, kOpenGoalMs);
    Report("practise command -> first card", openMs, kOpenGoalMs);
    Report("grade key -> next card", gradeMs, kGradeGoalMs);
    Report("Progress command -> window painted", progressMs, kProgressGoalMs);
    return 0;
}
