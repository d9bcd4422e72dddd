// The review's Options dialog: new cards a day, reviews a day and the desired
// retention, kept in the settings.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

struct ReviewOptionValues {
    int newPerDay = 20;
    int reviewsPerDay = 200;
    int retention = 90;  // percent
    bool operator==(const ReviewOptionValues&) const = default;
};

// What the three fields say, or nothing when one is no whole number in its range
// (limits 0 to 99999, retention 80 to 97).
std::optional<ReviewOptionValues> ParseReviewOptions(const std::wstring& newPerDay, const std::wstring& reviewsPerDay,
                                                     const std::wstring& retention);

enum ReviewOptionsControl : int {
    kOptionsNew = 101,
    kOptionsReviews = 102,
    kOptionsRetention = 103,
};

// Modal over the owner; true when the user confirmed new values (now in AppSettings).
bool RunReviewOptions(HWND owner);
