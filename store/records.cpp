#include "store/records.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>

#include "store/catalogue.h"
#include "text/codepage.h"
#include "text/uistrings.h"
#include "win/handles.h"
#include "win/messages.h"
#include "win/session.h"

WordEntry CurrentEntry;
int WordCount = 0;
int PracticeCount = 0;
std::wstring CurrentPracticeList;
int PracticeListCount = 0;

std::size_t FieldTextLength(const unsigned char* field, std::size_t fieldSize, std::size_t maxBytes, UINT codePage) {
    const void* zero = std::memchr(field, 0, fieldSize);
    const std::size_t length = zero ? static_cast<std::size_t>(static_cast<const unsigned char*>(zero) - field) : fieldSize;
    if (length <= maxBytes) return length;
    return CharacterBoundaryPrefix(reinterpret_cast<const char*>(field), length, maxBytes, codePage);
}

namespace {

UniqueFile g_wordListFile;
UniqueFile g_practiceListFile;

// Records of the word list file read lately. A binary search reads the same middle
// records again and again; keeping them saves most file reads of a look-up. Only
// this program writes the file while it is open, and every write passes through
// here, so the copies never go stale; opening and closing the file empties it.
class RecordCache {
public:
    const WordRecord* Find(int n) const {
        const Slot& slot = slots_[Index(n)];
        return slot.index == n ? &slot.record : nullptr;
    }
    void Put(int n, const WordRecord& record) {
        Slot& slot = slots_[Index(n)];
        slot.index = n;
        slot.record = record;
    }
    void Clear() {
        for (Slot& slot : slots_) slot.index = -1;
    }

private:
    struct Slot {
        int index = -1;
        WordRecord record;
    };
    static constexpr std::size_t kSlots = 4096;
    static std::size_t Index(int n) { return static_cast<std::size_t>(n) & (kSlots - 1); }
    std::array<Slot, kSlots> slots_{};
};

RecordCache g_wordCache;

void StoreField(unsigned char* field, const std::string& text) {
    std::memcpy(field, text.data(), text.size());
}

void CleanField(unsigned char* field, std::size_t fieldSize, std::size_t maxBytes, UINT codePage) {
    const std::size_t length = FieldTextLength(field, fieldSize, maxBytes, codePage);
    std::memset(field + length, 0, fieldSize - length);
}

HANDLE OpenReadWrite(const std::wstring& path, DWORD disposition) {
    return CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

long long FileSize(HANDLE file) {
    LARGE_INTEGER size{};
    return GetFileSizeEx(file, &size) ? size.QuadPart : 0;
}

bool Seek(HANDLE file, long long offset) {
    LARGE_INTEGER to{};
    to.QuadPart = offset;
    return SetFilePointerEx(file, to, nullptr, FILE_BEGIN) != FALSE;
}

long long RecordOffset(int n) { return static_cast<long long>(n) * static_cast<long long>(kRecordSize); }

int ReadRecordFrom(HANDLE file, int n, int count, RecordCache* cache) {
    if (file == INVALID_HANDLE_VALUE || n < 0 || n > count) return -1;
    WordRecord record;
    const WordRecord* cached = cache ? cache->Find(n) : nullptr;
    if (cached) {
        record = *cached;
    } else {
        DWORD read = 0;
        if (!Seek(file, RecordOffset(n)) || !ReadFile(file, record.bytes, kRecordSize, &read, nullptr) ||
            read != kRecordSize)
            return -1;
        if (cache) cache->Put(n, record);
    }
    const WordListDescriptor& d = CurrentWordList();
    CurrentEntry = DecodeRecord(record, d.firstCodePage, d.secondCodePage);
    return 0;
}

// Writes CurrentEntry as record n, or at the file's current position when n < 0.
int WriteRecordTo(HANDLE file, int n, RecordCache* cache) {
    if (file == INVALID_HANDLE_VALUE) return -1;
    const WordListDescriptor& d = CurrentWordList();
    const WordRecord record = EncodeRecord(CurrentEntry, d.firstCodePage, d.secondCodePage);
    DWORD written = 0;
    if ((n >= 0 && !Seek(file, RecordOffset(n))) || !WriteFile(file, record.bytes, kRecordSize, &written, nullptr) ||
        written != kRecordSize) {
        if (cache) cache->Clear();
        return -1;
    }
    if (cache && n >= 0) cache->Put(n, record);
    return 0;
}

// The practice list root's sub-folders, other than "." and "..".
std::wstring ScanPracticeLists(int& count) {
    count = 0;
    std::wstring first;
    WIN32_FIND_DATAW found{};
    const std::wstring pattern = std::wstring(UiText(Ui::PathNameList)) + L"*";
    UniqueFind find(FindFirstFileW(pattern.c_str(), &found));
    if (!find) return first;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        ++count;
        if (first.empty() && name[0] != L'.') first = name;
    } while (FindNextFileW(find.Get(), &found));
    return first;
}

}  // namespace

