// Word order of a word list: a language's sort table when it has one, otherwise
// the case-blind collation of its locale.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "store/catalogue.h"

using SortTable = std::array<unsigned char, 256>;

// The table of the current word list's first language (zeros until one is loaded).
extern SortTable ActiveSortTable;

// Sort table file of a language: tables\<name>.stb
std::wstring SortTablePath(const std::wstring& languageName);
// A table from a file's bytes: bytes beyond 256 are ignored, missing weights are 0.
SortTable SortTableFromBytes(std::string_view bytes);
// Loads the current word list's table when it has one; a table that cannot be read
// is reported and the previous one stays.
void LoadSortTable();

// The weight string of an 8-bit word: weight 1 is skipped, weight 0 ends the word.
std::string WeightString(std::string_view word8, const SortTable& table);
// Compares two words of the current word list's first language through the active table.
int CompareWords(std::wstring_view a, std::wstring_view b);
// The comparison the current word list is ordered by (table or locale).
int CompareFirstWords(std::wstring_view a, std::wstring_view b);
// A byte string whose plain order is CompareFirstWords' order, for sorting on keys.
void AppendFirstWordKey(const WordListDescriptor& d, std::wstring_view word, std::string& out);

// Binary search of the word list file: the index of the word, or where it would be
// inserted (at most WordCount).
int FindWordPosition(std::wstring_view word);
// The same over the first `limit` records only (the part known to be sorted); at most limit.
int FindWordPosition(std::wstring_view word, int limit);
