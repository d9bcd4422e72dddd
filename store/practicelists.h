// Practice lists: one folder each below the practice list root, shared by all
// language pairs. Inside a folder every word list direction used with the list has
// its practice list file (and, after a typed practice, its score file).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Command id of the first practice list in the maker's lists menu; the k-th listed
// folder has this id + k.
inline constexpr int kFirstListCommand = 800;

// The practice lists the root holds: its folders whose names do not begin with "."
// (a sync tool's hidden folder is no list), exactly the ones the lists menu shows;
// -1 when the root cannot be read.
int CountPracticeLists();

// Folders that are practice lists (not beginning with "."), in enumeration order.
std::vector<std::wstring> ListPracticeLists();

// Whether a practice list (a folder not beginning with ".") of this name exists,
// without regard to case.
bool PracticeListExists(const std::wstring& name);

// Makes the first listed practice list current: kFirstListCommand, or 0 (and nothing
// changes) when there is none.
int SelectFirstPracticeList();

// Creates the folder of CurrentPracticeList; -1 when it could not (it exists, or the
// root is missing), which callers may ignore.
int CreatePracticeListFolder();

// What the new-list dialog makes of a typed name.
enum class ListNameVerdict { Empty, NotAllowed, Accepted };
// The name as it is stored on disk decides: in the word list's first code page a
// character it cannot represent becomes "?", which a folder name cannot hold.
ListNameVerdict CheckPracticeListName(const std::wstring& typed, UINT codePage);
// The name a list gets: as typed, without trailing blanks, which a Windows folder name
// silently loses (the list's own paths would then lead nowhere).
std::wstring PracticeListNameFromTyped(const std::wstring& typed);

// Deletes every file of the named list's folder, then the folder; false when the
// folder stays (a file could not be deleted, or it holds a sub-folder).
bool RemovePracticeListFolder(const std::wstring& name);

// The current direction's practice list file of the current list, its folder created
// when it is missing.
std::wstring PracticeListTargetPath();

// The current direction's practice list file becomes empty.
void EmptyPracticeList();

// The current direction's practice list file becomes a copy of the word list file
// (deleted marks included); the practice list is replaced, not extended. A failed
// copy leaves the old practice list whole. 0, or the system error code of the failure.
DWORD CopyWordListFile();
// The same, with the program's message when the copy fails.
void CopyWordListToPracticeList();

// Rewrites the practice list file without its entries with the deleted mark, keeping
// the order of the others. False, and the file as it was, when that could not be done.
bool RemoveMarkedPracticeEntries();

// What a click on a practice entry did to its deleted mark.
enum class MarkOutcome { NoEntry, Flipped, NotWritten };
// Flips the deleted mark of practice entry `index` in the file. Afterwards CurrentEntry
// holds the entry as the row shows it.
MarkOutcome FlipPracticeMark(int index);
// A hook for tests: the next mark is refused by the file, as a full or vanished disk
// or another program's lock refuses it.
void FailNextPracticeMarkWrite();

// Appends `count` entries drawn uniformly from the whole word list (with replacement,
// deleted marks as in the word list); empties the practice list first when asked.
void AppendRandomWords(int count, bool emptyFirst);
