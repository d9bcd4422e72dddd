#include "lookup/textwords.h"

#include <array>

#include "text/codepage.h"

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
    return ToWide(bytes, codePage);
}
