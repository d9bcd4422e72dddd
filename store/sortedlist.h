// A word list written sorted in one pass: the records of its file as they were read,
// some of them replaced, and new entries behind them, in the order (and with the ties)
// the store's sort gives them, marked entries left out.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "store/importlists.h"

class AtomicFileWriter;
class ContentHash;

// The record of an entry whose words fit their fields (as the plan checked them).
WordRecord RecordOf(const WordListDescriptor& d, std::wstring_view first, std::wstring_view second);


// The list must be current for its keys (its locale and sort table set). The contents
// written are fed to `hash` as well.
bool WriteSortedList(const WordListDescriptor& d, const ListImage& image, const std::vector<ImportEntry>& entries,
                     AtomicFileWriter& writer, ContentHash& hash, const ImportProgress& progress);
