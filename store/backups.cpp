#include "store/backups.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwctype>
#include <optional>

#include "store/atomicfile.h"
#include "store/catalogue.h"
#include "store/records.h"
#include "win/handles.h"

namespace {

constexpr wchar_t kListExtension[] = L".tvk";
constexpr std::size_t kStampChars = 15;  // yyyymmdd-hhmmss

std::optional<ImportUndo> g_lastImport;

std::wstring ListStem(const WordListDescriptor& d) {
    std::wstring name = WordListFileName(d);
    const std::size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos) name.resize(dot);
    return name;
}

std::wstring Stamp(const SYSTEMTIME& t) {
    wchar_t text[32];
    std::swprintf(text, std::size(text), L"%04u%02u%02u-%02u%02u%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
                  t.wSecond);
    return text;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Orders backups of one list by their time, and by their number within one second.
struct BackupName {
    std::wstring path;
    std::wstring stamp;
    unsigned number = 1;
    bool operator<(const BackupName& other) const {
        return stamp != other.stamp ? stamp < other.stamp : number < other.number;
    }
};

std::optional<BackupName> ParseBackupName(const std::wstring& stem, const std::wstring& fileName) {
    const std::wstring prefix = stem + L"-";
    const std::size_t extension = std::wcslen(kListExtension);
    if (fileName.size() < prefix.size() + kStampChars + extension) return std::nullopt;
    if (_wcsnicmp(fileName.c_str(), prefix.c_str(), prefix.size()) != 0) return std::nullopt;
    if (_wcsicmp(fileName.c_str() + fileName.size() - extension, kListExtension) != 0) return std::nullopt;
    std::wstring rest = fileName.substr(prefix.size(), fileName.size() - prefix.size() - extension);
    BackupName name;
    name.stamp = rest.substr(0, kStampChars);
    for (std::size_t i = 0; i < kStampChars; ++i)
        if (i == 8 ? name.stamp[i] != L'-' : !iswdigit(name.stamp[i])) return std::nullopt;
    rest.erase(0, kStampChars);
    if (!rest.empty()) {
        if (rest[0] != L'-' || rest.size() < 2 || !std::all_of(rest.begin() + 1, rest.end(), iswdigit))
            return std::nullopt;
        name.number = static_cast<unsigned>(std::wcstoul(rest.c_str() + 1, nullptr, 10));
    }
    return name;
}

std::vector<BackupName> SortedBackups(const WordListDescriptor& d) {
    std::vector<BackupName> names;
    const std::wstring stem = ListStem(d);
    WIN32_FIND_DATAW found{};
    const std::wstring pattern = std::wstring(kBackupFolder) + L"\\*";
    UniqueFind find(FindFirstFileW(pattern.c_str(), &found));
    if (!find) return names;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        if (std::optional<BackupName> name = ParseBackupName(stem, found.cFileName)) {
            name->path = std::wstring(kBackupFolder) + L"\\" + found.cFileName;
            names.push_back(std::move(*name));
        }
    } while (FindNextFileW(find.Get(), &found));
    std::sort(names.begin(), names.end());
    return names;
}

void PruneBackups(const WordListDescriptor& d, std::size_t keep) {
    const std::vector<BackupName> names = SortedBackups(d);
    for (std::size_t i = 0; i + keep < names.size(); ++i) DeleteFileW(names[i].path.c_str());
}

bool SameFile(const FileState& a, const FileState& b) {
    return a.size == b.size && CompareFileTime(&a.written, &b.written) == 0;
}

// The file made its first `size` bytes again, in one step.
bool CutBack(const std::wstring& path, long long size) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes) || static_cast<long long>(bytes.size()) < size) return false;
    AtomicFileWriter writer(path + L".tmp", path);
    return writer.Write(bytes.data(), static_cast<std::size_t>(size)) && writer.Commit();
}

bool PutBack(const std::wstring& backup, const std::wstring& target) {
    std::string bytes;
    if (!ReadWholeFile(backup, bytes)) return false;
    AtomicFileWriter writer(target + L".tmp", target);
    return writer.Write(bytes) && writer.Commit();
}

}  // namespace

