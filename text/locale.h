// The collation locale of the current word list's first language.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

// Sets the collation category (only) for a language's locale name; false when the
// name is not accepted, in which case the previous collation stays in force.
bool SetCollationLocale(const std::wstring& name);

// The runtime locale names SetCollationLocale tries for a language's locale name, in order.
std::vector<std::wstring> CollationLocaleCandidates(const std::wstring& name);

// The locale the runtime collates with now; 0 while no locale was set (the "C" locale).
LCID CollationLocaleId();

// Case-blind locale collation of two words: -1, 0 or 1. Without a collation locale,
// code units are compared after folding A-Z.
int CollateIgnoreCase(std::wstring_view a, std::wstring_view b);

// A byte string whose plain byte order equals CollateIgnoreCase's order, so large
// lists can be sorted on precomputed keys instead of pairwise locale calls.
std::string CollationSortKey(std::wstring_view word);
void AppendCollationSortKey(std::wstring_view word, std::string& out);
