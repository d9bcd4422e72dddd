// Start-up time of lingorix.exe next to that of the smallest Win32 program: both
// are started N times (default 10) and timed from CreateProcessW to a visible main
// window. Usage: startup_bench.exe [runs]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "e2e/driver.h"

namespace {

struct Timing {
    std::vector<double> ms;
    int failures = 0;
    double Median() const {
        std::vector<double> sorted = ms;
        std::sort(sorted.begin(), sorted.end());
        const std::size_t n = sorted.size();
        return n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
    }
    double Min() const { return *std::min_element(ms.begin(), ms.end()); }
};

double MillisecondsSince(LONGLONG start) {
    LARGE_INTEGER now{}, frequency{};
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - start) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// One start: the time to the first visible window of the class, then a normal close.
void TimeOneStart(e2e::LaunchedApp& app, const wchar_t* className, Timing& timing, bool lingorix) {
    HWND window = app.WaitForWindow(className, nullptr, 30000);
    if (!window) {
        ++timing.failures;
        return;
    }
    timing.ms.push_back(MillisecondsSince(app.StartCounter()));
    if (lingorix)
        e2e::Command(window, 3);
    else
        PostMessageW(window, WM_CLOSE, 0, 0);
    if (!app.WaitForExit(15000)) app.Kill();
}

void Report(const char* name, const Timing& timing) {
    if (timing.ms.empty()) {
        std::printf("%-16s no successful start (%d failed)\n", name, timing.failures);
        return;
    }
    std::printf("%-16s median %8.1f ms   min %8.1f ms   (%zu runs, %d failed)\n", name, timing.Median(),
                timing.Min(), timing.ms.size(), timing.failures);
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    e2e::AppFolder folder;
    e2e::profile::Clear();
    const std::wstring minimal = e2e::OwnDirectory() + L"\\minimal_window.exe";
    Timing program, baseline;
    for (int i = 0; i < runs; ++i) {
        {
            e2e::LaunchedApp app(minimal, folder.Path(), L"");
            if (app.Started())
                TimeOneStart(app, L"minimalwindow", baseline, false);
            else
                ++baseline.failures;
        }
        {
            e2e::LaunchedApp app(folder);
            if (app.Started())
                TimeOneStart(app, L"tavok", program, true);
            else
                ++program.failures;
        }
    }
    Report("lingorix.exe", program);
    Report("minimal_window", baseline);
    if (!program.ms.empty() && !baseline.ms.empty())
        std::printf("ratio (median)   %.2f\nratio (min)      %.2f\n", program.Median() / baseline.Median(),
                    program.Min() / baseline.Min());
    e2e::profile::Clear();
    return program.ms.empty() || baseline.ms.empty() ? 1 : 0;
}
