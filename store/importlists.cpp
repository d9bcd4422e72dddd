#include "store/importlists.h"

#include <windows.h>

#include <exception>

#include "store/atomicfile.h"
#include "store/backups.h"
#include "store/catalogue.h"
#include "store/collation.h"
#include "store/sortedlist.h"
#include "text/locale.h"
#include "text/uistrings.h"

namespace {

constexpr wchar_t kLogFolder[] = L"new";

// Makes the list current for its keys: its locale and its sort table, no files opened.
void OrderBy(WordListDescriptor& d) {
    SetCurrentWordList(d);
    SetCollationLocale(d.locale);
    LoadSortTable();
}

// ---------------------------------------------------------------------------------
// Files the import appends to: the practice lists and the log of new entries. They are
// rewritten whole with the new records behind the old ones, in one step.

bool AppendRecords(const std::wstring& path, const std::vector<WordRecord>& records, ImportUndo& undo) {
    if (records.empty()) return true;
    std::string bytes;
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES && !ReadWholeFile(path, bytes)) return false;
    const auto before = static_cast<long long>(bytes.size());
    AtomicFileWriter writer(path + L".tmp", path);
    if (!writer.Write(bytes) || !writer.Write(records.data(), records.size() * kRecordSize) || !writer.Commit())
        return false;
    undo.appended.push_back({CurrentFileState(path, true), before});
    return true;
}

std::vector<WordRecord> NewRecords(const WordListDescriptor& d, const std::vector<ImportEntry>& entries) {
    std::vector<WordRecord> records;
    for (const ImportEntry& e : entries)
        if (e.record < 0) records.push_back(RecordOf(d, e.first, e.second));
    return records;
}

std::wstring LogPath(const WordListDescriptor& d) {
    return std::wstring(kLogFolder) + L"\\" + d.firstName + L"_" + d.secondName + L".tvk";
}

void AppendToPracticeLists(const ImportLists& lists, const ImportPlan& plan, ImportUndo& undo) {
    if (CurrentPracticeList.empty()) return;
    const std::wstring folder = std::wstring(UiText(Ui::PathNameList)) + CurrentPracticeList;
    if (GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    AppendRecords(PracticeListPath(*lists.forward), NewRecords(*lists.forward, plan.forwardEntries), undo);
    AppendRecords(PracticeListPath(*lists.reverse), NewRecords(*lists.reverse, plan.reverseEntries), undo);
}

}  // namespace

ImportFileRead ReadImportFile(const std::wstring& path, std::string& bytes) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return ImportFileRead::Unreadable;
    const unsigned long long size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    if (size > kLargestImportFile) return ImportFileRead::TooLarge;
    if (!ReadWholeFile(path, bytes)) return ImportFileRead::Unreadable;
    return bytes.size() > kLargestImportFile ? ImportFileRead::TooLarge : ImportFileRead::Ok;
}

bool ReadImportLists(WordListDescriptor& forward, ImportLists& lists) {
    lists.forward = &forward;
    lists.reverse = OppositeWordList(forward);
    return lists.reverse && ReadWholeFile(WordListPath(forward), lists.forwardImage.bytes) &&
           ReadWholeFile(WordListPath(*lists.reverse), lists.reverseImage.bytes);
}

ImportFailure ApplyImport(const ImportLists& lists, const ImportPlan& plan, bool addToPracticeList,
                          const ImportProgress& progress) {
    WordListDescriptor& current = CurrentWordList();
    WordListDescriptor& forward = *lists.forward;
    WordListDescriptor& reverse = *lists.reverse;
    const auto step = [&](ImportStep s, const WordListDescriptor& d) {
        if (progress) progress(s, d, 0, 1);
    };

    // A list marked read-only is its owner's wish, and would refuse its replacement.
    for (const WordListDescriptor* d : {&forward, &reverse}) {
        const DWORD attributes = GetFileAttributesW(WordListPath(*d).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
            return ImportFailure::Replace;
    }
    SYSTEMTIME now{};
    GetLocalTime(&now);
    step(ImportStep::Backup, forward);
    // Nothing may write the lists in place from here on, nor hold them open when they
    // are replaced: the store's files are closed until the end.
    CloseListFiles();
    ImportUndo undo;
    const std::wstring forwardBackup = BackupList(forward, lists.forwardImage.bytes, now);
    const std::wstring reverseBackup = forwardBackup.empty() ? std::wstring() : BackupList(reverse, lists.reverseImage.bytes, now);
    if (reverseBackup.empty()) {
        if (!forwardBackup.empty()) DeleteFileW(forwardBackup.c_str());
        UseWordList(current);
        return ImportFailure::Backup;
    }

    ImportFailure failure = ImportFailure::None;
    bool listsAsBefore = true;
    {
        AtomicFileWriter forwardWriter(WordListPath(forward) + L".tmp", WordListPath(forward));
        AtomicFileWriter reverseWriter(WordListPath(reverse) + L".tmp", WordListPath(reverse));
        ContentHash forwardHash, reverseHash;
        bool written = false;
        try {
            OrderBy(forward);
            written = forwardWriter.Ok() &&
                      WriteSortedList(forward, lists.forwardImage, plan.forwardEntries, forwardWriter, forwardHash, progress);
            OrderBy(reverse);
            written = written && reverseWriter.Ok() &&
                      WriteSortedList(reverse, lists.reverseImage, plan.reverseEntries, reverseWriter, reverseHash, progress);
        } catch (const std::exception&) {
            written = false;
        }
        step(ImportStep::Replacing, forward);
        if (!written) {
            failure = ImportFailure::Write;
        } else if (!forwardWriter.Commit()) {
            failure = ImportFailure::Replace;
        } else if (!reverseWriter.Commit()) {
            // One list new and the other old would not agree: the first goes back too.
            AtomicFileWriter back(WordListPath(forward) + L".tmp", WordListPath(forward));
            listsAsBefore = back.Write(lists.forwardImage.bytes) && back.Commit();
            failure = ImportFailure::Replace;
        } else {
            FileState forwardAfter = CurrentFileState(WordListPath(forward), false);
            forwardAfter.hash = forwardHash.Value();
            FileState reverseAfter = CurrentFileState(WordListPath(reverse), false);
            reverseAfter.hash = reverseHash.Value();
            undo.lists.push_back({forwardAfter, forwardBackup});
            undo.lists.push_back({reverseAfter, reverseBackup});
        }
    }
    if (failure != ImportFailure::None) {
        // The lists are as they were: there is no import to go back from. When the first
        // could not go back, its backup is the only copy of what it held.
        if (listsAsBefore) {
            DeleteFileW(forwardBackup.c_str());
            DeleteFileW(reverseBackup.c_str());
        }
    } else {
        CreateDirectoryW(kLogFolder, nullptr);
        AppendRecords(LogPath(forward), NewRecords(forward, plan.forwardEntries), undo);
        if (addToPracticeList) AppendToPracticeLists(lists, plan, undo);
        RememberImport(std::move(undo));
    }
    UseWordList(current);
    return failure;
}
