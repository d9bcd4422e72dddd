#include "store/practicelists.h"

#include <windows.h>

#include <cstring>
#include <cwchar>
#include <functional>
#include <string_view>
#include <utility>

#include "store/atomicfile.h"
#include "store/catalogue.h"
#include "store/random.h"
#include "store/records.h"
#include "text/codepage.h"
#include "text/uistrings.h"
#include "win/handles.h"
#include "win/messages.h"
#include "win/session.h"

namespace {

std::wstring Root() {
    std::wstring root = UiText(Ui::PathNameList);
    if (!root.empty() && root.back() != L'\\' && root.back() != L'/') root += L'\\';
    return root;
}

// Calls `visit` with every entry of the folder; false when it cannot be read.
bool ForEachEntry(const std::wstring& folder, const std::function<bool(const WIN32_FIND_DATAW&)>& visit) {
    WIN32_FIND_DATAW found{};
    UniqueFind find(FindFirstFileW((folder + L"*.*").c_str(), &found));
    if (!find) return false;
    do {
        if (!visit(found)) break;
    } while (FindNextFileW(find.Get(), &found));
    return true;
}

bool IsFolder(const WIN32_FIND_DATAW& found) { return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
bool IsListFolder(const WIN32_FIND_DATAW& found) { return IsFolder(found) && found.cFileName[0] != L'.'; }

constexpr std::wstring_view kForbiddenNameCharacters = L"/\\<>|.\"*?:";

// The temporary file sits beside the file it replaces, so the final move never
// crosses a volume and stays one step.
std::wstring BesideTemporary(const std::wstring& target) { return target + L".new"; }

bool FlushAndClose(UniqueFile& file) {
    const bool flushed = FlushFileBuffers(file.Get()) != FALSE;
    file.Reset();
    return flushed;
}

// Copies source to a temporary file beside target, flushed, then moves it over the
// target. 0 or the system error code.
DWORD CopyOver(const std::wstring& source, const std::wstring& target) {
    const std::wstring temporary = BesideTemporary(target);
    if (!CopyFileW(source.c_str(), temporary.c_str(), FALSE)) return GetLastError();
    UniqueFile copy(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
    DWORD error = copy && FlushAndClose(copy) ? 0 : GetLastError();
    if (error == 0 && !ReplaceFileAtomically(temporary, target)) error = GetLastError();
    if (error != 0) DeleteFileW(temporary.c_str());
    return error == 0 ? 0 : error;
}

bool g_failNextMarkWrite = false;

constexpr std::size_t kRecordsPerChunk = 4096;

// Copies the records of `source` whose deleted mark is 0 into `writer`, in order; a
// trailing piece shorter than a record is not an entry and is dropped.
bool CopyLiveRecords(HANDLE source, AtomicFileWriter& writer) {
    std::string chunk(kRecordsPerChunk * kRecordSize, '\0');
    std::string kept;
    kept.reserve(chunk.size());
    std::size_t carried = 0;
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(source, chunk.data() + carried, static_cast<DWORD>(chunk.size() - carried), &read, nullptr))
            return false;
        const std::size_t available = carried + read;
        const std::size_t whole = available / kRecordSize * kRecordSize;
        kept.clear();
        for (std::size_t at = 0; at < whole; at += kRecordSize) {
            const unsigned char* record = reinterpret_cast<const unsigned char*>(chunk.data() + at);
            if (record[kDeletedMarkOffset] == 0 && record[kDeletedMarkOffset + 1] == 0)
                kept.append(chunk.data() + at, kRecordSize);
        }
        if (!writer.Write(kept)) return false;
        carried = available - whole;
        if (carried > 0) std::memmove(chunk.data(), chunk.data() + whole, carried);
        if (read == 0) return true;
    }
}

}  // namespace

int CountPracticeLists() {
    int count = 0;
    const bool read = ForEachEntry(Root(), [&count](const WIN32_FIND_DATAW& found) {
        if (IsListFolder(found)) ++count;
        return true;
    });
    return read ? count : -1;
}

std::vector<std::wstring> ListPracticeLists() {
    std::vector<std::wstring> names;
    ForEachEntry(Root(), [&names](const WIN32_FIND_DATAW& found) {
        if (IsListFolder(found)) names.emplace_back(found.cFileName);
        return true;
    });
    return names;
}

bool PracticeListExists(const std::wstring& name) {
    bool exists = false;
    ForEachEntry(Root(), [&](const WIN32_FIND_DATAW& found) {
        exists = IsListFolder(found) && _wcsicmp(found.cFileName, name.c_str()) == 0;
        return !exists;
    });
    return exists;
}

