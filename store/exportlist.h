// A word list or practice list as text other programs read: comma-separated values in
// UTF-8 with a byte order mark (so spreadsheet programs take it for UTF-8), or
// tab-separated UTF-8 text. Entries marked deleted are left out.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

struct WordListDescriptor;

enum class ExportFormat { Csv, Tabs };

struct ExportOptions {
    ExportFormat format = ExportFormat::Csv;
    bool headerRow = false;  // the two language names first
};

// The text of records in the given code pages; CR LF after every row.
std::string ExportText(std::string_view records, UINT firstCodePage, UINT secondCodePage, const ExportOptions& options,
                       const std::wstring& firstName, const std::wstring& secondName, std::size_t* entries = nullptr);

struct ExportResult {
    bool read = false;     // the list file could be read
    bool written = false;  // the target was written whole
    std::size_t entries = 0;
};

// Writes the list file at `listPath`, whose records belong to `d`, to `target` in one step.
ExportResult ExportListFile(const std::wstring& listPath, const WordListDescriptor& d, const std::wstring& target,
                            const ExportOptions& options);
