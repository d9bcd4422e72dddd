#include "text/delimited.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cwchar>

namespace {

constexpr std::size_t kDetectionLines = 20;
constexpr wchar_t kCandidates[] = {L'\t', L';', L','};

bool IsLineEnd(wchar_t c) { return c == L'\n' || c == L'\r'; }

// Index just past the line end at `pos` (CR LF, LF or CR).
std::size_t SkipLineEnd(std::wstring_view text, std::size_t pos) {
    if (pos < text.size() && text[pos] == L'\r') {
        ++pos;
        if (pos < text.size() && text[pos] == L'\n') ++pos;
        return pos;
    }
    return pos < text.size() && text[pos] == L'\n' ? pos + 1 : pos;
}

std::wstring Lower(std::wstring_view text) {
    std::wstring lower(text);
    if (!lower.empty()) CharLowerBuffW(lower.data(), static_cast<DWORD>(lower.size()));
    return lower;
}

std::wstring_view TrimBlanks(std::wstring_view text) {
    const std::size_t start = text.find_first_not_of(L" \t");
    if (start == std::wstring_view::npos) return {};
    const std::size_t end = text.find_last_not_of(L" \t");
    return text.substr(start, end - start + 1);
}

wchar_t SeparatorNamed(std::wstring_view value) {
    const std::wstring name = Lower(TrimBlanks(value));
    if (name == L"tab") return L'\t';
    if (name == L"comma") return L',';
    if (name == L"semicolon") return L';';
    if (name == L"space") return L' ';
    if (name == L"pipe") return L'|';
    if (name == L"colon") return L':';
    return name.size() == 1 ? name[0] : 0;
}

bool IsHeaderKey(std::wstring_view key) {
    if (key.empty()) return false;
    return std::all_of(key.begin(), key.end(), [](wchar_t c) { return c == L' ' || IsCharAlphaW(c); });
}

std::vector<std::wstring> SplitAt(std::wstring_view text, wchar_t separator) {
    std::vector<std::wstring> pieces;
    std::size_t pos = 0;
    for (;;) {
        const std::size_t end = std::min(text.find(separator, pos), text.size());
        pieces.emplace_back(TrimBlanks(text.substr(pos, end - pos)));
        if (end == text.size()) break;
        pos = end + 1;
    }
    return pieces;
}

// How often the delimiter splits a physical line, quotes aside.
std::size_t CountOutsideQuotes(std::wstring_view line, wchar_t delimiter) {
    std::size_t count = 0;
    bool quoted = false;
    for (const wchar_t c : line) {
        if (c == L'"') quoted = !quoted;
        else if (c == delimiter && !quoted) ++count;
    }
    return count;
}

bool IsBlankRow(const DelimitedRow& row) {
    return std::all_of(row.fields.begin(), row.fields.end(),
                       [](const std::wstring& f) { return TrimBlanks(f).empty(); });
}

bool IsAscii(std::wstring_view text) {
    return std::all_of(text.begin(), text.end(), [](wchar_t c) { return c < 0x80; });
}

struct Entity {
    const wchar_t* name;
    wchar_t character;
};
constexpr std::array<Entity, 7> kEntities{{{L"nbsp", L' '},
                                           {L"amp", L'&'},
                                           {L"lt", L'<'},
                                           {L"gt", L'>'},
                                           {L"quot", L'"'},
                                           {L"apos", L'\''},
                                           {L"shy", 0}}};

// The character an entity at text[pos] ('&') stands for, and its length; 0 when it is none.
std::size_t DecodeEntity(std::wstring_view text, std::size_t pos, wchar_t& decoded) {
    // Names are short: the look for the semicolon stops soon, or a field of ampersands
    // would be searched to its end once for each of them.
    std::size_t semicolon = text.substr(pos, 11).find(L';');
    if (semicolon == std::wstring_view::npos || semicolon == 1) return 0;
    semicolon += pos;
    const std::wstring_view name = text.substr(pos + 1, semicolon - pos - 1);
    if (name[0] == L'#') {
        const bool hex = name.size() > 1 && (name[1] == L'x' || name[1] == L'X');
        const std::wstring digits(name.substr(hex ? 2 : 1));
        if (digits.empty()) return 0;
        wchar_t* end = nullptr;
        const unsigned long value = std::wcstoul(digits.c_str(), &end, hex ? 16 : 10);
        if (*end != L'\0' || value == 0 || value > 0xFFFF) return 0;
        decoded = static_cast<wchar_t>(value);
        return semicolon - pos + 1;
    }
    for (const Entity& e : kEntities) {
        if (name != e.name) continue;
        decoded = e.character;
        return semicolon - pos + 1;
    }
    return 0;
}

// The length of a tag at text[pos] ('<'), and whether it breaks the line; 0 when it is no tag.
// `lastCommentEnd` is where the text's last "-->" begins (npos: none), so that a comment
// without an end is known as such without a search to the end of the text.
std::size_t TagLength(std::wstring_view text, std::size_t pos, std::size_t lastCommentEnd, bool& breaksLine) {
    // A '<' before the '>' means no tag, so the look stops there.
    const std::size_t close = text.find_first_of(L"<>", pos + 1);
    if (close == std::wstring_view::npos || text[close] == L'<') return 0;
    const std::wstring_view inner = text.substr(pos + 1, close - pos - 1);
    if (inner.substr(0, 3) == L"!--") {
        if (lastCommentEnd == std::wstring_view::npos || lastCommentEnd < pos + 4) return 0;
        const std::size_t end = text.find(L"-->", pos + 4);
        return end == std::wstring_view::npos ? 0 : end + 3 - pos;
    }
    std::size_t i = inner.size() > 0 && inner[0] == L'/' ? 1 : 0;
    const std::size_t nameStart = i;
    while (i < inner.size() && ((inner[i] >= L'a' && inner[i] <= L'z') || (inner[i] >= L'A' && inner[i] <= L'Z') ||
                                (i > nameStart && inner[i] >= L'0' && inner[i] <= L'9')))
        ++i;
    if (i == nameStart) return 0;
    if (i < inner.size() && inner[i] != L' ' && inner[i] != L'/' && inner[i] != L'\t') return 0;
    // Only the markup such files use: "to give <sb> <sth>" keeps its placeholders.
    static const wchar_t* const kTags[] = {L"b",    L"i",    L"u",  L"s",  L"em", L"strong", L"span", L"font",
                                           L"sup",  L"sub",  L"small", L"big", L"code", L"a",  L"img", L"hr",
                                           L"br",   L"div",  L"p",  L"li", L"ul", L"ol",     L"tr",   L"td",
                                           L"table", L"tbody", L"h1", L"h2", L"h3", L"h4",   L"h5",   L"h6"};
    const std::wstring name = Lower(inner.substr(nameStart, i - nameStart));
    if (std::none_of(std::begin(kTags), std::end(kTags), [&](const wchar_t* tag) { return name == tag; })) return 0;
    breaksLine = name == L"br" || name == L"div" || name == L"p" || name == L"li" || name == L"tr";
    return close - pos + 1;
}

}  // namespace

