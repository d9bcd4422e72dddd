// The two forms of a UI strings file before scrambling.
//
// Plain form (what the program reads after unscrambling): entries of
// key "=" value and one zero byte, back to back, ended by one empty entry (a lone
// zero byte). A value may hold any byte except zero, "=" and line feeds included.
//
// Readable source form (data/strings/<language>.txt, what translators edit): one
// entry per line, "key=value" ended by a line feed. The file is 8-bit text in the
// code page of its interface language: bytes 0x80 and above stand as they are.
//   - The key is everything before the first "="; it must not be empty, must not
//     begin or end with a blank and holds no control bytes. Keys take no escapes.
//   - The value is everything after the first "=" up to the line feed; it may be
//     empty and may contain "=". Its blanks are kept, trailing ones included.
//   - In a value, these escapes stand for bytes that cannot be written raw:
//       \\  backslash          \n  line feed         \r  carriage return
//       \t  tab                \xHH  any other control byte (0x01-0x1F, 0x7F),
//                                    HH two upper-case hexadecimal digits
//     A zero byte cannot be written at all (it would end the entry).
//   - There are no comments and no empty lines: every line is an entry.
// Each byte has exactly one way to be written, so a source that the parser
// accepts comes back byte for byte from FormatStringSource: packing and then
// unpacking a source yields the same file. The parser therefore also refuses
// escapes that have a shorter form (\x41 for "A", \x0A for \n, lower-case hex),
// raw control bytes (a tab typed as is, or a CR from CR LF line ends) and a last
// line without its line feed, each with the 1-based number of the line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct StringEntry {
    std::string key;
    std::string value;
    bool operator==(const StringEntry&) const = default;
};

struct StringSource {
    std::vector<StringEntry> entries;
    int errorLine = 0;  // 1-based line of a source error; 0 for errors in plain data
    std::string error;  // what is wrong, without file name or line number
    bool Ok() const { return errorLine == 0 && error.empty(); }
};

// Readable source -> entries. On a refusal, entries holds the lines before the bad one.
StringSource ParseStringSource(std::string_view text);

// Entries -> readable source. The keys must be ones the source can hold (see
// IsValidStringKey); PlainToEntries only ever hands out such keys.
std::string FormatStringSource(const std::vector<StringEntry>& entries);

// Entries -> plain form: "key=value\0" for each entry, then the final "\0".
std::string EntriesToPlain(const std::vector<StringEntry>& entries);

// Plain form -> entries. Refuses, with an error text and no entries: data that
// ends before the final empty entry (also truncated or empty data), an entry
// without "=", a key the source form cannot hold, and bytes after the final
// empty entry.
StringSource PlainToEntries(std::string_view plain);

// Empty text when the key can stand in a source line, else why it cannot.
std::string CheckStringKey(std::string_view key);
inline bool IsValidStringKey(std::string_view key) { return CheckStringKey(key).empty(); }
