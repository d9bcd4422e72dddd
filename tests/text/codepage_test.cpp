#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <utility>

#include "support/testenv.h"
#include "text/charsetnames.h"
#include "text/codepage.h"

TEST(CharsetToCodePage, MapsListedCharsetsAndFallsBackToTheAnsiCodePage) {
    EXPECT_EQ(CharsetToCodePage(0), 1252u);
    EXPECT_EQ(CharsetToCodePage(161), 1253u);
    EXPECT_EQ(CharsetToCodePage(204), 1251u);
    EXPECT_EQ(CharsetToCodePage(238), 1250u);
    EXPECT_EQ(CharsetToCodePage(128), 932u);
    EXPECT_EQ(CharsetToCodePage(177), 1255u);
    EXPECT_EQ(CharsetToCodePage(500), 1254u);
    EXPECT_EQ(CharsetToCodePage(1), GetACP());
    EXPECT_EQ(CharsetToCodePage(600), GetACP());
    EXPECT_EQ(CharsetToCodePage(699), GetACP());
    EXPECT_EQ(CharsetToCodePage(178), 1256u);
}

TEST(CharsetNames, TheOfferedListIsInItsFixedOrderAndEachNumberHasItsCodePage) {
    // The new word list window's position picks the number, and the code page follows the
    // number: a slip in either table stores words in the wrong code page.
    const std::pair<int, UINT> expected[] = {{0, 1252},  {161, 1253}, {162, 1254}, {238, 1250},
                                             {204, 1251}, {186, 1257}, {129, 949},  {128, 932},
                                             {134, 936},  {136, 950},  {163, 1258}, {222, 874}};
    ASSERT_EQ(std::size(expected), kOfferedCharsets.size());
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(CharsetOfChoice(static_cast<int>(i)), expected[i].first) << i;
        EXPECT_EQ(CharsetToCodePage(expected[i].first), expected[i].second) << i;
    }
    EXPECT_EQ(CharsetOfChoice(-1), -1);
    EXPECT_EQ(CharsetOfChoice(12), -1);
    EXPECT_STREQ(kOfferedCharsets[3].choiceName, "Central Europe");
    EXPECT_STREQ(kOfferedCharsets[9].choiceName, "Big-5 (Chinese)");
}

TEST(CharsetNames, TheOverviewNamesListedSetsAndCallsTheRestUnknown) {
    InstallEnglishUiStrings({{"WordlistInfoUnknown", "(not known)"}});
    EXPECT_EQ(CharsetOverviewName(238), L"Centr. Europe");
    EXPECT_EQ(CharsetOverviewName(128), L"Shift-JS");
    EXPECT_EQ(CharsetOverviewName(136), L"Big5");
    for (int unlisted : {177, 178, 500, 600, 1})
        EXPECT_EQ(CharsetOverviewName(unlisted), L"(not known)") << unlisted;
}

TEST(Conversion, DoubleByteTextGivesFewerCharactersThanBytes) {
    // Fifteen katakana letters in code page 932: thirty bytes, fifteen characters.
    std::string word;
    for (int i = 0; i < 15; ++i) word += "\x83\x41";
    const std::wstring wide = ToWide(word, 932);
    EXPECT_EQ(wide.size(), 15u);
    EXPECT_EQ(wide[0], L'\x30A2');
    EXPECT_EQ(ToNarrow(wide, 932), word);
}

TEST(Conversion, MissingCharactersBecomeTheDefaultCharacter) {
    EXPECT_EQ(ToNarrow(L"a\x0416z", 1252), "a?z");
    EXPECT_EQ(ToNarrow(L"\x0416", 1251), "\xC6");
}

TEST(Conversion, StopsAtTheFirstZeroUnlessCounted) {
    const char data[] = {'a', 0, 'b', 0, 0};
    EXPECT_EQ(ToWide(std::string_view(data, 5), 1252), L"a");
    const std::wstring counted = ToWideCounted(data, 5, 1252);
    EXPECT_EQ(counted, std::wstring(L"a\0b\0\0", 5));
    EXPECT_TRUE(ToWide("", 1252).empty());
}

TEST(Conversion, LimitedNarrowingNeverSplitsADoubleByteCharacter) {
    std::wstring kana(16, L'\x30A2');  // 32 bytes in code page 932
    std::string cut = ToNarrowLimited(kana, 932, 30);
    EXPECT_EQ(cut.size(), 30u);
    EXPECT_EQ(ToWide(cut, 932), std::wstring(15, L'\x30A2'));

    // One single-byte letter first: 31 bytes; the cut must drop a whole character.
    cut = ToNarrowLimited(L"a" + std::wstring(15, L'\x30A2'), 932, 30);
    EXPECT_EQ(cut.size(), 29u);
    EXPECT_EQ(ToWide(cut, 932), L"a" + std::wstring(14, L'\x30A2'));

    EXPECT_EQ(ToNarrowLimited(std::wstring(40, L'x'), 1252, 30), std::string(30, 'x'));
    EXPECT_EQ(ToNarrowLimited(L"short", 1252, 30), "short");
}