std::wstring BackupPathFor(const WordListDescriptor& d, const SYSTEMTIME& time) {
    const std::wstring base = std::wstring(kBackupFolder) + L"\\" + ListStem(d) + L"-" + Stamp(time);
    std::wstring path = base + kListExtension;
    for (unsigned n = 2; Exists(path); ++n) path = base + L"-" + std::to_wstring(n) + kListExtension;
    return path;
}

std::vector<std::wstring> BackupsOf(const WordListDescriptor& d) {
    std::vector<std::wstring> paths;
    for (const BackupName& name : SortedBackups(d)) paths.push_back(name.path);
    return paths;
}

std::wstring BackupList(const WordListDescriptor& d, std::string_view bytes, const SYSTEMTIME& time) {
    CreateDirectoryW(kBackupFolder, nullptr);
    const std::wstring path = BackupPathFor(d, time);
    AtomicFileWriter writer(path + L".tmp", path);
    if (!writer.Write(bytes) || !writer.Commit()) return {};
    PruneBackups(d, kBackupsKept);
    return path;
}

void ContentHash::Add(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    length_ += size;
    const auto mix = [this](const unsigned char* eight) {
        std::uint64_t word;
        std::memcpy(&word, eight, 8);
        state_ = (state_ ^ word) * 0x100000001B3ull;
        state_ ^= state_ >> 29;
    };
    while (size > 0 && pendingSize_ > 0) {
        pending_[pendingSize_++] = *bytes++;
        --size;
        if (pendingSize_ == 8) {
            mix(pending_);
            pendingSize_ = 0;
        }
    }
    for (; size >= 8; size -= 8, bytes += 8) mix(bytes);
    while (size-- > 0) pending_[pendingSize_++] = *bytes++;
    if (pendingSize_ == 8) {
        mix(pending_);
        pendingSize_ = 0;
    }
}

FileState CurrentFileState(const std::wstring& path, bool withHash) {
    FileState state;
    state.path = path;
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file || !GetFileInformationByHandle(file.Get(), &info)) return state;
    state.size = static_cast<long long>((static_cast<unsigned long long>(info.nFileSizeHigh) << 32) | info.nFileSizeLow);
    state.written = info.ftLastWriteTime;
    if (!withHash) return state;
    ContentHash hash;
    std::string chunk(1u << 20, '\0');
    DWORD read = 0;
    while (ReadFile(file.Get(), chunk.data(), static_cast<DWORD>(chunk.size()), &read, nullptr) && read > 0)
        hash.Add(chunk.data(), read);
    state.hash = hash.Value();
    return state;
}

void RememberImport(ImportUndo undo) { g_lastImport = std::move(undo); }
void ForgetImport() { g_lastImport.reset(); }

bool CanUndoImport() {
    if (!g_lastImport) return false;
    for (const ImportUndo::List& list : g_lastImport->lists)
        if (!SameFile(CurrentFileState(list.after.path, false), list.after)) return false;
    for (const ImportUndo::Appended& file : g_lastImport->appended)
        if (!SameFile(CurrentFileState(file.after.path, false), file.after)) return false;
    return true;
}

UndoOutcome RestoreBeforeImport() {
    if (!g_lastImport) return UndoOutcome::NothingToUndo;
    const auto unchanged = [](const FileState& after) {
        const FileState now = CurrentFileState(after.path, true);
        return SameFile(now, after) && now.hash == after.hash;
    };
    for (const ImportUndo::List& list : g_lastImport->lists)
        if (!unchanged(list.after)) return UndoOutcome::Changed;
    for (const ImportUndo::Appended& file : g_lastImport->appended)
        if (!unchanged(file.after)) return UndoOutcome::Changed;

    // Nothing may hold the lists open while they are replaced.
    CloseListFiles();
    bool ok = true;
    for (const ImportUndo::List& list : g_lastImport->lists) ok = PutBack(list.backup, list.after.path) && ok;
    for (const ImportUndo::Appended& file : g_lastImport->appended) ok = CutBack(file.after.path, file.sizeBefore) && ok;
    CloseListFiles();
    TryOpenWordListFile();
    CountRecords();
    ForgetImport();
    return ok ? UndoOutcome::Done : UndoOutcome::Failed;
}
