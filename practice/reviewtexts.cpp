#include "practice/reviewtexts.h"

#include <windows.h>

#include <algorithm>
#include <cmath>

#include "text/uistrings.h"

namespace {

constexpr double kDaysPerMonth = 30.4375;
constexpr double kDaysPerYear = 365.25;

std::wstring DecimalSign() {
    wchar_t sign[8] = L".";
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, sign, 8) <= 0) return L".";
    return sign;
}

// Whole from ten on, else one decimal unless it is 0.
std::wstring Amount(double value) {
    const long long tenths = std::llround(value * 10.0);
    if (tenths >= 100 || tenths % 10 == 0) return std::to_wstring(std::llround(value));
    return std::to_wstring(tenths / 10) + DecimalSign() + std::to_wstring(tenths % 10);
}

std::wstring WithUnit(const std::wstring& amount, Ui unit) { return amount + L" " + UiText(unit); }

SYSTEMTIME LocalTime(std::int64_t time) {
    constexpr long long kUnixEpochAsFileTime = 116444736000000000ll;
    const long long ticks = time * 10000000ll + kUnixEpochAsFileTime;
    const FILETIME utcFile{static_cast<DWORD>(ticks & 0xFFFFFFFF), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME utc{};
    SYSTEMTIME local{};
    FileTimeToSystemTime(&utcFile, &utc);
    if (!SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) return utc;
    return local;
}

}  // namespace

std::wstring IntervalText(std::int64_t seconds) {
    if (seconds < 3600) return WithUnit(std::to_wstring(std::max<std::int64_t>(1, (seconds + 30) / 60)), Ui::ReviewMinutes);
    if (seconds < 86400) return WithUnit(std::to_wstring((seconds + 1800) / 3600), Ui::ReviewHours);
    const double days = static_cast<double>(seconds) / 86400.0;
    if (days < 30.0) return WithUnit(std::to_wstring(std::llround(days)), Ui::ReviewDays);
    if (days < kDaysPerYear) return WithUnit(Amount(days / kDaysPerMonth), Ui::ReviewMonths);
    return WithUnit(Amount(days / kDaysPerYear), Ui::ReviewYears);
}

std::wstring NextCardText(const NextAvailable& next) {
    if (!next.any) return UiText(Ui::ReviewNoCards);
    const SYSTEMTIME when = LocalTime(next.time);
    wchar_t date[80] = L"";
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &when, nullptr, date, 80);
    std::wstring text = std::wstring(UiText(Ui::ReviewNextCard)) + L" " + date;
    if (!next.wholeDay) {
        wchar_t clock[80] = L"";
        GetTimeFormatW(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &when, nullptr, clock, 80);
        text += std::wstring(L" ") + clock;
    }
    return text;
}
