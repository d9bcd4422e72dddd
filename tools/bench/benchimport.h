// The import and the export on large lists: a file of 100 000 rows (half of them new
// words with three translations each, half entries the list has) imported into French-English
// and English-French lists of a million entries each, the dialog's preview of the same
// file, the export of the million-entry list, and the peak memory of an import.
#pragma once

#include <string>

namespace bench {

struct ImportBenchOptions {
    std::wstring source;  // the project folder, for the measuring process
    int size = 1000000;  // entries of each list before the import
    int rows = 100000;   // rows of the file
    int runs = 3;        // each from the same sorted lists; the median counts
};

// Runs in a folder whose language file is in place; false on a failure.
bool RunImportBench(const ImportBenchOptions& options);
// The measuring part, in a process of its own so its peak memory is the import's.
int ImportChild(int runs);

}  // namespace bench
