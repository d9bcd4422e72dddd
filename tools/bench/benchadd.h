// The Add window's side of the store benchmark: pairs stored into word lists of a
// million entries in both directions, and the sort of both lists on closing.
#pragma once

namespace bench {

struct AddBenchOptions {
    int size = 1000000;  // entries of each list before the pairs
    int pairs = 100;     // pairs stored per run
    int runs = 3;        // each from the same sorted lists
};

// Runs in a folder whose language file and tables are in place; false on a failure.
bool RunAddBench(const AddBenchOptions& options);

}  // namespace bench
