#include "practice/reviewfields.h"

#include <cmath>

namespace reviewfile {

namespace {

constexpr std::size_t kLongestWord = 256;  // bytes of UTF-8; a record's word is far shorter
constexpr double kLargestStability = 1e7;
constexpr int kMostSteps = 16;

// Appends the text with its escapes undone; false for an escape the writer never makes.
bool AppendUnescaped(std::string_view text, std::string& out) {
    if (text.find('\\') == std::string_view::npos) {
        out.append(text);
        return true;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size()) return false;
        switch (text[i]) {
        case '\\': out += '\\'; break;
        case 't': out += '\t'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        default: return false;
        }
    }
    return true;
}

// Well-formed UTF-8 without zeros: what the program writes, and what a word can hold.
bool IsCleanUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == 0) return false;
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t more = 0;
        unsigned minimum = 0;
        unsigned value = 0;
        if ((c & 0xE0) == 0xC0) {
            more = 1, minimum = 0x80, value = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            more = 2, minimum = 0x800, value = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            more = 3, minimum = 0x10000, value = c & 0x07;
        } else {
            return false;
        }
        if (i + more >= text.size()) return false;
        for (std::size_t k = 1; k <= more; ++k) {
            const unsigned char n = static_cast<unsigned char>(text[i + k]);
            if ((n & 0xC0) != 0x80) return false;
            value = (value << 6) | (n & 0x3F);
        }
        if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
        i += more + 1;
    }
    return true;
}

// Appends the word a field holds to `out`; false when the field holds no word.
bool AppendWord(std::string_view field, std::string& out) {
    if (field.empty() || field.size() > 2 * kLongestWord) return false;
    const std::size_t start = out.size();
    if (!AppendUnescaped(field, out)) return false;
    const std::string_view word(out.data() + start, out.size() - start);
    return !word.empty() && word.size() <= kLongestWord && IsCleanUtf8(word);
}

}  // namespace

void AppendEscaped(std::string& out, std::string_view word) {
    for (char c : word) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out += c; break;
        }
    }
}

bool KeyOfFields(std::string_view first, std::string_view second, std::string& key) {
    key.clear();
    if (!AppendWord(first, key)) return false;
    key += '\0';
    return AppendWord(second, key);
}

bool Decimal(std::string_view text, double& value) {
    if (text.empty() || text.size() > 24) return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    return error == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

void AppendNumber(std::string& out, std::int64_t value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void AppendDecimal(std::string& out, double value) {
    char buffer[48];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 4);
    out.append(buffer, result.ptr);
}

bool ParseState(const std::string_view* f, std::int64_t time, CardMemory& memory) {
    int phase = 0;
    if (!Number(f[0], phase) || phase < 1 || phase > 3) return false;
    memory.phase = static_cast<CardPhase>(phase);
    if (!Number(f[1], memory.step) || memory.step < 0 || memory.step >= kMostSteps) return false;
    if (!Decimal(f[2], memory.stability) || memory.stability < kMinStability || memory.stability > kLargestStability)
        return false;
    if (!Decimal(f[3], memory.difficulty) || memory.difficulty < 1.0 || memory.difficulty > 10.0) return false;
    if (!Number(f[4], memory.due)) return false;
    const std::int64_t latestDue = time + (static_cast<std::int64_t>(kLongestIntervalDays) + 1) * kSecondsPerDay;
    return memory.due >= time && memory.due <= latestDue;
}

void AppendState(std::string& out, const CardMemory& m) {
    AppendNumber(out, static_cast<int>(m.phase));
    out += '\t';
    AppendNumber(out, m.step);
    out += '\t';
    AppendDecimal(out, m.stability);
    out += '\t';
    AppendDecimal(out, m.difficulty);
    out += '\t';
    AppendNumber(out, m.due);
}

std::uint64_t FileSize(HANDLE file) {
    LARGE_INTEGER size{};
    return GetFileSizeEx(file, &size) ? static_cast<std::uint64_t>(size.QuadPart) : 0;
}

bool SeekTo(HANDLE file, std::uint64_t offset) {
    LARGE_INTEGER to{};
    to.QuadPart = static_cast<LONGLONG>(offset);
    return SetFilePointerEx(file, to, nullptr, FILE_BEGIN) != FALSE;
}

bool ReadExactly(HANDLE file, char* data, std::size_t size) {
    DWORD read = 0;
    return ReadFile(file, data, static_cast<DWORD>(size), &read, nullptr) && read == size;
}

UniqueFile OpenForReading(const std::wstring& path) {
    return UniqueFile(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

}  // namespace reviewfile
