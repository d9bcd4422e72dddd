#include "store/collation.h"

#include <windows.h>

#include "store/records.h"
#include "text/codepage.h"
#include "text/locale.h"
#include "win/messages.h"

SortTable ActiveSortTable{};

std::wstring SortTablePath(const std::wstring& languageName) { return L"tables\\" + languageName + L".stb"; }

SortTable SortTableFromBytes(std::string_view bytes) {
    SortTable table{};
    for (std::size_t i = 0; i < table.size() && i < bytes.size(); ++i) table[i] = static_cast<unsigned char>(bytes[i]);
    return table;
}

void LoadSortTable() {
    const WordListDescriptor& d = CurrentWordList();
    if (!d.hasSortTable) return;
    std::string bytes;
    if (!ReadFileBytes(SortTablePath(d.firstName), bytes)) {
        ShowMessage(nullptr, L"Can't open sorttable   ", L"error", MB_OK);
        return;
    }
    ActiveSortTable = SortTableFromBytes(bytes);
}

std::string WeightString(std::string_view word8, const SortTable& table) {
    std::string weights;
    weights.reserve(word8.size());
    for (const char c : word8) {
        const unsigned char w = table[static_cast<unsigned char>(c)];
        if (w == 0) break;
        if (w == 1) continue;
        weights.push_back(static_cast<char>(w));
    }
    return weights;
}

int CompareWords(std::wstring_view a, std::wstring_view b) {
    const UINT cp = CurrentWordList().firstCodePage;
    const std::string wa = WeightString(ToNarrow(a, cp), ActiveSortTable);
    const std::string wb = WeightString(ToNarrow(b, cp), ActiveSortTable);
    // Unsigned byte order; a weight string that ends first is lower.
    const int c = wa.compare(wb);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

namespace {
int CompareKeys(const std::string& a, const std::string& b) {
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}
std::string FirstWordKey(std::wstring_view word) {
    std::string key;
    AppendFirstWordKey(CurrentWordList(), word, key);
    return key;
}
}  // namespace

// Compared through the same keys the sort orders by, so the search always agrees
// with the order the sort wrote, even for characters the locale treats oddly.
int CompareFirstWords(std::wstring_view a, std::wstring_view b) { return CompareKeys(FirstWordKey(a), FirstWordKey(b)); }

void AppendFirstWordKey(const WordListDescriptor& d, std::wstring_view word, std::string& out) {
    if (d.hasSortTable) {
        out += WeightString(ToNarrow(word, d.firstCodePage), ActiveSortTable);
        // Weights are 2..255, so the zero keeps a shorter weight string first.
        out.push_back('\0');
    } else {
        AppendCollationSortKey(word, out);
    }
}

int FindWordPosition(std::wstring_view word) { return FindWordPosition(word, WordCount); }

int FindWordPosition(std::wstring_view word, int limit) {
    if (limit > WordCount) limit = WordCount;
    if (limit <= 0) return 0;
    const std::string wanted = FirstWordKey(word);
    int lo = 0;
    int hi = limit - 1;
    while (lo <= hi) {
        const int mid = lo + (hi - lo) / 2;
        // An unreadable record ends the search where it stands.
        if (ReadWordRecord(mid) != 0) break;
        const int c = CompareKeys(FirstWordKey(CurrentEntry.first), wanted);
        if (c == 0) return mid;
        if (c < 0)
            lo = mid + 1;
        else
            hi = mid - 1;
    }
    return lo > limit ? limit : lo;
}