TEST(Conversion, BoundaryPrefixTreatsALoneTrailingLeadByteAsOneCharacter) {
    const char damaged[] = {'a', '\x83'};  // lead byte with nothing after it
    EXPECT_EQ(CharacterBoundaryPrefix(damaged, 2, 30, 932), 2u);
    EXPECT_EQ(CharacterBoundaryPrefix(damaged, 2, 1, 932), 1u);
}

// Code pages that take no conversion flags, UTF-8 above all: a system whose ANSI code
// page is UTF-8 gives it to every word list of the default character set.
TEST(Conversion, CodePagesWithoutFlagsConvertBothWays) {
    const std::string bytes = "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80";  // "été € " and an emoji
    const std::wstring text = L"\x00E9t\x00E9 \x20AC \xD83D\xDE00";
    EXPECT_EQ(ToWide(bytes, CP_UTF8), text);
    EXPECT_EQ(ToWideCounted(bytes.data(), bytes.size(), CP_UTF8), text);
    EXPECT_EQ(ToNarrow(text, CP_UTF8), bytes);
    EXPECT_STREQ(ToWideShared(bytes.c_str(), CP_UTF8), text.c_str());
    EXPECT_EQ(ToNarrowShared(text.c_str(), CP_UTF8), bytes);
    EXPECT_EQ(ToWide("a+AOk-", CP_UTF7), L"a\x00E9");
    EXPECT_EQ(ToWide("A", 42), L"\xF041");  // the symbol code page
}

// Cuts fall between whole UTF-8 sequences; a byte that starts or continues no whole
// sequence counts as a character of its own.
TEST(Conversion, LimitedNarrowingNeverSplitsAUtf8Sequence) {
    std::string cut = ToNarrowLimited(L"a" + std::wstring(15, L'\x00E9'), CP_UTF8, 30);  // 31 bytes
    EXPECT_EQ(cut.size(), 29u);
    EXPECT_EQ(ToWide(cut, CP_UTF8), L"a" + std::wstring(14, L'\x00E9'));
    cut = ToNarrowLimited(std::wstring(11, L'\x20AC'), CP_UTF8, 30);  // 33 bytes of three
    EXPECT_EQ(cut.size(), 30u);
    cut = ToNarrowLimited(L"ab\xD83D\xDE00", CP_UTF8, 5);  // the four bytes of the emoji go whole
    EXPECT_EQ(cut, "ab");

    const char damaged[] = {'\x82', 'a', '\xE2', '\x82', 'b', '\xC3'};
    EXPECT_EQ(CharacterBoundaryPrefix(damaged, 6, 30, CP_UTF8), 6u);
    EXPECT_EQ(CharacterBoundaryPrefix(damaged, 6, 3, CP_UTF8), 3u);
    const char whole[] = {'\xE2', '\x82', '\xAC', 'x'};
    EXPECT_EQ(CharacterBoundaryPrefix(whole, 4, 2, CP_UTF8), 0u);
    EXPECT_EQ(CharacterBoundaryPrefix(whole, 4, 3, CP_UTF8), 3u);
}

TEST(SharedBuffers, ReuseOneBufferAndRefuseTextThatDoesNotFit) {
    const wchar_t* first = ToWideShared("one", 1252);
    const wchar_t* second = ToWideShared("two", 1252);
    EXPECT_EQ(first, second);
    EXPECT_STREQ(first, L"two");

    const std::string fits(999, 'x');
    EXPECT_EQ(std::wstring(ToWideShared(fits.c_str(), 1252)).size(), 999u);
    const std::string tooLong(1000, 'x');
    EXPECT_STREQ(ToWideShared(tooLong.c_str(), 1252), L"");
    EXPECT_STREQ(ToNarrowShared(std::wstring(1000, L'y').c_str(), 1252), "");
    EXPECT_STREQ(ToNarrowShared(L"\x0416", 1251), "\xC6");
}

TEST(CaseBlindComparison, FoldsOnlyTheLettersAToZ) {
    EXPECT_TRUE(EqualsIgnoreAsciiCase(std::wstring_view(L"Fre_Eng.TVK"), std::wstring_view(L"fre_eng.tvk")));
    EXPECT_FALSE(EqualsIgnoreAsciiCase(std::wstring_view(L"\x00C9t\x00E9"), std::wstring_view(L"\x00E9t\x00E9")));
    EXPECT_TRUE(StartsWithIgnoreAsciiCase(L"English", L"eng"));
    EXPECT_FALSE(StartsWithIgnoreAsciiCase(L"En", L"eng"));
}
