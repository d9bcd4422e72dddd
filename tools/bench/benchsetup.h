// The store benchmark's common ground: the languages and words of its generated lists,
// output and clock helpers, and the store set up the way the program sets it up.
#pragma once

#include <windows.h>

#ifndef PSAPI_VERSION
#define PSAPI_VERSION 2
#endif
#include <psapi.h>

#include <array>
#include <cstdint>
#include <cwchar>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "store/catalogue.h"
#include "store/records.h"

namespace bench {

// ---------------------------------------------------------------------------------
// The languages of the generated lists.

struct BenchLanguage {
    const wchar_t* name;        // first language name, also the catalogue's
    const char* catalogueLine;  // name,locale,character set
    UINT codePage;
    bool sortTable;  // ordered through tables\<name>.stb instead of the locale
    const wchar_t* consonants;
    const wchar_t* vowels;
    const wchar_t* accented;  // vowels with marks, and letters that are rarer
};

inline constexpr std::array<BenchLanguage, 3> kLanguages{{
    {L"French", "French,french,0", 1252, false, L"bcdfghjlmnprstvbcdlmnprst", L"aeiouaeiou",
     L"\u00e9\u00e8\u00ea\u00e0\u00e2\u00ee\u00f4\u00fb\u00e7\u00eb\u00ef\u00f9\u00e9"},
    {L"Russian", "Russian,russian,204", 1251, false,
     L"\u0431\u0432\u0433\u0434\u0436\u0437\u043a\u043b\u043c\u043d\u043f\u0440\u0441\u0442\u0444\u0445\u0446"
     L"\u0447\u0448\u0449",
     L"\u0430\u0435\u0438\u043e\u0443\u044b\u044d\u044e\u044f",
     L"\u0451\u0439\u044c\u044a"},
    {L"Greek", "Greek,greek,161", 1253, true,
     L"\u03b2\u03b3\u03b4\u03b6\u03b8\u03ba\u03bb\u03bc\u03bd\u03be\u03c0\u03c1\u03c3\u03c4\u03c6\u03c7\u03c8",
     L"\u03b1\u03b5\u03b7\u03b9\u03bf\u03c5\u03c9",
     L"\u03ac\u03ad\u03ae\u03af\u03cc\u03cd\u03ce\u03ca\u03cb"},
}};

inline constexpr wchar_t kEnglishConsonants[] = L"bcdfghklmnprstvwbcdlmnrst";
inline constexpr wchar_t kEnglishVowels[] = L"aeiouaeioy";
// The other side of every pair: the first language of the reverse lists.
inline constexpr BenchLanguage kEnglish{L"English", "", 1252, false, kEnglishConsonants, kEnglishVowels, nullptr};

// ---------------------------------------------------------------------------------
// Word generator: pronounceable words of 3-14 letters, alternating consonants and
// vowels with the odd cluster, accents and capital; translations are English words
// unless another language is given for them (a reverse list).

class WordGenerator {
public:
    WordGenerator(const BenchLanguage& language, std::uint32_t seed, const BenchLanguage& translations = kEnglish)
        : language_(language), translations_(translations), rng_(seed) {}

    WordEntry Next() {
        WordEntry entry;
        entry.first = FirstWord();
        entry.second = Translations();
        entry.deleted = Chance(2, 100) ? 1 : 0;
        return entry;
    }

    std::wstring FirstWord() {
        std::wstring word = Word(language_.consonants, language_.vowels, language_.accented);
        // Some entries are two words ("pomme de terre", "arc-en-ciel"), at most 30 letters.
        if (Chance(4, 100)) {
            const std::wstring more = Word(language_.consonants, language_.vowels, language_.accented);
            if (word.size() + 1 + more.size() <= kFirstWordMaxBytes) word += (Chance(1, 2) ? L" " : L"-") + more;
        }
        if (Chance(3, 100)) {
            wchar_t first[2] = {word[0], 0};
            CharUpperW(first);
            word[0] = first[0];
        }
        // Greek writes a final sigma at the end of a word.
        if (language_.codePage == 1253 && word.back() == L'\u03c3') word.back() = L'\u03c2';
        return word;
    }

private:
    bool Chance(unsigned in, unsigned of) { return Uniform(of) < in; }
    unsigned Uniform(unsigned n) { return static_cast<unsigned>(rng_() % n); }
    wchar_t Pick(const wchar_t* letters) { return letters[Uniform(static_cast<unsigned>(std::wcslen(letters)))]; }

