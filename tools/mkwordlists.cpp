// Builds the sample word lists of the data folder from the readable sources in
// data/words: <Language>.txt holds "foreign<TAB>translation, translation" lines in
// UTF-8. Both directions are written and sorted with the program's own sort, and a
// first practice list is made from the first entries.
//
//   mkwordlists <words folder> <data folder> [edition [practice list name]]
//
// Without an edition the lists are those of the edition that language.ini chooses;
// with one (german) they are those of strings\<edition>.str, so every edition of
// the data folder gets its own lists whatever language.ini says.
#include <windows.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "store/catalogue.h"
#include "store/collation.h"
#include "store/folders.h"
#include "store/records.h"
#include "store/sort.h"
#include "text/codepage.h"
#include "text/locale.h"
#include "text/uistrings.h"

namespace {

constexpr wchar_t kDefaultPracticeList[] = L"Basics";
constexpr std::size_t kPracticeEntries = 25;

struct Pair {
    std::wstring foreign;
    std::wstring translations;
};

bool ReadPairs(const std::wstring& path, std::vector<Pair>& pairs, std::wstring& error) {
    std::string bytes;
    if (!ReadFileBytes(path, bytes)) return false;
    const std::wstring text = ToWide(bytes, CP_UTF8);
    std::size_t pos = 0;
    int lineNumber = 0;
    while (pos < text.size()) {
        std::size_t end = text.find(L'\n', pos);
        if (end == std::wstring::npos) end = text.size();
        std::wstring line = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        if (line.empty()) continue;
        const std::size_t tab = line.find(L'\t');
        if (tab == std::wstring::npos || tab == 0 || tab + 1 == line.size()) {
            error = path + L":" + std::to_wstring(lineNumber) + L": expected foreign<TAB>translations";
            return false;
        }
        pairs.push_back({line.substr(0, tab), line.substr(tab + 1)});
    }
    return true;
}

std::vector<std::wstring> SplitTranslations(const std::wstring& text) {
    std::vector<std::wstring> parts;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find(L", ", pos);
        if (end == std::wstring::npos) end = text.size();
        if (end > pos) parts.push_back(text.substr(pos, end - pos));
        pos = end + 2;
    }
    return parts;
}

// Every translation becomes an entry of the reverse list whose translations are
// all the foreign words that gave it, in the order they came.
std::vector<Pair> ReversePairs(const std::vector<Pair>& pairs) {
    std::vector<Pair> reverse;
    std::map<std::wstring, std::size_t> index;
    for (const Pair& p : pairs) {
        for (const std::wstring& t : SplitTranslations(p.translations)) {
            const auto found = index.find(t);
            if (found == index.end()) {
                index.emplace(t, reverse.size());
                reverse.push_back({t, p.foreign});
            } else {
                reverse[found->second].translations += L", " + p.foreign;
            }
        }
    }
    return reverse;
}

bool WriteRecords(const std::wstring& path, const std::vector<Pair>& pairs, const WordListDescriptor& d) {
    std::string bytes;
    for (const Pair& p : pairs) {
        const WordRecord r = EncodeRecord({p.foreign, p.translations, 0}, d.firstCodePage, d.secondCodePage);
        bytes.append(reinterpret_cast<const char*>(r.bytes), kRecordSize);
    }
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    CloseHandle(file);
    return ok;
}

bool SortList(WordListDescriptor& d) {
    SetCurrentWordList(d);
    SetCollationLocale(d.locale);
    if (TryOpenWordListFile() != 0) return false;
    CountRecords();
    const int result = SortWordList();
    CloseListFiles();
    return result == 0;
}

int Fail(const std::wstring& message) {
    std::fwprintf(stderr, L"mkwordlists: %ls\n", message.c_str());
    return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3 || argc > 5) {
        std::fwprintf(stderr, L"usage: mkwordlists <words folder> <data folder> [edition [practice list name]]\n");
        return 2;
    }
    const std::wstring words = argv[1];
    if (!SetCurrentDirectoryW(argv[2])) return Fail(L"cannot enter " + std::wstring(argv[2]));
    const std::wstring stringsPath = argc >= 4 ? std::wstring(L"strings\\") + argv[3] + L".str" : UiStringsPath();
    const UiLoadResult strings = LoadUiStringsFile(stringsPath);
    if (!strings.Ok()) return Fail(L"cannot load the UI strings of the data folder");
    if (LoadCatalogue() != 0) return Fail(L"cannot read the language file");

    const std::wstring wordFolder = UiText(Ui::PathLanguage);
    const std::wstring practiceFolder = std::wstring(UiText(Ui::PathNameList)) + (argc == 5 ? argv[4] : kDefaultPracticeList);
    MakeFolders(wordFolder);
    MakeFolders(practiceFolder);

    const std::size_t forwardCount = Catalogue().size() / 2;
    for (std::size_t i = 0; i < forwardCount; ++i) {
        WordListDescriptor& forward = *Catalogue()[i];
        WordListDescriptor& reverse = *Catalogue()[i + forwardCount];
        std::vector<Pair> pairs;
        std::wstring error;
        if (!ReadPairs(words + L"\\" + forward.firstName + L".txt", pairs, error)) {
            if (!error.empty()) return Fail(error);
            pairs.clear();  // a language without a source starts with empty lists
        }
        const std::vector<Pair> back = ReversePairs(pairs);
        if (!WriteRecords(WordListPath(forward), pairs, forward) || !WriteRecords(WordListPath(reverse), back, reverse))
            return Fail(L"cannot write the word lists of " + forward.firstName);
        if (!SortList(forward) || !SortList(reverse)) return Fail(L"cannot sort the word lists of " + forward.firstName);

        const std::vector<Pair> practice(pairs.begin(), pairs.begin() + std::min(pairs.size(), kPracticeEntries));
        const std::vector<Pair> practiceBack = ReversePairs(practice);
        const std::wstring folder = practiceFolder + L"\\";
        if (!WriteRecords(folder + PracticeListFileName(forward), practice, forward) ||
            !WriteRecords(folder + PracticeListFileName(reverse), practiceBack, reverse))
            return Fail(L"cannot write the practice list of " + forward.firstName);
        std::wprintf(L"%ls: %zu entries, %ls: %zu entries\n", WordListFileName(forward).c_str(), pairs.size(),
                     WordListFileName(reverse).c_str(), back.size());
    }
    return 0;
}
