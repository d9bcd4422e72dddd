// Storing word pairs: the entry in the current word list, each translation in the
// word list of the opposite direction, the practice lists and the log of new
// entries. The Add window calls these; they need no window.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "text/translations.h"

struct WordListDescriptor;

// What the Add window keeps while it is open.
struct AddSession {
    int addedCount = 0;
    // Look-ups only search the part of each list that was sorted when the window
    // opened: entries appended since then stand unsorted behind it.
    int searchableCount = 0;
    int reverseSearchableCount = 0;
    WordListDescriptor* forward = nullptr;
    WordListDescriptor* reverse = nullptr;
    bool currentListChanged = false;
    bool reverseListChanged = false;
    bool addToPracticeList = true;
    HWND messageOwner = nullptr;  // the window a message about the lists belongs to
};

inline constexpr std::size_t kFirstWordChars = 30;
inline constexpr std::size_t kSecondWordChars = 50;

// The session of a window opening on the current word list; creates the log folder.
AddSession BeginAddSession(bool addToPracticeList);

// The pieces joined with ", "; empty when there are none.
std::wstring NormaliseTranslations(const std::wstring& text);

// The translation the sorted part of the current list has for a typed first word;
// nothing when the word is not there (A-Z folded for the comparison).
std::optional<std::wstring> LookUpTranslation(const AddSession& session, const std::wstring& typed);

enum class StoreOutcome { Nothing, CommaInFirstWord, Updated, Added };
// Stores a pair as typed into the two edits (trimmed here). Afterwards the current
// word list and its files are the forward list again.
StoreOutcome StorePair(AddSession& session, const std::wstring& firstTyped, const std::wstring& secondTyped);
// Adds one translation of first word `first` to the reverse list, which is current.
void AddReverseTranslation(AddSession& session, const std::wstring& piece, const std::wstring& first);

// new\<first>_<second>.tvk
std::wstring NewEntryLogPath(const WordListDescriptor& d);
// Appends CurrentEntry to the log of new entries; nothing when it cannot be opened.
void LogNewEntry(const WordListDescriptor& d);

// Sorts what the session changed (with the sorting window); both flags end cleared.
void SortChangedLists(AddSession& session);
