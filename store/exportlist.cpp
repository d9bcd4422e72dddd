#include "store/exportlist.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <exception>

#include "store/atomicfile.h"
#include "store/catalogue.h"
#include "store/records.h"
#include "text/codepage.h"
#include "win/handles.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// Words of a code page as UTF-8. A single-byte code page goes through a table of its
// 256 bytes, which makes a list of a million entries a matter of table look-ups.
class Utf8Converter {
public:
    explicit Utf8Converter(UINT codePage) : codePage_(codePage) {
        singleByte_ = IsSingleByteCodePage(codePage);
        if (!singleByte_) return;
        for (int b = 1; b < 256; ++b) {
            const char byte = static_cast<char>(b);
            const std::string utf8 = Utf8(ToWideCounted(&byte, 1, codePage));
            Sequence& s = table_[static_cast<std::size_t>(b)];
            s.length = static_cast<unsigned char>(std::min<std::size_t>(utf8.size(), sizeof s.bytes));
            std::memcpy(s.bytes, utf8.data(), s.length);
        }
    }
    void Append(const unsigned char* text, std::size_t length, std::string& out) const {
        if (!singleByte_) {
            out += Utf8(ToWideCounted(reinterpret_cast<const char*>(text), length, codePage_));
            return;
        }
        const std::size_t at = out.size();
        out.resize(at + length * sizeof(Sequence::bytes));
        char* p = out.data() + at;
        for (std::size_t i = 0; i < length; ++i) {
            const Sequence& s = table_[text[i]];
            std::memcpy(p, s.bytes, sizeof s.bytes);
            p += s.length;
        }
        out.resize(static_cast<std::size_t>(p - out.data()));
    }
    static std::string Utf8(const std::wstring& wide) { return ToNarrow(wide, CP_UTF8); }

private:
    struct Sequence {
        unsigned char length = 0;
        char bytes[3] = {};  // a character of the Basic Multilingual Plane
    };
    UINT codePage_;
    bool singleByte_ = false;
    std::array<Sequence, 256> table_{};
};

// A field in quotes when it holds what would end it or its row, or begins with a quote.
// The bytes that decide are ASCII, in every code page and in UTF-8 alike, and no byte of
// a character of more bytes is one of them.
bool NeedsQuotes(std::string_view field, char delimiter) {
    const std::string_view ends = delimiter == ',' ? std::string_view(",\"\r\n") : std::string_view("\t\r\n");
    return field.find_first_of(ends) != std::string_view::npos || (!field.empty() && field[0] == '"');
}

void AppendQuoted(std::string_view field, std::string& out) {
    out += '"';
    for (const char c : field) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

void AppendField(std::string_view field, char delimiter, std::string& out) {
    if (NeedsQuotes(field, delimiter))
        AppendQuoted(field, out);
    else
        out += field;
}

// A field of a record straight into the text; only one that needs quotes takes a detour.
void AppendRecordField(const unsigned char* text, std::size_t length, const Utf8Converter& converter, char delimiter,
                       std::string& out, std::string& spare) {
    if (!NeedsQuotes(std::string_view(reinterpret_cast<const char*>(text), length), delimiter)) {
        converter.Append(text, length, out);
        return;
    }
    spare.clear();
    converter.Append(text, length, spare);
    AppendQuoted(spare, out);
}

}  // namespace

std::string ExportText(std::string_view records, UINT firstCodePage, UINT secondCodePage, const ExportOptions& options,
                       const std::wstring& firstName, const std::wstring& secondName, std::size_t* entries) {
    const char delimiter = options.format == ExportFormat::Csv ? ',' : '\t';
    const Utf8Converter first(firstCodePage);
    const Utf8Converter second(secondCodePage);
    std::string out;
    const std::size_t count = records.size() / kRecordSize;
    out.reserve(count * 40 + 64);
    if (options.format == ExportFormat::Csv) out += kUtf8Mark;
    if (options.headerRow) {
        AppendField(Utf8Converter::Utf8(firstName), delimiter, out);
        out += delimiter;
        AppendField(Utf8Converter::Utf8(secondName), delimiter, out);
        out += "\r\n";
    }
    std::size_t exported = 0;
    std::string spare;
    for (std::size_t i = 0; i < count; ++i) {
        const auto* record = reinterpret_cast<const unsigned char*>(records.data()) + i * kRecordSize;
        if ((record[kDeletedMarkOffset] | record[kDeletedMarkOffset + 1]) != 0) continue;
        AppendRecordField(record, FieldTextLength(record, kFirstWordField, kFirstWordMaxBytes, firstCodePage), first,
                          delimiter, out, spare);
        out += delimiter;
        const unsigned char* translations = record + kFirstWordField;
        AppendRecordField(translations,
                          FieldTextLength(translations, kSecondWordField, kSecondWordMaxBytes, secondCodePage), second,
                          delimiter, out, spare);
        out += "\r\n";
        ++exported;
    }
    if (entries) *entries = exported;
    return out;
}

ExportResult ExportListFile(const std::wstring& listPath, const WordListDescriptor& d, const std::wstring& target,
                            const ExportOptions& options) {
    ExportResult result;
    std::string records;
    try {
        result.read = ReadWholeFile(listPath, records);
        if (!result.read) return result;
        const std::string text =
            ExportText(records, d.firstCodePage, d.secondCodePage, options, d.firstName, d.secondName, &result.entries);
        std::string().swap(records);
        AtomicFileWriter writer(target + L".tmp", target);
        result.written = writer.Write(text) && writer.Commit();
    } catch (const std::exception&) {
        result.written = false;
    }
    return result;
}
