// Reading word pairs from files other programs wrote: encodings, delimited rows with
// their nasty cases, the header lines and markup of flash-card exports, header rows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/delimited.h"
#include "text/importsource.h"
#include "text/textencoding.h"

namespace {

using Fields = std::vector<std::wstring>;

std::vector<Fields> FieldsOf(const DelimitedRows& rows) {
    std::vector<Fields> out;
    for (const DelimitedRow& row : rows.rows) out.push_back(row.fields);
    return out;
}

std::vector<std::size_t> LinesOf(const DelimitedRows& rows) {
    std::vector<std::size_t> out;
    for (const DelimitedRow& row : rows.rows) out.push_back(row.line);
    return out;
}

ImportSource Read(const std::string& bytes, ImportSettings settings = {}, std::vector<std::wstring> names = {}) {
    return ReadImportSource(bytes, settings, 1251, names);
}

}  // namespace

TEST(Delimited, QuotedFieldsHoldDelimitersQuotesAndLineBreaksAndLinesAreCounted) {
    const std::wstring text =
        L"chat,\"cat, puss\"\r\n"
        L"\"say \"\"hi\"\"\",\"line one\r\nline two\"\n"
        L"\n"
        L"empty,,\r"
        L",,\n"
        L"5\" screen,last line without end";
    const DelimitedRows rows = ReadDelimitedRows(text, L',');
    EXPECT_EQ(rows.unclosedQuoteLine, 0u);
    EXPECT_EQ(FieldsOf(rows), (std::vector<Fields>{{L"chat", L"cat, puss"},
                                                   {L"say \"hi\"", L"line one\nline two"},
                                                   {L"empty", L"", L""},
                                                   {L"5\" screen", L"last line without end"}}));
    // The blank line and the row of empty fields are no rows, but still lines.
    EXPECT_EQ(LinesOf(rows), (std::vector<std::size_t>{1, 2, 5, 7}));
}

TEST(Delimited, AnUnclosedQuoteAndAnOverlongRowAreToldNotSwallowed) {
    const DelimitedRows open = ReadDelimitedRows(L"a,b\nc,\"never closed\nd,e\n", L',');
    EXPECT_EQ(open.unclosedQuoteLine, 2u);
    EXPECT_EQ(open.rows.size(), 1u);

    const std::wstring longLine(kLongestRow + 10, L'x');
    const DelimitedRows rows = ReadDelimitedRows(L"a\tb\n" + longLine + L"\tz\nc\td", L'\t');
    ASSERT_EQ(rows.rows.size(), 3u);
    EXPECT_TRUE(rows.rows[1].tooLong);
    EXPECT_TRUE(rows.rows[1].fields.empty());
    EXPECT_EQ(rows.rows[2].fields, (Fields{L"c", L"d"}));
    EXPECT_EQ(rows.rows[2].line, 3u);
}

TEST(Delimited, DelimiterIsTabThenSemicolonThenCommaFromTheFirstLines) {
    EXPECT_EQ(DetectDelimiter(L"maison\thouse, home\nchat\tcat\n"), L'\t');
    EXPECT_EQ(DetectDelimiter(L"maison;\"house, home\"\nchat;cat\n"), L';');
    EXPECT_EQ(DetectDelimiter(L"maison,\"house; home\"\nchat,cat\n"), L',');
    EXPECT_EQ(DetectDelimiter(L"one column\nonly\n"), L',');
}

TEST(TextEncoding, ByteOrderMarksDecideThenValidUtf8ThenTheListsCodePage) {
    EXPECT_EQ(DecodeTextFile("\xEF\xBB\xBF\xD0\xB4\xD0\xB0", {}, 1252).text, L"\x0434\x0430");
    EXPECT_EQ(DecodeTextFile("\xFF\xFE\x34\x04\x30\x04", {}, 1252).text, L"\x0434\x0430");
    const DecodedText big = DecodeTextFile("\xFE\xFF\x04\x34\x04\x30", {}, 1252);
    EXPECT_EQ(big.text, L"\x0434\x0430");
    EXPECT_EQ(big.used.kind, EncodingKind::Utf16Be);
    EXPECT_EQ(DecodeTextFile("\xD0\xB4\xD0\xB0", {}, 1252).used.kind, EncodingKind::Utf8);
    // Not UTF-8: the bytes are text in the code page of the list (1251: Cyrillic).
    const DecodedText legacy = DecodeTextFile("\xE4\xE0", {}, 1251);
    EXPECT_EQ(legacy.used, (TextEncoding{EncodingKind::CodePage, 1251}));
    EXPECT_EQ(legacy.text, L"\x0434\x0430");
    // Chosen as UTF-8, bytes that are none become U+FFFD, which no list can store.
    EXPECT_EQ(DecodeTextFile("a\xE4z", {EncodingKind::Utf8, 0}, 1251).text, L"a\xFFFDz");
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));  // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));  // surrogate
    EXPECT_EQ(DecodeTextFile("", {}, 1252).problem, TextProblem::Empty);
    EXPECT_EQ(DecodeTextFile("\xEF\xBB\xBF", {}, 1252).problem, TextProblem::Empty);
    EXPECT_EQ(DecodeTextFile(std::string("ab\0cd", 5), {}, 1252).problem, TextProblem::NotText);
    EXPECT_EQ(DecodeTextFile("\x01\x02\x03\x04\x05\x06\x07\x08 text", {}, 1252).problem, TextProblem::NotText);
}