TextHeader ReadTextHeader(std::wstring_view text) {
    TextHeader header;
    std::wstring columns;
    std::size_t pos = 0;
    while (pos < text.size() && text[pos] == L'#') {
        std::size_t end = pos;
        while (end < text.size() && !IsLineEnd(text[end])) ++end;
        const std::wstring_view line = text.substr(pos + 1, end - pos - 1);
        const std::size_t colon = line.find(L':');
        if (colon == std::wstring_view::npos || !IsHeaderKey(line.substr(0, colon))) break;
        const std::wstring key = Lower(TrimBlanks(line.substr(0, colon)));
        const std::wstring_view value = line.substr(colon + 1);
        if (key == L"separator") {
            header.separator = SeparatorNamed(value);
        } else if (key == L"html") {
            header.htmlOff = Lower(TrimBlanks(value)) == L"false";
        } else if (key == L"columns") {
            columns.assign(value);
        } else if (key == L"notetype column" || key == L"deck column" || key == L"tags column" ||
                   key == L"guid column") {
            const long column = std::wcstol(std::wstring(TrimBlanks(value)).c_str(), nullptr, 10);
            if (column > 0) header.metaColumns.push_back(static_cast<std::size_t>(column - 1));
        }
        ++header.lines;
        pos = SkipLineEnd(text, end);
    }
    header.dataOffset = pos;
    if (!columns.empty()) header.columns = SplitAt(columns, header.separator ? header.separator : L'\t');
    return header;
}

wchar_t DetectDelimiter(std::wstring_view data) {
    std::vector<std::wstring_view> lines;
    std::size_t pos = 0;
    while (pos < data.size() && lines.size() < kDetectionLines) {
        std::size_t end = pos;
        while (end < data.size() && !IsLineEnd(data[end])) ++end;
        if (!TrimBlanks(data.substr(pos, end - pos)).empty()) lines.push_back(data.substr(pos, end - pos));
        pos = SkipLineEnd(data, end);
        if (pos == end) break;
    }
    if (lines.empty()) return L',';
    for (const wchar_t d : kCandidates) {
        const std::size_t first = CountOutsideQuotes(lines[0], d);
        if (first > 0 && std::all_of(lines.begin(), lines.end(),
                                     [&](std::wstring_view l) { return CountOutsideQuotes(l, d) == first; }))
            return d;
    }
    for (const wchar_t d : kCandidates)
        if (std::all_of(lines.begin(), lines.end(), [&](std::wstring_view l) { return CountOutsideQuotes(l, d) > 0; }))
            return d;
    for (const wchar_t d : kCandidates)
        if (CountOutsideQuotes(lines[0], d) > 0) return d;
    return L',';
}

