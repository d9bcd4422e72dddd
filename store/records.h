// Word list and practice list files: fixed records of 84 bytes, back to back.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

struct WordListDescriptor;

inline constexpr std::size_t kRecordSize = 84;
inline constexpr std::size_t kFirstWordField = 31;   // 30 bytes of text and a zero
inline constexpr std::size_t kSecondWordField = 51;  // 50 bytes of text and a zero
inline constexpr std::size_t kFirstWordMaxBytes = kFirstWordField - 1;
inline constexpr std::size_t kSecondWordMaxBytes = kSecondWordField - 1;
inline constexpr std::size_t kDeletedMarkOffset = kFirstWordField + kSecondWordField;

// One entry as the program handles it.
struct WordEntry {
    std::wstring first;
    std::wstring second;
    std::uint16_t deleted = 0;
    bool operator==(const WordEntry&) const = default;
};

struct WordRecord {
    unsigned char bytes[kRecordSize];
};

// Words are cut at a character boundary of their code page when their 8-bit form
// would not fit the field; the record is always zero-filled around them.
WordRecord EncodeRecord(const WordEntry& entry, UINT firstCodePage, UINT secondCodePage);
// Reads each field up to its first zero, never past the field, even when a damaged
// record has no zero in it.
WordEntry DecodeRecord(const WordRecord& record, UINT firstCodePage, UINT secondCodePage);
// Rewrites a raw record into its clean form (terminated fields, zeros after the
// text, the deleted mark cleared) without going through wide text.
void NormalizeLiveRecord(unsigned char* record, UINT firstCodePage, UINT secondCodePage);
// Bytes of the first word field up to its terminator (never past the field).
std::string FirstWordBytes(const unsigned char* record, UINT firstCodePage);

// Process-wide store state, always about the current word list.
extern WordEntry CurrentEntry;
extern int WordCount;
extern int PracticeCount;
extern std::wstring CurrentPracticeList;
// Number of practice list folders found by the last scan of the practice list root.
extern int PracticeListCount;

std::wstring WordListFileName(const WordListDescriptor& d);
std::wstring PracticeListFileName(const WordListDescriptor& d);
std::wstring WordListPath(const WordListDescriptor& d);
std::wstring PracticeListPath(const WordListDescriptor& d);

// Opens the current word list file; -1 when it cannot be opened (no message).
int TryOpenWordListFile();
// Start-up and every switch: a word list file that cannot be opened ends the program
// with a message, because nothing works without it.
int OpenWordListFile();
// Whether the descriptor's word list file opens the way the store opens it, so a
// switch can be refused before anything of the current list is given up.
bool WordListFileOpens(const WordListDescriptor& d);
// "Can't open <full path>   ", the full path as the current directory makes it.
std::wstring CantOpenWordListText(const WordListDescriptor& d);
int OpenPracticeListFile();
// Entries of a descriptor's word list file from its size alone, without making it
// current or touching the open store files; -1 when the file cannot be opened.
int CountWordListEntries(const WordListDescriptor& d);
int CountRecords();
int CountPracticeRecords();
int ReadWordRecord(int n);
int ReadPracticeRecord(int n);
int WriteWordRecord(int n);
int WritePracticeRecord(int n);
// With no file, the same as WritePracticeRecord; with a file, appends CurrentEntry at
// that file's current position.
int AppendEntryTo(int n, HANDLE file);
void CloseListFiles();
void ClosePracticeListFile();

bool WordListFileOpen();
// The open word list file, for the sort's read-only view of it (or INVALID_HANDLE_VALUE).
HANDLE WordListFileHandle();
// Length of the text of a record field: up to its first zero, never past the field,
// and never more than maxBytes (cut at a character boundary).
std::size_t FieldTextLength(const unsigned char* field, std::size_t fieldSize, std::size_t maxBytes, UINT codePage);