    std::wstring Word(const wchar_t* consonants, const wchar_t* vowels, const wchar_t* accented) {
        // Mostly 5 to 9 letters, now and then as short as 3 or as long as 14.
        const std::size_t length = 3 + (Uniform(7) + Uniform(6));
        std::wstring word;
        bool vowel = Chance(1, 4);
        while (word.size() < length) {
            if (vowel) {
                word += (accented && Chance(1, 8)) ? Pick(accented) : Pick(vowels);
            } else {
                word += Pick(consonants);
                if (word.size() < length && Chance(1, 6)) word += Pick(consonants);
            }
            vowel = !vowel;
        }
        word.resize(length);
        return word;
    }

    // One to three words, ", " between them, within the 50-byte field.
    std::wstring Translations() {
        const unsigned count = 1 + Uniform(3);
        std::wstring text;
        for (unsigned i = 0; i < count; ++i) {
            const std::wstring word = Word(translations_.consonants, translations_.vowels, translations_.accented);
            const std::size_t added = (text.empty() ? 0 : 2) + word.size();
            if (text.size() + added > kSecondWordMaxBytes) break;
            if (!text.empty()) text += L", ";
            text += word;
        }
        return text;
    }

    const BenchLanguage& language_;
    const BenchLanguage& translations_;
    std::mt19937 rng_;
};

std::uint32_t SeedFor(std::size_t languageIndex, int size, std::uint32_t salt);

void Print(const char* format, ...) __attribute__((format(gnu_printf, 1, 2)));
std::string Narrow(std::wstring_view text);
double NowMs();
// Of a set of timings; 0 for none.
double Median(std::vector<double> values);
double Worst(const std::vector<double>& values);
PROCESS_MEMORY_COUNTERS MemoryCounters();
inline constexpr double kMegabyte = 1024.0 * 1024.0;
std::wstring CurrentDirectory();
bool WriteWholeFile(const std::wstring& path, std::string_view bytes);
// A Unix path becomes the Wine drive Z: path; anything else is made absolute.
std::wstring ResolveSourceDirectory(std::wstring dir);

// Loads the English UI strings straight from their readable source.
bool InstallStrings(const std::wstring& sourceDir);
void RouteMessagesToStderr();
WordListDescriptor* DescriptorOf(const BenchLanguage& language);
bool OpenStore(const BenchLanguage& language);
std::wstring UnsortedCopyPath(const BenchLanguage& language);
std::wstring ListPath(const BenchLanguage& language);
// Puts the unsorted copy back in place of the list, so every sort starts alike.
bool RestoreUnsorted(const BenchLanguage& language);

// ---------------------------------------------------------------------------------
// Generated list files.

struct GeneratedList {
    bool ok = false;
    int records = 0;
    int live = 0;
    std::vector<std::wstring> present;  // a uniform sample of live first words
};

// Writes `size` entries of the generator to the file in the given code pages, keeping
// a sample of `samples` live first words, every one equally likely.
GeneratedList WriteGeneratedList(const std::wstring& path, WordGenerator& generator, int size, UINT firstCodePage,
                                 UINT secondCodePage, std::uint32_t sampleSeed, std::size_t samples);

// Both word lists of a language and English, `size` entries each, generated in place
// and ordered by the store's own sort. The forward one is current afterwards.
struct SortedPair {
    WordListDescriptor* forward = nullptr;
    WordListDescriptor* reverse = nullptr;
    GeneratedList forwardList;
    GeneratedList reverseList;
};
bool MakeSortedPair(std::size_t languageIndex, int size, std::size_t samples, SortedPair& pair);

}  // namespace bench
