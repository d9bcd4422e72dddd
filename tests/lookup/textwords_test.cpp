// Words taken from a text at the caret, and text files read whatever their encoding.
#include <gtest/gtest.h>

#include "lookup/textwords.h"
#include "text/codepage.h"

namespace {

TEST(TextWords, DelimitersAreTheSixtyNineCodesBelowTheSmallLetters) {
    int count = 0;
    for (wchar_t c = 0; c < 0x3000; ++c) count += IsWordDelimiter(c) ? 1 : 0;
    EXPECT_EQ(count, 69);
    for (const wchar_t c : {L'\0', L'\n', L'\r', L' ', L'0', L'9', L'.', L',', L'@', L'`', L'[', L'_'})
        EXPECT_TRUE(IsWordDelimiter(c)) << static_cast<int>(c);
    for (const wchar_t c : {L'\'', L'-', L'A', L'Z', L'a', L'{', L'\x7F', L'\x00E9', L'\x0416'})
        EXPECT_FALSE(IsWordDelimiter(c)) << static_cast<int>(c);
}

TEST(TextWords, WordAtTheCaret) {
    const std::wstring text = L"L'\x00E9t\x00E9 est-il 2024ans?\r\nfin";
    EXPECT_EQ(WordAtCaret(text, 0), L"L'\x00E9t\x00E9");   // at the very start
    EXPECT_EQ(WordAtCaret(text, 3), L"L'\x00E9t\x00E9");   // in the middle, apostrophe kept
    EXPECT_EQ(WordAtCaret(text, 5), L"");                   // just after a word
    EXPECT_EQ(WordAtCaret(text, 8), L"est-il");             // hyphen kept
    EXPECT_EQ(WordAtCaret(text, 19), L"ans");               // digits split words
    EXPECT_EQ(WordAtCaret(text, text.size() - 2), L"fin");  // after a line break
    EXPECT_EQ(WordAtCaret(text, text.size()), L"");         // at the end of the text
    EXPECT_EQ(WordAtCaret(text, text.size() + 5), L"");

    const std::wstring run(150, L'w');
    EXPECT_EQ(WordAtCaret(run, 140), std::wstring(kMaxTextWordChars, L'w'));
}

TEST(TextWords, TextFilesByByteOrderMarkOrCodePage) {
    EXPECT_EQ(DecodeTextFile("\xEF\xBB\xBF\xCE\xBB\xCF\x8C\xCE\xB3\xCE\xBF\xCF\x82", 1253), L"\x03BB\x03CC\x03B3\x03BF\x03C2");
    EXPECT_EQ(DecodeTextFile(std::string("\xFF\xFE" "a\0\x16\x04", 6), 1252), L"a\x0416");
    EXPECT_EQ(DecodeTextFile(std::string("\xFE\xFF\0a\x04\x16\0", 7), 1252), L"a\x0416");  // odd byte dropped
    EXPECT_EQ(DecodeTextFile("\xEB\xEE\xE3\xEF\xF2", 1253), L"\x03BB\x03BE\x03B3\x03BF\x03C2");
    EXPECT_EQ(DecodeTextFile(std::string("ab\0cd", 5), 1252), L"ab");  // shown up to a zero byte
    EXPECT_EQ(DecodeTextFile("", 1252), L"");
}

// Current editors save UTF-8 without a mark. Bytes that are well-formed UTF-8 and not
// plain ASCII are read as UTF-8; anything else in the list's code page, as before.
TEST(TextWords, UnmarkedUtf8IsReadAsUtf8AndAnythingElseInTheCodePage) {
    EXPECT_EQ(DecodeTextFile("caf\xC3\xA9", 1252), L"caf\x00E9");
    EXPECT_EQ(DecodeTextFile("\xCE\xBB\xCF\x8C\xCE\xB3\xCE\xBF\xCF\x82", 1253), L"\x03BB\x03CC\x03B3\x03BF\x03C2");
    EXPECT_EQ(DecodeTextFile("\xE2\x82\xAC 5, \xF0\x9F\x98\x80", 1252), L"\x20AC 5, \xD83D\xDE00");
    // Up to the first zero byte, as any text file; what follows it is not looked at.
    EXPECT_EQ(DecodeTextFile(std::string("\xC3\xA9t\xC3\xA9\0\xE9", 7), 1252), L"\x00E9t\x00E9");

    EXPECT_EQ(DecodeTextFile("caf\xE9", 1252), L"caf\x00E9");  // Windows-1252
    EXPECT_EQ(DecodeTextFile("plain text", 1253), L"plain text");
    for (const char* bytes : {
             "caf\xC3\xA9 \xE9",       // UTF-8 with one stray 8-bit letter
             "\xC3",                    // cut short
             "caf\xC3",                 // cut short at the end
             "\xC0\xAF",                // overlong
             "\xE0\x80\xAF",            // overlong
             "\xED\xA0\x80",            // a surrogate
             "\xF4\x90\x80\x80",        // past U+10FFFF
             "\xF8\x88\x80\x80\x80",    // five bytes
             "\xA9\xC3",                // a continuation first
         })
        EXPECT_EQ(DecodeTextFile(bytes, 1252), ToWide(bytes, 1252)) << bytes;
}

}  // namespace
