#include "lookup/textwords.h"

#include <algorithm>
#include <array>

#include "text/codepage.h"
#include "text/textencoding.h"

namespace {

// Every code below the small letters except the apostrophe, the hyphen and A-Z.
constexpr std::array<unsigned char, 69> MakeDelimiters() {
    std::array<unsigned char, 69> table{};
    std::size_t n = 0;
    for (int c = 0; c <= 96; ++c) {
        if (c == '\'' || c == '-' || (c >= 'A' && c <= 'Z')) continue;
        table[n++] = static_cast<unsigned char>(c);
    }
    return table;
}
constexpr std::array<unsigned char, 69> kDelimiters = MakeDelimiters();

std::wstring Utf16(std::string_view bytes, bool bigEndian) {
    std::wstring text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto lo = static_cast<unsigned char>(bytes[i + (bigEndian ? 1 : 0)]);
        const auto hi = static_cast<unsigned char>(bytes[i + (bigEndian ? 0 : 1)]);
        const wchar_t c = static_cast<wchar_t>(lo | (hi << 8));
        if (c == L'\0') break;  // as the 8-bit text, a zero ends what is shown
        text.push_back(c);
    }
    return text;
}

// A file without a byte order mark is UTF-8 when its bytes up to the first zero are
// well-formed UTF-8 and not all ASCII: 8-bit text in a code page almost never forms
// such sequences by chance, while plain ASCII reads the same either way.
bool IsNonAsciiUtf8(std::string_view bytes) {
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    return !ascii && IsValidUtf8(bytes);
}

}  // namespace

bool IsWordDelimiter(wchar_t c) {
    for (const unsigned char d : kDelimiters)
        if (c == d) return true;
    return false;
}

std::wstring WordAtCaret(std::wstring_view text, std::size_t caret) {
    if (caret >= text.size() || IsWordDelimiter(text[caret])) return {};
    std::size_t start = caret;
    while (start > 0 && !IsWordDelimiter(text[start - 1])) --start;
    std::size_t end = caret;
    while (end < text.size() && !IsWordDelimiter(text[end])) ++end;
    return std::wstring(text.substr(start, std::min(end - start, kMaxTextWordChars)));
}

std::wstring DecodeTextFile(std::string_view bytes, UINT codePage) {
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") return ToWide(bytes.substr(3), CP_UTF8);
    if (bytes.size() >= 2 && bytes.substr(0, 2) == "\xFF\xFE") return Utf16(bytes.substr(2), false);
    if (bytes.size() >= 2 && bytes.substr(0, 2) == "\xFE\xFF") return Utf16(bytes.substr(2), true);
    const std::string_view shown = bytes.substr(0, std::min(bytes.find('\0'), bytes.size()));
    return ToWide(shown, IsNonAsciiUtf8(shown) ? CP_UTF8 : codePage);
}
