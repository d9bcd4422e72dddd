// Words captured while reading: an entry of the current word list goes into the current
// practice list in both directions, the way the Add window's option puts new words
// there, so the review asks it next time.
#pragma once

#include "store/records.h"

enum class CaptureOutcome {
    Added,           // the entry (and its reverse entries) stand in the practice list
    AlreadyThere,    // the practice list held the entry already; nothing was added
    NoPracticeList,  // there is no practice list to add to
    NotAnEntry,      // an empty or deleted entry
    NotWritten,      // a practice list file could not be read or written (what could be, was)
};

// The entry of the current word list goes into the current direction's practice list
// file; for each of its translations the reverse word list's entry of it (or, when that
// list lacks it, the translation with the first word) goes into the opposite direction's
// file. An entry the file holds already is not added twice. The current word list, its
// files and CurrentEntry are as they were afterwards.
CaptureOutcome AddEntryToPracticeList(const WordEntry& entry);
