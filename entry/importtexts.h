// The words an import uses to tell what it will do and what it did: the counts, the
// reason a row cannot be stored, and the report of the skipped rows.
#pragma once

#include <windows.h>

#include <string>

#include "store/importlists.h"

struct WordListDescriptor;

std::wstring RefusalText(ImportRefusal reason);
// "Rows read: 12   New pairs: 8   ..."
std::wstring CountsText(const ImportCounts& counts);
// "Line 12: word / translation: the reason (word)"
std::wstring RefusedRowText(const PlannedRow& row);
// The message at the end of an import.
std::wstring ImportDoneText(const ImportCounts& counts);

// The report as UTF-8 text with a byte order mark: what was imported where, the counts,
// then each skipped row with its line and reason.
std::string ImportReportText(const std::wstring& sourcePath, const WordListDescriptor& d, const ImportPlan& plan,
                             const SYSTEMTIME& time);
// Writes the report into the folder of the log of new entries; its path, or empty.
std::wstring WriteImportReport(const std::wstring& sourcePath, const WordListDescriptor& d, const ImportPlan& plan,
                               const SYSTEMTIME& time);
