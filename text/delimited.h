// Rows of delimited text as spreadsheets and other trainers write them: fields split
// by a tab, a semicolon or a comma, a field in double quotes may hold the delimiter,
// doubled quotes and line breaks; lines beginning with "#key:value" before the data
// describe the file (the plain-text export of flash-card programs: "#separator:tab",
// "#html:true", "#columns:...", "#deck column:3").
#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

struct TextHeader {
    wchar_t separator = 0;  // named by "#separator:"; 0 when not named
    bool htmlOff = false;   // "#html:false": the fields are plain text
    std::vector<std::wstring> columns;  // "#columns:" names, split at the separator (tab when none is named)
    std::vector<std::size_t> metaColumns;  // 0-based columns of note type, deck, tags and guid
    std::size_t lines = 0;  // header lines
    std::size_t dataOffset = 0;  // where the rows begin in the text
};

// The "#key:value" lines at the top of the text; a line of another form ends them.
TextHeader ReadTextHeader(std::wstring_view text);

// Tab, then semicolon, then comma: the first that splits every one of the first lines
// (outside quotes) the same number of times, else the first found in all of them,
// else the first found at all; comma when none is.
wchar_t DetectDelimiter(std::wstring_view data);

// Rows longer than this (in characters) are not read; they are told as too long.
inline constexpr std::size_t kLongestRow = 64 * 1024;

struct DelimitedRow {
    std::size_t line = 0;  // 1-based line of the text where the row begins
    std::vector<std::wstring> fields;
    bool tooLong = false;  // fields left empty
};

struct DelimitedRows {
    std::vector<DelimitedRow> rows;
    std::size_t unclosedQuoteLine = 0;  // line of a quote that is never closed; 0 when none
};

// Rows of `data`, whose first line is line `firstLine` of the file. Empty lines and rows
// of empty fields are no rows. Line ends: CR LF, LF or CR. A quote that opens a field
// closes it; inside, two quotes are one; anything after the closing quote up to the
// delimiter belongs to the field as it stands. A quote inside an unquoted field is a
// character like any other.
DelimitedRows ReadDelimitedRows(std::wstring_view data, wchar_t delimiter, std::size_t firstLine = 1,
                                std::size_t maxRows = std::numeric_limits<std::size_t>::max());

// The markup of HTML tags out (<br>, <div> and <p> become line breaks), the common
// entities decoded (&nbsp; becomes a blank), "[sound:...]" references out. Text that
// only looks a little like markup ("a < b", "R&D", "to give <sb> <sth>") stays as it is.
std::wstring StripHtml(std::wstring_view field);

// Whether the first row names the columns: every field of it is a name the caller
// knows (language names, "word", "translation", ...), or the row is plain ASCII while
// most first fields of the rows after it are not.
bool LooksLikeHeaderRow(const std::vector<std::wstring>& first, const std::vector<DelimitedRow>& following,
                        const std::vector<std::wstring>& knownNames);
