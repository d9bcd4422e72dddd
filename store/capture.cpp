#include "store/capture.h"

#include <cstring>
#include <optional>
#include <string>

#include "store/catalogue.h"
#include "store/collation.h"
#include "store/practicelists.h"
#include "text/codepage.h"
#include "text/translations.h"

namespace {

// Whether the practice list file of the current word list holds the entry as a live
// record, compared as the store writes it: a record copied raw from a word list may hold
// leftover bytes behind its words. Nothing when the file is there but cannot be read.
std::optional<bool> PracticeListHolds(const WordEntry& entry) {
    const WordListDescriptor& d = CurrentWordList();
    const std::wstring path = PracticeListPath(d);
    std::string bytes;
    if (!ReadFileBytes(path, bytes)) {
        if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return false;  // no list file yet
        return std::nullopt;
    }
    const WordRecord wanted = EncodeRecord({entry.first, entry.second, 0}, d.firstCodePage, d.secondCodePage);
    for (std::size_t at = 0; at + kRecordSize <= bytes.size(); at += kRecordSize) {
        unsigned char record[kRecordSize];
        std::memcpy(record, bytes.data() + at, kRecordSize);
        if (record[kDeletedMarkOffset] != 0 || record[kDeletedMarkOffset + 1] != 0) continue;
        NormalizeLiveRecord(record, d.firstCodePage, d.secondCodePage);
        if (std::memcmp(record, wanted.bytes, kRecordSize) == 0) return true;
    }
    return false;
}

enum class Appended { Added, There, Failed };

// Appends the entry to the current word list's practice list file unless it is there.
Appended AppendUnlessThere(const WordEntry& entry) {
    PracticeListTargetPath();  // the list's folder, made when missing
    ClosePracticeListFile();
    const std::optional<bool> there = PracticeListHolds(entry);
    if (OpenPracticeListFile() != 0) return Appended::Failed;
    CountPracticeRecords();
    if (!there) return Appended::Failed;
    if (*there) return Appended::There;
    CurrentEntry = {entry.first, entry.second, 0};
    if (WritePracticeRecord(PracticeCount) != 0) return Appended::Failed;
    ++PracticeCount;
    return Appended::Added;
}

// What a step's result makes of the ones before.
void Tally(Appended step, bool& added, bool& failed) {
    added = added || step == Appended::Added;
    failed = failed || step == Appended::Failed;
}

// The reverse list's entry for a translation, as the Add window would have made or found it.
WordEntry ReverseEntry(const std::wstring& translation, const std::wstring& first) {
    if (WordCount > 0) {
        const int position = FindWordPosition(translation);
        if (position < WordCount && ReadWordRecord(position) == 0 && CurrentEntry.deleted == 0 &&
            EqualsIgnoreAsciiCase(CurrentEntry.first, translation))
            return {CurrentEntry.first, CurrentEntry.second, 0};
    }
    return {translation, first, 0};
}

bool FitsFirstWord(const std::wstring& word, const WordListDescriptor& d) {
    return !word.empty() && word.size() <= kFirstWordMaxBytes && ToNarrow(word, d.firstCodePage).size() <= kFirstWordMaxBytes;
}

void AddReverseEntries(WordListDescriptor& reverse, const WordEntry& entry, bool& added, bool& failed) {
    if (UseWordList(reverse) != 0) {
        failed = true;
        return;
    }
    for (const std::wstring& piece : SplitTranslations(entry.second)) {
        const std::wstring word = TrimSpaces(piece);
        if (FitsFirstWord(word, reverse)) Tally(AppendUnlessThere(ReverseEntry(word, entry.first)), added, failed);
    }
}

}  // namespace

CaptureOutcome AddEntryToPracticeList(const WordEntry& entry) {
    if (entry.deleted != 0 || TrimSpaces(entry.first).empty() || TrimSpaces(entry.second).empty())
        return CaptureOutcome::NotAnEntry;
    if (CurrentPracticeList.empty() && SelectFirstPracticeList() == 0) return CaptureOutcome::NoPracticeList;
    const WordEntry kept = CurrentEntry;
    WordListDescriptor& forward = CurrentWordList();
    bool added = false;
    bool failed = false;
    Tally(AppendUnlessThere(entry), added, failed);
    if (WordListDescriptor* reverse = OppositeWordList(forward)) {
        AddReverseEntries(*reverse, entry, added, failed);
        UseWordList(forward);
    }
    CurrentEntry = kept;
    if (failed) return CaptureOutcome::NotWritten;
    return added ? CaptureOutcome::Added : CaptureOutcome::AlreadyThere;
}
