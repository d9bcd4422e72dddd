#include "text/locale.h"

#include <clocale>
#include <cwchar>
#include <vector>

#include "text/codepage.h"

// The runtime keeps one locale id per category; this is how its collation functions
// learn which locale to use, so the program asks it the same way.
extern "C" __declspec(dllimport) LCID* ___lc_handle_func(void);

namespace {

constexpr DWORD kCollationFlags = NORM_IGNORECASE | SORT_STRINGSORT;

bool TrySet(const wchar_t* name) { return _wsetlocale(LC_COLLATE, name) != nullptr; }

wchar_t FoldAscii(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

}  // namespace

std::vector<std::wstring> CollationLocaleCandidates(const std::wstring& name) {
    if (EqualsIgnoreAsciiCase(name, L"esperanto") || EqualsIgnoreAsciiCase(name, L"russkij")) return {L"english_usa.1252"};
    // The runtime knows Serbian Cyrillic under the country's old name on older systems.
    if (EqualsIgnoreAsciiCase(name, L"serbian"))
        return {L"serbian (cyrillic)_Serbia.1251", L"serbian (cyrillic)_Serbia and Montenegro.1251"};
    return {name};
}

bool SetCollationLocale(const std::wstring& name) {
    for (const std::wstring& candidate : CollationLocaleCandidates(name))
        if (TrySet(candidate.c_str())) return true;
    return false;
}

LCID CollationLocaleId() {
    const LCID* ids = ___lc_handle_func();
    return ids ? ids[LC_COLLATE] : 0;
}

int CollateIgnoreCase(std::wstring_view a, std::wstring_view b) {
    const LCID lcid = CollationLocaleId();
    if (lcid != 0) {
        const int r = CompareStringW(lcid, kCollationFlags, a.data(), static_cast<int>(a.size()), b.data(),
                                     static_cast<int>(b.size()));
        if (r != 0) return r - CSTR_EQUAL;
    }
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const wchar_t x = FoldAscii(a[i]), y = FoldAscii(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

void AppendCollationSortKey(std::wstring_view word, std::string& out) {
    const LCID lcid = CollationLocaleId();
    if (lcid != 0 && !word.empty()) {
        // A word of at most a few dozen characters has a key of a few hundred bytes.
        BYTE key[1024];
        const int n = LCMapStringW(lcid, LCMAP_SORTKEY | kCollationFlags, word.data(), static_cast<int>(word.size()),
                                   reinterpret_cast<LPWSTR>(key), sizeof key);
        if (n > 0) {
            // The key ends in a zero byte, which keeps a prefix ordered before longer words.
            out.append(reinterpret_cast<const char*>(key), static_cast<std::size_t>(n));
            return;
        }
    }
    // The "C" locale: folded code units, big-endian so byte order is code unit order,
    // with a terminating pair of zero bytes that sorts first.
    for (const wchar_t c : word) {
        const wchar_t f = FoldAscii(c);
        out.push_back(static_cast<char>((f >> 8) & 0xFF));
        out.push_back(static_cast<char>(f & 0xFF));
    }
    out.push_back('\0');
    out.push_back('\0');
}

std::string CollationSortKey(std::wstring_view word) {
    std::string key;
    AppendCollationSortKey(word, key);
    return key;
}
