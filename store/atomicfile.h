// Rewriting a file so that a crash or a failed write at any moment leaves either
// the old file or the new one, whole: write a temporary file, flush it, then move it
// over the target in one step.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "win/handles.h"

class AtomicFileWriter {
public:
    // Creates (truncates) the temporary file; Ok() tells whether that worked.
    AtomicFileWriter(std::wstring tempPath, std::wstring targetPath);
    // Without a successful Commit the temporary file is removed and the target is untouched.
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    bool Ok() const { return ok_; }
    bool Write(const void* data, std::size_t size);
    bool Write(std::string_view data) { return Write(data.data(), data.size()); }
    // Flushes, closes and replaces the target. False leaves the target as it was.
    bool Commit();
    // Closes and deletes the temporary file at once.
    void Abandon();

private:
    std::wstring tempPath_;
    std::wstring targetPath_;
    UniqueFile file_;
    bool ok_ = false;
    bool committed_ = false;
};

// Replaces target by source in one step (write-through); false when it could not,
// also for a read-only target.
bool ReplaceFileAtomically(const std::wstring& source, const std::wstring& target);

// A hook for tests: when set, Write fails after this many more bytes (then resets).
void SetAtomicWriteFailureAfter(long long bytes);
