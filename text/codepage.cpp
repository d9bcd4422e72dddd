#include "text/codepage.h"

#include <algorithm>
#include <array>

UINT CharsetToCodePage(int charset) {
    switch (charset) {
    case ANSI_CHARSET: return 1252;
    case GREEK_CHARSET: return 1253;
    case TURKISH_CHARSET: return 1254;
    case EASTEUROPE_CHARSET: return 1250;
    case RUSSIAN_CHARSET: return 1251;
    case BALTIC_CHARSET: return 1257;
    case HANGUL_CHARSET: return 949;
    case SHIFTJIS_CHARSET: return 932;
    case GB2312_CHARSET: return 936;
    case CHINESEBIG5_CHARSET: return 950;
    case VIETNAMESE_CHARSET: return 1258;
    case THAI_CHARSET: return 874;
    case HEBREW_CHARSET: return 1255;
    case ARABIC_CHARSET: return 1256;
    case kCharsetSudEuro: return 1254;
    default: return GetACP();
    }
}

DWORD MultiByteFlags(UINT codePage) {
    if (codePage == CP_ACP) codePage = GetACP();
    if (codePage == CP_OEMCP) codePage = GetOEMCP();
    const bool refusesFlags = codePage == CP_UTF8 || codePage == CP_UTF7 || codePage == 54936 || codePage == 52936 ||
                              codePage == 42 || (codePage >= 50220 && codePage <= 50229) ||
                              (codePage >= 57002 && codePage <= 57011);
    return refusesFlags ? 0 : MB_PRECOMPOSED;
}

std::wstring ToWideCounted(const char* data, std::size_t count, UINT codePage) {
    if (count == 0) return {};
    const int n = static_cast<int>(count);
    std::wstring out(count, L'\0');
    const int written = MultiByteToWideChar(codePage, MultiByteFlags(codePage), data, n, out.data(), n);
    out.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
    return out;
}

std::wstring ToWide(std::string_view text, UINT codePage) {
    const std::size_t end = std::min(text.find('\0'), text.size());
    return ToWideCounted(text.data(), end, codePage);
}

std::string ToNarrow(std::wstring_view text, UINT codePage) {
    const std::size_t end = std::min(text.find(L'\0'), text.size());
    if (end == 0) return {};
    const int n = static_cast<int>(end);
    const int needed = WideCharToMultiByte(codePage, 0, text.data(), n, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return {};
    std::string out(static_cast<std::size_t>(needed), '\0');
    const int written = WideCharToMultiByte(codePage, 0, text.data(), n, out.data(), needed, nullptr, nullptr);
    out.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
    return out;
}

namespace {

// Bytes of the UTF-8 sequence at data[pos]; a byte that begins no whole sequence
// stands alone, as the conversion turns it into one replacement character.
std::size_t Utf8SequenceWidth(const char* data, std::size_t count, std::size_t pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(data[i]); };
    const unsigned char lead = byte(pos);
    const std::size_t width = lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                            : lead >= 0xF0 && lead <= 0xF4 ? 4 : 1;
    if (pos + width > count) return 1;
    for (std::size_t i = pos + 1; i < pos + width; ++i)
        if ((byte(i) & 0xC0) != 0x80) return 1;
    return width;
}

}  // namespace

std::size_t CharacterBoundaryPrefix(const char* data, std::size_t count, std::size_t maxBytes, UINT codePage) {
    std::size_t pos = 0;
    const std::size_t limit = std::min(count, maxBytes);
    while (pos < limit) {
        std::size_t width = 1;
        if (codePage == CP_UTF8)
            width = Utf8SequenceWidth(data, count, pos);
        else if (IsDBCSLeadByteEx(codePage, static_cast<BYTE>(data[pos])) && pos + 1 < count)
            width = 2;
        if (pos + width > limit) break;
        pos += width;
    }
    return pos;
}

std::string ToNarrowLimited(std::wstring_view text, UINT codePage, std::size_t maxBytes) {
    std::string out = ToNarrow(text, codePage);
    out.resize(CharacterBoundaryPrefix(out.data(), out.size(), maxBytes, codePage));
    return out;
}

namespace {
std::array<wchar_t, kSharedBufferSize> g_sharedWide{};
std::array<char, kSharedBufferSize> g_sharedNarrow{};
}  // namespace

const wchar_t* ToWideShared(const char* text, UINT codePage) {
    const std::wstring wide = ToWide(text ? std::string_view(text) : std::string_view(), codePage);
    const std::size_t n = wide.size() < kSharedBufferSize ? wide.size() : 0;
    std::copy_n(wide.data(), n, g_sharedWide.data());
    g_sharedWide[n] = L'\0';
    return g_sharedWide.data();
}

const char* ToNarrowShared(const wchar_t* text, UINT codePage) {
    const std::string narrow = ToNarrow(text ? std::wstring_view(text) : std::wstring_view(), codePage);
    const std::size_t n = narrow.size() < kSharedBufferSize ? narrow.size() : 0;
    std::copy_n(narrow.data(), n, g_sharedNarrow.data());
    g_sharedNarrow[n] = '\0';
    return g_sharedNarrow.data();
}

namespace {
template <typename Ch>
Ch FoldAscii(Ch c) {
    return (c >= Ch('A') && c <= Ch('Z')) ? static_cast<Ch>(c - Ch('A') + Ch('a')) : c;
}
template <typename Ch>
bool EqualFolded(std::basic_string_view<Ch> a, std::basic_string_view<Ch> b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    return true;
}
}  // namespace

bool EqualsIgnoreAsciiCase(std::wstring_view a, std::wstring_view b) { return EqualFolded(a, b); }
bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b) { return EqualFolded(a, b); }
bool StartsWithIgnoreAsciiCase(std::wstring_view text, std::wstring_view prefix) {
    return text.size() >= prefix.size() && EqualFolded(text.substr(0, prefix.size()), prefix);
}

bool IsSingleByteCodePage(UINT codePage) {
    CPINFO info{};
    return GetCPInfo(codePage, &info) && info.MaxCharSize == 1;
}
