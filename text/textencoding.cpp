#include "text/textencoding.h"

#include <algorithm>

#include "text/codepage.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

bool StartsWith(std::string_view bytes, std::string_view prefix) { return bytes.substr(0, prefix.size()) == prefix; }

EncodingKind MarkedEncoding(std::string_view bytes) {
    if (StartsWith(bytes, kUtf8Mark)) return EncodingKind::Utf8;
    if (StartsWith(bytes, kUtf16LeMark)) return EncodingKind::Utf16Le;
    if (StartsWith(bytes, kUtf16BeMark)) return EncodingKind::Utf16Be;
    return EncodingKind::Automatic;
}

std::string_view WithoutMark(std::string_view bytes, EncodingKind kind) {
    const std::string_view mark = kind == EncodingKind::Utf8      ? kUtf8Mark
                                  : kind == EncodingKind::Utf16Le ? kUtf16LeMark
                                  : kind == EncodingKind::Utf16Be ? kUtf16BeMark
                                                                  : std::string_view();
    return !mark.empty() && StartsWith(bytes, mark) ? bytes.substr(mark.size()) : bytes;
}

std::wstring FromUtf16(std::string_view bytes, bool bigEndian) {
    std::wstring text(bytes.size() / 2, L'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto a = static_cast<unsigned char>(bytes[2 * i]);
        const auto b = static_cast<unsigned char>(bytes[2 * i + 1]);
        text[i] = static_cast<wchar_t>(bigEndian ? (a << 8 | b) : (b << 8 | a));
    }
    return text;
}

// A few stray control characters happen in text; a file full of them is something else.
bool LooksLikeText(std::wstring_view text) {
    std::size_t controls = 0;
    for (const wchar_t c : text) {
        if (c == L'\0') return false;
        if (c < 0x20 && c != L'\t' && c != L'\n' && c != L'\r' && c != L'\f' && c != L'\v' && c != 0x1A) ++controls;
    }
    return controls * 100 <= text.size();
}

// The width of the well-formed UTF-8 sequence at bytes[i], or 0 when there is none.
std::size_t SequenceWidth(std::string_view bytes, std::size_t i) {
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = at(i);
    if (lead < 0x80) return 1;
    std::size_t width = 0;
    unsigned char low = 0x80, high = 0xBF;  // range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        width = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        width = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        width = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (i + width > bytes.size() || at(i + 1) < low || at(i + 1) > high) return 0;
    for (std::size_t k = i + 2; k < i + width; ++k)
        if ((at(k) & 0xC0) != 0x80) return 0;
    return width;
}

// Each byte that begins no well-formed sequence becomes one U+FFFD and the bytes after
// it are read afresh, the same on every system.
std::wstring FromUtf8(std::string_view bytes) {
    std::wstring text;
    text.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t width = SequenceWidth(bytes, i);
        const auto at = [&](std::size_t k) { return static_cast<char32_t>(static_cast<unsigned char>(bytes[k])); };
        char32_t c = 0xFFFD;
        if (width == 1) c = at(i);
        else if (width == 2) c = (at(i) & 0x1F) << 6 | (at(i + 1) & 0x3F);
        else if (width == 3) c = (at(i) & 0x0F) << 12 | (at(i + 1) & 0x3F) << 6 | (at(i + 2) & 0x3F);
        else if (width == 4)
            c = (at(i) & 0x07) << 18 | (at(i + 1) & 0x3F) << 12 | (at(i + 2) & 0x3F) << 6 | (at(i + 3) & 0x3F);
        if (c >= 0x10000) {
            text += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
            text += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            text += static_cast<wchar_t>(c);
        }
        i += width > 0 ? width : 1;
    }
    return text;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t width = SequenceWidth(bytes, i);
        if (width == 0) return false;
        i += width;
    }
    return true;
}

DecodedText DecodeTextFile(std::string_view bytes, TextEncoding wanted, UINT fallbackCodePage, std::size_t prefixBytes) {
    DecodedText result;
    TextEncoding used = wanted;
    if (used.kind == EncodingKind::Automatic) {
        used.kind = MarkedEncoding(bytes);
        if (used.kind == EncodingKind::Automatic) {
            used.kind = IsValidUtf8(bytes) ? EncodingKind::Utf8 : EncodingKind::CodePage;
            used.codePage = fallbackCodePage;
        }
    }
    if (used.kind != EncodingKind::CodePage) used.codePage = 0;
    result.used = used;
    std::string_view body = WithoutMark(bytes, used.kind);
    const bool wide = used.kind == EncodingKind::Utf16Le || used.kind == EncodingKind::Utf16Be;
    if (!wide && body.find('\0') != std::string_view::npos) {
        result.problem = TextProblem::NotText;
        return result;
    }
    const bool wasEmpty = body.empty();
    if (prefixBytes < body.size()) {
        // Cut after a line feed, which is one byte in UTF-8 and the code pages alike and no
        // trail byte of theirs, and two in UTF-16.
        const std::size_t unit = wide ? 2 : 1;
        std::size_t cut = prefixBytes - prefixBytes % unit;
        while (cut + unit <= body.size()) {
            const bool feed = wide ? (used.kind == EncodingKind::Utf16Le ? body[cut] == '\n' && body[cut + 1] == '\0'
                                                                          : body[cut] == '\0' && body[cut + 1] == '\n')
                                   : body[cut] == '\n';
            cut += unit;
            if (feed) break;
        }
        result.partial = cut < body.size();
        body = body.substr(0, cut);
    }
    switch (used.kind) {
    case EncodingKind::Utf16Le: result.text = FromUtf16(body, false); break;
    case EncodingKind::Utf16Be: result.text = FromUtf16(body, true); break;
    case EncodingKind::Utf8: result.text = FromUtf8(body); break;
    default: result.text = ToWideCounted(body.data(), body.size(), used.codePage); break;
    }
    if (result.text.empty() && wasEmpty)
        result.problem = TextProblem::Empty;
    else if (!LooksLikeText(result.text))
        result.problem = TextProblem::NotText;
    return result;
}
