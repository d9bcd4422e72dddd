// Text files made by other programs: which encoding their bytes are in, and their text.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

enum class EncodingKind { Automatic, Utf8, Utf16Le, Utf16Be, CodePage };

struct TextEncoding {
    EncodingKind kind = EncodingKind::Automatic;
    UINT codePage = 0;  // only for CodePage
    bool operator==(const TextEncoding&) const = default;
};

enum class TextProblem { None, Empty, NotText };

struct DecodedText {
    std::wstring text;
    TextEncoding used;  // never Automatic
    TextProblem problem = TextProblem::None;
    bool partial = false;  // only the beginning was decoded
};

// Whether the bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool IsValidUtf8(std::string_view bytes);

// Automatic: a byte order mark decides (UTF-8, UTF-16 LE or BE); without one the
// bytes are UTF-8 when they are valid UTF-8, else text in the fallback code page.
// A chosen encoding skips its own byte order mark. Bytes that are no text in the
// encoding (invalid UTF-8, say) become U+FFFD, which no word list can store.
// A zero byte outside UTF-16, or a zero or many control characters in the text, make
// the file no text at all. With `prefixBytes`, the encoding is still told from all the
// bytes, but only the lines of about that many first bytes are decoded.
DecodedText DecodeTextFile(std::string_view bytes, TextEncoding wanted, UINT fallbackCodePage,
                           std::size_t prefixBytes = std::string_view::npos);