int SelectFirstPracticeList() {
    const std::vector<std::wstring> names = ListPracticeLists();
    if (names.empty()) return 0;
    CurrentPracticeList = names.front();
    return kFirstListCommand;
}

int CreatePracticeListFolder() { return CreateDirectoryW((Root() + CurrentPracticeList).c_str(), nullptr) ? 0 : -1; }

std::wstring PracticeListNameFromTyped(const std::wstring& typed) {
    const std::size_t end = typed.find_last_not_of(L' ');
    return end == std::wstring::npos ? std::wstring() : typed.substr(0, end + 1);
}

ListNameVerdict CheckPracticeListName(const std::wstring& typed, UINT codePage) {
    const std::wstring name = PracticeListNameFromTyped(typed);
    const std::wstring stored = ToWide(ToNarrow(name, codePage), codePage);
    if (stored.empty()) return ListNameVerdict::Empty;
    if (stored.find_first_of(kForbiddenNameCharacters) != std::wstring::npos) return ListNameVerdict::NotAllowed;
    // A character the code page cannot hold comes back as something else.
    if (stored != name) return ListNameVerdict::NotAllowed;
    return ListNameVerdict::Accepted;
}

bool RemovePracticeListFolder(const std::wstring& name) {
    const std::wstring folder = Root() + name + L"\\";
    ForEachEntry(folder, [&folder](const WIN32_FIND_DATAW& found) {
        if (!IsFolder(found)) DeleteFileW((folder + found.cFileName).c_str());
        return true;
    });
    return RemoveDirectoryW((Root() + name).c_str()) != FALSE;
}

std::wstring PracticeListTargetPath() {
    if (!CurrentPracticeList.empty()) CreateDirectoryW((Root() + CurrentPracticeList).c_str(), nullptr);
    return PracticeListPath(CurrentWordList());
}

void EmptyPracticeList() {
    const std::wstring target = PracticeListTargetPath();
    ClosePracticeListFile();
    DeleteFileW(target.c_str());
    OpenPracticeListFile();
    CountPracticeRecords();
}

DWORD CopyWordListFile() {
    // Without a list there is no practice list file to fill, only the root.
    if (CurrentPracticeList.empty()) return 0;
    const std::wstring source = WordListPath(CurrentWordList());
    const std::wstring target = PracticeListTargetPath();
    CloseListFiles();
    const DWORD error = CopyOver(source, target);
    OpenWordListFile();
    CountRecords();
    return error;
}

void CopyWordListToPracticeList() {
    const DWORD error = CopyWordListFile();
    if (error == 0) return;
    wchar_t text[96];
    swprintf(text, 96, L"Could not copy word list file, error code %d   ", static_cast<int>(error));
    ShowMessage(MessageOwner(), text, UiText(Ui::Lingorix), MB_ICONWARNING);
}

bool RemoveMarkedPracticeEntries() {
    const std::wstring target = PracticeListTargetPath();
    ClosePracticeListFile();
    bool done = false;
    {
        UniqueFile source(CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        AtomicFileWriter writer(UiText(Ui::FilenameTempList), target);
        if (source && writer.Ok() && CopyLiveRecords(source.Get(), writer)) {
            source.Reset();
            done = writer.Commit();
        }
    }
    OpenPracticeListFile();
    CountPracticeRecords();
    return done;
}

MarkOutcome FlipPracticeMark(int index) {
    if (index < 0 || index >= PracticeCount || ReadPracticeRecord(index) != 0) return MarkOutcome::NoEntry;
    const std::uint16_t read = CurrentEntry.deleted;
    CurrentEntry.deleted = read ? 0 : 1;
    const bool refused = std::exchange(g_failNextMarkWrite, false);
    if (!refused && WritePracticeRecord(index) == 0) return MarkOutcome::Flipped;
    CurrentEntry.deleted = read;  // the row must not show a mark the file does not hold
    return MarkOutcome::NotWritten;
}

void FailNextPracticeMarkWrite() { g_failNextMarkWrite = true; }

void AppendRandomWords(int count, bool emptyFirst) {
    if (emptyFirst) EmptyPracticeList();
    if (WordCount <= 0) return;
    for (int i = 0; i < count; ++i) {
        if (ReadWordRecord(RandomIndex(WordCount)) != 0) continue;
        if (WritePracticeRecord(PracticeCount) == 0) ++PracticeCount;
    }
}
