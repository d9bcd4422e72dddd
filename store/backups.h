// Copies of the word lists taken before an import, and taking the last import back
// while the program runs and nothing has changed the files since.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct WordListDescriptor;

inline constexpr wchar_t kBackupFolder[] = L"backup";
inline constexpr std::size_t kBackupsKept = 10;

// backup\<list file name>-<yyyymmdd-hhmmss>.tvk; "-2", "-3", ... behind the time when
// a backup of the same second exists.
std::wstring BackupPathFor(const WordListDescriptor& d, const SYSTEMTIME& time);
// The list's backups, oldest first.
std::vector<std::wstring> BackupsOf(const WordListDescriptor& d);
// Writes `bytes` (the list file as it stands) as a new backup of the list in one atomic
// step and removes all but the newest kBackupsKept; the backup's path, or empty when it
// could not be written.
std::wstring BackupList(const WordListDescriptor& d, std::string_view bytes, const SYSTEMTIME& time);

// A 64-bit digest of file contents, fed piece by piece.
class ContentHash {
public:
    void Add(const void* data, std::size_t size);
    std::uint64_t Value() const { return state_ ^ length_; }

private:
    std::uint64_t state_ = 0x9E3779B97F4A7C15ull;
    std::uint64_t length_ = 0;
    unsigned char pending_[8]{};
    std::size_t pendingSize_ = 0;
};

// A file as an import left it.
struct FileState {
    std::wstring path;
    long long size = -1;
    FILETIME written{};
    std::uint64_t hash = 0;
};
// The size and write time of a file now (size -1 when it is missing) and, with
// `withHash`, the digest of its contents.
FileState CurrentFileState(const std::wstring& path, bool withHash);

struct ImportUndo {
    struct List {
        FileState after;
        std::wstring backup;
    };
    // A file the import appended to (practice lists, the log of new entries).
    struct Appended {
        FileState after;
        long long sizeBefore = 0;
    };
    std::vector<List> lists;
    std::vector<Appended> appended;
};

void RememberImport(ImportUndo undo);
void ForgetImport();
// True while the last import of this run can be taken back: every file it wrote still
// has the size and write time it left.
bool CanUndoImport();

enum class UndoOutcome { Done, NothingToUndo, Changed, Failed };
// Checks the contents too, then puts each list back from its backup in one atomic step
// and cuts the appended files back. The store files of the current word list are open
// again afterwards.
UndoOutcome RestoreBeforeImport();
