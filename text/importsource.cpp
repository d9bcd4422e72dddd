#include "text/importsource.h"

#include <algorithm>

namespace {

constexpr std::size_t kHeaderSample = 20;
constexpr std::size_t kBeginning = 256 * 1024;  // bytes

std::wstring_view TrimLineBlanks(std::wstring_view text) {
    const std::size_t start = text.find_first_not_of(L" \t\r\n");
    if (start == std::wstring_view::npos) return {};
    return text.substr(start, text.find_last_not_of(L" \t\r\n") - start + 1);
}

std::wstring FieldOf(const DelimitedRow& row, std::size_t column, bool html) {
    if (column >= row.fields.size()) return {};
    return html ? StripHtml(row.fields[column]) : row.fields[column];
}

bool IsDataColumn(const TextHeader& header, std::size_t column) {
    return std::find(header.metaColumns.begin(), header.metaColumns.end(), column) == header.metaColumns.end();
}

std::size_t DataColumnFrom(const TextHeader& header, std::size_t from, std::size_t columns) {
    for (std::size_t c = from; c < columns; ++c)
        if (IsDataColumn(header, c)) return c;
    return from;
}

// The next data column after `column`, round to the start; the next column when there is none.
std::size_t DataColumnAfter(const TextHeader& header, std::size_t column, std::size_t columns) {
    for (std::size_t step = 1; step < columns; ++step) {
        const std::size_t c = (column + step) % columns;
        if (IsDataColumn(header, c)) return c;
    }
    return (column + 1) % columns;
}

}  // namespace

std::wstring TranslationsWithCommas(std::wstring_view text) {
    const wchar_t separator = text.find(L',') != std::wstring_view::npos   ? L','
                              : text.find(L';') != std::wstring_view::npos ? L';'
                                                                           : L'/';
    std::wstring out(text);
    for (wchar_t& c : out)
        if (c == separator || c == L'\n' || c == L'\r') c = L',';
    return out;
}

ImportSource ReadImportSource(std::string_view bytes, const ImportSettings& settings, UINT fallbackCodePage,
                              const std::vector<std::wstring>& knownNames, std::size_t maxRows) {
    ImportSource source;
    const std::size_t wanted = maxRows == SIZE_MAX ? maxRows : maxRows + kHeaderSample + 1;
    // The first rows need only the file's beginning, unless its lines are long.
    DecodedText decoded = DecodeTextFile(bytes, settings.encoding, fallbackCodePage, maxRows == SIZE_MAX ? SIZE_MAX : kBeginning);
    TextHeader header;
    DelimitedRows rows;
    for (;;) {
        source.encoding = decoded.used;
        source.problem = decoded.problem;
        if (source.problem != TextProblem::None) return source;
        header = ReadTextHeader(decoded.text);
        const std::wstring_view data = std::wstring_view(decoded.text).substr(header.dataOffset);
        source.delimiter =
            settings.delimiter ? settings.delimiter : header.separator ? header.separator : DetectDelimiter(data);
        rows = ReadDelimitedRows(data, source.delimiter, header.lines + 1, wanted);
        if (!decoded.partial || (rows.rows.size() >= wanted && rows.unclosedQuoteLine == 0)) break;
        decoded = DecodeTextFile(bytes, settings.encoding, fallbackCodePage);
    }
    source.unclosedQuoteLine = rows.unclosedQuoteLine;
    const bool html = !header.htmlOff;

    if (settings.headerRow >= 0) {
        source.headerRow = settings.headerRow == 1 && !rows.rows.empty();
    } else if (header.columns.empty() && !rows.rows.empty()) {
        const std::size_t sampleEnd = std::min(rows.rows.size(), kHeaderSample + 1);
        const std::vector<DelimitedRow> following(rows.rows.begin() + 1, rows.rows.begin() + static_cast<std::ptrdiff_t>(sampleEnd));
        source.headerRow = LooksLikeHeaderRow(rows.rows.front().fields, following, knownNames);
    }
    std::size_t columns = header.columns.size();
    for (const DelimitedRow& row : rows.rows) columns = std::max(columns, row.fields.size());
    if (source.headerRow) {
        for (const std::wstring& name : rows.rows.front().fields) source.columnNames.emplace_back(TrimLineBlanks(html ? StripHtml(name) : name));
        rows.rows.erase(rows.rows.begin());
    } else {
        source.columnNames = header.columns;
    }
    columns = std::max<std::size_t>(columns, 2);
    source.columnNames.resize(columns);

    source.firstColumn = settings.firstColumn < columns ? settings.firstColumn : DataColumnFrom(header, 0, columns);
    source.secondColumn =
        settings.secondColumn < columns ? settings.secondColumn : DataColumnAfter(header, source.firstColumn, columns);

    source.pairs.reserve(rows.rows.size());
    for (const DelimitedRow& row : rows.rows) {
        ImportPair pair;
        pair.line = row.line;
        pair.tooLong = row.tooLong;
        if (!row.tooLong) {
            pair.first = std::wstring(TrimLineBlanks(FieldOf(row, source.firstColumn, html)));
            pair.second = FieldOf(row, source.secondColumn, html);
        }
        source.pairs.push_back(std::move(pair));
    }
    return source;
}
