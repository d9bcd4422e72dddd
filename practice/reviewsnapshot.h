// The snapshot beside a review log: every card's state and the answers per day as the
// log leaves them, so a review opens without reading a million answers again. Text,
// replaced whole; only a cache, made again from the log whenever it does not fit it.
#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <string_view>

#include "practice/reviewlog.h"

// The snapshot of a history: text, replaced whole. Days before `firstDay` are left out.
std::string FormatSnapshot(const ReviewHistory& history, int firstDay = std::numeric_limits<int>::min());
// False, and `history` empty, when the bytes are no snapshot of this program.
bool ParseSnapshot(std::string_view bytes, ReviewHistory& history);
bool SaveSnapshot(const std::wstring& path, const ReviewHistory& history,
                  int firstDay = std::numeric_limits<int>::min());

struct HistoryLoad {
    bool rebuilt = false;       // the snapshot was missing, damaged or of another log
    bool unreadable = false;    // the log is there but could not be read: the history lacks it
    std::uint64_t tailBytes = 0;  // bytes of the log read after the snapshot
};
// The history of a log: from its snapshot and the lines written since, or from the
// whole log when the snapshot does not fit it. Never fails: a missing or unreadable log
// gives an empty history. `longWork` is called once before a read of many bytes.
HistoryLoad LoadHistory(const std::wstring& logPath, const std::wstring& snapshotPath, std::int64_t now,
                        const ReviewCalendar& calendar, ReviewHistory& history,
                        const std::function<void()>& longWork = {});