WordRecord EncodeRecord(const WordEntry& entry, UINT firstCodePage, UINT secondCodePage) {
    WordRecord record{};
    StoreField(record.bytes, ToNarrowLimited(entry.first, firstCodePage, kFirstWordMaxBytes));
    StoreField(record.bytes + kFirstWordField, ToNarrowLimited(entry.second, secondCodePage, kSecondWordMaxBytes));
    record.bytes[kDeletedMarkOffset] = static_cast<unsigned char>(entry.deleted & 0xFF);
    record.bytes[kDeletedMarkOffset + 1] = static_cast<unsigned char>(entry.deleted >> 8);
    return record;
}

WordEntry DecodeRecord(const WordRecord& record, UINT firstCodePage, UINT secondCodePage) {
    WordEntry entry;
    const unsigned char* first = record.bytes;
    const unsigned char* second = record.bytes + kFirstWordField;
    entry.first = ToWideCounted(reinterpret_cast<const char*>(first),
                                FieldTextLength(first, kFirstWordField, kFirstWordMaxBytes, firstCodePage),
                                firstCodePage);
    entry.second = ToWideCounted(reinterpret_cast<const char*>(second),
                                 FieldTextLength(second, kSecondWordField, kSecondWordMaxBytes, secondCodePage),
                                 secondCodePage);
    entry.deleted = static_cast<std::uint16_t>(record.bytes[kDeletedMarkOffset] |
                                               (record.bytes[kDeletedMarkOffset + 1] << 8));
    return entry;
}

void NormalizeLiveRecord(unsigned char* record, UINT firstCodePage, UINT secondCodePage) {
    CleanField(record, kFirstWordField, kFirstWordMaxBytes, firstCodePage);
    CleanField(record + kFirstWordField, kSecondWordField, kSecondWordMaxBytes, secondCodePage);
    record[kDeletedMarkOffset] = 0;
    record[kDeletedMarkOffset + 1] = 0;
}

std::string FirstWordBytes(const unsigned char* record, UINT firstCodePage) {
    return std::string(reinterpret_cast<const char*>(record),
                       FieldTextLength(record, kFirstWordField, kFirstWordMaxBytes, firstCodePage));
}

std::wstring WordListFileName(const WordListDescriptor& d) {
    return d.HasLongName() ? d.longWordListFile : d.wordListFile;
}

std::wstring PracticeListFileName(const WordListDescriptor& d) {
    return d.HasLongName() ? d.longPracticeListFile : d.practiceListFile;
}

std::wstring WordListPath(const WordListDescriptor& d) { return UiText(Ui::PathLanguage) + WordListFileName(d); }

std::wstring PracticeListPath(const WordListDescriptor& d) {
    return UiText(Ui::PathNameList) + CurrentPracticeList + L"\\" + PracticeListFileName(d);
}

