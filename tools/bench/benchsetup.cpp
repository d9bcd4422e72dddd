#include "tools/bench/benchsetup.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "entry/addwords.h"
#include "store/collation.h"
#include "store/sort.h"
#include "text/codepage.h"
#include "text/locale.h"
#include "text/stringsource.h"
#include "text/uistrings.h"
#include "win/handles.h"
#include "win/messages.h"

namespace bench {

std::uint32_t SeedFor(std::size_t languageIndex, int size, std::uint32_t salt) {
    return static_cast<std::uint32_t>(0x4c474258u ^ (languageIndex * 7919u) ^ (static_cast<std::uint32_t>(size) * 31u) ^
                                      (salt * 104729u));
}

// ---------------------------------------------------------------------------------
// Small helpers: output, clock, memory, files.

void Print(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vfprintf(stdout, format, args);
    va_end(args);
    std::fflush(stdout);
}

std::string Narrow(std::wstring_view text) { return ToNarrow(text, CP_UTF8); }

double NowMs() {
    static const double ticksPerMs = [] {
        LARGE_INTEGER f{};
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER t{};
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / ticksPerMs;
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double Worst(const std::vector<double>& values) {
    return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

PROCESS_MEMORY_COUNTERS MemoryCounters() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters;
}

std::wstring CurrentDirectory() {
    std::array<wchar_t, MAX_PATH> buffer{};
    GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
    return buffer.data();
}

bool WriteWholeFile(const std::wstring& path, std::string_view bytes) {
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

// A Unix path becomes the Wine drive Z: path; anything else is made absolute.
std::wstring ResolveSourceDirectory(std::wstring dir) {
    if (dir.empty()) dir = CurrentDirectory();
    if (dir[0] == L'/') dir = L"Z:" + dir;
    for (wchar_t& c : dir)
        if (c == L'/') c = L'\\';
    std::array<wchar_t, 1024> full{};
    const DWORD n = GetFullPathNameW(dir.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (n > 0 && n < full.size()) dir = full.data();
    while (dir.size() > 3 && dir.back() == L'\\') dir.pop_back();
    return dir;
}

// ---------------------------------------------------------------------------------
// The store set up the way the program sets it up.

bool InstallStrings(const std::wstring& sourceDir) {
    std::string text;
    const std::wstring path = sourceDir + L"\\data\\strings\\english.txt";
    if (!ReadFileBytes(path, text)) {
        std::fprintf(stderr, "cannot read %s (use --source <project folder>)\n", Narrow(path).c_str());
        return false;
    }
    const StringSource source = ParseStringSource(text);
    if (!source.Ok()) {
        std::fprintf(stderr, "english.txt line %d: %s\n", source.errorLine, source.error.c_str());
        return false;
    }
    const UiLoadResult result = InstallUiStrings(EntriesToPlain(source.entries));
    if (!result.Ok()) std::fprintf(stderr, "english.txt lacks the key %s\n", result.missingKey.c_str());
    return result.Ok();
}

// A message box would stop an unattended run; the text goes to standard error instead.
void RouteMessagesToStderr() {
    SetMessageHook([](HWND, const wchar_t* text, const wchar_t* caption, UINT) {
        std::fprintf(stderr, "message \"%s\": %s\n", Narrow(caption).c_str(), Narrow(text).c_str());
        return IDOK;
    });
}

WordListDescriptor* DescriptorOf(const BenchLanguage& language) {
    for (const auto& d : Catalogue())
        if (d->firstName == language.name) return d.get();
    return nullptr;
}

// Makes the language's word list current and opens it, as a switch of lists does.
bool OpenStore(const BenchLanguage& language) {
    WordListDescriptor* d = DescriptorOf(language);
    if (!d) return false;
    CloseListFiles();
    SetCurrentWordList(*d);
    if (!SetCollationLocale(d->locale)) std::fprintf(stderr, "locale %s not accepted\n", Narrow(d->locale).c_str());
    LoadSortTable();
    if (TryOpenWordListFile() != 0) return false;
    CountRecords();
    return true;
}

std::wstring UnsortedCopyPath(const BenchLanguage& language) {
    return std::wstring(L"unsorted\\") + language.name + L".tvk";
}

std::wstring ListPath(const BenchLanguage& language) {
    WordListDescriptor* d = DescriptorOf(language);
    return d ? WordListPath(*d) : std::wstring();
}

bool RestoreUnsorted(const BenchLanguage& language) {
    return CopyFileW(UnsortedCopyPath(language).c_str(), ListPath(language).c_str(), FALSE) != FALSE;
}

// ---------------------------------------------------------------------------------
// Generated list files.

namespace {

constexpr std::size_t kWriteChunk = 4096;

// Generates the list into the file and orders it as the program does.
bool WriteSortedList(WordListDescriptor& d, WordGenerator& generator, int size, std::uint32_t sampleSeed,
                     std::size_t samples, GeneratedList& list) {
    CloseListFiles();
    list = WriteGeneratedList(WordListPath(d), generator, size, d.firstCodePage, d.secondCodePage, sampleSeed, samples);
    return list.ok && UseWordList(d) == 0 && SortWordList() == 0;
}

}  // namespace

GeneratedList WriteGeneratedList(const std::wstring& path, WordGenerator& generator, int size, UINT firstCodePage,
                                 UINT secondCodePage, std::uint32_t sampleSeed, std::size_t samples) {
    GeneratedList list;
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return list;
    std::mt19937 sampler(sampleSeed);
    std::string chunk;
    chunk.reserve(kWriteChunk * kRecordSize);
    DWORD written = 0;
    for (int i = 0; i < size; ++i) {
        const WordEntry entry = generator.Next();
        const WordRecord record = EncodeRecord(entry, firstCodePage, secondCodePage);
        chunk.append(reinterpret_cast<const char*>(record.bytes), kRecordSize);
        if (entry.deleted == 0) {
            // Reservoir sampling keeps every live word equally likely to be picked.
            ++list.live;
            if (list.present.size() < samples)
                list.present.push_back(entry.first);
            else if (const std::size_t j = sampler() % static_cast<unsigned>(list.live); j < samples)
                list.present[j] = entry.first;
        }
        if (chunk.size() >= kWriteChunk * kRecordSize || i + 1 == size) {
            if (!WriteFile(file.Get(), chunk.data(), static_cast<DWORD>(chunk.size()), &written, nullptr) ||
                written != chunk.size())
                return list;
            chunk.clear();
        }
    }
    list.records = size;
    list.ok = true;
    return list;
}

bool MakeSortedPair(std::size_t languageIndex, int size, std::size_t samples, SortedPair& pair) {
    const BenchLanguage& language = kLanguages[languageIndex];
    pair.forward = DescriptorOf(language);
    pair.reverse = pair.forward ? OppositeWordList(*pair.forward) : nullptr;
    if (!pair.reverse) return false;
    WordGenerator reverseWords(kEnglish, SeedFor(languageIndex, size, 11), language);
    WordGenerator forwardWords(language, SeedFor(languageIndex, size, 1));
    return WriteSortedList(*pair.reverse, reverseWords, size, SeedFor(languageIndex, size, 12), samples,
                           pair.reverseList) &&
           WriteSortedList(*pair.forward, forwardWords, size, SeedFor(languageIndex, size, 2), samples,
                           pair.forwardList);
}

}  // namespace bench
