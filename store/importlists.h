// Word pairs from a file brought into a word list and its reverse list in one go. The
// entries are those the Add window would make pair by pair (the comma rule, translations
// as ", ", each translation in the reverse list, new entries logged and, when chosen,
// practised), but both lists are read once, merged in memory, sorted once and each
// written once through one atomic replacement. A row that cannot be stored exactly is
// never stored changed: it is refused whole, with its reason.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "store/records.h"
#include "store/wordkeys.h"
#include "text/importsource.h"

struct WordListDescriptor;

enum class ImportRefusal {
    RowTooLong,
    EmptySide,
    CommaInWord,
    ControlInWord,             // a tab or line break inside a word
    WordNotInCodePage,         // the first word has a character its code page lacks
    TranslationNotInCodePage,
    WordTooLong,               // over 30 bytes
    TranslationsTooLong,       // over 50 bytes, alone or merged with those the entry has
    TranslationTooLongForReverse,  // a translation over 30 bytes cannot be a first word
    ReverseEntryFull,          // the reverse entry of a translation has no room for the word
};

enum class PairOutcome { Added, Merged, Unchanged, Refused };

struct ImportCounts {
    std::size_t rows = 0;
    std::size_t added = 0;
    std::size_t merged = 0;
    std::size_t unchanged = 0;
    std::size_t refused = 0;
};

// A row as it will be stored (Added, Merged, Unchanged: the entry afterwards) or as the
// file holds it (Refused, with the reason and the word the reason is about).
struct PlannedRow {
    std::size_t line = 0;
    std::wstring first;
    std::wstring second;
    PairOutcome outcome = PairOutcome::Added;
    ImportRefusal reason = ImportRefusal::EmptySide;
    std::wstring word;
};

inline constexpr std::size_t kPreviewRows = 12;

// A word list file's records as they stand on disk.
struct ListImage {
    std::string bytes;
    std::size_t Count() const { return bytes.size() / kRecordSize; }
    const unsigned char* Record(std::size_t i) const {
        return reinterpret_cast<const unsigned char*>(bytes.data()) + i * kRecordSize;
    }
};

struct ImportLists {
    WordListDescriptor* forward = nullptr;
    WordListDescriptor* reverse = nullptr;
    ListImage forwardImage;
    ListImage reverseImage;
};

enum class ImportFileRead { Ok, Unreadable, TooLarge };
// The file to import, whole; larger than kLargestImportFile is refused unread.
ImportFileRead ReadImportFile(const std::wstring& path, std::string& bytes);

// Reads the word list and its reverse list; false when either has no file that reads.
bool ReadImportLists(WordListDescriptor& forward, ImportLists& lists);

// An entry the import makes or changes. Its words live in the plan's text.
struct ImportEntry {
    std::int64_t record = -1;  // its record in the list; -1 for a new entry
    std::wstring_view first;
    std::wstring_view second;
    bool changed = false;      // an existing entry with translations added
};

// The words of a plan, kept in blocks that never move: a hundred thousand rows make
// half a million words, and one allocation each would cost more than the rest.
class ImportText {
public:
    // Both lists are searched at once: words may come from two threads.
    std::wstring_view Store(std::wstring_view text);

private:
    std::mutex mutex_;
    BlockText<wchar_t> blocks_;
};

struct ImportPlan {
    std::shared_ptr<ImportText> text = std::make_shared<ImportText>();
    ImportCounts counts;
    std::vector<PlannedRow> preview;  // the first kPreviewRows rows
    std::vector<PlannedRow> refused;  // every refused row
    std::vector<ImportEntry> forwardEntries;  // existing ones found, new ones in order
    std::vector<ImportEntry> reverseEntries;
    bool Changes() const { return counts.added + counts.merged > 0 || reverseChanges; }
    bool reverseChanges = false;
    bool cancelled = false;
};

// What importing the pairs would do, row by row in file order, each row against the
// lists as the rows before it left them. Nothing is written. A plan asked to stop half
// way (`cancelled` true) is marked so and stays unused.
ImportPlan PlanImport(const ImportLists& lists, const std::vector<ImportPair>& pairs,
                      const std::function<bool()>& cancelled = {});

enum class ImportStep { Backup, Sorting, Writing, Replacing };
// The step, the list it works on, and how far it is (done of total).
using ImportProgress = std::function<void(ImportStep, const WordListDescriptor&, std::size_t done, std::size_t total)>;

enum class ImportFailure { None, Backup, Write, Replace };

// Carries the plan out: both lists backed up, both written sorted and replaced, new
// entries logged and (when asked) added to the current practice list in their
// directions, the undo remembered. The current word list stays current, its store
// files open again. On a failure both lists are as they were.
ImportFailure ApplyImport(const ImportLists& lists, const ImportPlan& plan, bool addToPracticeList,
                          const ImportProgress& progress = {});
