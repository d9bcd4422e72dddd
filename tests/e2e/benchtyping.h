// Timing what keys typed from outside do to the program's controls, for the
// end-to-end benchmarks.
#pragma once

#include <windows.h>

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

// The press, the release or both of one character's key.
inline bool SendKey(wchar_t c, KeyHalf half) {
    std::vector<INPUT> inputs;
    AppendCharacterKey(inputs, c, half);
    return SendKeyboardInputs(std::move(inputs));
}

}  // namespace e2e