int TryOpenWordListFile() {
    g_wordCache.Clear();
    g_wordListFile.Reset(OpenReadWrite(WordListPath(CurrentWordList()), OPEN_EXISTING));
    if (!g_wordListFile) return -1;
    OpenPracticeListFile();
    return 0;
}

int OpenWordListFile() {
    if (TryOpenWordListFile() == 0) return 0;
    const std::wstring message = CantOpenWordListText(CurrentWordList()) + L"\n\n" + UiText(Ui::ProgramAborted);
    ShowMessage(MessageOwner(), message.c_str(), UiText(Ui::Lingorix), MB_ICONWARNING);
    ExitProcess(1);
}

bool WordListFileOpens(const WordListDescriptor& d) {
    return UniqueFile(OpenReadWrite(WordListPath(d), OPEN_EXISTING)).Valid();
}

std::wstring CantOpenWordListText(const WordListDescriptor& d) {
    std::array<wchar_t, MAX_PATH> dir{};
    GetCurrentDirectoryW(static_cast<DWORD>(dir.size()), dir.data());
    return L"Can't open " + std::wstring(dir.data()) + L"\\" + WordListPath(d) + L"   ";
}

int OpenPracticeListFile() {
    g_practiceListFile.Reset();
    if (CurrentPracticeList.empty()) CurrentPracticeList = ScanPracticeLists(PracticeListCount);
    if (CurrentPracticeList.empty()) return -1;
    const std::wstring path = PracticeListPath(CurrentWordList());
    g_practiceListFile.Reset(OpenReadWrite(path, OPEN_EXISTING));
    if (!g_practiceListFile) g_practiceListFile.Reset(OpenReadWrite(path, CREATE_NEW));
    return g_practiceListFile ? 0 : -1;
}

int CountWordListEntries(const WordListDescriptor& d) {
    // Read access only, sharing everything: the current list's own handle stays as it
    // is, and a list another window is about to replace is not held up.
    UniqueFile file(CreateFileW(WordListPath(d).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.Get(), &size)) return -1;
    return static_cast<int>(std::min<long long>(size.QuadPart / static_cast<long long>(kRecordSize), INT_MAX));
}

int CountRecords() {
    WordCount = g_wordListFile ? static_cast<int>(FileSize(g_wordListFile.Get()) / kRecordSize) : 0;
    if (g_wordListFile) Seek(g_wordListFile.Get(), 0);
    return CountPracticeRecords();
}

int CountPracticeRecords() {
    PracticeCount = 0;
    if (!CurrentPracticeList.empty() && g_practiceListFile) {
        PracticeCount = static_cast<int>(FileSize(g_practiceListFile.Get()) / kRecordSize);
        Seek(g_practiceListFile.Get(), 0);
    }
    return 0;
}

int ReadWordRecord(int n) { return ReadRecordFrom(g_wordListFile.Get(), n, WordCount, &g_wordCache); }
int ReadPracticeRecord(int n) { return ReadRecordFrom(g_practiceListFile.Get(), n, PracticeCount, nullptr); }

int WriteWordRecord(int n) { return n < 0 ? -1 : WriteRecordTo(g_wordListFile.Get(), n, &g_wordCache); }
int WritePracticeRecord(int n) { return n < 0 ? -1 : WriteRecordTo(g_practiceListFile.Get(), n, nullptr); }

int AppendEntryTo(int n, HANDLE file) {
    if (file == nullptr || file == INVALID_HANDLE_VALUE) return WritePracticeRecord(n);
    return WriteRecordTo(file, -1, nullptr);
}

void CloseListFiles() {
    g_wordCache.Clear();
    g_wordListFile.Reset();
    g_practiceListFile.Reset();
}

void ClosePracticeListFile() { g_practiceListFile.Reset(); }

bool WordListFileOpen() { return g_wordListFile.Valid(); }

HANDLE WordListFileHandle() { return g_wordListFile.Get(); }
