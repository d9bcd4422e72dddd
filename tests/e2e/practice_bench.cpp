// Typed practice on a practice list of 100 000 entries, end to end: the real
// lingorix.exe with sounds off. Times the opening (the practise command posted until
// the window shows its first question) and each right answer (the Enter key's press
// sent until the next question shows).
//
// Usage: practice_bench.exe [answers (200)] [entries (100000)] [openings (5)]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "e2e/benchtyping.h"
#include "e2e/driver.h"
#include "store/records.h"
#include "tools/bench/benchsetup.h"

namespace {

constexpr int kPractiseCommand = 11;
constexpr double kOpenGoalMs = 200.0;
constexpr double kAnswerGoalMs = 20.0;

// Entry i asks "wi" and wants "ti", so every question's answer is known from outside.
void WritePracticeList(const e2e::AppFolder& folder, int entries) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(entries) * kRecordSize);
    for (int i = 0; i < entries; ++i) {
        const WordRecord r = EncodeRecord({L"w" + std::to_wstring(i), L"t" + std::to_wstring(i), 0}, 1252, 1252);
        bytes.append(reinterpret_cast<const char*>(r.bytes), kRecordSize);
    }
    folder.Write(L"practice\\Basics\\Fre_Eng.ls", bytes);
}

bool Run(const e2e::AppFolder& folder, int answers, int openings, std::vector<double>& openMs,
         std::vector<double>& answerMs) {
    e2e::LaunchedApp app(folder);
    HWND main = app.WaitForMainWindow(60000);
    if (!main) return false;
    for (int n = 0; n < openings; ++n) {
        const double start = bench::NowMs();
        e2e::Command(main, kPractiseCommand);
        HWND window = nullptr;
        HWND question = nullptr;
        e2e::WaitUntil(
            [&] {
                for (HWND w : app.Windows(true))
                    if (e2e::ClassName(w) == L"leren2") window = w;
                question = window ? GetDlgItem(window, 45) : nullptr;
                return question && !e2e::ControlText(question).empty();
            },
            15000);
        if (!question) return false;
        openMs.push_back(bench::NowMs() - start);
        HWND answer = GetDlgItem(window, 30);
        const bool last = n + 1 == openings;
        if (last && !e2e::BringToForeground(window)) return false;
        for (int a = 0; last && a < answers; ++a) {
            const std::wstring asked = e2e::ControlText(question);
            const std::wstring right = L"t" + asked.substr(1);
            SendMessageW(answer, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(right.c_str()));
            const double pressed = bench::NowMs();
            if (!e2e::SendKey(L'\r', e2e::KeyHalf::Both)) return false;
            const DWORD begin = GetTickCount();
            while (e2e::ControlText(question) == asked)
                if (GetTickCount() - begin > 5000) return false;
            answerMs.push_back(bench::NowMs() - pressed);
        }
        PostMessageW(window, WM_CLOSE, 0, 0);
        if (!e2e::WaitUntil([&] { return IsWindowVisible(main) != FALSE; }, 15000)) return false;
    }
    app.Exit(main);
    return true;
}

void Report(const char* what, const std::vector<double>& ms, double goal) {
    std::printf("  %-36s median %7.2f ms   worst %7.2f ms   goal < %.0f ms: %s\n", what, bench::Median(ms),
                bench::Worst(ms), goal, bench::Median(ms) < goal ? "PASS" : "MISS");
}

}  // namespace

int main(int argc, char** argv) {
    const int answers = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    const int entries = argc > 2 ? std::max(answers + 1, std::atoi(argv[2])) : 100000;
    const int openings = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
    bench::RouteMessagesToStderr();
    e2e::AppFolder folder;
    e2e::profile::Clear();
    e2e::profile::Set(L"PracticeMode", L"1");
    e2e::profile::Set(L"PracticeSound", L"0");
    WritePracticeList(folder, entries);
    std::printf("Typed practice, end to end: lingorix.exe on a practice list of %d entries, sounds off;\n"
                "%d openings, then %d right answers\n\n",
                entries, openings, answers);
    std::vector<double> openMs;
    std::vector<double> answerMs;
    const bool ran = Run(folder, answers, openings, openMs, answerMs);
    e2e::profile::Clear();
    if (!ran) {
        std::fprintf(stderr, "the practice window did not answer as expected\n");
        return 1;
    }
    Report("practise command -> first question", openMs, kOpenGoalMs);
    Report("Enter on a right answer -> next one", answerMs, kAnswerGoalMs);
    return 0;
}
