#include "store/capture.h"

#include <cstring>

#include "store/catalogue.h"
#include "store/collation.h"
#include "store/practicelists.h"
#include "text/codepage.h"
#include "text/translations.h"

namespace {

// Whether the practice list file of the current word list holds the entry as a live record.
bool PracticeListHolds(const WordEntry& entry) {
    std::string bytes;
    if (!ReadFileBytes(PracticeListPath(CurrentWordList()), bytes)) return false;
    const WordListDescriptor& d = CurrentWordList();
    const WordRecord wanted = EncodeRecord({entry.first, entry.second, 0}, d.firstCodePage, d.secondCodePage);
    for (std::size_t at = 0; at + kRecordSize <= bytes.size(); at += kRecordSize)
        if (std::memcmp(bytes.data() + at, wanted.bytes, kRecordSize) == 0) return true;
    return false;
}

// Appends the entry to the current word list's practice list file unless it is there.
bool AppendUnlessThere(const WordEntry& entry) {
    PracticeListTargetPath();  // the list's folder, made when missing
    ClosePracticeListFile();
    const bool there = PracticeListHolds(entry);
    if (OpenPracticeListFile() != 0) return false;
    CountPracticeRecords();
    if (there) return false;
    CurrentEntry = {entry.first, entry.second, 0};
    if (WritePracticeRecord(PracticeCount) != 0) return false;
    ++PracticeCount;
    return true;
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

bool AddReverseEntries(WordListDescriptor& reverse, const WordEntry& entry) {
    if (UseWordList(reverse) != 0) return false;
    bool added = false;
    for (const std::wstring& piece : SplitTranslations(entry.second)) {
        const std::wstring word = TrimSpaces(piece);
        if (!FitsFirstWord(word, reverse)) continue;
        added = AppendUnlessThere(ReverseEntry(word, entry.first)) || added;
    }
    return added;
}

}  // namespace

CaptureOutcome AddEntryToPracticeList(const WordEntry& entry) {
    if (entry.deleted != 0 || TrimSpaces(entry.first).empty() || TrimSpaces(entry.second).empty())
        return CaptureOutcome::NotAnEntry;
    if (CurrentPracticeList.empty() && SelectFirstPracticeList() == 0) return CaptureOutcome::NoPracticeList;
    const WordEntry kept = CurrentEntry;
    WordListDescriptor& forward = CurrentWordList();
    bool added = AppendUnlessThere(entry);
    if (WordListDescriptor* reverse = OppositeWordList(forward)) {
        added = AddReverseEntries(*reverse, entry) || added;
        UseWordList(forward);
    }
    CurrentEntry = kept;
    return added ? CaptureOutcome::Added : CaptureOutcome::AlreadyThere;
}
