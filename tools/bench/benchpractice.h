// The practice list maker's file work on large lists: the update at closing that takes
// the marked entries out, add-all from the word list, and add-random.
#pragma once

namespace bench {

struct PracticeBenchOptions {
    int wordListSize = 1000000;  // entries of the word list
    int practiceSize = 100000;   // entries of the practice list the update rewrites
    int marked = 1000;           // of them marked for removal
    int randomWords = 10000;     // words drawn by add-random
    int runs = 3;
};

// Runs in a folder whose language file is in place; false on a failure.
bool RunPracticeBench(const PracticeBenchOptions& options);

}  // namespace bench
