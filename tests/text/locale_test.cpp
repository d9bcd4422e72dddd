#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <random>
#include <string>
#include <vector>

#include "text/locale.h"

TEST(CollationLocale, SpecialNamesMapToTheUnitedStatesLocale) {
    ASSERT_TRUE(SetCollationLocale(L"russian"));
    EXPECT_EQ(CollationLocaleId(), 0x419u);
    EXPECT_TRUE(SetCollationLocale(L"EsPeRaNtO"));
    EXPECT_EQ(CollationLocaleId(), 0x409u);
    ASSERT_TRUE(SetCollationLocale(L"russian"));
    EXPECT_TRUE(SetCollationLocale(L"RUSSKIJ"));
    EXPECT_EQ(CollationLocaleId(), 0x409u);
}

namespace {

struct RuntimeLocale {
    bool accepted = false;
    LCID id = 0;
};

// What the runtime itself makes of a name, asked directly.
RuntimeLocale AskRuntime(const wchar_t* name) {
    RuntimeLocale result;
    result.accepted = _wsetlocale(LC_COLLATE, name) != nullptr;
    if (result.accepted) result.id = CollationLocaleId();
    return result;
}

}  // namespace

// The plain name may pick the Latin script; the word lists need the Cyrillic one,
// under the country's current name or else its older one.
TEST(CollationLocale, SerbianInAnyCaseSetsTheCyrillicLocale) {
    ASSERT_TRUE(SetCollationLocale(L"russian"));
    RuntimeLocale expected = AskRuntime(L"serbian (cyrillic)_Serbia.1251");
    if (!expected.accepted) expected = AskRuntime(L"serbian (cyrillic)_Serbia and Montenegro.1251");
    for (const wchar_t* name : {L"serbian", L"SERBIAN", L"SerBian"}) {
        ASSERT_TRUE(SetCollationLocale(L"russian"));
        EXPECT_EQ(SetCollationLocale(name), expected.accepted) << name;
        EXPECT_EQ(CollationLocaleId(), expected.accepted ? expected.id : 0x419u) << name;
    }
    SetCollationLocale(L"english");
}

TEST(CollationLocale, SpecialNamesTryTheirStandInsInOrder) {
    using Names = std::vector<std::wstring>;
    EXPECT_EQ(CollationLocaleCandidates(L"sErBiAn"),
              (Names{L"serbian (cyrillic)_Serbia.1251", L"serbian (cyrillic)_Serbia and Montenegro.1251"}));
    EXPECT_EQ(CollationLocaleCandidates(L"RUSSKIJ"), (Names{L"english_usa.1252"}));
    EXPECT_EQ(CollationLocaleCandidates(L"Esperanto"), (Names{L"english_usa.1252"}));
    EXPECT_EQ(CollationLocaleCandidates(L"serbian_latin"), (Names{L"serbian_latin"}));
    EXPECT_EQ(CollationLocaleCandidates(L""), (Names{L""}));
}

TEST(CollationLocale, AnUnknownNameFailsAndKeepsThePreviousLocale) {
    ASSERT_TRUE(SetCollationLocale(L"russian"));
    EXPECT_FALSE(SetCollationLocale(L"klingon_qo'noS"));
    EXPECT_EQ(CollationLocaleId(), 0x419u);
    EXPECT_TRUE(SetCollationLocale(L""));  // the environment's locale
}

TEST(Collation, IgnoresCaseAndOrdersLikeTheLocale) {
    ASSERT_TRUE(SetCollationLocale(L"english"));
    EXPECT_EQ(CollateIgnoreCase(L"apple", L"APPLE"), 0);
    EXPECT_LT(CollateIgnoreCase(L"car", L"card"), 0);
    EXPECT_LT(CollateIgnoreCase(L"\x00E9t\x00E9", L"ez"), 0);  // accents sort with their letter
    EXPECT_GT(CollateIgnoreCase(L"zebra", L"Apple"), 0);
}

// Sorting on precomputed keys must give exactly the order of pairwise comparison,
// or the sort and the binary search would disagree about where a word belongs.
TEST(Collation, SortKeysOrderWordsLikeTheComparison) {
    const wchar_t* const locales[] = {L"english", L"french", L"russian", L"greek"};
    const std::wstring letters = L"abcdefghijklmnopqrstuvwxyzABCZ\x00E9\x00E8\x00EA\x00E0\x00E7\x00F4\x00F1-' "
                                 L"\x0430\x0431\x0436\x044F\x0401\x0451\x03B1\x03AC\x03C3\x03C2\x0391";
    std::mt19937 random(7);
    for (const wchar_t* locale : locales) {
        ASSERT_TRUE(SetCollationLocale(locale)) << locale;
        std::vector<std::wstring> words(3000);
        for (auto& w : words) {
            const int length = 1 + static_cast<int>(random() % 9);
            for (int i = 0; i < length; ++i) w += letters[random() % letters.size()];
        }
        words.push_back(L"car");
        words.push_back(L"card");
        words.push_back(L"Car");
        std::vector<std::string> keys;
        for (const auto& w : words) keys.push_back(CollationSortKey(w));
        for (std::size_t i = 0; i + 1 < words.size(); ++i) {
            const int byCompare = CollateIgnoreCase(words[i], words[i + 1]);
            const int byKey = keys[i] < keys[i + 1] ? -1 : (keys[i] == keys[i + 1] ? 0 : 1);
            ASSERT_EQ(byCompare, byKey) << "locale " << locale << " word " << i;
        }
    }
    SetCollationLocale(L"english");
}