TEST(TextEncoding, ABeginningIsDecodedToALineEndAndTheEncodingStillFromAllBytes) {
    const DecodedText utf8 = DecodeTextFile("ab\ncd\nef\xC3\xA9", {}, 1252, 4);
    EXPECT_EQ(utf8.text, L"ab\ncd\n");
    EXPECT_TRUE(utf8.partial);
    EXPECT_EQ(utf8.used.kind, EncodingKind::Utf8);
    const DecodedText legacy = DecodeTextFile("ab\ncd\ne\xE9", {}, 1252, 1);
    EXPECT_EQ(legacy.used.kind, EncodingKind::CodePage);  // the byte at the end decides
    EXPECT_EQ(legacy.text, L"ab\n");
    const std::string wide("\xFF\xFE" "a\0\n\0b\0\n\0", 10);
    const DecodedText utf16 = DecodeTextFile(wide, {}, 1252, 1);
    EXPECT_EQ(utf16.text, L"a\n");
    EXPECT_FALSE(DecodeTextFile(wide, {}, 1252, 100).partial);
}

TEST(FlashCardExport, HeaderLinesNameTheSeparatorAndColumnsAndTheMarkupIsStripped) {
    const std::string file =
        "#separator:tab\n"
        "#html:true\n"
        "#guid column:1\n"
        "#notetype column:2\n"
        "a1b2\tBasic\t<b>maison</b>&nbsp;\thouse<br>home<div>abode</div>[sound:maison.mp3]\ttag1\n"
        "c3d4\tBasic\tR&amp;D\ta &lt; b, c\ttag2\n";
    const ImportSource source = Read(file);
    EXPECT_EQ(source.delimiter, L'\t');
    EXPECT_EQ(source.firstColumn, 2u);
    EXPECT_EQ(source.secondColumn, 3u);
    ASSERT_EQ(source.pairs.size(), 2u);
    EXPECT_EQ(source.pairs[0].line, 5u);
    EXPECT_EQ(source.pairs[0].first, L"maison");
    EXPECT_EQ(source.pairs[0].second, L"house\nhome\nabode\n");
    EXPECT_EQ(source.pairs[1].first, L"R&D");
    EXPECT_EQ(source.pairs[1].second, L"a < b, c");
    EXPECT_EQ(StripHtml(L"x < y > z & d; <3 to give <sb> <sth>"), L"x < y > z & d; <3 to give <sb> <sth>");
    EXPECT_EQ(StripHtml(L"&#1076;&#x430;<!-- note -->"), L"\x0434\x0430");

    const ImportSource plain = Read("#separator:Semicolon\n#html:false\n#columns:Front;Back\n<b>x</b>;y\n");
    EXPECT_EQ(plain.columnNames, (std::vector<std::wstring>{L"Front", L"Back"}));
    ASSERT_EQ(plain.pairs.size(), 1u);
    EXPECT_EQ(plain.pairs[0].first, L"<b>x</b>");
}

TEST(ImportSourceTest, HeaderRowIsDetectedByNamesOrByScriptAndCanBeOverruled) {
    const std::vector<std::wstring> names{L"Russian", L"English"};
    EXPECT_TRUE(Read("Russian,English\n\xD0\xB4\xD0\xB0,yes\n", {}, names).headerRow);
    EXPECT_TRUE(Read("Word;Translation\nchat;cat\n").headerRow);
    const ImportSource script = Read("ru,en\n\xD0\xB4\xD0\xB0,yes\n\xD0\xBD\xD0\xB5\xD1\x82,no\n\xD0\xBC\xD1\x8B,we\n");
    EXPECT_TRUE(script.headerRow);
    EXPECT_EQ(script.columnNames, (std::vector<std::wstring>{L"ru", L"en"}));
    EXPECT_EQ(script.pairs.size(), 3u);
    EXPECT_EQ(script.pairs[0].line, 2u);
    EXPECT_FALSE(Read("chat,cat\nchien,dog\nmaison,house\n", {}, names).headerRow);

    ImportSettings noHeader;
    noHeader.headerRow = 0;
    EXPECT_EQ(Read("Word;Translation\nchat;cat\n", noHeader).pairs.size(), 2u);
    ImportSettings swapped;
    swapped.firstColumn = 1;
    swapped.secondColumn = 0;
    const ImportSource other = Read("chat,cat\n", swapped);
    EXPECT_EQ(other.pairs[0].first, L"cat");
    EXPECT_EQ(other.pairs[0].second, L"chat");
}

TEST(ImportSourceTest, SecondColumnMeaningsSplitAtTheirOwnSeparator) {
    EXPECT_EQ(TranslationsWithCommas(L"house; home"), L"house, home");
    EXPECT_EQ(TranslationsWithCommas(L"house/home"), L"house,home");
    // A text with commas keeps its other marks: "km/h, speed" is two meanings, not three.
    EXPECT_EQ(TranslationsWithCommas(L"km/h, speed"), L"km/h, speed");
    EXPECT_EQ(TranslationsWithCommas(L"one\ntwo; three"), L"one,two, three");
}
