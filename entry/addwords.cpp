#include "entry/addwords.h"

#include <algorithm>

#include "app/sortwindow.h"
#include "store/catalogue.h"
#include "store/collation.h"
#include "store/folders.h"
#include "store/records.h"
#include "text/codepage.h"
#include "text/translations.h"
#include "text/uistrings.h"
#include "win/handles.h"
#include "win/messages.h"

namespace {

constexpr wchar_t kLogFolder[] = L"new";

// Bytes a word takes in its field's code page: what decides whether it fits.
std::size_t StoredLength(const std::wstring& text, UINT codePage) { return ToNarrow(text, codePage).size(); }

// Appends CurrentEntry to the current practice list file of the current word list.
void AppendToPracticeList() {
    ClosePracticeListFile();
    if (OpenPracticeListFile() != 0) return;
    CountPracticeRecords();
    if (WritePracticeRecord(PracticeCount) == 0) ++PracticeCount;
}

// Reads record `position` of the sorted part and tells whether its first word is `word`.
bool SortedEntryMatches(int position, int searchable, const std::wstring& word) {
    if (position < 0 || position >= searchable || ReadWordRecord(position) != 0) return false;
    return EqualsIgnoreAsciiCase(CurrentEntry.first, word);
}

bool SwitchTo(WordListDescriptor* d) { return d && UseWordList(*d) == 0; }

void AddAllReverseTranslations(AddSession& session, const std::wstring& first, const std::wstring& second) {
    if (!session.reverse) return;
    if (UseWordList(*session.reverse) != 0) {
        // The pair stays in the forward list; the user learns why the other direction
        // did not get it instead of finding out later.
        ShowMessage(session.messageOwner, CantOpenWordListText(*session.reverse).c_str(), UiText(Ui::Lingorix),
                    MB_ICONWARNING);
        return;
    }
    if (session.reverseSearchableCount == 0) session.reverseSearchableCount = WordCount;
    for (const std::wstring& piece : SplitTranslations(second)) AddReverseTranslation(session, piece, first);
}

}  // namespace

AddSession BeginAddSession(bool addToPracticeList) {
    AddSession session;
    session.searchableCount = WordCount;
    session.forward = &CurrentWordList();
    session.reverse = OppositeWordList(CurrentWordList());
    session.addToPracticeList = addToPracticeList;
    CreateDirectoryW(kLogFolder, nullptr);
    return session;
}

std::wstring NormaliseTranslations(const std::wstring& text) {
    std::wstring joined;
    const std::vector<std::wstring> pieces = SplitTranslations(text);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0) joined += L", ";
        joined += pieces[i];
    }
    return joined;
}

std::optional<std::wstring> LookUpTranslation(const AddSession& session, const std::wstring& typed) {
    if (typed.empty() || WordCount <= 0) return std::nullopt;
    const int position = FindWordPosition(typed, session.searchableCount);
    if (!SortedEntryMatches(position, session.searchableCount, typed)) return std::nullopt;
    return CurrentEntry.second;
}

StoreOutcome StorePair(AddSession& session, const std::wstring& firstTyped, const std::wstring& secondTyped) {
    const std::wstring first = TrimSpaces(firstTyped.substr(0, kFirstWordChars));
    const std::wstring secondTrimmed = TrimSpaces(secondTyped.substr(0, kSecondWordChars));
    if (first.empty() || secondTrimmed.empty()) return StoreOutcome::Nothing;
    if (first.find(L',') != std::wstring::npos) return StoreOutcome::CommaInFirstWord;
    const std::wstring second = NormaliseTranslations(secondTrimmed);
    if (second.empty()) return StoreOutcome::Nothing;

    const int position = WordCount > 0 ? FindWordPosition(first, session.searchableCount) : 0;
    const bool exists = WordCount > 0 && SortedEntryMatches(position, session.searchableCount, first);
    StoreOutcome outcome = StoreOutcome::Added;
    if (exists) {
        // The entry keeps its place and gets the new translations. A pair stored onto an
        // entry marked deleted is meant to be there: it loses its mark, or the next sort
        // would drop the pair the user just typed.
        if (CurrentEntry.deleted != 0) session.currentListChanged = true;
        CurrentEntry = {first, second, 0};
        WriteWordRecord(position);
        outcome = StoreOutcome::Updated;
    } else {
        CurrentEntry = {first, second, 0};
        if (WriteWordRecord(WordCount) == 0) {
            ++WordCount;
            LogNewEntry(CurrentWordList());
            if (session.addToPracticeList) AppendToPracticeList();
            session.currentListChanged = true;
        }
    }
    AddAllReverseTranslations(session, first, second);
    SwitchTo(session.forward);
    ++session.addedCount;
    return outcome;
}

void AddReverseTranslation(AddSession& session, const std::wstring& piece, const std::wstring& first) {
    const std::wstring word = TrimSpaces(piece);
    if (word.empty()) return;
    const WordListDescriptor& d = CurrentWordList();
    // A translation too long for a first word would be stored cut; it gets no entry.
    if (word.size() > kFirstWordChars || StoredLength(word, d.firstCodePage) > kFirstWordMaxBytes) return;
    const int position = FindWordPosition(word, session.reverseSearchableCount);
    if (!SortedEntryMatches(position, session.reverseSearchableCount, word)) {
        CurrentEntry = {word, first, 0};
        if (WriteWordRecord(WordCount) != 0) return;
        ++WordCount;
        session.reverseListChanged = true;
        if (session.addToPracticeList) AppendToPracticeList();
        return;
    }
    const std::wstring existing = CurrentEntry.deleted != 0 ? std::wstring() : CurrentEntry.second;
    // A reverse entry marked deleted comes back with this translation alone.
    if (existing.empty()) {
        CurrentEntry = {word, first, 0};
        if (WriteWordRecord(position) == 0) session.reverseListChanged = true;
        return;
    }
    if (StoredLength(existing, d.secondCodePage) + StoredLength(first, d.secondCodePage) + 2 > kSecondWordMaxBytes)
        return;
    for (const std::wstring& translation : SplitTranslations(existing))
        if (EqualsIgnoreAsciiCase(translation, first)) return;
    CurrentEntry.second = existing + L", " + first;
    WriteWordRecord(position);
}

std::wstring NewEntryLogPath(const WordListDescriptor& d) {
    return std::wstring(kLogFolder) + L"\\" + d.firstName + L"_" + d.secondName + L".tvk";
}

void LogNewEntry(const WordListDescriptor& d) {
    UniqueFile log(CreateFileW(NewEntryLogPath(d).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!log) return;
    const WordRecord record = EncodeRecord(CurrentEntry, d.firstCodePage, d.secondCodePage);
    DWORD written = 0;
    WriteFile(log.Get(), record.bytes, kRecordSize, &written, nullptr);
}

void SortChangedLists(AddSession& session) {
    if (session.reverseListChanged) {
        if (SwitchTo(session.reverse)) SortAndReport();
        SwitchTo(session.forward);
        session.reverseListChanged = false;
    }
    if (session.currentListChanged) {
        SortAndReport();
        session.currentListChanged = false;
    }
}
