#include "text/stringsource.h"

#include <cstdio>

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

bool IsControlByte(unsigned char c) { return c < 0x20 || c == 0x7F; }

std::string Hex2(unsigned char c) {
    char buffer[3];
    std::snprintf(buffer, sizeof buffer, "%02X", static_cast<unsigned>(c));
    return buffer;
}

// The one way a value byte is written in the source.
void AppendEscaped(std::string& out, unsigned char c) {
    switch (c) {
    case '\\': out += "\\\\"; return;
    case '\n': out += "\\n"; return;
    case '\r': out += "\\r"; return;
    case '\t': out += "\\t"; return;
    default: break;
    }
    if (IsControlByte(c)) {
        out += "\\x";
        out += Hex2(c);
    } else {
        out += static_cast<char>(c);
    }
}

std::string Escaped(unsigned char c) {
    std::string out;
    AppendEscaped(out, c);
    return out;
}

int HexDigit(char c, bool& lowerCase) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') {
        lowerCase = true;
        return c - 'a' + 10;
    }
    return -1;
}

// Decodes one value; empty result text means success.
std::string UnescapeValue(std::string_view text, std::string& value) {
    value.clear();
    value.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c != '\\') {
            if (IsControlByte(c)) return "raw control byte 0x" + Hex2(c) + " in the value; write it as '" + Escaped(c) + "'";
            value += static_cast<char>(c);
            continue;
        }
        if (i + 1 >= text.size()) return "bad escape: lone '\\' at the end of the line; write '\\\\' for a backslash";
        const char kind = text[++i];
        switch (kind) {
        case '\\': value += '\\'; continue;
        case 'n': value += '\n'; continue;
        case 'r': value += '\r'; continue;
        case 't': value += '\t'; continue;
        case 'x': break;
        default: {
            const auto k = static_cast<unsigned char>(kind);
            const std::string shown = IsControlByte(k) ? "byte 0x" + Hex2(k) : std::string(1, kind);
            return "bad escape '\\" + shown + "'; known escapes are \\\\ \\n \\r \\t \\xHH";
        }
        }
        bool lowerCase = false;
        const int high = i + 1 < text.size() ? HexDigit(text[i + 1], lowerCase) : -1;
        const int low = i + 2 < text.size() ? HexDigit(text[i + 2], lowerCase) : -1;
        if (high < 0 || low < 0) return "bad escape: '\\x' must be followed by two hexadecimal digits";
        const std::string written(text.substr(i - 1, 4));
        i += 2;
        const auto byte = static_cast<unsigned char>(high * 16 + low);
        if (byte == 0) return "the value contains a zero byte ('\\x00'), which would end the entry";
        const std::string canonical = Escaped(byte);
        if (lowerCase && canonical == "\\x" + Hex2(byte)) {
            return "bad escape '" + written + "': write the hexadecimal digits in upper case, '" + canonical + "'";
        }
        if (canonical != written) return "bad escape '" + written + "': write it as '" + canonical + "'";
        value += static_cast<char>(byte);
    }
    return {};
}

// Parses one line (without its line feed); empty result text means success.
std::string ParseLine(std::string_view line, bool firstLine, StringEntry& entry) {
    if (firstLine && line.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) {
        return "the file starts with a UTF-8 byte order mark; save it as 8-bit text in the language's code page";
    }
    if (const std::size_t cr = line.find('\r'); cr != std::string_view::npos) {
        if (cr + 1 == line.size()) return "line ends in CR LF; save the file with LF line ends only";
        return "raw carriage return (CR) in the line; write it as '\\r'";
    }
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) return "line has no '='";
    const std::string_view key = line.substr(0, eq);
    if (std::string problem = CheckStringKey(key); !problem.empty()) return problem;
    entry.key.assign(key);
    return UnescapeValue(line.substr(eq + 1), entry.value);
}

StringSource SourceFailure(StringSource result, int line, std::string error) {
    result.errorLine = line;
    result.error = std::move(error);
    return result;
}

StringSource PlainFailure(std::string error) {
    StringSource result;
    result.error = std::move(error);
    return result;
}

std::string EntryPlace(int number, std::size_t offset) {
    return "entry " + std::to_string(number) + " (at byte " + std::to_string(offset) + ")";
}

}  // namespace

std::string CheckStringKey(std::string_view key) {
    if (key.empty()) return "empty key";
    if (key.front() == ' ') return "key starts with a blank";
    if (key.back() == ' ') return "key ends with a blank";
    for (const char ch : key) {
        const auto c = static_cast<unsigned char>(ch);
        if (IsControlByte(c)) return "key contains the control byte 0x" + Hex2(c);
        if (c == '=') return "key contains '='";
    }
    return {};
}

StringSource ParseStringSource(std::string_view text) {
    StringSource result;
    std::size_t pos = 0;
    int lineNumber = 0;
    while (pos < text.size()) {
        ++lineNumber;
        const std::size_t end = text.find('\n', pos);
        const bool terminated = end != std::string_view::npos;
        const std::string_view line = text.substr(pos, (terminated ? end : text.size()) - pos);
        StringEntry entry;
        if (std::string problem = ParseLine(line, lineNumber == 1, entry); !problem.empty()) {
            return SourceFailure(std::move(result), lineNumber, std::move(problem));
        }
        if (!terminated) return SourceFailure(std::move(result), lineNumber, "the last line has no line feed at its end");
        result.entries.push_back(std::move(entry));
        pos = end + 1;
    }
    return result;
}

std::string FormatStringSource(const std::vector<StringEntry>& entries) {
    std::string out;
    for (const auto& entry : entries) {
        out += entry.key;
        out += '=';
        for (const char c : entry.value) AppendEscaped(out, static_cast<unsigned char>(c));
        out += '\n';
    }
    return out;
}

std::string EntriesToPlain(const std::vector<StringEntry>& entries) {
    std::string out;
    for (const auto& entry : entries) {
        out += entry.key;
        out += '=';
        out += entry.value;
        out += '\0';
    }
    out += '\0';
    return out;
}

StringSource PlainToEntries(std::string_view plain) {
    if (plain.empty()) return PlainFailure("the data is empty; even an empty list ends with a zero byte");
    StringSource result;
    std::size_t pos = 0;
    int number = 0;
    for (;;) {
        if (pos >= plain.size()) {
            return PlainFailure("the data ends after " + std::to_string(number) +
                                " entries without the final empty entry (truncated or damaged data)");
        }
        const std::size_t zero = plain.find('\0', pos);
        if (zero == pos) {
            const std::size_t trailing = plain.size() - zero - 1;
            if (trailing != 0) {
                return PlainFailure(std::to_string(trailing) + " bytes follow the final empty entry (at byte " +
                                    std::to_string(zero) + ")");
            }
            return result;
        }
        ++number;
        if (zero == std::string_view::npos) {
            return PlainFailure(EntryPlace(number, pos) + " is cut off: no zero byte ends it (truncated or damaged data)");
        }
        const std::string_view text = plain.substr(pos, zero - pos);
        const std::size_t eq = text.find('=');
        if (eq == std::string_view::npos) return PlainFailure(EntryPlace(number, pos) + " has no '='");
        const std::string_view key = text.substr(0, eq);
        if (std::string problem = CheckStringKey(key); !problem.empty()) {
            return PlainFailure(EntryPlace(number, pos) + ": " + problem);
        }
        result.entries.push_back({std::string(key), std::string(text.substr(eq + 1))});
        pos = zero + 1;
    }
}
