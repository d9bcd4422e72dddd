#include "store/atomicfile.h"

#include <windows.h>

namespace {
long long g_failAfter = -1;
}

void SetAtomicWriteFailureAfter(long long bytes) { g_failAfter = bytes; }

bool ReplaceFileAtomically(const std::wstring& source, const std::wstring& target) {
    // Windows refuses to replace a read-only file, and the mark is its owner's wish;
    // not every file system refuses, so the refusal is made here for all.
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    return MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

AtomicFileWriter::AtomicFileWriter(std::wstring tempPath, std::wstring targetPath)
    : tempPath_(std::move(tempPath)), targetPath_(std::move(targetPath)) {
    file_.Reset(CreateFileW(tempPath_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr));
    ok_ = file_.Valid();
}

AtomicFileWriter::~AtomicFileWriter() {
    if (!committed_) Abandon();
}

bool AtomicFileWriter::Write(const void* data, std::size_t size) {
    if (!ok_) return false;
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
        if (g_failAfter >= 0) {
            if (g_failAfter < static_cast<long long>(chunk)) {
                g_failAfter = -1;
                ok_ = false;
                return false;
            }
            g_failAfter -= chunk;
        }
        DWORD written = 0;
        if (!WriteFile(file_.Get(), bytes, chunk, &written, nullptr) || written != chunk) {
            ok_ = false;
            return false;
        }
        bytes += chunk;
        size -= chunk;
    }
    return true;
}

bool AtomicFileWriter::Commit() {
    if (!ok_ || committed_) return false;
    const bool flushed = FlushFileBuffers(file_.Get()) != FALSE;
    file_.Reset();
    if (!flushed || !ReplaceFileAtomically(tempPath_, targetPath_)) {
        ok_ = false;
        DeleteFileW(tempPath_.c_str());
        return false;
    }
    committed_ = true;
    return true;
}

void AtomicFileWriter::Abandon() {
    const bool hadFile = file_.Valid() || ok_;
    file_.Reset();
    ok_ = false;
    if (hadFile) DeleteFileW(tempPath_.c_str());
}
