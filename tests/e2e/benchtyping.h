// Timing what keys typed from outside do to the program's controls, for the
// end-to-end benchmarks.
#pragma once

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "e2e/driver.h"
#include "support/testenv.h"
#include "tools/bench/benchsetup.h"

namespace e2e {

// Reads the control as fast as the program answers until it shows the text; the
// milliseconds since `start` then, or nothing after the timeout.
inline std::optional<double> MsUntilShown(HWND control, const std::wstring& text, double start,
                                          DWORD timeoutMs = 5000) {
    const DWORD begin = GetTickCount();
    while (ControlText(control) != text)
        if (GetTickCount() - begin > timeoutMs) return std::nullopt;
    return bench::NowMs() - start;
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

// The press, the release or both of one character's key.
inline bool SendKey(wchar_t c, KeyHalf half) {
    std::vector<INPUT> inputs;
    AppendCharacterKey(inputs, c, half);
    return SendKeyboardInputs(std::move(inputs));
}

}  // namespace e2e