DelimitedRows ReadDelimitedRows(std::wstring_view data, wchar_t delimiter, std::size_t firstLine, std::size_t maxRows) {
    DelimitedRows out;
    const std::size_t n = data.size();
    std::size_t i = 0;
    std::size_t line = firstLine;
    const auto append = [](std::wstring& field, std::wstring_view piece) {
        if (field.size() < kLongestRow) field.append(piece.substr(0, kLongestRow - std::min(field.size(), kLongestRow)));
    };
    while (i < n && out.rows.size() < maxRows) {
        DelimitedRow row;
        row.line = line;
        const std::size_t rowStart = i;
        for (;;) {
            std::wstring field;
            if (i < n && data[i] == L'"') {
                const std::size_t quoteLine = line;
                ++i;
                bool closed = false;
                while (i < n) {
                    const std::size_t next = data.find_first_of(L"\"\r\n", i);
                    const std::size_t stop = next == std::wstring_view::npos ? n : next;
                    append(field, data.substr(i, stop - i));
                    i = stop;
                    if (i == n) break;
                    if (data[i] == L'"') {
                        if (i + 1 < n && data[i + 1] == L'"') {
                            append(field, L"\"");
                            i += 2;
                            continue;
                        }
                        ++i;
                        closed = true;
                        break;
                    }
                    // A line break inside the quotes belongs to the field, as one LF.
                    i = SkipLineEnd(data, i);
                    ++line;
                    append(field, L"\n");
                }
                if (!closed) {
                    out.unclosedQuoteLine = quoteLine;
                    return out;
                }
            }
            std::size_t stop = i;
            while (stop < n && data[stop] != delimiter && !IsLineEnd(data[stop])) ++stop;
            append(field, data.substr(i, stop - i));
            i = stop;
            // A row past the longest is refused whole: its fields are not kept, so a
            // hostile line of delimiters costs no memory for them.
            if (i - rowStart <= kLongestRow) row.fields.push_back(std::move(field));
            if (i < n && data[i] == delimiter) {
                ++i;
                continue;
            }
            if (i < n) {
                i = SkipLineEnd(data, i);
                ++line;
            }
            break;
        }
        if (i - rowStart > kLongestRow) {
            row.tooLong = true;
            row.fields.clear();
        } else if (IsBlankRow(row)) {
            continue;
        }
        out.rows.push_back(std::move(row));
    }
    return out;
}

std::wstring StripHtml(std::wstring_view field) {
    if (field.find_first_of(L"<&[") == std::wstring_view::npos) return std::wstring(field);
    std::wstring out;
    out.reserve(field.size());
    // Where the last comment end and the last bracket stand: a search that cannot succeed
    // is not made, which keeps a hostile field of openings from costing its length squared.
    const std::size_t lastCommentEnd = field.rfind(L"-->");
    const std::size_t lastBracket = field.rfind(L']');
    std::size_t i = 0;
    while (i < field.size()) {
        const wchar_t c = field[i];
        if (c == L'<') {
            bool breaksLine = false;
            if (const std::size_t length = TagLength(field, i, lastCommentEnd, breaksLine)) {
                if (breaksLine) out += L'\n';
                i += length;
                continue;
            }
        } else if (c == L'&') {
            wchar_t decoded = 0;
            if (const std::size_t length = DecodeEntity(field, i, decoded)) {
                if (decoded != 0) out += decoded;
                i += length;
                continue;
            }
        } else if (c == L'[' && lastBracket != std::wstring_view::npos && lastBracket > i &&
                   field.substr(i, 7) == L"[sound:") {
            const std::size_t close = field.find(L']', i);
            if (close != std::wstring_view::npos) {
                i = close + 1;
                continue;
            }
        }
        out += c;
        ++i;
    }
    return out;
}

bool LooksLikeHeaderRow(const std::vector<std::wstring>& first, const std::vector<DelimitedRow>& following,
                        const std::vector<std::wstring>& knownNames) {
    static const wchar_t* const kGenericNames[] = {
        L"word",       L"words",   L"translation", L"translations", L"meaning",  L"meanings",    L"front",
        L"back",       L"question", L"answer",     L"term",         L"definition", L"source",    L"target",
        L"wort",       L"w\u00f6rter", L"\u00fcbersetzung", L"bedeutung", L"vorderseite", L"r\u00fcckseite",
        L"frage",      L"antwort", L"begriff"};
    std::size_t named = 0;
    bool allKnown = true;
    for (const std::wstring& field : first) {
        const std::wstring name = Lower(TrimBlanks(field));
        if (name.empty()) continue;
        ++named;
        const bool known = std::any_of(knownNames.begin(), knownNames.end(),
                                       [&](const std::wstring& k) { return Lower(TrimBlanks(k)) == name; }) ||
                           std::any_of(std::begin(kGenericNames), std::end(kGenericNames),
                                       [&](const wchar_t* g) { return name == g; });
        allKnown = allKnown && known;
    }
    if (named == 0) return false;
    if (allKnown) return true;
    if (following.size() < 3 || !std::all_of(first.begin(), first.end(), [](const std::wstring& f) { return IsAscii(f); }))
        return false;
    const std::size_t foreign = static_cast<std::size_t>(std::count_if(following.begin(), following.end(), [](const DelimitedRow& r) {
        return std::any_of(r.fields.begin(), r.fields.end(), [](const std::wstring& f) { return !IsAscii(f); });
    }));
    return foreign * 5 >= following.size() * 4;
}
